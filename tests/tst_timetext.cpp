#include "tasks/TimeText.h"

#include <QLocale>
#include <QtTest>
#include <clocale>
#include <cmath>
#include <limits>

class TestTimeText : public QObject
{
    Q_OBJECT

private slots:
    void textToSeconds_data();
    void textToSeconds();
    void secondsToText_data();
    void secondsToText();
    void roundTrip_data();
    void roundTrip();
    void commaLocale_data();
    void commaLocale();
};

void TestTimeText::textToSeconds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("seconds");

    QTest::addRow("two fraction digits") << "00:01:23.45" << 83.45;
    QTest::addRow("one digit per part") << "1:2:3" << 3723.0;
    QTest::addRow("minutes past 59") << "00:75:00" << 4500.0;
    QTest::addRow("negative hours") << "-1:00:00" << -3600.0;
    QTest::addRow("zero") << "00:00:00" << 0.0;
    QTest::addRow("tenths") << "00:00:10.2" << 10.2;
    QTest::addRow("negative seconds") << "00:00:-01" << -1.0;
    QTest::addRow("negative seconds with tenths") << "00:00:-00.5" << -0.5;
    QTest::addRow("hex hours $") << "$A:00:00" << 36000.0;
    QTest::addRow("hex minutes x") << "0:x1F:0" << 1860.0;
    QTest::addRow("hex hours 0X") << "0X1:0:0" << 3600.0;
    QTest::addRow("hex pattern is -1") << "$FFFFFFFF:00:00" << -3600.0;
    QTest::addRow("blanks before numbers") << "  1: 2:3" << 3723.0;
    QTest::addRow("blanks around seconds") << "0:0: 7.5 " << 7.5;
    QTest::addRow("seconds exponent") << "0:0:1e1" << 10.0;
    QTest::addRow("seconds with trailing dot") << "0:0:5." << 5.0;
    QTest::addRow("seconds underflow is zero") << "0:0:1e-400" << 0.0;
    // A 32-bit sum would wrap here; the time is exact.
    QTest::addRow("huge hours do not wrap") << "1000000:00:00" << 3.6e9;
    QTest::addRow("largest hours") << "2147483647:59:0" << (2147483647.0 * 3600 + 59 * 60);

    QTest::addRow("empty") << "" << -1.0;
    QTest::addRow("one colon") << "12:34" << -1.0;
    QTest::addRow("letters in hours") << "a:00:00" << -1.0;
    QTest::addRow("nothing after second colon") << "00:00:" << -1.0;
    QTest::addRow("seconds start with dot") << "00:00:.5" << -1.0;
    QTest::addRow("third colon") << "00:00:1:2" << -1.0;
    QTest::addRow("comma decimal") << "00:00:1,5" << -1.0;
    QTest::addRow("blank after hours") << "1 :00:00" << -1.0;
    QTest::addRow("empty hours") << ":00:00" << -1.0;
    QTest::addRow("decimal hours") << "1.5:00:00" << -1.0;
    QTest::addRow("hours beyond 32 bits") << "2147483648:00:00" << -1.0;
    QTest::addRow("hex beyond 32 bits") << "$100000000:00:00" << -1.0;
    QTest::addRow("hex prefix alone") << "0x:00:00" << -1.0;
    QTest::addRow("seconds inf") << "00:00:inf" << -1.0;
    QTest::addRow("seconds nan") << "00:00:nan" << -1.0;
    QTest::addRow("seconds hex float") << "00:00:0x1p3" << -1.0;
    QTest::addRow("seconds overflow") << "00:00:1e400" << -1.0;
    QTest::addRow("exponent without digits") << "00:00:1e" << -1.0;
    QTest::addRow("sign only") << "00:00:-" << -1.0;
}

void TestTimeText::textToSeconds()
{
    QFETCH(QString, text);
    QFETCH(double, seconds);
    QCOMPARE(TimeTextToSeconds(text), seconds);
}

