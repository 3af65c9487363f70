// The deadline window: its start panel (the year, the imminent-deadline
// signal and sound, the calendar's commands), and its card: the save
// checks in their order with the date and time they build, the bytes it
// writes, the boxes that refuse typing, Duplica, the imports, the tax code
// button, the commands that open windows and the printed card.
#include "deadlinefixture.h"

#include "support/faultyfs.h"
#include "support/tempfolder.h"
#include "support/windows.h"

#include "kit/cardprint.h"
#include "deadlines/deadlinecard.h"
#include "deadlines/scadenzario.h"
#include "fees/feelists.h"
#include "clients/clientlistconfig.h"
#include "lists/handover.h"
#include "platform/testing.h"
#include "platform/texts.h"
#include "store/recordfile.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::deadlines;
using fixture::deadline;
using kit::CardValues;
using pratelia::testing::TempProgramFolder;
using pratelia::testing::TestPlatform;

namespace {

const QString kNeeded = QStringLiteral("Attenzione: per salvare la scheda è necessario indicare ");
const QString kValidDate =
    QStringLiteral("Per poter salvare la scheda è necessario indicare una data valida.");

CardValues goodCard()
{
    CardValues c = kit::blankValues(deadlineCardSpec(), QDate(2025, 3, 1));
    c["lblAnno"] = "2025";
    c["txtGiorno"] = "05";
    c["txtMese"] = "Marzo";
    c["txtOreApp"] = "09";
    c["txtMinutiApp"] = "30";
    c["txtAvviso"] = "7";
    c["txtCliente"] = "Rossi Mario";
    c["txtDettagli"] = "Versamento F24";
    return c;
}

// The modal window the next command opens: its class name and the text of
// one of its labels; it is closed at once.
struct Opened {
    QString name;
    QString label;
};
void closeNextModal(Opened &seen, const QString &label = {})
{
    seen = {};
    QTimer::singleShot(0, [&seen, label] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen.name = dialog->objectName();
        if (!label.isEmpty())
            if (auto *l = dialog->findChild<QLabel *>(label))
                seen.label = l->text();
        dialog->done(QDialog::Rejected);
    });
}

} // namespace

class TestDeadlineCard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void saveChecksInOrder_data();
    void saveChecksInOrder();
    void flagBytesAtTheirOffsets_data();
    void flagBytesAtTheirOffsets();

    void showingStartsFromTheYear();
    void openingAYear_data();
    void openingAYear();
    void savedCardBytes();
    void newCardsGoToTheEnd();
    void duplicateForRepeatingDeadlines();
    void boxesRefuseTyping();
    void noticeDigitsAndCost();
    void imminentSignal_data();
    void imminentSignal();
    void signalRecomputedOnlyWhenShown();
    void unreadableArchiveKeepsTheSignal();
    void closingStopsTheSoundAndGoesBackToTheYear();
    void importsIntoTheCard();
    void taxCodeButtonChoosesTheCheck_data();
    void taxCodeButtonChoosesTheCheck();
    void commandsOpenTheirWindows_data();
    void commandsOpenTheirWindows();
    void printedCard();

private:
    std::unique_ptr<TempProgramFolder> home;
    std::unique_ptr<TestPlatform> platform;
    std::unique_ptr<TfrmScadenzario> window;
    QWidget *menu = nullptr;

    void show();
    void openYear(const QString &year);
    void fill(const CardValues &values);
    QString label(const char *name) { return testing::control<QLabel>(window.get(), name)->text(); }
    bool visible(const char *name) { return !testing::control(window.get(), name)->isHidden(); }
    bool okEnabled() { return testing::control<QPushButton>(window.get(), "btnOK")->isEnabled(); }
};

void TestDeadlineCard::init()
{
    home = std::make_unique<TempProgramFolder>();
    platform = std::make_unique<TestPlatform>();
    platform->clock.setToday(QDate(2025, 3, 10));
    platform->printing.outputFolder = home->path();
    menu = new QWidget;
    menu->setObjectName(QStringLiteral("TfrmAvvio"));
    kit::WindowCatalogue::instance().add(QStringLiteral("TfrmAvvio"), menu);
    window = std::make_unique<TfrmScadenzario>();
}

