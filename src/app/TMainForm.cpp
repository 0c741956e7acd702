#include "app/TMainForm.h"

#include "app/Artwork.h"
#include "app/PictureButton.h"
#include "app/ProgramInfo.h"
#include "app/TAboutForm.h"
#include "app/TProcessForm.h"
#include "app/WindowDressing.h"
#include "conversion/BatchDriver.h"
#include "platform/Desktop.h"
#include "platform/PathRules.h"
#include "preview/PreviewPlayer.h"
#include "profiles/GroupHeader.h"
#include "profiles/ProfileCatalogue.h"
#include "profiles/ProfileError.h"
#include "storage/TSettingForm.h"
#include "profiles/TSizeForm.h"
#include "profiles/ValueListEditor.h"
#include "storage/Preferences.h"
#include "storage/TNewInifile.h"
#include "tasks/MediaNames.h"
#include "tasks/TaskAdding.h"
#include "tasks/TaskEditing.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QVideoWidget>

namespace {

const QColor kGroupColour(91, 172, 242);
const QColor kListHeaderColour(202, 227, 255); // colour value 16769994

QFrame* newPanel(const QString& name, QWidget* parent, const QRect& geometry)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setGeometry(geometry);
    return panel;
}

QFrame* newWhiteStrip(const QString& name, QWidget* parent, const QRect& geometry)
{
    QFrame* strip = newPanel(name, parent, geometry);
    strip->setProperty("tag", 9999);
    strip->setAutoFillBackground(true);
    QPalette palette = strip->palette();
    palette.setColor(QPalette::Window, Qt::white);
    strip->setPalette(palette);
    return strip;
}

QToolButton* newCommandButton(const QString& name, const QString& text, QWidget* parent, const QRect& geometry,
                              bool untouchedBySkin = true)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(text);
    button->setGeometry(geometry);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    if (untouchedBySkin)
        button->setProperty("tag", 9999);
    return button;
}

QLabel* newLabel(const QString& text, QWidget* parent, const QRect& geometry, const QString& name = {})
{
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QAction* newCommand(const QString& name, const QString& text, QWidget* owner)
{
    auto* action = new QAction(text, owner);
    action->setObjectName(name);
    owner->addAction(action);
    return action;
}

} // namespace

TMainForm::TMainForm(const QString& programFilePath, const QStringList& arguments, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TMainForm"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(812, 547);
    buildLayout();
    Driver = new BatchDriver(*this);
    Preview = new PreviewPlayer(*this);
    FormCreate(programFilePath, arguments);

    // The other windows come after the main window is fully prepared.
    ProcessForm = new TProcessForm(this);
    AboutForm = new TAboutForm(this);
    SettingForm = new TSettingForm(this);
    SizeForm = new TSizeForm(this);
}

TMainForm::~TMainForm()
{
    // The dialogs are top-level windows of their own (so that disabling this
    // window leaves them usable); they go with it.
    delete SizeForm;
    delete SettingForm;
    delete AboutForm;
    delete ProcessForm;
}

void TMainForm::FormCreate(const QString& programFilePath, const QStringList& arguments)
{
    ProgramDirectory = ProgramDirectoryOf(programFilePath);
    edtOutputdir->setText(ProgramDirectory);
    EncoderPath = ProgramDirectory + QStringLiteral("wmaspi.dll");
    PreferencesFile = ProgramDirectory + QStringLiteral("Preferences.ini");
    ProfileFolder = ProgramDirectory + QStringLiteral("Profiles") + QDir::separator();

    QPalette headerPalette = ltvTask->header()->palette();
    headerPalette.setColor(QPalette::Button, kListHeaderColour);
    headerPalette.setColor(QPalette::Window, kListHeaderColour);
    ltvTask->header()->setPalette(headerPalette);

    VersionText = ReadVersionText(PreferencesFile);
    SetUpProgramInformation(*this);

    InputExtensions = ::InputExtensions();
    InputMask = ::InputMask();
    OpenDialogFilter = OpenDialogFilterText();

    for (const QString& fileName : ListProfiles(ProfileFolder, QStringLiteral(".apf")))
        cmbProfile->addItem(ProfileNameOf(fileName));
    cmbProfile->setCurrentIndex(-1);

    ImportCommandLine(*this, arguments);

    if (ltvTask->topLevelItemCount() > 0)
        SetListCommandsEnabled(true);

    panBottomCenter->setFixedWidth(637);
    panBottomLeft->setFixedWidth(637);
    panBottomLeft->hide();
    ltvTask->setColumnWidth(0, 230);
    ltvTask->setColumnWidth(1, 90);
    ltvTask->setColumnWidth(2, 80);
    ltvTask->setColumnWidth(3, 100);
    panBottomLeft->move(0, panBottomLeft->y());
    setAcceptDrops(true);
}

