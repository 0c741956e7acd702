#pragma once

#include "conversion/EncoderProcess.h"

#include <QString>
#include <QStringList>

class TMainForm;

// Adds one file as a task unless a row with exactly that path exists, and
// probes it for its duration and frame size.
void AddTaskFile(TMainForm& form, const QString& path);
// Adds the accepted files directly inside a folder, sorted by name without
// regard to case, before it returns (the command line at start-up).
void AddTaskFolder(TMainForm& form, const QString& folder);
// An encoder that says nothing for this long is taken to hang and is
// killed; the file is queued with whatever it printed until then.
constexpr int ProbeSilenceLimitMs = 10000;

// Runs the encoder on a file and leaves its findings in the last-probe
// fields: the duration and frame size as printed, start "00:00:00.0" and end
// = the duration. An encoder that cannot be started counts as one that
// printed nothing, so the fields never keep an earlier file's findings. One
// that is still running after timeLimitMs is killed like a silent one.
void ProbeMedia(TMainForm& form, const QString& path, int silenceLimitMs = ProbeSilenceLimitMs,
                int timeLimitMs = ProbeTimeLimitMs);
// Queues the paths named on the command line (or listed in one ".tmp" file).
void ImportCommandLine(TMainForm& form, const QStringList& arguments);
// The Add File, Add Dir and drop routes. Add Dir and drops hand their files
// to the window's TaskAddQueue and return before they are added. A dropped
// path longer than 253 characters is skipped.
void AddFilesCommand(TMainForm& form);
void AddDirCommand(TMainForm& form);
void DropPaths(TMainForm& form, const QStringList& paths);
