// The windows' readers over damaged archives: the search, the export
// preview, the list of instalments due and the cards read what is there,
// never more than a record, and leave out silently what they cannot read.
#include "support/cards.h"
#include "support/tempfolder.h"

#include "clients/anagrafica.h"
#include "clients/clientlistconfig.h"
#include "deadlines/deadlinelists.h"
#include "deadlines/scadenzario.h"
#include "fees/tariffario.h"
#include "lists/exportgrid.h"
#include "lists/listwindows.h"
#include "platform/testing.h"
#include "services/servicelists.h"
#include "store/record.h"
#include "store/values.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::testing;

namespace {

const int kClientSize = 4043;

Record client(const QString &surname, const QString &due, const QString &notice)
{
    Record r(layouts::cliente());
    r.setText(u"Cognome", surname);
    r.setText(u"Nome", QStringLiteral("Anna"));
    r.setText(u"Decorrenza", QStringLiteral("01/01/2024"));
    r.setText(u"Scadenza", due);
    r.setText(u"Preavviso", notice);
    return r;
}

// Client archives as a user may find them.
QByteArray damagedClients(const QString &kind)
{
    const QByteArray sound = client(QStringLiteral("Rossi"), QStringLiteral("01/06/2024"), QStringLiteral("5")).bytes();
    if (kind == u"cut short")
        return sound + sound + sound.left(1234);
    if (kind == u"lengths over capacity") {
        QByteArray b(2 * kClientSize, 'Z');
        for (int rec = 0; rec < 2; ++rec)
            for (const Field &f : layouts::cliente().fields())
                b[rec * kClientSize + f.offset] = char(255);
        return b;
    }
    if (kind == u"random bytes") {
        QRandomGenerator gen(7);
        QByteArray b(3 * kClientSize + 99, '\0');
        for (char &c : b)
            c = char(gen.bounded(256));
        return b;
    }
    // Dates and numbers that do not parse, between sound records.
    return sound + client(QStringLiteral("Verdi"), QStringLiteral("31/02/2024"), QStringLiteral("5")).bytes()
           + client(QStringLiteral("Bianchi"), QStringLiteral("01/06/2024"), QStringLiteral("cinque")).bytes()
           + sound;
}

} // namespace

class TestDamagedWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cardsBrowseDamagedArchives_data();
    void cardsBrowseDamagedArchives();
    void clientReaders_data();
    void clientReaders();
    void instalmentsSkipUnreadableRecords();
    void serviceReaders_data();
    void serviceReaders();
    void deadlineReaders_data();
    void deadlineReaders();
    void feeFlagOtherThanYesShowsUnticked_data();
    void feeFlagOtherThanYesShowsUnticked();
};

void TestDamagedWindows::clientReaders_data()
{
    QTest::addColumn<QString>("kind");
    for (const char *k : {"cut short", "lengths over capacity", "random bytes", "dates and numbers"})
        QTest::newRow(k) << QString::fromLatin1(k);
}

void TestDamagedWindows::clientReaders()
{
    QFETCH(QString, kind);
    TempProgramFolder home;
    TestPlatform platform;
    const QByteArray bytes = damagedClients(kind);
    home.write(QStringLiteral("Clienti.arx"), bytes);
    const int complete = int(bytes.size() / kClientSize);
    clients::TfrmAnagrafica card;

    // The search with no criteria lists every complete record.
    {
        lists::SearchWindow search(clients::clientSearchConfig(), &card);
        search.setMode(QStringLiteral("clienti"));
        search.search();
        QVERIFY(platform.dialogs.shown.isEmpty());
        QVERIFY(search.showingResults());
        QCOMPARE(search.results()->model()->rowCount(), complete);
        // Picking the first line hands a record over to the card.
        search.pick(0);
        QVERIFY(!card.findChild<QLabel *>(QStringLiteral("lblPosizione"))->text().isEmpty());
    }
    // The export preview holds one row per complete record, each cell no
    // longer than what a record can hold.
    {
        lists::ExportWindow w(clients::clientExportConfig(), &card);
        w.preview();
        QCOMPARE(w.grid()->rowCount(), complete);
        for (int row = 0; row < w.grid()->rowCount(); ++row)
            for (int col = 0; col < w.grid()->columnCount(); ++col)
                QVERIFY(w.grid()->cell(row, col).size() <= 2 * 250 + 1);
        w.exportFile();
        QVERIFY(home.read(QStringLiteral("Clienti.xls")).endsWith("</html>\r\n"));
    }
    QCOMPARE(home.read(QStringLiteral("Clienti.arx")), bytes);
}