void TMainForm::buildLayout()
{
    QFont font = this->font();
    font.setPointSize(8);
    setFont(font);

    panTop = newWhiteStrip(QStringLiteral("panTop"), this, QRect(0, 0, 812, 15));
    buildTaskArea();
    buildProfilePanel();
    buildBottomPanel();
    buildCommands();
    DressMainWindow(*this);
}

void TMainForm::buildTaskArea()
{
    panMain = newPanel(QStringLiteral("panMain"), this, QRect(0, 15, 552, 442));
    panMain->setAutoFillBackground(true);

    panLeft = newWhiteStrip(QStringLiteral("panLeft"), panMain, QRect(0, 0, 8, 442));
    panRight = newWhiteStrip(QStringLiteral("panRight"), panMain, QRect(544, 0, 8, 442));
    Panel2 = newWhiteStrip(QStringLiteral("Panel2"), panMain, QRect(8, 30, 536, 2));
    Panel3 = newWhiteStrip(QStringLiteral("Panel3"), panMain, QRect(8, 394, 536, 2));

    panSmallToolbar = newPanel(QStringLiteral("panSmallToolbar"), panMain, QRect(8, 0, 536, 30));
    panSmallToolbar->setProperty("tag", 9999);
    sbtnDelete = newCommandButton(QStringLiteral("sbtnDelete"), QStringLiteral("Delete"), panSmallToolbar,
                                  QRect(0, 3, 70, 24));
    sbtnClear = newCommandButton(QStringLiteral("sbtnClear"), QStringLiteral("Clear"), panSmallToolbar,
                                 QRect(72, 3, 66, 24));
    sbtnUp = newCommandButton(QStringLiteral("sbtnUp"), QStringLiteral("Move Up"), panSmallToolbar,
                              QRect(140, 3, 82, 24));
    sbtnDown = newCommandButton(QStringLiteral("sbtnDown"), QStringLiteral("Move Down"), panSmallToolbar,
                                QRect(224, 3, 92, 24));
    SpeedButton1 = newCommandButton(QStringLiteral("SpeedButton1"), QStringLiteral("About"), panSmallToolbar,
                                    QRect(392, 3, 70, 24));
    SpeedButton2 = newCommandButton(QStringLiteral("SpeedButton2"), QStringLiteral("Help"), panSmallToolbar,
                                    QRect(464, 3, 70, 24));

    ltvTask = new QTreeWidget(panMain);
    ltvTask->setObjectName(QStringLiteral("ltvTask"));
    ltvTask->setGeometry(8, 32, 536, 362);
    ltvTask->setColumnCount(11);
    ltvTask->setHeaderLabels({QStringLiteral("Input File"), QStringLiteral("Length"), QStringLiteral("Size"),
                              QStringLiteral("Status")});
    // Before the hiding: switching the stretch off afterwards would count
    // the hidden columns in the header's width and give the list a needless
    // horizontal scroll bar.
    ltvTask->header()->setStretchLastSection(false);
    for (int column = 4; column < 11; ++column)
        ltvTask->setColumnHidden(column, true);
    ltvTask->setRootIsDecorated(false);
    ltvTask->setItemsExpandable(false);
    ltvTask->setUniformRowHeights(true);
    ltvTask->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ltvTask->setSelectionBehavior(QAbstractItemView::SelectRows);
    ltvTask->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ltvTask->setContextMenuPolicy(Qt::CustomContextMenu);
    ltvTask->header()->setSectionsMovable(false);
    ltvTask->setProperty("tag", 562);

    panbg = newPanel(QStringLiteral("panbg"), panMain, QRect(8, 32, 536, 362));
    imgWelcome = newLabel(QString(), panbg, QRect(0, 0, 536, 362), QStringLiteral("imgWelcome"));
    imgWelcome->setScaledContents(true);
    imgLogo = newLabel(QString(), panbg, QRect(218, 90, 100, 100), QStringLiteral("imgLogo"));
    imgLogo->setScaledContents(true);
    labProgramName = newLabel(QString(), panbg, QRect(0, 210, 536, 40), QStringLiteral("labProgramName"));
    labProgramName->setAlignment(Qt::AlignCenter);
    QFont nameFont = labProgramName->font();
    nameFont.setPointSize(20);
    nameFont.setBold(true);
    labProgramName->setFont(nameFont);

    panToolbar = newPanel(QStringLiteral("panToolbar"), panMain, QRect(8, 398, 536, 44));
    sbtnAddFile = newCommandButton(QStringLiteral("sbtnAddFile"), QStringLiteral("Add File"), panToolbar,
                                   QRect(0, 6, 100, 32));
    sbtnAddDir = newCommandButton(QStringLiteral("sbtnAddDir"), QStringLiteral("Add Dir"), panToolbar,
                                  QRect(106, 6, 100, 32));
    sbtnOptions = newCommandButton(QStringLiteral("sbtnOptions"), QStringLiteral("Settings"), panToolbar,
                                   QRect(436, 6, 100, 32));
}

