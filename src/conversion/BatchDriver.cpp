#include "conversion/BatchDriver.h"

#include "app/PictureButton.h"
#include "app/TMainForm.h"
#include "conversion/EncoderCommand.h"
#include "conversion/OutputPath.h"
#include "conversion/ProgressParse.h"
#include "platform/Desktop.h"
#include "platform/PathRules.h"
#include "profiles/OptionSynthesis.h"
#include "profiles/ProfileCatalogue.h"
#include "profiles/ProfileError.h"
#include "profiles/ValueListEditor.h"
#include "storage/TNewInifile.h"
#include "storage/TSettingForm.h"
#include "tasks/TaskRecord.h"
#include "tasks/TimeText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QProgressBar>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

namespace {

constexpr int StatusField = 2;
constexpr int WholeRecord = -2;

const QString StatusConverting = QStringLiteral("Converting");
const QString StatusComplete = QStringLiteral("Complete");
const QString StatusStop = QStringLiteral("Stop");
const QString StatusFailed = QStringLiteral("Failed");

QString PercentText(int percent)
{
    return QString::number(percent) + u'%';
}

} // namespace

BatchDriver::BatchDriver(TMainForm& form) : QObject(&form), m_form(form)
{
    connect(&m_encoder, &EncoderProcess::chunkRead, this, &BatchDriver::ReadChunk);
    // The end of a run is handled after the encoder's own bookkeeping has
    // returned, so the next run (or a message box) never starts from inside it.
    connect(&m_encoder, &EncoderProcess::finished, this, &BatchDriver::EncoderFinished, Qt::QueuedConnection);
}

void BatchDriver::Start()
{
    // A running batch, or a stopped one whose encoder has not ended yet,
    // still owns the window; a second batch never starts over it. After the
    // end of a batch has closed the window the run state stays 1 and the
    // driver is spent.
    if (m_busy || m_runState != 0)
        return;
    m_form.ltvTask->setFocus();
    if (!QFileInfo(m_form.edtOutputdir->text()).isDir()) {
        ShowInformation(&m_form, QStringLiteral("Output path does not exist"),
                        QStringLiteral("The output path does not exist. Please specify another one."));
        m_form.edtOutputdir->setFocus();
        return;
    }
    if (m_form.ltvTask->topLevelItemCount() == 0)
        return;

    SetBusyState(true);
    QString options;
    if (!BuildOptions(&options)) {
        SetBusyState(false);
        return;
    }
    m_options = options;
    SetUpBatch();
    RunTask();
}

void BatchDriver::Stop()
{
    if (m_runState != 1)
        return;
    m_runState = 2;
    // The run's end, which follows, takes the stop path. Between two runs
    // nothing is running and the pending end of the last run takes it.
    m_encoder.stop();
}

void BatchDriver::Tick()
{
    // The clock follows the wall clock even when ticks are late or merged.
    ShowClock(m_clock.elapsed() / 1000);
}

void BatchDriver::ShowClock(qint64 elapsedSeconds)
{
    m_form.labElapsed->setText(SecondsToTimeText(double(elapsedSeconds)));
    m_remainingSeconds = RemainingSeconds(elapsedSeconds, m_form.pgbTotal->value(), m_remainingSeconds);
    m_form.labRemaining->setText(SecondsToTimeText(double(m_remainingSeconds)));
}

void BatchDriver::WindowClosing()
{
    // A batch that has run to its end closes the window itself after going
    // idle, so only an interrupted batch gets here busy.
    if (!m_busy || m_closing)
        return;
    m_closing = true;
    m_form.timerTime->stop();
    SetStatus(m_taskIndex, StatusStop);
    // The encoder is asked to end so that it removes its unfinished output;
    // it is killed if it does not, and the window does not wait for it.
    m_encoder.stop();
    m_runState = 0;
    ShowSettingsPanel();
    SetBusyState(false);
}

