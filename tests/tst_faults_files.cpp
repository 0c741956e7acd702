// Damaged, huge and unwritable settings files: a Preferences.ini and
// profiles full of noise, absurd parameter counts, files that cannot be
// written. The window must come up, keep answering, say what failed where it
// may, and never leave a half-written or temporary file behind.
#include "ProgramDir.h"
#include "RecordingDesktop.h"
#include "TestHelpers.h"

#include "app/TMainForm.h"
#include "conversion/BatchDriver.h"
#include "profiles/ValueListEditor.h"
#include "storage/TNewInifile.h"
#include "storage/TSettingForm.h"
#include "tasks/TaskAdding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTreeWidget>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

QByteArray Fixture(const QString& name)
{
    QFile file(QStringLiteral(FW_FIXTURES_DIR "/faults/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The same noise on every run, so a failure can be repeated.
QByteArray Noise(quint32 seed, qsizetype size)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

QByteArray Lines(const QList<QByteArray>& lines)
{
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + "\r\n";
    return text;
}

// A profile with one list and one free parameter: the switches "-vcodec
// mpeg4" and "-b 800k".
QByteArray PlainProfile()
{
    return Lines({"[Main]", "Type=avi", "Para=2", "0=Video Codec", "1=Bit Rate", "[Video Codec]", "Sort=1",
                  "cmd=-vcodec", "Caption=MPEG-4,H.264,", "Value=mpeg4,libx264,", "Index=0", "[Bit Rate]", "Sort=1",
                  "List=0", "cmd=-b", "Caption=800k"});
}

// `count` free parameters P0, P1, ... spread over the three grids, each
// with the switch -pK and the argument vK.
QByteArray ManyParameters(int count)
{
    QList<QByteArray> lines{"[Main]", "Type=avi", "Para=" + QByteArray::number(count)};
    for (int k = 0; k < count; ++k)
        lines << QByteArray::number(k) + "=P" + QByteArray::number(k);
    for (int k = 0; k < count; ++k) {
        const QByteArray n = QByteArray::number(k);
        lines << "[P" + n + "]"
              << "Sort=" + QByteArray::number(k % 3 + 1) << "List=0"
              << "cmd=-p" + n << "Caption=v" + n;
    }
    return Lines(lines);
}

QStringList PlainOptions()
{
    return {QStringLiteral("-vcodec"), QStringLiteral("mpeg4"), QStringLiteral("-b"), QStringLiteral("800k")};
}

QStringList ManyOptions(int count)
{
    // The grids are 1, 2, 3 in turn, but the switches follow the numbering.
    QStringList options;
    for (int k = 0; k < count; ++k)
        options << QStringLiteral("-p%1").arg(k) << QStringLiteral("v%1").arg(k);
    return options;
}

// Every entry of a folder, hidden ones included.
QStringList Entries(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// A main window over a temporary program directory with the recording
// fake encoder; opened once the test has planted its files.
struct Window {
    RecordingDesktop desktop;
    ProgramDir dir;
    std::unique_ptr<TMainForm> form;

    Window()
    {
        dir.installFakeEncoder(Fixture(QStringLiteral("args_encoder.sh")));
        QDir().mkpath(outputFolder());
    }

    QString outputFolder() const { return dir.path() + QStringLiteral("out/"); }
    QString input() const { return dir.path() + QStringLiteral("clip.avi"); }

    void open()
    {
        form = std::make_unique<TMainForm>(dir.programFile());
        form->show();
    }

    // Chooses a profile in the main window as the user does.
    void chooseProfile(const QString& name) const
    {
        form->cmbProfile->setCurrentIndex(form->cmbProfile->findText(name));
        form->cmbProfileChange();
    }

    int gridRows() const
    {
        return form->vleVideo->RowCount() + form->vleAudio->RowCount() + form->vleAdvanced->RowCount();
    }

    // The arguments of the encoder's last run.
    QStringList lastRun() const
    {
        const QByteArray runs = dir.read(QStringLiteral("runs")).trimmed();
        if (runs.isEmpty())
            return {};
        QStringList arguments;
        for (const QByteArray& argument : dir.read(QStringLiteral("args.") + QString::fromLatin1(runs)).split('\0'))
            arguments << QString::fromUtf8(argument);
        arguments.removeLast(); // after the last NUL
        return arguments;
    }

    // Queues the input and converts it; the option arguments the encoder
    // got, or {"<no run>"} when the batch ended without running it.
    QStringList convert() const
    {
        QFile::remove(dir.path() + QStringLiteral("runs"));
        form->edtOutputdir->setText(outputFolder());
        if (form->ltvTask->topLevelItemCount() == 0)
            AddTaskFile(*form, input());
        form->tbtnStartClick();
        if (!QTest::qWaitFor([this] { return !form->Driver->IsBusy(); }, 20000))
            return {QStringLiteral("<still busy>")};
        const QStringList run = lastRun();
        if (run.value(0) != QStringLiteral("-y"))
            return {QStringLiteral("<no run>")};
        return run.mid(3, run.size() - 4);
    }
};

} // namespace

class TestFaultsFiles : public QObject
{
    Q_OBJECT

private slots:
    void garbagePreferences_data();
    void garbagePreferences();
    void garbageProfiles_data();
    void garbageProfiles();
    void preferencesThatCannotBeWritten_data();
    void preferencesThatCannotBeWritten();
    void fullDiskKeepsPreferences();
    void fullDiskKeepsProfile();
    void profileFolderIsAFile();
};

void TestFaultsFiles::garbagePreferences_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("outputPath"); // "PROGRAM": the program directory; null: not checked
    QTest::addColumn<bool>("overwrite");

    QTest::addRow("random bytes") << Noise(1, 64 * 1024) << QStringLiteral("PROGRAM") << true;
    QTest::addRow("NUL bytes end the text") << QByteArray("[Main]\r\nOverwrite=0\r\n") + '\0' +
                                                   QByteArray("Output Path=/nowhere\r\n") + QByteArray(4096, '\0')
                                            << QStringLiteral("PROGRAM") << false;
    QTest::addRow("only NUL bytes") << QByteArray(4096, '\0') << QStringLiteral("PROGRAM") << true;
    QTest::addRow("lone CRs end lines") << QByteArray("[Main]\rOverwrite=0\rOutput Path=/elsewhere/\r\r\r")
                                        << QStringLiteral("/elsewhere/") << false;
    QTest::addRow("a line of 1 MB") << "[Main]\r\nProfile=0\r\nNote=" + QByteArray(1024 * 1024, 'x') +
                                           "\r\nOverwrite=0\r\n"
                                    << QStringLiteral("PROGRAM") << false;
    QTest::addRow("an output path of 1 MB") << "[Main]\r\nOutput Path=/" + QByteArray(1024 * 1024, 'o') + "\r\n"
                                            << QString() << true;
    QTest::addRow("1 MB of brackets") << QByteArray(1024 * 1024, '[') << QStringLiteral("PROGRAM") << true;
    QTest::addRow("numbers out of range")
        << QByteArray("[Main]\r\nProfile=99999999999999999999\r\nSyn Mode=-2147483648\r\nOverwrite=1e999\r\n"
                      "Auto Exit=nan\r\nAuto Turn Off=inf\r\n")
        << QStringLiteral("PROGRAM") << true;
}

void TestFaultsFiles::garbagePreferences()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, outputPath);
    QFETCH(bool, overwrite);

    Window w;
    w.dir.write(QStringLiteral("Profiles/Plain.apf"), PlainProfile());
    w.dir.write(QStringLiteral("Preferences.ini"), content);
    w.open();
    QVERIFY(w.form->isVisible());
    // Reading a damaged file is silent: every value that does not read
    // falls back to its default.
    QCOMPARE(w.desktop.messageTexts(), QStringList());
    if (outputPath == QStringLiteral("PROGRAM"))
        outputPath = w.dir.path();
    if (!outputPath.isNull())
        QCOMPARE(w.form->edtOutputdir->text(), outputPath);
    QCOMPARE(w.form->SettingForm->rdbOverWrite->isChecked(), overwrite);
    QVERIFY(!w.form->SettingForm->chkExit->isChecked());
    QVERIFY(!w.form->SettingForm->chkTurnoff->isChecked());

    // The window works as usual over it.
    QCOMPARE(w.convert(), PlainOptions());

    // Closing writes the preferences whole; reading them back gives what
    // the window held (the output folder of the main window, not the
    // settings dialog's copy of it), and nothing but the file is left.
    const QStringList before = Entries(w.dir.path());
    QVERIFY(w.form->close());
    QCOMPARE(w.desktop.messages.size(), 1); // the completion message of the conversion
    QCOMPARE(Entries(w.dir.path()), before);
    const TNewInifile back(w.dir.preferencesFile());
    const QString main = QStringLiteral("Main");
    QCOMPARE(back.ReadString(main, QStringLiteral("Output Path"), QStringLiteral("?")), w.form->edtOutputdir->text());
    QCOMPARE(back.ReadInteger(main, QStringLiteral("Profile"), -9), w.form->cmbProfile->currentIndex());
    QCOMPARE(back.ReadBool(main, QStringLiteral("Overwrite"), !overwrite), overwrite);
    QCOMPARE(back.ReadBool(main, QStringLiteral("Auto Exit"), true), false);
}

