// The card layer on a card made for the test: a yearly card with every kind
// of field, built from its description. What every card gets from the layer
// is checked once here: the controls the table asks for and their limits,
// a new card, the save checks and what they derive, append and update, the
// hooks, Duplica, the radio buttons, the choice box, the date field's keys,
// the mail link.
#include "support/faultyfs.h"
#include "support/tempfolder.h"
#include "support/windows.h"

#include "kit/card.h"
#include "platform/testing.h"
#include "platform/texts.h"
#include "store/layout.h"
#include "store/recordfile.h"
#include "store/values.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::kit;
using namespace pratelia::testing;

namespace {

QVector<CardField> testFields()
{
    return QVector<CardField>{
               radioField("Tipologia", "fraTipologia",
                          {"optEntrata=In entrata", "optUscita=In uscita", "optInterna=Interna"}),
               editField("Numero", "N.:", DigitsOnly).looks(Centred | Bold),
               dateField("DataReg", "Data:", "datareg", "Premi un tasto per il calendario."),
               listField("Ufficio", "Ufficio:", {"Sede", "Filiale"}, true).input(UpperTyped),
               listField("Formato", "Formato:", {"A4", "Lettera"}, false),
               checkField("Pagine", "Urgente"),
               editField("Oggetto", "Oggetto:", TrimTyped),
               editField("Note", "Note:").typingLimit(10),
               editField("Mittente", "Indirizzo:"),
               editField("Copia", "Copia:").looks(Clearable),
               hiddenField("Categoria")}
           + attachmentFields();
}

QVector<CardCommand> testCommands()
{
    QVector<CardCommand> c{sharedCommand("cmdNuovo"), sharedCommand("cmdSalva"),
                           barCommand("cmdDuplica", "Duplica", "duplica", "Duplica.")};
    c += browseCommands();
    c += {sharedCommand("cmdGuida"), sharedCommand("cmdEsci"), sharedCommand("btnEmail"),
          buttonCommand("btnSfoglia", "Sfoglia...", "Sfoglia."),
          buttonCommand("btnApri", "Apri", "Apri."),
          besideCommand("imgCancella01", "Cancella", "cancella", "Cancella.")};
    return c;
}

CardSpec testSpec()
{
    return CardSpec{
        .objectName = QStringLiteral("TfrmProva"),
        .caption = QStringLiteral(" Prova"),
        .restText = QStringLiteral("Pronto per archiviare una nuova scheda..."),
        .layout = &layouts::protocollo(),
        .fields = testFields(),
        .commands = testCommands(),
        .body = {{{{{"Documento", "fraDocumento",
                     {{{"fraTipologia"}},
                      {{"txtNumero", 120}, {"txtDataReg", 100}},
                      {{"txtUfficio"}, {"txtFormato", 90}, {"chkPagine"}},
                      {{"txtOggetto"}},
                      {{"txtNote"}},
                      {{"txtMittente"}, {"btnEmail"}},
                      {{"txtCopia"}, {"btnSfoglia"}, {"btnApri"}, {"imgCancella01"}}}}}}}},
        .blank = {blankToday("txtDataReg"), blankKeep("txtUfficio"), blankText("txtFormato", "A4")},
        .newFocus = QStringLiteral("txtNumero"),
        // The save derives the category from the object, and refuses a card
        // without a number or a kind.
        .refuseSave = [](CardValues &v) -> std::optional<SaveRefusal> {
            v.insert(QStringLiteral("lblCategoria"), v.value(QStringLiteral("txtOggetto")).left(3));
            if (trimText(v.value(QStringLiteral("txtNumero"))).isEmpty())
                return SaveRefusal{MessageKind::Warning, neededToSave(QStringLiteral("il numero.")),
                                   QStringLiteral("txtNumero")};
            if (v.value(QStringLiteral("fraTipologia")).isEmpty())
                return SaveRefusal{MessageKind::Plain, QStringLiteral("Manca la tipologia."),
                                   QStringLiteral("optEntrata")};
            return std::nullopt;
        },
        .duplicateResets = {"txtNumero", "txtDataReg", "lblFile01"},
        .duplicateFocus = QStringLiteral("txtOggetto"),
        .duplicateOpensArchive = true,
        .documentField = QStringLiteral("txtCopia"),
        .mailField = QStringLiteral("txtMittente"),
    };
}

// A card whose appended record takes the number it lands on.
class NumberingCard : public CardWindow {
public:
    NumberingCard() : CardWindow(testSpec()) {}
    bool refuse = false;
    QList<int> landed;

protected:
    bool confirmSave(const CardValues &) override { return !refuse; }
    void completeAppend(Record &record, int number) override
    {
        landed << number;
        record.setText(u"Numero", QString::number(100 + number));
    }
};

struct Fixture {
    TempProgramFolder home;
    TestPlatform platform;
    NumberingCard card;
    QString archive;
    Fixture()
    {
        archive = home.file(QStringLiteral("2024.prt"));
        card.setText(QStringLiteral("lblFile"), archive);
        card.show();
        QApplication::setActiveWindow(&card);
    }
    void fill()
    {
        card.setText(QStringLiteral("txtNumero"), QStringLiteral("7"));
        card.setText(QStringLiteral("fraTipologia"), QStringLiteral("In uscita"));
        card.setText(QStringLiteral("txtOggetto"), QStringLiteral("Richiesta documenti"));
    }
    int records() const { return countRecords(archive, layouts::protocollo()); }
};

} // namespace

