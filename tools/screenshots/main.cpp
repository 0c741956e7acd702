// Takes the help file's screenshots from the real windows. It lays out a
// temporary program directory with the built encoder and the shipped
// profiles, makes a few short clips with ffmpeg, drives the main window
// through its own commands and saves what the windows show as PNG files.
// Run it headless through scripts/screenshots:
//   QT_QPA_PLATFORM=offscreen screenshots <output folder>
#include "app/Artwork.h"
#include "app/Skin.h"
#include "app/TAboutForm.h"
#include "app/TMainForm.h"
#include "conversion/BatchDriver.h"
#include "platform/Desktop.h"
#include "profiles/TSizeForm.h"
#include "profiles/ValueListEditor.h"
#include "storage/TSettingForm.h"
#include "tasks/TaskAdding.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QMenu>
#include <QPainter>
#include <QProcess>
#include <QProgressBar>
#include <QScrollArea>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

namespace {

// The profile the pictures show: the most common choice of output.
const QString kProfile = QStringLiteral("MP4 Video (H.264 + AAC)");

// Stands in for the desktop: nothing may block on a dialog, open a browser
// or switch the machine off while the pictures are taken. What the program
// would have said is logged instead.
class ShotDesktop final : public Desktop
{
public:
    ShotDesktop() { Desktop::setCurrent(this); }
    ~ShotDesktop() override { Desktop::setCurrent(nullptr); }
    Q_DISABLE_COPY_MOVE(ShotDesktop)

    QMessageBox::StandardButton message(QWidget*, Icon, const QString& caption, const QString& text,
                                        QMessageBox::StandardButtons buttons) override
    {
        qInfo().noquote() << "  message:" << caption << "-" << text;
        return buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::No;
    }
    void openUrl(const QUrl& url) override { qInfo().noquote() << "  open:" << url.toString(); }
    bool browseForFolder(QWidget*, const QString&, QString*) override { return false; }
    QStringList openFileNames(QWidget*, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
    void balloonTip(QWidget*, int, const QString& title, const QString& text) override
    {
        qInfo().noquote() << "  balloon:" << title << "-" << text;
    }
    void powerOff() override { qInfo() << "  power-off asked for (ignored)"; }
};

// Lets the window work (events, timers, the encoder's output) until `done`
// holds or `timeoutMs` has passed; true when it held.
bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start();
    loop.exec();
    return done();
}

// Gives layouts, polishing and repaints a moment to settle.
void settle(int ms = 150)
{
    waitUntil([] { return false; }, ms);
}

bool runFfmpeg(const QStringList& arguments)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), QStringList{QStringLiteral("-nostdin"), QStringLiteral("-y"),
                                                       QStringLiteral("-loglevel"), QStringLiteral("error")} +
                                               arguments);
    if (!ffmpeg.waitForFinished(120000) || ffmpeg.exitStatus() != QProcess::NormalExit || ffmpeg.exitCode() != 0) {
        qWarning().noquote() << "ffmpeg" << arguments.join(u' ') << "failed:" << ffmpeg.readAllStandardError();
        return false;
    }
    return true;
}

// One clip: a synthetic picture source, a tone, and the codecs its container expects.
struct Clip {
    QString name;
    QString picture;
    QString seconds;
    QStringList codecs;
};

bool makeClip(const QString& folder, const Clip& clip)
{
    return runFfmpeg(QStringList{QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                                 clip.picture + QStringLiteral(":rate=25"), QStringLiteral("-f"),
                                 QStringLiteral("lavfi"), QStringLiteral("-i"),
                                 QStringLiteral("sine=frequency=330:sample_rate=44100")} +
                     clip.codecs + QStringList{QStringLiteral("-t"), clip.seconds, folder + clip.name});
}

