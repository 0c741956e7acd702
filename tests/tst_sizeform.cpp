// The custom video size dialog: opened by choosing "Custom Size" in the main
// window's Video grid, validating the typed size, and the fall-back to
// "Original Size" whenever it is left without one.
#include "ProgramDir.h"
#include "RecordingDesktop.h"

#include "app/TMainForm.h"
#include "profiles/TSizeForm.h"
#include "profiles/ValueListEditor.h"
#include "storage/TSettingForm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {

const QString kVideoSize = QStringLiteral("Video Size");

void writeSizeProfile(const ProgramDir& dir)
{
    dir.writeProfile(QStringLiteral("Sizes"),
                     {QStringLiteral("[Main]"), QStringLiteral("Type=mp4"), QStringLiteral("Para=2"),
                      QStringLiteral("0=Video Codec"), QStringLiteral("1=Video Size"), QString(),
                      QStringLiteral("[Video Codec]"), QStringLiteral("Sort=1"), QStringLiteral("cmd=-c:v"),
                      QStringLiteral("Caption=H.264,"), QStringLiteral("Value=libx264,"), QStringLiteral("Index=0"),
                      QString(), QStringLiteral("[Video Size]"), QStringLiteral("Sort=1"), QStringLiteral("cmd=-s"),
                      QStringLiteral("Caption=Original Size,Custom Size,640x480,"), QStringLiteral("Value=,,640x480,"),
                      QStringLiteral("Index=0")});
}

// Opens the drop-down of the grid's row and moves its choice one down, as
// the user does with the arrow key.
void chooseNextCaption(ValueListEditor* grid, const QString& rowName)
{
    const int row = grid->FindRow(rowName);
    QVERIFY(row >= 0);
    grid->setCurrentCell(row, 1);
    if (!grid->indexWidget(grid->currentIndex()))
        grid->edit(grid->currentIndex());
    auto* combo = qobject_cast<QComboBox*>(grid->indexWidget(grid->currentIndex()));
    QVERIFY(combo);
    QTest::keyClick(combo, Qt::Key_Down);
}

// The main window on the size profile, the Video Size row showing "Custom Size".
struct SizeFixture {
    RecordingDesktop desktop;
    ProgramDir dir;
    std::unique_ptr<TMainForm> form;

    void open()
    {
        writeSizeProfile(dir);
        form = std::make_unique<TMainForm>(dir.programFile());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(form->vleVideo->Values(kVideoSize), QStringLiteral("Original Size"));
    }

    void chooseCustomSize()
    {
        chooseNextCaption(form->vleVideo, kVideoSize);
        QCOMPARE(form->vleVideo->Values(kVideoSize), QStringLiteral("Custom Size"));
        QVERIFY(form->SizeForm->isVisible());
        QVERIFY(!form->isEnabled());
    }
};

} // namespace

class TestSizeForm : public QObject
{
    Q_OBJECT

private slots:
    void okValidatesWidthThenHeight_data();
    void okValidatesWidthThenHeight();
    void leavingWithoutSizeFallsBack_data();
    void leavingWithoutSizeFallsBack();
    void reopeningKeepsTypedText();
    void opensOnlyForVideoSizeOfMainWindow();
};

void TestSizeForm::okValidatesWidthThenHeight_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("caption"); // of the message; empty when the size is taken
    QTest::addColumn<QString>("value");

    QTest::addRow("plain") << "640"
                           << "480"
                           << ""
                           << "640x480";
    QTest::addRow("leading blank kept") << " 640"
                                        << "480"
                                        << ""
                                        << " 640x480";
    QTest::addRow("negative and zero") << "-5"
                                       << "0"
                                       << ""
                                       << "-5x0";
    QTest::addRow("hexadecimal as typed") << "$1F"
                                          << "0x10"
                                          << ""
                                          << "$1Fx0x10";
    QTest::addRow("x prefix") << "x20"
                              << "+16"
                              << ""
                              << "x20x+16";
    QTest::addRow("both empty: width first") << ""
                                             << ""
                                             << "Incorrect Width"
                                             << "Custom Size";
    QTest::addRow("letters in height") << "640"
                                       << "abc"
                                       << "Incorrect Height"
                                       << "Custom Size";
    QTest::addRow("trailing blank") << "640 "
                                    << "480"
                                    << "Incorrect Width"
                                    << "Custom Size";
    QTest::addRow("decimal") << "640.5"
                             << "480"
                             << "Incorrect Width"
                             << "Custom Size";
    QTest::addRow("beyond 32 bits") << "640"
                                    << "2147483648"
                                    << "Incorrect Height"
                                    << "Custom Size";
}

