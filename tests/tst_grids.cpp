// The parameter grids: filling them from profiles, their painting, and the
// collapse and expand of their groups.
#include "ProgramDir.h"
#include "RecordingDesktop.h"

#include "app/TMainForm.h"
#include "profiles/GroupHeader.h"
#include "profiles/ValueListEditor.h"
#include "storage/TSettingForm.h"

#include <QComboBox>
#include <QPushButton>
#include <QtTest>

namespace {

QStringList rowKeys(const ValueListEditor* grid)
{
    QStringList keys;
    for (int row = 0; row < grid->RowCount(); ++row)
        keys << grid->Key(row);
    return keys;
}

// A profile whose parameters are given as "name|Sort|kind|Caption|Value|Index"
// where kind is list, fixed or free.
QStringList profileLines(const QString& type, const QStringList& parameters)
{
    QStringList lines{QStringLiteral("[Main]")};
    if (!type.isEmpty())
        lines << QStringLiteral("Type=") + type;
    lines << QStringLiteral("Para=%1").arg(parameters.size());
    for (int k = 0; k < parameters.size(); ++k)
        lines << QStringLiteral("%1=%2").arg(k).arg(parameters[k].section(u'|', 0, 0));
    for (const QString& parameter : parameters) {
        const QStringList f = parameter.split(u'|');
        lines << QStringLiteral("[") + f[0] + QStringLiteral("]");
        if (!f[1].isEmpty())
            lines << QStringLiteral("Sort=") + f[1];
        if (f[2] == QLatin1String("fixed"))
            lines << QStringLiteral("List=0") << QStringLiteral("ReadOnly=1");
        else if (f[2] == QLatin1String("free"))
            lines << QStringLiteral("List=0");
        lines << QStringLiteral("cmd=-x") << QStringLiteral("Caption=") + f[3] << QStringLiteral("Value=") + f[4];
        if (f.size() > 5)
            lines << QStringLiteral("Index=") + f[5];
    }
    return lines;
}

} // namespace

class TestGrids : public QObject
{
    Q_OBJECT

private slots:
    void initialRowsBeforeAnyProfile();
    void loadFillsTheThreeKinds();
    void placementAndHeights_data();
    void placementAndHeights();
    void collapseAndExpand();
    void indexOutsideTheListStopsTheLoad();
    void settingsDialogLeavesProfileExtAlone();
    void paintingMarksOnlyTheNameCell();
};

void TestGrids::initialRowsBeforeAnyProfile()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    TMainForm form(dir.programFile());
    QCOMPARE(rowKeys(form.vleVideo), (QStringList{"Video Codec", "Video Size", "Bit Rate", "Frame Rate", "Aspect",
                                                  "Disable Video"}));
    QCOMPARE(rowKeys(form.vleAudio), (QStringList{"Audio Codec", "Audio Bitrate", "Sample Rate", "Channels",
                                                  "Volumn", "Disable Audio"}));
    QCOMPARE(rowKeys(form.vleAdvanced), (QStringList{"Bit Exact Algorithms", "Deinterlace"}));
    QCOMPARE(form.vleVideo->height(), 108);
    QCOMPARE(form.vleAudio->height(), 108);
    QCOMPARE(form.vleAdvanced->height(), 36);
    QCOMPARE(rowKeys(form.vleOutput), (QStringList{"New Filename", "Start Time", "End Time"}));
    QCOMPARE(form.vleVideo->Values(QStringLiteral("video size")), QString());
    QCOMPARE(form.vleVideo->Values(QStringLiteral("No Such Row")), QString());
}

void TestGrids::loadFillsTheThreeKinds()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    dir.writeProfile(QStringLiteral("Kinds"),
                     profileLines(QString(), {QStringLiteral("Codec|1|list|A,B,C,|a,b,c,|2"),
                                              QStringLiteral("Short|1|list|A,B,C|a,b,|"),
                                              QStringLiteral("Fixed|2|fixed|Locked|v|"),
                                              QStringLiteral("Free|3|free|typed here|v|")}));
    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.ProfileExt, QStringLiteral(".mp4"));

    ValueListEditor* video = form.vleVideo;
    QCOMPARE(rowKeys(video), (QStringList{"Codec", "Short"}));
    QCOMPARE(video->Values(QStringLiteral("codec")), QStringLiteral("C"));
    QCOMPARE(video->PickList(0), (QStringList{"A", "B", "C"}));
    QCOMPARE(video->GetEditStyle(0), ValueListEditor::EditStyle::PickList);
    QVERIFY(video->IsReadOnly(0));
    QVERIFY(!video->IsFixedRow(0));
    QCOMPARE(video->PickList(1), (QStringList{"A", "B"}));
    QCOMPARE(video->Value(1), QStringLiteral("A"));

    QCOMPARE(form.vleAudio->Values(QStringLiteral("Fixed")), QStringLiteral("Locked"));
    QVERIFY(form.vleAudio->IsFixedRow(0));
    QVERIFY(!(form.vleAudio->item(0, 1)->flags() & Qt::ItemIsEditable));
    QCOMPARE(form.vleAdvanced->Values(QStringLiteral("Free")), QStringLiteral("typed here"));
    QVERIFY(!form.vleAdvanced->IsReadOnly(0));
    QVERIFY(form.vleAdvanced->item(0, 1)->flags() & Qt::ItemIsEditable);
    QVERIFY(desktop.messages.isEmpty());
}

