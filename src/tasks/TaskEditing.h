#pragma once

class TMainForm;

// The task list's editing commands and the output grid's handlers.

// Deletes the selected tasks and empties the output grid; an emptied list
// disables the list commands (tbtnRemoveClick).
void RemoveSelectedTasks(TMainForm& form);
// Deletes every task, empties the output grid and disables the list commands (tbtnClearClick).
void ClearTasks(TMainForm& form);
// Moves every selected task one place up or down by exchanging the records
// of neighbouring rows; the row passed over loses its selection
// (tbtnUpClick, tbtnDownClick).
void MoveTasksUp(TMainForm& form);
void MoveTasksDown(TMainForm& form);
// Fills the output grid from the first selected task (ltvTaskClick).
void ShowTaskInOutputGrid(TMainForm& form);
// Stores the output grid's values into the first selected task (vleOutputValidate).
void ValidateOutputGrid(TMainForm& form);
// A press on the output grid without a task shown there tells the user to
// pick one (vleOutputMouseDown).
void OutputGridMouseDown(TMainForm& form);
// Enables the pop-up menu's items for the list's state (ppmTaskPopup).
void UpdatePopupMenu(TMainForm& form);
// Spreads a change of the list's width over its columns (ltvTaskResize).
void ResizeTaskColumns(TMainForm& form);
// Delete and Backspace in the task list; true when the key was handled.
bool TaskListKeyDown(TMainForm& form, int key);
