// The deadline archive's rules without a window: when a deadline is
// imminent, the chronological key, the month names, what each view selects
// and in which order, the imminent check over this year's and next year's
// archives, and damaged cards passed over instead of hiding the rest.
#include "deadlinefixture.h"

#include "support/faultyfs.h"
#include "support/tempfolder.h"

#include "deadlines/deadlines.h"
#include "store/codepage.h"
#include "store/fileio.h"

#include <QtTest>

using namespace pratelia;
using namespace pratelia::deadlines;
using fixture::deadline;
using pratelia::testing::FaultyFileSystem;
using pratelia::testing::TempProgramFolder;

Q_DECLARE_METATYPE(pratelia::deadlines::View)

namespace {

QStringList column(const ViewResult &result, int col)
{
    QStringList cells;
    for (const ViewRow &row : result.rows)
        cells << codepage::decode(row.cells.at(col));
    return cells;
}

} // namespace

class TestDeadlines : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void imminent_data();
    void imminent();
    void unreadableDateOrNotice_data();
    void unreadableDateOrNotice();
    void chronologicalKey_data();
    void chronologicalKey();
    void monthNumbers();
    void viewSelection_data();
    void viewSelection();
    void monthlyViewInDateOrderKeepsEntryNumbers();
    void imminentIncludesNextYearWithoutCreatingIt();
    void imminentCountSkipsDamagedCards();
    void viewsSkipDamagedCardsAndStaySorted();
    void missingArchive();
    void readFailureKeepsWhatWasRead();
};

void TestDeadlines::imminent_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("imminent");
    const QDate march10(2024, 3, 10);
    QTest::newRow("15 March, notice 5, on 10 March") << "15/03/2024" << "5" << march10 << true;
    QTest::newRow("15 March, notice 4, on 10 March") << "15/03/2024" << "4" << march10 << false;
    QTest::newRow("9 March, notice 0") << "09/03/2024" << "0" << march10 << false;
    QTest::newRow("9 March, notice 999") << "09/03/2024" << "999" << march10 << false;
    QTest::newRow("today, notice 0") << "10/03/2024" << "0" << march10 << true;
    QTest::newRow("tomorrow, notice 0") << "11/03/2024" << "0" << march10 << false;
    QTest::newRow("notice with blanks") << "12/03/2024" << " 2 " << march10 << true;
    QTest::newRow("one-digit day and month") << "5/4/2024" << "26" << march10 << true;
    QTest::newRow("one-digit day, notice short") << "5/4/2024" << "25" << march10 << false;
    QTest::newRow("across the year") << "05/01/2025" << "10" << QDate(2024, 12, 28) << true;
    QTest::newRow("leap day") << "29/02/2024" << "1" << QDate(2024, 2, 28) << true;
}

void TestDeadlines::imminent()
{
    QFETCH(QString, date);
    QFETCH(QString, notice);
    QFETCH(QDate, today);
    QFETCH(bool, imminent);
    Record r = deadline(QStringLiteral("01/01/2024 00:00"), notice);
    r.setText(u"Data", date);
    r.setText(u"Avviso", notice, false);
    const std::optional<Timing> t = timing(r.view());
    QVERIFY(t);
    QCOMPARE(isImminent(*t, today), imminent);
}

void TestDeadlines::unreadableDateOrNotice_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("notice");
    QTest::newRow("no such day") << "31/02/2024" << "5";
    QTest::newRow("empty date") << "" << "5";
    QTest::newRow("two-digit year") << "15/03/24" << "5";
    QTest::newRow("letters in the date") << "1a/03/2024" << "5";
    QTest::newRow("empty notice") << "15/03/2024" << "";
    QTest::newRow("notice in words") << "15/03/2024" << "due";
    QTest::newRow("negative notice") << "15/03/2024" << "-5";
}

void TestDeadlines::unreadableDateOrNotice()
{
    QFETCH(QString, date);
    QFETCH(QString, notice);
    Record r = deadline(QStringLiteral("15/03/2024 09:30"), notice);
    r.setText(u"Data", date);
    QVERIFY(!timing(r.view()));
}

void TestDeadlines::chronologicalKey_data()
{
    QTest::addColumn<QString>("when");
    QTest::addColumn<QByteArray>("key");
    QTest::newRow("5 March 09:30") << "05/03/2024 09:30" << QByteArray("03050930");
    QTest::newRow("31 December 23:59") << "31/12/2025 23:59" << QByteArray("12312359");
    QTest::newRow("1 January midnight") << "01/01/2024 00:00" << QByteArray("01010000");
}