void BatchDriver::SetBusyState(bool busy)
{
    m_busy = busy;
    if (busy)
        m_form.FilterGraph->stop();
    const QList<QWidget*> commands{m_form.sbtnAddFile, m_form.sbtnAddDir, m_form.sbtnUp, m_form.sbtnDown,
                                   m_form.sbtnDelete, m_form.sbtnClear, m_form.sbtnOptions, m_form.ltvTask};
    for (QWidget* control : commands)
        control->setEnabled(!busy);
    m_form.imgStart->setVisible(!busy);
    m_form.imgStop->setVisible(busy);
    // The hidden Stop command answers only while there is a batch to stop.
    m_form.tbtnStop->setEnabled(busy);
}

bool BatchDriver::BuildOptions(QString* options)
{
    const QString path = ProfilePathOf(m_form.ProfileFolder, m_form.cmbProfile->currentText());
    const ParameterGrids grids = m_form.grids();
    const GridValueLookup shownValue = [grids](int grid, const QString& name) {
        const ValueListEditor* editor = grids.grid(grid);
        return editor ? editor->Values(name) : QString();
    };
    // A profile that cannot be turned into switches must not be replaced by
    // the encoder's defaults without a word: the user is told what to mend
    // and no file is converted.
    try {
        BuildOptionString(path, shownValue, *options);
        return true;
    } catch (const ProfileError& error) {
        Desktop::current().message(
            &m_form, Desktop::Icon::Warning, QStringLiteral("Profile"),
            QStringLiteral("The profile \"%1\" cannot be used: its parameter \"%2\" is broken.\n%3\n"
                           "No file was converted.")
                .arg(QDir::toNativeSeparators(error.profilePath()), error.parameter(), error.problem()),
            QMessageBox::Ok);
    } catch (const IniFileError& error) {
        Desktop::current().message(&m_form, Desktop::Icon::Warning, QStringLiteral("Profile"),
                                   QStringLiteral("The profile \"%1\" cannot be used: %2\nNo file was converted.")
                                       .arg(QDir::toNativeSeparators(error.path()), error.reason()),
                                   QMessageBox::Ok);
    }
    return false;
}

void BatchDriver::SetUpBatch()
{
    m_form.labConvertingFile->clear();
    m_form.labElapsed->clear();
    m_form.labRemaining->clear();
    m_form.pgbCurrent->setValue(0);
    m_form.pgbTotal->setValue(0);
    m_form.labCurProgress->setText(PercentText(0));
    m_form.labTotalProgress->setText(PercentText(0));
    m_form.panBottomCenter->hide();
    m_form.panBottomLeft->show();

    m_runState = 1;
    m_closing = false;
    m_failedCount = 0;
    m_batchDone = 0;
    m_batchTotal = 0;
    m_remainingSeconds = 0;
    m_clock.start();
    m_form.timerTime->start();

    m_taskCount = m_form.ltvTask->topLevelItemCount();
    m_inputs.clear();
    for (int row = 0; row < m_taskCount; ++row) {
        ltvItemData task;
        ReadTask(m_form.ltvTask, row, WholeRecord, task);
        m_batchTotal += task.ClipLengthSec;
        m_inputs.insert(QDir::cleanPath(task.FileName));
    }
    m_taskIndex = 0;
}

void BatchDriver::RunTask()
{
    m_taskPosition = 0;
    ltvItemData task;
    ReadTask(m_form.ltvTask, m_taskIndex, WholeRecord, task);
    task.Status = StatusConverting;
    WriteTask(m_form.ltvTask, m_taskIndex, StatusField, task);
    m_form.labConvertingFile->setText(FileNamePart(task.FileName));

    const QString output =
        BuildOutputPath(m_form.edtOutputdir->text(), task, m_form.ProfileExt, m_taskIndex,
                        !m_form.SettingForm->rdbRename->isChecked(),
                        [](const QString& path) { return QFileInfo::exists(path); },
                        [this](const QString& path) { return m_inputs.contains(QDir::cleanPath(path)); });
    const QString switches = m_options + ClipSwitches(task);
    m_chunkCount = 0;
    m_clipLength = task.ClipLengthSec;
    if (!m_encoder.start(m_form.EncoderPath, ConvertCommand(task.FileName, switches, output))) {
        SetStatus(m_taskIndex, StatusFailed);
        LaunchFailed();
    }
}

