// Editing the task list (remove, clear, move, keys, pop-up menu, column
// widths) and each task's output settings in the output grid, up to a real
// conversion of an edited task.
#include "ProgramDir.h"
#include "RecordingDesktop.h"
#include "TestMedia.h"

#include "app/TMainForm.h"
#include "profiles/ValueListEditor.h"
#include "tasks/TaskAdding.h"
#include "tasks/TaskRecord.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

namespace {

const QString kNewFilename = QStringLiteral("New Filename");
const QString kStartTime = QStringLiteral("Start Time");
const QString kEndTime = QStringLiteral("End Time");

// A task named by one letter; every field carries the letter or its own
// times so that a moved record can be recognised whole.
ltvItemData taskRecord(const QString& name, const QString& duration,
                       const QString& sourceStart = QStringLiteral("00:00:00.0"))
{
    ltvItemData task;
    task.FileName = name;
    task.Duration = duration;
    task.VideoSize = QStringLiteral(" 320x240");
    task.Status = QStringLiteral("OK");
    task.OutputName = name;
    task.OutputExt = QStringLiteral(".avi");
    task.SourceStart = sourceStart;
    task.SourceEnd = duration;
    task.ClipLength = duration;
    task.ClipStart = sourceStart;
    task.ClipEnd = duration;
    return task;
}

void addTask(TMainForm& form, const ltvItemData& task)
{
    NewTaskItem(form.ltvTask);
    WriteTask(form.ltvTask, form.ltvTask->topLevelItemCount() - 1, -2, task);
}

QString rowNames(const TMainForm& form, bool selectedOnly)
{
    QString names;
    for (int row = 0; row < form.ltvTask->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = form.ltvTask->topLevelItem(row);
        if (!selectedOnly || item->isSelected())
            names += item->text(0);
    }
    return names;
}

void select(TMainForm& form, const QString& names)
{
    form.ltvTask->clearSelection();
    for (int row = 0; row < form.ltvTask->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = form.ltvTask->topLevelItem(row);
        item->setSelected(names.contains(item->text(0)));
    }
}

QStringList outputGrid(const TMainForm& form)
{
    return {form.vleOutput->Values(kNewFilename), form.vleOutput->Values(kStartTime), form.vleOutput->Values(kEndTime)};
}

QPoint cellCentre(const ValueListEditor* grid, const QString& key)
{
    return grid->visualItemRect(grid->item(grid->FindRow(key), 1)).center();
}

// The in-place editor of the value cell of the row named `key`, opened as
// a click on the cell opens it.
QLineEdit* openEditor(ValueListEditor* grid, const QString& key)
{
    grid->setCurrentCell(grid->FindRow(key), 1);
    if (!grid->indexWidget(grid->currentIndex()))
        grid->edit(grid->currentIndex());
    return qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
}

// The shown main window with the tasks A, B and C (10, 20 and 30 seconds)
// and the list commands enabled, as adding them leaves it.
struct Fixture {
    RecordingDesktop desktop;
    ProgramDir dir;
    std::unique_ptr<TMainForm> form;

    void open(int tasks = 3)
    {
        form = std::make_unique<TMainForm>(dir.programFile());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->ProfileExt = QStringLiteral(".mp4");
        for (int i = 0; i < tasks; ++i)
            addTask(*form, taskRecord(QString(QChar(u'A' + i)), QStringLiteral("00:00:%1").arg((i + 1) * 10)));
        if (tasks > 0)
            form->SetListCommandsEnabled(true);
    }
};

} // namespace

class TestTaskEditing : public QObject
{
    Q_OBJECT

private slots:
    void movesExchangeWholeRecords_data();
    void movesExchangeWholeRecords();
    void removeAndClear_data();
    void removeAndClear();
    void clickShowsFirstSelectedTask();
    void validateStoresOutputSettings_data();
    void validateStoresOutputSettings();
    void validateWithoutSelectionChangesNothing();
    void pressWithoutTaskShowsTip();
    void popupEnablesItems_data();
    void popupEnablesItems();
    void resizeSpreadsWidthChange_data();
    void resizeSpreadsWidthChange();
    void editedTaskConverts();
};

