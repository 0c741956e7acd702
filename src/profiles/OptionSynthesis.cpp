#include "profiles/OptionSynthesis.h"

#include "profiles/ParameterNumbers.h"
#include "profiles/ProfileCatalogue.h"
#include "profiles/ProfileError.h"
#include "storage/TNewInifile.h"

#include <QFileInfo>
#include <QStringList>

namespace {

const QString kMain = QStringLiteral("Main");

// One parameter as its section describes it. The grid is resolved by the
// caller, because an invalid "Sort" depends on the parameter before it.
struct Parameter {
    QString name;
    int sort = -1;
    bool readOnly = false;
    QString cmd;
    bool isList = true;
    QString caption;
    QString value;
    int index = 0;
};

int ParameterCount(const TNewInifile& ini) {
    return ini.ReadInteger(kMain, QStringLiteral("Para"), 0);
}

Parameter ReadParameter(const TNewInifile& ini, int k) {
    Parameter p;
    p.name = ini.ReadString(kMain, QString::number(k), QString());
    p.sort = ini.ReadInteger(p.name, QStringLiteral("Sort"), -1);
    p.readOnly = ini.ReadBool(p.name, QStringLiteral("ReadOnly"), false);
    p.cmd = ini.ReadString(p.name, QStringLiteral("cmd"), QString());
    p.isList = ini.ReadBool(p.name, QStringLiteral("List"), true);
    p.caption = ini.ReadString(p.name, QStringLiteral("Caption"), QString());
    p.value = ini.ReadString(p.name, QStringLiteral("Value"), QString());
    p.index = ini.ReadInteger(p.name, QStringLiteral("Index"), 0);
    return p;
}

// A grid number outside 1..3 keeps the grid of the parameter before; the
// first parameter has none before it and lands in the Video grid, as the
// grids place it when the profile is loaded.
int ChooseGrid(int sort, int previousGrid) {
    return sort >= 1 && sort <= 3 ? sort : previousGrid;
}

int IndexOfCaption(const QStringList& captions, const QString& shown) {
    for (int i = 0; i < captions.size(); ++i) {
        if (captions.at(i).compare(shown, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString ArgumentOf(const Parameter& p, int grid, const GridValueLookup& shownValue,
                   const QString& profilePath) {
    if (p.isList) {
        const QString shown = shownValue(grid, p.name);
        const int position = IndexOfCaption(SplitList(p.caption), shown);
        // A text that is none of the captions was put there on purpose, such
        // as a frame size typed into the custom size dialog: it goes to the
        // encoder as it stands.
        if (position < 0)
            return shown;
        const QStringList values = SplitList(p.value);
        if (position >= values.size()) {
            throw ProfileError(
                profilePath, p.name,
                QStringLiteral("The choice \"%1\" of parameter \"%2\" has no encoder value: its "
                               "\"Value\" list holds %3 items, fewer than its \"Caption\" list.")
                    .arg(shown, p.name)
                    .arg(values.size()));
        }
        return values.at(position);
    }
    if (p.readOnly)
        return p.value;
    return shownValue(grid, p.name);
}

} // namespace

void BuildOptionString(const QString& profilePath, const GridValueLookup& shownValue, QString& options) {
    if (!QFileInfo(profilePath).isFile())
        return;
    TNewInifile ini(profilePath);
    // Contributions are collected apart and appended only once the whole
    // profile has been read, so a malformed profile leaves no half-built
    // switch text behind.
    QString contributions;
    int grid = 1;
    const int count = ParameterCount(ini);
    for (const int k : ParameterNumbers(ini, count)) {
        const Parameter p = ReadParameter(ini, k);
        grid = ChooseGrid(p.sort, grid);
        QString argument = ArgumentOf(p, grid, shownValue, profilePath);
        if (p.cmd.isEmpty() || argument.isEmpty())
            continue;
        // A lone backslash asks for the switch by itself, without argument.
        if (argument == QStringLiteral("\\"))
            argument.clear();
        contributions += u' ' + p.cmd + u' ' + argument;
    }
    ini.Free();
    options += contributions;
}

QList<ShownRow> LoadedProfileValues(const QString& profilePath) {
    QList<ShownRow> rows;
    if (!QFileInfo(profilePath).isFile())
        return rows;
    TNewInifile ini(profilePath);
    int grid = 1;
    const int count = ParameterCount(ini);
    for (const int k : ParameterNumbers(ini, count)) {
        const Parameter p = ReadParameter(ini, k);
        grid = ChooseGrid(p.sort, grid);
        QString shown = p.caption;
        if (p.isList) {
            const QStringList captions = SplitList(p.caption);
            if (p.index < 0 || p.index >= captions.size()) {
                throw ProfileError(profilePath, p.name,
                                   QStringLiteral("The \"Index\" %1 of parameter \"%2\" lies outside its %3 "
                                                  "captions.")
                                       .arg(p.index)
                                       .arg(p.name)
                                       .arg(captions.size()));
            }
            shown = captions.at(p.index);
        }
        rows.append(ShownRow{grid, p.name, shown});
    }
    ini.Free();
    return rows;
}

GridValueLookup LookupIn(const QList<ShownRow>& rows) {
    return [rows](int grid, const QString& name) {
        for (const ShownRow& row : rows) {
            if (row.grid == grid && row.name.compare(name, Qt::CaseInsensitive) == 0)
                return row.value;
        }
        return QString();
    };
}