// The 256 colours that stand for an image's colours best, by median cut:
// the box of colours with the widest spread is halved at its median until
// there are enough boxes, and each box gives its average colour.
QVector<QRgb> medianCutPalette(const QImage& image)
{
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++counts[line[x] | 0xff000000u];
    }
    struct Entry {
        int channel[3];
        int count;
    };
    std::vector<Entry> colours;
    colours.reserve(counts.size());
    for (const auto& [rgb, count] : counts)
        colours.push_back({{qRed(rgb), qGreen(rgb), qBlue(rgb)}, count});

    struct Box {
        size_t begin;
        size_t end;
    };
    const auto widest = [&](const Box& box, int* channel) {
        int best = -1;
        for (int c = 0; c < 3; ++c) {
            int low = 255;
            int high = 0;
            for (size_t i = box.begin; i < box.end; ++i) {
                low = std::min(low, colours[i].channel[c]);
                high = std::max(high, colours[i].channel[c]);
            }
            if (high - low > best) {
                best = high - low;
                *channel = c;
            }
        }
        return best;
    };
    std::vector<Box> boxes{{0, colours.size()}};
    while (boxes.size() < 256) {
        int chosen = -1;
        int chosenChannel = 0;
        int chosenSpread = 0;
        for (size_t b = 0; b < boxes.size(); ++b) {
            int channel = 0;
            const int spread = boxes[b].end - boxes[b].begin > 1 ? widest(boxes[b], &channel) : 0;
            if (spread > chosenSpread) {
                chosen = int(b);
                chosenChannel = channel;
                chosenSpread = spread;
            }
        }
        if (chosen < 0)
            break;
        Box& box = boxes[size_t(chosen)];
        const auto first = colours.begin() + std::ptrdiff_t(box.begin);
        const auto last = colours.begin() + std::ptrdiff_t(box.end);
        std::sort(first, last, [chosenChannel](const Entry& a, const Entry& b) {
            return a.channel[chosenChannel] < b.channel[chosenChannel];
        });
        long total = 0;
        for (auto it = first; it != last; ++it)
            total += it->count;
        long seen = 0;
        size_t middle = box.begin;
        while (middle + 1 < box.end && seen + colours[middle].count <= total / 2)
            seen += colours[middle++].count;
        middle = std::max(middle, box.begin + 1);
        const Box upper{middle, box.end};
        box.end = middle;
        boxes.push_back(upper);
    }

    QVector<QRgb> palette;
    for (const Box& box : boxes) {
        double sum[3] = {0, 0, 0};
        double weight = 0;
        for (size_t i = box.begin; i < box.end; ++i) {
            for (int c = 0; c < 3; ++c)
                sum[c] += double(colours[i].channel[c]) * colours[i].count;
            weight += colours[i].count;
        }
        palette.append(qRgb(int(sum[0] / weight + 0.5), int(sum[1] / weight + 0.5), int(sum[2] / weight + 0.5)));
    }
    return palette;
}

// Saves the pictures into one folder, each as small as it stays faithful:
// a window's few colours fit a palette, so the files are palette PNGs.
class ShotFolder
{
public:
    explicit ShotFolder(const QString& folder) : m_folder(folder) {}

    bool save(const QString& name, const QImage& shot)
    {
        QImage image = shot.convertToFormat(QImage::Format_RGB32);
        image = image.convertToFormat(QImage::Format_Indexed8, medianCutPalette(image), Qt::ThresholdDither);
        const QString path = QDir(m_folder).filePath(name);
        QImageWriter writer(path, "png");
        writer.setCompression(100);
        if (!writer.write(image)) {
            qWarning().noquote() << "cannot write" << path << ":" << writer.errorString();
            m_failed = true;
            return false;
        }
        qInfo().noquote() << "wrote" << name << QStringLiteral("(%1x%2, %3 kB)")
                                                    .arg(image.width())
                                                    .arg(image.height())
                                                    .arg((QFileInfo(path).size() + 512) / 1024);
        return true;
    }

    // A step that did not come about: the picture is not taken, and the
    // run ends in failure so that a stale picture is noticed.
    void miss(const QString& name, const QString& why)
    {
        qWarning().noquote() << "no" << name << "-" << why;
        m_failed = true;
    }

    bool failed() const { return m_failed; }

private:
    QString m_folder;
    bool m_failed = false;
};

