// pratelia-cli search, export and list on small client archives.
#include "clientfixture.h"

#include "clients/clientlistconfig.h"
#include "lists/exportgrid.h"
#include "platform/testing.h"
#include "support/tempfolder.h"

#include <QtTest>

using namespace pratelia;
using namespace pratelia::testing;

namespace {

QByteArray threeClients()
{
    return fixture::archive({
        fixture::client({{"Cognome", "Rossi"}, {"Nome", "Luca"}, {"Scadenza", "15/05/2024"},
                         {"Preavviso", "4"}}),
        fixture::client({{"Cognome", "Grossi"}, {"Nome", "Marco"}, {"Scadenza", "15/05/2024"},
                         {"Preavviso", "5"}, {"Rata", "120,00"}, {"Acquisto", "Auto"}}),
        fixture::client({{"Cognome", "Rossi"}, {"Nome", "Mario"}, {"Note", "a<b & c>d €"},
                         {"Scadenza", "01/05/2024"}}),
    });
}

} // namespace

class TestCliLists : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void search_data();
    void search();
    void searchRejectsUnknownCriteria_data();
    void searchRejectsUnknownCriteria();
    void exportWritesTheWindowsFile();
    void exportWritesBesideTheArchive_data();
    void exportWritesBesideTheArchive();
    void listRate();
    void listRateGoesOnAfterAnUnreadableCard();
    void missingOrForeignArchives_data();
    void missingOrForeignArchives();
};

void TestCliLists::search_data()
{
    QTest::addColumn<QStringList>("criteria");
    QTest::addColumn<QStringList>("starts");
    QTest::newRow("none") << QStringList{} << QStringList{"Grossi Marco", "Rossi Luca", "Rossi Mario"};
    QTest::newRow("ros + mar") << QStringList{"--Cognome", "ros", "--Nome", "mar"}
                               << QStringList{"Grossi Marco", "Rossi Mario"};
    QTest::newRow("upper case criterion") << QStringList{"--Cognome", "GROSSI"}
                                          << QStringList{"Grossi Marco"};
    QTest::newRow("nothing found") << QStringList{"--Note", "zzz"} << QStringList{};
}

void TestCliLists::search()
{
    QFETCH(QStringList, criteria);
    QFETCH(QStringList, starts);
    TempProgramFolder home;
    home.write("Clienti.arx", threeClients());
    const CliResult r = runCli(QStringList{"search", home.file("Clienti.arx")} + criteria);
    QCOMPARE(r.exitCode, 0);
    QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.takeLast(),
             QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(starts.size()));
    QCOMPARE(lines.size(), starts.size());
    for (int i = 0; i < starts.size(); ++i)
        QVERIFY2(lines[i].startsWith(starts[i]), qPrintable(lines[i]));
    if (starts.contains("Rossi Mario"))
        QVERIFY(r.out.contains(u"Note: a<b & c>d €"));
}

void TestCliLists::searchRejectsUnknownCriteria_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("field that is not a criterion") << QStringList{"--Recapito", "333"};
    QTest::newRow("no text") << QStringList{"--Cognome"};
    QTest::newRow("not an option") << QStringList{"Cognome", "x"};
}

void TestCliLists::searchRejectsUnknownCriteria()
{
    QFETCH(QStringList, args);
    TempProgramFolder home;
    home.write("Clienti.arx", threeClients());
    const CliResult r = runCli(QStringList{"search", home.file("Clienti.arx")} + args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.err.contains("--Cognome"));
}

void TestCliLists::exportWritesTheWindowsFile()
{
    TempProgramFolder home;
    TestPlatform platform;
    home.write("Clienti.arx", threeClients());
    const CliResult r = runCli({"export", home.file("Clienti.arx")}, home.path().toLocal8Bit());
    QCOMPARE(r.exitCode, 0);
    const QByteArray fromCli = home.read("Clienti.xls");
    QCOMPARE(fromCli.count("\r\n"), 138);

    QWidget card;
    lists::ExportWindow w(clients::clientExportConfig(), &card);
    w.preview();
    w.exportFile();
    QCOMPARE(home.read("Clienti.xls"), fromCli);
    QVERIFY(fromCli.contains("a&lt;b &amp; c&gt;d \x80"));
}

