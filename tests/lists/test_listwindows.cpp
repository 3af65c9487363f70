// The search window and the list of instalments due on the client archive:
// what they list, find in list, and what a pick writes into the opener.
#include "clientfixture.h"

#include "clients/anagrafica.h"
#include "clients/clientlistconfig.h"
#include "lists/listwindows.h"
#include "platform/testing.h"
#include "platform/texts.h"
#include "store/values.h"
#include "support/faultyfs.h"
#include "support/tempfolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <memory>

using namespace pratelia;
using namespace pratelia::lists;
using namespace pratelia::testing;

namespace {

// A bare opener holding named edit fields and labels, as the windows that
// import data have.
std::unique_ptr<QWidget> opener(const QStringList &edits, const QStringList &labels = {})
{
    auto w = std::make_unique<QWidget>();
    for (const QString &n : edits)
        (new QLineEdit(w.get()))->setObjectName(n);
    for (const QString &n : labels)
        (new QLabel(w.get()))->setObjectName(n);
    return w;
}

QString textOf(QWidget *w, const QString &name)
{
    if (auto *e = w->findChild<QLineEdit *>(name))
        return e->text();
    if (auto *l = w->findChild<QLabel *>(name))
        return l->text();
    return QStringLiteral("<missing>");
}

QStringList shownLines(ListPanel *panel)
{
    QStringList lines;
    for (int i = 0; i < panel->model()->rowCount(); ++i)
        lines << panel->model()->line(i);
    return lines;
}

QStringList surnames(ListPanel *panel)
{
    QStringList names;
    for (const QString &l : shownLines(panel))
        names << l.section(u' ', 0, 0);
    return names;
}

const Record kRossiMario = fixture::client({{"Cognome", "Rossi"}, {"Nome", "Mario"},
    {"CodFisc", "RSSMRA80A01H501U"}, {"Zona", "Rossi Srl"}, {"Iva", "01234567890"},
    {"Recapito", "333 1"}, {"Email", "m@rossi.it"}});
const Record kGrossiMarco = fixture::client({{"Cognome", "Grossi"}, {"Nome", "Marco"}});
const Record kRossiLuca = fixture::client({{"Cognome", "Rossi"}, {"Nome", "Luca"}});

} // namespace

class TestListWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void emptyCriteriaListEverythingInOrder();
    void criteriaTypedInTheWindow();
    void searchFailureShowsArchiveError();
    void findInListOnEmptyList();
    void handOverByMode_data();
    void handOverByMode();
    void identicalLinesEachLoadTheirOwnRecord();
    void pickLoadsTheListedRecord_data();
    void pickLoadsTheListedRecord();
    void lineWithLeadingBlankIsFoundAgain();
    void unknownModeWritesNothing();
    void pickFailureClosesTheWindow();
    void wholeRecordReachesTheClientCard();
    void instalmentsDueList();
    void printsTheListedLines_data();
    void printsTheListedLines();
    void unreadableRecordsAreSkippedAndCounted_data();
    void unreadableRecordsAreSkippedAndCounted();
    void instalmentsDuePickLoadsTheCard();
};

void TestListWindows::emptyCriteriaListEverythingInOrder()
{
    TempProgramFolder home;
    TestPlatform platform;
    home.write("Clienti.arx", fixture::archive({fixture::client({{"Cognome", "Verdi"}}),
                                                fixture::client({{"Cognome", "rossi"}}),
                                                fixture::client({{"Cognome", "Bianchi"}})}));
    QWidget card;
    SearchWindow w(clients::clientSearchConfig(), &card);
    w.setMode("clienti");
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!w.showingResults());
    QCOMPARE(w.focusWidget(), w.criterion(0));
    QTest::mouseClick(w.findChild<QPushButton *>("btnCerca"), Qt::LeftButton);
    QVERIFY(w.showingResults());
    QCOMPARE(surnames(w.results()), QStringList({"Bianchi", "rossi", "Verdi"}));
    QCOMPARE(w.findChild<QLabel *>("lblTrovate")->text(),
             QStringLiteral("Il presente riepilogo contiene 3 schede."));
    QCOMPARE(w.findChild<QLabel *>("lblConta")->text(), QStringLiteral("0"));
    QCOMPARE(w.focusWidget(), w.findChild<QLineEdit *>("txtTrova"));
}

