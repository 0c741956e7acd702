#pragma once

#include <QList>
#include <QString>
#include <functional>

// The text shown in the main window's grid `grid` (1 Video, 2 Audio,
// 3 Advanced) in the row named `name`, the name compared without regard to
// letter case; the empty text when the grid has no such row.
using GridValueLookup = std::function<QString(int grid, const QString& name)>;

// Appends to `options` the encoder switches of the profile at `profilePath`,
// read with the values the grids show now: for each parameter in the
// profile's numbering order that has a switch and a non-empty argument, a
// blank, the switch, a blank and the argument (nothing after the second
// blank when the argument is a single backslash). Leaves `options` as it was
// when no file exists at the path. Throws ProfileError when a shown caption
// has no item in its value list; the profile file is then not rewritten.
void BuildOptionString(const QString& profilePath, const GridValueLookup& shownValue, QString& options);

// One grid row as a freshly loaded profile shows it.
struct ShownRow {
    int grid = 1;
    QString name;
    QString value;
};

// The rows the grids show right after loading the profile at `profilePath`,
// in profile order: a list parameter shows the caption at its "Index", any
// other parameter its "Caption". Empty when no file exists at the path.
// Throws ProfileError when an "Index" lies outside its caption list.
QList<ShownRow> LoadedProfileValues(const QString& profilePath);

// A look-up over such rows that answers like the grids: the first row of the
// grid with that name, ignoring letter case; the empty text when none.
GridValueLookup LookupIn(const QList<ShownRow>& rows);