void TestTaskEditing::movesExchangeWholeRecords_data()
{
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("selectedAfter");

    QTest::addRow("up A,B") << true << "AB"
                            << "BAC"
                            << "B";
    QTest::addRow("up B,C") << true << "BC"
                            << "BCA"
                            << "BC";
    QTest::addRow("up A,C") << true << "AC"
                            << "ACB"
                            << "AC";
    QTest::addRow("up all") << true << "ABC"
                            << "BCA"
                            << "BC";
    QTest::addRow("up first only") << true << "A"
                                   << "ABC"
                                   << "A";
    QTest::addRow("up nothing") << true << ""
                                << "ABC"
                                << "";
    QTest::addRow("down A,B") << false << "AB"
                              << "CAB"
                              << "AB";
    QTest::addRow("down B,C") << false << "BC"
                              << "ACB"
                              << "B";
    QTest::addRow("down A,C") << false << "AC"
                              << "BAC"
                              << "AC";
    QTest::addRow("down last only") << false << "C"
                                    << "ABC"
                                    << "C";
    QTest::addRow("down nothing") << false << ""
                                  << "ABC"
                                  << "";
}

void TestTaskEditing::movesExchangeWholeRecords()
{
    QFETCH(bool, up);
    QFETCH(QString, selected);
    QFETCH(QString, order);
    QFETCH(QString, selectedAfter);
    Fixture fixture;
    fixture.open();
    TMainForm& form = *fixture.form;
    select(form, selected);
    form.SetGridValue(0, kNewFilename, QStringLiteral("shown.mp4"));

    QAction* command = up ? form.tbtnUp : form.tbtnDown;
    QVERIFY(command->isEnabled());
    command->trigger();

    QCOMPARE(rowNames(form, false), order);
    QCOMPARE(rowNames(form, true), selectedAfter);
    for (int row = 0; row < 3; ++row) {
        ltvItemData task;
        ReadTask(form.ltvTask, row, -2, task);
        const int number = task.FileName.at(0).unicode() - u'A' + 1;
        const QString duration = QStringLiteral("00:00:%1").arg(number * 10);
        QCOMPARE(task.OutputName, task.FileName);
        QCOMPARE(task.Duration, duration);
        QCOMPARE(task.ClipEnd, duration);
    }
    QCOMPARE(form.vleOutput->Values(kNewFilename), QStringLiteral("shown.mp4"));
}

void TestTaskEditing::removeAndClear_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("remaining");

    QTest::addRow("Remove command") << "tbtnRemove"
                                    << "B"
                                    << "AC";
    QTest::addRow("Delete button") << "sbtnDelete"
                                   << "AC"
                                   << "B";
    QTest::addRow("Remove menu item, all") << "mnuRemove"
                                           << "ABC"
                                           << "";
    QTest::addRow("Remove, nothing selected") << "tbtnRemove"
                                              << ""
                                              << "ABC";
    QTest::addRow("Delete key") << "Delete"
                                << "B"
                                << "AC";
    QTest::addRow("Shift+Delete") << "Shift+Delete"
                                  << "C"
                                  << "AB";
    QTest::addRow("Clear command") << "tbtnClear"
                                   << "B"
                                   << "";
    QTest::addRow("Clear button") << "sbtnClear"
                                  << ""
                                  << "";
    QTest::addRow("Clear menu item") << "mnuClear"
                                     << "A"
                                     << "";
    QTest::addRow("Backspace") << "Backspace"
                               << "B"
                               << "";
    QTest::addRow("Ctrl+Alt+Backspace") << "Ctrl+Alt+Backspace"
                                        << ""
                                        << "";
}

