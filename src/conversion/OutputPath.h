#pragma once

#include "tasks/TaskRecord.h"

#include <QString>
#include <functional>

// The output file of the task at `taskIndex` (0-based) in the folder typed
// by the user: the folder, the task's output name and the profile's
// extension. When that file exists and may not be overwritten, or when it
// is the input file itself, the name gets "_" and the task's position
// counted from 1, with the task's own extension. The result is never the
// input file, nor a file that `isInput` names (the inputs of the batch's
// other tasks, which must not be written over before they are converted):
// the plain name that is one gives way to the indexed name, and an indexed
// name that is one gets a further "_2", "_3" and so on.
QString BuildOutputPath(const QString& folderText, const ltvItemData& task, const QString& profileExt,
                        int taskIndex, bool overwrite, const std::function<bool(const QString&)>& fileExists,
                        const std::function<bool(const QString&)>& isInput = {});

// The task's own encoder switches: its start when it differs from the
// source's start, its length in whole seconds when it differs from the
// duration. Empty for a task that converts the whole source.
QString ClipSwitches(const ltvItemData& task);
