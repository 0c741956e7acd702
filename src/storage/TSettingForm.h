#pragma once

#include "app/OwnedDialog.h"
#include "profiles/ParameterGrids.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTabWidget;
class QToolButton;
class GroupHeader;
class TMainForm;
class ValueListEditor;

// The settings dialog: the preferences on its General tab and the stored
// values of the profiles on its Profiles tab. Created once; its controls
// hold the current preferences for the whole run.
class TSettingForm final : public OwnedDialog
{
    Q_OBJECT

public:
    explicit TSettingForm(TMainForm* mainForm);

    TMainForm* mainForm() const { return m_main; }

    QTabWidget* pgcSetting = nullptr;
    QWidget* tabGeneral = nullptr;
    QWidget* tabProfiles = nullptr;
    QPushButton* btnDefault = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    QLineEdit* edtOutputDir = nullptr;
    QToolButton* sbtnBrowse = nullptr;
    QComboBox* cmbSyn = nullptr;
    QCheckBox* chkOpenDir = nullptr;
    QCheckBox* chkExit = nullptr;
    QCheckBox* chkTurnoff = nullptr;
    QGroupBox* gpbOverWrite = nullptr;
    QRadioButton* rdbOverWrite = nullptr;
    QRadioButton* rdbRename = nullptr;

    QComboBox* cmbProfile = nullptr;
    QPushButton* btnSaveAs = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    GroupHeader* panVideo = nullptr;
    QPushButton* btnVideo = nullptr;
    ValueListEditor* vleVideo = nullptr;
    GroupHeader* panAudio = nullptr;
    QPushButton* btnAudio = nullptr;
    ValueListEditor* vleAudio = nullptr;
    GroupHeader* panAdvanced = nullptr;
    QPushButton* btnAdvanced = nullptr;
    ValueListEditor* vleAdvanced = nullptr;

    // The save dialog's settings for "Save as...".
    static QString SaveDialogFilter() { return QStringLiteral("Profiles (*.apf)|*.apf"); }

    ParameterGrids grids() const { return {vleVideo, vleAudio, vleAdvanced}; }

    // Shows the dialog on page 0 (General) or 1 (Profiles).
    void ShowOnPage(int page);
    // Selects the profile at `index` in the dialog's combo and loads it.
    void SelectProfile(int index);

public slots:
    void btnOKClick();
    void btnCancelClick();
    void btnDefaultClick();
    void sbtnBrowseClick();
    void cmbProfileChange();
    void btnSaveAsClick();
    void RefreshAllGrids();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildGeneralTab();
    void buildProfilesTab();
    void LoadGeneralTabFromFile();

    TMainForm* m_main;
};
