// Editing stored profile values in the settings dialog: what OK writes into
// the profile, when the main window reloads, and "Save as..." copies.
#include "ProgramDir.h"
#include "RecordingDesktop.h"

#include "app/TMainForm.h"
#include "profiles/ProfileEditing.h"
#include "profiles/ValueListEditor.h"
#include "storage/TNewInifile.h"
#include "storage/TSettingForm.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <memory>

namespace {

// One parameter of each kind, a list parameter marked read-only, one that
// falls back to the grid of the parameter before it and lacks its "Index",
// and a free one without a "Value" line.
const char kMixedProfile[] = R"([Main]
Type=avi
Para=6
0=Codec
1=Fixed
2=Free
3=Locked
4=Rate
5=Extra

[Codec]
Sort=1
cmd=-c
Caption=A,B,C,
Value=a,b,c,
Index=0

[Fixed]
Sort=1
ReadOnly=1
List=0
cmd=-f
Caption=Keep
Value=keep

[Free]
Sort=2
List=0
cmd=-t
Caption=old
Value=old

[Locked]
Sort=2
ReadOnly=1
Caption=X,Y,
Value=x,y,
Index=0

[Rate]
Sort=7
Caption=Low,High,
Value=l,h,

[Extra]
Sort=3
List=0
Caption=)";

QStringList linesOf(const char* text)
{
    return QString::fromUtf8(text).split(u'\n');
}

QStringList profileWithIndex(int index)
{
    return {QStringLiteral("[Main]"),       QStringLiteral("Para=1"),
            QStringLiteral("0=Level"),      QStringLiteral("[Level]"),
            QStringLiteral("Sort=1"),       QStringLiteral("Caption=L0,L1,L2,"),
            QStringLiteral("Value=0,1,2,"), QStringLiteral("Index=%1").arg(index)};
}

QStringList fileLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray fileBytes(const QString& path)
{
    if (path.isEmpty())
        return {};
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void setValue(ValueListEditor* grid, const QString& key, const QString& value)
{
    const int row = grid->FindRow(key);
    QVERIFY2(row >= 0, qPrintable(key));
    grid->SetValue(row, value);
}

// The main window shown on "Mixed", with "Other" beside it in the catalogue,
// and the settings dialog opened by "&Detail".
struct Fixture {
    RecordingDesktop desktop;
    ProgramDir dir;
    std::unique_ptr<TMainForm> form;
    QString mixed;
    QString other;

    TSettingForm* dialog() const { return form->SettingForm; }

    void open()
    {
        mixed = dir.writeProfile(QStringLiteral("Mixed"), linesOf(kMixedProfile));
        other = dir.writeProfile(QStringLiteral("Other"), profileWithIndex(0));
        form = std::make_unique<TMainForm>(dir.programFile());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->cmbProfile->setCurrentIndex(form->cmbProfile->findText(QStringLiteral("Mixed")));
        form->cmbProfileChange();
        form->bbtnSetting->click();
        QVERIFY(dialog()->isVisible());
        QCOMPARE(dialog()->cmbProfile->currentText(), QStringLiteral("Mixed"));
    }

    void selectInDialog(const QString& name)
    {
        dialog()->SelectProfile(dialog()->cmbProfile->findText(name));
        QCOMPARE(dialog()->cmbProfile->currentText(), name);
    }
};

} // namespace

class TestProfileEditing : public QObject
{
    Q_OBJECT

private slots:
    void saveWritesEachKindOfParameter();
    void listPositionIgnoresCase_data();
    void listPositionIgnoresCase();
    void okReloadsMainOnlyForSameProfile_data();
    void okReloadsMainOnlyForSameProfile();
    void detailLoadsAndSettingsKeepsEdits();
    void unsavableValueIsReported_data();
    void unsavableValueIsReported();
    void saveAs_data();
    void saveAs();
};

