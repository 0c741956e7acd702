#include "profiles/ProfileEditing.h"

#include "app/TMainForm.h"
#include "platform/Desktop.h"
#include "profiles/ParameterNumbers.h"
#include "profiles/ProfileCatalogue.h"
#include "profiles/ValueListEditor.h"
#include "storage/Preferences.h"
#include "storage/TNewInifile.h"
#include "storage/TSettingForm.h"
#include "tasks/MediaNames.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

namespace {

// The file of the profile the dialog shows; empty when none is chosen or
// its file has gone since the program started.
QString dialogProfilePath(const TSettingForm& dialog)
{
    const QString name = dialog.cmbProfile->currentText();
    if (name.isEmpty())
        return {};
    const QString path = ProfilePathOf(dialog.mainForm()->ProfileFolder, name);
    return QFileInfo(path).isFile() ? path : QString();
}

// Position of the first caption equal to the shown text in any letter
// case; -1 when the text is none of them.
int captionPosition(const QStringList& captions, const QString& shown)
{
    for (int i = 0; i < captions.size(); ++i) {
        if (captions.at(i).compare(shown, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void reportCopyFailure(TSettingForm& dialog, const QString& destination, const QString& reason)
{
    Desktop::current().message(&dialog, Desktop::Icon::Warning, QStringLiteral("Save as"),
                               QStringLiteral("The profile could not be saved as \"%1\": %2\nNothing was written.")
                                   .arg(QDir::toNativeSeparators(destination), reason),
                               QMessageBox::Ok);
}

// Puts `bytes` at `path` in one step: the file there is replaced only when
// everything was written.
bool replaceFile(const QString& path, const QByteArray& bytes, QString* reason)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    *reason = file.errorString();
    file.cancelWriting();
    return false;
}

} // namespace

void SaveProfileValues(const TSettingForm& dialog, const QString& path)
{
    if (!QFileInfo(path).isFile())
        return;
    TNewInifile ini(path);
    const QString main = QStringLiteral("Main");
    const int count = ini.ReadInteger(main, QStringLiteral("Para"), 0);
    const ParameterGrids grids = dialog.grids();
    // A parameter without a valid grid number stays in the grid of the
    // parameter before it, as it did when the grids were filled.
    const ValueListEditor* grid = grids.video;
    for (const int k : ParameterNumbers(ini, count)) {
        const QString name = ini.ReadString(main, QString::number(k), QString());
        const int gridNumber = ini.ReadInteger(name, QStringLiteral("Sort"), -1);
        if (ini.ReadBool(name, QStringLiteral("ReadOnly"), false))
            continue;
        const bool isList = ini.ReadBool(name, QStringLiteral("List"), true);
        if (const ValueListEditor* chosen = grids.grid(gridNumber))
            grid = chosen;
        // A parameter the grids do not show (a load that stopped early) has
        // no edited value; writing one would wipe what is stored.
        const int row = grid->FindRow(name);
        if (row < 0)
            continue;
        const QString shown = grid->Value(row);
        if (isList) {
            ini.WriteInteger(name, QStringLiteral("Index"), captionPosition(grid->PickList(row), shown));
        } else {
            // A "[" would end the parameter's section for every later read.
            if (shown.contains(u'['))
                throw IniFileError(path, QStringLiteral("The value \"%1\" of \"%2\" contains \"[\", which a "
                                                        "profile cannot hold.")
                                             .arg(shown, name));
            ini.WriteString(name, QStringLiteral("Caption"), shown);
            ini.WriteString(name, QStringLiteral("Value"), shown);
        }
    }
    ini.Free();
}

bool CopyProfile(TSettingForm& dialog, const QString& source, const QString& destination)
{
    if (!QFileInfo(source).isFile())
        return false;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        reportCopyFailure(dialog, destination, in.errorString());
        return false;
    }
    const QByteArray original = in.readAll();
    in.close();

    // The values go into a staged copy first, so that a value that cannot
    // be stored leaves the destination as it was.
    QTemporaryFile staging;
    if (!staging.open() || staging.write(original) != original.size() || !staging.flush()) {
        reportCopyFailure(dialog, destination, staging.errorString());
        return false;
    }
    staging.close();
    try {
        SaveProfileValues(dialog, staging.fileName());
    } catch (const IniFileError& error) {
        reportCopyFailure(dialog, destination, error.reason());
        return false;
    }
    QFile staged(staging.fileName());
    QString reason;
    if (!staged.open(QIODevice::ReadOnly)) {
        reportCopyFailure(dialog, destination, staged.errorString());
        return false;
    }
    if (!replaceFile(destination, staged.readAll(), &reason)) {
        reportCopyFailure(dialog, destination, reason);
        return false;
    }
    return true;
}

void SaveProfileHalf(TSettingForm& dialog)
{
    const QString path = dialogProfilePath(dialog);
    if (!path.isEmpty()) {
        try {
            SaveProfileValues(dialog, path);
        } catch (const IniFileError& error) {
            ReportWriteFailure(&dialog, error.path(), error.reason());
        }
    }
    TMainForm* main = dialog.mainForm();
    if (main->cmbProfile->currentText() == dialog.cmbProfile->currentText())
        main->cmbProfileChange();
}

void SaveProfileCopy(TSettingForm& dialog)
{
    const QString destination = Desktop::current().saveFileName(
        &dialog, ToQtNameFilter(TSettingForm::SaveDialogFilter()), QStringLiteral("apf"));
    if (destination.isEmpty())
        return;
    const QString source = dialogProfilePath(dialog);
    if (source.isEmpty())
        return;
    if (QFileInfo::exists(destination)) {
        const QMessageBox::StandardButton answer =
            Desktop::current().message(&dialog, Desktop::Icon::Question, QStringLiteral("Save as"),
                                       QStringLiteral("\"%1\" already exists.\nDo you want to replace it?")
                                           .arg(QDir::toNativeSeparators(destination)),
                                       QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return;
    }
    CopyProfile(dialog, source, destination);
}