namespace {

// An archive of a card as a user may find it.
QByteArray damaged(const CardCase &card, const QString &kind)
{
    const QByteArray sound = card.archive(2);
    const int size = int(card.record(1).bytes().size());
    if (kind == u"cut short")
        return sound + card.record(3).bytes().left(size / 3);
    if (kind == u"lengths over capacity") {
        QByteArray b(2 * size, 'Z');
        for (int rec = 0; rec < 2; ++rec)
            for (const Field &f : card.record(1).layout().fields())
                b[rec * size + f.offset] = char(255);
        return b;
    }
    QRandomGenerator gen(11);
    QByteArray b(3 * size + 99, '\0');
    for (char &c : b)
        c = char(gen.bounded(256));
    return b;
}

} // namespace

void TestDamagedWindows::cardsBrowseDamagedArchives_data()
{
    QTest::addColumn<int>("card");
    QTest::addColumn<QString>("kind");
    for (int c = 0; c < registeredCards().size(); ++c)
        for (const char *k : {"cut short", "lengths over capacity", "random bytes"})
            QTest::addRow("%s/%s", qPrintable(registeredCards()[c].name), k) << c << QString::fromLatin1(k);
}

void TestDamagedWindows::cardsBrowseDamagedArchives()
{
    // Every card browses every complete record of a damaged archive without
    // a message; each field shows at most its capacity; saving is the only
    // thing that writes.
    QFETCH(int, card);
    QFETCH(QString, kind);
    const CardCase &c = registeredCards()[card];
    TempProgramFolder home;
    TestPlatform platform;
    const QByteArray bytes = damaged(c, kind);
    home.write(c.archiveName, bytes);
    const RecordLayout &layout = c.record(1).layout();
    const int complete = int(bytes.size() / layout.recordSize());
    const auto window = c.make();
    window->browse(Browse::First);
    for (int n = 1; n <= complete; ++n) {
        QCOMPARE(window->position(), n);
        const Record shown = window->cardRecord();
        const RecordView stored(&layout, bytes.constData() + qsizetype(n - 1) * layout.recordSize());
        QCOMPARE(shown.text(0), stored.text(0));
        for (int i = 0; i < layout.fieldCount(); ++i)
            QVERIFY(shown.text(i).size() <= layout.field(i).capacity);
        window->browse(Browse::Next);
    }
    QCOMPARE(window->position(), complete);
    QVERIFY(platform.dialogs.shown.isEmpty());
    QCOMPARE(home.read(c.archiveName), bytes);
}

void TestDamagedWindows::serviceReaders_data()
{
    QTest::addColumn<QString>("kind");
    for (const char *k : {"cut short", "lengths over capacity", "random bytes"})
        QTest::newRow(k) << QString::fromLatin1(k);
}