void TMainForm::buildGroup(QWidget* container, GroupHeader*& header, QPushButton*& button, ValueListEditor*& grid,
                           const QString& panelName, const QString& buttonName, const QString& gridName,
                           const QString& title)
{
    header = new GroupHeader(panelName, buttonName, title, kGroupColour, container);
    button = header->button();
    grid = new ValueListEditor(container);
    grid->setObjectName(gridName);
    grid->setFixedWidth(216);
    grid->setColumnWidth(0, 95);
    grid->setColumnWidth(1, 119);
    container->layout()->addWidget(header);
    container->layout()->addWidget(grid);
    ValueListEditor* target = grid;
    QPushButton* toggle = button;
    connect(button, &QPushButton::clicked, this, [target, toggle] { ToggleGroup(target, toggle); });
    connect(header, &GroupHeader::doubleClicked, this, [target, toggle] { ToggleGroup(target, toggle); });
}

void TMainForm::buildProfilePanel()
{
    panProfile = newPanel(QStringLiteral("panProfile"), this, QRect(552, 15, 260, 442));

    panPreview = newPanel(QStringLiteral("panPreview"), panProfile, QRect(0, 0, 260, 225));
    VideoWindow1 = new QVideoWidget(panPreview);
    VideoWindow1->setObjectName(QStringLiteral("VideoWindow1"));
    VideoWindow1->setGeometry(13, 8, 233, 140);
    VideoWindow1->setAutoFillBackground(true);
    QPalette black = VideoWindow1->palette();
    black.setColor(QPalette::Window, Qt::black);
    VideoWindow1->setPalette(black);
    TrackBar = new QSlider(Qt::Horizontal, panPreview);
    TrackBar->setObjectName(QStringLiteral("TrackBar"));
    TrackBar->setGeometry(16, 154, 227, 21);
    TrackBar->setTickPosition(QSlider::TicksAbove);
    TrackBar->setRange(0, 0);
    sbtnPlay = newCommandButton(QStringLiteral("sbtnPlay"), QString(), panPreview, QRect(16, 184, 28, 28));
    sbtnPlay->setToolTip(QStringLiteral("Play"));
    sbtnPause = newCommandButton(QStringLiteral("sbtnPause"), QString(), panPreview, QRect(48, 184, 28, 28));
    sbtnPause->setToolTip(QStringLiteral("Pause / Resume"));
    sbtnStop = newCommandButton(QStringLiteral("sbtnStop"), QString(), panPreview, QRect(80, 184, 28, 28));
    sbtnStop->setToolTip(QStringLiteral("Stop"));
    imgPreviewTime = newLabel(QString(), panPreview, QRect(160, 186, 86, 24), QStringLiteral("imgPreviewTime"));
    imgPreviewTime->setScaledContents(true);
    labPreviewTime = newLabel(QStringLiteral("00:00:00"), panPreview, QRect(160, 186, 86, 24),
                              QStringLiteral("labPreviewTime"));
    labPreviewTime->setAlignment(Qt::AlignCenter);
    labPreviewTime->setAttribute(Qt::WA_TranslucentBackground);

    ScrollBox1 = new QScrollArea(panProfile);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setGeometry(0, 238, 237, 196);
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* stack = new QWidget;
    stack->setObjectName(QStringLiteral("ScrollBox1Contents"));
    stack->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(stack);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    buildGroup(stack, panOutput, btnOutput, vleOutput, QStringLiteral("panOutput"), QStringLiteral("btnOutput"),
               QStringLiteral("vleOutput"), QStringLiteral("Output"));
    buildGroup(stack, panVideo, btnVideo, vleVideo, QStringLiteral("panVideo"), QStringLiteral("btnVideo"),
               QStringLiteral("vleVideo"), QStringLiteral("Video"));
    buildGroup(stack, panAudio, btnAudio, vleAudio, QStringLiteral("panAudio"), QStringLiteral("btnAudio"),
               QStringLiteral("vleAudio"), QStringLiteral("Audio"));
    buildGroup(stack, panAdvanced, btnAdvanced, vleAdvanced, QStringLiteral("panAdvanced"),
               QStringLiteral("btnAdvanced"), QStringLiteral("vleAdvanced"), QStringLiteral("Advanced"));
    layout->addStretch(1);
    ScrollBox1->setWidget(stack);

    vleOutput->setSilverFixedValues(false);
    for (const QString& key : {QStringLiteral("New Filename"), QStringLiteral("Start Time"),
                               QStringLiteral("End Time")})
        vleOutput->InsertRow(key, QString());
    vleOutput->FitHeightToRows();
    FillInitialRows(grids());

    for (ValueListEditor* grid : {vleVideo, vleAudio, vleAdvanced})
        connect(grid, &ValueListEditor::MouseDown, this, &TMainForm::RefreshAllGrids);

    // The preview creates AudioOutput at its first file.
    FilterGraph = new QMediaPlayer(this);
    FilterGraph->setObjectName(QStringLiteral("FilterGraph"));
    FilterGraph->setVideoOutput(VideoWindow1);
}

