#include "tasks/TaskRecord.h"

#include <QTreeWidget>
#include <QtTest>

namespace {

// A task list laid out like the main window's: caption and ten sub-items,
// only the first four columns visible.
void layOut(QTreeWidget& list)
{
    list.setColumnCount(11);
    for (int column = 4; column < 11; ++column)
        list.setColumnHidden(column, true);
}

// A row whose every place holds a distinct text; the time places hold
// distinct time texts so each real can be told apart.
const QStringList kRowTexts = {"/v/clip.avi", "00:01:23.45", " 640x480", "OK", "clip", ".mp4",
                               "00:00:01",    "00:00:02",    "00:00:03", "00:00:04", "00:00:05"};

ltvItemData sentinelRecord()
{
    ltvItemData rec;
    rec.FileName = "f";
    rec.Duration = "d";
    rec.VideoSize = "v";
    rec.Status = "s";
    rec.OutputName = "n";
    rec.OutputExt = "e";
    rec.SourceStart = "ss";
    rec.SourceEnd = "se";
    rec.ClipLength = "cl";
    rec.ClipStart = "cs";
    rec.ClipEnd = "ce";
    rec.DurationSec = 100;
    rec.SourceStartSec = 101;
    rec.SourceEndSec = 102;
    rec.ClipLengthSec = 103;
    rec.ClipStartSec = 104;
    rec.ClipEndSec = 105;
    return rec;
}

QStringList textsOf(const ltvItemData& rec)
{
    return {rec.FileName,    rec.Duration,  rec.VideoSize,  rec.Status,    rec.OutputName, rec.OutputExt,
            rec.SourceStart, rec.SourceEnd, rec.ClipLength, rec.ClipStart, rec.ClipEnd};
}

QList<double> realsOf(const ltvItemData& rec)
{
    return {rec.DurationSec,   rec.SourceStartSec, rec.SourceEndSec,
            rec.ClipLengthSec, rec.ClipStartSec,   rec.ClipEndSec};
}

QStringList rowTexts(const QTreeWidget& list, int row)
{
    QStringList texts;
    for (int column = 0; column < 11; ++column)
        texts += list.topLevelItem(row)->text(column);
    return texts;
}

} // namespace

class TestTaskRecord : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void newItem();
    void read_data();
    void read();
    void write_data();
    void write();
    void readAfterWriteRecomputes();
    void missingRow();
};

void TestTaskRecord::defaults()
{
    const ltvItemData rec;
    QCOMPARE(realsOf(rec), QList<double>({-1, -1, -1, -1, -1, -1}));
    QVERIFY(rec.FileName.isEmpty() && rec.ClipEnd.isEmpty());
}

void TestTaskRecord::newItem()
{
    QTreeWidget list;
    layOut(list);
    NewTaskItem(&list);
    QTreeWidgetItem* second = NewTaskItem(&list);
    QCOMPARE(list.topLevelItemCount(), 2);
    QCOMPARE(list.indexOfTopLevelItem(second), 1);
    QCOMPARE(rowTexts(list, 1), QStringList(11, QString()));
}

void TestTaskRecord::read_data()
{
    QTest::addColumn<int>("selector");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<double>>("reals");

    const ltvItemData kept = sentinelRecord();
    const QStringList keptTexts = textsOf(kept);
    const QList<double> keptReals = realsOf(kept);

    QTest::addRow("whole row") << -2 << kRowTexts << QList<double>({83.45, 1, 2, 3, 4, 5});
    {
        QStringList texts = keptTexts;
        texts[0] = kRowTexts[0];
        QTest::addRow("caption only") << -1 << texts << keptReals;
    }
    // Sub-item k goes to text field k + 1; the time texts bring their real.
    const int realOfSubItem[10] = {0, -1, -1, -1, -1, 1, 2, 3, 4, 5};
    for (int selector = 0; selector < 10; ++selector) {
        QStringList texts = keptTexts;
        texts[selector + 1] = kRowTexts[selector + 1];
        QList<double> reals = keptReals;
        const QList<double> rowReals({83.45, 1, 2, 3, 4, 5});
        if (realOfSubItem[selector] >= 0)
            reals[realOfSubItem[selector]] = rowReals[realOfSubItem[selector]];
        QTest::addRow("sub-item %d", selector) << selector << texts << reals;
    }
    QTest::addRow("selector -3") << -3 << keptTexts << keptReals;
    QTest::addRow("selector 10") << 10 << keptTexts << keptReals;
}

