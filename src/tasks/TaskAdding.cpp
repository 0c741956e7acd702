#include "tasks/TaskAdding.h"

#include "app/TMainForm.h"

void AddTaskFile(TMainForm&, const QString&) {}
void AddTaskFolder(TMainForm&, const QString&) {}
void ProbeMedia(TMainForm&, const QString&) {}
void ImportCommandLine(TMainForm&, const QStringList&) {}
void AddFilesCommand(TMainForm&) {}
void AddDirCommand(TMainForm&) {}
void DropPaths(TMainForm&, const QStringList&) {}