void TestSizeForm::okValidatesWidthThenHeight()
{
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QString, caption);
    QFETCH(QString, value);
    SizeFixture fixture;
    fixture.open();
    fixture.chooseCustomSize();
    TSizeForm* dialog = fixture.form->SizeForm;

    dialog->edtWidth->setText(width);
    dialog->edtHeight->setText(height);
    QTest::mouseClick(dialog->btnOK, Qt::LeftButton);

    QCOMPARE(fixture.form->vleVideo->Values(kVideoSize), value);
    if (caption.isEmpty()) {
        QVERIFY(fixture.desktop.messages.isEmpty());
        QVERIFY(!dialog->isVisible());
        QVERIFY(fixture.form->isEnabled());
        return;
    }
    QCOMPARE(fixture.desktop.messages.size(), 1);
    const RecordingDesktop::Message& message = fixture.desktop.messages.constFirst();
    const bool widthWrong = caption == QStringLiteral("Incorrect Width");
    QCOMPARE(message.owner, dialog);
    QCOMPARE(message.icon, Desktop::Icon::Information);
    QCOMPARE(message.caption, caption);
    QCOMPARE(message.text, widthWrong ? QStringLiteral("Please specify a proper width for output videos.")
                                      : QStringLiteral("Please specify a proper height for output videos."));
    QCOMPARE(message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(dialog->focusWidget(), widthWrong ? dialog->edtWidth : dialog->edtHeight);
    QVERIFY(dialog->isVisible());
    QVERIFY(!fixture.form->isEnabled());
    QCOMPARE(dialog->edtWidth->text(), width);
    QCOMPARE(dialog->edtHeight->text(), height);
}

void TestSizeForm::leavingWithoutSizeFallsBack_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::addRow("Cancel") << false;
    QTest::addRow("close box") << true;
}

void TestSizeForm::leavingWithoutSizeFallsBack()
{
    QFETCH(bool, closeBox);
    SizeFixture fixture;
    fixture.open();
    fixture.chooseCustomSize();
    TSizeForm* dialog = fixture.form->SizeForm;
    dialog->edtWidth->setText(QStringLiteral("640"));
    dialog->edtHeight->setText(QStringLiteral("480"));

    if (closeBox)
        QVERIFY(dialog->close());
    else
        QTest::mouseClick(dialog->btnCancel, Qt::LeftButton);

    QVERIFY(!dialog->isVisible());
    QVERIFY(fixture.form->isEnabled());
    QCOMPARE(fixture.form->vleVideo->Values(kVideoSize), QStringLiteral("Original Size"));
    QVERIFY(fixture.desktop.messages.isEmpty());
}

void TestSizeForm::reopeningKeepsTypedText()
{
    SizeFixture fixture;
    fixture.open();
    fixture.chooseCustomSize();
    TSizeForm* dialog = fixture.form->SizeForm;
    dialog->edtWidth->setText(QStringLiteral("800"));
    dialog->edtHeight->setText(QStringLiteral("600"));
    QTest::mouseClick(dialog->btnOK, Qt::LeftButton);
    QCOMPARE(fixture.form->vleVideo->Values(kVideoSize), QStringLiteral("800x600"));

    // 800x600 is no caption, so the drop-down starts without a choice and
    // moving down picks the first caption; once more for "Custom Size".
    chooseNextCaption(fixture.form->vleVideo, kVideoSize);
    QCOMPARE(fixture.form->vleVideo->Values(kVideoSize), QStringLiteral("Original Size"));
    QVERIFY(!dialog->isVisible());
    fixture.chooseCustomSize();
    QCOMPARE(dialog->edtWidth->text(), QStringLiteral("800"));
    QCOMPARE(dialog->edtHeight->text(), QStringLiteral("600"));
    QTest::mouseClick(dialog->btnCancel, Qt::LeftButton);
    QCOMPARE(fixture.form->vleVideo->Values(kVideoSize), QStringLiteral("Original Size"));
}

void TestSizeForm::opensOnlyForVideoSizeOfMainWindow()
{
    SizeFixture fixture;
    fixture.open();
    TMainForm& form = *fixture.form;

    // The value set while another row is current asks nothing.
    form.vleVideo->setCurrentCell(form.vleVideo->FindRow(QStringLiteral("Video Codec")), 1);
    form.vleVideo->SetValues(kVideoSize, QStringLiteral("Custom Size"));
    QVERIFY(!form.SizeForm->isVisible());
    form.vleVideo->SetValues(kVideoSize, QStringLiteral("Original Size"));

    // In the settings dialog "Custom Size" is a caption like any other.
    form.bbtnSetting->click();
    TSettingForm* settings = form.SettingForm;
    QVERIFY(settings->isVisible());
    chooseNextCaption(settings->vleVideo, kVideoSize);
    QCOMPARE(settings->vleVideo->Values(kVideoSize), QStringLiteral("Custom Size"));
    QVERIFY(!form.SizeForm->isVisible());
    QCOMPARE(form.vleVideo->Values(kVideoSize), QStringLiteral("Original Size"));
    QVERIFY(fixture.desktop.messages.isEmpty());
}

QTEST_MAIN(TestSizeForm)
#include "tst_sizeform.moc"