void TestListWindows::criteriaTypedInTheWindow()
{
    TempProgramFolder home;
    TestPlatform platform;
    home.write("Clienti.arx", fixture::archive({kRossiMario, kGrossiMarco, kRossiLuca}));
    QWidget card;
    SearchWindow w(clients::clientSearchConfig(), &card);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::keyClicks(w.findChild<QLineEdit *>("txtCognome"), "ros");
    QTest::keyClick(w.findChild<QLineEdit *>("txtCognome"), Qt::Key_Return);
    QCOMPARE(w.focusWidget(), w.findChild<QLineEdit *>("txtNome"));
    QTest::keyClicks(w.findChild<QLineEdit *>("txtNome"), "mar");
    w.search();
    QCOMPARE(w.findChild<QLabel *>("lblConta")->text(), QStringLiteral("2"));
    const QStringList lines = shownLines(w.results());
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].startsWith("Grossi Marco"));
    QVERIFY(lines[1].startsWith("Rossi Mario"));
    // Find in list: Enter moves to Trova, Trova selects the match.
    auto *find = w.findChild<QLineEdit *>("txtTrova");
    QTest::keyClicks(find, "mario");
    QTest::keyClick(find, Qt::Key_Return);
    QCOMPARE(w.focusWidget(), w.findChild<QPushButton *>("btnTrova"));
    QTest::keyClick(w.findChild<QPushButton *>("btnTrova"), Qt::Key_Return);
    QCOMPARE(w.results()->selectedRow(), 1);
}

void TestListWindows::searchFailureShowsArchiveError()
{
    TempProgramFolder home;
    TestPlatform platform;
    home.write("Clienti.arx", fixture::archive({kRossiMario, kRossiLuca}));
    FaultyFileSystem fs;
    fs.failAt(IoStep::Read);
    QWidget card;
    SearchWindow w(clients::clientSearchConfig(), &card);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.search();
    QVERIFY(!w.showingResults());
    QCOMPARE(platform.dialogs.shown.size(), 1);
    QCOMPARE(platform.dialogs.last()->kind, MessageKind::Plain);
    QCOMPARE(platform.dialogs.lastText(), FileAccessErrorText());
    QVERIFY(!w.findChild<QLabel *>("lblAttendere")->isVisible());
}

void TestListWindows::findInListOnEmptyList()
{
    TempProgramFolder home;
    TestPlatform platform;
    QWidget card;
    SearchWindow w(clients::clientSearchConfig(), &card);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.search(); // a missing archive is an empty one
    QVERIFY(w.showingResults());
    QCOMPARE(w.findChild<QLabel *>("lblTrovate")->text(),
             QStringLiteral("Il presente riepilogo contiene 0 schede."));
    QTest::mouseClick(w.findChild<QPushButton *>("btnTrova"), Qt::LeftButton);
    QCOMPARE(platform.dialogs.lastText(),
             QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
    QCOMPARE(platform.dialogs.last()->kind, MessageKind::Plain);
}

void TestListWindows::handOverByMode_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("controls");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("tariffario") << "tariffario"
                                << QStringList{"txtPersona", "txtCodFisc", "txtRecapito", "txtEmail"}
                                << QStringList{"Rossi Mario", "RSSMRA80A01H501U", "333 1",
                                               "m@rossi.it"};
    QTest::newRow("scadenzario") << "scadenzario"
                                 << QStringList{"txtCliente", "txtCodFisc", "txtRecapito"}
                                 << QStringList{"Rossi Mario", "RSSMRA80A01H501U", "333 1"};
    QTest::newRow("servizi") << "servizi"
                             << QStringList{"txtCliente", "txtCodFisc", "txtDitta", "txtIva"}
                             << QStringList{"Rossi Mario", "RSSMRA80A01H501U", "Rossi Srl",
                                            "01234567890"};
    QTest::newRow("riepilogo") << "riepilogo" << QStringList{"txtCliente"}
                               << QStringList{"RSSMRA80A01H501U"};
    QTest::newRow("clienti")
        << "clienti"
        << QStringList{"txtCognome", "txtNome", "txtZona", "txtEmail", "txtDecorrenza",
                       "lblFile01", "lblPosizione"}
        << QStringList{"Rossi", "Mario", "Rossi Srl", "m@rossi.it", "01/01/2024", "contratto.pdf",
                       "2"};
}

