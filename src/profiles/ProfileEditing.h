#pragma once

#include <QString>

class TSettingForm;

// Writes the values of the settings dialog's grids into the profile at `path`.
void SaveProfileValues(const TSettingForm& dialog, const QString& path);
// Copies `source` to `destination`, then writes the dialog's values into the copy.
// Returns false (and writes nothing) when the copy cannot be made.
bool CopyProfile(const TSettingForm& dialog, const QString& source, const QString& destination);

// The profile half of the dialog's OK: save the dialog's profile, and
// reload the main window's grids when both windows show the same profile.
void SaveProfileHalf(TSettingForm& dialog);
// "Save as...": asks for a file name and saves a copy with the dialog's values.
void SaveProfileCopy(TSettingForm& dialog);