void TestFaultsFiles::garbageProfiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("rows");            // rows in the three main grids after loading
    QTest::addColumn<bool>("warned");         // loading told the user the profile is damaged
    QTest::addColumn<QStringList>("options"); // the encoder's option arguments at Start

    const QStringList plainOptions = PlainOptions();
    QByteArray plainCr = PlainProfile();
    plainCr.replace("\r\n", "\r");
    QByteArray nulInside = PlainProfile();
    nulInside.replace("[Video Codec]", QByteArray("[Video Codec]\0", 14));

    QTest::addRow("random bytes") << Noise(2, 64 * 1024) << 0 << false << QStringList();
    QTest::addRow("NUL byte ends the profile") << nulInside << 1 << true << QStringList();
    QTest::addRow("lone CRs end lines") << plainCr << 2 << false << plainOptions;
    QTest::addRow("a line of 1 MB") << PlainProfile().replace("Type=avi",
                                                              "Type=avi\r\nNote=" + QByteArray(1024 * 1024, 'n'))
                                    << 2 << false << plainOptions;
    QTest::addRow("Para far beyond its entries")
        << PlainProfile().replace("Para=2", "Para=2000000000") << 3 << true << plainOptions;
    QTest::addRow("Para far beyond, no entries at all")
        << QByteArray("[Main]\r\nType=avi\r\nPara=2000000000\r\n") << 1 << true << QStringList();
    QTest::addRow("Para the largest integer, in hex")
        << PlainProfile().replace("Para=2", "Para=0x7FFFFFFF") << 3 << true << plainOptions;
    QTest::addRow("one entry numbered near the end")
        << PlainProfile().replace("Para=2", "Para=2000000000").replace("1=Bit Rate", "1999999999=Bit Rate") << 2 << true
        << QStringList{QStringLiteral("-vcodec"), QStringLiteral("mpeg4")};
    // The numbers past the entries all stand for one nameless parameter;
    // with a section "[]" it shows its row and adds its switch once.
    QTest::addRow("Para far beyond, nameless section")
        << PlainProfile().replace("Para=2", "Para=2000000000") + Lines({"[]", "List=0", "cmd=-z", "Caption=x"}) << 3
        << false << plainOptions + QStringList{QStringLiteral("-z"), QStringLiteral("x")};
    QTest::addRow("negative Para") << PlainProfile().replace("Para=2", "Para=-7") << 0 << false << QStringList();
    QTest::addRow("3000 parameters") << ManyParameters(3000) << 3000 << false << ManyOptions(3000);
}