void TestDeadlineCard::cleanup()
{
    window.reset();
    kit::WindowCatalogue::instance().clear();
    delete menu;
    platform.reset();
    home.reset();
}

// Shows the window as the main menu does, active, so that the focus and
// what happens when a field loses it work as for the user.
void TestDeadlineCard::show()
{
    window->show();
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void TestDeadlineCard::openYear(const QString &year)
{
    window->yearEdit()->setText(year);
    window->openChosenYear();
}

void TestDeadlineCard::fill(const CardValues &values)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        if (it.key() != u"lblAnno" && it.key() != u"lblPosizione")
            window->setText(it.key(), it.value());
}

void TestDeadlineCard::saveChecksInOrder_data()
{
    QTest::addColumn<QStringList>("changes"); // control=value
    QTest::addColumn<int>("kind");            // MessageKind, -1: saved
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    const int warning = int(MessageKind::Warning);
    QTest::newRow("everything empty")
        << QStringList{"txtGiorno=", "txtMese=", "txtOreApp=", "txtMinutiApp=", "txtAvviso=",
                       "txtCliente=", "txtDettagli="}
        << warning << kNeeded + "il giorno della scadenza." << "txtGiorno";
    QTest::newRow("one-digit day") << QStringList{"txtGiorno=5"} << warning
                                   << kNeeded + "il giorno della scadenza usando due cifre."
                                   << "txtGiorno";
    QTest::newRow("month") << QStringList{"txtMese= ", "txtOreApp="} << warning
                           << kNeeded + "il mese della scadenza." << "txtMese";
    QTest::newRow("hour emptied") << QStringList{"txtOreApp=", "txtMinutiApp="} << warning
                                  << kNeeded + "l'ora dell'appuntamento." << "txtOreApp";
    QTest::newRow("minutes emptied") << QStringList{"txtMinutiApp=", "txtOreApp=9"} << warning
                                     << kNeeded + "i minuti dell'ora dell'appuntamento."
                                     << "txtMinutiApp";
    QTest::newRow("one-digit hour") << QStringList{"txtOreApp=9", "txtMinutiApp=5"} << warning
                                    << kNeeded + "l'ora dell'appuntamento usando due cifre."
                                    << "txtOreApp";
    QTest::newRow("one-digit minutes")
        << QStringList{"txtMinutiApp=5", "txtAvviso="} << warning
        << kNeeded + "i minuti dell'ora dell'appuntamento usando due cifre." << "txtMinutiApp";
    QTest::newRow("notice") << QStringList{"txtAvviso=  ", "txtCliente="} << warning
                            << kNeeded + "i giorni di preavviso." << "txtAvviso";
    QTest::newRow("client") << QStringList{"txtCliente=", "txtDettagli="} << warning
                            << kNeeded + "il nome del cliente." << "txtCliente";
    QTest::newRow("cause") << QStringList{"txtDettagli="} << warning
                           << kNeeded + "la causale della scadenza." << "txtDettagli";
    QTest::newRow("month not from the list")
        << QStringList{"txtMese=Marzolino"} << warning
        << "Attenzione: selezionare il mese dal menu a cascata." + lineBreak() + lineBreak()
               + kValidDate
        << "txtMese";
    QTest::newRow("31 April")
        << QStringList{"txtGiorno=31", "txtMese=Aprile"} << int(MessageKind::Plain)
        << "Attenzione: la data 31/04/2025 non esiste." + lineBreak() + lineBreak() + kValidDate
        << "txtGiorno";
    QTest::newRow("29 February 2025")
        << QStringList{"txtGiorno=29", "txtMese=Febbraio"} << int(MessageKind::Plain)
        << "Attenzione: la data 29/02/2025 non esiste." + lineBreak() + lineBreak() + kValidDate
        << "txtGiorno";
    QTest::newRow("29 February 2024")
        << QStringList{"txtGiorno=29", "txtMese=febbraio", "lblAnno=2024"} << -1 << "" << "";
    QTest::newRow("notice 0") << QStringList{"txtAvviso=0"} << -1 << "" << "";
    QTest::newRow("a good card") << QStringList{} << -1 << "" << "";
}