void TestListWindows::handOverByMode()
{
    QFETCH(QString, mode);
    QFETCH(QStringList, controls);
    QFETCH(QStringList, values);
    TempProgramFolder home;
    TestPlatform platform;
    Record mario = kRossiMario;
    mario.setText(u"File01", u"contratto.pdf");
    home.write("Clienti.arx", fixture::archive({kRossiLuca, mario}));
    // The opener also has a field no mode writes, which must stay.
    QStringList edits = controls.filter("txt");
    edits << "txtAltro";
    auto w = opener(edits, controls.filter("lbl"));
    w->findChild<QLineEdit *>("txtAltro")->setText("invariato");
    SearchWindow s(clients::clientSearchConfig(), w.get());
    s.setMode(mode);
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    QTest::keyClicks(s.findChild<QLineEdit *>("txtNome"), "Mario");
    s.search();
    QCOMPARE(s.results()->model()->rowCount(), 1);
    const QListView *list = s.findChild<QListView *>("lstRecords");
    const QRect r = list->visualRect(s.results()->model()->index(0));
    QVERIFY2(r.isValid(), "line not laid out");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QVERIFY(!s.isVisible());
    for (int i = 0; i < controls.size(); ++i)
        QCOMPARE(textOf(w.get(), controls[i]), values[i]);
    QCOMPARE(textOf(w.get(), "txtAltro"), QStringLiteral("invariato"));
}

void TestListWindows::identicalLinesEachLoadTheirOwnRecord()
{
    TempProgramFolder home;
    TestPlatform platform;
    // Same line (name, tax code, company, contact, notes), other fields differ.
    Record first = kRossiMario, second = kRossiMario;
    first.setText(u"Email", u"primo@x.it");
    second.setText(u"Email", u"secondo@x.it");
    home.write("Clienti.arx", fixture::archive({first, kGrossiMarco, second}));
    // Equal lines stay in file order, and each row loads its own record.
    const QList<std::pair<QString, QString>> rows = {{"primo@x.it", "1"}, {"secondo@x.it", "3"}};
    for (int k = 0; k < rows.size(); ++k) {
        auto card = opener({"txtCognome", "txtEmail"}, {"lblPosizione"});
        SearchWindow s(clients::clientSearchConfig(), card.get());
        s.setMode("clienti");
        s.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s));
        s.search();
        QCOMPARE(s.results()->model()->rowCount(), 3);
        QCOMPARE(s.results()->model()->line(1), s.results()->model()->line(2));
        s.pick(1 + k);
        QCOMPARE(textOf(card.get(), "txtEmail"), rows[k].first);
        QCOMPARE(textOf(card.get(), "lblPosizione"), rows[k].second);
    }
}

void TestListWindows::pickLoadsTheListedRecord_data()
{
    QTest::addColumn<bool>("summary");
    QTest::newRow("search") << false;
    QTest::newRow("instalments due") << true;
}

