#pragma once

#include <QString>
#include <QStringList>

// The items of a comma-terminated list as profiles write them: "A,B,C,"
// holds A, B and C; the text after the last comma is not an item, so "A,B"
// holds only A and a text without a comma holds nothing. Items keep their
// blanks.
QStringList SplitList(const QString& text);

// The names (without folder) of the files in `folder` whose extension, from
// the last "." of the name, equals `extension` in any letter case. Hidden
// and system files count; sub-folders do not. Sorted by name without regard
// to case. A missing or unreadable folder gives nothing.
QStringList ListProfiles(const QString& folder, const QString& extension);

// The profile name shown for a profile file: the file name without its
// extension, in whatever case it was stored.
QString ProfileNameOf(const QString& fileName);

// The file of the profile with this name: always rebuilt as the profile
// folder, the name and ".apf".
QString ProfilePathOf(const QString& profileFolder, const QString& name);