void TestDeadlineCard::saveChecksInOrder()
{
    QFETCH(QStringList, changes);
    QFETCH(int, kind);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    CardValues card = goodCard();
    card["txtCosto"] = " ";
    for (const QString &c : changes)
        card[c.section(u'=', 0, 0)] = c.section(u'=', 1);
    const std::optional<kit::SaveRefusal> refusal = refuseSave(card);
    // The cost is set before any check, saved or not.
    QCOMPARE(card.value("txtCosto"), QStringLiteral("0,00"));
    QCOMPARE(refusal.has_value(), kind >= 0);
    if (refusal) {
        QCOMPARE(int(refusal->kind), kind);
        QCOMPARE(refusal->text, message);
        QCOMPARE(refusal->focus, focus);
        return;
    }
    const QString day = card.value("txtGiorno");
    QCOMPARE(card.value("lblData"),
             day + QString::asprintf("/%02d/", monthNumber(card.value("txtMese")))
                 + card.value("lblAnno"));
    QCOMPARE(card.value("lblOra"), QStringLiteral("09:30"));
}

void TestDeadlineCard::flagBytesAtTheirOffsets_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("offset");
    QTest::newRow("appointment to confirm") << "chkDaConfermare" << 2312;
    QTest::newRow("payment made") << "chkEffettuata" << 2315;
}

void TestDeadlineCard::flagBytesAtTheirOffsets()
{
    QFETCH(QString, box);
    QFETCH(int, offset);
    for (bool ticked : {true, false}) {
        CardValues c = goodCard();
        c[box] = kit::flagText(ticked);
        const Record r = kit::recordFromValues(deadlineCardSpec(), c);
        QCOMPARE(r.bytes().size(), 2318);
        QCOMPARE(r.bytes().mid(offset, 3),
                 ticked ? QByteArray("\x02\x53\xEC", 3) : QByteArray("\x02\x4E\x6F", 3));
    }
}

void TestDeadlineCard::showingStartsFromTheYear()
{
    show();
    QVERIFY(visible("panAvvio"));
    QVERIFY(!window->showingCard());
    QCOMPARE(window->windowTitle(), QStringLiteral(" Pratelia - Scadenze e appuntamenti"));
    QCOMPARE(window->yearEdit()->text(), QStringLiteral("2025"));
    QCOMPARE(window->calendar()->selectedDate(), QDate(2025, 3, 10));
    QVERIFY(platform->dialogs.shown.isEmpty());
}

void TestDeadlineCard::openingAYear_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("opens");
    QTest::newRow("two digits") << "25" << false;
    QTest::newRow("four digits") << "2031" << true;
    QTest::newRow("year 0001") << "0001" << true;
}

void TestDeadlineCard::openingAYear()
{
    QFETCH(QString, typed);
    QFETCH(bool, opens);
    show();
    testing::editOf(window.get(), "txtAnno")->clear();
    testing::type(window.get(), "txtAnno", typed + "x/");
    QCOMPARE(window->yearEdit()->text(), typed);
    testing::press(window.get(), "btnApri");
    QCOMPARE(window->showingCard(), opens);
    if (!opens) {
        QCOMPARE(platform->dialogs.lastText(), kit::yearWarningText());
        QCOMPARE(testing::focusName(), QStringLiteral("txtAnno"));
        QCOMPARE(window->archivePath(), QString());
        return;
    }
    QVERIFY(!visible("panAvvio"));
    QCOMPARE(label("lblAnno"), typed);
    QCOMPARE(window->archivePath(), home->file(typed + ".sca"));
    QCOMPARE(window->windowTitle(), " Pratelia - Scadenze e appuntamenti anno " + typed);
    QCOMPARE(window->text("txtOreApp"), QStringLiteral("00"));
    QCOMPARE(window->text("txtCosto"), QStringLiteral("0,00"));
    QCOMPARE(window->position(), 0);
    // Opening a year reads nothing and creates nothing.
    QVERIFY(!QFile::exists(home->file(typed + ".sca")));
}