void TestListWindows::pickLoadsTheListedRecord()
{
    // Two records give the same line, but only the first is selected: by its
    // category in the search, by its notice days in the list of instalments
    // due. Neither field is part of the line, and the one left out comes
    // later in the file.
    QFETCH(bool, summary);
    TempProgramFolder home;
    TestPlatform platform;
    platform.clock.setToday(QDate(2024, 5, 10));
    Record listed = fixture::client({{"Cognome", "Verdi"}, {"Nome", "Anna"}, {"Categoria", "Privato"},
                                     {"Scadenza", "15/05/2024"}, {"Preavviso", "5"}, {"Email", "listed@x.it"}});
    Record other = listed;
    other.setText(u"Categoria", u"Azienda");
    other.setText(u"Preavviso", u"4");
    other.setText(u"Email", u"other@x.it");
    // Neither listed: no category, and due at the end of the year.
    const Record neri = fixture::client({{"Cognome", "Neri"}, {"Scadenza", "31/12/2024"}});
    home.write("Clienti.arx", fixture::archive({neri, listed, other}));
    auto card = opener({"txtCognome", "txtEmail"}, {"lblPosizione"});
    std::unique_ptr<QDialog> w;
    ListPanel *results = nullptr;
    std::function<void(int)> pick;
    if (summary) {
        auto *list = new SummaryListWindow(clients::instalmentsDueConfig(), card.get());
        w.reset(list);
        list->show();
        results = list->results();
        pick = [list](int row) { list->pick(row); };
    } else {
        auto *search = new SearchWindow(clients::clientSearchConfig(), card.get());
        w.reset(search);
        search->setMode("clienti");
        search->show();
        search->findChild<QLineEdit *>("txtCategoria")->setText("priv");
        search->search();
        results = search->results();
        pick = [search](int row) { search->pick(row); };
    }
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QCOMPARE(surnames(results), QStringList({"Verdi"}));
    pick(0);
    QVERIFY(!w->isVisible());
    QCOMPARE(textOf(card.get(), "txtEmail"), QStringLiteral("listed@x.it"));
    QCOMPARE(textOf(card.get(), "lblPosizione"), QStringLiteral("2"));
}

void TestListWindows::lineWithLeadingBlankIsFoundAgain()
{
    TempProgramFolder home;
    TestPlatform platform;
    // No surname: the line starts with the blank before the name, and sorts
    // before the letters.
    const Record anna = fixture::client({{"Nome", "Anna"}, {"Email", "anna@x.it"}});
    home.write("Clienti.arx", fixture::archive({kRossiMario, anna}));
    auto card = opener({"txtNome", "txtEmail"}, {"lblPosizione"});
    SearchWindow s(clients::clientSearchConfig(), card.get());
    s.setMode("clienti");
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    s.search();
    QVERIFY(s.results()->model()->line(0).startsWith(QStringLiteral(" Anna ")));
    s.pick(0);
    QCOMPARE(textOf(card.get(), "txtEmail"), QStringLiteral("anna@x.it"));
    QCOMPARE(textOf(card.get(), "lblPosizione"), QStringLiteral("2"));
}

void TestListWindows::unknownModeWritesNothing()
{
    TempProgramFolder home;
    TestPlatform platform;
    home.write("Clienti.arx", fixture::archive({kRossiMario}));
    auto card = opener({"txtCognome", "txtCliente"}, {"lblPosizione"});
    SearchWindow s(clients::clientSearchConfig(), card.get());
    s.setMode("altro");
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    s.search();
    s.pick(0);
    QVERIFY(!s.isVisible());
    QCOMPARE(textOf(card.get(), "txtCognome"), QString());
    QCOMPARE(textOf(card.get(), "lblPosizione"), QString());
}

void TestListWindows::pickFailureClosesTheWindow()
{
    TempProgramFolder home;
    TestPlatform platform;
    home.write("Clienti.arx", fixture::archive({kRossiMario}));
    auto card = opener({"txtCliente"});
    SearchWindow s(clients::clientSearchConfig(), card.get());
    s.setMode("servizi");
    s.show();
    s.search();
    FaultyFileSystem fs;
    fs.failAt(IoStep::Open);
    s.pick(0);
    QVERIFY(fs.triggered());
    QVERIFY(!s.isVisible());
    QCOMPARE(textOf(card.get(), "txtCliente"), QString());
    QVERIFY(platform.dialogs.shown.isEmpty());
}