void TMainForm::buildBottomPanel()
{
    panBottom = newPanel(QStringLiteral("panBottom"), this, QRect(0, 457, 812, 90));

    panBottomCenter = newPanel(QStringLiteral("panBottomCenter"), panBottom, QRect(0, 0, 637, 90));
    newLabel(QStringLiteral("Profile:"), panBottomCenter, QRect(16, 18, 80, 22));
    cmbProfile = new QComboBox(panBottomCenter);
    cmbProfile->setObjectName(QStringLiteral("cmbProfile"));
    cmbProfile->setGeometry(100, 16, 340, 24);
    bbtnSetting = new QPushButton(QStringLiteral("&Detail"), panBottomCenter);
    bbtnSetting->setObjectName(QStringLiteral("bbtnSetting"));
    bbtnSetting->setGeometry(448, 15, 80, 26);
    newLabel(QStringLiteral("Output Path:"), panBottomCenter, QRect(16, 52, 80, 22));
    edtOutputdir = new QLineEdit(panBottomCenter);
    edtOutputdir->setObjectName(QStringLiteral("edtOutputdir"));
    edtOutputdir->setGeometry(100, 50, 340, 24);
    bbtnBrowser = new QPushButton(QStringLiteral("&Browse"), panBottomCenter);
    bbtnBrowser->setObjectName(QStringLiteral("bbtnBrowser"));
    bbtnBrowser->setGeometry(448, 49, 80, 26);
    bbtnOpen = new QPushButton(QStringLiteral("&Open"), panBottomCenter);
    bbtnOpen->setObjectName(QStringLiteral("bbtnOpen"));
    bbtnOpen->setGeometry(536, 49, 80, 26);

    panBottomLeft = newPanel(QStringLiteral("panBottomLeft"), panBottom, QRect(0, 0, 637, 90));
    newLabel(QStringLiteral("Converting:"), panBottomLeft, QRect(16, 6, 90, 18));
    labConvertingFile = newLabel(QString(), panBottomLeft, QRect(110, 6, 510, 18),
                                 QStringLiteral("labConvertingFile"));
    newLabel(QStringLiteral("Time Elapsed:"), panBottomLeft, QRect(16, 26, 90, 18));
    labElapsed = newLabel(QString(), panBottomLeft, QRect(110, 26, 120, 18), QStringLiteral("labElapsed"));
    newLabel(QStringLiteral("Time Remaining:"), panBottomLeft, QRect(290, 26, 110, 18));
    labRemaining = newLabel(QString(), panBottomLeft, QRect(404, 26, 120, 18), QStringLiteral("labRemaining"));
    newLabel(QStringLiteral("Current:"), panBottomLeft, QRect(16, 47, 90, 18));
    pgbCurrent = new QProgressBar(panBottomLeft);
    pgbCurrent->setObjectName(QStringLiteral("pgbCurrent"));
    pgbCurrent->setGeometry(110, 48, 460, 16);
    pgbCurrent->setRange(0, 100);
    pgbCurrent->setValue(0);
    pgbCurrent->setTextVisible(false);
    labCurProgress = newLabel(QStringLiteral("0%"), panBottomLeft, QRect(578, 47, 50, 18),
                              QStringLiteral("labCurProgress"));
    newLabel(QStringLiteral("Total:"), panBottomLeft, QRect(16, 68, 90, 18));
    pgbTotal = new QProgressBar(panBottomLeft);
    pgbTotal->setObjectName(QStringLiteral("pgbTotal"));
    pgbTotal->setGeometry(110, 69, 460, 16);
    pgbTotal->setRange(0, 100);
    pgbTotal->setValue(0);
    pgbTotal->setTextVisible(false);
    labTotalProgress = newLabel(QStringLiteral("0%"), panBottomLeft, QRect(578, 68, 50, 18),
                                QStringLiteral("labTotalProgress"));

    panBottomRight = newPanel(QStringLiteral("panBottomRight"), panBottom, QRect(637, 0, 175, 90));
    panBottomRight->setMouseTracking(true);
    Panel1 = newPanel(QStringLiteral("Panel1"), panBottomRight, QRect(5, 0, 165, 90));
    Panel1->setMouseTracking(true);
    Image3 = newLabel(QString(), Panel1, QRect(0, 0, 165, 90), QStringLiteral("Image3"));
    Image3->setMouseTracking(true);
    std::array<QPixmap, 3> startFrames;
    std::array<QPixmap, 3> stopFrames;
    for (int frame = 0; frame < 3; ++frame) {
        startFrames[size_t(frame)] = Artwork::StartFrame(frame);
        stopFrames[size_t(frame)] = Artwork::StopFrame(frame);
    }
    imgStart = new PictureButton(QStringLiteral("imgStart"), startFrames, Panel1);
    imgStart->setGeometry(16, 16, 133, 65);
    imgStop = new PictureButton(QStringLiteral("imgStop"), stopFrames, Panel1);
    imgStop->setGeometry(16, 16, 133, 65);
    imgStop->hide();
}

