// Adding media to the task list: the command line, Add File, Add Dir and
// drops, and the probe that fills each new row.
#include "ProgramDir.h"
#include "RecordingDesktop.h"
#include "TestMedia.h"

#include "app/TMainForm.h"
#include "tasks/MediaNames.h"
#include "tasks/TaskAdding.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

namespace {

// Answers every probe with the same report and notes each file it was asked about.
const QByteArray FakeReport =
    "#!/bin/sh\n"
    "printf '%s\\n' \"$2\" >> \"$0.log\"\n"
    "printf \"Input #0, avi, from '%s':\\n  Duration: 00:00:07.00, start: 0.000000, bitrate: 1 kb/s\\n"
    "    Stream #0:0: Video: mpeg4, yuv420p, 640x480, 25 fps\\n"
    "At least one output file must be specified\\n\" \"$2\"\n";

// The same report, one line at a time with pauses, so it arrives in several reads.
const QByteArray FakeReportInPieces =
    "#!/bin/sh\n"
    "printf \"Input #0, avi, from '%s':\\n\" \"$2\"; sleep 0.2\n"
    "printf '  Duration: 00:00:07.00, start: 0.000000, bitrate: 1 kb/s\\n'; sleep 0.2\n"
    "printf '    Stream #0:0: Video: mpeg4, yuv420p, 640x480, 25 fps\\n'; sleep 0.2\n"
    "printf 'At least one output file must be specified\\n'\n";

const QString ZeroTime = QStringLiteral("00:00:00.0");

QStringList Captions(const TMainForm& form)
{
    QStringList captions;
    for (int row = 0; row < form.ltvTask->topLevelItemCount(); ++row)
        captions << form.ltvTask->topLevelItem(row)->text(0);
    return captions;
}

// Caption, then sub-items 0 to 9.
QStringList RowTexts(const TMainForm& form, int row)
{
    QStringList texts;
    const QTreeWidgetItem* item = form.ltvTask->topLevelItem(row);
    for (int column = 0; column <= 10; ++column)
        texts << item->text(column);
    return texts;
}

// Move Up, Move Down, Remove, Clear and Start: true when all five are
// enabled, false when all five are disabled; a mixture fails the test.
bool ListCommandsEnabled(const TMainForm& form)
{
    const bool up = form.tbtnUp->isEnabled();
    for (const QAction* command : {form.tbtnDown, form.tbtnRemove, form.tbtnClear, form.tbtnStart}) {
        if (command->isEnabled() != up) {
            qWarning() << command->objectName() << "differs from tbtnUp";
            return !up;
        }
    }
    return up;
}

int SelectedRow(const TMainForm& form)
{
    const QList<QTreeWidgetItem*> selected = form.ltvTask->selectedItems();
    if (selected.size() != 1)
        return selected.isEmpty() ? -1 : -2;
    return form.ltvTask->indexOfTopLevelItem(selected.first());
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// ffmpeg's duration text for a length in seconds: hundredths, rounded.
QString DurationText(double seconds)
{
    return QStringLiteral("00:00:") + QString::asprintf("%05.2f", seconds);
}

} // namespace

class TestAddMedia : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void commandLineQueuesFilesAndFolders();
    void listFileNamesThePaths_data();
    void listFileNamesThePaths();
    void duplicateIsTheExactPath();
    void addFileOrderAndSelection_data();
    void addFileOrderAndSelection();
    void addDirectory_data();
    void addDirectory();
    void drop_data();
    void drop();
    void dropRefusedWhileListDisabled();
    void dropSkipsOverlongPath();
    void oddPathProbes_data();
    void oddPathProbes();
    void reportInPiecesIsParsedWhole();
    void silentEncoderIsCutOff_data();
    void silentEncoderIsCutOff();
    void encoderThatCannotStartLeavesRowEmpty_data();
    void encoderThatCannotStartLeavesRowEmpty();

private:
    // A folder of media under m_media, holding copies of `clip` (empty
    // files when `clip` is empty). Its accepted rows are `FolderRows`.
    QString plantFolder(const QString& name, const QString& clip = QString()) const;
    QStringList folderRows(const QString& folder) const;
    QString media(const QString& relative) const { return m_media.path() + u'/' + relative; }

    QTemporaryDir m_media;
    QString m_clip;
    QString m_clipLength;
};

