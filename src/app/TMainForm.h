#pragma once

#include "profiles/ParameterGrids.h"

#include <QStringList>
#include <QWidget>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMediaPlayer;
class QAudioOutput;
class QMenu;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSlider;
class QTimer;
class QToolButton;
class QTreeWidget;
class QVideoWidget;
class ValueListEditor;
class GroupHeader;
class PictureButton;
class TAboutForm;
class TProcessForm;
class TSettingForm;
class TSizeForm;
class BatchDriver;
class PreviewPlayer;

// The main window: it builds and names the widgets and wires each command
// to the code of its subsystem. Public members carry the component names so
// that every part of the program (and every test) finds them by name.
class TMainForm final : public QWidget
{
    Q_OBJECT

public:
    // `programFilePath` is the full path of the running program; its folder
    // is the program directory. `arguments` are the command-line arguments
    // without the program name.
    explicit TMainForm(const QString& programFilePath, const QStringList& arguments = {},
                       QWidget* parent = nullptr);
    ~TMainForm() override;

    // Values fixed at start-up.
    QString ProgramDirectory;
    QString EncoderPath;
    QString PreferencesFile;
    QString ProfileFolder;
    QString VersionText;
    QString HelpFile;
    QStringList InputExtensions;
    QString InputMask;
    QString OpenDialogFilter; // the filter text as the open dialog lists it ("Caption|patterns|...")
    QString ProfileExt;       // "." + the type of the profile last loaded into the grids

    // What the most recent probe found (empty before the first probe).
    QString LastDuration;
    QString LastVideoSize;
    QString LastSourceStart;
    QString LastSourceEnd;

    // The batch conversion and the preview, each in its own subsystem.
    BatchDriver* Driver = nullptr;
    PreviewPlayer* Preview = nullptr;

    // Windows created after this one.
    TProcessForm* ProcessForm = nullptr;
    TAboutForm* AboutForm = nullptr;
    TSettingForm* SettingForm = nullptr;
    TSizeForm* SizeForm = nullptr;

    // Layout regions and their controls.
    QFrame* panTop = nullptr;
    QFrame* panMain = nullptr;
    QFrame* panLeft = nullptr;
    QFrame* panRight = nullptr;
    QFrame* Panel2 = nullptr;
    QFrame* Panel3 = nullptr;
    QTreeWidget* ltvTask = nullptr;
    QFrame* panbg = nullptr;
    QLabel* imgWelcome = nullptr;
    QLabel* labProgramName = nullptr;
    QLabel* imgLogo = nullptr;
    QFrame* panSmallToolbar = nullptr;
    QToolButton* sbtnDelete = nullptr;
    QToolButton* sbtnClear = nullptr;
    QToolButton* sbtnUp = nullptr;
    QToolButton* sbtnDown = nullptr;
    QToolButton* SpeedButton1 = nullptr; // About
    QToolButton* SpeedButton2 = nullptr; // Help
    QFrame* panToolbar = nullptr;
    QToolButton* sbtnAddFile = nullptr;
    QToolButton* sbtnAddDir = nullptr;
    QToolButton* sbtnOptions = nullptr; // Settings

    QFrame* panProfile = nullptr;
    QFrame* panPreview = nullptr;
    QVideoWidget* VideoWindow1 = nullptr;
    QSlider* TrackBar = nullptr;
    QToolButton* sbtnPlay = nullptr;
    QToolButton* sbtnPause = nullptr;
    QToolButton* sbtnStop = nullptr;
    QLabel* imgPreviewTime = nullptr;
    QLabel* labPreviewTime = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    GroupHeader* panOutput = nullptr;
    QPushButton* btnOutput = nullptr;
    ValueListEditor* vleOutput = nullptr;
    GroupHeader* panVideo = nullptr;
    QPushButton* btnVideo = nullptr;
    ValueListEditor* vleVideo = nullptr;
    GroupHeader* panAudio = nullptr;
    QPushButton* btnAudio = nullptr;
    ValueListEditor* vleAudio = nullptr;
    GroupHeader* panAdvanced = nullptr;
    QPushButton* btnAdvanced = nullptr;
    ValueListEditor* vleAdvanced = nullptr;