void TestListWindows::wholeRecordReachesTheClientCard()
{
    TempProgramFolder home;
    TestPlatform platform;
    // Every field filled, so that any control the hand-over misses shows.
    Record full(layouts::cliente());
    const RecordLayout &l = layouts::cliente();
    for (int i = 0; i < l.fieldCount(); ++i)
        full.setText(i, QStringLiteral("V%1").arg(i));
    full.setText(u"Cognome", u"Zanetti");
    full.setText(u"ProvNasc", u"FC");
    full.setText(u"ProvRes", u"RN");
    full.setText(u"Decorrenza", u"01/02/2024");
    full.setText(u"Scadenza", u"01/03/2024");
    full.setText(u"Preavviso", u"7");
    home.write("Clienti.arx", fixture::archive({kRossiLuca, full}));
    clients::TfrmAnagrafica card;
    SearchWindow s(clients::clientSearchConfig(), &card);
    s.setMode("clienti");
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    QTest::keyClicks(s.findChild<QLineEdit *>("txtCognome"), "zan");
    s.search();
    s.pick(0);
    const Record shown = card.cardRecord();
    for (int i = 0; i < l.fieldCount(); ++i)
        QCOMPARE(shown.text(i), full.text(i));
    QCOMPARE(textOf(&card, "lblPosizione"), QStringLiteral("2"));
}

void TestListWindows::instalmentsDueList()
{
    TempProgramFolder home;
    TestPlatform platform;
    platform.clock.setToday(QDate(2024, 5, 10));
    home.write("Clienti.arx",
               fixture::archive({fixture::client({{"Cognome", "Verdi"}, {"Scadenza", "15/05/2024"},
                                                  {"Preavviso", "5"}}),
                                 fixture::client({{"Cognome", "Neri"}, {"Scadenza", "15/05/2024"},
                                                  {"Preavviso", "4"}}),
                                 fixture::client({{"Cognome", "Bianchi"}, {"Scadenza", "01/05/2024"},
                                                  {"Preavviso", "0"}})}));
    QWidget card;
    SummaryListWindow w(clients::instalmentsDueConfig(), &card);
    QCOMPARE(w.objectName(), QStringLiteral("TfrmDaRinnovare"));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(surnames(w.results()), QStringList({"Bianchi", "Verdi"}));
    QCOMPARE(w.results()->selectedRow(), 0);
    QCOMPARE(w.focusWidget(), w.findChild<QLineEdit *>("txtTrova"));
}

void TestListWindows::unreadableRecordsAreSkippedAndCounted_data()
{
    // The records between Verdi (first) and Bianchi (last); each with
    // Rotto in its name cannot be judged.
    QTest::addColumn<QList<QStringList>>("middle"); // surname, due date, notice days
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("note");
    const QString one = QStringLiteral("Attenzione: 1 scheda non è stata elencata perché contiene una "
                                       "data o un numero non leggibile.");
    QTest::newRow("notice days 1ab") << QList<QStringList>{{"Rotto", "01/05/2024", "1ab"}}
                                     << QStringList{"Bianchi", "Verdi"} << one;
    QTest::newRow("notice days empty") << QList<QStringList>{{"Rotto", "01/05/2024", ""}}
                                       << QStringList{"Bianchi", "Verdi"} << one;
    QTest::newRow("due date that does not exist") << QList<QStringList>{{"Rotto", "31/02/2024", "0"}}
                                                  << QStringList{"Bianchi", "Verdi"} << one;
    QTest::newRow("two, around a sound one")
        << QList<QStringList>{{"Rotto", "xx/05/2024", "0"}, {"Neri", "01/05/2024", "3"},
                              {"Rotto", "01/05/2024", "-2"}}
        << QStringList{"Bianchi", "Neri", "Verdi"}
        << QStringLiteral("Attenzione: 2 schede non sono state elencate perché contengono una data o "
                          "un numero non leggibile.");
    QTest::newRow("none") << QList<QStringList>{} << QStringList{"Bianchi", "Verdi"} << QString();
}

