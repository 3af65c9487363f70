// List lines, list order, the criteria rule, find in list and the
// instalments-due rule.
#include "clientfixture.h"

#include "clients/clientlistconfig.h"
#include "lists/listlines.h"
#include "store/codepage.h"

#include <QtTest>

using namespace pratelia;
using namespace pratelia::lists;

class TestListLines : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void padCutting_data();
    void padCutting();
    void listOrder_data();
    void listOrder();
    void equalLinesKeepFileOrder();
    void criteria_data();
    void criteria();
    void criterionAnywhereInALongField_data();
    void criterionAnywhereInALongField();
    void findInListWalk_data();
    void findInListWalk();
    void clientLines_data();
    void clientLines();
    void namePart_data();
    void namePart();
    void instalmentDue_data();
    void instalmentDue();
};

void TestListLines::padCutting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    QTest::newRow("padded") << "Rossi" << 8 << "Rossi   ";
    QTest::newRow("cut keeps the left") << "Bianchissimi" << 6 << "Bianch";
    QTest::newRow("trimmed first") << "  Verdi  " << 6 << "Verdi ";
    QTest::newRow("empty") << "" << 3 << "   ";
    QTest::newRow("exact") << "abc" << 3 << "abc";
}

void TestListLines::padCutting()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(padCut(text, width), expected);
}

void TestListLines::listOrder_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("case does not move a letter")
        << QStringList{"Verdi", "rossi", "Bianchi"} << QStringList{"Bianchi", "rossi", "Verdi"};
    QTest::newRow("prefix first") << QStringList{"Rossi Mario", "ROSSI", "rossi m"}
                                  << QStringList{"ROSSI", "rossi m", "Rossi Mario"};
    QTest::newRow("accented letters after all plain ones")
        << QStringList{"Àlberti", "Zanni", "zeta", "Abate"}
        << QStringList{"Abate", "Zanni", "zeta", "Àlberti"};
    QTest::newRow("accents are not folded")
        << QStringList{"è", "É", "e"} << QStringList{"e", "É", "è"};
    QTest::newRow("lower-case letters count as capitals against symbols")
        << QStringList{"[x", "a", "_", "Z"} << QStringList{"a", "Z", "[x", "_"};
    QTest::newRow("code page order, not Unicode order")
        << QStringList{"à", "€"} << QStringList{"€", "à"};
}

void TestListLines::listOrder()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, sorted);
    QVector<QByteArray> bytes;
    for (const QString &l : lines)
        bytes << codepage::encode(l);
    sortLines(bytes);
    QStringList got;
    for (const QByteArray &b : bytes)
        got << codepage::decode(b);
    QCOMPARE(got, sorted);

    // The same order with record numbers: each stays with its line.
    QVector<ListLine> numbered;
    for (int i = 0; i < lines.size(); ++i)
        numbered.append({codepage::encode(lines[i]), i + 1});
    sortLines(numbered);
    QStringList texts;
    for (const ListLine &l : numbered) {
        texts << codepage::decode(l.text);
        QCOMPARE(lines.value(l.record - 1), texts.last());
    }
    QCOMPARE(texts, sorted);
}

void TestListLines::equalLinesKeepFileOrder()
{
    // Lines equal, or equal but for the case of a letter, stay in the order
    // of their records; enough of them that the sort cannot get there by
    // chance.
    const QByteArray texts[] = {"Verdi Anna", "Bianchi", "VERDI ANNA", "verdi anna", "BIANCHI", "Rossi"};
    QVector<ListLine> lines;
    for (int n = 1; n <= 600; ++n)
        lines.append({texts[(n * 7) % 6], n});
    sortLines(lines);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const ListLine &a = lines[i - 1], &b = lines[i];
        QVERIFY(!lineLess(b.text, a.text));
        if (!lineLess(a.text, b.text))
            QVERIFY2(a.record < b.record, qPrintable(QString::number(b.record)));
    }
}