void TestTaskEditing::removeAndClear()
{
    QFETCH(QString, command);
    QFETCH(QString, selected);
    QFETCH(QString, remaining);
    Fixture fixture;
    fixture.open();
    TMainForm& form = *fixture.form;
    select(form, selected);
    form.ltvTaskClick();
    QVERIFY(selected.isEmpty() || !form.vleOutput->Values(kNewFilename).isEmpty());

    if (auto* action = form.findChild<QAction*>(command)) {
        QVERIFY(action->isEnabled());
        action->trigger();
    } else if (auto* button = form.findChild<QToolButton*>(command)) {
        button->click();
    } else if (command.endsWith(QStringLiteral("Delete"))) {
        QTest::keyClick(form.ltvTask, Qt::Key_Delete,
                        command.startsWith(QStringLiteral("Shift")) ? Qt::ShiftModifier : Qt::NoModifier);
    } else {
        QTest::keyClick(form.ltvTask, Qt::Key_Backspace,
                        command.startsWith(QStringLiteral("Ctrl")) ? Qt::ControlModifier | Qt::AltModifier
                                                                   : Qt::NoModifier);
    }

    QCOMPARE(rowNames(form, false), remaining);
    QCOMPARE(outputGrid(form), QStringList(3));
    for (QAction* listCommand : {form.tbtnUp, form.tbtnDown, form.tbtnRemove, form.tbtnClear, form.tbtnStart})
        QCOMPARE(listCommand->isEnabled(), !remaining.isEmpty());
}

void TestTaskEditing::clickShowsFirstSelectedTask()
{
    Fixture fixture;
    fixture.open();
    TMainForm& form = *fixture.form;
    ltvItemData b;
    ReadTask(form.ltvTask, 1, -2, b);
    b.ClipStart = QStringLiteral("00:00:02");
    b.ClipEnd = QStringLiteral("00:00:15.5");
    b.OutputExt = QStringLiteral(".mkv");
    WriteTask(form.ltvTask, 1, -2, b);
    QWidget* viewport = form.ltvTask->viewport();
    const auto centreOf = [&form](int row) {
        return form.ltvTask->visualItemRect(form.ltvTask->topLevelItem(row)).center();
    };

    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, centreOf(2));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, centreOf(1));
    QCOMPARE(rowNames(form, true), QStringLiteral("BC"));
    // The profile's extension, not the one stored with the task.
    QCOMPARE(outputGrid(form),
             (QStringList{QStringLiteral("B.mp4"), QStringLiteral("00:00:02"), QStringLiteral("00:00:15.5")}));

    // Keys move the selection without refreshing the grid.
    QTest::keyClick(form.ltvTask, Qt::Key_Home);
    QCOMPARE(outputGrid(form).constFirst(), QStringLiteral("B.mp4"));

    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(20, viewport->height() - 10));
    QCOMPARE(rowNames(form, true), QString());
    QTRY_COMPARE(outputGrid(form), QStringList(3));
}