void TMainForm::buildCommands()
{
    Toolbar1 = new QWidget(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->hide();
    tbtnAddFile = newCommand(QStringLiteral("tbtnAddFile"), QStringLiteral("Add File"), Toolbar1);
    tbtnAddDir = newCommand(QStringLiteral("tbtnAddDir"), QStringLiteral("Add Dir"), Toolbar1);
    tbtnUp = newCommand(QStringLiteral("tbtnUp"), QStringLiteral("Move Up"), Toolbar1);
    tbtnDown = newCommand(QStringLiteral("tbtnDown"), QStringLiteral("Move Down"), Toolbar1);
    tbtnRemove = newCommand(QStringLiteral("tbtnRemove"), QStringLiteral("Remove"), Toolbar1);
    tbtnClear = newCommand(QStringLiteral("tbtnClear"), QStringLiteral("Clear"), Toolbar1);
    tbtnStart = newCommand(QStringLiteral("tbtnStart"), QStringLiteral("Start"), Toolbar1);
    tbtnStop = newCommand(QStringLiteral("tbtnStop"), QStringLiteral("Stop"), Toolbar1);
    tbtnSetting = newCommand(QStringLiteral("tbtnSetting"), QStringLiteral("Settings"), Toolbar1);
    tbtnAbout = newCommand(QStringLiteral("tbtnAbout"), QStringLiteral("About"), Toolbar1);
    tbtnHelp = newCommand(QStringLiteral("tbtnHelp"), QStringLiteral("Help"), Toolbar1);
    SetListCommandsEnabled(false);
    tbtnStop->setEnabled(false);

    ppmTask = new QMenu(this);
    ppmTask->setObjectName(QStringLiteral("ppmTask"));
    mnuOpen = ppmTask->addAction(QStringLiteral("Open"));
    mnuOpen->setObjectName(QStringLiteral("mnuOpen"));
    ppmTask->addSeparator();
    mnuAddFiles = ppmTask->addAction(QStringLiteral("Add Files..."));
    mnuAddFiles->setObjectName(QStringLiteral("mnuAddFiles"));
    mnuAddDirs = ppmTask->addAction(QStringLiteral("Add Directorys..."));
    mnuAddDirs->setObjectName(QStringLiteral("mnuAddDirs"));
    ppmTask->addSeparator();
    mnuRemove = ppmTask->addAction(QStringLiteral("Remove"));
    mnuRemove->setObjectName(QStringLiteral("mnuRemove"));
    mnuClear = ppmTask->addAction(QStringLiteral("Clear"));
    mnuClear->setObjectName(QStringLiteral("mnuClear"));

    timerTime = new QTimer(this);
    timerTime->setObjectName(QStringLiteral("timerTime"));
    timerTime->setInterval(1000);

    connect(tbtnAbout, &QAction::triggered, this, &TMainForm::tbtnAboutClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TMainForm::tbtnAboutClick);
    connect(tbtnHelp, &QAction::triggered, this, &TMainForm::tbtnHelpClick);
    connect(SpeedButton2, &QToolButton::clicked, this, &TMainForm::tbtnHelpClick);
    connect(tbtnSetting, &QAction::triggered, this, &TMainForm::tbtnSettingClick);
    connect(sbtnOptions, &QToolButton::clicked, this, &TMainForm::tbtnSettingClick);
    connect(bbtnSetting, &QPushButton::clicked, this, &TMainForm::bbtnSettingClick);
    connect(bbtnBrowser, &QPushButton::clicked, this, &TMainForm::bbtnBrowserClick);
    connect(bbtnOpen, &QPushButton::clicked, this, &TMainForm::bbtnOpenClick);
    connect(cmbProfile, qOverload<int>(&QComboBox::activated), this, &TMainForm::cmbProfileChange);

    // Every command has one handler, shared by its hidden tool button, its
    // visible button and its menu item.
    connect(tbtnAddFile, &QAction::triggered, this, &TMainForm::tbtnAddFileClick);
    connect(sbtnAddFile, &QToolButton::clicked, this, &TMainForm::tbtnAddFileClick);
    connect(mnuAddFiles, &QAction::triggered, this, &TMainForm::tbtnAddFileClick);
    connect(tbtnAddDir, &QAction::triggered, this, &TMainForm::tbtnAddDirClick);
    connect(sbtnAddDir, &QToolButton::clicked, this, &TMainForm::tbtnAddDirClick);
    connect(mnuAddDirs, &QAction::triggered, this, &TMainForm::tbtnAddDirClick);
    connect(tbtnRemove, &QAction::triggered, this, &TMainForm::tbtnRemoveClick);
    connect(sbtnDelete, &QToolButton::clicked, this, &TMainForm::tbtnRemoveClick);
    connect(mnuRemove, &QAction::triggered, this, &TMainForm::tbtnRemoveClick);
    connect(tbtnClear, &QAction::triggered, this, &TMainForm::tbtnClearClick);
    connect(sbtnClear, &QToolButton::clicked, this, &TMainForm::tbtnClearClick);
    connect(mnuClear, &QAction::triggered, this, &TMainForm::tbtnClearClick);
    connect(tbtnUp, &QAction::triggered, this, &TMainForm::tbtnUpClick);
    connect(sbtnUp, &QToolButton::clicked, this, &TMainForm::tbtnUpClick);
    connect(tbtnDown, &QAction::triggered, this, &TMainForm::tbtnDownClick);
    connect(sbtnDown, &QToolButton::clicked, this, &TMainForm::tbtnDownClick);
    connect(mnuOpen, &QAction::triggered, this, &TMainForm::ltvTaskDblClick);
    connect(tbtnStart, &QAction::triggered, this, &TMainForm::tbtnStartClick);
    connect(tbtnStop, &QAction::triggered, this, &TMainForm::tbtnStopClick);
    connect(timerTime, &QTimer::timeout, this, &TMainForm::timerTimeTimer);
    connect(imgStart, &PictureButton::clicked, this, &TMainForm::imgStartClick);
    connect(imgStop, &PictureButton::clicked, this, &TMainForm::imgStopClick);
    connect(sbtnPlay, &QToolButton::clicked, this, &TMainForm::sbtnPlayClick);
    connect(sbtnPause, &QToolButton::clicked, this, &TMainForm::sbtnPauseClick);
    connect(sbtnStop, &QToolButton::clicked, this, &TMainForm::sbtnStopClick);

    connect(ltvTask, &QTreeWidget::itemClicked, this, &TMainForm::ltvTaskClick);
    connect(ltvTask, &QTreeWidget::itemDoubleClicked, this, &TMainForm::ltvTaskDblClick);
    connect(ltvTask, &QWidget::customContextMenuRequested, this, &TMainForm::ppmTaskPopup);
    ltvTask->installEventFilter(this);
    ltvTask->viewport()->installEventFilter(this);
    connect(vleOutput, &ValueListEditor::ValueEdited, this, &TMainForm::vleOutputValidate);
    connect(vleOutput, &ValueListEditor::MouseDown, this, &TMainForm::vleOutputMouseDown);
    connect(vleOutput, &QTableWidget::cellClicked, this, &TMainForm::vleOutputClick);
    connect(vleVideo, &ValueListEditor::StringsChange, this, &TMainForm::vleVideoStringsChange);
    panBottomRight->installEventFilter(this);
    Image3->installEventFilter(this);
}

void TMainForm::SetListCommandsEnabled(bool enabled)
{
    for (QAction* command : {tbtnUp, tbtnDown, tbtnRemove, tbtnClear, tbtnStart})
        command->setEnabled(enabled);
}

void TMainForm::SetGridValue(int grid, const QString& key, const QString& value)
{
    ValueListEditor* target = grid == 0 ? vleOutput : grids().grid(grid);
    if (target)
        target->SetValues(key, value);
}

void TMainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    Driver->WindowClosing();
    SavePreferences();
    QWidget::closeEvent(event);
    event->accept();
    QApplication::closeAllWindows();
}

