#include "app/Artwork.h"
#include "app/Skin.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace {

QPixmap Make(const QString& picture, const QSize& size, qreal ratio) {
    if (picture == u"main")
        return Artwork::MainBackground(size, ratio);
    if (picture == u"welcome")
        return Artwork::WelcomePanel(size, ratio);
    if (picture == u"logo")
        return Artwork::WelcomeLogo(size, ratio);
    if (picture == u"bottom")
        return Artwork::BottomBackground(size, ratio);
    if (picture == u"preview-time")
        return Artwork::PreviewTimeBackground(size, ratio);
    if (picture == u"about")
        return Artwork::AboutBackground(size, ratio);
    if (picture.startsWith(u"start"))
        return Artwork::StartFrame(picture.right(1).toInt(), ratio);
    if (picture.startsWith(u"stop"))
        return Artwork::StopFrame(picture.right(1).toInt(), ratio);
    return {};
}

int DistinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

qreal VisibleShare(const QImage& image) {
    qsizetype visible = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            visible += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return qreal(visible) / (qreal(image.width()) * image.height());
}

QImage Frame(bool start, int frame) {
    return (start ? Artwork::StartFrame(frame, 1) : Artwork::StopFrame(frame, 1)).toImage();
}

} // namespace

class tst_Artwork : public QObject {
    Q_OBJECT

  private slots:
    void pictures_data();
    void pictures();
    void buttonFramesDiffer_data();
    void buttonFramesDiffer();
    void buttonFrameOutOfRangeIsNormal();
    void emptySizeGivesNullPicture();
    void glyphs_data();
    void glyphs();
    void unknownGlyphIsNull();
    void appIconServesWindowSizes();
    void skinLoadsWithItsPictures();
    void taggedButtonKeepsPlainLook();
};

void tst_Artwork::pictures_data() {
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("ratio");

    const QList<std::pair<const char*, QSize>> pictures{
        {"main", {552, 442}},       {"welcome", {536, 362}}, {"logo", {64, 64}},    {"bottom", {165, 90}},
        {"preview-time", {70, 20}}, {"about", {476, 330}},   {"start0", {133, 65}}, {"start1", {133, 65}},
        {"start2", {133, 65}},      {"stop0", {133, 65}},    {"stop1", {133, 65}},  {"stop2", {133, 65}},
    };
    for (const auto& [picture, size] : pictures) {
        for (const qreal ratio : {1.0, 2.0})
            QTest::addRow("%s@%gx", picture, ratio) << QString::fromLatin1(picture) << size << ratio;
    }
}

void tst_Artwork::pictures() {
    QFETCH(QString, picture);
    QFETCH(QSize, size);
    QFETCH(qreal, ratio);

    const QPixmap pixmap = Make(picture, size, ratio);
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.deviceIndependentSize().toSize(), size);
    QCOMPARE(pixmap.size(), size * ratio);

    const QImage image = pixmap.toImage();
    QVERIFY2(DistinctColours(image) > 16, "a picture of a few flat colours looks unfinished");
    QVERIFY2(VisibleShare(image) > 0.5, "most of the picture must be drawn");
}

void tst_Artwork::buttonFramesDiffer_data() {
    QTest::addColumn<bool>("start");
    QTest::newRow("Start") << true;
    QTest::newRow("Stop") << false;
}

