// The main window's chrome: the frames of the Start and Stop picture
// buttons under the mouse, their tags across a batch, and a look at the
// whole window for regions left unpainted.
#include "ProgramDir.h"
#include "RecordingDesktop.h"

#include "app/Artwork.h"
#include "app/PictureButton.h"
#include "app/Skin.h"
#include "app/TAboutForm.h"
#include "app/TMainForm.h"
#include "conversion/BatchDriver.h"
#include "tasks/TaskRecord.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QToolButton>
#include <QTreeWidget>
#include <QVideoWidget>
#include <QtTest>

#include <vector>

namespace {

QByteArray FakeEncoder()
{
    QFile file(QStringLiteral(FW_FIXTURES_DIR "/batch/fake_encoder.sh"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void addTask(TMainForm& form, const QString& path)
{
    NewTaskItem(form.ltvTask);
    ltvItemData rec;
    rec.FileName = path;
    rec.Duration = QStringLiteral("00:01:10");
    rec.VideoSize = QStringLiteral("320x240");
    rec.Status = QStringLiteral("Ready");
    rec.OutputName = QFileInfo(path).completeBaseName();
    rec.ClipLength = rec.Duration;
    WriteTask(form.ltvTask, form.ltvTask->topLevelItemCount() - 1, -2, rec);
    // As adding a file does: the welcome panel makes way for the list.
    form.panbg->hide();
    form.SetListCommandsEnabled(true);
}

// The frame a picture button shows, compared by its pixels.
bool shows(const PictureButton* button, const QPixmap& frame)
{
    return button->pixmap().toImage() == frame.toImage();
}

// A point inside the hover reset area of the bottom panel, outside the pictures.
QPoint bottomPanelMargin(const TMainForm& form)
{
    return QPoint(2, form.panBottomRight->height() / 2);
}

// Flat colours that mean "nothing was painted here": the window colour of
// the plain styles and black.
QList<QRgb> bareColours()
{
    QList<QRgb> colours{qRgb(0, 0, 0)};
    for (const QString& name : {QStringLiteral("Fusion"), QStringLiteral("Windows")}) {
        if (QStyle* style = QStyleFactory::create(name)) {
            colours << style->standardPalette().color(QPalette::Window).rgb();
            delete style;
        }
    }
    colours << QPalette().color(QPalette::Window).rgb();
    return colours;
}

// The first block of side × side pixels that is all one bare colour outside
// `allowed`, or an empty rectangle.
QRect bareBlock(const QImage& shot, const QList<QRgb>& bare, const QRect& allowed, int side)
{
    const QImage image = shot.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    for (const QRgb colour : bare) {
        // Sums over the pixels of this colour, so each block is checked in constant time.
        std::vector<int> sum(size_t((w + 1) * (h + 1)), 0);
        for (int y = 0; y < h; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                const int hit = (line[x] & 0xffffff) == (colour & 0xffffff) && !allowed.contains(x, y) ? 1 : 0;
                sum[size_t((y + 1) * (w + 1) + x + 1)] = hit + sum[size_t(y * (w + 1) + x + 1)] +
                                                         sum[size_t((y + 1) * (w + 1) + x)] -
                                                         sum[size_t(y * (w + 1) + x)];
            }
        }
        for (int y = 0; y + side <= h; ++y) {
            for (int x = 0; x + side <= w; ++x) {
                const int count = sum[size_t((y + side) * (w + 1) + x + side)] - sum[size_t(y * (w + 1) + x + side)] -
                                  sum[size_t((y + side) * (w + 1) + x)] + sum[size_t(y * (w + 1) + x)];
                if (count == side * side)
                    return QRect(x, y, side, side);
            }
        }
    }
    return {};
}

bool isFlat(const QImage& image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    const QRgb first = pixels.pixel(0, 0);
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            if (pixels.pixel(x, y) != first)
                return false;
        }
    }
    return true;
}

// Visible buttons and one-line labels too narrow for their text (and glyph).
QStringList clippedTexts(const QWidget* window)
{
    QStringList clipped;
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(window) && !button->text().isEmpty() && button->width() < button->sizeHint().width())
            clipped << QStringLiteral("%1 \"%2\" (%3 < %4)")
                           .arg(button->objectName(), button->text())
                           .arg(button->width())
                           .arg(button->sizeHint().width());
    }
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (label->isVisibleTo(window) && !label->text().isEmpty() && !label->wordWrap() &&
            label->width() < label->sizeHint().width())
            clipped << QStringLiteral("%1 \"%2\" (%3 < %4)")
                           .arg(label->objectName(), label->text())
                           .arg(label->width())
                           .arg(label->sizeHint().width());
    }
    return clipped;
}

} // namespace

class TestChrome : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void frameTable_data();
    void frameTable();
    void hiddenPictureKeepsItsTag();
    void tagsSurviveTheBatchSwap();
    void stopPictureStopsTheBatch();
    void windowsArePaintedEverywhere();

