// The protocol's rules without windows: the number New proposes from the
// settings and the record count, the numbering window's cleaning of the
// start, the settings written whole or not at all, the summary's checks
// and rows, and the search's list lines.
#include "protocol/protocollists.h"
#include "protocol/protocollo.h"

#include "lists/exportgrid.h"
#include "lists/listwindows.h"
#include "platform/inifile.h"
#include "store/codepage.h"
#include "store/recordfile.h"
#include "support/faultyfs.h"
#include "support/tempfolder.h"

#include <QtTest>

using namespace pratelia;
using namespace pratelia::protocol;
using namespace pratelia::testing;

namespace {

Record card(const QString &number, const QString &date, const QString &kind = "In entrata",
            const QString &subject = "Richiesta", const QString &sender = "Rossi Mario")
{
    Record r(layout());
    r.setText(u"Numero", number);
    r.setText(u"Tipologia", kind);
    r.setText(u"DataReg", date);
    r.setText(u"Categoria", u"Corrispondenza");
    r.setText(u"Oggetto", subject);
    r.setText(u"Mittente", sender);
    r.setText(u"Destinatario", u"Studio");
    return r;
}

QByteArray archiveOf(const QVector<Record> &records)
{
    QByteArray bytes;
    for (const Record &r : records)
        bytes += r.bytes();
    return bytes;
}

const QByteArray kSettings = "[Altro]\r\nChiave=valore\r\n"
                             "[Numerazione Protocollo]\r\nInizio=100\r\n"
                             "Indicazione Anno Solare=No\r\n";

} // namespace

