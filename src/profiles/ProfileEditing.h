#pragma once

#include <QString>

class TSettingForm;

// Writes the values of the settings dialog's grids into the profile at
// `path`: the chosen position of each list parameter and the text of each
// free parameter. Parameters marked read-only, fixed parameters and
// parameters without a row in the dialog's grids are left as stored. A
// missing file is left missing. Throws IniFileError, with nothing written,
// when a value cannot be stored or the file cannot be written.
void SaveProfileValues(const TSettingForm& dialog, const QString& path);

// Copies `source` to `destination`, replacing a file there, with the
// dialog's values written into the copy. The destination is replaced only
// once the whole copy is ready. Returns false, writing nothing, when the
// source is missing (silently) or when the copy cannot be made (reported).
bool CopyProfile(TSettingForm& dialog, const QString& source, const QString& destination);

// The profile half of the dialog's OK: save the dialog's profile, and
// reload the main window's grids when both windows show the same profile.
void SaveProfileHalf(TSettingForm& dialog);
// "Save as...": asks for a file name (and, for an existing file, whether to
// replace it) and saves a copy of the dialog's profile with its values.
void SaveProfileCopy(TSettingForm& dialog);