void TMainForm::FormShow()
{
    LoadPreferences();
}

void TMainForm::LoadPreferences()
{
    ::LoadMainPreferences(*this);
}

void TMainForm::SavePreferences()
{
    ::SaveMainPreferences(*this);
}

void TMainForm::cmbProfileChange()
{
    const QString path = ProfilePathOf(ProfileFolder, cmbProfile->currentText());
    if (!QFileInfo(path).isFile())
        return;
    try {
        LoadProfileGrids(grids(), path, &ProfileExt);
    } catch (const ProfileError& error) {
        reportProfileError(error);
    } catch (const IniFileError& error) {
        ShowInformation(this, QStringLiteral("Profile"), error.reason());
    }
}

void TMainForm::reportProfileError(const ProfileError& error)
{
    Desktop::current().message(
        this, Desktop::Icon::Warning, QStringLiteral("Profile"),
        QStringLiteral("The profile \"%1\" is damaged: its parameter \"%2\" cannot be used because %3.")
            .arg(QDir::toNativeSeparators(error.profilePath()), error.parameter(), error.problem()),
        QMessageBox::Ok);
}

void TMainForm::RefreshAllGrids()
{
    for (ValueListEditor* grid : {vleOutput, vleVideo, vleAudio, vleAdvanced})
        grid->Refresh();
}

