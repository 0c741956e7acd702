#pragma once

#include <QString>
#include <QStringList>

// Names of input media and output files, and the patterns that describe the
// accepted input types.

// The name before its last "."; the whole name when it has none.
// "clip.part1.avi" gives "clip.part1", ".avi" gives "".
QString BaseName(const QString& name);

// True when the extension of the path's file name (from its last ".", dot
// included; empty without one), in lower case, is one of `extensions`.
bool HasInputExtension(const QString& path, const QStringList& extensions);

// The extension of a typed output name: the text from the last "." of its
// file-name part, dot included; empty when that part has no ".".
QString OutputExtensionOf(const QString& text);

// The accepted input types, lower case with their dots, in the order the
// open dialog lists them.
QStringList InputExtensions();

// "*" + extension + ";" for each accepted type, run together.
QString InputMask();

// The open dialog's filter as pairs "Caption|patterns|", ending with the
// "All Files" pair.
QString OpenDialogFilterText();

// A "Caption|patterns|…" filter in Qt's "Caption (pattern pattern);;…" form.
// Captions are kept; where a caption does not already end in its own
// patterns in parentheses, they are appended, because Qt takes the patterns
// from the last parenthesised group of each filter.
QString ToQtNameFilter(const QString& filterText);