void TestProfileEditing::saveWritesEachKindOfParameter()
{
    Fixture fixture;
    fixture.open();
    TSettingForm* dialog = fixture.dialog();
    setValue(dialog->vleVideo, QStringLiteral("Codec"), QStringLiteral("C"));
    setValue(dialog->vleVideo, QStringLiteral("Fixed"), QStringLiteral("Changed"));
    setValue(dialog->vleAudio, QStringLiteral("Free"), QStringLiteral("T"));
    setValue(dialog->vleAudio, QStringLiteral("Locked"), QStringLiteral("Y"));
    setValue(dialog->vleAudio, QStringLiteral("Rate"), QStringLiteral("High"));
    setValue(dialog->vleAdvanced, QStringLiteral("Extra"), QStringLiteral("-x 1"));

    SaveProfileValues(*dialog, fixture.mixed);

    const char* expected = R"([Main]
Type=avi
Para=6
0=Codec
1=Fixed
2=Free
3=Locked
4=Rate
5=Extra

[Codec]
Sort=1
cmd=-c
Caption=A,B,C,
Value=a,b,c,
Index=2

[Fixed]
Sort=1
ReadOnly=1
List=0
cmd=-f
Caption=Keep
Value=keep

[Free]
Sort=2
List=0
cmd=-t
Caption=T
Value=T

[Locked]
Sort=2
ReadOnly=1
Caption=X,Y,
Value=x,y,
Index=0

[Rate]
Index=1
Sort=7
Caption=Low,High,
Value=l,h,

[Extra]
Value=-x 1
Sort=3
List=0
Caption=-x 1)";
    QCOMPARE(fileLines(fixture.mixed), linesOf(expected));
    QVERIFY(fixture.desktop.messages.isEmpty());
}

void TestProfileEditing::listPositionIgnoresCase_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("index");
    QTest::addRow("third caption") << "C" << 2;
    QTest::addRow("other letter case") << "b" << 1;
    QTest::addRow("no caption") << "D" << -1;
}

void TestProfileEditing::listPositionIgnoresCase()
{
    QFETCH(QString, shown);
    QFETCH(int, index);
    Fixture fixture;
    fixture.open();
    setValue(fixture.dialog()->vleVideo, QStringLiteral("Codec"), shown);
    SaveProfileValues(*fixture.dialog(), fixture.mixed);
    TNewInifile ini(fixture.mixed);
    QCOMPARE(ini.ReadInteger(QStringLiteral("Codec"), QStringLiteral("Index"), 99), index);
}

void TestProfileEditing::okReloadsMainOnlyForSameProfile_data()
{
    QTest::addColumn<bool>("sameProfile");
    QTest::addRow("same profile") << true;
    QTest::addRow("other profile") << false;
}

void TestProfileEditing::okReloadsMainOnlyForSameProfile()
{
    QFETCH(bool, sameProfile);
    Fixture fixture;
    fixture.open();
    TMainForm& form = *fixture.form;
    TSettingForm* dialog = fixture.dialog();
    if (!sameProfile)
        fixture.selectInDialog(QStringLiteral("Other"));
    // Values the user chose in the main window for the coming batch only.
    setValue(form.vleAudio, QStringLiteral("Free"), QStringLiteral("mine"));
    if (sameProfile)
        setValue(dialog->vleVideo, QStringLiteral("Codec"), QStringLiteral("C"));
    else
        setValue(dialog->vleVideo, QStringLiteral("Level"), QStringLiteral("L2"));

    QTest::mouseClick(dialog->btnOK, Qt::LeftButton);

    QVERIFY(!dialog->isVisible());
    QVERIFY(form.isEnabled());
    QCOMPARE(form.cmbProfile->currentText(), QStringLiteral("Mixed"));
    TNewInifile mixed(fixture.mixed);
    TNewInifile other(fixture.other);
    if (sameProfile) {
        QCOMPARE(mixed.ReadInteger(QStringLiteral("Codec"), QStringLiteral("Index"), 99), 2);
        QCOMPARE(form.vleVideo->Values(QStringLiteral("Codec")), QStringLiteral("C"));
        QCOMPARE(form.vleAudio->Values(QStringLiteral("Free")), QStringLiteral("old"));
    } else {
        QCOMPARE(other.ReadInteger(QStringLiteral("Level"), QStringLiteral("Index"), 99), 2);
        QCOMPARE(mixed.ReadInteger(QStringLiteral("Codec"), QStringLiteral("Index"), 99), 0);
        QCOMPARE(form.vleAudio->Values(QStringLiteral("Free")), QStringLiteral("mine"));
        QCOMPARE(form.vleVideo->FindRow(QStringLiteral("Level")), -1);
    }
}