void TMainForm::bbtnBrowserClick()
{
    QString folder;
    if (Desktop::current().browseForFolder(this, QStringLiteral("Select the output directory."), &folder))
        edtOutputdir->setText(AppendSeparator(folder));
}

void TMainForm::bbtnOpenClick()
{
    const QString folder = edtOutputdir->text();
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        Desktop::current().openUrl(QUrl::fromLocalFile(folder));
}

void TMainForm::tbtnAboutClick()
{
    AboutForm->show();
}

void TMainForm::tbtnHelpClick()
{
    Desktop::current().openUrl(QUrl::fromLocalFile(HelpFile));
}

void TMainForm::tbtnSettingClick()
{
    SettingForm->ShowOnPage(0);
}

void TMainForm::bbtnSettingClick()
{
    SettingForm->ShowOnPage(1);
    SettingForm->SelectProfile(cmbProfile->currentIndex());
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ltvTask && event->type() == QEvent::KeyPress) {
        if (TaskListKeyDown(*this, static_cast<QKeyEvent*>(event)->key()))
            return true;
    } else if (watched == ltvTask && event->type() == QEvent::Resize) {
        ltvTaskResize();
    } else if (watched == ltvTask->viewport() && event->type() == QEvent::MouseButtonRelease) {
        // A click on empty space selects nothing and still refreshes the output grid.
        if (!ltvTask->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
            QTimer::singleShot(0, this, &TMainForm::ltvTaskClick);
    } else if ((watched == panBottomRight || watched == Image3) && event->type() == QEvent::MouseMove) {
        imgStart->ResetHover();
        imgStop->ResetHover();
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths.append(QDir::toNativeSeparators(url.toLocalFile()));
    }
    event->acceptProposedAction();
    DropPaths(*this, paths);
}