// The most recent frame the preview's video widget was given. Offscreen,
// the widget's own surface is not part of a grab, so the frame is painted
// into the picture where the widget shows it.
class FrameKeeper : public QObject
{
public:
    explicit FrameKeeper(QVideoSink* sink)
    {
        if (sink)
            connect(sink, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) {
                if (frame.isValid())
                    m_frame = frame.toImage();
            });
    }

    const QImage& frame() const { return m_frame; }

private:
    QImage m_frame;
};

void paintFrame(QImage& shot, const QRect& area, const QImage& frame)
{
    if (frame.isNull())
        return;
    QPainter painter(&shot);
    painter.fillRect(area, Qt::black);
    const QSize fitted = frame.size().scaled(area.size(), Qt::KeepAspectRatio);
    const QRect target(area.x() + (area.width() - fitted.width()) / 2,
                       area.y() + (area.height() - fitted.height()) / 2, fitted.width(), fitted.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, frame);
}

// The encoder the program finds in its folder: the real adapter, but a
// conversion reads its input at the pace of playback (ffmpeg's "-re"), so
// that a batch of short clips lasts long enough to be photographed halfway.
QByteArray pacedEncoderScript()
{
    return QByteArrayLiteral("#!/bin/sh\n"
                             "here=$(dirname \"$0\")\n"
                             "if [ \"$1\" = \"-y\" ]; then exec \"$here/wmaspi-real\" -re \"$@\"; fi\n"
                             "exec \"$here/wmaspi-real\" \"$@\"\n");
}

bool layOutProgramDirectory(const QString& program)
{
    const QString adapter = QStringLiteral(FW_ADAPTER_PATH);
    if (!QDir().mkpath(program + QStringLiteral("Profiles")) || !QFile::copy(adapter, program + "wmaspi-real")) {
        qWarning().noquote() << "cannot copy the encoder" << adapter << "(build the wmaspi target first)";
        return false;
    }
    QFile script(program + QStringLiteral("wmaspi.dll"));
    if (!script.open(QIODevice::WriteOnly) || script.write(pacedEncoderScript()) < 0)
        return false;
    script.close();
    const QFileDevice::Permissions executable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    if (!script.setPermissions(executable) || !QFile(program + "wmaspi-real").setPermissions(executable))
        return false;

    const QDir shipped(QStringLiteral(FW_SOURCE_DIR "/resources/profiles"));
    for (const QString& name : shipped.entryList({QStringLiteral("*.apf")}, QDir::Files)) {
        if (!QFile::copy(shipped.filePath(name), program + QStringLiteral("Profiles/") + name))
            return false;
    }
    return true;
}

QImage grabOf(QWidget* widget)
{
    settle();
    return widget->grab().toImage();
}

// Offscreen windows have no frame, so a window's picture gets a plain title
// bar with its icon and caption: the reader sees which window it is.
QImage framed(const QWidget* window, const QImage& content)
{
    constexpr int bar = 24;
    QImage image(content.width() + 2, content.height() + bar + 1, QImage::Format_RGB32);
    image.fill(QColor(126, 154, 188));
    QPainter painter(&image);
    QLinearGradient shade(0, 1, 0, bar);
    shade.setColorAt(0, QColor(238, 244, 252));
    shade.setColorAt(1, QColor(212, 227, 245));
    painter.fillRect(QRect(1, 1, content.width(), bar - 1), shade);
    painter.drawPixmap(7, (bar - 16) / 2 + 1, window->windowIcon().pixmap(16, 16));
    QFont caption = window->font();
    caption.setPointSize(9);
    caption.setBold(true);
    painter.setFont(caption);
    painter.setPen(QColor(29, 43, 58));
    painter.drawText(QRect(30, 1, content.width() - 60, bar - 1), Qt::AlignVCenter | Qt::AlignLeft,
                     window->windowTitle());
    // The close box, so that the bar reads as a title bar.
    const QPoint centre(content.width() - 12, bar / 2 + 1);
    painter.setPen(QPen(QColor(60, 80, 104), 1.6));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawLine(centre + QPoint(-4, -4), centre + QPoint(4, 4));
    painter.drawLine(centre + QPoint(-4, 4), centre + QPoint(4, -4));
    painter.drawImage(1, bar, content);
    return image;
}

