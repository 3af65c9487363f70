// pratelia-cli dump and verify on archives built byte by byte.
#include "support/tempfolder.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace pratelia::testing;

namespace {

// A short text field written by hand: length byte, text, padding.
QByteArray field(const QByteArray &text, int capacity, int lengthByte = -1)
{
    QByteArray f(1, char(lengthByte < 0 ? text.size() : lengthByte));
    f += text.left(capacity);
    f += QByteArray(capacity - std::min<int>(text.size(), capacity), '\0');
    return f;
}

// A fee-schedule record with the given code, description and discount flag.
QByteArray feeRecord(const QByteArray &id, const QByteArray &descr, const QByteArray &flag)
{
    QByteArray r;
    r += field(id, 20);
    r += field("Consulenza", 50);
    r += field(descr, 250);
    r += field("100,00", 15);
    r += field("80,00", 15);
    for (int cap : {250, 50, 16, 50, 50, 250, 250, 250, 250, 250, 250, 250})
        r += field("", cap);
    r += field(flag, 2);
    for (int i = 0; i < 6; ++i)
        r += field("", 250);
    return r;
}

QByteArray clientRecord(const QByteArray &surname, const QByteArray &from, const QByteArray &due)
{
    QByteArray r(4043, '\0');
    r.replace(0, 51, field(surname, 50));
    r.replace(2393, 11, field(from, 10));
    r.replace(2404, 11, field(due, 10));
    return r;
}

} // namespace

class TestCliArchives : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dumpPrintsEveryFieldInOrder();
    void dumpOfEmptyAndMissingArchives();
    void dumpRejectsUnknownNames();
    void verifySoundFolder();
    void verifyReportsEachProblem();
};

void TestCliArchives::dumpPrintsEveryFieldInOrder()
{
    TempProgramFolder home;
    QByteArray rec = feeRecord("  A01 ", "Dichiarazione \"730\" \x80 citt\xE0", "S\xEC");
    QCOMPARE(rec.size(), 4042);
    home.write(QStringLiteral("Tariffario.arx"), rec + feeRecord("B02", "x", "No"));
    const CliResult r = runCli({QStringLiteral("dump"), home.file(QStringLiteral("Tariffario.arx"))});
    QCOMPARE(r.exitCode, 0);
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].startsWith(QStringLiteral("{\"N\":1,\"ID\":\"A01\",\"Tipologia\":\"Consulenza\",")), qPrintable(lines[0]));
    const QJsonObject o = QJsonDocument::fromJson(lines[0].toUtf8()).object();
    QCOMPARE(o.value(QStringLiteral("Descrizione")).toString(), QString::fromUtf8("Dichiarazione \"730\" € città"));
    QCOMPARE(o.value(QStringLiteral("TarScontata")).toString(), QString::fromUtf8("Sì"));
    QCOMPARE(o.size(), 25);
    QCOMPARE(QJsonDocument::fromJson(lines[1].toUtf8()).object().value(QStringLiteral("N")).toInt(), 2);
}

void TestCliArchives::dumpOfEmptyAndMissingArchives()
{
    TempProgramFolder home;
    home.write(QStringLiteral("2024.sca"), QByteArray());
    CliResult r = runCli({QStringLiteral("dump"), home.file(QStringLiteral("2024.sca"))});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QString());
    r = runCli({QStringLiteral("dump"), home.file(QStringLiteral("2023.sca"))});
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.err.contains(QStringLiteral("2023.sca")));
    QVERIFY(!QFile::exists(home.file(QStringLiteral("2023.sca")))); // not created by a dump
}

void TestCliArchives::dumpRejectsUnknownNames()
{
    TempProgramFolder home;
    home.write(QStringLiteral("notes.txt"), "hello");
    const CliResult r = runCli({QStringLiteral("dump"), home.file(QStringLiteral("notes.txt"))});
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.err.contains(QStringLiteral("notes.txt")));
    QCOMPARE(runCli({QStringLiteral("dump")}).exitCode, 2);
    QCOMPARE(runCli({QStringLiteral("nonsense")}).exitCode, 2);
}

void TestCliArchives::verifySoundFolder()
{
    TempProgramFolder home;
    home.write(QStringLiteral("Clienti.arx"),
               clientRecord("Rossi", "01/01/2024", "01/06/2024") + clientRecord("Verdi", "02/02/2024", "03/03/2024"));
    home.write(QStringLiteral("Tariffario.arx"), feeRecord("A", "b", "No"));
    const CliResult r = runCli({QStringLiteral("verify"), home.path()});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.contains(QStringLiteral("Clienti.arx: 2 schede")));
    QVERIFY(r.out.contains(QStringLiteral("Tariffario.arx: 1 scheda")));
    // The program folder is the default.
    const CliResult d = runCli({QStringLiteral("verify")}, QFile::encodeName(home.path()));
    QCOMPARE(d.exitCode, 0);
    QCOMPARE(d.out, r.out);
}

void TestCliArchives::verifyReportsEachProblem()
{
    TempProgramFolder home;
    QByteArray clients = clientRecord("Rossi", "01/01/2024", "31/04/2024");
    clients += clientRecord("Verdi", "01/01/2024", "01/02/2024");
    clients[4043 + 119] = char(9); // Sesso, capacity 1
    clients += QByteArray(10, 'x');
    home.write(QStringLiteral("Clienti.arx"), clients);
    home.write(QStringLiteral("Tariffario.arx"), feeRecord("A", "b", "Si"));
    const CliResult r = runCli({QStringLiteral("verify"), home.path()});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.out.contains(QStringLiteral("scheda 1, campo Scadenza")), qPrintable(r.out));
    QVERIFY(r.out.contains(QStringLiteral("scheda 2, campo Sesso: byte di lunghezza 9 oltre la capacità 1")));
    QVERIFY(r.out.contains(QStringLiteral("ultima scheda incompleta (10 byte")));
    QVERIFY(r.out.contains(QStringLiteral("scheda 1, campo TarScontata")));
    QVERIFY(!r.out.contains(QStringLiteral("campo Decorrenza")));
    QCOMPARE(runCli({QStringLiteral("verify"), home.file(QStringLiteral("none"))}).exitCode, 2);
}

QTEST_GUILESS_MAIN(TestCliArchives)
#include "test_cli_archives.moc"