void TestProfileEditing::detailLoadsAndSettingsKeepsEdits()
{
    RecordingDesktop desktop;
    ProgramDir dir;
    for (int i = 0; i < 3; ++i)
        dir.writeProfile(QStringLiteral("P%1").arg(i), profileWithIndex(i));
    TMainForm form(dir.programFile());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    TSettingForm* dialog = form.SettingForm;

    form.cmbProfile->setCurrentIndex(2);
    form.cmbProfileChange();
    const QString third = form.cmbProfile->currentText();
    form.bbtnSetting->click();
    QCOMPARE(dialog->pgcSetting->currentIndex(), 1);
    QCOMPARE(dialog->cmbProfile->currentIndex(), 2);
    QCOMPARE(dialog->vleVideo->Values(QStringLiteral("Level")), QStringLiteral("L%1").arg(third.back()));

    // Cancel keeps the edit in the dialog; "Settings" shows it again unloaded.
    setValue(dialog->vleVideo, QStringLiteral("Level"), QStringLiteral("L0"));
    QTest::mouseClick(dialog->btnCancel, Qt::LeftButton);
    QVERIFY(form.isEnabled());
    const QString path = dir.profileFolder() + third + QStringLiteral(".apf");
    QCOMPARE(TNewInifile(path).ReadInteger(QStringLiteral("Level"), QStringLiteral("Index"), 99),
             third.back().digitValue());

    form.findChild<QAction*>(QStringLiteral("tbtnSetting"))->trigger();
    QCOMPARE(dialog->pgcSetting->currentIndex(), 0);
    QCOMPARE(dialog->vleVideo->Values(QStringLiteral("Level")), QStringLiteral("L0"));
    QTest::mouseClick(dialog->btnOK, Qt::LeftButton);
    QCOMPARE(TNewInifile(path).ReadInteger(QStringLiteral("Level"), QStringLiteral("Index"), 99), 0);
    QCOMPARE(form.vleVideo->Values(QStringLiteral("Level")), QStringLiteral("L0"));
}

void TestProfileEditing::unsavableValueIsReported_data()
{
    QTest::addColumn<QString>("value");
    QTest::addRow("line break") << "a\nb";
    QTest::addRow("section bracket") << "a[b";
}

void TestProfileEditing::unsavableValueIsReported()
{
    QFETCH(QString, value);
    Fixture fixture;
    fixture.open();
    const QByteArray before = fileBytes(fixture.mixed);
    setValue(fixture.dialog()->vleVideo, QStringLiteral("Codec"), QStringLiteral("B"));
    setValue(fixture.dialog()->vleAudio, QStringLiteral("Free"), value);

    QTest::mouseClick(fixture.dialog()->btnOK, Qt::LeftButton);

    QCOMPARE(fixture.desktop.messages.size(), 1);
    const RecordingDesktop::Message& message = fixture.desktop.messages.constFirst();
    QCOMPARE(message.icon, Desktop::Icon::Warning);
    QVERIFY(message.text.contains(QStringLiteral("Mixed.apf")));
    QCOMPARE(fileBytes(fixture.mixed), before);
    QVERIFY(!fixture.dialog()->isVisible());
}