void TestDeadlineCard::savedCardBytes()
{
    show();
    openYear(QStringLiteral("2025"));
    CardValues c = goodCard();
    c["txtGiorno"] = "31";
    c["txtMese"] = "Dicembre";
    c["txtOreApp"] = "23";
    c["txtMinutiApp"] = "59";
    c["txtDettagli"] = QString(250, u'c');
    fill(c);
    window->setText("txtCosto", QString());
    testing::press(window.get(), "cmdSalva");
    QCOMPARE(platform->dialogs.lastText(),
             QStringLiteral("La scheda corrente è stata salvata in archivio."));
    QCOMPARE(window->position(), 1);
    const Record r = readRecord(home->file("2025.sca"), layout(), 1);
    QCOMPARE(r.text(u"Giorno"), QStringLiteral("31"));
    QCOMPARE(r.text(u"Mese"), QStringLiteral("Dicembre"));
    QCOMPARE(r.text(u"Anno"), QStringLiteral("2025"));
    QCOMPARE(r.text(u"Data"), QStringLiteral("31/12/2025"));
    QCOMPARE(r.text(u"Ora"), QStringLiteral("23:59"));
    QCOMPARE(r.text(u"Dettagli").size(), 250);
    QCOMPARE(r.text(u"Costo"), QStringLiteral("0,00"));
    QCOMPARE(deadlines::chronologicalKey(r.view()), QByteArray("12312359"));
    QCOMPARE(label("lblData"), QStringLiteral("31/12/2025"));
    QCOMPARE(label("lblOra"), QStringLiteral("23:59"));
    // The cause takes no 251st character.
    testing::type(window.get(), "txtDettagli", QStringLiteral("x"));
    QCOMPARE(window->text("txtDettagli").size(), 250);
}

void TestDeadlineCard::newCardsGoToTheEnd()
{
    home->write(QStringLiteral("2025.sca"), fixture::archive({
                                                deadline("10/03/2025 10:00", "0"),
                                                deadline("11/03/2025 10:00", "0"),
                                                deadline("12/03/2025 10:00", "0"),
                                            }));
    show();
    openYear(QStringLiteral("2025"));
    CardValues c = goodCard();
    c["txtGiorno"] = "01";
    c["txtMese"] = "Gennaio";
    fill(c);
    window->save();
    QCOMPARE(window->position(), 4);
    QCOMPARE(countRecords(home->file("2025.sca"), layout()), 4);
    window->browse(Browse::First);
    QCOMPARE(window->text("txtGiorno"), QStringLiteral("10"));
    // Saving again changes record 4 in place.
    window->browse(Browse::Last);
    window->setText("txtNote", QStringLiteral("rinviato"));
    window->save();
    QCOMPARE(platform->dialogs.lastText(),
             QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    QCOMPARE(readRecord(home->file("2025.sca"), layout(), 4).text(u"Note"), QStringLiteral("rinviato"));
    // Previous on record 1 and Next on the last do nothing.
    platform->dialogs.clear();
    window->browse(Browse::First);
    window->browse(Browse::Previous);
    QCOMPARE(window->position(), 1);
    window->browse(Browse::Last);
    window->browse(Browse::Next);
    QCOMPARE(window->position(), 4);
    QVERIFY(platform->dialogs.shown.isEmpty());
}

void TestDeadlineCard::duplicateForRepeatingDeadlines()
{
    show();
    openYear(QStringLiteral("2025"));
    window->duplicate();
    QCOMPARE(platform->dialogs.lastText(),
             QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che "
                            "questa è stata inserita in archivio."));
    QCOMPARE(home->read("2025.sca"), QByteArray());

    fill(goodCard());
    window->setText("chkEffettuata", QStringLiteral("Sì"));
    window->save();
    const QByteArray first = home->read(QStringLiteral("2025.sca"));
    window->duplicate();
    QCOMPARE(platform->dialogs.lastText(),
             "E' ora possibile apportare le proprie modifiche alla scheda corrente." + lineBreak()
                 + lineBreak() + "Al termine premere Salva per inserire la scheda in archivio.");
    QCOMPARE(window->position(), 0);
    QCOMPARE(window->text("txtGiorno"), QString());
    QCOMPARE(window->text("txtMese"), QString());
    QCOMPARE(window->text("txtOreApp"), QStringLiteral("00"));
    QCOMPARE(window->text("txtMinutiApp"), QStringLiteral("00"));
    QCOMPARE(window->text("txtCliente"), QStringLiteral("Rossi Mario"));
    QCOMPARE(window->text("chkEffettuata"), QStringLiteral("Sì"));
    QCOMPARE(testing::focusName(), QStringLiteral("txtGiorno"));
    window->setText("txtGiorno", QStringLiteral("05"));
    window->setText("txtMese", QStringLiteral("Aprile"));
    window->save();
    QCOMPARE(window->position(), 2);
    QCOMPARE(home->read(QStringLiteral("2025.sca")).left(2318), first);
    QCOMPARE(readRecord(home->file("2025.sca"), layout(), 2).text(u"Data"),
             QStringLiteral("05/04/2025"));
}