void TestDeadlines::chronologicalKey()
{
    QFETCH(QString, when);
    QFETCH(QByteArray, key);
    QCOMPARE(deadlines::chronologicalKey(deadline(when, QStringLiteral("0")).view()), key);
}

void TestDeadlines::monthNumbers()
{
    QCOMPARE(monthNames().size(), 12);
    QCOMPARE(monthNumber(u"Gennaio"), 1);
    QCOMPARE(monthNumber(u" dicembre "), 12);
    QCOMPARE(monthNumber(u"SETTEMBRE"), 9);
    QCOMPARE(monthNumber(u"Sept"), 0);
    QCOMPARE(monthNumber(u""), 0);
    QCOMPARE(dayItems().first(), QStringLiteral("01"));
    QCOMPARE(dayItems().size(), 31);
    QCOMPARE(hourItems().last(), QStringLiteral("23"));
    QCOMPARE(minuteItems().size(), 60);
}

void TestDeadlines::viewSelection_data()
{
    QTest::addColumn<View>("view");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QStringList>("dates"); // of the rows, in the view's order
    const QDate may10(2024, 5, 10);
    QTest::newRow("day") << View::Day << may10 << QStringList{"10/05/2024", "10/05/2024"};
    QTest::newRow("day without cards") << View::Day << QDate(2024, 5, 11) << QStringList{};
    QTest::newRow("month") << View::Month << may10
                           << QStringList{"01/05/2024", "10/05/2024", "10/05/2024", "12/05/2024",
                                          "25/05/2024", "31/05/2024"};
    QTest::newRow("month of another year")
        << View::Month << QDate(2023, 5, 10) << QStringList{};
    QTest::newRow("imminent") << View::Imminent << may10
                              << QStringList{"10/05/2024", "10/05/2024", "12/05/2024"};
}

void TestDeadlines::viewSelection()
{
    QFETCH(View, view);
    QFETCH(QDate, date);
    QFETCH(QStringList, dates);
    TempProgramFolder home;
    home.write(QStringLiteral("2024.sca"),
               fixture::archive({
                   deadline("31/05/2024 08:00", "0"),
                   deadline("10/05/2024 16:00", "0"),
                   deadline("12/05/2024 09:00", "2"),
                   deadline("12/06/2024 09:00", "2"),
                   deadline("10/05/2024 08:00", "0"),
                   deadline("01/05/2024 12:00", "3"),
                   // The month's name in another letter case still counts.
                   deadline("25/05/2024 12:00", "0", {{"Mese", "MAGGIO"}}),
               }));
    const ViewResult result = viewRows(view, date, true);
    QVERIFY(result.complete);
    QCOMPARE(column(result, 1), dates);
    for (const ViewRow &row : result.rows)
        QCOMPARE(row.cells.size(), 21);
}

void TestDeadlines::monthlyViewInDateOrderKeepsEntryNumbers()
{
    TempProgramFolder home;
    home.write(QStringLiteral("2024.sca"), fixture::archive({
                                               deadline("20/05/2024 10:00", "0"),
                                               deadline("03/05/2024 15:30", "0"),
                                               deadline("20/05/2024 09:00", "0"),
                                           }));
    const ViewResult result = viewRows(View::Month, QDate(2024, 5, 1), true);
    QCOMPARE(column(result, 1), (QStringList{"03/05/2024", "20/05/2024", "20/05/2024"}));
    QCOMPARE(column(result, 2), (QStringList{"15:30", "09:00", "10:00"}));
    QCOMPARE(column(result, 0), (QStringList{"2", "3", "1"}));
    QCOMPARE(column(result, 20), (QStringList{"05031530", "05200900", "05201000"}));
}

