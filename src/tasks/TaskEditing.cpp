#include "tasks/TaskEditing.h"

#include "app/TMainForm.h"

void RemoveSelectedTasks(TMainForm&) {}
void ClearTasks(TMainForm&) {}
void MoveTasksUp(TMainForm&) {}
void MoveTasksDown(TMainForm&) {}
void ShowTaskInOutputGrid(TMainForm&) {}
void ValidateOutputGrid(TMainForm&) {}
void OutputGridMouseDown(TMainForm&) {}
void UpdatePopupMenu(TMainForm&) {}
void ResizeTaskColumns(TMainForm&) {}
bool TaskListKeyDown(TMainForm&, int)
{
    return false;
}
