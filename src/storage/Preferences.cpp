#include "storage/Preferences.h"

#include "app/TMainForm.h"
#include "platform/Desktop.h"
#include "storage/TNewInifile.h"
#include "storage/TSettingForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>

namespace {

const QString kMain = QStringLiteral("Main");

// The output folder and the profile of the stored preferences into the main
// window; an empty store gives the defaults.
void ApplyMainPreferences(TMainForm& form, const TNewInifile& ini)
{
    form.edtOutputdir->setText(ini.ReadString(kMain, QStringLiteral("Output Path"), form.ProgramDirectory));
    if (form.cmbProfile->count() > 0) {
        const int profile = ini.ReadInteger(kMain, QStringLiteral("Profile"), 0);
        form.cmbProfile->setCurrentIndex(profile >= 0 && profile < form.cmbProfile->count() ? profile : -1);
        form.cmbProfileChange();
    }
}

} // namespace

QString ReadVersionText(const QString& preferencesFile)
{
    const QString fallback = QStringLiteral("3.0");
    try {
        TNewInifile ini(preferencesFile);
        const QString version = ini.ReadString(kMain, QStringLiteral("Version"), fallback);
        ini.FreeAfterReading();
        return version;
    } catch (const IniFileError&) {
        return fallback;
    }
}

void ReportWriteFailure(QWidget* owner, const QString& path, const QString& reason)
{
    Desktop::current().message(owner, Desktop::Icon::Warning, QStringLiteral("Cannot save"),
                               QStringLiteral("\"%1\" could not be written: %2\nThe file keeps its earlier content.")
                                   .arg(QDir::toNativeSeparators(path), reason),
                               QMessageBox::Ok);
}

void LoadGeneralTab(TSettingForm& dialog, const TNewInifile& ini, const QString& section, bool openDirDefault)
{
    const QString programDirectory = dialog.mainForm()->ProgramDirectory;
    dialog.edtOutputDir->setText(ini.ReadString(section, QStringLiteral("Output Path"), programDirectory));
    const int syn = ini.ReadInteger(section, QStringLiteral("Syn Mode"), 0);
    dialog.cmbSyn->setCurrentIndex(syn >= 0 && syn < dialog.cmbSyn->count() ? syn : -1);
    dialog.chkOpenDir->setChecked(ini.ReadBool(section, QStringLiteral("Auto Open Dir"), openDirDefault));
    dialog.chkExit->setChecked(ini.ReadBool(section, QStringLiteral("Auto Exit"), false));
    dialog.chkTurnoff->setChecked(ini.ReadBool(section, QStringLiteral("Auto Turn Off"), false));
    // The two radio buttons share a group; setting both keeps exactly one checked.
    const bool overwrite = ini.ReadBool(section, QStringLiteral("Overwrite"), true);
    dialog.rdbOverWrite->setChecked(overwrite);
    dialog.rdbRename->setChecked(!overwrite);
}

void SaveGeneralTab(const TSettingForm& dialog, TNewInifile& ini)
{
    ini.WriteString(kMain, QStringLiteral("Output Path"), dialog.edtOutputDir->text());
    ini.WriteInteger(kMain, QStringLiteral("Syn Mode"), dialog.cmbSyn->currentIndex());
    ini.WriteBool(kMain, QStringLiteral("Auto Open Dir"), dialog.chkOpenDir->isChecked());
    ini.WriteBool(kMain, QStringLiteral("Auto Exit"), dialog.chkExit->isChecked());
    ini.WriteBool(kMain, QStringLiteral("Auto Turn Off"), dialog.chkTurnoff->isChecked());
    ini.WriteBool(kMain, QStringLiteral("Overwrite"), dialog.rdbOverWrite->isChecked());
}

void LoadMainPreferences(TMainForm& form)
{
    try {
        TNewInifile ini(form.PreferencesFile);
        ApplyMainPreferences(form, ini);
        ini.FreeAfterReading();
    } catch (const IniFileError& error) {
        // A file that cannot be read (a folder in its place, no permission)
        // counts as no file at all, and the user learns why.
        Desktop::current().message(&form, Desktop::Icon::Warning, QStringLiteral("Cannot read"),
                                   QStringLiteral("\"%1\" could not be read: %2\nThe default preferences are used.")
                                       .arg(QDir::toNativeSeparators(error.path()), error.reason()),
                                   QMessageBox::Ok);
        ApplyMainPreferences(form, TNewInifile(QString()));
    }
}

void SaveMainPreferences(TMainForm& form)
{
    try {
        TNewInifile ini(form.PreferencesFile);
        ini.WriteInteger(kMain, QStringLiteral("Profile"), form.cmbProfile->currentIndex());
        SaveGeneralTab(*form.SettingForm, ini);
        // The dialog's folder is only its working copy, refreshed when it is
        // shown; the folder in use is the one in the main window.
        ini.WriteString(kMain, QStringLiteral("Output Path"), form.edtOutputdir->text());
        ini.Free();
    } catch (const IniFileError& error) {
        ReportWriteFailure(&form, error.path(), error.reason());
    }
}