void TestTaskRecord::read()
{
    QFETCH(int, selector);
    QFETCH(QStringList, texts);
    QFETCH(QList<double>, reals);

    QTreeWidget list;
    layOut(list);
    NewTaskItem(&list);
    QTreeWidgetItem* item = NewTaskItem(&list);
    for (int column = 0; column < 11; ++column)
        item->setText(column, kRowTexts[column]);

    ltvItemData rec = sentinelRecord();
    ReadTask(&list, 1, selector, rec);
    QCOMPARE(textsOf(rec), texts);
    QCOMPARE(realsOf(rec), reals);
}

void TestTaskRecord::write_data()
{
    QTest::addColumn<int>("selector");
    QTest::addColumn<QStringList>("row");

    const QStringList untouched(11, QStringLiteral("old"));
    const QStringList written = textsOf(sentinelRecord());

    QTest::addRow("whole row") << -2 << written;
    {
        QStringList row = untouched;
        row[0] = written[0];
        QTest::addRow("caption only") << -1 << row;
    }
    for (int selector = 0; selector < 10; ++selector) {
        QStringList row = untouched;
        row[selector + 1] = written[selector + 1];
        QTest::addRow("sub-item %d", selector) << selector << row;
    }
    QTest::addRow("selector -3") << -3 << untouched;
    QTest::addRow("selector 10") << 10 << untouched;
}

void TestTaskRecord::write()
{
    QFETCH(int, selector);
    QFETCH(QStringList, row);

    QTreeWidget list;
    layOut(list);
    for (int i = 0; i < 2; ++i) {
        QTreeWidgetItem* item = NewTaskItem(&list);
        for (int column = 0; column < 11; ++column)
            item->setText(column, QStringLiteral("old"));
    }
    const ltvItemData rec = sentinelRecord();
    WriteTask(&list, 1, selector, rec);
    QCOMPARE(rowTexts(list, 1), row);
    QCOMPARE(rowTexts(list, 0), QStringList(11, QStringLiteral("old")));
    QCOMPARE(realsOf(rec), realsOf(sentinelRecord()));
}

// Reals are never written; they follow the texts the next time the row is
// read, and a text that is no time gives -1.
void TestTaskRecord::readAfterWriteRecomputes()
{
    QTreeWidget list;
    layOut(list);
    NewTaskItem(&list);

    ltvItemData rec;
    rec.Duration = "00:01:00";
    rec.SourceStart = "00:00:00.0";
    rec.SourceEnd = "";
    rec.ClipLength = "abc";
    rec.ClipStart = "00:00:10";
    rec.ClipEnd = "00:00:50";
    rec.DurationSec = 7;
    WriteTask(&list, 0, -2, rec);

    ltvItemData back;
    ReadTask(&list, 0, -2, back);
    QCOMPARE(realsOf(back), QList<double>({60, 0, -1, -1, 10, 50}));

    rec.ClipStart = "00:00:20";
    WriteTask(&list, 0, 8, rec);
    QCOMPARE(back.ClipStartSec, 10.0);
    ReadTask(&list, 0, 8, back);
    QCOMPARE(back.ClipStart, QStringLiteral("00:00:20"));
    QCOMPARE(back.ClipStartSec, 20.0);
}

void TestTaskRecord::missingRow()
{
    QTreeWidget list;
    layOut(list);
    NewTaskItem(&list);
    ltvItemData rec = sentinelRecord();
    ReadTask(&list, 5, -2, rec);
    ReadTask(&list, -1, -2, rec);
    QCOMPARE(textsOf(rec), textsOf(sentinelRecord()));
    WriteTask(&list, 5, -2, rec);
    QCOMPARE(list.topLevelItemCount(), 1);
    QCOMPARE(rowTexts(list, 0), QStringList(11, QString()));
}

QTEST_MAIN(TestTaskRecord)
#include "tst_taskrecord.moc"
