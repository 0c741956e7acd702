#pragma once

#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

// One task copied out of its row of the task list. The texts mirror the
// row (caption, then sub-items 0 to 9); the reals are the seconds of the
// time texts, computed when the row is read and never written back. A real
// is -1 when its text is not a well-formed time text.
struct ltvItemData {
    QString FileName;    // caption: the input file as it was added
    QString Duration;    // sub-item 0
    QString VideoSize;   // sub-item 1
    QString Status;      // sub-item 2
    QString OutputName;  // sub-item 3
    QString OutputExt;   // sub-item 4
    QString SourceStart; // sub-item 5
    QString SourceEnd;   // sub-item 6
    QString ClipLength;  // sub-item 7
    QString ClipStart;   // sub-item 8
    QString ClipEnd;     // sub-item 9
    double DurationSec = -1;
    double SourceStartSec = -1;
    double SourceEndSec = -1;
    double ClipLengthSec = -1;
    double ClipStartSec = -1;
    double ClipEndSec = -1;
};

// Selector -2 copies the whole row, -1 the caption only, 0 to 9 the one
// sub-item of that number; any other selector copies nothing. Reading
// recomputes the real of each time text it copies; fields the selector does
// not cover keep what they held. A row index that names no row copies
// nothing either way.
void ReadTask(const QTreeWidget* list, int row, int selector, ltvItemData& rec);
void WriteTask(QTreeWidget* list, int row, int selector, const ltvItemData& rec);

// Appends a row with an empty caption and ten empty sub-items, ready for a
// whole-record write.
QTreeWidgetItem* NewTaskItem(QTreeWidget* list);