class TestCard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controlsFromTheTable();
    void newCard();
    void saveChecksAndWhatTheyDerive();
    void appendThenUpdate();
    void hooksOfTheSave();
    void yearlyCardWithoutAYear();
    void duplicate();
    void radioButtons();
    void choiceBoxRefusesTyping();
    void dateFieldKeys_data();
    void dateFieldKeys();
    void mailLinkKeepsTheAddressInItsPath();
};

void TestCard::controlsFromTheTable()
{
    Fixture f;
    QCOMPARE(f.card.objectName(), QStringLiteral("TfrmProva"));
    QCOMPARE(control<QLineEdit>(&f.card, QStringLiteral("txtNumero"))->maxLength(), 16);
    QCOMPARE(control<QLineEdit>(&f.card, QStringLiteral("txtOggetto"))->maxLength(), 250);
    QVERIFY(control<QLineEdit>(&f.card, QStringLiteral("txtDataReg"))->isReadOnly());
    QVERIFY(control<QLineEdit>(&f.card, QStringLiteral("txtCopia"))->isReadOnly());
    QVERIFY(control<QLabel>(&f.card, QStringLiteral("lblFile01"))->isHidden());
    QVERIFY(control<QLabel>(&f.card, QStringLiteral("lblCategoria"))->isHidden());
    QVERIFY(control<QLabel>(&f.card, QStringLiteral("lblFile"))->isHidden());
    QCOMPARE(control<QRadioButton>(&f.card, QStringLiteral("optUscita"))->text(), QStringLiteral("In uscita"));
    QCOMPARE(control<QComboBox>(&f.card, QStringLiteral("txtFormato"))->count(), 2);
    QVERIFY(f.card.findChild<QObject *>(QStringLiteral("effNumero"))); // its focus frame
    // The typing limit holds for typed and pasted text; the program may
    // put a longer text there.
    paste(&f.card, QStringLiteral("txtNote"), QStringLiteral("0123456789abcdef"));
    QCOMPARE(f.card.text(QStringLiteral("txtNote")), QStringLiteral("0123456789"));
    f.card.setText(QStringLiteral("txtNote"), QStringLiteral("0123456789abcdef"));
    QCOMPARE(f.card.text(QStringLiteral("txtNote")), QStringLiteral("0123456789abcdef"));
    paste(&f.card, QStringLiteral("txtNumero"), QStringLiteral("n. 12/b"));
    QCOMPARE(f.card.text(QStringLiteral("txtNumero")), QStringLiteral("12"));
    type(&f.card, QStringLiteral("txtUfficio"), QStringLiteral("sede"));
    QCOMPARE(f.card.text(QStringLiteral("txtUfficio")), QStringLiteral("SEDE"));
    QCOMPARE(control<QLabel>(&f.card, QStringLiteral("panInfo"))->text(),
             QStringLiteral("Pronto per archiviare una nuova scheda..."));
}

