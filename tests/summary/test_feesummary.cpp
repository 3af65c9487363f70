// The fee summary's rules without a window: exact money, the checks of the
// selection and their messages, and the summary of an archive (filters,
// interval, list order, total, cards that cannot be read).
#include "summaryfixture.h"
#include "support/faultyfs.h"
#include "support/tempfolder.h"

#include "lists/listwindows.h"
#include "report/report.h"
#include "store/codepage.h"
#include "store/values.h"
#include "summary/feesummary.h"

#include <QFile>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::summary;
using pratelia::testing::addFeeService;
using pratelia::testing::FeeService;
using pratelia::testing::TempProgramFolder;

namespace {

QStringList ids(const FeeSummary &s)
{
    QStringList out;
    for (const lists::ListLine &l : s.lines)
        out << codepage::decode(l.text).mid(4, 20).trimmed();
    return out;
}

FeeSummary summarise(const QString &path, const QString &client, const QString &type,
                     const QString &from, const QString &to)
{
    return buildSummary({path, client, type, parseDate(from), parseDate(to)});
}

} // namespace

class TestFeeSummary : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> folder;
    QString path;

private slots:
    void init()
    {
        folder = std::make_unique<TempProgramFolder>();
        path = summaryArchivePath(QStringLiteral("2024"));
    }
    void cleanup() { folder.reset(); }

    void moneyReadsCommaDecimals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qlonglong>("units"); // of 1/10,000
        QTest::newRow("whole") << "7" << 70000LL;
        QTest::newRow("two decimals") << "12,50" << 125000LL;
        QTest::newRow("one decimal") << "0,1" << 1000LL;
        QTest::newRow("four decimals") << "1,2345" << 12345LL;
        QTest::newRow("fifth decimal rounds up") << "1,23455" << 12346LL;
        QTest::newRow("fifth decimal rounds down") << "1,23454" << 12345LL;
        QTest::newRow("negative rounds away from zero") << "-1,23455" << -12346LL;
        QTest::newRow("leading comma") << ",25" << 2500LL;
        QTest::newRow("trailing comma") << "5," << 50000LL;
        QTest::newRow("blanks around") << "  30,00 " << 300000LL;
        QTest::newRow("plus sign") << "+3" << 30000LL;
        QTest::newRow("leading zeros") << "000000000000000000000000000000042" << 420000LL;
        QTest::newRow("fourteen digits") << "12345678901234,5678" << 123456789012345678LL;
    }
    void moneyReadsCommaDecimals()
    {
        QFETCH(QString, text);
        QFETCH(qlonglong, units);
        const std::optional<Money> m = Money::parse(QStringView(text));
        QVERIFY(m.has_value());
        QCOMPARE(qlonglong(m->units()), units);
        // The stored bytes read the same as the text.
        const QByteArray bytes = text.toLatin1();
        QCOMPARE(qlonglong(Money::parse(QByteArrayView(bytes))->units()), units);
    }

    void moneyRefusesWhatIsNoAmount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "   ";
        QTest::newRow("letters") << "dieci";
        QTest::newRow("dot decimals") << "12.50";
        QTest::newRow("thousands dot") << "1.000,00";
        QTest::newRow("two commas") << "1,2,3";
        QTest::newRow("sign only") << "-";
        QTest::newRow("comma only") << ",";
        QTest::newRow("currency sign") << "€ 12";
        QTest::newRow("blank inside") << "12 50";
        QTest::newRow("too many digits") << "1234567890123456789012345";
    }
    void moneyRefusesWhatIsNoAmount()
    {
        QFETCH(QString, text);
        QVERIFY(!Money::parse(QStringView(text)).has_value());
    }

    void totalsAddExactly_data()
    {
        QTest::addColumn<QStringList>("fees");
        QTest::addColumn<QString>("total");
        QTest::newRow("tenths") << QStringList{"0,1", "0,2"} << "0,30";
        QTest::newRow("half and quarter") << QStringList{"10,5", "0,25"} << "10,75";
        QTest::newRow("whole") << QStringList{"7"} << "7,00";
        QTest::newRow("none") << QStringList{} << "0,00";
        QTest::newRow("four decimals kept") << QStringList{"1,2345", "2"} << "3,2345";
        QTest::newRow("three decimals kept") << QStringList{"0,001", "0,01"} << "0,011";
        QTest::newRow("trailing zeros dropped past two") << QStringList{"0,1250", "0,1250"} << "0,25";
        QTest::newRow("credit note") << QStringList{"100", "-120,5"} << "-20,50";
        QTest::newRow("cancelling out") << QStringList{"0,3", "-0,1", "-0,2"} << "0,00";
        // A double would show 1000000000000000,1 as ...000,125.
        QTest::newRow("big fee keeps its cents")
            << QStringList{"999999999999999", "0,01", "0,1"} << "999999999999999,11";
        // Ten thousand tenths: a binary sum drifts off 1000.
        QTest::newRow("many tenths") << QStringList(10000, QStringLiteral("0,1")) << "1000,00";
    }
    void totalsAddExactly()
    {
        QFETCH(QStringList, fees);
        QFETCH(QString, total);
        Money sum;
        for (const QString &f : fees)
            sum += *Money::parse(QStringView(f));
        QCOMPARE(sum.text(), total);
    }

    void selectionChecksInOrder_data()
    {
        QTest::addColumn<QStringList>("fields"); // year, start day, month, end day, month
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString br = QStringLiteral("\n\r\n\r");
        const QString valid = br + "Per poter visualizzare il riepilogo è necessario indicare una data valida.";
        const int warning = int(MessageKind::Warning), plain = int(MessageKind::Plain);
        QTest::newRow("three-digit year, dates chosen")
            << QStringList{"202", "01", "Gennaio", "31", "Dicembre"} << warning
            << "Attenzione: indicare l'anno solare utilizzando quattro cifre." << "txtAnno";
        QTest::newRow("empty year") << QStringList{"", "", "", "", ""} << warning
                                    << "Attenzione: indicare l'anno solare utilizzando quattro cifre."
                                    << "txtAnno";
        QTest::newRow("no start day")
            << QStringList{"2024", "", "Gennaio", "31", "Dicembre"} << warning
            << "Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco a cascata."
            << "txtGiornoInizio";
        QTest::newRow("no start month")
            << QStringList{"2024", "01", " ", "", ""} << warning
            << "Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a cascata."
            << "txtMeseInizio";
        QTest::newRow("no end day")
            << QStringList{"2024", "01", "Gennaio", "", "Dicembre"} << warning
            << "Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a cascata."
            << "txtGiornoFine";
        QTest::newRow("no end month")
            << QStringList{"2024", "01", "Gennaio", "31", ""} << warning
            << "Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a cascata."
            << "txtMeseFine";
        QTest::newRow("31 Aprile")
            << QStringList{"2024", "31", "Aprile", "31", "Dicembre"} << plain
            << "Attenzione: la data 31/04/2024 di inizio intervallo non esiste." + valid
            << "txtGiornoInizio";
        QTest::newRow("29 February of a common year")
            << QStringList{"2023", "01", "gennaio", "29", "FEBBRAIO"} << plain
            << "Attenzione: la data 29/02/2023 di fine intervallo non esiste." + valid
            << "txtGiornoFine";
        QTest::newRow("end before start")
            << QStringList{"2024", "15", "Marzo", "14", "Marzo"} << plain
            << "Attenzione: la data di fine intervallo (14/03/2024) non può essere anteriore a quella "
               "di inizio intervallo (15/03/2024)." + br
               + "Per poter visualizzare il riepilogo è necessario indicare un intervallo di tempo valido."
            << "";
        QTest::newRow("start = end") << QStringList{"2024", "29", "Febbraio", "29", "Febbraio"}
                                     << -1 << "" << "";
        QTest::newRow("the whole year") << QStringList{"2024", "01", "Gennaio", "31", "Dicembre"}
                                        << -1 << "" << "";
    }
    void selectionChecksInOrder()
    {
        QFETCH(QStringList, fields);
        QFETCH(int, kind);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        const Selection s{fields[0], fields[0], fields[1], fields[2], fields[3], fields[4]};
        const SelectionCheck c = checkSelection(s);
        QCOMPARE(c.ok, kind < 0);
        if (kind >= 0) {
            QCOMPARE(int(c.kind), kind);
            QCOMPARE(c.message, message);
            QCOMPARE(c.focus, focus);
        } else {
            QCOMPARE(c.startDate, fields[1] + "/" + monthDigits(fields[2]) + "/" + fields[0]);
            QVERIFY(IsValidDate(c.endDate));
        }
    }

    void monthNamesToDigits_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("digits");
        QTest::newRow("first") << "Gennaio" << "01";
        QTest::newRow("last, any case, blanks") << "  diCEMBRE " << "12";
        QTest::newRow("no month") << "Aprill" << "";
    }
    void monthNamesToDigits()
    {
        QFETCH(QString, name);
        QFETCH(QString, digits);
        QCOMPARE(monthDigits(name), digits);
        QCOMPARE(monthNames().size(), 12);
        QCOMPARE(dayNames().first(), QString("01"));
        QCOMPARE(dayNames().last(), QString("31"));
    }

    // Five services of 2024 and what each filter and interval lists.
    void filtersAndInterval_data()
    {
        QTest::addColumn<QString>("client");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("total");
        QTest::addColumn<int>("filters");
        QTest::newRow("blank filters: every service of the interval")
            << "" << "" << "01/01/2024" << "31/12/2024" << QStringList{"A1", "B2", "C3", "D4", "E5"}
            << "1460,75" << 0;
        QTest::newRow("three letters of a tax code, any case")
            << "rss" << "" << "01/01/2024" << "31/12/2024" << QStringList{"A1", "C3", "E5"} << "1130,50"
            << 1;
        QTest::newRow("upper-cased filter matches the same")
            << "RSS" << "" << "01/01/2024" << "31/12/2024" << QStringList{"A1", "C3", "E5"} << "1130,50"
            << 1;
        QTest::newRow("type filter, any case")
            << "" << "CONTAB" << "01/01/2024" << "31/12/2024" << QStringList{"B2", "C3"} << "400,25" << 1;
        QTest::newRow("both filters must match")
            << "RSS" << "contab" << "01/01/2024" << "31/12/2024" << QStringList{"C3"} << "100,25" << 2;
        QTest::newRow("one day: start = end")
            << "" << "" << "15/03/2024" << "15/03/2024" << QStringList{"B2", "C3"} << "400,25" << 0;
        QTest::newRow("both ends included")
            << "" << "" << "02/01/2024" << "31/12/2024" << QStringList{"B2", "C3", "D4", "E5"}
            << "930,75" << 0;
        QTest::newRow("end excluded by a day")
            << "" << "" << "02/01/2024" << "30/12/2024" << QStringList{"B2", "C3", "D4"} << "430,50"
            << 0;
        QTest::newRow("dates compare as dates, not texts")
            << "" << "" << "01/02/2024" << "30/11/2024" << QStringList{"B2", "C3", "D4"} << "430,50"
            << 0;
        QTest::newRow("nothing in the interval")
            << "" << "" << "16/03/2024" << "09/06/2024" << QStringList{} << "0,00" << 0;
        QTest::newRow("client not there") << "XYZ" << "" << "01/01/2024" << "31/12/2024"
                                          << QStringList{} << "0,00" << 1;
        // A filter of blanks is no filter: it must not let another
        // client's services into the total by matching a blank.
        QTest::newRow("blank type filter beside a client filter")
            << "VRD" << "   " << "01/01/2024" << "31/12/2024" << QStringList{"B2", "D4"} << "330,25"
            << 1;
    }
    void filtersAndInterval()
    {
        QFETCH(QString, client);
        QFETCH(QString, type);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, listed);
        QFETCH(QString, total);
        QFETCH(int, filters);
        // File order is not list order.
        addFeeService(path, {"E5", "31/12/2024", "500,25"});
        addFeeService(path, {"C3", "15/03/2024", "100,25", "rssmra80a01h501u", "Rossi Mario", "Contabilità"});
        addFeeService(path, {"A1", "01/01/2024", "530", "RSSMRA80A01H501U"});
        addFeeService(path, {"D4", "10/06/2024", "30,25", "VRDNNA70A41H501X", "Verdi Anna"});
        addFeeService(path, {"B2", "15/03/2024", "300", "VRDNNA70A41H501X", "Verdi Anna",
                             "contabilità ordinaria"});
        const FeeSummary s = summarise(path, client, type, from, to);
        QCOMPARE(ids(s), listed);
        QCOMPARE(s.total.text(), total);
        QCOMPARE(s.filters, filters);
        QVERIFY(s.unreadable.isEmpty());
        QVERIFY(s.complete);
    }

    void listLineAndOrder()
    {
        addFeeService(path, {"zeta", "05/05/2024", "12,5", "BNCLCU75C03F205Z", "Bianchi Luca",
                             "Tipo", "Una descrizione molto lunga che supera i trentacinque caratteri"});
        addFeeService(path, {"Alfa", "05/05/2024", "0,1", "RSSMRA80A01H501U", "Rossi Mario", "Tipo", "Visura"});
        addFeeService(path, {"beta", "05/05/2024", "7", "RSSMRA80A01H501U", "Rossi Mario", "Tipo", "Visura"});
        const FeeSummary s = summarise(path, "", "", "01/01/2024", "31/12/2024");
        // a-z count as A-Z: Alfa, beta, zeta.
        QCOMPARE(ids(s), (QStringList{"Alfa", "beta", "zeta"}));
        // Each field trimmed, then padded or cut: ID 20, description 35,
        // date 10, client 28, tax code 16; the fee whole.
        QCOMPARE(codepage::decode(s.lines.last().text),
                 "ID: " + QString("zeta").leftJustified(20) + "  " + "Una descrizione molto lunga che sup"
                     + "  Data: 05/05/2024  " + QString("Bianchi Luca").leftJustified(28)
                     + "  CF: BNCLCU75C03F205Z  Tariffa: € 12,5");
        QCOMPARE(s.lines.first().record, 2);
        QCOMPARE(s.total.text(), QString("19,60"));
    }

    // A card whose fee or date cannot be read is left out and counted; the
    // cards after it are still listed and totalled.
    void unreadableCardsAreSkippedAndCounted_data()
    {
        QTest::addColumn<QString>("badDate");
        QTest::addColumn<QString>("badFee");
        QTest::addColumn<QString>("client"); // filter
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QVector<int>>("unreadable");
        QTest::newRow("fee in the middle") << "10/05/2024" << "dieci euro" << ""
                                           << QStringList{"A", "C", "D"} << "60,75" << QVector<int>{2};
        QTest::newRow("empty fee") << "10/05/2024" << "" << "" << QStringList{"A", "C", "D"} << "60,75"
                                   << QVector<int>{2};
        QTest::newRow("date that does not exist") << "31/04/2024" << "5" << ""
                                                  << QStringList{"A", "C", "D"} << "60,75"
                                                  << QVector<int>{2};
        QTest::newRow("no date at all") << "" << "5" << "" << QStringList{"A", "C", "D"} << "60,75"
                                        << QVector<int>{2};
        QTest::newRow("two-digit year") << "10/05/24" << "5" << "" << QStringList{"A", "C", "D"}
                                        << "60,75" << QVector<int>{2};
        QTest::newRow("year 0000") << "10/05/0000" << "5" << "" << QStringList{"A", "C", "D"}
                                   << "60,75" << QVector<int>{2};
        QTest::newRow("dashes") << "10-05-2024" << "5" << "" << QStringList{"A", "C", "D"}
                                << "60,75" << QVector<int>{2};
        // What the program reads as a date is one: one-digit day and month.
        QTest::newRow("one-digit day and month") << "5/5/2024" << "5" << ""
                                                 << QStringList{"A", "B", "C", "D"} << "65,75"
                                                 << QVector<int>{};
        QTest::newRow("29 February of a leap year") << "29/02/2024" << "5" << ""
                                                    << QStringList{"A", "B", "C", "D"} << "65,75"
                                                    << QVector<int>{};
        // Outside the interval, the fee is not needed: nothing is left out.
        QTest::newRow("bad fee outside the interval") << "10/05/2023" << "dieci" << ""
                                                      << QStringList{"A", "C", "D"} << "60,75"
                                                      << QVector<int>{};
        // Another client's card is not part of this summary.
        QTest::newRow("bad date of another client") << "ieri" << "5" << "RSS"
                                                    << QStringList{"A", "C", "D"} << "60,75"
                                                    << QVector<int>{};
    }
    void unreadableCardsAreSkippedAndCounted()
    {
        QFETCH(QString, badDate);
        QFETCH(QString, badFee);
        QFETCH(QString, client);
        QFETCH(QStringList, listed);
        QFETCH(QString, total);
        QFETCH(QVector<int>, unreadable);
        addFeeService(path, {"A", "01/05/2024", "10,5"});
        addFeeService(path, {"B", badDate, badFee, "VRDNNA70A41H501X"});
        addFeeService(path, {"C", "20/05/2024", "0,25"});
        addFeeService(path, {"D", "21/05/2024", "50"});
        const FeeSummary s = summarise(path, client, "", "01/01/2024", "31/12/2024");
        QCOMPARE(ids(s), listed);
        QCOMPARE(s.total.text(), total);
        QCOMPARE(s.unreadable, unreadable);
        QVERIFY(s.complete);
    }

    // Reading stops part way (the second block of records cannot be read):
    // the lines read so far stay, with the total of exactly those lines, and
    // the summary says it is not the whole archive.
    void failurePartWayKeepsWhatWasRead()
    {
        QByteArray bytes;
        const int count = 400;
        for (int i = 1; i <= count; ++i)
            bytes += testing::feeServiceRecord({QString::number(i), "01/06/2024", "0,01"}).bytes();
        folder->write("2024.ser", bytes);
        testing::FaultyFileSystem disk;
        disk.onlyFiles("2024.ser");
        disk.failAt(IoStep::Read, 2);
        const FeeSummary s = summarise(path, "", "", "01/01/2024", "31/12/2024");
        QVERIFY(disk.triggered());
        QVERIFY(!s.complete);
        QVERIFY(s.lines.size() > 0 && s.lines.size() < count);
        QCOMPARE(s.total.text(), Money::fromUnits(qint64(s.lines.size()) * 100).text());
        QVERIFY(!incompleteText(false).isEmpty());
        QVERIFY(incompleteText(true).isEmpty());
    }

    void missingArchiveIsCreatedEmpty()
    {
        QVERIFY(!QFile::exists(path));
        const FeeSummary s = summarise(path, "", "", "01/01/2024", "31/12/2024");
        QVERIFY(s.lines.isEmpty());
        QCOMPARE(s.total.text(), QString("0,00"));
        QVERIFY(QFile::exists(path));
        QCOMPARE(QFileInfo(path).size(), 0);
    }

    void archiveThatCannotBeOpenedThrows()
    {
        // A folder where the archive should be.
        QVERIFY(QDir().mkpath(path));
        QVERIFY_THROWS_EXCEPTION(ArchiveError, summarise(path, "", "", "01/01/2024", "31/12/2024"));
    }

    void texts()
    {
        QCOMPARE(intervalText("01/03/2024", "31/03/2024"), QString("Dal   01/03/2024   al   31/03/2024"));
        QCOMPARE(clientFilterShown("  "), QString("- - -"));
        QCOMPARE(clientFilterShown(" RSS "), QString("RSS"));
        QCOMPARE(clientFilterText(" rss mra "), QString("RSS MRA"));
        QCOMPARE(summaryArchivePath(" 2024 "), folder->file("2024.ser"));
    }

    void printedSummary_data()
    {
        QTest::addColumn<int>("unreadable");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QStringList>("notices");
        QTest::newRow("every card read") << 0 << true << QStringList{};
        QTest::newRow("one card left out")
            << 1 << true
            << QStringList{"Attenzione: 1 scheda non è stata elencata perché contiene una data o un "
                           "numero non leggibile."};
        QTest::newRow("archive not read to its end")
            << 2 << false
            << QStringList{"Attenzione: 2 schede non sono state elencate perché contengono una data o "
                           "un numero non leggibile.",
                           incompleteText(false)};
    }
    void printedSummary()
    {
        QFETCH(int, unreadable);
        QFETCH(bool, complete);
        QFETCH(QStringList, notices);
        const SummaryPrint p{" RSS ", {"riga uno", "riga due"}, " Dal   01/01/2024   al   31/12/2024 ",
                             "10,75", unreadable, complete};
        const QStringList expected = QStringList{"riga uno", "riga due", "- - - - - - - - - - - - - - - -",
                                                 "INTERVALLO SELEZIONATO:    Dal   01/01/2024   al   31/12/2024",
                                                 "TOTALE COMPENSI:           € 10,75"}
            + notices;
        QCOMPARE(printedBody(p), expected);
        const report::Report r = summaryReport(p);
        QCOMPARE(r.text("txtTitolo"), QString("Riepilogo compensi   -   C.F. cliente:  RSS"));
        QCOMPARE(r.text("txtRiepilogo"), expected.join('\n'));
        QCOMPARE(r.orientation(), QPageLayout::Landscape);
        QCOMPARE(r.text("txtCalce"), QString("Stampa eseguita in data [DATE]"));
    }
};

QTEST_MAIN(TestFeeSummary)
#include "test_feesummary.moc"