void TestProfileEditing::saveAs_data()
{
    QTest::addColumn<QString>("destination"); // below the program directory; empty: the dialog is cancelled
    QTest::addColumn<QByteArray>("existing"); // what lies at the destination before; empty: nothing
    QTest::addColumn<int>("answer");          // to the question whether to replace it
    QTest::addColumn<bool>("sourceGone");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("report"); // caption of the message, if one is expected

    const QByteArray old("[Main]\r\nPara=0\r\n");
    QTest::addRow("new name") << "Profiles/Copy.apf" << QByteArray() << 0 << false << true << "";
    QTest::addRow("outside the profiles") << "elsewhere.apf" << QByteArray() << 0 << false << true << "";
    QTest::addRow("existing, replaced") << "Profiles/Copy.apf" << old << int(QMessageBox::Yes) << false << true
                                        << "Save as";
    QTest::addRow("existing, kept") << "Profiles/Copy.apf" << old << int(QMessageBox::No) << false << false
                                    << "Save as";
    QTest::addRow("over the source itself")
        << "Profiles/Mixed.apf" << QByteArray() << int(QMessageBox::Yes) << false << true << "Save as";
    QTest::addRow("cancelled") << "" << QByteArray() << 0 << false << false << "";
    QTest::addRow("folder missing") << "missing/Copy.apf" << QByteArray() << 0 << false << false << "Save as";
    QTest::addRow("source gone") << "Profiles/Copy.apf" << QByteArray() << 0 << true << false << "";
}

void TestProfileEditing::saveAs()
{
    QFETCH(QString, destination);
    QFETCH(QByteArray, existing);
    QFETCH(int, answer);
    QFETCH(bool, sourceGone);
    QFETCH(bool, written);
    QFETCH(QString, report);
    Fixture fixture;
    fixture.open();
    TSettingForm* dialog = fixture.dialog();
    const QString target = destination.isEmpty() ? QString() : fixture.dir.path() + destination;
    if (!existing.isEmpty())
        fixture.dir.write(destination, existing);
    const QByteArray source = fileBytes(fixture.mixed);
    const QByteArray before = fileBytes(target);
    if (sourceGone)
        QVERIFY(QFile::remove(fixture.mixed));
    setValue(dialog->vleVideo, QStringLiteral("Codec"), QStringLiteral("C"));
    setValue(dialog->vleAudio, QStringLiteral("Free"), QStringLiteral("T"));
    fixture.desktop.nextSaveNames << target;
    if (answer)
        fixture.desktop.nextAnswers << QMessageBox::StandardButton(answer);
    const int catalogue = dialog->cmbProfile->count();

    QTest::mouseClick(dialog->btnSaveAs, Qt::LeftButton);

    QCOMPARE(fixture.desktop.saveFilters, QStringList{QStringLiteral("Profiles (*.apf) | apf")});
    if (report.isEmpty()) {
        QVERIFY(fixture.desktop.messages.isEmpty());
    } else {
        QCOMPARE(fixture.desktop.messages.size(), 1);
        QCOMPARE(fixture.desktop.messages.constFirst().caption, report);
        const bool asked = answer != 0;
        QCOMPARE(fixture.desktop.messages.constFirst().icon, asked ? Desktop::Icon::Question : Desktop::Icon::Warning);
        if (asked)
            QCOMPARE(fixture.desktop.messages.constFirst().buttons, QMessageBox::Yes | QMessageBox::No);
    }
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->cmbProfile->currentText(), QStringLiteral("Mixed"));
    QCOMPARE(dialog->cmbProfile->count(), catalogue);
    QCOMPARE(fixture.form->cmbProfile->count(), catalogue);
    if (!sourceGone && target != fixture.mixed)
        QCOMPARE(fileBytes(fixture.mixed), source);
    if (written) {
        TNewInifile copy(target);
        QCOMPARE(copy.ReadInteger(QStringLiteral("Codec"), QStringLiteral("Index"), 99), 2);
        QCOMPARE(copy.ReadString(QStringLiteral("Free"), QStringLiteral("Value"), QString()), QStringLiteral("T"));
        QCOMPARE(copy.ReadString(QStringLiteral("Fixed"), QStringLiteral("Value"), QString()), QStringLiteral("keep"));
        QCOMPARE(copy.ReadString(QStringLiteral("Main"), QStringLiteral("Type"), QString()), QStringLiteral("avi"));
    } else if (!target.isEmpty()) {
        QCOMPARE(fileBytes(target), before);
        QCOMPARE(QFileInfo::exists(target), !before.isEmpty());
    }
}

QTEST_MAIN(TestProfileEditing)
#include "tst_profileediting.moc"