void TestCard::newCard()
{
    Fixture f;
    f.fill();
    f.card.setText(QStringLiteral("txtUfficio"), QStringLiteral("FILIALE"));
    f.card.setText(QStringLiteral("chkPagine"), QStringLiteral("Sì"));
    f.card.setText(QStringLiteral("lblFile02"), QStringLiteral("lettera.pdf"));
    f.card.setPosition(3);
    press(&f.card, QStringLiteral("cmdNuovo"));
    QCOMPARE(f.card.position(), 0);
    QCOMPARE(f.card.text(QStringLiteral("txtNumero")), QString());
    QCOMPARE(f.card.text(QStringLiteral("txtDataReg")), QStringLiteral("10/05/2024"));
    QCOMPARE(f.card.text(QStringLiteral("txtUfficio")), QStringLiteral("FILIALE")); // kept
    QCOMPARE(f.card.text(QStringLiteral("txtFormato")), QStringLiteral("A4"));
    QCOMPARE(f.card.text(QStringLiteral("chkPagine")), QStringLiteral("No"));
    QCOMPARE(f.card.text(QStringLiteral("fraTipologia")), QString());
    QCOMPARE(f.card.text(QStringLiteral("lblFile02")), QString());
    QCOMPARE(f.card.text(QStringLiteral("lblFile")), f.archive); // the year stays open
    QCOMPARE(focusName(), QStringLiteral("txtNumero"));
}