void TestDamagedWindows::serviceReaders()
{
    // The service register's search, export preview and unpaid list over a
    // damaged year's archive: every complete record, nothing more, no
    // message, and the archive left as it is.
    QFETCH(QString, kind);
    const CardCase *c = nullptr;
    for (const CardCase &cc : registeredCards())
        if (cc.name == u"service")
            c = &cc;
    QVERIFY(c);
    TempProgramFolder home;
    TestPlatform platform;
    const QByteArray bytes = damaged(*c, kind);
    home.write(c->archiveName, bytes);
    const int complete = int(bytes.size() / c->record(1).layout().recordSize());
    const auto card = c->make();
    {
        lists::SearchWindow search(services::serviceSearchConfig(), card.get());
        search.setMode(QStringLiteral("servizi"));
        search.search();
        QVERIFY(search.showingResults());
        QCOMPARE(search.results()->model()->rowCount(), complete);
        search.pick(0);
        QVERIFY(card->position() > 0);
    }
    {
        lists::ExportWindow w(services::serviceExportConfig(), card.get());
        w.preview();
        QCOMPARE(w.grid()->rowCount(), complete);
        for (int row = 0; row < w.grid()->rowCount(); ++row)
            for (int col = 0; col < w.grid()->columnCount(); ++col)
                QVERIFY(w.grid()->cell(row, col).size() <= 250);
        w.exportFile();
        QVERIFY(home.read(QStringLiteral("Servizi.xls")).endsWith("</html>\r\n"));
    }
    {
        lists::SummaryListWindow w(services::unpaidServicesConfig(), card.get());
        w.build();
        QVERIFY(w.results()->model()->rowCount() <= complete);
    }
    QCOMPARE(platform.dialogs.shown.size(), 2); // the export's two questions
    QCOMPARE(home.read(c->archiveName), bytes);
}

void TestDamagedWindows::instalmentsSkipUnreadableRecords()
{
    TempProgramFolder home;
    TestPlatform platform;
    platform.clock.setToday(QDate(2024, 5, 30));
    home.write(QStringLiteral("Clienti.arx"), damagedClients(QStringLiteral("dates and numbers")));
    QWidget card;
    lists::SummaryListWindow w(clients::instalmentsDueConfig(), &card);
    w.build();
    QVERIFY(platform.dialogs.shown.isEmpty());
    // Records 1 and 4 are due; the date of record 2 does not exist and the
    // notice days of record 3 are no number: both are left out and counted.
    QCOMPARE(w.results()->model()->rowCount(), 2);
    QCOMPARE(w.results()->model()->record(0), 1);
    QCOMPARE(w.results()->model()->record(1), 4);
    QCOMPARE(w.results()->unreadableLabel()->text(), lists::unreadableText(2));
}

void TestDamagedWindows::deadlineReaders_data()
{
    QTest::addColumn<QString>("kind");
    for (const char *k : {"cut short", "lengths over capacity", "random bytes", "dates and numbers"})
        QTest::newRow(k) << QString::fromLatin1(k);
}