void TestTaskEditing::validateStoresOutputSettings_data()
{
    QTest::addColumn<QString>("duration");
    QTest::addColumn<QString>("sourceStart");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QStringList>("stored"); // OutputName, OutputExt, ClipStart, ClipEnd, ClipLength

    const QString minute = QStringLiteral("00:01:00");
    const QString zero = QStringLiteral("00:00:00.0");
    QTest::addRow("clip inside") << minute << zero << "A.mp4"
                                 << "00:00:10"
                                 << "00:00:50" << QStringList{"A", ".mp4", "00:00:10", "00:00:50", "00:00:40"};
    QTest::addRow("start after end keeps old start")
        << minute << zero << "A.mp4"
        << "00:00:30"
        << "00:00:20" << QStringList{"A", ".mp4", "00:00:00", "00:00:20", "00:00:20"};
    QTest::addRow("start at source end, end unbounded")
        << minute << zero << "A.mp4"
        << "00:01:00"
        << "00:05:00" << QStringList{"A", ".mp4", "00:00:00", "00:05:00", "00:05:00"};
    QTest::addRow("malformed start") << minute << zero << "A.mp4"
                                     << "abc"
                                     << "00:00:50" << QStringList{"A", ".mp4", "00:00:00", "00:00:50", "00:00:50"};
    QTest::addRow("zero end keeps old end")
        << minute << zero << "A.mp4"
        << "00:00:10"
        << "00:00:00" << QStringList{"A", ".mp4", "00:00:00", "00:01:00", "00:01:00"};
    QTest::addRow("both malformed") << minute << zero << "A.mp4"
                                    << ""
                                    << "1:2" << QStringList{"A", ".mp4", "00:00:00", "00:01:00", "00:01:00"};
    QTest::addRow("negative start") << minute << zero << "A.mp4"
                                    << "-1:00:00"
                                    << "00:00:50" << QStringList{"A", ".mp4", "00:00:00", "00:00:50", "00:00:50"};
    QTest::addRow("end not after source start")
        << minute << "00:00:05"
        << "A.mp4"
        << "00:00:01"
        << "00:00:04" << QStringList{"A", ".mp4", "00:00:01", "00:01:00", "00:00:59"};
    QTest::addRow("times rounded to tenths") << "00:01:23.45" << zero << "A.mp4" << zero << "00:01:23.45"
                                             << QStringList{"A", ".mp4", "00:00:00", "00:01:23.5", "00:01:23.5"};
    QTest::addRow("tenths tie to even") << minute << zero << "A.mp4"
                                        << "00:00:10.25"
                                        << "01:00:00"
                                        << QStringList{"A", ".mp4", "00:00:10.2", "01:00:00", "00:59:49.8"};
    QTest::addRow("extension typed") << minute << zero << "holiday.avi" << zero << minute
                                     << QStringList{"holiday", ".avi", "00:00:00", "00:01:00", "00:01:00"};
    QTest::addRow("no extension") << minute << zero << "movie" << zero << minute
                                  << QStringList{"movie", "", "00:00:00", "00:01:00", "00:01:00"};
    QTest::addRow("last dot decides") << minute << zero << "clip.part1.mkv" << zero << minute
                                      << QStringList{"clip.part1", ".mkv", "00:00:00", "00:01:00", "00:01:00"};
    QTest::addRow("dot in a folder") << minute << zero << "take.2/final" << zero << minute
                                     << QStringList{"take.2/final", "", "00:00:00", "00:01:00", "00:01:00"};
    QTest::addRow("emptied name") << minute << zero << "" << zero << minute
                                  << QStringList{"", "", "00:00:00", "00:01:00", "00:01:00"};
}

void TestTaskEditing::validateStoresOutputSettings()
{
    QFETCH(QString, duration);
    QFETCH(QString, sourceStart);
    QFETCH(QString, name);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QStringList, stored);
    Fixture fixture;
    fixture.open(0);
    TMainForm& form = *fixture.form;
    addTask(form, taskRecord(QStringLiteral("X"), QStringLiteral("00:00:09")));
    const ltvItemData original = taskRecord(QStringLiteral("A"), duration, sourceStart);
    addTask(form, original);
    select(form, QStringLiteral("A"));
    form.vleOutput->SetValues(kNewFilename, name);
    form.vleOutput->SetValues(kStartTime, start);
    form.vleOutput->SetValues(kEndTime, end);

    form.vleOutputValidate(form.vleOutput->FindRow(kStartTime));

    ltvItemData task;
    ReadTask(form.ltvTask, 1, -2, task);
    QCOMPARE((QStringList{task.OutputName, task.OutputExt, task.ClipStart, task.ClipEnd, task.ClipLength}), stored);
    QCOMPARE((QStringList{task.FileName, task.Duration, task.VideoSize, task.Status, task.SourceStart, task.SourceEnd}),
             (QStringList{original.FileName, original.Duration, original.VideoSize, original.Status,
                          original.SourceStart, original.SourceEnd}));
    // The grid keeps what was typed; the stored values show at the next click.
    QCOMPARE(outputGrid(form), (QStringList{name, start, end}));
    ltvItemData other;
    ReadTask(form.ltvTask, 0, -2, other);
    QCOMPARE(other.ClipEnd, QStringLiteral("00:00:09"));
}