void TestFaultsFiles::garbageProfiles()
{
    QFETCH(QByteArray, content);
    QFETCH(int, rows);
    QFETCH(bool, warned);
    QFETCH(QStringList, options);

    Window w;
    w.dir.write(QStringLiteral("Profiles/Bad.apf"), content);
    w.open();
    // The only profile was loaded when the window was shown; it is chosen
    // once more as the user would.
    w.desktop.messages.clear();
    w.chooseProfile(QStringLiteral("Bad"));
    QCOMPARE(w.desktop.messages.size(), warned ? 1 : 0);
    if (warned)
        QCOMPARE(w.desktop.messages[0].caption, QStringLiteral("Profile"));
    QCOMPARE(w.gridRows(), rows);

    QCOMPARE(w.convert(), options);

    // The settings dialog loads the same profile and writes its values back.
    w.desktop.messages.clear();
    w.form->SettingForm->SelectProfile(w.form->cmbProfile->currentIndex());
    w.form->SettingForm->btnOKClick();
    QCOMPARE(w.desktop.messages.size(), warned ? 2 : 0);
    QCOMPARE(Entries(w.dir.profileFolder()), QStringList{QStringLiteral("Bad.apf")});
}

void TestFaultsFiles::preferencesThatCannotBeWritten_data()
{
    QTest::addColumn<QString>("blocker");
    QTest::addRow("Preferences.ini is a folder") << QStringLiteral("folder");
    QTest::addRow("Preferences.ini points into a missing folder") << QStringLiteral("dangling link");
}