void BatchDriver::ReadChunk(const QByteArray& chunk)
{
    if (m_closing)
        return;
    // The first two chunks are the encoder's banner and the input's
    // description; progress only follows them.
    if (m_chunkCount >= 2)
        UpdateProgress(chunk);
    ++m_chunkCount;
}

void BatchDriver::UpdateProgress(const QByteArray& chunk)
{
    double seconds = 0;
    // A smaller value never moves the current bar back within a run.
    if (ParseProgressTime(chunk, &seconds) && seconds > m_taskPosition)
        m_taskPosition = seconds;
    if (m_clipLength != 0)
        m_form.pgbCurrent->setValue(ClampPercent(m_taskPosition / m_clipLength * 100));
    if (m_batchTotal != 0)
        m_form.pgbTotal->setValue(ClampPercent((m_batchDone + m_taskPosition) / m_batchTotal * 100));
    m_form.labCurProgress->setText(PercentText(m_form.pgbCurrent->value()));
    m_form.labTotalProgress->setText(PercentText(m_form.pgbTotal->value()));
}

void BatchDriver::EncoderFinished(int exitCode, bool crashed)
{
    if (m_closing || m_runState == 0)
        return;
    if (m_runState == 2) {
        TaskStopped();
        return;
    }
    // An encoder that ends in failure has written no usable file; the task
    // says so and the batch goes on with the next one.
    if (exitCode != 0 || crashed) {
        ++m_failedCount;
        SetStatus(m_taskIndex, StatusFailed);
    } else {
        m_batchDone += m_clipLength;
        SetStatus(m_taskIndex, StatusComplete);
    }
    ++m_taskIndex;
    if (m_taskIndex >= m_taskCount) {
        EndOfBatch();
        return;
    }
    // The last task's bar keeps its final value; every other one starts over.
    m_form.pgbCurrent->setValue(0);
    m_form.labCurProgress->setText(PercentText(0));
    RunTask();
}

void BatchDriver::TaskStopped()
{
    m_form.timerTime->stop();
    SetStatus(m_taskIndex, StatusStop);
    ShowInformation(&m_form, QStringLiteral("Cancel"), QStringLiteral("The Coversion is canceled."));
    ShowSettingsPanel();
    m_runState = 0;
    SetBusyState(false);
}

void BatchDriver::LaunchFailed()
{
    Desktop::current().message(&m_form, Desktop::Icon::None, QCoreApplication::applicationName(),
                               QStringLiteral("Error on CreateProcess()"), QMessageBox::Ok);
    m_form.timerTime->stop();
    ShowSettingsPanel();
    m_runState = 0;
    SetBusyState(false);
}

void BatchDriver::EndOfBatch()
{
    m_form.timerTime->stop();
    const TSettingForm& settings = *m_form.SettingForm;
    if (settings.chkTurnoff->isChecked() || settings.chkExit->isChecked()) {
        // The window goes idle before it closes, so that closing finds no
        // batch to interrupt; the run state stays 1 until the program ends.
        SetBusyState(false);
        if (settings.chkTurnoff->isChecked())
            Desktop::current().powerOff();
        m_form.close();
        return;
    }

    if (m_failedCount == 0) {
        ShowInformation(&m_form, QStringLiteral("Complete"), QStringLiteral("The coversion is completed successfully."));
    } else {
        Desktop::current().message(&m_form, Desktop::Icon::Warning, QStringLiteral("Complete"),
                                   QStringLiteral("The coversion is completed, but %1 of %2 files failed.")
                                       .arg(m_failedCount)
                                       .arg(m_taskCount),
                                   QMessageBox::Ok);
    }
    // The folder is opened as the user typed it, after the message.
    if (settings.chkOpenDir->isChecked())
        Desktop::current().openUrl(QUrl::fromLocalFile(m_form.edtOutputdir->text()));
    m_runState = 0;
    ShowSettingsPanel();
    SetBusyState(false);
}

void BatchDriver::ShowSettingsPanel()
{
    m_form.panBottomLeft->hide();
    m_form.panBottomCenter->show();
}

void BatchDriver::SetStatus(int row, const QString& status)
{
    ltvItemData task;
    task.Status = status;
    WriteTask(m_form.ltvTask, row, StatusField, task);
}