void TestDamagedWindows::deadlineReaders()
{
    // Every reader of a damaged deadline archive reads what is there, never
    // more than a record, shows no message, and the views and the imminent
    // check pass over the cards whose date or notice does not read.
    QFETCH(QString, kind);
    const CardCase &c = registeredCard(QStringLiteral("deadline"));
    TempProgramFolder home;
    TestPlatform platform;
    platform.clock.setToday(QDate(2024, 12, 28));
    QByteArray bytes;
    if (kind == u"dates and numbers") {
        Record noDate = c.record(3), noNotice = c.record(3);
        noDate.setText(u"Data", u"31/02/2024");
        noNotice.setText(u"Avviso", u"cinque");
        bytes = c.record(1).bytes() + noDate.bytes() + noNotice.bytes() + c.record(3).bytes();
    } else {
        bytes = damaged(c, kind);
    }
    home.write(c.archiveName, bytes);
    const int complete = int(bytes.size() / 2318);
    const auto card = c.make();

    lists::SearchWindow search(deadlines::deadlineSearchConfig(), card.get());
    search.setMode(QStringLiteral("Scadenzario"));
    search.search();
    QCOMPARE(search.results()->model()->rowCount(), complete);
    lists::ExportWindow exporter(deadlines::deadlineExportConfig(), card.get());
    exporter.preview();
    QCOMPARE(exporter.grid()->rowCount(), complete);
    for (const lists::SummaryConfig *config :
         {&deadlines::paymentsToMakeConfig(), &deadlines::paymentsMadeConfig(),
          &deadlines::appointmentsToConfirmConfig()}) {
        lists::SummaryListWindow w(*config, card.get());
        w.build();
        QVERIFY(w.results()->model()->rowCount() <= complete);
    }
    for (deadlines::View view :
         {deadlines::View::Imminent, deadlines::View::Day, deadlines::View::Month}) {
        lists::ExportGridModel grid(deadlines::viewConfig(view).grid);
        const deadlines::ViewResult result =
            deadlines::fillView(grid, view, QDate(2024, 12, 31), true);
        QVERIFY(result.complete);
        QVERIFY(grid.rowCount() <= complete);
        for (int row = 1; row < grid.rowCount(); ++row)
            QVERIFY(grid.cell(row - 1, 20) <= grid.cell(row, 20));
        if (kind == u"dates and numbers") {
            // Only the sound card of 31 December, read after the damaged ones.
            QCOMPARE(grid.rowCount(), 1);
            QCOMPARE(grid.cell(0, 0), QStringLiteral("1"));
            QVERIFY(result.skipped >= 1);
        }
    }
    auto *window = static_cast<deadlines::TfrmScadenzario *>(card.get());
    window->checkImminent();
    if (kind == u"dates and numbers")
        QVERIFY(window->findChild<QPushButton *>(QStringLiteral("btnOK"))->isEnabled());
    QVERIFY(platform.dialogs.shown.isEmpty());
    QCOMPARE(home.read(c.archiveName), bytes);
}

void TestDamagedWindows::feeFlagOtherThanYesShowsUnticked_data()
{
    QTest::addColumn<QByteArray>("stored"); // the flag's length byte and bytes
    QTest::addColumn<bool>("ticked");       // the box before the record is shown
    QTest::addColumn<bool>("expected");
    QTest::newRow("Sì") << QByteArray("\x02S\xEC", 3) << false << true;
    QTest::newRow("No") << QByteArray("\x02No", 3) << true << false;
    QTest::newRow("si, box ticked") << QByteArray("\x02si", 3) << true << false;
    QTest::newRow("si, box clear") << QByteArray("\x02si", 3) << false << false;
    QTest::newRow("empty") << QByteArray("\x00\x00\x00", 3) << true << false;
    QTest::newRow("saved as UTF-8") << QByteArray("\x02S\xC3", 3) << false << false;
    QTest::newRow("length over capacity") << QByteArray("\xFFNo", 3) << true << false;
}

void TestDamagedWindows::feeFlagOtherThanYesShowsUnticked()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, ticked);
    QFETCH(bool, expected);
    TempProgramFolder home;
    TestPlatform platform;
    Record r(layouts::tariffa());
    r.setText(u"ID", QStringLiteral("A1"));
    QByteArray bytes = r.bytes();
    const Field &flag = layouts::tariffa().field(layouts::tariffa().require(u"TarScontata"));
    bytes.replace(flag.offset, 3, stored);
    home.write(QStringLiteral("Tariffario.arx"), bytes);
    fees::TfrmTariffario card;
    auto *box = card.findChild<QCheckBox *>(QStringLiteral("chkTarScontata"));
    QVERIFY(box);
    box->setChecked(ticked);
    card.browse(Browse::First);
    QVERIFY(platform.dialogs.shown.isEmpty());
    QCOMPARE(card.findChild<QLabel *>(QStringLiteral("lblPosizione"))->text(), QStringLiteral("1"));
    QCOMPARE(box->isChecked(), expected);
}

QTEST_MAIN(TestDamagedWindows)
#include "test_damaged_windows.moc"