void TestFaultsFiles::preferencesThatCannotBeWritten()
{
    QFETCH(QString, blocker);
    Window w;
    w.dir.write(QStringLiteral("Profiles/Plain.apf"), PlainProfile());
    const QString preferences = w.dir.preferencesFile();
    if (blocker == QStringLiteral("folder")) {
        QVERIFY(QDir().mkpath(preferences + QStringLiteral("/inside")));
    } else {
        QVERIFY(QFile::link(w.dir.path() + QStringLiteral("missing/Preferences.ini"), preferences));
    }
    w.open();
    QVERIFY(w.form->isVisible());
    // A folder in the file's place cannot even be read: the user is told,
    // and the window starts from the defaults as without a file.
    if (blocker == QStringLiteral("folder")) {
        QCOMPARE(w.desktop.messages.size(), 1);
        QCOMPARE(w.desktop.messages[0].caption, QStringLiteral("Cannot read"));
        QVERIFY(w.desktop.messages[0].text.contains(QDir::toNativeSeparators(preferences)));
    } else {
        QCOMPARE(w.desktop.messageTexts(), QStringList());
    }
    QCOMPARE(w.form->edtOutputdir->text(), w.dir.path());
    QCOMPARE(w.form->cmbProfile->currentText(), QStringLiteral("Plain"));
    QCOMPARE(w.gridRows(), 2);
    w.desktop.messages.clear();
    const QStringList before = Entries(w.dir.path());

    // OK in the settings dialog and closing the window both try to write it.
    w.form->SettingForm->ShowOnPage(0);
    w.form->SettingForm->btnOKClick();
    QVERIFY(w.form->close());
    QCOMPARE(w.desktop.messages.size(), 2);
    for (const RecordingDesktop::Message& message : w.desktop.messages) {
        QCOMPARE(message.icon, Desktop::Icon::Warning);
        QCOMPARE(message.caption, QStringLiteral("Cannot save"));
        QVERIFY2(message.text.contains(QDir::toNativeSeparators(preferences)), qPrintable(message.text));
    }
    QCOMPARE(Entries(w.dir.path()), before);
    if (blocker == QStringLiteral("folder"))
        QCOMPARE(Entries(preferences), QStringList{QStringLiteral("inside")});
    else
        QCOMPARE(QFileInfo(preferences).symLinkTarget(), w.dir.path() + QStringLiteral("missing/Preferences.ini"));
}