QImage windowShot(QWidget* window)
{
    return framed(window, grabOf(window));
}

// The window with its task menu open over the list, as the user sees it.
QImage windowWithMenu(TMainForm& form)
{
    QImage shot = grabOf(&form);
    const QImage menu = form.ppmTask->grab().toImage();
    QPainter painter(&shot);
    painter.drawImage(form.mapFromGlobal(form.ppmTask->pos()), menu);
    painter.end();
    return framed(&form, shot);
}

// Waits until the batch stands about halfway with the second file well
// under way and grabs the window while it still does: a run that ends
// between the check and the grab would show its bar back at 0%.
bool grabHalfway(TMainForm& form, QImage* shot)
{
    const auto halfway = [&form] {
        const int total = form.pgbTotal->value();
        const int current = form.pgbCurrent->value();
        return total >= 40 && total <= 60 && current >= 15 && current <= 85 &&
               form.labRemaining->text() != QStringLiteral("00:00:00") && !form.labRemaining->text().isEmpty();
    };
    while (waitUntil(halfway, 60000)) {
        const QImage candidate = windowShot(&form);
        if (halfway()) {
            *shot = candidate;
            return true;
        }
    }
    return false;
}

// A folder that this run made and removes again.
class ScratchFolder
{
public:
    explicit ScratchFolder(const QString& path) : m_path(path) {}
    ~ScratchFolder() { QDir(m_path).removeRecursively(); }
    Q_DISABLE_COPY_MOVE(ScratchFolder)

private:
    QString m_path;
};

