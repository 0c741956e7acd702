#include "profiles/ProfileCatalogue.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void splitList_data();
    void splitList();
    void listProfiles();
    void listProfilesWithoutFolder_data();
    void listProfilesWithoutFolder();
    void names_data();
    void names();
};

void TestCatalogue::splitList_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("items");

    QTest::addRow("three items") << "A,B,C," << QStringList({"A", "B", "C"});
    QTest::addRow("text after the last comma is no item") << "A,B" << QStringList({"A"});
    QTest::addRow("no comma") << "A" << QStringList();
    QTest::addRow("empty") << "" << QStringList();
    QTest::addRow("empty items") << ",A,,B," << QStringList({"", "A", "", "B"});
    QTest::addRow("blanks kept") << " A , B ," << QStringList({" A ", " B "});
    QTest::addRow("comma alone") << "," << QStringList({""});
    QTest::addRow("backslash argument") << "\\,-b 64k," << QStringList({"\\", "-b 64k"});
}

void TestCatalogue::splitList()
{
    QFETCH(QString, text);
    QFETCH(QStringList, items);
    QCOMPARE(SplitList(text), items);
}

void TestCatalogue::listProfiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char* name : {"One.apf", "Two.APF", "Three.apf.bak", "Four.txt", ".Six.apf", "apf"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Five.apf")));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("Five.apf")), dir.filePath(QStringLiteral("Seven.apf"))));

    // Listed by name without regard to case, whatever order the file system keeps.
    for (const QString& extension : {QStringLiteral(".apf"), QStringLiteral(".Apf")})
        QCOMPARE(ListProfiles(dir.path() + u'/', extension), QStringList({".Six.apf", "One.apf", "Two.APF"}));
    QCOMPARE(ListProfiles(dir.path(), QStringLiteral(".bak")), QStringList({"Three.apf.bak"}));
}

void TestCatalogue::listProfilesWithoutFolder_data()
{
    QTest::addColumn<QString>("folder");

    QTest::addRow("missing folder") << "/nonexistent/framewright/Profiles/";
    QTest::addRow("empty folder text") << "";
}

void TestCatalogue::listProfilesWithoutFolder()
{
    QFETCH(QString, folder);
    QVERIFY(ListProfiles(folder, QStringLiteral(".apf")).isEmpty());
}

void TestCatalogue::names_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");

    QTest::addRow("plain") << "One.apf" << "One" << "/p/Profiles/One.apf";
    QTest::addRow("capital extension is rebuilt lower") << "Two.APF" << "Two" << "/p/Profiles/Two.apf";
    QTest::addRow("dots in the name") << "My.Best.apf" << "My.Best" << "/p/Profiles/My.Best.apf";
    QTest::addRow("hidden file") << ".Six.apf" << ".Six" << "/p/Profiles/.Six.apf";
}

void TestCatalogue::names()
{
    QFETCH(QString, fileName);
    QFETCH(QString, name);
    QFETCH(QString, path);
    QCOMPARE(ProfileNameOf(fileName), name);
    QCOMPARE(ProfilePathOf(QStringLiteral("/p/Profiles/"), ProfileNameOf(fileName)), path);
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