void TestCliLists::exportWritesBesideTheArchive_data()
{
    QTest::addColumn<bool>("out");
    QTest::newRow("beside FILE") << false;
    QTest::newRow("--out names the file") << true;
}

void TestCliLists::exportWritesBesideTheArchive()
{
    // The program folder (and the companion's own) is elsewhere: the file
    // goes beside the archive, or where --out says, and nowhere else.
    QFETCH(bool, out);
    TempProgramFolder home;
    QTemporaryDir archives, target;
    const QString file = QDir(archives.path()).filePath("Clienti.arx");
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(threeClients());
    f.close();
    const QString sheet = out ? QDir(target.path()).filePath("elenco clienti.xls")
                              : QDir(archives.path()).filePath("Clienti.xls");
    QStringList args{"export", file};
    if (out)
        args << "--out" << sheet;
    const CliResult r = runCli(args, home.path().toLocal8Bit());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, sheet + u'\n');
    QVERIFY(QFileInfo(sheet).size() > 0);
    QCOMPARE(QFile::exists(QDir(archives.path()).filePath("Clienti.xls")), !out);
    QVERIFY(!QFile::exists(home.file("Clienti.xls")));
    const QString beside = QFileInfo(qEnvironmentVariable("PRATELIA_CLI")).dir().filePath("Clienti.xls");
    QVERIFY2(!QFile::exists(beside), qPrintable(beside));
}

void TestCliLists::listRate()
{
    TempProgramFolder home;
    home.write("Clienti.arx", threeClients());
    const CliResult r = runCli({"list", "rate", "--today", "10/05/2024"}, home.path().toLocal8Bit());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out,
             QStringLiteral("Grossi Marco                    Tel.               Scad. 15/05/2024"
                            "  Rata: € 120,00           Acquisto: Auto\n"
                            "Rossi Mario                     Tel.               Scad. 01/05/2024"
                            "  Rata: €                  Acquisto: \n"));
    const CliResult bad = runCli({"list", "rate", "--today", "31/02/2024"}, home.path().toLocal8Bit());
    QCOMPARE(bad.exitCode, 2);
}

void TestCliLists::missingOrForeignArchives_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("search, missing archive") << QStringList{"search", "Clienti.arx"};
    QTest::newRow("export, missing archive") << QStringList{"export", "Clienti.arx"};
    QTest::newRow("list, missing archive") << QStringList{"list", "rate"};
    QTest::newRow("search, not a searchable archive") << QStringList{"search", "Altro.arx"};
    QTest::newRow("list, unknown list") << QStringList{"list", "tutte"};
}

void TestCliLists::missingOrForeignArchives()
{
    QFETCH(QStringList, args);
    TempProgramFolder home;
    for (QString &a : args) {
        if (a.endsWith(u".arx"))
            a = home.file(a);
    }
    const CliResult r = runCli(args, home.path().toLocal8Bit());
    QCOMPARE(r.exitCode, 2);
    QVERIFY(!r.err.isEmpty());
    QVERIFY(!QFile::exists(home.file("Clienti.arx"))); // nothing created
}

void TestCliLists::listRateGoesOnAfterAnUnreadableCard()
{
    // Record 2 has notice days that are no number: it is left out, said on
    // stderr, and every client after it is still listed.
    TempProgramFolder home;
    home.write("Clienti.arx",
               fixture::archive({fixture::client({{"Cognome", "Verdi"}}),
                                 fixture::client({{"Cognome", "Rotto"}, {"Preavviso", "1ab"}}),
                                 fixture::client({{"Cognome", "Bianchi"}}),
                                 fixture::client({{"Cognome", "Neri"}})}));
    const CliResult r = runCli({"list", "rate", "--today", "10/05/2024"}, home.path().toLocal8Bit());
    QStringList surnames;
    for (const QString &line : r.out.split(u'\n', Qt::SkipEmptyParts))
        surnames << line.section(u' ', 0, 0);
    QCOMPARE(surnames, QStringList({"Bianchi", "Neri", "Verdi"}));
    QCOMPARE(r.err, QStringLiteral("scheda 2 non elencata: data o numero non leggibile\n"));
    QCOMPARE(r.exitCode, 1);
}

QTEST_MAIN(TestCliLists)
#include "test_cli_lists.moc"