void TestTimeText::secondsToText_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");

    QTest::addRow("zero") << 0.0 << "00:00:00";
    QTest::addRow("rounds to tenths") << 83.45 << "00:01:23.5";
    QTest::addRow("tie to even down") << 10.25 << "00:00:10.2";
    QTest::addRow("tie to even up") << 10.75 << "00:00:10.8";
    QTest::addRow("one hour") << 3600.0 << "01:00:00";
    QTest::addRow("tenths carry into a minute") << 59.96 << "00:01:00";
    QTest::addRow("hundred hours keep all digits") << 360000.0 << "100:00:00";
    QTest::addRow("whole seconds") << 5.0 << "00:00:05";
    QTest::addRow("minus one") << -1.0 << "00:00:-01";
    QTest::addRow("negative minutes and seconds") << -90.0 << "00:-01:-30";
    QTest::addRow("negative hours") << -3661.0 << "-01:-01:-01";
    // The sign of a fraction below one second stays on the seconds, so the
    // text reads back as the same time.
    QTest::addRow("negative tenths only") << -0.5 << "00:00:-00.5";
    QTest::addRow("negative with tenths") << -5.5 << "00:00:-05.5";
    QTest::addRow("tiny negative rounds to zero") << -0.01 << "00:00:00";
    QTest::addRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "00:00:00";
    QTest::addRow("endless") << std::numeric_limits<double>::infinity() << "250000000000000:00:00";
    QTest::addRow("endless negative") << -std::numeric_limits<double>::infinity() << "-250000000000000:00:00";
    QTest::addRow("huge") << 1e300 << "250000000000000:00:00";
    QTest::addRow("largest double") << std::numeric_limits<double>::max() << "250000000000000:00:00";
}

void TestTimeText::secondsToText()
{
    QFETCH(double, seconds);
    QFETCH(QString, text);
    QCOMPARE(SecondsToTimeText(seconds), text);
}

void TestTimeText::roundTrip_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<double>("tenths");

    QTest::addRow("zero") << 0.0 << 0.0;
    QTest::addRow("fraction") << 83.45 << 83.5;
    QTest::addRow("tie") << 10.25 << 10.2;
    QTest::addRow("long") << 12345.67 << 12345.7;
    QTest::addRow("hundreds of hours") << 1234567.89 << 1234567.9;
    QTest::addRow("negative") << -5.54 << -5.5;
    QTest::addRow("negative below a second") << -0.3 << -0.3;
    QTest::addRow("negative minutes") << -125.0 << -125.0;
}

void TestTimeText::roundTrip()
{
    QFETCH(double, seconds);
    QFETCH(double, tenths);
    const double back = TimeTextToSeconds(SecondsToTimeText(seconds));
    QVERIFY2(std::abs(back - tenths) < 1e-6, qPrintable(QString::number(back, 'g', 17)));
}

void TestTimeText::commaLocale_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("seconds");

    QTest::addRow("dot still reads") << "00:00:1.5" << 1.5;
    QTest::addRow("comma refused") << "00:00:1,5" << -1.0;
}

// A German system writes "1,5"; time texts must still use "." both ways.
void TestTimeText::commaLocale()
{
    QFETCH(QString, text);
    QFETCH(double, seconds);

    const QLocale previousDefault;
    const QByteArray previousNumeric = std::setlocale(LC_NUMERIC, nullptr);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const bool systemLocaleSet = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    if (!systemLocaleSet)
        qInfo("de_DE.UTF-8 is not installed; only Qt's default locale is German");

    const double read = TimeTextToSeconds(text);
    const QString written = SecondsToTimeText(83.45);

    std::setlocale(LC_NUMERIC, previousNumeric.constData());
    QLocale::setDefault(previousDefault);

    QCOMPARE(read, seconds);
    QCOMPARE(written, QStringLiteral("00:01:23.5"));
}

QTEST_GUILESS_MAIN(TestTimeText)
#include "tst_timetext.moc"
