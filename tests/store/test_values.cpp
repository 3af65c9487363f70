// Checks and conversions on field values.
#include "store/values.h"

#include <QtTest>

using namespace pratelia;

class TestValues : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void money_data();
    void money();
    void dates_data();
    void dates();
    void textPieces();
    void roundDecimals();
    void decimalsIgnoreTheMachineLocale();
    void archivePathFollowsHome();
};

void TestValues::money_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("normal");
    const char *rows[][2] = {
        {"12", "12,00"},       {"12,5", "12,50"},   {"0,5", "0,50"},
        {",5", "0,50"},        {"1500", "1500,00"}, {"1,23456", "1,2346"},
        {"12,345", "12,345"},  {"3,14159", "3,1416"}, {"abc", "0,00"},
        {"", "0,00"},          {"   ", "0,00"},    {"1,2,3", "0,00"},
        {"12,", "12,00"},      {"0", "0,00"},       {"0,999999", "1,00"},
        {"1.5", "0,00"},       {"00012,10", "12,10"},
    };
    for (auto &r : rows)
        QTest::newRow(r[0][0] ? r[0] : "(empty)") << QString::fromLatin1(r[0]) << QString::fromLatin1(r[1]);
}

void TestValues::money()
{
    QFETCH(QString, typed);
    QFETCH(QString, normal);
    QCOMPARE(NormaliseMoneyText(typed), normal);
}

void TestValues::dates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("ordinary") << "05/03/2024" << true;
    QTest::newRow("leap day") << "29/02/2024" << true;
    QTest::newRow("no leap day") << "29/02/2023" << false;
    QTest::newRow("31 april") << "31/04/2024" << false;
    QTest::newRow("month 13") << "01/13/2024" << false;
    QTest::newRow("one-digit day") << "5/3/2024" << true;
    QTest::newRow("two-digit year") << "05/03/24" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("letters") << "aa/bb/cccc" << false;
    QTest::newRow("dashes") << "05-03-2024" << false;
    QTest::newRow("trailing text") << "05/03/2024x" << false;
    QTest::newRow("a third slash") << "05/03/20/4" << false;
    QTest::newRow("year 0000") << "01/01/0000" << false;
    QTest::newRow("three-digit day") << "005/03/2024" << false;
    QTest::newRow("no day") << "/03/2024" << false;
    QTest::newRow("sign") << "+5/03/2024" << false;
}

void TestValues::dates()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(IsValidDate(text), valid);
    // The lists read a stored date from its bytes by the same rule.
    const std::optional<qint64> stored = storedDay(text.toLatin1());
    QCOMPARE(stored.has_value(), valid);
    if (valid)
        QCOMPARE(*stored, parseDate(text).toJulianDay());
    if (valid)
        QCOMPARE(formatDate(parseDate(text)), formatDate(QDate::fromString(text, QStringLiteral("d/M/yyyy"))));
    QCOMPARE(parseDate(u"05/03/2024"), QDate(2024, 3, 5));
    QCOMPARE(formatDate(QDate(2024, 3, 5)), QStringLiteral("05/03/2024"));
}

void TestValues::textPieces()
{
    QVERIFY(IsAllDigits(u""));
    QVERIFY(IsAllDigits(u"0123"));
    QVERIFY(!IsAllDigits(u"12a"));
    QVERIFY(!IsAllDigits(u" 1"));
    QCOMPARE(RightText(u"abc", 5), QStringLiteral("abc"));
    QCOMPARE(RightText(u"abcdef", 2), QStringLiteral("ef"));
    QCOMPARE(LeftText(u"abc", 5), QStringLiteral("abc"));
    QCOMPARE(LeftText(u"abcdef", 2), QStringLiteral("ab"));
    QCOMPARE(MidText(u"abcdef", 2, 3), QStringLiteral("bcd"));
    QCOMPARE(MidText(u"abcdef", 5, 9), QStringLiteral("ef"));
    QCOMPARE(MidText(u"abc", 7, 2), QString());
}

void TestValues::roundDecimals()
{
    QCOMPARE(RoundDecimals(1.23456, 4), 1.2346);
    QCOMPARE(RoundDecimals(2.5, 0), 3.0);
    QCOMPARE(RoundDecimals(12.344, 2), 12.34);
    QCOMPARE(RoundDecimals(-1.5, 0), -1.0); // truncation toward zero of -1.0
}

void TestValues::decimalsIgnoreTheMachineLocale()
{
    const QLocale old;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    double v = 0;
    QVERIFY(parseDecimal(u"12,50", v));
    QCOMPARE(v, 12.5);
    QVERIFY(!parseDecimal(u"12.50", v));
    QCOMPARE(formatDecimal(12.5), QStringLiteral("12,5"));
    QCOMPARE(formatDecimal(12), QStringLiteral("12"));
    QCOMPARE(formatDecimal(1e15), QStringLiteral("1000000000000000"));
    QLocale::setDefault(old);
}

void TestValues::archivePathFollowsHome()
{
    qputenv("PRATELIA_HOME", "/tmp/somewhere/");
    QCOMPARE(ArchivePath(QStringLiteral("Clienti.arx")), QStringLiteral("/tmp/somewhere/Clienti.arx"));
    qputenv("PRATELIA_HOME", "/tmp/somewhere");
    QCOMPARE(programFolder(), QStringLiteral("/tmp/somewhere/"));
    qunsetenv("PRATELIA_HOME");
    QCOMPARE(programFolder(), QCoreApplication::applicationDirPath() + u'/');
}

QTEST_GUILESS_MAIN(TestValues)
#include "test_values.moc"