void TestDeadlineCard::boxesRefuseTyping()
{
    show();
    openYear(QStringLiteral("2025"));
    testing::type(window.get(), "txtGiorno", QStringLiteral("1a"));
    QCOMPARE(window->text("txtGiorno"), QString());
    window->setText("txtGiorno", QStringLiteral("12"));
    QTest::keyClick(testing::control(window.get(), "txtGiorno"), Qt::Key_Backspace);
    QCOMPARE(window->text("txtGiorno"), QString());
    testing::paste(window.get(), "txtMese", QStringLiteral("Marzolino"));
    testing::control(window.get(), "txtAvviso")->setFocus();
    QCOMPARE(window->text("txtMese"), QString());
    testing::paste(window.get(), "txtMese", QStringLiteral("Marzo"));
    testing::control(window.get(), "txtAvviso")->setFocus();
    QCOMPARE(window->text("txtMese"), QStringLiteral("Marzo"));
    // Enter walks the chain from the day to the notice.
    testing::control(window.get(), "txtGiorno")->setFocus();
    for (const char *next : {"txtMese", "txtOreApp", "txtMinutiApp", "txtAvviso", "txtCliente"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(testing::focusName(), QString::fromLatin1(next));
    }
    testing::control(window.get(), "txtNote")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(testing::focusName(), QStringLiteral("txtGiorno"));
}

void TestDeadlineCard::noticeDigitsAndCost()
{
    show();
    openYear(QStringLiteral("2025"));
    testing::type(window.get(), "txtAvviso", QStringLiteral("1x0-"));
    QCOMPARE(window->text("txtAvviso"), QStringLiteral("10"));
    testing::editOf(window.get(), "txtCosto")->clear();
    testing::type(window.get(), "txtCosto", QStringLiteral("12"));
    testing::control(window.get(), "txtSpese")->setFocus();
    QCOMPARE(window->text("txtCosto"), QStringLiteral("12,00"));
    testing::type(window.get(), "txtCodFisc", QStringLiteral("rssmra "));
    QCOMPARE(window->text("txtCodFisc"), QStringLiteral("RSSMRA"));
}

void TestDeadlineCard::imminentSignal_data()
{
    QTest::addColumn<QByteArray>("thisYear");
    QTest::addColumn<QByteArray>("nextYear"); // empty: no such archive
    QTest::addColumn<bool>("sound");          // Avviso.mp3 in the folder
    QTest::addColumn<bool>("present");
    const QByteArray none;
    QTest::newRow("15 March, notice 5")
        << fixture::archive({deadline("15/03/2025 10:00", "5")}) << none << true << true;
    QTest::newRow("15 March, notice 4")
        << fixture::archive({deadline("15/03/2025 10:00", "4")}) << none << true << false;
    QTest::newRow("9 March") << fixture::archive({deadline("09/03/2025 10:00", "60")}) << none
                             << true << false;
    QTest::newRow("today, notice 0")
        << fixture::archive({deadline("10/03/2025 00:00", "0")}) << none << true << true;
    QTest::newRow("no sound file")
        << fixture::archive({deadline("10/03/2025 00:00", "0")}) << none << false << true;
    QTest::newRow("empty archive") << QByteArray("") << none << true << false;
    QTest::newRow("next year only")
        << QByteArray("") << fixture::archive({deadline("01/01/2026 09:00", "300")}) << true
        << true;
    QTest::newRow("next year not yet")
        << QByteArray("") << fixture::archive({deadline("01/01/2026 09:00", "290")}) << true
        << false;
}

void TestDeadlineCard::imminentSignal()
{
    QFETCH(QByteArray, thisYear);
    QFETCH(QByteArray, nextYear);
    QFETCH(bool, sound);
    QFETCH(bool, present);
    home->write(QStringLiteral("2025.sca"), thisYear);
    if (!nextYear.isEmpty())
        home->write(QStringLiteral("2026.sca"), nextYear);
    if (sound)
        home->write(QStringLiteral("Avviso.mp3"), "ID3 suono");
    show();
    QCOMPARE(visible("imgPresenti"), present);
    QCOMPARE(visible("imgAssenti"), !present);
    QCOMPARE(okEnabled(), present);
    const QStringList played =
        present && sound ? QStringList{home->file("Avviso.mp3")} : QStringList{};
    QCOMPARE(platform->sound.played, played);
    QVERIFY(platform->dialogs.shown.isEmpty());
    if (nextYear.isEmpty())
        QVERIFY(!QFile::exists(home->file("2026.sca")));
}

void TestDeadlineCard::signalRecomputedOnlyWhenShown()
{
    home->write(QStringLiteral("Avviso.mp3"), "ID3 suono");
    // With no archive of this year, showing the window creates it empty.
    show();
    QVERIFY(QFile::exists(home->file("2025.sca")));
    QCOMPARE(home->read("2025.sca"), QByteArray());
    QVERIFY(!okEnabled());
    QVERIFY(visible("imgAssenti"));

    // A card saved for today does not change the signal until the window
    // is shown again; another year open on the card changes nothing.
    openYear(QStringLiteral("2025"));
    CardValues c = goodCard();
    c["txtGiorno"] = "10";
    c["txtAvviso"] = "0";
    fill(c);
    window->save();
    QVERIFY(!okEnabled());
    window->close();
    QVERIFY(menu->isVisible());
    QVERIFY(!window->isVisible());
    show();
    QVERIFY(okEnabled());
    QVERIFY(visible("imgPresenti"));
    QCOMPARE(platform->sound.played.size(), 1);
}

void TestDeadlineCard::unreadableArchiveKeepsTheSignal()
{
    home->write(QStringLiteral("2025.sca"), fixture::archive({deadline("10/03/2025 00:00", "0")}));
    show();
    QVERIFY(okEnabled());
    window->close();
    // The archive emptied by someone else cannot be read now: the signal
    // stays as it was, with no message.
    home->write(QStringLiteral("2025.sca"), QByteArray());
    testing::FaultyFileSystem fs;
    fs.failAt(IoStep::Open, 1, true);
    show();
    QVERIFY(fs.triggered());
    QVERIFY(okEnabled());
    QVERIFY(visible("imgPresenti"));
    QVERIFY(platform->dialogs.shown.isEmpty());
    fs.reset();
    window->close();
    show();
    QVERIFY(!okEnabled());
}

void TestDeadlineCard::closingStopsTheSoundAndGoesBackToTheYear()
{
    home->write(QStringLiteral("2025.sca"), fixture::archive({deadline("10/03/2025 00:00", "0")}));
    home->write(QStringLiteral("Avviso.mp3"), "ID3 suono");
    show();
    QVERIFY(platform->sound.playing);
    openYear(QStringLiteral("2024"));
    QVERIFY(window->showingCard());
    testing::press(window.get(), "cmdEsci");
    QVERIFY(!platform->sound.playing);
    QVERIFY(!window->isVisible());
    QVERIFY(menu->isVisible());
    QVERIFY(!window->showingCard());
    QCOMPARE(window->windowTitle(), QStringLiteral(" Pratelia - Scadenze e appuntamenti"));
    // imgEsci on the start panel leaves too.
    show();
    testing::press(window.get(), "imgEsci");
    QVERIFY(!window->isVisible());
}

void TestDeadlineCard::importsIntoTheCard()
{
    // The fee schedule's service and the client's data go into a stored
    // card; date, time, notice, flags and the record number stay.
    home->write(QStringLiteral("2025.sca"), fixture::archive({deadline("10/03/2025 10:00", "3"),
                                                              deadline("11/03/2025 10:00", "3")}));
    show();
    openYear(QStringLiteral("2025"));
    window->browse(Browse::Last);
    Record fee(layouts::tariffa());
    const char *feeFields[] = {"ID", "Tipologia", "Descrizione", "Uffici", "Requisiti",
                               "Documenti", "Persona", "Pagamento", "Spese", "Note"};
    for (const char *f : feeFields)
        fee.setText(QString::fromLatin1(f), QString::fromLatin1(f) + QStringLiteral(" tariffa"));
    fee.setText(u"Ordinaria", u"150,00");
    lists::handOver(window.get(), fees::feeSearchConfig().modes.value("scadenzario"), fee.view(), 9);
    for (const char *f : feeFields) {
        const QString expected = QLatin1String(f) == QLatin1String("Note")
                                     ? QString()
                                     : QString::fromLatin1(f) + QStringLiteral(" tariffa");
        QCOMPARE(window->text(QStringLiteral("txt") + QLatin1String(f)), expected);
    }
    QCOMPARE(window->text("txtCosto"), QStringLiteral("150,00"));
    Record client(layouts::cliente());
    client.setText(u"Cognome", u"Verdi");
    client.setText(u"Nome", u"Anna");
    client.setText(u"CodFisc", u"VRDNNA80A41H501X");
    client.setText(u"Recapito", u"333 123456");
    lists::handOver(window.get(), clients::clientSearchConfig().modes.value("scadenzario"),
                    client.view(), 7);
    QCOMPARE(window->text("txtCliente"), QStringLiteral("Verdi Anna"));
    QCOMPARE(window->text("txtCodFisc"), QStringLiteral("VRDNNA80A41H501X"));
    QCOMPARE(window->text("txtRecapito"), QStringLiteral("333 123456"));
    QCOMPARE(window->position(), 2);
    QCOMPARE(window->text("txtGiorno"), QStringLiteral("11"));
    window->save();
    const Record saved = readRecord(home->file("2025.sca"), layout(), 2);
    QCOMPARE(saved.text(u"Descrizione"), QStringLiteral("Descrizione tariffa"));
    QCOMPARE(saved.text(u"Cliente"), QStringLiteral("Verdi Anna"));
    QCOMPARE(countRecords(home->file("2025.sca"), layout()), 2);
}

void TestDeadlineCard::taxCodeButtonChoosesTheCheck_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("check");
    QTest::newRow("all digits") << "01234567890" << "TfrmPartitaIva";
    QTest::newRow("empty") << "" << "TfrmCodFisc";
    QTest::newRow("tax code") << "RSSMRA80A01H501U" << "TfrmCodFisc";
}

