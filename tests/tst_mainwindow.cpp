// Start-up of the whole main window from a temporary program directory:
// layout, catalogue, caption, program information, About and Help.
#include "ProgramDir.h"
#include "RecordingDesktop.h"

#include "app/PictureButton.h"
#include "app/TAboutForm.h"
#include "app/TMainForm.h"
#include "profiles/ValueListEditor.h"
#include "storage/TSettingForm.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void startsWithLayoutAndCatalogue();
    void captionFollowsVersion_data();
    void captionFollowsVersion();
    void programDirectoryOfRootProgram();
    void aboutAndHelpGoThroughTheShell();
};

void TestMainWindow::startsWithLayoutAndCatalogue()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    dir.writeProfile(QStringLiteral("One"), {QStringLiteral("[Main]"), QStringLiteral("Type=avi")});
    dir.writeProfile(QStringLiteral("Two"), {QStringLiteral("[Main]")});
    dir.write(QStringLiteral("Profiles/Three.apf.bak"), "[Main]\r\n");

    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QCOMPARE(form.size(), QSize(812, 547));
    QCOMPARE(form.ProgramDirectory, dir.path());
    QCOMPARE(form.EncoderPath, dir.path() + QStringLiteral("wmaspi.dll"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Framewright Batch Video Converter V3.0"));
    QCOMPARE(form.labProgramName->text(), QStringLiteral("Batch Video Converter"));
    QVERIFY(form.panbg->isVisible());
    QVERIFY(form.panBottomCenter->isVisible());
    QVERIFY(!form.panBottomLeft->isVisible());
    QVERIFY(form.imgStart->isVisible());
    QVERIFY(!form.findChild<QWidget*>(QStringLiteral("imgStop"))->isVisible());

    QStringList profiles;
    for (int i = 0; i < form.cmbProfile->count(); ++i)
        profiles << form.cmbProfile->itemText(i);
    profiles.sort();
    QCOMPARE(profiles, (QStringList{QStringLiteral("One"), QStringLiteral("Two")}));

    for (const char* name : {"panTop", "panMain", "ltvTask", "panbg", "panSmallToolbar", "panToolbar", "panProfile",
                             "panPreview", "VideoWindow1", "TrackBar", "sbtnPlay", "sbtnPause", "sbtnStop",
                             "labPreviewTime", "ScrollBox1", "vleOutput", "vleVideo", "vleAudio", "vleAdvanced",
                             "panBottom", "panBottomCenter", "panBottomLeft", "cmbProfile", "edtOutputdir",
                             "labConvertingFile", "labElapsed", "labRemaining", "pgbCurrent", "pgbTotal",
                             "imgStart", "imgStop", "Image3", "sbtnAddFile", "sbtnAddDir", "sbtnOptions",
                             "sbtnDelete", "sbtnClear", "sbtnUp", "sbtnDown", "SpeedButton1", "SpeedButton2"})
        QVERIFY2(form.findChild<QWidget*>(QString::fromLatin1(name)), name);

    for (const char* name : {"tbtnUp", "tbtnDown", "tbtnRemove", "tbtnClear", "tbtnStart"})
        QVERIFY2(!form.findChild<QAction*>(QString::fromLatin1(name))->isEnabled(), name);
    for (const char* name : {"tbtnAddFile", "tbtnAddDir", "tbtnSetting", "tbtnAbout", "tbtnHelp"})
        QVERIFY2(form.findChild<QAction*>(QString::fromLatin1(name))->isEnabled(), name);

    const QTreeWidget* list = form.ltvTask;
    QCOMPARE(list->headerItem()->text(0), QStringLiteral("Input File"));
    QCOMPARE(list->headerItem()->text(3), QStringLiteral("Status"));
    QCOMPARE(form.vleOutput->property("objectName").toString(), QStringLiteral("vleOutput"));
}

void TestMainWindow::captionFollowsVersion_data()
{
    QTest::addColumn<QByteArray>("preferences");
    QTest::addColumn<QString>("caption");
    QTest::addRow("no file") << QByteArray() << QStringLiteral("Framewright Batch Video Converter V3.0");
    QTest::addRow("version key") << QByteArray("[Main]\r\nVersion=4.1\r\n")
                                 << QStringLiteral("Framewright Batch Video Converter V4.1");
}

void TestMainWindow::captionFollowsVersion()
{
    QFETCH(QByteArray, preferences);
    QFETCH(QString, caption);
    RecordingDesktop desktop;
    ProgramDir dir;
    if (!preferences.isEmpty())
        dir.write(QStringLiteral("Preferences.ini"), preferences);
    TMainForm form(dir.programFile());
    QCOMPARE(form.windowTitle(), caption);
    QCOMPARE(form.AboutForm->labVersion->text(), QStringLiteral("Version ") + caption.section(u'V', -1));
}

void TestMainWindow::programDirectoryOfRootProgram()
{
    RecordingDesktop desktop;
    TMainForm form(QStringLiteral("/framewright"));
    QCOMPARE(form.ProgramDirectory, QStringLiteral("/"));
    QCOMPARE(form.EncoderPath, QStringLiteral("/wmaspi.dll"));
}

void TestMainWindow::aboutAndHelpGoThroughTheShell()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    form.findChild<QAction*>(QStringLiteral("tbtnAbout"))->trigger();
    TAboutForm* about = form.AboutForm;
    QVERIFY(about->isVisible());
    QVERIFY(!form.isEnabled());
    QCOMPARE(about->labProgramName->text(), QStringLiteral("Framewright Batch Video Converter"));
    QCOMPARE(about->Label7->text(), QStringLiteral("More video converting softwares"));
    QCOMPARE(about->labMore->text(), QStringLiteral("(More)"));
    about->labWebsiteClick();
    about->labMoreClick();
    about->Label8Click();
    QCOMPARE(desktop.opened.size(), 3);
    QCOMPARE(desktop.opened.at(0), QUrl(about->labWebsite->text()));
    QTest::mouseClick(about->btnOK, Qt::LeftButton);
    QVERIFY(!about->isVisible());
    QVERIFY(form.isEnabled());

    form.findChild<QAction*>(QStringLiteral("tbtnHelp"))->trigger();
    QCOMPARE(desktop.opened.last(), QUrl::fromLocalFile(dir.path() + QStringLiteral("framewright-help.html")));
    QVERIFY(desktop.messages.isEmpty());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
