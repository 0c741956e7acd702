#pragma once

class TMainForm;

// The task list's editing commands and the output grid's handlers.
void RemoveSelectedTasks(TMainForm& form);
void ClearTasks(TMainForm& form);
void MoveTasksUp(TMainForm& form);
void MoveTasksDown(TMainForm& form);
// Fills the output grid from the first selected task (ltvTaskClick).
void ShowTaskInOutputGrid(TMainForm& form);
// Stores the output grid's values into the first selected task (vleOutputValidate).
void ValidateOutputGrid(TMainForm& form);
void OutputGridMouseDown(TMainForm& form);
// Enables the pop-up menu's items for the list's state (ppmTaskPopup).
void UpdatePopupMenu(TMainForm& form);
// Spreads a change of the list's width over its columns (ltvTaskResize).
void ResizeTaskColumns(TMainForm& form);
// Delete and Backspace in the task list; true when the key was handled.
bool TaskListKeyDown(TMainForm& form, int key);