void TestDeadlineCard::taxCodeButtonChoosesTheCheck()
{
    QFETCH(QString, code);
    QFETCH(QString, check);
    show();
    openYear(QStringLiteral("2025"));
    window->setText("txtCodFisc", code);
    Opened opened;
    closeNextModal(opened);
    testing::press(window.get(), "btnCodFisc");
    QCOMPARE(opened.name, check);
}

void TestDeadlineCard::commandsOpenTheirWindows_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::newRow("search") << "cmdTrova" << "TfrmTrovaScadenzario" << "lblMemory" << "Scadenzario";
    QTest::newRow("fee import") << "cmdImporta" << "TfrmTrovaTariffario" << "lblMemory"
                                << "scadenzario";
    QTest::newRow("client import") << "impPersona" << "TfrmTrovaClienti" << "lblMemory"
                                   << "scadenzario";
    QTest::newRow("export") << "cmdEsporta" << "TfrmExpScadenzario" << "" << "";
    QTest::newRow("payments to make") << "cmdDaEffettuare" << "TfrmConfermati" << "" << "";
    QTest::newRow("payments made") << "cmdEffettuate" << "TfrmNonConfermati" << "" << "";
    QTest::newRow("to confirm") << "cmdDaConfermare" << "TfrmDaConfermare" << "" << "";
    QTest::newRow("help") << "cmdGuida" << "TfrmGuida" << "lblTitolo"
                          << "Applicazione Scadenze e Appuntamenti.";
    QTest::newRow("start help") << "imgGuida" << "TfrmGuida" << "lblTitolo"
                                << "Applicazione Scadenze e Appuntamenti.";
    QTest::newRow("day") << "btnGiorno" << "TfrmExpGiornaliere" << "" << "";
    QTest::newRow("month") << "btnMese" << "TfrmExpMensili" << "" << "";
}

