#include "profiles/ParameterGrids.h"

#include "profiles/ParameterNumbers.h"
#include "profiles/ProfileCatalogue.h"
#include "profiles/ProfileError.h"
#include "profiles/ValueListEditor.h"
#include "storage/TNewInifile.h"

#include <QFileInfo>
#include <QPushButton>

ValueListEditor* ParameterGrids::grid(int number) const
{
    switch (number) {
    case 1:
        return video;
    case 2:
        return audio;
    case 3:
        return advanced;
    default:
        return nullptr;
    }
}

void FillInitialRows(const ParameterGrids& grids)
{
    const QStringList videoRows{QStringLiteral("Video Codec"), QStringLiteral("Video Size"),
                                QStringLiteral("Bit Rate"),    QStringLiteral("Frame Rate"),
                                QStringLiteral("Aspect"),      QStringLiteral("Disable Video")};
    const QStringList audioRows{QStringLiteral("Audio Codec"), QStringLiteral("Audio Bitrate"),
                                QStringLiteral("Sample Rate"), QStringLiteral("Channels"),
                                QStringLiteral("Volumn"),      QStringLiteral("Disable Audio")};
    const QStringList advancedRows{QStringLiteral("Bit Exact Algorithms"), QStringLiteral("Deinterlace")};
    const auto fill = [](ValueListEditor* grid, const QStringList& names) {
        grid->ClearRows();
        for (const QString& name : names)
            grid->InsertRow(name, QString());
        grid->FitHeightToRows();
    };
    fill(grids.video, videoRows);
    fill(grids.audio, audioRows);
    fill(grids.advanced, advancedRows);
}

void LoadProfileGrids(const ParameterGrids& grids, const QString& path, QString* profileExt)
{
    if (!QFileInfo(path).isFile())
        return;
    for (ValueListEditor* grid : {grids.video, grids.audio, grids.advanced})
        grid->ClearRows();

    TNewInifile ini(path);
    const QString main = QStringLiteral("Main");
    if (profileExt)
        *profileExt = QStringLiteral(".") + ini.ReadString(main, QStringLiteral("Type"), QStringLiteral("mp4"));
    const int count = ini.ReadInteger(main, QStringLiteral("Para"), 0);
    // A first parameter without a valid grid number goes to the Video grid.
    ValueListEditor* grid = grids.video;
    for (const int k : ParameterNumbers(ini, count)) {
        const QString name = ini.ReadString(main, QString::number(k), QString());
        if (ValueListEditor* chosen = grids.grid(ini.ReadInteger(name, QStringLiteral("Sort"), -1)))
            grid = chosen;
        const bool readOnly = ini.ReadBool(name, QStringLiteral("ReadOnly"), false);
        const int row = grid->InsertRow(name, QString());
        grid->SetReadOnly(row, readOnly);
        const bool isList = ini.ReadBool(name, QStringLiteral("List"), true);
        const QString caption = ini.ReadString(name, QStringLiteral("Caption"), QString());
        if (isList) {
            const QStringList items = SplitList(caption);
            grid->SetEditStyle(row, ValueListEditor::EditStyle::PickList);
            grid->SetPickList(row, items);
            const int index = ini.ReadInteger(name, QStringLiteral("Index"), 0);
            if (index < 0 || index >= items.size())
                throw ProfileError(path, name,
                                   QStringLiteral("its \"Index\" %1 lies outside its list of %2 choices")
                                       .arg(index)
                                       .arg(items.size()));
            grid->SetValue(row, items.at(index));
            grid->SetReadOnly(row, true);
        } else {
            grid->SetValue(row, caption);
        }
    }
    ini.FreeAfterReading();
    for (ValueListEditor* g : {grids.video, grids.audio, grids.advanced})
        g->FitHeightToRows();
}

void ToggleGroup(ValueListEditor* grid, QPushButton* button)
{
    if (button->text() != QStringLiteral("+")) {
        grid->setFixedHeight(1);
        button->setText(QStringLiteral("+"));
    } else {
        const int rows = grid->VisibleRowCount();
        grid->setFixedHeight(rows * ValueListEditor::DefaultRowHeight + rows + 1);
        button->setText(QStringLiteral("-"));
    }
}