void tst_Artwork::buttonFramesDiffer() {
    QFETCH(bool, start);
    const QImage normal = Frame(start, 0);
    const QImage hover = Frame(start, 1);
    const QImage pressed = Frame(start, 2);
    QVERIFY(normal != hover);
    QVERIFY(normal != pressed);
    QVERIFY(hover != pressed);
    QVERIFY(normal != Frame(!start, 0));

    // The rounded corners let the background through.
    QCOMPARE(qAlpha(normal.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(normal.pixel(normal.width() / 2, normal.height() / 2)), 255);
}

void tst_Artwork::buttonFrameOutOfRangeIsNormal() {
    QCOMPARE(Artwork::StartFrame(3, 1).toImage(), Frame(true, 0));
    QCOMPARE(Artwork::StopFrame(-1, 1).toImage(), Frame(false, 0));
}

void tst_Artwork::emptySizeGivesNullPicture() {
    QVERIFY(Artwork::MainBackground(QSize(0, 10), 1).isNull());
    QVERIFY(Artwork::WelcomePanel(QSize(), 1).isNull());
}

void tst_Artwork::glyphs_data() {
    QTest::addColumn<QString>("name");
    const QStringList expected{"add-file", "add-dir", "settings", "delete", "clear",
                               "up",       "down",    "about",    "help",   "play",
                               "pause",    "stop",    "folder",   "browse", "open"};
    const QStringList names = Artwork::GlyphNames();
    QCOMPARE(QSet<QString>(names.begin(), names.end()), QSet<QString>(expected.begin(), expected.end()));
    for (const QString& name : expected)
        QTest::newRow(qPrintable(name)) << name;
}

void tst_Artwork::glyphs() {
    QFETCH(QString, name);
    const QIcon icon = Artwork::Glyph(name);
    QVERIFY(!icon.isNull());

    for (const int side : {16, 24}) {
        const QPixmap plain = icon.pixmap(QSize(side, side), 1.0);
        QCOMPARE(plain.size(), QSize(side, side));
        QVERIFY(VisibleShare(plain.toImage()) > 0.1);

        const QPixmap sharp = icon.pixmap(QSize(side, side), 2.0);
        QCOMPARE(sharp.size(), QSize(side * 2, side * 2));
        QCOMPARE(sharp.deviceIndependentSize().toSize(), QSize(side, side));
    }
    QVERIFY(icon.pixmap(QSize(24, 24), 1.0, QIcon::Disabled).toImage() !=
            icon.pixmap(QSize(24, 24), 1.0, QIcon::Normal).toImage());
}

void tst_Artwork::unknownGlyphIsNull() {
    QVERIFY(Artwork::Glyph(QStringLiteral("no-such-glyph")).isNull());
}

void tst_Artwork::appIconServesWindowSizes() {
    const QIcon icon = Artwork::AppIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
    QVERIFY(icon.availableSizes().contains(QSize(256, 256)));
    const QImage large = icon.pixmap(QSize(256, 256), 1.0).toImage();
    QCOMPARE(large.size(), QSize(256, 256));
    QVERIFY(DistinctColours(large) > 16);
}

void tst_Artwork::skinLoadsWithItsPictures() {
    const QString sheet = SkinStyleSheet();
    QVERIFY(!sheet.isEmpty());
    QVERIFY(sheet.contains(QStringLiteral("[tag=\"9999\"]")));

    // Every picture the sheet names must be there, or the arrows vanish.
    const QRegularExpression url(QStringLiteral(R"(url\(([^)]+)\))"));
    int pictures = 0;
    for (auto match = url.globalMatch(sheet); match.hasNext(); ++pictures) {
        const QString path = match.next().captured(1);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        const QString sharp = QString(path).replace(QStringLiteral(".png"), QStringLiteral("@2x.png"));
        QVERIFY2(QFile::exists(sharp), qPrintable(sharp));
    }
    QVERIFY(pictures > 0);

    ApplySkin(*qApp);
    QCOMPARE(qApp->styleSheet(), sheet);
}

void tst_Artwork::taggedButtonKeepsPlainLook() {
    ApplySkin(*qApp);
    QWidget panel;
    auto* layout = new QHBoxLayout(&panel);
    auto* skinned = new QPushButton(QStringLiteral("Delete"));
    auto* plain = new QPushButton(QStringLiteral("Delete"));
    plain->setProperty("tag", 9999);
    for (QPushButton* button : {skinned, plain}) {
        button->setIcon(Artwork::Glyph(QStringLiteral("delete")));
        button->setFixedSize(96, 28);
        layout->addWidget(button);
    }
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));

    const QImage skinnedLook = panel.grab(skinned->geometry()).toImage();
    const QImage plainLook = panel.grab(plain->geometry()).toImage();
    QCOMPARE(skinnedLook.size(), plainLook.size());
    QVERIFY(skinnedLook != plainLook);

    // The plain button shows the panel behind it at its edge; the skinned
    // one draws its own border there.
    const QColor window = panel.palette().color(QPalette::Window);
    const QPoint edge(0, plainLook.height() / 2);
    QCOMPARE(QColor(plainLook.pixel(edge)), window);
    QVERIFY(QColor(skinnedLook.pixel(edge)) != window);
}

QTEST_MAIN(tst_Artwork)
#include "tst_artwork.moc"