void TestGrids::placementAndHeights_data()
{
    QTest::addColumn<QStringList>("parameters");
    QTest::addColumn<QStringList>("video");
    QTest::addColumn<QStringList>("audio");
    QTest::addColumn<QStringList>("advanced");
    QTest::addColumn<QList<int>>("heights");

    QTest::addRow("all video")
        << QStringList{"V1|1|free|x|x|", "V2|1|free|x|x|", "V3|1|free|x|x|", "V4|1|free|x|x|"}
        << QStringList{"V1", "V2", "V3", "V4"} << QStringList{} << QStringList{} << QList<int>{72, 18, 18};
    QTest::addRow("sort falls back to the previous grid")
        << QStringList{"A1|2|free|x|x|", "Odd|7|free|x|x|", "None||free|x|x|", "D|3|free|x|x|"} << QStringList{}
        << QStringList{"A1", "Odd", "None"} << QStringList{"D"} << QList<int>{18, 54, 18};
    QTest::addRow("first parameter without a grid goes to video")
        << QStringList{"First|0|free|x|x|", "Second|2|free|x|x|"} << QStringList{"First"} << QStringList{"Second"}
        << QStringList{} << QList<int>{18, 18, 18};
    QTest::addRow("no parameters") << QStringList{} << QStringList{} << QStringList{} << QStringList{}
                                   << QList<int>{18, 18, 18};
}

void TestGrids::placementAndHeights()
{
    QFETCH(QStringList, parameters);
    QFETCH(QStringList, video);
    QFETCH(QStringList, audio);
    QFETCH(QStringList, advanced);
    QFETCH(QList<int>, heights);
    RecordingDesktop desktop;
    ProgramDir dir;
    dir.writeProfile(QStringLiteral("P"), profileLines(QStringLiteral("mkv"), parameters));
    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.ProfileExt, QStringLiteral(".mkv"));
    QCOMPARE(rowKeys(form.vleVideo), video);
    QCOMPARE(rowKeys(form.vleAudio), audio);
    QCOMPARE(rowKeys(form.vleAdvanced), advanced);
    QCOMPARE((QList<int>{form.vleVideo->height(), form.vleAudio->height(), form.vleAdvanced->height()}), heights);
}

void TestGrids::collapseAndExpand()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    dir.writeProfile(QStringLiteral("P"), profileLines(QString(), {"V1|1|free|x|x|", "V2|1|free|x|x|",
                                                                   "V3|1|free|x|x|", "V4|1|free|x|x|"}));
    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.vleVideo->height(), 72);
    const int audioTop = form.panAudio->y();

    QTest::mouseClick(form.btnVideo, Qt::LeftButton);
    QCOMPARE(form.vleVideo->height(), 1);
    QCOMPARE(form.btnVideo->text(), QStringLiteral("+"));
    QTRY_COMPARE(form.panAudio->y(), audioTop - 71);
    QTest::mouseClick(form.btnVideo, Qt::LeftButton);
    QCOMPARE(form.vleVideo->height(), 73);
    QCOMPARE(form.btnVideo->text(), QStringLiteral("-"));

    // A reload while collapsed shows 18 x rows and keeps the "+" caption.
    QTest::mouseClick(form.btnVideo, Qt::LeftButton);
    form.cmbProfileChange();
    QCOMPARE(form.vleVideo->height(), 72);
    QCOMPARE(form.btnVideo->text(), QStringLiteral("+"));
    QTest::mouseClick(form.btnVideo, Qt::LeftButton);
    QCOMPARE(form.vleVideo->height(), 73);
    QCOMPARE(form.btnVideo->text(), QStringLiteral("-"));
    QTest::mouseClick(form.btnVideo, Qt::LeftButton);
    QCOMPARE(form.vleVideo->height(), 1);

    // The group bar's double click toggles like its button.
    QTest::mouseDClick(form.panAudio, Qt::LeftButton);
    QCOMPARE(form.btnAudio->text(), QStringLiteral("+"));
    QCOMPARE(form.vleAudio->height(), 1);
}