void TestListLines::criteria_data()
{
    // Criteria on Cognome, Nome, CodFisc; each row: typed texts, the record's
    // three fields, listed or not.
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("record");
    QTest::addColumn<bool>("listed");
    const QStringList rosMar{"ros", "mar", ""};
    QTest::newRow("ros+mar: Rossi Mario") << rosMar << QStringList{"Rossi", "Mario", ""} << true;
    QTest::newRow("ros+mar: Grossi Marco") << rosMar << QStringList{"Grossi", "Marco", ""} << true;
    QTest::newRow("ros+mar: Rossi Luca") << rosMar << QStringList{"Rossi", "Luca", ""} << false;
    QTest::newRow("no criteria lists all") << QStringList{"", "", ""}
                                           << QStringList{"Bianchi", "Anna", ""} << true;
    QTest::newRow("VERDI finds Verdi") << QStringList{"VERDI", "", ""}
                                       << QStringList{"Verdi", "", ""} << true;
    QTest::newRow("à does not find À") << QStringList{"à", "", ""}
                                       << QStringList{"Àlberti", "", ""} << false;
    QTest::newRow("à finds à") << QStringList{"à", "", ""} << QStringList{"Nicolà", "", ""}
                               << true;
    QTest::newRow("trailing blank needs a blank") << QStringList{"ross ", "", ""}
                                                  << QStringList{"Rossi", "", ""} << false;
    QTest::newRow("trailing blank inside a field") << QStringList{"de ", "", ""}
                                                   << QStringList{"De Luca", "", ""} << true;
    QTest::newRow("blanks only are not counted") << QStringList{"   ", "", ""}
                                                 << QStringList{"Rossi", "", ""} << true;
    QTest::newRow("30 characters against a 16-character field")
        << QStringList{"", "", "RSSMRA80A01H501UXXXXXXXXXXXXXX"}
        << QStringList{"Rossi", "", "RSSMRA80A01H501U"} << false;
    QTest::newRow("one criterion of two missing") << QStringList{"rossi", "", "zz"}
                                                  << QStringList{"Rossi", "", "AB"} << false;
    QTest::newRow("both found, in fields of different lengths")
        << QStringList{"rossi", "", "zz"} << QStringList{"Rossi", "", "ZZ"} << true;
    // A criterion of blanks is not counted but still matches a blank.
    QTest::newRow("blanks matching stand for a criterion missed")
        << QStringList{"   ", "mar", ""} << QStringList{"De   Rossi", "Luca", ""} << true;
    QTest::newRow("blanks not matching, criterion missed")
        << QStringList{"   ", "mar", ""} << QStringList{"Rossi", "Luca", ""} << false;
    QTest::newRow("at the very end of the field") << QStringList{"", "", "501u"}
                                                  << QStringList{"Rossi", "", "RSSMRA80A01H501U"}
                                                  << true;
    QTest::newRow("a repeated first letter") << QStringList{"ssi", "", ""}
                                             << QStringList{"Rossssi", "", ""} << true;
    // "At least as many matches as criteria in use": a criterion of blanks
    // only, not counted, still makes up for one that is missing.
    QTest::newRow("blanks make up for a missing criterion")
        << QStringList{"zz", " ", ""} << QStringList{"Rossi", "Anna Maria", ""} << true;
}

void TestListLines::criteria()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, record);
    QFETCH(bool, listed);
    const Record r = fixture::client(
        {{"Cognome", record[0]}, {"Nome", record[1]}, {"CodFisc", record[2]}});
    const Criteria c(layouts::cliente(), {"Cognome", "Nome", "CodFisc"}, typed);
    QCOMPARE(c.accepts(r.view()), listed);
}

void TestListLines::criterionAnywhereInALongField_data()
{
    // A long field is searched sixteen bytes at a time: the needle found at
    // every place around those blocks, in either letter case, and bytes
    // that differ from a letter only by bit 0x20 are not letters.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("note");
    QTest::addColumn<bool>("listed");
    const QString filler(40, u'.');
    for (int at : {0, 1, 14, 15, 16, 17, 31, 32, 33})
        QTest::addRow("at %d", at) << "mario" << filler.left(at) + "MaRiO" + filler << true;
    QTest::newRow("at the very end") << "rio" << filler + "Mario" << true;
    QTest::newRow("cut by the end") << "mario!" << filler + "Mario" << false;
    QTest::newRow("first letter only") << "mz" << filler + "m" + filler + "M" << false;
    QTest::newRow("{ is not [") << "{x" << filler + "[x" << false;
    QTest::newRow("@ is not `") << "`" << filler + "@" + filler << false;
    QTest::newRow("digits") << "501" << filler + "H501U" << true;
    QTest::newRow("è is not È") << "è" << filler + "È" + filler << false;
    QTest::newRow("È finds È") << "È" << filler + "È" + filler << true;
}

void TestListLines::criterionAnywhereInALongField()
{
    QFETCH(QString, typed);
    QFETCH(QString, note);
    QFETCH(bool, listed);
    const Record r = fixture::client({{"Cognome", "Rossi"}, {"Note", note}});
    const Criteria c(layouts::cliente(), {"Note"}, {typed});
    QCOMPARE(c.accepts(r.view()), listed);
}

void TestListLines::findInListWalk_data()
{
    // Each step: the text typed and the row selected afterwards.
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QList<int>>("selected");
    QTest::newRow("cycles through matches and wraps")
        << QStringList{"ross", "ross", "ross", "ross"} << QList<int>{1, 3, 1, 3};
    QTest::newRow("a new text starts from the top") << QStringList{"ross", "ross", "bian"}
                                                    << QList<int>{1, 3, 0};
    QTest::newRow("no match keeps the selection") << QStringList{"ross", "zzz"}
                                                  << QList<int>{1, 1};
    QTest::newRow("case of A-Z ignored") << QStringList{"VERDI"} << QList<int>{2};
    QTest::newRow("one match stays on it") << QStringList{"verdi", "verdi"}
                                           << QList<int>{2, 2};
}