void TestCard::saveChecksAndWhatTheyDerive()
{
    Fixture f;
    f.card.setText(QStringLiteral("txtOggetto"), QStringLiteral("Lettera"));
    press(&f.card, QStringLiteral("cmdSalva"));
    QCOMPARE(f.platform.dialogs.shown.size(), 1);
    QCOMPARE(f.platform.dialogs.last()->kind, MessageKind::Warning);
    QCOMPARE(f.platform.dialogs.lastText(),
             QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il numero."));
    QCOMPARE(focusName(), QStringLiteral("txtNumero"));
    // What the check derived reached the card, though nothing was saved.
    QCOMPARE(f.card.text(QStringLiteral("lblCategoria")), QStringLiteral("Let"));
    QVERIFY(!QFile::exists(f.archive));

    f.card.setText(QStringLiteral("txtNumero"), QStringLiteral("7"));
    press(&f.card, QStringLiteral("cmdSalva"));
    QCOMPARE(f.platform.dialogs.last()->kind, MessageKind::Plain);
    QCOMPARE(focusName(), QStringLiteral("optEntrata"));
    QVERIFY(!QFile::exists(f.archive));
}

void TestCard::appendThenUpdate()
{
    Fixture f;
    f.fill();
    f.card.setText(QStringLiteral("chkPagine"), QStringLiteral("Sì"));
    press(&f.card, QStringLiteral("cmdSalva"));
    QCOMPARE(f.platform.dialogs.lastText(), QStringLiteral("La scheda corrente è stata inserita in archivio."));
    QCOMPARE(f.card.position(), 1);
    QCOMPARE(f.records(), 1);
    Record saved = readRecord(f.archive, layouts::protocollo(), 1);
    QCOMPARE(saved.text(u"Tipologia"), QStringLiteral("In uscita"));
    QCOMPARE(saved.text(u"Pagine"), QStringLiteral("Sì"));
    QCOMPARE(saved.text(u"Categoria"), QStringLiteral("Ric"));
    QCOMPARE(saved.text(u"Formato"), QStringLiteral("A4"));

    f.card.setText(QStringLiteral("txtOggetto"), QStringLiteral("Sollecito"));
    press(&f.card, QStringLiteral("cmdSalva"));
    QCOMPARE(f.platform.dialogs.lastText(),
             QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    QCOMPARE(f.records(), 1);
    saved = readRecord(f.archive, layouts::protocollo(), 1);
    QCOMPARE(saved.text(u"Oggetto"), QStringLiteral("Sollecito"));
    // Updating never goes through the append hook.
    QCOMPARE(f.card.landed, QList<int>{1});
}

void TestCard::hooksOfTheSave()
{
    Fixture f;
    appendRecord(f.archive, Record(layouts::protocollo()));
    appendRecord(f.archive, Record(layouts::protocollo()));
    f.fill();
    f.card.refuse = true;
    press(&f.card, QStringLiteral("cmdSalva"));
    QCOMPARE(f.records(), 2);
    QVERIFY(f.platform.dialogs.shown.isEmpty());
    f.card.refuse = false;
    press(&f.card, QStringLiteral("cmdSalva"));
    // The record was completed with the number it landed on, under the lock.
    QCOMPARE(f.card.landed, QList<int>{3});
    QCOMPARE(readRecord(f.archive, layouts::protocollo(), 3).text(u"Numero"), QStringLiteral("103"));
    QCOMPARE(f.card.position(), 3);
}

void TestCard::yearlyCardWithoutAYear()
{
    Fixture f;
    f.card.setText(QStringLiteral("lblFile"), QString());
    f.fill();
    press(&f.card, QStringLiteral("cmdSalva"));
    QCOMPARE(f.platform.dialogs.last()->kind, MessageKind::Error);
    QCOMPARE(f.platform.dialogs.lastText(), FileAccessErrorText());
    press(&f.card, QStringLiteral("cmdPrimo"));
    QCOMPARE(f.platform.dialogs.lastText(), FileAccessErrorText());
    QCOMPARE(f.card.position(), 0);
}

void TestCard::duplicate()
{
    Fixture f;
    press(&f.card, QStringLiteral("cmdDuplica"));
    QCOMPARE(f.platform.dialogs.lastText(),
             QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che "
                            "questa è stata inserita in archivio."));
    f.fill();
    f.card.setText(QStringLiteral("txtDataReg"), QStringLiteral("01/01/2024"));
    f.card.setText(QStringLiteral("lblFile01"), QStringLiteral("a.pdf"));
    f.card.setText(QStringLiteral("lblFile02"), QStringLiteral("b.pdf"));
    f.card.setPosition(4);
    {
        // The archive it opens cannot be reached: nothing changes.
        FaultyFileSystem faulty;
        faulty.failAt(IoStep::Open, 1, true);
        press(&f.card, QStringLiteral("cmdDuplica"));
        QCOMPARE(f.platform.dialogs.lastText(), FileAccessErrorText());
        QCOMPARE(f.card.position(), 4);
    }
    press(&f.card, QStringLiteral("cmdDuplica"));
    QCOMPARE(f.platform.dialogs.last()->kind, MessageKind::Information);
    QCOMPARE(f.card.position(), 0);
    QCOMPARE(f.card.text(QStringLiteral("txtNumero")), QString());
    QCOMPARE(f.card.text(QStringLiteral("txtDataReg")), QStringLiteral("10/05/2024"));
    QCOMPARE(f.card.text(QStringLiteral("lblFile01")), QString());
    QCOMPARE(f.card.text(QStringLiteral("lblFile02")), QStringLiteral("b.pdf"));
    QCOMPARE(f.card.text(QStringLiteral("txtOggetto")), QStringLiteral("Richiesta documenti"));
    QCOMPARE(f.card.text(QStringLiteral("fraTipologia")), QStringLiteral("In uscita"));
    QCOMPARE(focusName(), QStringLiteral("txtOggetto"));
    QVERIFY(QFile::exists(f.archive)); // opened, so created
}

void TestCard::radioButtons()
{
    Fixture f;
    Record r(layouts::protocollo());
    r.setText(u"Tipologia", u"Interna");
    f.card.showRecord(r, 1);
    QVERIFY(control<QRadioButton>(&f.card, QStringLiteral("optInterna"))->isChecked());
    QCOMPARE(f.card.cardRecord().text(u"Tipologia"), QStringLiteral("Interna"));
    // A kind that is none of the three leaves the buttons as they were.
    r.setText(u"Tipologia", u"interna ");
    f.card.showRecord(r, 2);
    QVERIFY(control<QRadioButton>(&f.card, QStringLiteral("optInterna"))->isChecked());
    r.setText(u"Tipologia", u"Posta");
    f.card.showRecord(r, 3);
    QVERIFY(control<QRadioButton>(&f.card, QStringLiteral("optInterna"))->isChecked());
    press(&f.card, QStringLiteral("cmdNuovo"));
    for (const char *b : {"optEntrata", "optUscita", "optInterna"})
        QVERIFY(!control<QRadioButton>(&f.card, QLatin1String(b))->isChecked());
}

void TestCard::choiceBoxRefusesTyping()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.card));
    auto *box = control<QComboBox>(&f.card, QStringLiteral("txtFormato"));
    type(&f.card, QStringLiteral("txtFormato"), QStringLiteral("Busta 7"));
    QCOMPARE(box->currentText(), QStringLiteral("A4"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->currentText(), QString());
    QTest::keyClick(box, Qt::Key_Down); // the list is still reachable by keyboard
    QVERIFY(!box->currentText().isEmpty());
    // A text that is not in the list goes when the box is left.
    paste(&f.card, QStringLiteral("txtFormato"), QStringLiteral("Busta"));
    QCOMPARE(box->currentText(), QStringLiteral("Busta"));
    control(&f.card, QStringLiteral("txtOggetto"))->setFocus();
    QCOMPARE(box->currentText(), QString());
    box->setCurrentIndex(1);
    QCOMPARE(f.card.text(QStringLiteral("txtFormato")), QStringLiteral("Lettera"));
}