private:
    QList<QRgb> m_bare;
};

void TestChrome::initTestCase()
{
    // The colours of the plain styles, before the skin replaces the palette.
    m_bare = bareColours();
    ApplySkin(*qApp);
}

void TestChrome::frameTable_data()
{
    // Events: "enter"/"move" over imgStart, "press"/"release" (left) and
    // "rpress"/"rrelease" (right) on it, "panel" and "image3" for moves
    // over the hover reset areas. After each event, the frame shown.
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QList<int>>("frames");
    QTest::newRow("hover, press, release, leave")
        << QStringList{"enter", "press", "release", "panel"} << QList<int>{1, 2, 1, 0};
    QTest::newRow("reset area while normal") << QStringList{"panel", "image3"} << QList<int>{0, 0};
    QTest::newRow("moving on over the picture") << QStringList{"enter", "move", "move"} << QList<int>{1, 1, 1};
    QTest::newRow("Image3 resets too") << QStringList{"enter", "image3"} << QList<int>{1, 0};
    QTest::newRow("pressed stays pressed while moving")
        << QStringList{"enter", "press", "move", "release"} << QList<int>{1, 2, 2, 1};
    QTest::newRow("any button presses") << QStringList{"enter", "rpress", "rrelease", "panel"}
                                        << QList<int>{1, 2, 1, 0};
    QTest::newRow("press without hover first") << QStringList{"press", "release"} << QList<int>{2, 1};
    QTest::newRow("reset while pressed") << QStringList{"press", "panel", "release"} << QList<int>{2, 0, 0};
}

void TestChrome::frameTable()
{
    QFETCH(QStringList, events);
    QFETCH(QList<int>, frames);
    RecordingDesktop desktop;
    ProgramDir dir;
    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    PictureButton* start = form.imgStart;
    const QPoint centre = start->rect().center();

    // Start from outside the panel so the first move is a real arrival.
    QTest::mouseMove(form.panTop, QPoint(5, 5));
    for (int i = 0; i < events.size(); ++i) {
        const QString& event = events.at(i);
        if (event == QLatin1String("enter"))
            QTest::mouseMove(start, centre);
        else if (event == QLatin1String("move"))
            QTest::mouseMove(start, centre + QPoint(i + 1, 1));
        else if (event == QLatin1String("press"))
            QTest::mousePress(start, Qt::LeftButton, {}, centre);
        else if (event == QLatin1String("release"))
            QTest::mouseRelease(start, Qt::LeftButton, {}, centre);
        else if (event == QLatin1String("rpress"))
            QTest::mousePress(start, Qt::RightButton, {}, centre);
        else if (event == QLatin1String("rrelease"))
            QTest::mouseRelease(start, Qt::RightButton, {}, centre);
        else if (event == QLatin1String("panel"))
            QTest::mouseMove(form.panBottomRight, bottomPanelMargin(form));
        else if (event == QLatin1String("image3"))
            QTest::mouseMove(form.Image3, QPoint(4, 4));
        QVERIFY2(start->tag() == frames.at(i),
                 qPrintable(QStringLiteral("after %1 (#%2): tag %3").arg(event).arg(i).arg(start->tag())));
        QVERIFY2(shows(start, Artwork::StartFrame(frames.at(i))), qPrintable(event));
    }
    // With an empty task list the picture starts nothing.
    QVERIFY(!form.Driver->IsBusy());
    QVERIFY(start->isVisible());
    QVERIFY(!form.imgStop->isVisible());
    QVERIFY(desktop.messages.isEmpty());
}

void TestChrome::hiddenPictureKeepsItsTag()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.imgStop->ShowFrame(1);

    QTest::mouseMove(form.Image3, QPoint(4, 4));
    QTest::mouseMove(form.panBottomRight, bottomPanelMargin(form));

    QCOMPARE(form.imgStop->tag(), 1);
    QVERIFY(shows(form.imgStop, Artwork::StopFrame(1)));
}

void TestChrome::tagsSurviveTheBatchSwap()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    dir.installFakeEncoder(FakeEncoder());
    QDir().mkpath(dir.path() + QStringLiteral("out"));
    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.edtOutputdir->setText(dir.path() + QStringLiteral("out/"));
    addTask(form, dir.path() + QStringLiteral("clip.avi"));
    const QPoint centre = form.imgStart->rect().center();

    QTest::mouseMove(form.imgStart, centre);
    QTest::mouseClick(form.imgStart, Qt::LeftButton, {}, centre);
    QVERIFY(form.Driver->IsBusy());
    QVERIFY(form.imgStop->isVisible());
    QVERIFY(!form.imgStart->isVisible());

    QTRY_VERIFY(!form.Driver->IsBusy());
    QCOMPARE(form.ltvTask->topLevelItem(0)->text(3), QStringLiteral("Complete"));
    // Shown again with the hover frame it had when the batch hid it ...
    QVERIFY(form.imgStart->isVisible());
    QCOMPARE(form.imgStart->tag(), 1);
    QVERIFY(shows(form.imgStart, Artwork::StartFrame(1)));
    // ... until the mouse passes over a hover reset area.
    QTest::mouseMove(form.panBottomRight, bottomPanelMargin(form));
    QCOMPARE(form.imgStart->tag(), 0);
    QVERIFY(shows(form.imgStart, Artwork::StartFrame(0)));
}

