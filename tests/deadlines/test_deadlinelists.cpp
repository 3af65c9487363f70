// The deadline archive's list windows on the shared list tools: the
// search and its count line, the three summary lists and what each
// selects, a pick bringing the card back, the export, the three views in
// date order and their files; the same through pratelia-cli, and the
// calendar file read back with libical.
#include "deadlinefixture.h"

#include "support/tempfolder.h"

#include "deadlines/deadlinecard.h"
#include "deadlines/deadlinelists.h"
#include "deadlines/icalendar.h"
#include "deadlines/scadenzario.h"
#include "platform/testing.h"
#include "store/codepage.h"
#include "store/recordfile.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <libical/ical.h>

using namespace pratelia;
using namespace pratelia::deadlines;
using fixture::deadline;
using pratelia::testing::runCli;
using pratelia::testing::TempProgramFolder;
using pratelia::testing::TestPlatform;

namespace {

QStringList decoded(const QVector<QByteArray> &lines)
{
    QStringList out;
    for (const QByteArray &l : lines)
        out << codepage::decode(l);
    return out;
}

// Cards of 2025: a paid one, an unpaid one of last month, one to confirm.
QByteArray sample()
{
    return fixture::archive({
        deadline("20/05/2025 10:00", "3",
                 {{"Cliente", "Rossi Mario"}, {"Dettagli", "Saldo IMU"}, {"Effettuata", "Sì"}}),
        deadline("03/04/2025 15:30", "0",
                 {{"Cliente", "Grossi Anna"}, {"Dettagli", "Affitto"}, {"Costo", "450,00"}}),
        deadline("20/05/2025 09:00", "10",
                 {{"Cliente", "Verdi Luca"},
                  {"Dettagli", "Incontro"},
                  {"Descrizione", "Dichiarazione dei redditi modello 730"},
                  {"DaConfermare", "Sì"}}),
        deadline("07/03/2025 11:00", "2", {{"Cliente", "rossi paola"}, {"Dettagli", "Visura"}}),
    });
}

} // namespace

class TestDeadlineLists : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void listLine();
    void summaryLists_data();
    void summaryLists();
    void search_data();
    void search();
    void pickBringsTheLaterCardBack();
    void searchHandsOverOnlyInItsOwnMode();
    void exportInFileOrder();
    void viewWindows_data();
    void viewWindows();
    void viewOfAnotherYearCreatesItsArchive();
    void cliViewAsJsonLines();
    void cliListsAndSearch();
    void calendarReadBack();

private:
    std::unique_ptr<TempProgramFolder> home;
    std::unique_ptr<TestPlatform> platform;
    std::unique_ptr<TfrmScadenzario> card;
};

void TestDeadlineLists::init()
{
    home = std::make_unique<TempProgramFolder>();
    platform = std::make_unique<TestPlatform>();
    platform->clock.setToday(QDate(2025, 5, 12));
    home->write(QStringLiteral("2025.sca"), sample());
    card = std::make_unique<TfrmScadenzario>();
    kit::openYear(card.get(), yearArchive(), QStringLiteral("2025"));
}

void TestDeadlineLists::cleanup()
{
    card.reset();
    platform.reset();
    home.reset();
}

void TestDeadlineLists::listLine()
{
    const Record r = deadline("03/04/2025 15:30", "0",
                              {{"Cliente", "Grossi Anna"},
                               {"Dettagli", "Affitto"},
                               {"Descrizione", "Locazione ufficio di via Roma"},
                               {"Costo", "450,00"}});
    QCOMPARE(deadlineSearchConfig().source.line.build(r.view()),
             QStringLiteral("Affitto").leftJustified(35) + QStringLiteral("  Data: 03/04/2025")
                 + QStringLiteral("  Ora: 15:30") + QStringLiteral("  Cliente: ")
                 + QStringLiteral("Grossi Anna").leftJustified(30)
                 + QStringLiteral("  ID: Locazione ufficio di") + QStringLiteral("  € 450,00"));
}

void TestDeadlineLists::summaryLists_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<QStringList>("clients");
    QTest::newRow("payments to make, past ones too") << 0 << QStringList{"Grossi Anna", "Verdi Luca", "rossi paola"};
    QTest::newRow("payments made") << 1 << QStringList{"Rossi Mario"};
    QTest::newRow("appointments to confirm") << 2 << QStringList{"Verdi Luca"};
}

void TestDeadlineLists::summaryLists()
{
    QFETCH(int, list);
    QFETCH(QStringList, clients);
    const lists::SummaryConfig *configs[] = {&paymentsToMakeConfig(), &paymentsMadeConfig(),
                                             &appointmentsToConfirmConfig()};
    lists::SummaryListWindow w(*configs[list], card.get());
    w.build();
    QStringList shown;
    for (int i = 0; i < w.results()->model()->rowCount(); ++i)
        shown << w.results()->model()->line(i).mid(76, 30).trimmed();
    shown.sort();
    clients.sort();
    QCOMPARE(shown, clients);
    QVERIFY(platform->dialogs.shown.isEmpty());
}

