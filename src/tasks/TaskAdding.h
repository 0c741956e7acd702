#pragma once

#include <QString>
#include <QStringList>

class TMainForm;

// Adds one file as a task unless a row with exactly that path exists, and
// probes it for its duration and frame size.
void AddTaskFile(TMainForm& form, const QString& path);
// Adds the accepted files directly inside a folder, sorted by name without regard to case.
void AddTaskFolder(TMainForm& form, const QString& folder);
// Runs the encoder on a file and leaves its findings in the last-probe fields.
void ProbeMedia(TMainForm& form, const QString& path);
// Queues the paths named on the command line (or listed in one ".tmp" file).
void ImportCommandLine(TMainForm& form, const QStringList& arguments);
// The Add File, Add Dir and drop routes.
void AddFilesCommand(TMainForm& form);
void AddDirCommand(TMainForm& form);
void DropPaths(TMainForm& form, const QStringList& paths);