void TestDeadlineCard::commandsOpenTheirWindows()
{
    QFETCH(QString, command);
    QFETCH(QString, opened);
    QFETCH(QString, label);
    QFETCH(QString, text);
    show();
    if (command.startsWith(u"cmd") || command == u"impPersona")
        openYear(QStringLiteral("2025"));
    fill(goodCard());
    const CardValues before = window->values();
    Opened seen;
    closeNextModal(seen, label);
    testing::press(window.get(), command);
    QCOMPARE(seen.name, opened);
    QCOMPARE(seen.label, text);
    QCOMPARE(window->values(), before);
}

void TestDeadlineCard::printedCard()
{
    show();
    openYear(QStringLiteral("2025"));
    fill(goodCard());
    window->setText("txtCosto", QStringLiteral("12,50"));
    window->setText("chkDaConfermare", QStringLiteral("Sì"));
    const kit::CardPrint &print = deadlineCardPrint();
    QCOMPARE(print.title, QStringLiteral("SCHEDA SCADENZA / APPUNTAMENTO"));
    QCOMPARE(print.rows.size(), 24);
    QCOMPARE(kit::printedValue(window.get(), print.rows[0]), QStringLiteral("05 Marzo 2025"));
    QCOMPARE(kit::printedValue(window.get(), print.rows[1]), QStringLiteral("09:30"));
    QCOMPARE(kit::printedValue(window.get(), print.rows[2]), QStringLiteral("7"));
    QCOMPARE(print.rows[8].caption, QStringLiteral("Descrizione"));
    QCOMPARE(kit::printedValue(window.get(), print.rows[15]), QStringLiteral("12,50"));
    QCOMPARE(kit::printedValue(window.get(), print.rows[18]), QStringLiteral("Sì"));
    QCOMPARE(kit::printedValue(window.get(), print.rows[19]), QStringLiteral("No"));
    for (int k = 20; k < 24; ++k) {
        QCOMPARE(print.rows[k].caption, QStringLiteral(" "));
        QCOMPARE(kit::printedValue(window.get(), print.rows[k]), QStringLiteral(" "));
    }
    // Printing writes nothing into the archive and prints at once.
    testing::press(window.get(), "cmdStampa");
    QCOMPARE(platform->printing.jobs, QStringList{QStringLiteral("Scheda Scadenza")});
    QVERIFY(!QFile::exists(home->file("2025.sca")) || home->read("2025.sca").isEmpty());
}

QTEST_MAIN(TestDeadlineCard)
#include "test_deadlinecard.moc"