void TestTaskEditing::validateWithoutSelectionChangesNothing()
{
    Fixture fixture;
    fixture.open(1);
    TMainForm& form = *fixture.form;
    form.vleOutput->SetValues(kNewFilename, QStringLiteral("other.avi"));
    form.vleOutput->SetValues(kStartTime, QStringLiteral("00:00:02"));
    form.vleOutputValidate(0);
    ltvItemData task;
    ReadTask(form.ltvTask, 0, -2, task);
    QCOMPARE(task.OutputName, QStringLiteral("A"));
    QCOMPARE(task.ClipStart, QStringLiteral("00:00:00.0"));
}

void TestTaskEditing::pressWithoutTaskShowsTip()
{
    Fixture fixture;
    fixture.open(1);
    TMainForm& form = *fixture.form;
    ValueListEditor* grid = form.vleOutput;
    QWidget* viewport = grid->viewport();

    // With a task shown a press only repaints.
    select(form, QStringLiteral("A"));
    form.ltvTaskClick();
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, cellCentre(grid, kEndTime));
    QVERIFY(fixture.desktop.balloons.isEmpty());

    // Emptying the name shows the tip at the next press although a task is
    // selected, and no editor stays open.
    QLineEdit* editor = openEditor(grid, kNewFilename);
    QVERIFY(editor);
    editor->clear();
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!grid->indexWidget(grid->currentIndex()));
    ltvItemData task;
    ReadTask(form.ltvTask, 0, -2, task);
    QCOMPARE(task.OutputName, QString());
    QVERIFY(openEditor(grid, kEndTime));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, cellCentre(grid, kStartTime));

    QCOMPARE(fixture.desktop.balloons.size(), 1);
    const RecordingDesktop::Balloon& balloon = fixture.desktop.balloons.constFirst();
    QVERIFY(balloon.tool == grid || grid->isAncestorOf(balloon.tool));
    QCOMPARE(balloon.icon, 1);
    QCOMPARE(balloon.title, QStringLiteral("Tip:"));
    QCOMPARE(balloon.text, QStringLiteral("Please select a file in Task List."));
    QCOMPARE(grid->currentRow(), grid->FindRow(kStartTime));
    QTRY_VERIFY(!grid->indexWidget(grid->currentIndex()));
}

void TestTaskEditing::popupEnablesItems_data()
{
    QTest::addColumn<int>("tasks");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<bool>("selectionItems"); // Open, Remove
    QTest::addColumn<bool>("clear");

    QTest::addRow("empty list") << 0 << "" << false << false;
    QTest::addRow("nothing selected") << 3 << "" << false << true;
    QTest::addRow("one selected") << 3 << "B" << true << true;
}

void TestTaskEditing::popupEnablesItems()
{
    QFETCH(int, tasks);
    QFETCH(QString, selected);
    QFETCH(bool, selectionItems);
    QFETCH(bool, clear);
    Fixture fixture;
    fixture.open(tasks);
    TMainForm& form = *fixture.form;
    select(form, selected);
    for (QAction* item : {form.mnuOpen, form.mnuAddFiles, form.mnuAddDirs, form.mnuRemove, form.mnuClear})
        item->setEnabled(!selectionItems);

    form.ppmTaskPopup(QPoint(10, 10));
    form.ppmTask->hide();

    QCOMPARE(form.mnuOpen->isEnabled(), selectionItems);
    QCOMPARE(form.mnuRemove->isEnabled(), selectionItems);
    QCOMPARE(form.mnuClear->isEnabled(), clear);
    QVERIFY(form.mnuAddFiles->isEnabled());
    QVERIFY(form.mnuAddDirs->isEnabled());
}