void TestFaultsFiles::fullDiskKeepsPreferences()
{
    Window w;
    w.dir.write(QStringLiteral("Profiles/Plain.apf"), PlainProfile());
    w.dir.write(QStringLiteral("Preferences.ini"),
                Lines({"[Main]", "Version=3.0", "Output Path=/kept/", "Profile=0", "Overwrite=0", "Auto Open Dir=0",
                       "Note=" + QByteArray(200, 'k')}));
    w.open();
    const QByteArray original = w.dir.read(QStringLiteral("Preferences.ini"));
    const QStringList before = Entries(w.dir.path());
    w.form->edtOutputdir->setText(w.outputFolder());

    {
        FileSizeCap cap(64);
        QVERIFY(cap.active());
        QVERIFY(w.form->close());
    }
    QCOMPARE(w.desktop.messages.size(), 1);
    QCOMPARE(w.desktop.messages[0].caption, QStringLiteral("Cannot save"));
    QVERIFY(w.desktop.messages[0].text.contains(QDir::toNativeSeparators(w.dir.preferencesFile())));
    QCOMPARE(w.dir.read(QStringLiteral("Preferences.ini")), original);
    QCOMPARE(Entries(w.dir.path()), before);
}

void TestFaultsFiles::fullDiskKeepsProfile()
{
    Window w;
    const QByteArray profile = PlainProfile() + Lines({"Note=" + QByteArray(300, 'p')});
    w.dir.write(QStringLiteral("Profiles/Plain.apf"), profile);
    w.dir.write(QStringLiteral("Profiles/Other.apf"), PlainProfile());
    w.open();
    w.form->SettingForm->SelectProfile(w.form->cmbProfile->findText(QStringLiteral("Plain")));
    w.form->SettingForm->vleVideo->SetValues(QStringLiteral("Bit Rate"), QStringLiteral("1200k"));
    const QByteArray otherBefore = w.dir.read(QStringLiteral("Profiles/Other.apf"));
    w.desktop.messages.clear();

    {
        FileSizeCap cap(64);
        QVERIFY(cap.active());
        w.form->SettingForm->btnOKClick();
        // A copy over an existing profile, and one to a new name.
        w.desktop.nextSaveNames << w.dir.profileFolder() + QStringLiteral("Other.apf")
                                << w.dir.profileFolder() + QStringLiteral("New.apf");
        w.desktop.nextAnswers << QMessageBox::Yes;
        w.form->SettingForm->btnSaveAsClick();
        w.form->SettingForm->btnSaveAsClick();
    }
    QStringList captions;
    for (const RecordingDesktop::Message& message : w.desktop.messages)
        captions << message.caption;
    // Preferences and profile on OK, the replace question, then both copies.
    QCOMPARE(captions, (QStringList{QStringLiteral("Cannot save"), QStringLiteral("Cannot save"),
                                    QStringLiteral("Save as"), QStringLiteral("Save as"), QStringLiteral("Save as")}));
    QVERIFY(w.desktop.messages[1].text.contains(QStringLiteral("Plain.apf")));
    QCOMPARE(w.dir.read(QStringLiteral("Profiles/Plain.apf")), profile);
    QCOMPARE(w.dir.read(QStringLiteral("Profiles/Other.apf")), otherBefore);
    QCOMPARE(Entries(w.dir.profileFolder()), (QStringList{QStringLiteral("Other.apf"), QStringLiteral("Plain.apf")}));
}

void TestFaultsFiles::profileFolderIsAFile()
{
    Window w;
    QVERIFY(QDir(w.dir.profileFolder()).removeRecursively());
    w.dir.write(QStringLiteral("Profiles"), "not a folder\n");
    w.open();
    QCOMPARE(w.form->cmbProfile->count(), 0);
    // Without a profile the encoder converts with its own defaults.
    QCOMPARE(w.convert(), QStringList());
    QVERIFY(w.form->close());
    QCOMPARE(w.desktop.messageTexts(), QStringList{QStringLiteral("The coversion is completed successfully.")});
    QCOMPARE(w.dir.read(QStringLiteral("Profiles")), QByteArray("not a folder\n"));
}

QTEST_MAIN(TestFaultsFiles)
#include "tst_faults_files.moc"