void TestListLines::findInListWalk()
{
    QFETCH(QStringList, typed);
    QFETCH(QList<int>, selected);
    const QVector<QByteArray> lines{"Bianchi Anna", "Grossi Marco", "Verdi Luca", "Rossi Mario"};
    int current = -1;
    QString previous;
    for (int i = 0; i < typed.size(); ++i) {
        if (current < 0)
            current = 0;
        const int row = findInList(lines, current, typed[i], previous);
        if (row >= 0)
            current = row;
        QCOMPARE(current, selected[i]);
    }
}

void TestListLines::clientLines_data()
{
    QTest::addColumn<bool>("instalments");
    QTest::addColumn<QString>("line");
    QTest::newRow("search line")
        << false
        << QStringLiteral("Rossi Mario                 ") + "  C.F. RSSMRA80A01H501U"
               + "  Ditta: Rossi & Figli S.r.l.        " + "  Tel. 333 1234567   "
               + "  Note: cliente storico";
    QTest::newRow("instalment line, empty instalment amount")
        << true
        << QStringLiteral("Rossi Mario                   ") + "  Tel. 333 1234567 "
               + "  Scad. 15/05/2024" + "  Rata: €                " + "  Acquisto: Auto";
}

void TestListLines::clientLines()
{
    QFETCH(bool, instalments);
    QFETCH(QString, line);
    const Record r = fixture::client({{"Cognome", " Rossi "},
                                      {"Nome", "Mario"},
                                      {"CodFisc", "RSSMRA80A01H501U"},
                                      {"Zona", "Rossi & Figli S.r.l."},
                                      {"Recapito", "333 1234567"},
                                      {"Note", "cliente storico"},
                                      {"Scadenza", "15/05/2024"},
                                      {"Acquisto", "Auto"}});
    const LineLayout &l = instalments ? clients::instalmentsDueConfig().source.line
                                      : clients::clientSearchConfig().source.line;
    QCOMPARE(l.build(r.view()), line);
}

void TestListLines::namePart_data()
{
    // The name part is surname, one blank, name, then padded or cut: the
    // blank stays even when one of the two is empty.
    QTest::addColumn<bool>("instalments");
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("part");
    QTest::newRow("search: both") << false << "Rossi" << "Mario" << QString("Rossi Mario").leftJustified(28);
    QTest::newRow("search: no name") << false << "Rossi" << "" << QString("Rossi").leftJustified(28);
    QTest::newRow("search: no surname") << false << "" << "Mario" << QString(" Mario").leftJustified(28);
    QTest::newRow("search: cut after the blank")
        << false << "Abbondanzieri Castelfranchi" << "Maria" << "Abbondanzieri Castelfranchi ";
    QTest::newRow("instalments: no surname")
        << true << "" << "Mario" << QString(" Mario").leftJustified(30);
    QTest::newRow("instalments: neither") << true << "" << "" << QString(30, u' ');
}

void TestListLines::namePart()
{
    QFETCH(bool, instalments);
    QFETCH(QString, surname);
    QFETCH(QString, name);
    QFETCH(QString, part);
    const Record r = fixture::client({{"Cognome", surname}, {"Nome", name}});
    const LineLayout &l = instalments ? clients::instalmentsDueConfig().source.line
                                      : clients::clientSearchConfig().source.line;
    const QString line = l.build(r.view());
    QCOMPARE(line.left(part.size()), part);
    QCOMPARE(line.mid(part.size(), 2), QStringLiteral("  "));
}

void TestListLines::instalmentDue_data()
{
    QTest::addColumn<QString>("due");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<int>("expected"); // 1 listed, 0 not, -1 unreadable
    QTest::newRow("due in 5 days, notice 5") << "15/05/2024" << "5" << 1;
    QTest::newRow("due in 5 days, notice 4") << "15/05/2024" << "4" << 0;
    QTest::newRow("overdue, notice 0") << "01/05/2024" << "0" << 1;
    QTest::newRow("due today, notice 0") << "10/05/2024" << "0" << 1;
    QTest::newRow("across a year, notice 240") << "05/01/2025" << "240" << 1;
    QTest::newRow("due date unreadable") << "31/04/2024" << "0" << -1;
    QTest::newRow("notice empty") << "15/05/2024" << "" << -1;
    QTest::newRow("notice not a number") << "15/05/2024" << "5g" << -1;
}

void TestListLines::instalmentDue()
{
    QFETCH(QString, due);
    QFETCH(QString, notice);
    QFETCH(int, expected);
    const Record r = fixture::client({{"Scadenza", due}, {"Preavviso", notice}});
    const QDate today(2024, 5, 10);
    if (expected < 0) {
        QVERIFY_THROWS_EXCEPTION(std::exception, clients::instalmentDue(r.view(), today));
        return;
    }
    QCOMPARE(clients::instalmentDue(r.view(), today), expected == 1);
}

QTEST_GUILESS_MAIN(TestListLines)
#include "test_listlines.moc"