void TestDeadlines::imminentIncludesNextYearWithoutCreatingIt()
{
    // On 28 December a deadline of 5 January with ten days' notice is
    // imminent, though it lives in next year's archive.
    TempProgramFolder home;
    const QDate today(2024, 12, 28);
    home.write(QStringLiteral("2024.sca"), fixture::archive({
                                               deadline("30/12/2024 10:00", "3"),
                                               deadline("10/12/2024 10:00", "3"),
                                           }));
    home.write(QStringLiteral("2025.sca"), fixture::archive({
                                               deadline("06/01/2025 09:00", "5"),
                                               deadline("05/01/2025 08:15", "10"),
                                               deadline("20/01/2025 08:15", "10"),
                                           }));
    const ImminentCount found = countImminent(today);
    QVERIFY(found.complete);
    QCOMPARE(found.count, 2);
    const ViewResult view = viewRows(View::Imminent, today, true);
    // This year's first, then next year's, each in date order; the entry
    // numbers run on.
    QCOMPARE(column(view, 1), (QStringList{"30/12/2024", "05/01/2025"}));
    QCOMPARE(column(view, 0), (QStringList{"1", "2"}));

    // Without next year's archive nothing is created for it.
    QFile::remove(home.file(QStringLiteral("2025.sca")));
    QCOMPARE(countImminent(today).count, 1);
    QCOMPARE(viewRows(View::Imminent, today, true).rows.size(), 1);
    QVERIFY(!QFile::exists(home.file(QStringLiteral("2025.sca"))));
}

void TestDeadlines::imminentCountSkipsDamagedCards()
{
    // A damaged card early in the file must not hide the imminent
    // deadlines read after it.
    TempProgramFolder home;
    Record damaged = deadline("11/03/2024 09:00", "5");
    damaged.setText(u"Data", u"31/02/2024");
    Record noNotice = deadline("11/03/2024 09:00", "5");
    noNotice.setText(u"Avviso", u"x");
    home.write(QStringLiteral("2024.sca"), fixture::archive({
                                               damaged,
                                               noNotice,
                                               deadline("12/03/2024 09:00", "5"),
                                               deadline("10/03/2024 09:00", "0"),
                                           }));
    const ImminentCount found = countImminent(QDate(2024, 3, 10));
    QVERIFY(found.complete);
    QCOMPARE(found.count, 2);
}

void TestDeadlines::viewsSkipDamagedCardsAndStaySorted()
{
    TempProgramFolder home;
    Record damaged = deadline("15/03/2024 09:00", "1");
    damaged.setText(u"Data", u"32/03/2024");
    home.write(QStringLiteral("2024.sca"), fixture::archive({
                                               deadline("20/03/2024 10:00", "30"),
                                               damaged,
                                               deadline("11/03/2024 10:00", "30"),
                                           }));
    for (View view : {View::Imminent, View::Month}) {
        const ViewResult result = viewRows(view, QDate(2024, 3, 10), true);
        QVERIFY(result.complete);
        QCOMPARE(result.skipped, 1);
        QCOMPARE(column(result, 1), (QStringList{"11/03/2024", "20/03/2024"}));
        QCOMPARE(column(result, 0), (QStringList{"2", "1"}));
    }
}

void TestDeadlines::missingArchive()
{
    // The windows create the year's archive; the command line reads a
    // missing one as empty and creates nothing.
    TempProgramFolder home;
    const QString path = home.file(QStringLiteral("2024.sca"));
    QVERIFY(viewRows(View::Day, QDate(2024, 5, 10), false).rows.isEmpty());
    QVERIFY(!QFile::exists(path));
    QVERIFY(viewRows(View::Day, QDate(2024, 5, 10), true).complete);
    QVERIFY(QFile::exists(path));
    QCOMPARE(QFileInfo(path).size(), 0);
    QCOMPARE(archivePath(2024), path);
    QCOMPARE(archivePath(1, QStringLiteral("/x")), QStringLiteral("/x/0001.sca"));
}

void TestDeadlines::readFailureKeepsWhatWasRead()
{
    TempProgramFolder home;
    home.write(QStringLiteral("2024.sca"), fixture::archive({
                                               deadline("10/05/2024 10:00", "0"),
                                           }));
    home.write(QStringLiteral("2025.sca"), fixture::archive({
                                               deadline("01/01/2025 10:00", "400"),
                                           }));
    FaultyFileSystem fs;
    // This year's archive reads; next year's fails.
    fs.onlyFiles(QStringLiteral("2025.sca"));
    fs.failAt(IoStep::Read);
    const ImminentCount found = countImminent(QDate(2024, 5, 10));
    QVERIFY(fs.triggered());
    QVERIFY(!found.complete);
    QCOMPARE(found.count, 1);
}

QTEST_MAIN(TestDeadlines)
#include "test_deadlines.moc"