void TestTaskEditing::resizeSpreadsWidthChange_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<QList<int>>("growth");
    QTest::addRow("100 wider") << 100 << QList<int>{49, 17, 15, 19};
    QTest::addRow("ties to even") << 50 << QList<int>{24, 8, 8, 10};
    QTest::addRow("narrower") << -26 << QList<int>{-13, -4, -4, -5};
}

void TestTaskEditing::resizeSpreadsWidthChange()
{
    QFETCH(int, change);
    QFETCH(QList<int>, growth);
    Fixture fixture;
    fixture.open(0);
    QTreeWidget* list = fixture.form->ltvTask;
    QCOMPARE(list->property("tag").toInt(), list->width());
    QList<int> before;
    for (int column = 0; column < 4; ++column)
        before << list->columnWidth(column);

    list->resize(list->width() + change, list->height());

    QCOMPARE(list->property("tag").toInt(), list->width());
    for (int column = 0; column < 4; ++column)
        QCOMPARE(list->columnWidth(column) - before.at(column), growth.at(column));
}

void TestTaskEditing::editedTaskConverts()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    QVERIFY(dir.installAdapter());
    dir.copyShippedProfiles();
    const QString clip = dir.path() + QStringLiteral("clip.avi");
    QVERIFY(TestMedia::MakeClip(clip, 4.0));
    const QString outputFolder = dir.path() + QStringLiteral("out/");
    QVERIFY(QDir().mkpath(outputFolder));

    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.cmbProfile->setCurrentIndex(form.cmbProfile->findText(QStringLiteral("MP4 Video (H.264 + AAC)")));
    form.cmbProfileChange();
    QCOMPARE(form.ProfileExt, QStringLiteral(".mp4"));
    form.edtOutputdir->setText(outputFolder);
    AddTaskFile(form, clip);
    QCOMPARE(form.ltvTask->topLevelItemCount(), 1);
    form.SetListCommandsEnabled(true);
    QTest::mouseClick(form.ltvTask->viewport(), Qt::LeftButton, Qt::NoModifier,
                      form.ltvTask->visualItemRect(form.ltvTask->topLevelItem(0)).center());
    QCOMPARE(form.vleOutput->Values(kNewFilename), QStringLiteral("clip.mp4"));

    // Type each value into its cell and leave it with Enter.
    ValueListEditor* grid = form.vleOutput;
    const QList<QPair<QString, QString>> edits{{kStartTime, QStringLiteral("00:00:01")},
                                               {kEndTime, QStringLiteral("00:00:03")},
                                               {kNewFilename, QStringLiteral("trimmed.mkv")}};
    for (const auto& [key, text] : edits) {
        QLineEdit* editor = openEditor(grid, key);
        QVERIFY2(editor, qPrintable(key));
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!grid->indexWidget(grid->currentIndex()));
    }
    ltvItemData task;
    ReadTask(form.ltvTask, 0, -2, task);
    QCOMPARE((QStringList{task.OutputName, task.OutputExt, task.ClipStart, task.ClipEnd, task.ClipLength}),
             (QStringList{QStringLiteral("trimmed"), QStringLiteral(".mkv"), QStringLiteral("00:00:01"),
                          QStringLiteral("00:00:03"), QStringLiteral("00:00:02")}));

    QVERIFY(form.tbtnStart->isEnabled());
    form.tbtnStart->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(form.ltvTask->topLevelItem(0)->text(3), QStringLiteral("Complete"), 60000);

    // The name as typed, with the extension of the profile that converts it.
    const QString output = outputFolder + QStringLiteral("trimmed.mp4");
    QVERIFY2(QFileInfo::exists(output), qPrintable(QDir(outputFolder).entryList(QDir::Files).join(u',')));
    QVERIFY(qAbs(TestMedia::ProbeDuration(output) - 2.0) < 0.3);
}

QTEST_MAIN(TestTaskEditing)
#include "tst_taskediting.moc"