class TestProtocollo : public QObject {
    Q_OBJECT
private slots:
    void proposedNumber_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("year");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty settings, empty archive") << "" << "" << 0 << "1";
        QTest::newRow("year on, empty archive") << "" << "Sì" << 0 << "1/2025";
        QTest::newRow("100 and 5 records") << "100" << "No" << 5 << "105";
        QTest::newRow("100 and 5 records, year on") << "100" << "Sì" << 5 << "105/2025";
        QTest::newRow("blank start is 1") << "   " << "No" << 3 << "4";
        QTest::newRow("0 gives the count") << "0" << "No" << 7 << "7";
        QTest::newRow("si lower case is no year") << "1" << "si" << 0 << "1";
        QTest::newRow("SI upper case is no year") << "1" << "SI" << 0 << "1";
        QTest::newRow("Si without accent is no year") << "1" << "Si" << 0 << "1";
        QTest::newRow("Sì with blanks counts") << "1" << " Sì " << 0 << "1/2025";
        QTest::newRow("five digits") << "99999" << "No" << 1 << "100000";
        QTest::newRow("leading zeros") << "007" << "No" << 0 << "7";
    }
    void proposedNumber()
    {
        QFETCH(QString, start);
        QFETCH(QString, year);
        QFETCH(int, count);
        QFETCH(QString, expected);
        const auto numbering = numberingFrom({start, year});
        QVERIFY(numbering);
        // The year is today's, whatever year the archive belongs to.
        QCOMPARE(protocol::proposedNumber(*numbering, count, QDate(2025, 3, 1)), expected);
    }

    void startsNewCannotUse_data()
    {
        QTest::addColumn<QString>("start");
        QTest::newRow("letters") << "abc";
        QTest::newRow("decimal") << "1,5";
        QTest::newRow("negative") << "-3";
        QTest::newRow("six digits") << "123456";
        QTest::newRow("overflowing") << "99999999999999999999";
        QTest::newRow("sign") << "+5";
        QTest::newRow("inner blank") << "1 0";
    }
    void startsNewCannotUse()
    {
        QFETCH(QString, start);
        QVERIFY(!numberingFrom({start, "Sì"}));
    }

    void proposalFromTheFolder()
    {
        TempProgramFolder home;
        const QString path = archivePath("2024");
        home.write("Pratelia.ini", kSettings);
        // Five records and the start of a sixth a crash left behind: the
        // count is that of complete records, read from the size alone.
        QVector<Record> five;
        for (int i = 1; i <= 5; ++i)
            five << card(QString::number(i), "10/01/2024");
        home.write("2024.prt", archiveOf(five) + QByteArray(100, 'x'));
        QCOMPARE(proposeNumber(path, settingsPath(), QDate(2026, 1, 2), true), QString("105"));

        // A missing archive is an empty one, created when asked to.
        const QString next = archivePath("2025");
        QCOMPARE(proposeNumber(next, settingsPath(), QDate(2026, 1, 2), false), QString("100"));
        QVERIFY(!QFile::exists(next));
        QCOMPARE(proposeNumber(next, settingsPath(), QDate(2026, 1, 2), true), QString("100"));
        QVERIFY(QFile::exists(next));

        // No settings file at all: 1, no year.
        QFile::remove(settingsPath());
        QCOMPARE(proposeNumber(path, settingsPath(), QDate(2026, 1, 2), true), QString("6"));
    }

    void settingsThatCannotBeReadGiveNoNumber()
    {
        TempProgramFolder home;
        const QString path = archivePath("2024");
        // A settings file that exists but cannot be read: a link (never
        // followed in the program folder) or a folder in its place.
        OutsideFile outside(kSettings);
        QVERIFY(outside.plantLink(settingsPath()));
        QVERIFY(!readNumberingTexts(settingsPath()));
        QVERIFY(!proposeNumber(path, settingsPath(), QDate(2026, 1, 2), true));
        QFile::remove(settingsPath());
        QVERIFY(QDir(home.path()).mkdir("Pratelia.ini"));
        QVERIFY(!proposeNumber(path, settingsPath(), QDate(2026, 1, 2), true));
    }

    void normaliseStart_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::newRow("leading zeros") << "007" << "7";
        QTest::newRow("blank") << "" << "1";
        QTest::newRow("blanks") << "   " << "1";
        QTest::newRow("zero stays") << "0" << "0";
        QTest::newRow("zeros") << "000" << "0";
        QTest::newRow("plain") << "250" << "250";
        QTest::newRow("lone comma") << "," << "1";
        QTest::newRow("comma first") << ",5" << "1";
        QTest::newRow("comma last") << "5," << "1";
        QTest::newRow("decimal rounds up") << "2,5" << "3";
        QTest::newRow("decimal rounds down") << "2,4" << "2";
        QTest::newRow("not a number") << "12a" << "1";
        QTest::newRow("negative") << "-3" << "1";
        QTest::newRow("largest") << "99999" << "99999";
        QTest::newRow("rounds past five digits") << "99999,5" << "1";
    }
    void normaliseStart()
    {
        QFETCH(QString, typed);
        QFETCH(QString, left);
        QCOMPARE(protocol::normaliseStart(typed), left);
        // What the window leaves is always a start New can use.
        QVERIFY(numberingFrom({left, {}}));
    }

    void numberingWrittenKeepsTheRest()
    {
        TempProgramFolder home;
        home.write("Pratelia.ini", kSettings);
        QVERIFY(writeNumbering(settingsPath(), "7", true));
        QCOMPARE(readIniValue(settingsPath(), "Numerazione Protocollo", "Inizio"), QString("7"));
        QCOMPARE(readIniValue(settingsPath(), "Numerazione Protocollo", "Indicazione Anno Solare"),
                 QString("Sì"));
        QCOMPARE(readIniValue(settingsPath(), "Altro", "Chiave"), QString("valore"));
        // Unticking writes "No" explicitly.
        QVERIFY(writeNumbering(settingsPath(), "7", false));
        QCOMPARE(readIniValue(settingsPath(), "Numerazione Protocollo", "Indicazione Anno Solare"),
                 QString("No"));
        // The year indication in the file's own code page.
        QVERIFY(writeNumbering(settingsPath(), "7", true));
        QVERIFY(home.read("Pratelia.ini").contains("Indicazione Anno Solare=S\xEC\r\n"));
    }

    void numberingNotWrittenKeepsTheOldFileWhole_data()
    {
        QTest::addColumn<int>("step");
        QTest::newRow("write") << int(IoStep::Write);
        QTest::newRow("flush") << int(IoStep::Flush);
        QTest::newRow("close") << int(IoStep::Close);
        QTest::newRow("rename") << int(IoStep::Rename);
    }
    void numberingNotWrittenKeepsTheOldFileWhole()
    {
        QFETCH(int, step);
        TempProgramFolder home;
        home.write("Pratelia.ini", kSettings);
        FaultyFileSystem fs;
        fs.failAt(IoStep(step), 1, true);
        QVERIFY(!writeNumbering(settingsPath(), "5", true));
        QCOMPARE(home.read("Pratelia.ini"), kSettings);
        QCOMPARE(QDir(home.path()).entryList(QDir::Files), QStringList{"Pratelia.ini"});
    }

    void numberingNeverWrittenOverAnUnreadableFile()
    {
        TempProgramFolder home;
        OutsideFile outside(kSettings);
        QVERIFY(outside.plantLink(settingsPath()));
        QVERIFY(!writeNumbering(settingsPath(), "5", true));
        QCOMPARE(outside.content(), outside.original());
        QVERIFY(isLink(settingsPath()));
    }

    void intervalChecks_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("warning");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("focus");
        const QString needed =
            "Attenzione: per visualizzare il riepilogo è necessario indicare la data di ";
        const QString valid =
            "\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare una data valida.";
        QTest::newRow("no start, before anything else")
            << "  " << "" << true << needed + "inizio intervallo." << "txtDataInizio";
        QTest::newRow("no end") << "01/01/2024" << "" << true << needed + "fine intervallo."
                                << "txtDataFine";
        QTest::newRow("start that does not exist")
            << "31/02/2024" << "x" << false
            << "Attenzione: la data 31/02/2024 di inizio intervallo non esiste." + valid
            << "txtDataInizio";
        QTest::newRow("start trimmed in the message")
            << " 1/13/2024 " << "01/01/2024" << false
            << "Attenzione: la data 1/13/2024 di inizio intervallo non esiste." + valid
            << "txtDataInizio";
        QTest::newRow("end that does not exist")
            << "01/01/2024" << "29/02/2023" << false
            << "Attenzione: la data 29/02/2023 di fine intervallo non esiste." + valid
            << "txtDataFine";
        QTest::newRow("end before start")
            << "10/03/2024" << "09/03/2024" << false
            << "Attenzione: la data di fine intervallo (09/03/2024) non può essere anteriore a "
               "quella di inizio intervallo (10/03/2024).\n\r\n\rPer poter visualizzare il "
               "riepilogo è necessario indicare un intervallo di tempo valido."
            << "";
    }
    void intervalChecks()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(bool, warning);
        QFETCH(QString, text);
        QFETCH(QString, focus);
        const auto refusal = checkInterval(start, end);
        QVERIFY(refusal);
        QCOMPARE(refusal->warning, warning);
        QCOMPARE(refusal->text, text);
        QCOMPARE(refusal->focus, focus);
    }

    void intervalAccepted_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::newRow("same day") << "05/03/2024" << "05/03/2024";
        QTest::newRow("one-digit day and month") << "1/3/2024" << "31/12/2024";
        QTest::newRow("across years") << "31/12/2023" << "01/01/2024";
    }
    void intervalAccepted()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QVERIFY(!checkInterval(start, end));
    }

    void intervalRows_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("same day") << QDate(2024, 3, 5) << QDate(2024, 3, 5)
                                  << QStringList{"3", "4"};
        QTest::newRow("both ends included") << QDate(2024, 1, 10) << QDate(2024, 3, 5)
                                            << QStringList{"1", "3", "4", "7"};
        QTest::newRow("whole year") << QDate(2024, 1, 1) << QDate(2024, 12, 31)
                                    << QStringList{"1", "2", "3", "4", "5", "7"};
        QTest::newRow("nothing") << QDate(2023, 1, 1) << QDate(2023, 12, 31) << QStringList{};
    }
    void intervalRows()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QStringList, numbers);
        TempProgramFolder home;
        home.write("2024.prt", archiveOf({card("1", "10/01/2024"), card("2", "20/06/2024"),
                                          card("3", "05/03/2024"), card("4", "5/3/2024"),
                                          card("5", "31/12/2024"), card("6", "31/02/2024"),
                                          card("7", "01/02/2024")}));
        lists::ExportGridModel grid(protocolExportConfig().grid);
        lists::appendEmptyRows(grid, 10);
        const IntervalResult result = fillInterval(grid, archivePath("2024"), from, to, false);
        QCOMPARE(result.rows, numbers.size());
        QCOMPARE(grid.rowCount(), numbers.size());
        // The date that does not exist is left out and counted.
        QCOMPARE(result.skipped, 1);
        QVERIFY(result.complete);
        for (int row = 0; row < numbers.size(); ++row) {
            // The running number restarts at 1, whatever the records' numbers.
            QCOMPARE(grid.cell(row, 0), QString::number(row + 1));
            QCOMPARE(grid.cell(row, 1), numbers.at(row));
        }
    }

    void intervalRowCells()
    {
        TempProgramFolder home;
        Record r = card(" 12/2024 ", "05/03/2024", "In uscita", "Contratto", "Rossi Mario");
        r.setText(u"Ufficio", u"Segreteria");
        r.setText(u"Operatore", u"Anna");
        r.setText(u"Collocazione", u"Armadio 3");
        r.setText(u"DataSpe", u"04/03/2024");
        r.setText(u"DataRic", u"ieri");
        r.setText(u"Formato", u"PDF");
        r.setText(u"Pagine", u"12");
        r.setText(u"Riferimenti", u"Prot. 11");
        r.setText(u"Note", u"urgente");
        r.setText(u"RecapitoMit", u"Via Roma 1");
        r.setText(u"RecapitoDes", u"Via Po 2");
        r.setText(u"Copia", u"copia.pdf");
        r.setText(u"File01", u"allegato.pdf");
        home.write("2024.prt", r.bytes());
        lists::ExportGridModel grid(protocolExportConfig().grid);
        fillInterval(grid, archivePath("2024"), QDate(2024, 3, 1), QDate(2024, 3, 31), false);
        QCOMPARE(grid.rowCount(), 1);
        QStringList cells;
        for (int c = 0; c < grid.columnCount(); ++c)
            cells << grid.cell(0, c);
        // The digital copy and the attached files are not listed.
        QCOMPARE(cells, (QStringList{"1", "12/2024", "In uscita", "05/03/2024", "Segreteria", "Anna",
                                     "Corrispondenza", "Armadio 3", "Contratto", "04/03/2024",
                                     "ieri", "PDF", "12", "Prot. 11", "urgente", "Rossi Mario",
                                     "Via Roma 1", "Studio", "Via Po 2"}));
    }

    void emptyArchiveKeepsTheGrid()
    {
        TempProgramFolder home;
        lists::ExportGridModel grid(protocolExportConfig().grid);
        lists::appendEmptyRows(grid, 10);
        const IntervalResult result =
            fillInterval(grid, archivePath("2024"), QDate(2024, 1, 1), QDate(2024, 12, 31), true);
        QCOMPARE(result.rows, -1);
        QCOMPARE(grid.rowCount(), 10);
        // Opened as the window opens it: created empty.
        QVERIFY(QFile::exists(archivePath("2024")));
    }

    void intervalReadFailureKeepsRowsSoFar()
    {
        TempProgramFolder home;
        QVector<Record> many;
        // More than one block of reading, so that the second read fails.
        for (int i = 1; i <= 400; ++i)
            many << card(QString::number(i), "10/01/2024");
        home.write("2024.prt", archiveOf(many));
        lists::ExportGridModel grid(protocolExportConfig().grid);
        FaultyFileSystem fs;
        fs.failAt(IoStep::Read, 2);
        const IntervalResult result =
            fillInterval(grid, archivePath("2024"), QDate(2024, 1, 1), QDate(2024, 12, 31), true);
        QVERIFY(!result.complete);
        QVERIFY(grid.rowCount() > 0);
        QVERIFY(grid.rowCount() < 400);
        QCOMPARE(grid.cell(grid.rowCount() - 1, 0), QString::number(grid.rowCount()));
    }

    void numbersAlreadyStored()
    {
        TempProgramFolder home;
        home.write("2024.prt", archiveOf({card("1/2024", "10/01/2024"), card(" 2/2024", "10/01/2024"),
                                          card("3/2024", "10/01/2024"), card("2/2024", "10/01/2024")}));
        const QString path = archivePath("2024");
        QCOMPARE(findNumber(path, "2/2024"), 2);
        QCOMPARE(findNumber(path, " 3/2024 "), 3);
        // The card itself does not count; another with the same number does.
        QCOMPARE(findNumber(path, "3/2024", 3), 0);
        QCOMPARE(findNumber(path, "2/2024", 2), 4);
        // A prefix or another case is another number.
        QCOMPARE(findNumber(path, "2"), 0);
        QCOMPARE(findNumber(path, "1/2024x"), 0);
        QCOMPARE(findNumber(path, ""), 0);
    }

    void searchLines_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("every incoming document") << "Tipologia" << "entrata" << QStringList{"10", "9"};
        QTest::newRow("a month by its date text") << "DataReg" << "03/2024" << QStringList{"10", "2"};
        QTest::newRow("upper case finds lower") << "Oggetto" << "FATTURA" << QStringList{"2"};
        QTest::newRow("nothing") << "Mittente" << "Bianchi" << QStringList{};
    }
    void searchLines()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QStringList, numbers);
        TempProgramFolder home;
        home.write("2024.prt",
                   archiveOf({card("9", "15/01/2024", "In entrata", "Richiesta"),
                              card("2", "02/03/2024", "In uscita", "fattura"),
                              card("10", "20/03/2024", "In entrata", "Sollecito")}));
        const lists::SearchConfig &config = protocolSearchConfig();
        QStringList texts(config.criteria.size());
        texts[config.fieldNames().indexOf(field)] = text;
        const lists::ListResult found = lists::searchList(config, archivePath("2024"), texts);
        QStringList listed;
        for (const lists::ListLine &l : found.lines)
            listed << codepage::decode(l.text).mid(9, 14).trimmed();
        // In the order of the numbers' texts: 10 before 9.
        QCOMPARE(listed, numbers);
    }

    void searchLineLayout()
    {
        TempProgramFolder home;
        home.write("2024.prt", card("  123456789012345678", "05/03/2024", "In uscita",
                                    QString(40, u'o'), "Rossi Mario")
                                   .bytes());
        const lists::SearchConfig &config = protocolSearchConfig();
        const lists::ListResult found =
            lists::searchList(config, archivePath("2024"), QStringList(config.criteria.size()));
        QCOMPARE(found.lines.size(), 1);
        // The number is cut to 14 characters, the subject to 35 and the
        // sender padded to 24; the recipient is whole.
        QCOMPARE(codepage::decode(found.lines.first().text),
                 "Prot. n. 12345678901234  Data: 05/03/2024  Posta: In uscita   "
                     + QString(35, u'o') + "  Da: " + QString("Rossi Mario").leftJustified(24) + "  A: Studio");
    }
};

QTEST_GUILESS_MAIN(TestProtocollo)
#include "test_protocollo.moc"