void TestDeadlineLists::search_data()
{
    QTest::addColumn<QStringList>("criteria"); // control=text
    QTest::addColumn<int>("found");
    QTest::newRow("client rossi") << QStringList{"txtCliente=rossi"} << 3;
    QTest::newRow("client rossi in March") << QStringList{"txtCliente=rossi", "txtData=03/2025"} << 1;
    QTest::newRow("nothing given") << QStringList{} << 4;
    QTest::newRow("time") << QStringList{"txtOra=20:00"} << 0;
}

void TestDeadlineLists::search()
{
    QFETCH(QStringList, criteria);
    QFETCH(int, found);
    lists::SearchWindow w(deadlineSearchConfig(), card.get());
    w.setMode(QStringLiteral("Scadenzario"));
    for (const QString &c : criteria)
        w.findChild<QLineEdit *>(c.section(u'=', 0, 0))->setText(c.section(u'=', 1));
    w.search();
    QVERIFY(w.showingResults());
    QCOMPARE(w.results()->model()->rowCount(), found);
    QCOMPARE(w.results()->countLabel()->text(),
             QStringLiteral("Il presente elenco contiene %1 schede.").arg(found));
    QCOMPARE(w.windowTitle(), QStringLiteral(" Trova scadenze e appuntamenti in archivio"));
}

void TestDeadlineLists::pickBringsTheLaterCardBack()
{
    // Two cards giving the same line: the later one in the file stays.
    const Record twin = deadline("10/06/2025 10:00", "1", {{"Note", "prima"}});
    Record later = twin;
    later.setText(u"Note", u"seconda");
    later.setText(u"Effettuata", u"Sì");
    home->write(QStringLiteral("2025.sca"), sample() + fixture::archive({twin, later}));
    lists::SummaryListWindow w(paymentsMadeConfig(), card.get());
    w.build();
    int row = -1;
    for (int i = 0; i < w.results()->model()->rowCount(); ++i)
        if (w.results()->model()->line(i).contains(u"10/06/2025"))
            row = i;
    QVERIFY(row >= 0);
    w.pick(row);
    QCOMPARE(card->position(), 6);
    QCOMPARE(card->text(QStringLiteral("txtNote")), QStringLiteral("seconda"));
    QCOMPARE(card->text(QStringLiteral("lblData")), QStringLiteral("10/06/2025"));
    QCOMPARE(card->text(QStringLiteral("lblOra")), QStringLiteral("10:00"));
    QCOMPARE(card->text(QStringLiteral("lblAnno")), QStringLiteral("2025"));
    QCOMPARE(card->text(QStringLiteral("chkEffettuata")), QStringLiteral("Sì"));
}

void TestDeadlineLists::searchHandsOverOnlyInItsOwnMode()
{
    for (const char *mode : {"scadenzario", "Scadenzario"}) {
        card->newCard();
        lists::SearchWindow w(deadlineSearchConfig(), card.get());
        w.setMode(QLatin1String(mode));
        w.criterion(2)->setText(QStringLiteral("grossi"));
        w.search();
        QCOMPARE(w.results()->model()->rowCount(), 1);
        w.pick(0);
        QCOMPARE(card->position(), QLatin1String(mode) == QLatin1String("Scadenzario") ? 2 : 0);
    }
    QCOMPARE(card->text(QStringLiteral("txtCliente")), QStringLiteral("Grossi Anna"));
}

void TestDeadlineLists::exportInFileOrder()
{
    QByteArray twelve;
    for (int i = 1; i <= 12; ++i)
        twelve += deadline(QString::asprintf("%02d/%02d/2025 10:00", 28 - i, 13 - i), "0",
                           {{"Cliente", QStringLiteral("Cliente %1").arg(i)}})
                      .bytes();
    home->write(QStringLiteral("2025.sca"), twelve);
    lists::ExportWindow w(deadlineExportConfig(), card.get());
    w.preview();
    QCOMPARE(w.grid()->rowCount(), 12);
    QCOMPARE(w.grid()->columnCount(), 20);
    for (int row = 0; row < 12; ++row) {
        QCOMPARE(w.grid()->cell(row, 0), QString::number(row + 1));
        QCOMPARE(w.grid()->cell(row, 3), QStringLiteral("Cliente %1").arg(row + 1));
    }
    w.exportFile();
    const QString text = codepage::decode(home->read(QStringLiteral("Scadenze_e_Appuntamenti.xls")));
    QVERIFY(text.contains(u"<x:Name>Scadenze e appuntamenti</x:Name>"));
    QVERIFY(!text.contains(u"Codice univoco"));
    QCOMPARE(text.count(u"<tr>"), 13);
    QCOMPARE(text.count(u"font-weight: bold;\" width="), 19);
    QVERIFY(text.indexOf(u"Cliente 1<") < text.indexOf(u"Cliente 12<"));
}