void TestChrome::stopPictureStopsTheBatch()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    dir.installFakeEncoder(FakeEncoder());
    QDir().mkpath(dir.path() + QStringLiteral("out"));
    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.edtOutputdir->setText(dir.path() + QStringLiteral("out/"));
    addTask(form, dir.path() + QStringLiteral("slow clip.avi"));

    form.imgStartClick();
    QVERIFY(form.imgStop->isVisible());
    const QPoint centre = form.imgStop->rect().center();
    QTest::mouseMove(form.imgStop, centre);
    QTest::mouseClick(form.imgStop, Qt::LeftButton, {}, centre);

    // The pictures swap back at once; the batch ends when its encoder has.
    QVERIFY(!form.imgStop->isVisible());
    QVERIFY(form.imgStart->isVisible());
    QCOMPARE(form.imgStop->tag(), 1);
    QTRY_VERIFY(!form.Driver->IsBusy());
    QCOMPARE(form.ltvTask->topLevelItem(0)->text(3), QStringLiteral("Stop"));
    QVERIFY(form.imgStart->isVisible());
}

void TestChrome::windowsArePaintedEverywhere()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    dir.copyShippedProfiles();
    dir.installFakeEncoder(FakeEncoder());
    QDir().mkpath(dir.path() + QStringLiteral("out"));
    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.edtOutputdir->setText(dir.path() + QStringLiteral("out/"));

    const QString shots = QDir::temp().filePath(QStringLiteral("tst_chrome"));
    QVERIFY(QDir().mkpath(shots));
    qInfo().noquote() << "Screenshots in" << QDir::toNativeSeparators(shots);
    QList<const QWidget*> pictures;
    pictures << form.imgWelcome << form.imgLogo << form.Image3 << form.imgStart << form.imgStop << form.imgPreviewTime
             << form.sbtnPlay << form.sbtnPause << form.sbtnStop;

    // Saves a picture of the window and checks it: no block of bare colour
    // outside the video, every picture and glyph drawn, no text cut off.
    const auto check = [&](const QString& name, QWidget* window) {
        const QImage image = window->grab().toImage();
        const QString path = QDir(shots).filePath(name);
        QVERIFY(image.save(path));
        QRect video;
        if (window == &form)
            video = QRect(form.VideoWindow1->mapTo(&form, QPoint(0, 0)), form.VideoWindow1->size());
        const QRect bare = bareBlock(image, m_bare, video, 40);
        QVERIFY2(bare.isNull(),
                 qPrintable(QStringLiteral("%1: unpainted block at %2,%3").arg(path).arg(bare.x()).arg(bare.y())));
        for (const QWidget* picture : pictures) {
            if (picture->window() != window || !picture->isVisibleTo(window))
                continue;
            const QRect area(picture->mapTo(window, QPoint(0, 0)), picture->size());
            QVERIFY2(!isFlat(image.copy(area)), qPrintable(name + QStringLiteral(": ") + picture->objectName()));
        }
        const QStringList clipped = clippedTexts(window);
        QVERIFY2(clipped.isEmpty(), qPrintable(name + QStringLiteral(": ") + clipped.join(QStringLiteral(", "))));
    };

    check(QStringLiteral("main-welcome.png"), &form);
    if (QTest::currentTestFailed())
        return;

    addTask(form, dir.path() + QStringLiteral("holiday at the sea.avi"));
    addTask(form, dir.path() + QStringLiteral("birthday.mpg"));
    form.ltvTask->topLevelItem(0)->setSelected(true);
    form.ltvTaskClick();
    QVERIFY(!form.ltvTask->horizontalScrollBar()->isVisible()); // the columns fit the list
    check(QStringLiteral("main-queued.png"), &form);
    if (QTest::currentTestFailed())
        return;

    // A batch that runs until it is stopped shows the progress panel and Stop.
    addTask(form, dir.path() + QStringLiteral("slow conversion.avi"));
    form.imgStartClick();
    QTRY_VERIFY(form.pgbCurrent->value() > 0);
    check(QStringLiteral("main-busy.png"), &form);
    if (QTest::currentTestFailed())
        return;
    form.imgStopClick();
    QTRY_VERIFY(!form.Driver->IsBusy());

    form.AboutForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.AboutForm));
    check(QStringLiteral("about.png"), form.AboutForm);
    if (QTest::currentTestFailed())
        return;
    form.AboutForm->close();
}

QTEST_MAIN(TestChrome)
#include "tst_chrome.moc"