void TestAddMedia::initTestCase()
{
    QVERIFY(m_media.isValid());
    m_clip = media(QStringLiteral("one.avi"));
    QVERIFY(TestMedia::MakeClip(m_clip, 1.0));
    const double seconds = TestMedia::ProbeDuration(m_clip);
    QVERIFY(seconds > 0);
    m_clipLength = DurationText(seconds);

    // Plain files for the routes where the fake encoder answers.
    for (const char* name : {"d.AVI", "e.mkv", "notes.txt", "z.avi"})
        QVERIFY(WriteFile(media(QString::fromLatin1(name)), QByteArray()));
    plantFolder(QStringLiteral("folder"));
}

QString TestAddMedia::plantFolder(const QString& name, const QString& clip) const
{
    const QString folder = media(name);
    for (const char* file : {"a.avi", "b.MPG", "c.mkv", "D.avi", ".hidden.avi", "notes.txt", "sub/e.avi",
                             "folder.avi/f.avi"}) {
        const QString path = folder + u'/' + QString::fromLatin1(file);
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (clip.isEmpty())
            WriteFile(path, QByteArray());
        else
            QFile::copy(clip, path);
    }
    return folder;
}

QStringList TestAddMedia::folderRows(const QString& folder) const
{
    return {folder + QStringLiteral("/a.avi"), folder + QStringLiteral("/b.MPG"), folder + QStringLiteral("/D.avi")};
}

void TestAddMedia::commandLineQueuesFilesAndFolders()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    QVERIFY(dir.installAdapter());
    const QString folder = plantFolder(QStringLiteral("clips"), m_clip);

    TMainForm form(dir.programFile(), {m_clip, media(QStringLiteral("notes.txt")), folder});

    const QStringList expected = QStringList{m_clip} + folderRows(folder);
    QCOMPARE(Captions(form), expected);
    for (int row = 0; row < expected.size(); ++row) {
        const QString& path = expected.at(row);
        const QString outputName = QFileInfo(path).completeBaseName();
        QCOMPARE(RowTexts(form, row),
                 (QStringList{path, m_clipLength, QStringLiteral(" 320x240"), QStringLiteral("OK"), outputName,
                              form.ProfileExt, ZeroTime, m_clipLength, m_clipLength, ZeroTime, m_clipLength}));
    }
    QVERIFY(form.panbg->isHidden());
    QVERIFY(ListCommandsEnabled(form));
    QCOMPARE(SelectedRow(form), -1);
    QCOMPARE(form.LastDuration, m_clipLength);
    QCOMPARE(form.LastSourceEnd, m_clipLength);

    // A task takes the extension of the profile loaded when it is added.
    form.ProfileExt = QStringLiteral(".mkv");
    const QString later = media(QStringLiteral("later.mpeg"));
    QVERIFY(QFile::copy(m_clip, later));
    DropPaths(form, {later});
    QTRY_COMPARE(form.ltvTask->topLevelItemCount(), expected.size() + 1);
    QCOMPARE(RowTexts(form, expected.size()).mid(4, 2), (QStringList{QStringLiteral("later"), QStringLiteral(".mkv")}));
    QCOMPARE(RowTexts(form, expected.size()).at(1), m_clipLength);
    QVERIFY(desktop.messages.isEmpty());
}

void TestAddMedia::listFileNamesThePaths_data()
{
    QTest::addColumn<QString>("listName");
    QTest::addColumn<QByteArray>("content"); // "ROOT" stands for the media folder; null: no list file
    QTest::addColumn<QStringList>("expected");

    const QString root = m_media.path() + u'/';
    QTest::addRow("capitals, CR LF, second argument ignored")
        << QStringLiteral("LIST.TMP")
        << QByteArray("ROOT/d.AVI\r\nROOT/folder\r\n\r\nROOT/e.mkv\r\nROOT/nothing.avi\r\nROOT/notes.txt\r\n")
        << QStringList{root + QStringLiteral("d.AVI")} + folderRows(root + QStringLiteral("folder"));
    QTest::addRow("LF, last line unterminated")
        << QStringLiteral("list.tmp") << QByteArray("ROOT/z.avi\nROOT/d.AVI")
        << QStringList{root + QStringLiteral("z.avi"), root + QStringLiteral("d.AVI")};
    QTest::addRow("missing list") << QStringLiteral("missing.tmp") << QByteArray() << QStringList();
    QTest::addRow("folder in place of the list") << QStringLiteral("folder.tmp") << QByteArray("folder")
                                                 << QStringList();
}

