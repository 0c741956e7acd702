#pragma once

#include <QString>

class TMainForm;
class TNewInifile;
class TSettingForm;
class QWidget;

// The version text kept in the preferences file, "3.0" when there is none.
QString ReadVersionText(const QString& preferencesFile);

// The main window's half of the preferences: the output folder and the
// profile, restored when the window is first shown and saved, with every
// other preference, when it closes.
void LoadMainPreferences(TMainForm& form);
void SaveMainPreferences(TMainForm& form);

// The General tab's values in a section ("Main", or "Default" for Load Default).
void LoadGeneralTab(TSettingForm& dialog, const TNewInifile& ini, const QString& section,
                    bool openDirDefault);
void SaveGeneralTab(const TSettingForm& dialog, TNewInifile& ini);

// Reports a preferences or profile file that could not be written; the old
// file is still intact.
void ReportWriteFailure(QWidget* owner, const QString& path, const QString& reason);
