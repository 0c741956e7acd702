#include "tasks/TaskEditing.h"

#include "app/TMainForm.h"
#include "platform/Desktop.h"
#include "platform/NumberText.h"
#include "profiles/ValueListEditor.h"
#include "tasks/MediaNames.h"
#include "tasks/TaskAddQueue.h"
#include "tasks/TaskRecord.h"
#include "tasks/TimeText.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QTimer>
#include <QTreeWidget>
#include <array>

namespace {

const QString kNewFileName = QStringLiteral("New FileName");
const QString kStartTime = QStringLiteral("Start Time");
const QString kEndTime = QStringLiteral("End Time");

bool isSelected(const QTreeWidget* list, int row)
{
    const QTreeWidgetItem* item = list->topLevelItem(row);
    return item && item->isSelected();
}

void setSelected(QTreeWidget* list, int row, bool selected)
{
    if (QTreeWidgetItem* item = list->topLevelItem(row))
        item->setSelected(selected);
}

// The selected row with the lowest index, -1 when none is selected.
int firstSelectedRow(const QTreeWidget* list)
{
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        if (isSelected(list, row))
            return row;
    }
    return -1;
}

bool anySelected(const QTreeWidget* list)
{
    return firstSelectedRow(list) >= 0;
}

void clearOutputGrid(TMainForm& form)
{
    form.SetGridValue(0, kNewFileName, QString());
    form.SetGridValue(0, kStartTime, QString());
    form.SetGridValue(0, kEndTime, QString());
}

// Rows keep their place; only their texts trade places, and the selection
// moves with the task that was selected.
void exchangeTasks(QTreeWidget* list, int selectedRow, int otherRow)
{
    ltvItemData selected;
    ltvItemData other;
    ReadTask(list, selectedRow, -2, selected);
    ReadTask(list, otherRow, -2, other);
    WriteTask(list, selectedRow, -2, other);
    WriteTask(list, otherRow, -2, selected);
    setSelected(list, otherRow, true);
    setSelected(list, selectedRow, false);
}

// Closes the output grid's in-place editor. What was typed into it is
// taken first, as leaving the cell would.
void closeEditor(ValueListEditor* grid)
{
    QWidget* editor = grid->indexWidget(grid->currentIndex());
    if (!editor)
        return;
    QAbstractItemDelegate* delegate = grid->itemDelegate();
    emit delegate->commitData(editor);
    emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

// The window under the mouse pointer when it lies in the grid (the press
// that brought us here happened there); the grid itself otherwise.
QWidget* toolUnderMouse(ValueListEditor* grid)
{
    QWidget* underMouse = QApplication::widgetAt(QCursor::pos());
    return underMouse && (underMouse == grid || grid->isAncestorOf(underMouse)) ? underMouse : grid;
}

} // namespace

void RemoveSelectedTasks(TMainForm& form)
{
    QTreeWidget* list = form.ltvTask;
    for (int row = list->topLevelItemCount() - 1; row >= 0; --row) {
        if (isSelected(list, row))
            delete list->takeTopLevelItem(row);
    }
    clearOutputGrid(form);
    if (list->topLevelItemCount() == 0)
        form.SetListCommandsEnabled(false);
}

void ClearTasks(TMainForm& form)
{
    // Files of a folder still being added would otherwise keep arriving in
    // the list the user has just emptied.
    TaskAddQueue::of(form).clear();
    QTreeWidget* list = form.ltvTask;
    for (int row = list->topLevelItemCount() - 1; row >= 0; --row)
        delete list->takeTopLevelItem(row);
    clearOutputGrid(form);
    form.SetListCommandsEnabled(false);
}

void MoveTasksUp(TMainForm& form)
{
    QTreeWidget* list = form.ltvTask;
    if (!anySelected(list))
        return;
    for (int row = 1; row < list->topLevelItemCount(); ++row) {
        if (isSelected(list, row))
            exchangeTasks(list, row, row - 1);
    }
}

void MoveTasksDown(TMainForm& form)
{
    QTreeWidget* list = form.ltvTask;
    if (!anySelected(list))
        return;
    for (int row = list->topLevelItemCount() - 2; row >= 0; --row) {
        if (isSelected(list, row))
            exchangeTasks(list, row, row + 1);
    }
}