void TestCard::dateFieldKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("picker");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("focus");
    QTest::newRow("letter opens the picker") << int(Qt::Key_A) << 0 << true << "10/05/2024" << "txtDataReg";
    QTest::newRow("Enter opens the picker") << int(Qt::Key_Return) << 0 << true << "10/05/2024" << "txtDataReg";
    QTest::newRow("Backspace empties") << int(Qt::Key_Backspace) << 0 << false << "" << "txtDataReg";
    QTest::newRow("Delete empties") << int(Qt::Key_Delete) << 0 << false << "" << "txtDataReg";
    QTest::newRow("Tab moves on") << int(Qt::Key_Tab) << 0 << false << "01/01/2020" << "txtUfficio";
    QTest::newRow("Shift+Tab moves back") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << false
                                          << "01/01/2020" << "txtNumero";
    QTest::newRow("Shift alone") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << false << "01/01/2020"
                                 << "txtDataReg";
    QTest::newRow("Alt alone") << int(Qt::Key_Alt) << int(Qt::AltModifier) << false << "01/01/2020"
                               << "txtDataReg";
}

void TestCard::dateFieldKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, picker);
    QFETCH(QString, text);
    QFETCH(QString, focus);
    Fixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.card));
    auto *date = control<QLineEdit>(&f.card, QStringLiteral("txtDataReg"));
    date->setText(QStringLiteral("01/01/2020"));
    date->setFocus();
    bool opened = false;
    QString mode;
    onNextModal([&](QWidget *w) {
        mode = control<QLabel>(w, QStringLiteral("lblMemory"))->text();
        press(w, QStringLiteral("btnImportaData"));
    }, &opened);
    QTest::keyClick(date, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTest::qWait(20);
    QCOMPARE(opened, picker);
    if (picker)
        QCOMPARE(mode, QStringLiteral("datareg"));
    QCOMPARE(date->text(), text);
    QCOMPARE(focusName(), focus);
}

void TestCard::mailLinkKeepsTheAddressInItsPath()
{
    Fixture f;
    f.card.setText(QStringLiteral("txtMittente"), QStringLiteral("a@b.it?subject=Ciao&bcc=x@y.it"));
    press(&f.card, QStringLiteral("btnEmail"));
    QCOMPARE(f.platform.shell.opened.size(), 1);
    const QUrl link = f.platform.shell.opened.first();
    QCOMPARE(link.scheme(), QStringLiteral("mailto"));
    QVERIFY(!link.hasQuery());
    QCOMPARE(link.path(), QStringLiteral("a@b.it?subject=Ciao&bcc=x@y.it"));
}

QTEST_MAIN(TestCard)
#include "test_card.moc"