void TMainForm::tbtnAddFileClick()
{
    AddFilesCommand(*this);
}

void TMainForm::tbtnAddDirClick()
{
    AddDirCommand(*this);
}

void TMainForm::tbtnRemoveClick()
{
    RemoveSelectedTasks(*this);
}

void TMainForm::tbtnClearClick()
{
    ClearTasks(*this);
}

void TMainForm::tbtnUpClick()
{
    MoveTasksUp(*this);
}

void TMainForm::tbtnDownClick()
{
    MoveTasksDown(*this);
}

void TMainForm::ltvTaskClick()
{
    ShowTaskInOutputGrid(*this);
}

void TMainForm::ltvTaskDblClick()
{
    if (!ltvTask->selectedItems().isEmpty())
        Preview->PreviewSelectedTask();
}

void TMainForm::ppmTaskPopup(const QPoint& position)
{
    if (!ltvTask->isEnabled())
        return;
    UpdatePopupMenu(*this);
    ppmTask->popup(ltvTask->viewport()->mapToGlobal(position));
}

void TMainForm::ltvTaskResize()
{
    ResizeTaskColumns(*this);
}

void TMainForm::vleOutputValidate(int row)
{
    Q_UNUSED(row);
    ValidateOutputGrid(*this);
}

void TMainForm::vleOutputMouseDown()
{
    OutputGridMouseDown(*this);
}

void TMainForm::vleOutputClick()
{
    RefreshAllGrids();
}

void TMainForm::vleVideoStringsChange()
{
    VideoGridChanged(*this);
}

void TMainForm::tbtnStartClick()
{
    Driver->Start();
}

void TMainForm::tbtnStopClick()
{
    Driver->Stop();
}

void TMainForm::timerTimeTimer()
{
    Driver->Tick();
}

void TMainForm::imgStartClick()
{
    if (ltvTask->topLevelItemCount() > 0)
        tbtnStartClick();
}

void TMainForm::imgStopClick()
{
    imgStop->hide();
    imgStart->show();
    tbtnStopClick();
}

void TMainForm::sbtnPlayClick()
{
    Preview->Play();
}

void TMainForm::sbtnPauseClick()
{
    Preview->PauseResume();
}

void TMainForm::sbtnStopClick()
{
    Preview->Stop();
}

void TMainForm::TrackBarTimer()
{
    Preview->TrackBarTimer();
}