void TestAddMedia::listFileNamesThePaths()
{
    QFETCH(QString, listName);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, expected);
    RecordingDesktop desktop;
    ProgramDir dir;
    dir.installFakeEncoder(FakeReport);

    QTemporaryDir lists;
    const QString listFile = lists.path() + u'/' + listName;
    if (content == "folder")
        QVERIFY(QDir().mkdir(listFile));
    else if (!content.isNull())
        QVERIFY(WriteFile(listFile, QByteArray(content).replace("ROOT", m_media.path().toUtf8())));

    // The second argument is a file the list does not name; it must not be queued.
    TMainForm form(dir.programFile(), {listFile, media(QStringLiteral("z.avi"))});
    QCOMPARE(Captions(form), expected);
    QCOMPARE(ListCommandsEnabled(form), !expected.isEmpty());
    QCOMPARE(form.panbg->isHidden(), !expected.isEmpty());
}

void TestAddMedia::duplicateIsTheExactPath()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    dir.installFakeEncoder(FakeReport);
    TMainForm form(dir.programFile());

    const QString path = media(QStringLiteral("z.avi"));
    AddTaskFile(form, path);
    AddTaskFile(form, path);
    QCOMPARE(Captions(form), QStringList{path});
    QCOMPARE(dir.read(QStringLiteral("wmaspi.dll.log")), path.toUtf8() + '\n');

    const QString otherCase = media(QStringLiteral("Z.AVI"));
    AddTaskFile(form, otherCase);
    QCOMPARE(Captions(form), (QStringList{path, otherCase}));
    QCOMPARE(RowTexts(form, 1).mid(1, 4), (QStringList{QStringLiteral("00:00:07.00"), QStringLiteral(" 640x480"),
                                                       QStringLiteral("OK"), QStringLiteral("Z")}));
    QCOMPARE(dir.read(QStringLiteral("wmaspi.dll.log")), (path + u'\n' + otherCase + u'\n').toUtf8());
}

void TestAddMedia::addFileOrderAndSelection_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("chosen"); // empty: the dialog is cancelled
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("selected");

    QTest::addRow("three files, the first goes in last")
        << QStringList() << QStringList{"a.avi", "b.avi", "c.avi"} << QStringList{"b.avi", "c.avi", "a.avi"} << -1;
    QTest::addRow("the first file is selected") << QStringList() << QStringList{"a.avi"} << QStringList{"a.avi"}
                                                << 0;
    QTest::addRow("any type passes") << QStringList() << QStringList{"e.mkv"} << QStringList{"e.mkv"} << 0;
    QTest::addRow("a second file selects nothing")
        << QStringList{"a.avi"} << QStringList{"b.avi"} << QStringList{"a.avi", "b.avi"} << -1;
    QTest::addRow("cancelled with one row still selects it")
        << QStringList{"a.avi"} << QStringList() << QStringList{"a.avi"} << 0;
    QTest::addRow("cancelled on an empty list") << QStringList() << QStringList() << QStringList() << -1;
}

void TestAddMedia::addFileOrderAndSelection()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, chosen);
    QFETCH(QStringList, expected);
    QFETCH(int, selected);
    const auto inMedia = [this](QStringList names) {
        for (QString& name : names)
            name = media(name);
        return names;
    };
    RecordingDesktop desktop;
    ProgramDir dir;
    dir.installFakeEncoder(FakeReport);
    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    for (const QString& path : inMedia(before))
        AddTaskFile(form, path);
    form.edtOutputdir->setFocus();

    desktop.nextOpenFiles << inMedia(chosen);
    form.tbtnAddFile->trigger();

    QCOMPARE(desktop.openFilters, QStringList{ToQtNameFilter(form.OpenDialogFilter)});
    QCOMPARE(Captions(form), inMedia(expected));
    QCOMPARE(SelectedRow(form), selected);
    QTRY_VERIFY(form.ltvTask->hasFocus());
    QCOMPARE(ListCommandsEnabled(form), !expected.isEmpty());
}

