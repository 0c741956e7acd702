// Preferences: what the first run writes, what a stored file restores, and
// the settings dialog's General tab (OK, Cancel, Load Default, Browse, Open).
#include "ProgramDir.h"
#include "RecordingDesktop.h"

#include "app/TMainForm.h"
#include "storage/TSettingForm.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

class TestPreferences : public QObject
{
    Q_OBJECT

private slots:
    void firstRunWritesTheMainSection_data();
    void firstRunWritesTheMainSection();
    void storedValuesComeBack_data();
    void storedValuesComeBack();
    void outOfRangeProfileSelectsNothing();
    void cancelKeepsTheEditedControls();
    void okStoresAndDisablesTheMainWindowWhileShown();
    void loadDefaultAsksFirst();
    void browseAndOpen();

private:
    static QByteArray mainSection(const QString& outputPath, int profile)
    {
        return "[Main]\r\nOverwrite=1\r\nAuto Turn Off=0\r\nAuto Exit=0\r\nAuto Open Dir=1\r\nSyn Mode=0\r\n"
               "Output Path=" +
               outputPath.toUtf8() + "\r\nProfile=" + QByteArray::number(profile) + "\r\n";
    }
};

void TestPreferences::firstRunWritesTheMainSection_data()
{
    QTest::addColumn<bool>("withProfile");
    QTest::addColumn<int>("profile");
    QTest::addRow("one profile") << true << 0;
    QTest::addRow("no profile") << false << -1;
}

void TestPreferences::firstRunWritesTheMainSection()
{
    QFETCH(bool, withProfile);
    QFETCH(int, profile);
    RecordingDesktop desktop;
    ProgramDir dir;
    if (withProfile)
        dir.writeProfile(QStringLiteral("Only"), {QStringLiteral("[Main]"), QStringLiteral("Type=avi")});
    {
        TMainForm form(dir.programFile());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        TSettingForm* dialog = form.SettingForm;
        QCOMPARE(dialog->edtOutputDir->text(), dir.path());
        QCOMPARE(dialog->cmbSyn->currentText(), QStringLiteral("Auto"));
        QVERIFY(dialog->chkOpenDir->isChecked());
        QVERIFY(!dialog->chkExit->isChecked());
        QVERIFY(!dialog->chkTurnoff->isChecked());
        QVERIFY(dialog->rdbOverWrite->isChecked());
        QVERIFY(!dialog->rdbRename->isChecked());
        form.close();
    }
    QCOMPARE(dir.read(QStringLiteral("Preferences.ini")), mainSection(dir.path(), profile));
}

void TestPreferences::storedValuesComeBack_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("outputPath");
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<int>("syn");
    QTest::addColumn<bool>("openDir");

    QTest::addRow("rename") << QByteArray("[Main]\r\nOverwrite=0\r\nOutput Path=/videos/\r\n")
                            << QStringLiteral("/videos/") << false << 0 << true;
    QTest::addRow("not a boolean") << QByteArray("[Main]\r\nOverwrite=yes\r\nSyn Mode=2\r\nAuto Open Dir=false\r\n")
                                   << QString() << true << 2 << false;
    QTest::addRow("empty output path") << QByteArray("[Main]\nOutput Path=\nSyn Mode=7\n") << QStringLiteral("")
                                       << true << -1 << true;
}

void TestPreferences::storedValuesComeBack()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, outputPath);
    QFETCH(bool, overwrite);
    QFETCH(int, syn);
    QFETCH(bool, openDir);
    RecordingDesktop desktop;
    ProgramDir dir;
    dir.write(QStringLiteral("Preferences.ini"), stored);
    const QString expectedPath = outputPath.isNull() ? dir.path() : outputPath;

    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.edtOutputdir->text(), expectedPath);
    QCOMPARE(form.SettingForm->rdbOverWrite->isChecked(), overwrite);
    QCOMPARE(form.SettingForm->rdbRename->isChecked(), !overwrite);
    QCOMPARE(form.SettingForm->cmbSyn->currentIndex(), syn);
    QCOMPARE(form.SettingForm->chkOpenDir->isChecked(), openDir);
    form.close();
    const QByteArray saved = dir.read(QStringLiteral("Preferences.ini"));
    QVERIFY(saved.contains("Syn Mode=" + QByteArray::number(syn) + "\r\n"));
    QVERIFY(saved.contains("Output Path=" + expectedPath.toUtf8() + "\r\n"));
}

void TestPreferences::outOfRangeProfileSelectsNothing()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    for (const char* name : {"A", "B", "C"})
        dir.writeProfile(QString::fromLatin1(name), {QStringLiteral("[Main]")});
    dir.write(QStringLiteral("Preferences.ini"), "[Main]\r\nProfile=7\r\n");
    {
        TMainForm form(dir.programFile());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.cmbProfile->currentIndex(), -1);
        QVERIFY(form.ProfileExt.isEmpty());
        form.close();
    }
    QVERIFY(dir.read(QStringLiteral("Preferences.ini")).contains("Profile=-1\r\n"));
    QVERIFY(desktop.messages.isEmpty());
}