    QFrame* panBottom = nullptr;
    QFrame* panBottomCenter = nullptr;
    QComboBox* cmbProfile = nullptr;
    QPushButton* bbtnSetting = nullptr; // "&Detail"
    QLineEdit* edtOutputdir = nullptr;
    QPushButton* bbtnBrowser = nullptr;
    QPushButton* bbtnOpen = nullptr;
    QFrame* panBottomLeft = nullptr;
    QLabel* labConvertingFile = nullptr;
    QLabel* labElapsed = nullptr;
    QLabel* labRemaining = nullptr;
    QProgressBar* pgbCurrent = nullptr;
    QLabel* labCurProgress = nullptr;
    QProgressBar* pgbTotal = nullptr;
    QLabel* labTotalProgress = nullptr;
    QFrame* panBottomRight = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Image3 = nullptr;
    PictureButton* imgStart = nullptr;
    PictureButton* imgStop = nullptr;

    // Non-visual parts.
    QMenu* ppmTask = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuAddFiles = nullptr;
    QAction* mnuAddDirs = nullptr;
    QAction* mnuRemove = nullptr;
    QAction* mnuClear = nullptr;
    QTimer* timerTime = nullptr;
    QMediaPlayer* FilterGraph = nullptr;
    QAudioOutput* AudioOutput = nullptr; // made by the preview at its first file
    QWidget* Toolbar1 = nullptr;
    QAction* tbtnAddFile = nullptr;
    QAction* tbtnAddDir = nullptr;
    QAction* tbtnUp = nullptr;
    QAction* tbtnDown = nullptr;
    QAction* tbtnRemove = nullptr;
    QAction* tbtnClear = nullptr;
    QAction* tbtnStart = nullptr;
    QAction* tbtnStop = nullptr;
    QAction* tbtnSetting = nullptr;
    QAction* tbtnAbout = nullptr;
    QAction* tbtnHelp = nullptr;

    ParameterGrids grids() const { return {vleVideo, vleAudio, vleAdvanced}; }
    // SetGridValue: 0 vleOutput, 1 vleVideo, 2 vleAudio, 3 vleAdvanced; other numbers do nothing.
    void SetGridValue(int grid, const QString& key, const QString& value);
    // Enables or disables Move Up, Move Down, Remove, Clear and Start together.
    void SetListCommandsEnabled(bool enabled);

public slots:
    void FormShow();
    void LoadPreferences();
    void SavePreferences();
    void cmbProfileChange();
    void bbtnBrowserClick();
    void bbtnOpenClick();
    void tbtnAboutClick();
    void tbtnHelpClick();
    void tbtnSettingClick();
    void bbtnSettingClick();
    void RefreshAllGrids();

    // Task list commands.
    void tbtnAddFileClick();
    void tbtnAddDirClick();
    void tbtnRemoveClick();
    void tbtnClearClick();
    void tbtnUpClick();
    void tbtnDownClick();
    void ltvTaskClick();
    void ltvTaskDblClick();
    void ppmTaskPopup(const QPoint& position);
    void ltvTaskResize();
    void vleOutputValidate(int row);
    void vleOutputMouseDown();
    void vleOutputClick();
    void vleVideoStringsChange();

    // Conversion.
    void tbtnStartClick();
    void tbtnStopClick();
    void timerTimeTimer();
    void imgStartClick();
    void imgStopClick();

    // Preview.
    void sbtnPlayClick();
    void sbtnPauseClick();
    void sbtnStopClick();
    void TrackBarTimer();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate(const QString& programFilePath, const QStringList& arguments);
    void buildLayout();
    void buildTaskArea();
    void buildProfilePanel();
    void buildBottomPanel();
    void buildCommands();
    void buildGroup(QWidget* container, GroupHeader*& header, QPushButton*& button, ValueListEditor*& grid,
                    const QString& panelName, const QString& buttonName, const QString& gridName,
                    const QString& title);
    void reportProfileError(const class ProfileError& error);

    bool m_shown = false;
};
