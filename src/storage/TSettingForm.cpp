#include "storage/TSettingForm.h"

#include "app/Artwork.h"
#include "app/TMainForm.h"
#include "platform/Desktop.h"
#include "platform/PathRules.h"
#include "profiles/GroupHeader.h"
#include "profiles/ProfileCatalogue.h"
#include "profiles/ProfileEditing.h"
#include "profiles/ProfileError.h"
#include "profiles/ValueListEditor.h"
#include "storage/Preferences.h"
#include "storage/TNewInifile.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

TSettingForm::TSettingForm(TMainForm* mainForm)
    : OwnedDialog(mainForm, QStringLiteral("TSettingForm"), QStringLiteral("Settings"), QSize(391, 498)),
      m_main(mainForm)
{
    pgcSetting = new QTabWidget(this);
    pgcSetting->setObjectName(QStringLiteral("pgcSetting"));
    pgcSetting->setGeometry(4, 4, 383, 450);
    buildGeneralTab();
    buildProfilesTab();

    btnDefault = new QPushButton(QStringLiteral("&Load Default"), this);
    btnDefault->setObjectName(QStringLiteral("btnDefault"));
    btnDefault->setGeometry(8, 464, 100, 25);
    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(224, 464, 75, 25);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(306, 464, 75, 25);
    // None of the buttons answers Enter.
    for (QPushButton* button : {btnDefault, btnOK, btnCancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(btnOK, &QPushButton::clicked, this, &TSettingForm::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TSettingForm::btnCancelClick);
    connect(btnDefault, &QPushButton::clicked, this, &TSettingForm::btnDefaultClick);
    connect(sbtnBrowse, &QToolButton::clicked, this, &TSettingForm::sbtnBrowseClick);
    connect(cmbProfile, qOverload<int>(&QComboBox::activated), this, &TSettingForm::cmbProfileChange);
    connect(btnSaveAs, &QPushButton::clicked, this, &TSettingForm::btnSaveAsClick);

    // The catalogue, copied once in the main window's order.
    for (int i = 0; i < m_main->cmbProfile->count(); ++i)
        cmbProfile->addItem(m_main->cmbProfile->itemText(i));
    cmbProfile->setCurrentIndex(-1);
    LoadGeneralTabFromFile();
}

void TSettingForm::buildGeneralTab()
{
    tabGeneral = new QWidget;
    tabGeneral->setObjectName(QStringLiteral("tabGeneral"));
    pgcSetting->addTab(tabGeneral, QStringLiteral("     General     "));

    auto* outputLabel = new QLabel(QStringLiteral("Default Output Path:"), tabGeneral);
    outputLabel->setGeometry(12, 20, 150, 22);
    edtOutputDir = new QLineEdit(tabGeneral);
    edtOutputDir->setObjectName(QStringLiteral("edtOutputDir"));
    edtOutputDir->setGeometry(164, 20, 170, 22);
    sbtnBrowse = new QToolButton(tabGeneral);
    sbtnBrowse->setObjectName(QStringLiteral("sbtnBrowse"));
    sbtnBrowse->setGeometry(338, 19, 26, 24);
    sbtnBrowse->setToolTip(QStringLiteral("Browse"));
    sbtnBrowse->setIcon(Artwork::Glyph(QStringLiteral("folder")));

    auto* synLabel = new QLabel(QStringLiteral("Synchronization Mode:"), tabGeneral);
    synLabel->setGeometry(12, 60, 150, 22);
    cmbSyn = new QComboBox(tabGeneral);
    cmbSyn->setObjectName(QStringLiteral("cmbSyn"));
    cmbSyn->setGeometry(164, 60, 170, 22);
    cmbSyn->addItems({QStringLiteral("Auto"), QStringLiteral("Force Mode"), QStringLiteral("Progressive Mode")});
    cmbSyn->setCurrentIndex(-1);

    chkOpenDir = new QCheckBox(QStringLiteral("Open the output directory when the task is completed. "), tabGeneral);
    chkOpenDir->setObjectName(QStringLiteral("chkOpenDir"));
    chkOpenDir->setGeometry(12, 104, 360, 22);
    chkExit = new QCheckBox(QStringLiteral("Exit the program when the task is completed."), tabGeneral);
    chkExit->setObjectName(QStringLiteral("chkExit"));
    chkExit->setGeometry(12, 132, 360, 22);
    chkTurnoff = new QCheckBox(QStringLiteral("Turn off the computer when the task is completed."), tabGeneral);
    chkTurnoff->setObjectName(QStringLiteral("chkTurnoff"));
    chkTurnoff->setGeometry(12, 160, 360, 22);

    gpbOverWrite = new QGroupBox(QStringLiteral("Output File Overwrite"), tabGeneral);
    gpbOverWrite->setObjectName(QStringLiteral("gpbOverWrite"));
    gpbOverWrite->setGeometry(12, 200, 352, 84);
    rdbOverWrite = new QRadioButton(QStringLiteral("Overwrite"), gpbOverWrite);
    rdbOverWrite->setObjectName(QStringLiteral("rdbOverWrite"));
    rdbOverWrite->setGeometry(12, 24, 320, 22);
    rdbOverWrite->setChecked(true);
    rdbRename = new QRadioButton(QStringLiteral("Not overwrite (Rename to <Filename> + Index"), gpbOverWrite);
    rdbRename->setObjectName(QStringLiteral("rdbRename"));
    rdbRename->setGeometry(12, 50, 320, 22);
}

void TSettingForm::buildProfilesTab()
{
    tabProfiles = new QWidget;
    tabProfiles->setObjectName(QStringLiteral("tabProfiles"));
    pgcSetting->addTab(tabProfiles, QStringLiteral("     Profiles     "));

    cmbProfile = new QComboBox(tabProfiles);
    cmbProfile->setObjectName(QStringLiteral("cmbProfile"));
    cmbProfile->setGeometry(8, 7, 268, 22);
    btnSaveAs = new QPushButton(QStringLiteral("&Save as..."), tabProfiles);
    btnSaveAs->setObjectName(QStringLiteral("btnSaveAs"));
    btnSaveAs->setGeometry(282, 4, 91, 25);
    btnSaveAs->setAutoDefault(false);

    ScrollBox1 = new QScrollArea(tabProfiles);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setGeometry(8, 36, 366, 373);
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* stack = new QWidget;
    stack->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(stack);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    const QColor shadow = palette().color(QPalette::Dark);
    const auto addGroup = [&](GroupHeader*& header, QPushButton*& button, ValueListEditor*& grid,
                              const QString& title) {
        header = new GroupHeader(QStringLiteral("pan") + title, QStringLiteral("btn") + title, title, shadow, stack);
        button = header->button();
        grid = new ValueListEditor(stack);
        grid->setObjectName(QStringLiteral("vle") + title);
        grid->setFixedWidth(362);
        grid->setColumnWidth(0, 160);
        grid->setColumnWidth(1, 200);
        layout->addWidget(header);
        layout->addWidget(grid);
        ValueListEditor* target = grid;
        QPushButton* toggle = button;
        connect(button, &QPushButton::clicked, this, [target, toggle] { ToggleGroup(target, toggle); });
        connect(grid, &ValueListEditor::MouseDown, this, &TSettingForm::RefreshAllGrids);
    };
    addGroup(panVideo, btnVideo, vleVideo, QStringLiteral("Video"));
    addGroup(panAudio, btnAudio, vleAudio, QStringLiteral("Audio"));
    addGroup(panAdvanced, btnAdvanced, vleAdvanced, QStringLiteral("Advanced"));
    layout->addStretch(1);
    ScrollBox1->setWidget(stack);
    FillInitialRows(grids());
}

void TSettingForm::LoadGeneralTabFromFile()
{
    try {
        TNewInifile ini(m_main->PreferencesFile);
        LoadGeneralTab(*this, ini, QStringLiteral("Main"), true);
        ini.FreeAfterReading();
    } catch (const IniFileError&) {
        // An unreadable preferences file leaves the controls at their defaults.
    }
}

void TSettingForm::ShowOnPage(int page)
{
    show();
    raise();
    activateWindow();
    pgcSetting->setCurrentIndex(page);
}

void TSettingForm::SelectProfile(int index)
{
    cmbProfile->setCurrentIndex(index >= 0 && index < cmbProfile->count() ? index : -1);
    cmbProfileChange();
}

void TSettingForm::showEvent(QShowEvent* event)
{
    OwnedDialog::showEvent(event);
    edtOutputDir->setText(m_main->edtOutputdir->text());
}

void TSettingForm::btnOKClick()
{
    m_main->edtOutputdir->setText(edtOutputDir->text());
    try {
        TNewInifile ini(m_main->PreferencesFile);
        SaveGeneralTab(*this, ini);
        ini.Free();
    } catch (const IniFileError& error) {
        ReportWriteFailure(this, error.path(), error.reason());
    }
    SaveProfileHalf(*this);
    close();
}

void TSettingForm::btnCancelClick()
{
    close();
}

void TSettingForm::btnDefaultClick()
{
    const QMessageBox::StandardButton answer = Desktop::current().message(
        this, Desktop::Icon::Question, QStringLiteral("Load Default"),
        QStringLiteral("Are you sure to load the default preferences?"), QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    try {
        TNewInifile ini(m_main->PreferencesFile);
        LoadGeneralTab(*this, ini, QStringLiteral("Default"), false);
        ini.FreeAfterReading();
    } catch (const IniFileError& error) {
        ReportWriteFailure(this, error.path(), error.reason());
    }
}

void TSettingForm::sbtnBrowseClick()
{
    QString folder;
    if (Desktop::current().browseForFolder(this, QStringLiteral("Select the output directory."), &folder))
        edtOutputDir->setText(AppendSeparator(folder));
}

void TSettingForm::cmbProfileChange()
{
    const QString path = ProfilePathOf(m_main->ProfileFolder, cmbProfile->currentText());
    if (cmbProfile->currentIndex() < 0 || !QFileInfo(path).isFile())
        return;
    try {
        LoadProfileGrids(grids(), path, nullptr);
    } catch (const ProfileError& error) {
        Desktop::current().message(
            this, Desktop::Icon::Warning, QStringLiteral("Profile"),
            QStringLiteral("The profile \"%1\" is damaged: its parameter \"%2\" cannot be used because %3.")
                .arg(QDir::toNativeSeparators(error.profilePath()), error.parameter(), error.problem()),
            QMessageBox::Ok);
    }
}

void TSettingForm::btnSaveAsClick()
{
    SaveProfileCopy(*this);
}

void TSettingForm::RefreshAllGrids()
{
    for (ValueListEditor* grid : {vleVideo, vleAudio, vleAdvanced})
        grid->Refresh();
}