void TestPreferences::cancelKeepsTheEditedControls()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    {
        TMainForm form(dir.programFile());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.findChild<QAction*>(QStringLiteral("tbtnSetting"))->trigger();
        TSettingForm* dialog = form.SettingForm;
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->pgcSetting->currentIndex(), 0);
        QCOMPARE(dialog->pgcSetting->tabText(0), QStringLiteral("     General     "));
        QCOMPARE(dialog->pgcSetting->tabText(1), QStringLiteral("     Profiles     "));
        dialog->chkOpenDir->setChecked(false);
        QTest::mouseClick(dialog->btnCancel, Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QVERIFY(form.isEnabled());
        QVERIFY(!dialog->chkOpenDir->isChecked());
        QVERIFY(!dir.read(QStringLiteral("Preferences.ini")).contains("Auto Open Dir"));
        form.close();
    }
    QVERIFY(dir.read(QStringLiteral("Preferences.ini")).contains("Auto Open Dir=0\r\n"));
}

void TestPreferences::okStoresAndDisablesTheMainWindowWhileShown()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.edtOutputdir->setText(QStringLiteral("/typed/"));
    form.tbtnSettingClick();
    TSettingForm* dialog = form.SettingForm;
    QVERIFY(!form.isEnabled());
    QVERIFY(dialog->isEnabled());
    QCOMPARE(dialog->edtOutputDir->text(), QStringLiteral("/typed/"));
    dialog->edtOutputDir->setText(QStringLiteral("/elsewhere/"));
    dialog->rdbRename->setChecked(true);
    dialog->chkExit->setChecked(true);
    QTest::mouseClick(dialog->btnOK, Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QVERIFY(form.isEnabled());
    QCOMPARE(form.edtOutputdir->text(), QStringLiteral("/elsewhere/"));
    const QByteArray saved = dir.read(QStringLiteral("Preferences.ini"));
    QCOMPARE(saved, QByteArray("[Main]\r\nOverwrite=0\r\nAuto Turn Off=0\r\nAuto Exit=1\r\nAuto Open Dir=1\r\n"
                               "Syn Mode=0\r\nOutput Path=/elsewhere/\r\n"));
}

void TestPreferences::loadDefaultAsksFirst()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    dir.write(QStringLiteral("Preferences.ini"), "[Main]\r\nSyn Mode=2\r\nOverwrite=0\r\nOutput Path=/x/\r\n");
    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.tbtnSettingClick();
    TSettingForm* dialog = form.SettingForm;
    QVERIFY(dialog->chkOpenDir->isChecked());

    desktop.nextAnswers = {QMessageBox::No};
    dialog->btnDefaultClick();
    QCOMPARE(desktop.messages.size(), 1);
    QCOMPARE(desktop.messages[0].caption, QStringLiteral("Load Default"));
    QCOMPARE(desktop.messages[0].text, QStringLiteral("Are you sure to load the default preferences?"));
    QCOMPARE(desktop.messages[0].icon, Desktop::Icon::Question);
    QCOMPARE(dialog->cmbSyn->currentIndex(), 2);

    desktop.nextAnswers = {QMessageBox::Yes};
    dialog->btnDefaultClick();
    QCOMPARE(dialog->edtOutputDir->text(), dir.path());
    QCOMPARE(dialog->cmbSyn->currentText(), QStringLiteral("Auto"));
    QVERIFY(!dialog->chkOpenDir->isChecked());
    QVERIFY(dialog->rdbOverWrite->isChecked());
    QVERIFY(!dialog->rdbRename->isChecked());
    QVERIFY(!dir.read(QStringLiteral("Preferences.ini")).contains("Default"));
}

void TestPreferences::browseAndOpen()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    desktop.nextFolders = {QStringLiteral("/media/clips"), QStringLiteral("/"), QString()};
    form.bbtnBrowserClick();
    QCOMPARE(form.edtOutputdir->text(), QStringLiteral("/media/clips/"));
    QCOMPARE(desktop.folderTitles.last(), QStringLiteral("Select the output directory."));
    form.bbtnBrowserClick();
    QCOMPARE(form.edtOutputdir->text(), QStringLiteral("/"));
    form.bbtnBrowserClick(); // cancelled
    QCOMPARE(form.edtOutputdir->text(), QStringLiteral("/"));

    form.edtOutputdir->setText(dir.path() + QStringLiteral("missing/"));
    form.bbtnOpenClick();
    QVERIFY(desktop.opened.isEmpty());
    form.edtOutputdir->setText(dir.path());
    form.bbtnOpenClick();
    QCOMPARE(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(dir.path())});
}

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