void TestListWindows::unreadableRecordsAreSkippedAndCounted()
{
    QFETCH(QList<QStringList>, middle);
    QFETCH(QStringList, listed);
    QFETCH(QString, note);
    TempProgramFolder home;
    TestPlatform platform;
    platform.clock.setToday(QDate(2024, 5, 10));
    QByteArray bytes = fixture::client({{"Cognome", "Verdi"}}).bytes();
    for (const QStringList &m : middle)
        bytes += fixture::client({{"Cognome", m[0]}, {"Scadenza", m[1]}, {"Preavviso", m[2]}}).bytes();
    bytes += fixture::client({{"Cognome", "Bianchi"}}).bytes();
    home.write("Clienti.arx", bytes);
    QWidget card;
    SummaryListWindow w(clients::instalmentsDueConfig(), &card);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(surnames(w.results()), listed);
    auto *label = w.findChild<QLabel *>("lblNonLeggibili");
    QVERIFY(label);
    QCOMPARE(label->isVisible(), !note.isEmpty());
    if (!note.isEmpty())
        QCOMPARE(label->text(), note);
    QVERIFY(platform.dialogs.shown.isEmpty());
}

void TestListWindows::instalmentsDuePickLoadsTheCard()
{
    TempProgramFolder home;
    TestPlatform platform;
    Record a = fixture::client({{"Cognome", "Verdi"}, {"Nome", "Anna"}, {"Note", "prima"}});
    Record b = a;
    b.setText(u"Note", u"seconda");
    home.write("Clienti.arx", fixture::archive({a, kRossiLuca, b}));
    // Rows: Rossi Luca, then the two equal Verdi Anna lines in file order.
    const QList<std::pair<QString, QString>> rows = {{"prima", "1"}, {"seconda", "3"}};
    for (int k = 0; k < rows.size(); ++k) {
        auto card = opener({"txtCognome", "txtNome", "txtNote"}, {"lblPosizione"});
        SummaryListWindow w(clients::instalmentsDueConfig(), card.get());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.results()->model()->rowCount(), 3);
        QVERIFY(!w.findChild<QLabel *>("lblNonLeggibili")->isVisible());
        w.pick(1 + k);
        QVERIFY(!w.isVisible());
        QCOMPARE(textOf(card.get(), "txtNote"), rows[k].first);
        QCOMPARE(textOf(card.get(), "lblPosizione"), rows[k].second);
    }
}

void TestListWindows::printsTheListedLines_data()
{
    QTest::addColumn<bool>("search");
    QTest::addColumn<QString>("title");
    QTest::newRow("search") << true << "Riepilogo clienti in archivio";
    QTest::newRow("instalments due") << false << "Riepilogo rate in scadenza o scadute";
}

void TestListWindows::printsTheListedLines()
{
    QFETCH(bool, search);
    QFETCH(QString, title);
    TempProgramFolder home;
    TestPlatform platform;
    platform.printing.outputFolder = home.path();
    home.write("Clienti.arx", fixture::archive({kRossiMario, kGrossiMarco}));
    QWidget card;
    std::unique_ptr<QDialog> w;
    if (search) {
        auto *s = new SearchWindow(clients::clientSearchConfig(), &card);
        w.reset(s);
        s->show();
        s->search();
    } else {
        w = std::make_unique<SummaryListWindow>(clients::instalmentsDueConfig(), &card);
        w->show();
    }
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QTest::mouseClick(w->findChild<QPushButton *>("btnStampa"), Qt::LeftButton);
    QCOMPARE(platform.printing.jobs, QStringList{title});
    QCOMPARE(platform.printing.orientations.value(0), QPageLayout::Landscape);
    QVERIFY(QFileInfo(platform.printing.files.value(0)).size() > 0);
}

QTEST_MAIN(TestListWindows)
#include "test_listwindows.moc"
