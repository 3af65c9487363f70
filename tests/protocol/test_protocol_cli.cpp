// pratelia-cli on a year's protocol: the number New would propose with the
// settings of the archive's folder, the summary by interval as JSON Lines,
// the search and the export, each through the windows' code.
#include "protocol/protocollo.h"
#include "store/recordfile.h"
#include "support/faultyfs.h"
#include "support/tempfolder.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::protocol;
using namespace pratelia::testing;

namespace {
Record card(const QString &number, const QString &date, const QString &kind = "In entrata")
{
    Record r(layout());
    r.setText(u"Numero", number);
    r.setText(u"Tipologia", kind);
    r.setText(u"DataReg", date);
    r.setText(u"Categoria", u"Corrispondenza");
    r.setText(u"Oggetto", QString("Oggetto " + number));
    r.setText(u"Mittente", u"Rossi Mario");
    return r;
}
} // namespace

class TestProtocolCli : public QObject {
    Q_OBJECT
private slots:
    void numero_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("today");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::newRow("no settings, empty") << QByteArray() << 0 << "01/03/2026" << 0 << "1";
        QTest::newRow("100, 5 records, year")
            << QByteArray("[Numerazione Protocollo]\r\nInizio=100\r\nIndicazione Anno Solare=S\xEC\r\n")
            << 5 << "01/03/2026" << 0 << "105/2026";
        QTest::newRow("SI means no year")
            << QByteArray("[Numerazione Protocollo]\r\nInizio=100\r\nIndicazione Anno Solare=SI\r\n")
            << 5 << "01/03/2026" << 0 << "105";
        QTest::newRow("start not a whole number")
            << QByteArray("[Numerazione Protocollo]\r\nInizio=1,5\r\n") << 0 << "01/03/2026" << 1 << "";
        QTest::newRow("date that does not exist") << QByteArray() << 0 << "31/02/2026" << 2 << "";
    }
    void numero()
    {
        QFETCH(QByteArray, ini);
        QFETCH(int, records);
        QFETCH(QString, today);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        TempProgramFolder home;
        // The settings of the archive's folder, not of the program's.
        QTemporaryDir other;
        if (!ini.isEmpty()) {
            QFile f(other.filePath("Pratelia.ini"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(ini);
        }
        home.write("Pratelia.ini", "[Numerazione Protocollo]\r\nInizio=5000\r\n");
        const QString file = other.filePath("2025.prt");
        for (int i = 1; i <= records; ++i)
            appendRecord(file, card(QString::number(i), "10/01/2025"));
        const auto r = runCli({"numero", file, "--today", today});
        QCOMPARE(r.exitCode, exitCode);
        QCOMPARE(r.out.trimmed(), out);
        if (exitCode == 1)
            QVERIFY(r.err.startsWith("Attenzione: il sistema non permette di accedere all'archivio."));
    }

    void intervalList()
    {
        TempProgramFolder home;
        const QString file = home.file("2024.prt");
        appendRecord(file, card("10", "05/03/2024"));
        appendRecord(file, card("11", "20/04/2024", "In uscita"));
        appendRecord(file, card("12", "31/03/2024", "Interna"));
        appendRecord(file, card("13", "3x/03/2024"));
        auto r = runCli({"list", "intervallo", file, "--from", "01/03/2024", "--to", "31/03/2024"});
        // The card whose date cannot be read is named, and the exit code says so.
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains("1"));
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        const QJsonObject first = QJsonDocument::fromJson(lines[0].toUtf8()).object();
        const QJsonObject second = QJsonDocument::fromJson(lines[1].toUtf8()).object();
        QCOMPARE(first.size(), 19);
        QCOMPARE(first.value("N.").toString(), QString("1"));
        QCOMPARE(first.value("N. protocollo").toString(), QString("10"));
        QCOMPARE(second.value("N.").toString(), QString("2"));
        QCOMPARE(second.value("Tipologia posta").toString(), QString("Interna"));
        QCOMPARE(second.value("Data registrazione").toString(), QString("31/03/2024"));

        // The window's checks, with its texts.
        r = runCli({"list", "intervallo", file, "--from", "31/02/2024", "--to", "31/03/2024"});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.startsWith("Attenzione: la data 31/02/2024 di inizio intervallo non esiste."));
        r = runCli({"list", "intervallo", file, "--from", "01/04/2024", "--to", "31/03/2024"});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.startsWith("Attenzione: la data di fine intervallo (31/03/2024)"));
        r = runCli({"list", "intervallo", home.file("2024.ser"), "--from", "01/04/2024", "--to",
                    "30/04/2024"});
        QCOMPARE(r.exitCode, 2);
    }

    void searchAndExport()
    {
        TempProgramFolder home;
        const QString file = home.file("2024.prt");
        appendRecord(file, card("9", "05/03/2024"));
        appendRecord(file, card("10", "20/04/2024", "In uscita"));
        auto r = runCli({"search", file, "--Tipologia", "uscita"});
        QCOMPARE(r.exitCode, 0);
        QStringList out = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(out.size(), 2);
        QVERIFY(out[0].startsWith("Prot. n. 10              Data: 20/04/2024  Posta: In uscita "));
        QCOMPARE(out[1], QString("Il presente riepilogo contiene 1 schede."));

        r = runCli({"export", file});
        QCOMPARE(r.exitCode, 0);
        QByteArray xls = home.read("Protocollo.xls");
        QCOMPARE(xls.count("<tr>"), 3);
        QVERIFY(xls.contains("Protocollo Documenti"));

        // An empty year writes the ten rows the window shows.
        const QString empty = home.file("2025.prt");
        home.write("2025.prt", {});
        r = runCli({"export", empty, "--out", home.file("vuoto.xls")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(home.read("vuoto.xls").count("<tr>"), 11);
    }
};

QTEST_GUILESS_MAIN(TestProtocolCli)
#include "test_protocol_cli.moc"