void TestAddMedia::addDirectory_data()
{
    QTest::addColumn<QString>("chosen"); // empty: the dialog is cancelled
    QTest::addColumn<QStringList>("expected");
    QTest::addRow("folder") << QStringLiteral("folder") << folderRows(media(QStringLiteral("folder")));
    QTest::addRow("cancelled") << QString() << QStringList();
}

void TestAddMedia::addDirectory()
{
    QFETCH(QString, chosen);
    QFETCH(QStringList, expected);
    RecordingDesktop desktop;
    ProgramDir dir;
    dir.installFakeEncoder(FakeReport);
    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.edtOutputdir->setFocus();

    if (!chosen.isEmpty())
        desktop.nextFolders << media(chosen);
    form.tbtnAddDir->trigger();

    QCOMPARE(desktop.folderTitles, QStringList{QStringLiteral("Add a directory to the Task List")});
    QTRY_COMPARE(Captions(form), expected);
    QCOMPARE(SelectedRow(form), -1);
    QTRY_VERIFY(form.ltvTask->hasFocus());
    QCOMPARE(ListCommandsEnabled(form), !expected.isEmpty());
}

void TestAddMedia::drop_data()
{
    QTest::addColumn<QStringList>("dropped");
    QTest::addColumn<QStringList>("expected");

    const QString folder = media(QStringLiteral("folder"));
    QTest::addRow("folder: its own accepted files only") << QStringList{folder} << folderRows(folder);
    QTest::addRow("folder named like a video")
        << QStringList{folder + QStringLiteral("/folder.avi")}
        << QStringList{folder + QStringLiteral("/folder.avi/f.avi")};
    QTest::addRow("extension in capitals; other types skipped")
        << QStringList{media(QStringLiteral("e.mkv")), media(QStringLiteral("d.AVI")), media(QStringLiteral("notes.txt"))}
        << QStringList{media(QStringLiteral("d.AVI"))};
    QTest::addRow("in the order dropped")
        << QStringList{media(QStringLiteral("z.avi")), folder, media(QStringLiteral("d.AVI"))}
        << QStringList{media(QStringLiteral("z.avi"))} + folderRows(folder) + QStringList{media(QStringLiteral("d.AVI"))};
    QTest::addRow("nothing accepted") << QStringList{media(QStringLiteral("e.mkv"))} << QStringList();
}

void TestAddMedia::drop()
{
    QFETCH(QStringList, dropped);
    QFETCH(QStringList, expected);
    RecordingDesktop desktop;
    ProgramDir dir;
    dir.installFakeEncoder(FakeReport);
    TMainForm form(dir.programFile());

    DropPaths(form, dropped);
    QTRY_COMPARE(Captions(form), expected);
    QCOMPARE(SelectedRow(form), -1);
    QCOMPARE(ListCommandsEnabled(form), !expected.isEmpty());
}

void TestAddMedia::dropRefusedWhileListDisabled()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    dir.installFakeEncoder(FakeReport);
    TMainForm form(dir.programFile());

    form.ltvTask->setEnabled(false);
    DropPaths(form, {media(QStringLiteral("z.avi")), media(QStringLiteral("folder"))});
    QCOMPARE(Captions(form), QStringList());
    QVERIFY(!form.panbg->isHidden());
    QVERIFY(!ListCommandsEnabled(form));
    QVERIFY(dir.read(QStringLiteral("wmaspi.dll.log")).isEmpty());

    form.ltvTask->setEnabled(true);
    DropPaths(form, {media(QStringLiteral("z.avi"))});
    QTRY_COMPARE(Captions(form), QStringList{media(QStringLiteral("z.avi"))});
}

void TestAddMedia::dropSkipsOverlongPath()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    dir.installFakeEncoder(FakeReport);
    TMainForm form(dir.programFile());

    // `longest` is exactly 253 characters; `overlong` begins with it, so a
    // path cut to 253 characters would queue the wrong file.
    const QString prefix = m_media.path() + QStringLiteral("/long-");
    const QString longest = prefix + QString(253 - prefix.size() - 4, u'x') + QStringLiteral(".avi");
    const QString overlong = longest + QStringLiteral("-part2.avi");
    QCOMPARE(longest.size(), 253);
    QVERIFY(WriteFile(longest, QByteArray()));
    QVERIFY(WriteFile(overlong, QByteArray()));

    DropPaths(form, {overlong});
    QCOMPARE(Captions(form), QStringList());
    DropPaths(form, {longest});
    QTRY_COMPARE(Captions(form), QStringList{longest});
}