void ShowTaskInOutputGrid(TMainForm& form)
{
    const int row = firstSelectedRow(form.ltvTask);
    if (row < 0) {
        clearOutputGrid(form);
        return;
    }
    ltvItemData task;
    ReadTask(form.ltvTask, row, -2, task);
    // The name is shown with the extension of the profile chosen now, which
    // is the one the conversion will use.
    form.SetGridValue(0, kNewFileName, task.OutputName + form.ProfileExt);
    form.SetGridValue(0, kStartTime, task.ClipStart);
    form.SetGridValue(0, kEndTime, task.ClipEnd);
}

void ValidateOutputGrid(TMainForm& form)
{
    QTreeWidget* list = form.ltvTask;
    const int row = firstSelectedRow(list);
    if (row < 0)
        return;
    ltvItemData task;
    ReadTask(list, row, -2, task);

    const ValueListEditor* grid = form.vleOutput;
    const QString name = grid->Values(QStringLiteral("New Filename"));
    task.OutputExt = OutputExtensionOf(name);
    // The name is what remains without that extension, so that a typed
    // folder with a dot in it stays part of the name.
    task.OutputName = name.left(name.size() - task.OutputExt.size());

    double start = TimeTextToSeconds(grid->Values(kStartTime));
    double end = TimeTextToSeconds(grid->Values(kEndTime));
    if (start == -1)
        start = task.ClipStartSec;
    if (end == -1)
        end = task.ClipEndSec;
    // The start is checked against the end as typed; the end then against
    // the start that survived. Neither check looks at the grid again: the
    // grid keeps showing what the user typed.
    if (start < 0 || start >= end || start >= task.SourceEndSec)
        start = task.ClipStartSec;
    if (end <= 0 || end <= start || end <= task.SourceStartSec)
        end = task.ClipEndSec;

    task.ClipStart = SecondsToTimeText(start);
    task.ClipEnd = SecondsToTimeText(end);
    task.ClipLength = SecondsToTimeText(end - start);
    for (const int selector : {3, 4, 7, 8, 9})
        WriteTask(list, row, selector, task);
}

void OutputGridMouseDown(TMainForm& form)
{
    ValueListEditor* grid = form.vleOutput;
    if (!grid->Values(QStringLiteral("New Filename")).isEmpty()) {
        form.RefreshAllGrids();
        return;
    }
    // An empty name means no task is shown, so there is nothing to edit.
    Desktop::current().balloonTip(toolUnderMouse(grid), 1, QStringLiteral("Tip:"),
                                  QStringLiteral("Please select a file in Task List."));
    closeEditor(grid);
    // The press itself may open an editor on the cell it lands on.
    QTimer::singleShot(0, grid, [grid] { closeEditor(grid); });
}

void UpdatePopupMenu(TMainForm& form)
{
    const bool selection = anySelected(form.ltvTask);
    form.mnuOpen->setEnabled(selection);
    form.mnuRemove->setEnabled(selection);
    form.mnuClear->setEnabled(form.ltvTask->topLevelItemCount() > 0);
    form.mnuAddFiles->setEnabled(true);
    form.mnuAddDirs->setEnabled(true);
}

void ResizeTaskColumns(TMainForm& form)
{
    // Shares of a width change for "Input File", "Length", "Size" and "Status".
    constexpr std::array<double, 4> kShares{0.49, 0.17, 0.15, 0.19};
    QTreeWidget* list = form.ltvTask;
    const int width = list->width();
    const int change = width - list->property("tag").toInt();
    list->setProperty("tag", width);
    if (change == 0)
        return;
    for (int column = 0; column < int(kShares.size()); ++column)
        list->setColumnWidth(column, list->columnWidth(column) + int(RoundHalfEven(change * kShares[size_t(column)])));
}

bool TaskListKeyDown(TMainForm& form, int key)
{
    switch (key) {
    case Qt::Key_Backspace:
        ClearTasks(form);
        return true;
    case Qt::Key_Delete:
        RemoveSelectedTasks(form);
        return true;
    default:
        return false;
    }
}
