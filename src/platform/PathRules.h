#pragma once

#include <QString>

// The trailing-separator rule: a folder text gets the platform's separator
// appended unless it already ends in one; an empty text becomes the
// separator alone.
QString AppendSeparator(const QString& folder);

// The program directory for a program file's full path: its folder, with
// the trailing-separator rule applied (a program in the root folder gives
// "/" rather than "//").
QString ProgramDirectoryOf(const QString& programFilePath);

// The file-name part of a path: the text after the last separator ("/", and
// on Windows also "\" and ":").
QString FileNamePart(const QString& path);