int takeShots(const QString& outputFolder)
{
    const ShotDesktop desktop;
    ShotFolder shots(outputFolder);

    QTemporaryDir scratch(QDir::tempPath() + QStringLiteral("/fw-XXXXXX"));
    if (!scratch.isValid())
        return 1;
    const QString program = scratch.path() + QStringLiteral("/program/");
    // The clips lie in a folder with a short plain name, as a user's would,
    // so that the task list shows whole file names; a folder of that name
    // that is already there is left alone.
    QString videos = QDir::tempPath() + QStringLiteral("/Videos/");
    if (QFileInfo::exists(videos))
        videos = scratch.path() + QStringLiteral("/Videos/");
    const ScratchFolder clipFolder(videos);
    const QString converted = videos + QStringLiteral("Converted/");
    if (!layOutProgramDirectory(program) || !QDir().mkpath(converted))
        return 1;

    const QStringList h264{QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-preset"),
                           QStringLiteral("ultrafast"), QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"),
                           QStringLiteral("-c:a"), QStringLiteral("aac")};
    const QStringList mpeg4{QStringLiteral("-c:v"), QStringLiteral("mpeg4"), QStringLiteral("-q:v"),
                            QStringLiteral("4"), QStringLiteral("-c:a"), QStringLiteral("libmp3lame")};
    const QList<Clip> clips{
        {QStringLiteral("holiday beach.mp4"),
         QStringLiteral("gradients=size=640x360:nb_colors=3:c0=0x2b7bd6:c1=0x9fd3ff:c2=0xf2d9a0:x0=0:y0=0:x1=0:y1=360:speed=0.01"),
         QStringLiteral("6"), h264},
        {QStringLiteral("birthday.avi"), QStringLiteral("testsrc2=size=320x240"), QStringLiteral("5"), mpeg4},
        {QStringLiteral("garden party.mov"), QStringLiteral("mandelbrot=size=480x270"), QStringLiteral("4"), h264},
    };
    for (const Clip& clip : clips) {
        if (!makeClip(videos, clip))
            return 1;
    }

    TMainForm form(program + QStringLiteral("framewright"));
    form.show();
    settle(300);
    form.cmbProfile->setCurrentIndex(form.cmbProfile->findText(kProfile));
    form.cmbProfileChange();
    form.edtOutputdir->setText(converted);
    shots.save(QStringLiteral("main-welcome.png"), windowShot(&form));

    for (const Clip& clip : clips)
        AddTaskFile(form, videos + clip.name);
    form.ltvTask->clearSelection();
    shots.save(QStringLiteral("main-queued.png"), windowShot(&form));

    form.ltvTask->setCurrentItem(form.ltvTask->topLevelItem(0));
    form.ltvTaskClick();
    shots.save(QStringLiteral("main-output.png"), windowShot(&form));
    // The groups in full, not only the part the panel's scroll box shows.
    shots.save(QStringLiteral("profile-groups.png"), grabOf(form.ScrollBox1->widget()));

    const QRect firstRow = form.ltvTask->visualItemRect(form.ltvTask->topLevelItem(0));
    form.ppmTaskPopup(firstRow.center() + QPoint(40, 6));
    if (waitUntil([&] { return form.ppmTask->isVisible(); }, 3000))
        shots.save(QStringLiteral("main-menu.png"), windowWithMenu(form));
    else
        shots.miss(QStringLiteral("main-menu.png"), QStringLiteral("the task menu did not open"));
    form.ppmTask->hide();

    form.ltvTask->clearSelection();
    form.tbtnStartClick();
    QImage converting;
    if (grabHalfway(form, &converting))
        shots.save(QStringLiteral("main-converting.png"), converting);
    else
        shots.miss(QStringLiteral("main-converting.png"), QStringLiteral("the batch never stood halfway"));
    if (waitUntil([&] { return !form.Driver->IsBusy(); }, 60000))
        shots.save(QStringLiteral("main-complete.png"), windowShot(&form));
    else
        shots.miss(QStringLiteral("main-complete.png"), QStringLiteral("the batch did not end"));

    FrameKeeper frames(form.VideoWindow1->videoSink());
    form.ltvTask->setCurrentItem(form.ltvTask->topLevelItem(0));
    form.ltvTaskDblClick();
    const bool playing = waitUntil(
        [&] {
            return form.FilterGraph->playbackState() == QMediaPlayer::PlayingState &&
                   form.FilterGraph->position() >= 2500 && !frames.frame().isNull() &&
                   form.labPreviewTime->text() != QStringLiteral("00:00:00");
        },
        15000);
    if (playing) {
        QImage shot = grabOf(form.panPreview);
        paintFrame(shot, form.VideoWindow1->geometry(), frames.frame());
        shots.save(QStringLiteral("preview.png"), shot);
    } else {
        shots.miss(QStringLiteral("preview.png"), QStringLiteral("the clip did not play (no media backend?)"));
    }
    form.sbtnStopClick();

    form.tbtnSettingClick();
    shots.save(QStringLiteral("settings-general.png"), windowShot(form.SettingForm));
    form.SettingForm->btnCancelClick();

    form.bbtnSettingClick();
    shots.save(QStringLiteral("settings-profiles.png"), windowShot(form.SettingForm));
    form.SettingForm->btnCancelClick();

    const QString videoSize = QStringLiteral("Video Size");
    form.vleVideo->setCurrentCell(form.vleVideo->FindRow(videoSize), 1);
    form.SetGridValue(1, videoSize, QStringLiteral("Custom Size"));
    if (waitUntil([&] { return form.SizeForm->isVisible(); }, 3000)) {
        form.SizeForm->edtWidth->setText(QStringLiteral("640"));
        form.SizeForm->edtHeight->setText(QStringLiteral("360"));
        shots.save(QStringLiteral("custom-size.png"), windowShot(form.SizeForm));
        form.SizeForm->btnCancelClick();
    } else {
        shots.miss(QStringLiteral("custom-size.png"), QStringLiteral("choosing Custom Size showed no dialog"));
    }

    form.tbtnAboutClick();
    shots.save(QStringLiteral("about.png"), windowShot(form.AboutForm));
    form.AboutForm->close();

    form.close();
    return shots.failed() ? 1 : 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        qWarning("usage: screenshots <output folder>");
        return 2;
    }
    const QString outputFolder = QFileInfo(arguments.at(1)).absoluteFilePath();
    if (!QDir().mkpath(outputFolder)) {
        qWarning().noquote() << "cannot create" << outputFolder;
        return 1;
    }
    // Dressed as the program dresses itself at start-up.
    ApplySkin(app);
    app.setWindowIcon(Artwork::AppIcon());
    return takeShots(outputFolder);
}
