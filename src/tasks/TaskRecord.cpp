#include "tasks/TaskRecord.h"

#include "tasks/TimeText.h"

#include <QTreeWidget>

namespace {

constexpr int kSubItemCount = 10;

// The text field behind each sub-item, in row order.
QString ltvItemData::*const kTextFields[kSubItemCount] = {
    &ltvItemData::Duration,  &ltvItemData::VideoSize,   &ltvItemData::Status,    &ltvItemData::OutputName,
    &ltvItemData::OutputExt, &ltvItemData::SourceStart, &ltvItemData::SourceEnd, &ltvItemData::ClipLength,
    &ltvItemData::ClipStart, &ltvItemData::ClipEnd};

// The real kept beside each sub-item that holds a time text.
double ltvItemData::*const kSecondsFields[kSubItemCount] = {&ltvItemData::DurationSec,
                                                            nullptr,
                                                            nullptr,
                                                            nullptr,
                                                            nullptr,
                                                            &ltvItemData::SourceStartSec,
                                                            &ltvItemData::SourceEndSec,
                                                            &ltvItemData::ClipLengthSec,
                                                            &ltvItemData::ClipStartSec,
                                                            &ltvItemData::ClipEndSec};

// Sub-item k lives in column k + 1; column 0 is the caption.
void readSubItem(const QTreeWidgetItem* item, int index, ltvItemData& rec)
{
    const QString text = item->text(index + 1);
    rec.*kTextFields[index] = text;
    if (kSecondsFields[index])
        rec.*kSecondsFields[index] = TimeTextToSeconds(text);
}

} // namespace

void ReadTask(const QTreeWidget* list, int row, int selector, ltvItemData& rec)
{
    const QTreeWidgetItem* item = list->topLevelItem(row);
    if (!item)
        return;
    if (selector == -2) {
        rec.FileName = item->text(0);
        for (int index = 0; index < kSubItemCount; ++index)
            readSubItem(item, index, rec);
    } else if (selector == -1) {
        rec.FileName = item->text(0);
    } else if (selector >= 0 && selector < kSubItemCount) {
        readSubItem(item, selector, rec);
    }
}

void WriteTask(QTreeWidget* list, int row, int selector, const ltvItemData& rec)
{
    QTreeWidgetItem* item = list->topLevelItem(row);
    if (!item)
        return;
    if (selector == -2) {
        item->setText(0, rec.FileName);
        for (int index = 0; index < kSubItemCount; ++index)
            item->setText(index + 1, rec.*kTextFields[index]);
    } else if (selector == -1) {
        item->setText(0, rec.FileName);
    } else if (selector >= 0 && selector < kSubItemCount) {
        item->setText(selector + 1, rec.*kTextFields[selector]);
    }
}

QTreeWidgetItem* NewTaskItem(QTreeWidget* list)
{
    auto* item = new QTreeWidgetItem(list);
    for (int column = 0; column <= kSubItemCount; ++column)
        item->setText(column, QString());
    return item;
}