void TestAddMedia::oddPathProbes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addRow("blank and double quote") << QStringLiteral("my \"best\" clip.avi");
    QTest::addRow("encoder words in the name") << QStringLiteral("Duration: 00:09:09.00, Video: x, y, 9x9, z.avi");
    QTest::addRow("shell characters and letters beyond ASCII") << QStringLiteral("$HOME; `id` Äöü.avi");
}

void TestAddMedia::oddPathProbes()
{
    QFETCH(QString, name);
    RecordingDesktop desktop;
    ProgramDir dir;
    QVERIFY(dir.installAdapter());
    TMainForm form(dir.programFile());
    QTemporaryDir folder;
    const QString path = folder.path() + u'/' + name;
    QVERIFY(QFile::copy(m_clip, path));

    AddTaskFile(form, path);
    QCOMPARE(RowTexts(form, 0).mid(0, 5), (QStringList{path, m_clipLength, QStringLiteral(" 320x240"),
                                                       QStringLiteral("OK"), QFileInfo(name).completeBaseName()}));
}

void TestAddMedia::reportInPiecesIsParsedWhole()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    dir.installFakeEncoder(FakeReportInPieces);
    TMainForm form(dir.programFile());

    AddTaskFile(form, media(QStringLiteral("z.avi")));
    QCOMPARE(RowTexts(form, 0).mid(1, 2), (QStringList{QStringLiteral("00:00:07.00"), QStringLiteral(" 640x480")}));
}

void TestAddMedia::silentEncoderIsCutOff_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("duration");
    QTest::addColumn<QString>("size");
    QTest::addRow("silent from the start") << QByteArray("#!/bin/sh\nexec sleep 41.5\n") << QString() << QString();
    QTest::addRow("silent after its report")
        << QByteArray(FakeReport).append("exec sleep 41.5\n") << QStringLiteral("00:00:07.00")
        << QStringLiteral(" 640x480");
}

void TestAddMedia::silentEncoderIsCutOff()
{
    QFETCH(QByteArray, script);
    QFETCH(QString, duration);
    QFETCH(QString, size);
    RecordingDesktop desktop;
    ProgramDir dir;
    dir.installFakeEncoder(script);
    TMainForm form(dir.programFile());
    form.LastDuration = form.LastVideoSize = form.LastSourceEnd = QStringLiteral("stale");

    QElapsedTimer clock;
    clock.start();
    ProbeMedia(form, media(QStringLiteral("z.avi")), 300);
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(form.LastDuration, duration);
    QCOMPARE(form.LastVideoSize, size);
    QCOMPARE(form.LastSourceStart, ZeroTime);
    QCOMPARE(form.LastSourceEnd, duration);
}

void TestAddMedia::encoderThatCannotStartLeavesRowEmpty_data()
{
    QTest::addColumn<bool>("remove");
    QTest::addRow("missing") << true;
    QTest::addRow("not executable") << false;
}

void TestAddMedia::encoderThatCannotStartLeavesRowEmpty()
{
    QFETCH(bool, remove);
    RecordingDesktop desktop;
    ProgramDir dir;
    QVERIFY(dir.installAdapter());
    TMainForm form(dir.programFile());
    AddTaskFile(form, m_clip);
    QCOMPARE(RowTexts(form, 0).at(1), m_clipLength);

    if (remove)
        QVERIFY(QFile::remove(dir.encoderPath()));
    else
        QVERIFY(QFile(dir.encoderPath()).setPermissions(QFile::ReadOwner | QFile::WriteOwner));
    const QString next = media(QStringLiteral("next.avi"));
    QFile::copy(m_clip, next);
    AddTaskFile(form, next);

    QCOMPARE(RowTexts(form, 1), (QStringList{next, QString(), QString(), QStringLiteral("OK"), QStringLiteral("next"),
                                             form.ProfileExt, ZeroTime, QString(), QString(), ZeroTime, QString()}));
    QVERIFY(desktop.messages.isEmpty());
}

QTEST_MAIN(TestAddMedia)
#include "tst_addmedia.moc"