void TestDeadlineLists::viewWindows_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("imminent") << int(View::Imminent) << QDate(2025, 5, 18) << "TfrmExpImminenti"
                              << "Scadenze_Imminenti.xls" << QStringList{"2", "1"};
    QTest::newRow("day") << int(View::Day) << QDate(2025, 4, 3) << "TfrmExpGiornaliere"
                         << "Scadenze_Giornaliere.xls" << QStringList{"1"};
    QTest::newRow("month") << int(View::Month) << QDate(2025, 5, 31) << "TfrmExpMensili"
                           << "Scadenze_Mensili.xls" << QStringList{"2", "1"};
    QTest::newRow("day without cards") << int(View::Day) << QDate(2025, 5, 13)
                                       << "TfrmExpGiornaliere" << "Scadenze_Giornaliere.xls"
                                       << QStringList{};
}

void TestDeadlineLists::viewWindows()
{
    QFETCH(int, view);
    QFETCH(QDate, date);
    QFETCH(QString, window);
    QFETCH(QString, file);
    QFETCH(QStringList, numbers);
    const View v = View(view);
    lists::ExportWindow w(viewConfig(v), card.get(),
                          [&](lists::ExportGridModel &grid) { fillView(grid, v, date, true); });
    QCOMPARE(w.objectName(), window);
    w.preview();
    QCOMPARE(w.grid()->columnCount(), 21);
    QCOMPARE(w.grid()->headerData(20, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Codice univoco"));
    QStringList shown;
    for (int row = 0; row < w.grid()->rowCount(); ++row)
        shown << w.grid()->cell(row, 0);
    QCOMPARE(shown, numbers);
    w.exportFile();
    const QString text = codepage::decode(home->read(file));
    QCOMPARE(text.count(u"<tr>"), 1 + numbers.size());
    QCOMPARE(text.count(u"font-weight: bold;\" width="), 20);
    QVERIFY(text.contains(u"Codice univoco</td>"));
    QCOMPARE(platform->shell.opened.size(), 1);
}

void TestDeadlineLists::viewOfAnotherYearCreatesItsArchive()
{
    lists::ExportWindow w(viewConfig(View::Day), card.get(), [](lists::ExportGridModel &grid) {
        fillView(grid, View::Day, QDate(2027, 1, 4), true);
    });
    w.preview();
    QCOMPARE(w.grid()->rowCount(), 0);
    QVERIFY(QFile::exists(home->file(QStringLiteral("2027.sca"))));
}

void TestDeadlineLists::cliViewAsJsonLines()
{
    home->write(QStringLiteral("2024.sca"), fixture::archive({
                                                deadline("20/05/2024 10:00", "0"),
                                                deadline("03/05/2024 15:30", "0"),
                                                deadline("20/05/2024 09:00", "0"),
                                            }));
    const auto r = runCli({QStringLiteral("view"), QStringLiteral("mese"), home->path(),
                           QStringLiteral("--date"), QStringLiteral("15/05/2024")});
    QCOMPARE(r.exitCode, 0);
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QStringList order;
    for (const QString &l : lines) {
        const QJsonObject o = QJsonDocument::fromJson(l.toUtf8()).object();
        QCOMPARE(o.size(), 21);
        order << o.value("N.").toString() + u' ' + o.value("Data scadenza").toString() + u' '
                     + o.value("Ora appuntamento").toString();
        QCOMPARE(o.value("Causale scadenza").toString(), QStringLiteral("Versamento F24"));
    }
    QCOMPARE(order, (QStringList{"2 03/05/2024 15:30", "3 20/05/2024 09:00", "1 20/05/2024 10:00"}));
    // No archive of 2023: nothing listed, and nothing created.
    const auto none = runCli({QStringLiteral("view"), QStringLiteral("giorno"), home->path(),
                              QStringLiteral("--date"), QStringLiteral("01/02/2023")});
    QCOMPARE(none.exitCode, 0);
    QCOMPARE(none.out, QString());
    QVERIFY(!QFile::exists(home->file(QStringLiteral("2023.sca"))));
    QCOMPARE(runCli({QStringLiteral("view"), QStringLiteral("settimana")}).exitCode, 2);
}

void TestDeadlineLists::cliListsAndSearch()
{
    const QString file = home->file(QStringLiteral("2025.sca"));
    auto lines = [](const QString &out) { return out.split(u'\n', Qt::SkipEmptyParts); };
    const auto made = runCli({QStringLiteral("list"), QStringLiteral("pagati"), file});
    QCOMPARE(made.exitCode, 0);
    QCOMPARE(lines(made.out).size(), 1);
    QVERIFY(made.out.contains(u"Rossi Mario"));
    const auto toMake = runCli({QStringLiteral("list"), QStringLiteral("dapagare"), file});
    QCOMPARE(lines(toMake.out).size(), 3);
    QVERIFY(!toMake.out.contains(u"Rossi Mario"));
    const auto toConfirm = runCli({QStringLiteral("list"), QStringLiteral("daconfermare"), file});
    QCOMPARE(lines(toConfirm.out),
             decoded(lists::summaryLines(appointmentsToConfirmConfig(), file, {})));
    // A yearly archive is known by its extension whatever its year.
    home->write(QStringLiteral("1999.SCA"), sample());
    const auto found = runCli({QStringLiteral("search"), home->file(QStringLiteral("1999.SCA")),
                               QStringLiteral("--Cliente"), QStringLiteral("rossi")});
    QCOMPARE(found.exitCode, 0);
    QVERIFY(found.out.endsWith(u"Il presente elenco contiene 3 schede.\n"));
    const auto exported = runCli({QStringLiteral("export"), file, QStringLiteral("--out"),
                                  home->file(QStringLiteral("uscita.xls"))});
    QCOMPARE(exported.exitCode, 0);
    QCOMPARE(codepage::decode(home->read(QStringLiteral("uscita.xls"))).count(u"<tr>"), 5);
    // A list of another archive's cards is refused.
    QCOMPARE(runCli({QStringLiteral("list"), QStringLiteral("pagati"),
                     home->file(QStringLiteral("Clienti.arx"))})
                 .exitCode,
             2);
}

void TestDeadlineLists::calendarReadBack()
{
    Record damaged = deadline("01/01/2025 10:00", "1");
    damaged.setText(u"Data", u"00/00/2025");
    home->write(QStringLiteral("2025.sca"),
                sample() + fixture::archive({damaged, deadline("02/02/2025 00:00", "0")}));
    const QString out = home->file(QStringLiteral("agenda.ics"));
    const auto r = runCli({QStringLiteral("calendar"), home->file(QStringLiteral("2025.sca")),
                           QStringLiteral("--out"), out});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.err.contains(u"saltate"));

    // Read back with libical: one event per readable card, in file order.
    const QByteArray text = home->read(QStringLiteral("agenda.ics"));
    icalcomponent *calendar = icalparser_parse_string(text.constData());
    QVERIFY(calendar);
    QCOMPARE(icalcomponent_isa(calendar), ICAL_VCALENDAR_COMPONENT);
    QStringList uids, starts, summaries, triggers, statuses;
    for (icalcomponent *e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        uids << QString::fromUtf8(icalcomponent_get_uid(e));
        starts << QString::fromUtf8(icaltime_as_ical_string(icalcomponent_get_dtstart(e)));
        summaries << QString::fromUtf8(icalcomponent_get_summary(e));
        statuses << QString::fromUtf8(icalproperty_status_to_string(icalcomponent_get_status(e)));
        icalcomponent *alarm = icalcomponent_get_first_component(e, ICAL_VALARM_COMPONENT);
        QVERIFY(alarm);
        const icaltriggertype t =
            icalproperty_get_trigger(icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY));
        triggers << QString::number(icaldurationtype_as_int(t.duration) / 86400);
    }
    icalcomponent_free(calendar);
    QCOMPARE(uids, (QStringList{"scadenza-2025-1@pratelia", "scadenza-2025-2@pratelia",
                                "scadenza-2025-3@pratelia", "scadenza-2025-4@pratelia",
                                "scadenza-2025-6@pratelia"}));
    QCOMPARE(starts, (QStringList{"20250520T100000", "20250403T153000", "20250520T090000",
                                  "20250307T110000", "20250202"}));
    QCOMPARE(summaries.at(1), QStringLiteral("Grossi Anna - Affitto"));
    QCOMPARE(triggers, (QStringList{"-3", "0", "-10", "-2", "0"}));
    QCOMPARE(statuses.at(2), QStringLiteral("TENTATIVE"));
    QCOMPARE(statuses.at(0), QStringLiteral("CONFIRMED"));

    // The same card keeps its UID from one export to the next; the file is
    // beside the archive unless told otherwise.
    const auto again = runCli({QStringLiteral("calendar"), home->file(QStringLiteral("2025.sca"))});
    QCOMPARE(again.exitCode, 0);
    QVERIFY(home->read(QStringLiteral("Scadenze_2025.ics")).contains("UID:scadenza-2025-3@pratelia"));
    QCOMPARE(runCli({QStringLiteral("calendar"), home->file(QStringLiteral("Clienti.arx"))}).exitCode, 2);
}

QTEST_MAIN(TestDeadlineLists)
#include "test_deadlinelists.moc"