void TestGrids::indexOutsideTheListStopsTheLoad()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    QByteArray bytes;
    for (const QString& line : profileLines(QStringLiteral("avi"), {"Good|1|free|x|x|", "Bad|2|list|A,B,|a,b,|5",
                                                                   "Later|3|free|x|x|"}))
        bytes += line.toUtf8() + "\n"; // LF line ends show whether the file was rewritten
    const QString path = dir.write(QStringLiteral("Profiles/Broken.apf"), bytes);

    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(desktop.messages.size(), 1);
    QVERIFY(desktop.messages[0].text.contains(QStringLiteral("Broken.apf")));
    QVERIFY(desktop.messages[0].text.contains(QStringLiteral("\"Bad\"")));
    QCOMPARE(rowKeys(form.vleVideo), QStringList{"Good"});
    QCOMPARE(rowKeys(form.vleAudio), QStringList{"Bad"});
    QCOMPARE(rowKeys(form.vleAdvanced), QStringList{});
    QCOMPARE(form.ProfileExt, QStringLiteral(".avi"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    QVERIFY(form.isEnabled());
}

void TestGrids::settingsDialogLeavesProfileExtAlone()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    dir.writeProfile(QStringLiteral("A"), profileLines(QStringLiteral("avi"), {"V|1|free|x|x|"}));
    dir.writeProfile(QStringLiteral("B"), profileLines(QString(), {"W|2|free|y|y|"}));
    dir.write(QStringLiteral("Preferences.ini"), "[Main]\r\nProfile=0\r\n");
    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QString shownExt = form.ProfileExt;
    QVERIFY(!shownExt.isEmpty());
    TSettingForm* dialog = form.SettingForm;
    dialog->show();
    dialog->cmbProfile->setCurrentIndex(dialog->cmbProfile->findText(QStringLiteral("B")));
    dialog->cmbProfileChange();
    QCOMPARE(rowKeys(dialog->vleAudio), QStringList{"W"});
    QCOMPARE(form.ProfileExt, shownExt);
    dialog->close();
}

void TestGrids::paintingMarksOnlyTheNameCell()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    dir.writeProfile(QStringLiteral("P"), profileLines(QString(), {"Fixed|1|fixed|Locked|v|", "Free|1|free|Open|v|"}));
    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    ValueListEditor* grid = form.vleVideo;
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setCurrentCell(0, 1);
    grid->setFocus();
    QTRY_VERIFY(grid->hasFocus());

    const auto pixelsOf = [](const QImage& image, const QRect& rect) {
        QSet<QRgb> colours;
        for (int y = rect.top() + 2; y < rect.bottom() - 1; ++y)
            for (int x = rect.left() + 2; x < rect.right() - 1; ++x)
                colours.insert(image.pixel(x, y) & 0xFFFFFF);
        return colours;
    };
    QImage image = grid->viewport()->grab().toImage();
    const QRect nameCell = grid->visualRect(grid->model()->index(0, 0));
    const QRect valueCell = grid->visualRect(grid->model()->index(0, 1));
    QVERIFY(pixelsOf(image, nameCell).contains(QColor(49, 106, 197).rgb() & 0xFFFFFF));
    QVERIFY(!pixelsOf(image, valueCell).contains(QColor(49, 106, 197).rgb() & 0xFFFFFF));
    QVERIFY(pixelsOf(image, valueCell).contains(QColor(192, 192, 192).rgb() & 0xFFFFFF)); // silver text
    const QRect freeValue = grid->visualRect(grid->model()->index(1, 1));
    QVERIFY(!pixelsOf(image, freeValue).contains(QColor(192, 192, 192).rgb() & 0xFFFFFF));

    // Pressing another grid takes the focus: the blue mark disappears.
    QTest::mouseClick(form.vleAudio->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QTRY_VERIFY(!grid->hasFocus());
    image = grid->viewport()->grab().toImage();
    QVERIFY(!pixelsOf(image, nameCell).contains(QColor(49, 106, 197).rgb() & 0xFFFFFF));
}

QTEST_MAIN(TestGrids)
#include "tst_grids.moc"
