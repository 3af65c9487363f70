// The client card driven as a user drives it: typing, Enter, the command
// pictures, the archive it writes and reads back.
#include "clients/anagrafica.h"
#include "kit/conventions.h"
#include "kit/attachments.h"
#include "lists/handover.h"
#include "support/faultyfs.h"
#include "platform/testing.h"
#include "platform/texts.h"
#include "store/recordfile.h"
#include "store/values.h"
#include "support/tempfolder.h"
#include "support/windows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEnterEvent>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace pratelia;
using namespace pratelia::clients;
using pratelia::testing::FaultyFileSystem;
using pratelia::testing::TempProgramFolder;
using pratelia::testing::TestPlatform;

Q_DECLARE_METATYPE(pratelia::MessageKind)
Q_DECLARE_METATYPE(pratelia::IoStep)

namespace {

const QString kBreaks = QStringLiteral("\n\r\n\r");

// The card's edit fields in their Enter order with the number of
// characters each takes.
const QList<QPair<QString, int>> kEditFields = {
    {"Cognome", 50},     {"Nome", 50},         {"CodFisc", 16},   {"Sesso", 1},
    {"DataNasc", 10},    {"ComuneNasc", 50},   {"ProvNasc", 2},   {"Iva", 11},
    {"Indirizzo", 50},   {"Cap", 5},           {"ComuneRes", 50}, {"ProvRes", 2},
    {"Stato", 50},       {"Familiari", 250},   {"Recapito", 50},  {"TelCasa", 50},
    {"TelCel", 50},      {"TelUff", 50},       {"Fax", 50},       {"Email", 50},
    {"Qualifiche", 250}, {"Professione", 50},  {"Iban", 27},      {"Intestatario", 50},
    {"Banca", 50},       {"Carta", 50},        {"ScadeCarta", 10}, {"Prodotti", 250},
    {"Pagamento", 120},  {"Note", 250},        {"TipoDoc", 50},   {"NumDoc", 50},
    {"EnteRil", 50},     {"DataRil", 10},      {"DataSca", 10},   {"Codice", 30},
    {"Categoria", 50},   {"Zona", 50},         {"Acquisto", 50},  {"Decorrenza", 10},
    {"Scadenza", 10},    {"Preavviso", 3},     {"Totale", 15},    {"Frazionamento", 50},
    {"Rata", 15},
};
const QStringList kHiddenFields = {"File01", "File02", "File03", "Desc01", "Desc02", "Desc03"};

// Runs `act` on the modal window that the next command opens.
void onNextModal(std::function<void(QWidget *)> act, bool *ran = nullptr)
{
    QTimer::singleShot(0, [act, ran] {
        QWidget *w = QApplication::activeModalWidget();
        if (ran)
            *ran = w != nullptr;
        if (w)
            act(w);
    });
}

void clickChild(QWidget *w, const QString &name)
{
    auto *b = w->findChild<QAbstractButton *>(name);
    QVERIFY2(b, qPrintable(name));
    QVERIFY2(b->isEnabled(), qPrintable(name + " is disabled"));
    b->click();
}

Record clientRecord(const QString &surname, const QString &name, int n)
{
    Record r(layouts::cliente());
    r.setText(QStringLiteral("Cognome"), surname);
    r.setText(QStringLiteral("Nome"), name);
    r.setText(QStringLiteral("ProvRes"), QStringLiteral("RM"));
    r.setText(QStringLiteral("Decorrenza"), QStringLiteral("01/01/2024"));
    r.setText(QStringLiteral("Scadenza"), QStringLiteral("01/02/2024"));
    r.setText(QStringLiteral("Preavviso"), QString::number(n));
    r.setText(QStringLiteral("Totale"), QStringLiteral("100,00"));
    r.setText(QStringLiteral("Rata"), QStringLiteral("10,00"));
    r.setText(QStringLiteral("File01"), QStringLiteral("doc%1.pdf").arg(n));
    r.setText(QStringLiteral("Desc03"), QStringLiteral("descrizione %1").arg(n));
    return r;
}

// The records of the client archive as pratelia-cli prints them.
QList<QJsonObject> dumpClients(const TempProgramFolder &folder)
{
    const auto r = pratelia::testing::runCli(
        {QStringLiteral("dump"), folder.file(QStringLiteral("Clienti.arx"))});
    if (r.exitCode != 0)
        qWarning("dump failed: %s", qPrintable(r.err));
    QList<QJsonObject> out;
    for (const QString &line : r.out.split(u'\n', Qt::SkipEmptyParts))
        out << QJsonDocument::fromJson(line.toUtf8()).object();
    return out;
}

} // namespace

class TestClientCard : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<TestPlatform> m_platform;
    std::unique_ptr<TfrmAnagrafica> m_card;

    QString archive() const { return m_folder->file(QStringLiteral("Clienti.arx")); }
    QWidget *control(const QString &name) const
    {
        QWidget *w = m_card->findChild<QWidget *>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    QLineEdit *edit(const QString &name) const
    {
        QWidget *w = control(name);
        if (auto *box = qobject_cast<QComboBox *>(w))
            return box->lineEdit();
        return qobject_cast<QLineEdit *>(w);
    }
    QString text(const QString &name) const
    {
        QWidget *w = control(name);
        if (auto *l = qobject_cast<QLabel *>(w))
            return l->text();
        return edit(name)->text();
    }
    void set(const QString &name, const QString &value)
    {
        QWidget *w = control(name);
        if (auto *l = qobject_cast<QLabel *>(w))
            l->setText(value);
        else
            edit(name)->setText(value);
    }
    QString position() const { return text(QStringLiteral("lblPosizione")); }
    void click(const QString &name) { clickChild(m_card.get(), name); }
    QString focusName() const
    {
        for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget())
            if (!w->objectName().isEmpty() && !w->objectName().startsWith(u"qt_"))
                return w->objectName();
        return QString();
    }
    void fillArchive(int records)
    {
        for (int n = 1; n <= records; ++n)
            appendRecord(archive(), clientRecord(QStringLiteral("Cliente %1").arg(n),
                                                 QStringLiteral("Nome %1").arg(n), n));
    }
    void startAt(int number)
    {
        if (number > 0)
            m_card->showRecord(clientRecord(QStringLiteral("Cliente %1").arg(number),
                                            QStringLiteral("Nome %1").arg(number), number),
                               number);
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<TempProgramFolder>();
        m_platform = std::make_unique<TestPlatform>();
        m_card = std::make_unique<TfrmAnagrafica>();
        m_card->show();
        QApplication::setActiveWindow(m_card.get());
        QVERIFY(QTest::qWaitForWindowActive(m_card.get()));
    }

    void cleanup()
    {
        m_card.reset();
        m_platform.reset();
        m_folder.reset();
    }

    void opensOnANewCard()
    {
        TfrmAnagrafica unseen;
        QCOMPARE(unseen.findChild<QLabel *>(QStringLiteral("panInfo"))->text(),
                 QStringLiteral("Pronto per salvare una nuova scheda..."));
        QCOMPARE(m_card->windowTitle(), QStringLiteral(" Pratelia - Anagrafica Clienti"));
        QCOMPARE(text("txtDecorrenza"), QStringLiteral("10/05/2024"));
        QCOMPARE(text("txtScadenza"), QStringLiteral("10/05/2024"));
        QCOMPARE(text("txtPreavviso"), QStringLiteral("0"));
        QCOMPARE(text("txtTotale"), QStringLiteral("0,00"));
        QCOMPARE(text("txtRata"), QStringLiteral("0,00"));
        QCOMPARE(text("txtCognome"), QString());
        QCOMPARE(position(), QString());
        QCOMPARE(focusName(), QStringLiteral("txtCognome"));

        // A card left on a stored client and shown again from the menu
        // starts over, hidden labels included.
        fillArchive(2);
        click("cmdUltimo");
        QCOMPARE(position(), QStringLiteral("2"));
        m_platform->clock.setToday(QDate(2025, 1, 31));
        m_card->hide();
        m_card->show();
        QCOMPARE(position(), QString());
        QCOMPARE(text("txtCognome"), QString());
        QCOMPARE(text("txtProvRes"), QString());
        QCOMPARE(text("lblFile01"), QString());
        QCOMPARE(text("lblDesc03"), QString());
        QCOMPARE(text("txtDecorrenza"), QStringLiteral("31/01/2025"));
        QCOMPARE(qobject_cast<QComboBox *>(control("txtProvRes"))->currentIndex(), -1);

        // So does Nuovo.
        click("cmdPrimo");
        set("txtNote", QStringLiteral("appunto"));
        click("cmdNuovo");
        QCOMPARE(position(), QString());
        QCOMPARE(text("txtNote"), QString());
        QCOMPARE(text("lblFile01"), QString());
    }

    void firstSaveAppendsLaterSavesUpdate()
    {
        set("txtCognome", QStringLiteral("  Rossi "));
        set("txtNome", QStringLiteral("Mario"));
        click("cmdSalva");
        QCOMPARE(m_platform->dialogs.shown.size(), 1);
        QCOMPARE(m_platform->dialogs.last()->kind, MessageKind::Information);
        QCOMPARE(m_platform->dialogs.lastText(),
                 QStringLiteral("La scheda corrente è stata inserita in archivio."));
        QCOMPARE(position(), QStringLiteral("1"));
        QCOMPARE(QFileInfo(archive()).size(), 4043);

        set("txtNome", QStringLiteral("Maria"));
        click("cmdSalva");
        QCOMPARE(m_platform->dialogs.lastText(),
                 QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate "
                                "in archivio."));
        QCOMPARE(position(), QStringLiteral("1"));
        QCOMPARE(QFileInfo(archive()).size(), 4043);
        const Record stored = readRecord(archive(), layouts::cliente(), 1);
        QCOMPARE(stored.text(QStringLiteral("Nome")), QStringLiteral("Maria"));
        QCOMPARE(stored.text(QStringLiteral("Cognome")), QStringLiteral("Rossi"));
        QCOMPARE(int(quint8(stored.bytes().at(0))), 5);
        // The block of a card saved without touching it.
        QCOMPARE(stored.text(QStringLiteral("Decorrenza")), QStringLiteral("10/05/2024"));
        QCOMPARE(stored.text(QStringLiteral("Preavviso")), QStringLiteral("0"));
        QCOMPARE(stored.text(QStringLiteral("Rata")), QStringLiteral("0,00"));

        // A new card goes after the records already there.
        click("cmdNuovo");
        set("txtCognome", QStringLiteral("Bianchi"));
        set("txtNome", QStringLiteral("Anna"));
        click("cmdSalva");
        QCOMPARE(position(), QStringLiteral("2"));
        QCOMPARE(countRecords(archive(), layouts::cliente()), 2);
        QCOMPARE(readRecord(archive(), layouts::cliente(), 1).text(QStringLiteral("Nome")),
                 QStringLiteral("Maria"));
    }

    void saveChecks_data()
    {
        QTest::addColumn<QString>("cognome");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("decorrenza");
        QTest::addColumn<QString>("scadenza");
        QTest::addColumn<QString>("preavviso");
        QTest::addColumn<MessageKind>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus"); // txtNote: the focus stayed there

        const QString needed = QStringLiteral("Attenzione: per salvare la scheda è necessario indicare ");
        const QString surname = needed + QStringLiteral("il cognome del cliente.");
        const QString name = needed + QStringLiteral("il nome del cliente.");
        const QString start = needed + QStringLiteral("la data di decorrenza dell'acquisto rateale effettuato.");
        const QString due = needed + QStringLiteral("la data di scadenza della prossima rata.");
        const QString notice = needed + QStringLiteral("i giorni di preavviso.");
        const QString valid = QStringLiteral(
            "Per poter salvare la scheda è necessario indicare una data valida nel formato gg/mm/aaaa.");
        const QString d = QStringLiteral("10/05/2024");
        const auto W = MessageKind::Warning;
        const auto P = MessageKind::Plain;

        QTest::newRow("no surname") << "" << "Mario" << d << d << "0" << W << surname << "txtCognome";
        QTest::newRow("blank surname") << "   " << "Mario" << d << d << "0" << W << surname << "txtCognome";
        QTest::newRow("nothing at all") << "" << "" << "" << "" << "" << W << surname << "txtCognome";
        QTest::newRow("no name") << "Rossi" << "" << d << d << "0" << W << name << "txtNome";
        QTest::newRow("no start date") << "Rossi" << "Mario" << "" << "" << "" << W << start << "txtDecorrenza";
        QTest::newRow("no due date") << "Rossi" << "Mario" << "31/02/2024" << " " << "" << W << due << "txtScadenza";
        QTest::newRow("start date does not exist")
            << "Rossi" << "Mario" << "31/02/2024" << "30/02/2024" << "" << P
            << "Attenzione: la data di decorrenza 31/02/2024 non esiste." + kBreaks + valid
            << "txtDecorrenza";
        QTest::newRow("start date is not a date")
            << "Rossi" << "Mario" << "domani" << d << "0" << P
            << "Attenzione: la data di decorrenza domani non esiste." + kBreaks + valid
            << "txtDecorrenza";
        QTest::newRow("due date does not exist")
            << "Rossi" << "Mario" << d << "29/02/2023" << "" << P
            << "Attenzione: la data di scadenza 29/02/2023 non esiste." + kBreaks + valid
            << "txtScadenza";
        QTest::newRow("due date before start")
            << "Rossi" << "Mario" << "10/05/2024" << "09/05/2024" << "" << P
            << "Attenzione: la data di scadenza della prossima rata (09/05/2024) non può essere "
               "anteriore a quella di decorrenza (10/05/2024)."
                   + kBreaks
                   + "Per poter salvare la scheda è necessario indicare un intervallo di tempo valido."
            << "txtNote";
        QTest::newRow("due date a year before start")
            << "Rossi" << "Mario" << "01/01/2025" << "31/12/2024" << "0" << P
            << "Attenzione: la data di scadenza della prossima rata (31/12/2024) non può essere "
               "anteriore a quella di decorrenza (01/01/2025)."
                   + kBreaks
                   + "Per poter salvare la scheda è necessario indicare un intervallo di tempo valido."
            << "txtNote";
        QTest::newRow("no notice days") << "Rossi" << "Mario" << d << d << " " << W << notice << "txtPreavviso";
    }

    void saveChecks()
    {
        QFETCH(QString, cognome);
        QFETCH(QString, nome);
        QFETCH(QString, decorrenza);
        QFETCH(QString, scadenza);
        QFETCH(QString, preavviso);
        QFETCH(MessageKind, kind);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        set("txtCognome", cognome);
        set("txtNome", nome);
        set("txtDecorrenza", decorrenza);
        set("txtScadenza", scadenza);
        set("txtPreavviso", preavviso);
        control("txtNote")->setFocus();
        click("cmdSalva");
        QCOMPARE(m_platform->dialogs.shown.size(), 1);
        QCOMPARE(m_platform->dialogs.last()->kind, kind);
        QCOMPARE(m_platform->dialogs.lastText(), message);
        QCOMPARE(focusName(), focus);
        QVERIFY(!QFileInfo::exists(archive()));
        QCOMPARE(position(), QString());
    }

    void acceptedDates_data()
    {
        QTest::addColumn<QString>("decorrenza");
        QTest::addColumn<QString>("scadenza");
        QTest::newRow("same day") << "10/05/2024" << "10/05/2024";
        QTest::newRow("next day") << "09/05/2024" << "10/05/2024";
        QTest::newRow("leap day") << "29/02/2024" << "01/03/2024";
        QTest::newRow("across years") << "31/12/2023" << "01/01/2024";
    }

    void acceptedDates()
    {
        QFETCH(QString, decorrenza);
        QFETCH(QString, scadenza);
        set("txtCognome", QStringLiteral("Rossi"));
        set("txtNome", QStringLiteral("Mario"));
        set("txtDecorrenza", decorrenza);
        set("txtScadenza", scadenza);
        click("cmdSalva");
        QCOMPARE(m_platform->dialogs.lastText(),
                 QStringLiteral("La scheda corrente è stata inserita in archivio."));
        const Record stored = readRecord(archive(), layouts::cliente(), 1);
        QCOMPARE(stored.text(QStringLiteral("Decorrenza")), decorrenza);
        QCOMPARE(stored.text(QStringLiteral("Scadenza")), scadenza);
    }

    void browse_data()
    {
        QTest::addColumn<int>("start"); // 0: a new card
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("shown"); // the record shown afterwards
        QTest::addColumn<bool>("loaded");
        QTest::newRow("next from a new card") << 0 << "cmdAvanti" << 1 << true;
        QTest::newRow("next from 1") << 1 << "cmdAvanti" << 2 << true;
        QTest::newRow("next from the last") << 3 << "cmdAvanti" << 3 << false;
        QTest::newRow("previous from 3") << 3 << "cmdIndietro" << 2 << true;
        QTest::newRow("previous from 2") << 2 << "cmdIndietro" << 1 << true;
        QTest::newRow("previous from 1") << 1 << "cmdIndietro" << 1 << false;
        QTest::newRow("previous from a new card") << 0 << "cmdIndietro" << 1 << true;
        QTest::newRow("first from 3") << 3 << "cmdPrimo" << 1 << true;
        QTest::newRow("first from a new card") << 0 << "cmdPrimo" << 1 << true;
        QTest::newRow("last from 1") << 1 << "cmdUltimo" << 3 << true;
        QTest::newRow("last from a new card") << 0 << "cmdUltimo" << 3 << true;
        // A card beyond the end of an archive that was replaced meanwhile.
        QTest::newRow("previous from beyond the end") << 5 << "cmdIndietro" << 3 << true;
        QTest::newRow("next from beyond the end") << 5 << "cmdAvanti" << 5 << false;
    }

    void browse()
    {
        QFETCH(int, start);
        QFETCH(QString, command);
        QFETCH(int, shown);
        QFETCH(bool, loaded);
        fillArchive(3);
        startAt(start);
        set("txtNote", QStringLiteral("non salvato"));
        click(command);
        QVERIFY(m_platform->dialogs.shown.isEmpty());
        QCOMPARE(position(), QString::number(shown));
        QCOMPARE(text("txtNote"), loaded ? QString() : QStringLiteral("non salvato"));
        QCOMPARE(text("txtCognome"), QStringLiteral("Cliente %1").arg(shown));
        QCOMPARE(text("txtPreavviso"), QString::number(shown));
        QCOMPARE(text("txtProvRes"), QStringLiteral("RM"));
        QCOMPARE(text("lblFile01"), QStringLiteral("doc%1.pdf").arg(shown));
        QCOMPARE(text("lblDesc03"), QStringLiteral("descrizione %1").arg(shown));
    }

    // The search and the list of instalments due put a record onto the
    // card by control names; the card is then that record.
    void recordHandedOverIsSavedInPlace()
    {
        fillArchive(3);
        const Record second = readRecord(archive(), layouts::cliente(), 2);
        lists::handOver(m_card.get(), lists::HandOver{true, {}}, second.view(), 2);
        QCOMPARE(position(), QStringLiteral("2"));
        QCOMPARE(text("txtCognome"), QStringLiteral("Cliente 2"));
        QCOMPARE(text("txtProvRes"), QStringLiteral("RM"));
        QCOMPARE(qobject_cast<QComboBox *>(control("txtProvRes"))->currentIndex(), -1);
        QCOMPARE(text("lblFile01"), QStringLiteral("doc2.pdf"));
        QCOMPARE(edit("txtCognome")->cursorPosition(), 0);
        set("txtNome", QStringLiteral("Nome cambiato"));
        click("cmdSalva");
        QCOMPARE(countRecords(archive(), layouts::cliente()), 3);
        Record expected = second;
        expected.setText(QStringLiteral("Nome"), QStringLiteral("Nome cambiato"));
        QCOMPARE(readRecord(archive(), layouts::cliente(), 2).bytes(), expected.bytes());
    }

    void browseEmptyArchive_data()
    {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("message");
        QTest::addColumn<QString>("position");
        QTest::newRow("first, no file") << false << 0 << "cmdPrimo" << true << "";
        QTest::newRow("first") << true << 0 << "cmdPrimo" << true << "";
        QTest::newRow("last") << true << 0 << "cmdUltimo" << true << "";
        QTest::newRow("next") << true << 0 << "cmdAvanti" << true << "";
        QTest::newRow("next from a card") << true << 4 << "cmdAvanti" << true << "";
        QTest::newRow("previous") << true << 0 << "cmdIndietro" << true << "";
        QTest::newRow("previous from 3") << true << 3 << "cmdIndietro" << true << "3";
        QTest::newRow("previous from 1") << true << 1 << "cmdIndietro" << false << "1";
        QTest::newRow("last from a card") << true << 2 << "cmdUltimo" << true << "2";
    }

    void browseEmptyArchive()
    {
        QFETCH(bool, fileExists);
        QFETCH(int, start);
        QFETCH(QString, command);
        QFETCH(bool, message);
        QFETCH(QString, position);
        if (fileExists)
            m_folder->write(QStringLiteral("Clienti.arx"), QByteArray());
        startAt(start);
        const QString surname = text("txtCognome");
        click(command);
        if (message) {
            QCOMPARE(m_platform->dialogs.shown.size(), 1);
            QCOMPARE(m_platform->dialogs.last()->kind, MessageKind::Information);
            QCOMPARE(m_platform->dialogs.lastText(),
                     QStringLiteral("L'archivio non contiene nessuna scheda."));
        } else {
            QVERIFY(m_platform->dialogs.shown.isEmpty());
        }
        QCOMPARE(this->position(), position);
        QCOMPARE(text("txtCognome"), surname);
    }

    void typing_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::newRow("tax code upper-cased") << "txtCodFisc" << "rssmra80a01h501u" << "RSSMRA80A01H501U";
        QTest::newRow("tax code limit") << "txtCodFisc" << "rssmra80a01h501uxyz" << "RSSMRA80A01H501U";
        QTest::newRow("tax code blanks") << "txtCodFisc" << " rss mra" << "RSSMRA";
        QTest::newRow("sex") << "txtSesso" << "mf" << "M";
        QTest::newRow("VAT number swallows letters") << "txtIva" << "01a23b4567890" << "01234567890";
        QTest::newRow("card number swallows blanks") << "txtCarta" << "4111 1111-1111" << "411111111111";
        QTest::newRow("notice days") << "txtPreavviso" << "1x05" << "105";
        QTest::newRow("total keeps the comma") << "txtTotale" << "1.500,5e" << "1500,5";
        QTest::newRow("instalment limit") << "txtRata" << "12345678901234567890" << "123456789012345";
        QTest::newRow("PEC trimmed") << "txtFax" << "  studio@pec.it " << "studio@pec.it";
        QTest::newRow("e-mail trimmed") << "txtEmail" << " a b" << "ab";
        QTest::newRow("IBAN") << "txtIban" << "it60 x054 2811" << "IT60X0542811";
        QTest::newRow("province of birth") << "txtProvNasc" << "rma" << "RM";
        QTest::newRow("province not in the list") << "txtProvRes" << " zz" << "ZZ";
        QTest::newRow("surname as typed") << "txtCognome" << " de luca" << " de luca";
        QTest::newRow("date of birth limit") << "txtDataNasc" << "01/01/19801" << "01/01/1980";
    }

    void typing()
    {
        QFETCH(QString, field);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QWidget *w = control(field);
        edit(field)->clear();
        w->setFocus();
        QTest::keyClicks(w, keys);
        QCOMPARE(text(field), shown);
    }

    void provinceBoxTakesTheFocusWithNoEntrySelected()
    {
        auto *box = qobject_cast<QComboBox *>(control("txtProvRes"));
        QVERIFY(box && box->isEditable());
        QCOMPARE(box->count(), 112);
        QCOMPARE(box->itemText(0), QStringLiteral("AG"));
        QCOMPARE(box->itemText(111), QStringLiteral("VV"));
        box->setCurrentIndex(box->findText(QStringLiteral("MI")));
        control("txtCognome")->setFocus();
        box->setFocus();
        QCOMPARE(box->currentIndex(), -1);
        QCOMPARE(box->currentText(), QStringLiteral("MI"));
    }

    // What a filter swallows when typed is left out when pasted, and what
    // is saved is what the card shows.
    void pastingKeepsToTheFilters_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("stored");
        QTest::newRow("notice days, letters only") << "txtPreavviso" << "abc" << "0";
        QTest::newRow("notice days, digits among letters") << "txtPreavviso" << "1ab2" << "12";
        QTest::newRow("VAT number") << "txtIva" << "IT 01234567890" << "01234567890";
        QTest::newRow("card number with blanks") << "txtCarta" << "4111 1111 1111 1111" << "4111111111111111";
        QTest::newRow("amount with a currency") << "txtTotale" << "€ 1500" << "1500,00";
        QTest::newRow("amount that cannot be read") << "txtRata" << "1,2,3" << "0,00";
        QTest::newRow("tax code with blanks") << "txtCodFisc" << " rssmra80a01h501u " << "RSSMRA80A01H501U";
    }

    void pastingKeepsToTheFilters()
    {
        QFETCH(QString, field);
        QFETCH(QString, pasted);
        QFETCH(QString, stored);
        const QString name = field.mid(3);
        set(QStringLiteral("txtCognome"), QStringLiteral("Rossi"));
        set(QStringLiteral("txtNome"), QStringLiteral("Mario"));
        testing::paste(m_card.get(), field, pasted);
        QTest::mouseClick(control(QStringLiteral("cmdSalva")), Qt::LeftButton);
        QCOMPARE(text(field), stored);
        QCOMPARE(readRecord(archive(), layouts::cliente(), 1).text(name), stored);
    }

    void amountsNormalisedOnLeaving_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("next");
        QTest::newRow("1500") << "txtTotale" << "1500" << "1500,00" << "txtFrazionamento";
        QTest::newRow("one decimal") << "txtTotale" << "12,5" << "12,50" << "txtFrazionamento";
        QTest::newRow("four decimals") << "txtTotale" << "1,23456" << "1,2346" << "txtFrazionamento";
        QTest::newRow("two commas") << "txtTotale" << "1,2,3" << "0,00" << "txtFrazionamento";
        QTest::newRow("empty") << "txtRata" << "" << "0,00" << "txtCognome";
        QTest::newRow("instalment") << "txtRata" << "0,5" << "0,50" << "txtCognome";
        // The record keeps 50 characters of the instalment: its normalised
        // text is kept whole although only 15 can be typed.
        QTest::newRow("instalment of 14 digits")
            << "txtRata" << "12345678901234" << "12345678901234,00" << "txtCognome";
    }

    void amountsNormalisedOnLeaving()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, next);
        QWidget *w = control(field);
        w->setFocus();
        edit(field)->clear();
        QTest::keyClicks(w, typed);
        QTest::keyClick(w, Qt::Key_Return);
        QCOMPARE(text(field), shown);
        QCOMPARE(focusName(), next);
        // Leaving the field with the mouse does the same.
        w->setFocus();
        edit(field)->setText(typed);
        QTest::mouseClick(control(QStringLiteral("cmdPrimo")), Qt::LeftButton);
        QCOMPARE(text(field), shown);
    }

    // An instalment stored longer than can be typed comes onto the card
    // whole and goes back to the archive unchanged.
    void longInstalmentKeptWhole()
    {
        Record stored = clientRecord(QStringLiteral("Rossi"), QStringLiteral("Mario"), 1);
        stored.setText(QStringLiteral("Rata"), QStringLiteral("12345678901234,00"));
        appendRecord(archive(), stored);
        click("cmdPrimo");
        QCOMPARE(text("txtRata"), QStringLiteral("12345678901234,00"));
        click("cmdSalva");
        QCOMPARE(readRecord(archive(), layouts::cliente(), 1).bytes(), stored.bytes());
    }

    void enterGoesAroundTheFields()
    {
        QStringList visited;
        control("txtCognome")->setFocus();
        for (int i = 0; i < kEditFields.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            visited << focusName();
        }
        QStringList expected;
        for (int i = 1; i < kEditFields.size(); ++i)
            expected << "txt" + kEditFields[i].first;
        expected << QStringLiteral("txtCognome");
        QCOMPARE(visited, expected);
        QVERIFY(m_platform->dialogs.shown.isEmpty()); // Enter does not save
        QVERIFY(!QFileInfo::exists(archive()));
    }

    void focusFrameFollowsTheFocus()
    {
        auto *frame = m_card->findChild<QWidget *>(QStringLiteral("effCodFisc"));
        auto *other = m_card->findChild<QWidget *>(QStringLiteral("effProvNasc"));
        QVERIFY(frame && other);
        control("txtCodFisc")->setFocus();
        QVERIFY(frame->isVisible());
        QCOMPARE(frame->geometry(), control("txtCodFisc")->geometry().adjusted(-4, -4, 4, 4));
        control("txtProvNasc")->setFocus();
        QVERIFY(!frame->isVisible());
        QVERIFY(other->isVisible());
    }

    void statusTexts_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("status");
        QTest::newRow("cmdNuovo") << "cmdNuovo" << "Prepara la schermata per la registrazione di una nuova scheda.";
        QTest::newRow("cmdSalva") << "cmdSalva" << "Salva la scheda corrente in archivio.";
        QTest::newRow("cmdTrova") << "cmdTrova" << "Trova una scheda in archivio.";
        QTest::newRow("cmdCartella") << "cmdCartella" << "Gestisci la cartella abbinata alla scheda corrente.";
        QTest::newRow("cmdFile") << "cmdFile" << "Allega file alla scheda corrente.";
        QTest::newRow("cmdStampa") << "cmdStampa" << "Stampa la scheda corrente.";
        QTest::newRow("cmdPrimo") << "cmdPrimo" << "Visualizza la prima scheda in archivio.";
        QTest::newRow("cmdIndietro") << "cmdIndietro" << "Visualizza la scheda precedente in archivio.";
        QTest::newRow("cmdAvanti") << "cmdAvanti" << "Visualizza la scheda successiva in archivio.";
        QTest::newRow("cmdUltimo") << "cmdUltimo" << "Visualizza l'ultima scheda in archivio.";
        QTest::newRow("cmdEsporta") << "cmdEsporta" << "Esporta le schede in archivio in un file di Microsoft Excel.";
        QTest::newRow("cmdScaduti") << "cmdScaduti" << "Visualizza il riepilogo delle rate in scadenza o scadute.";
        QTest::newRow("cmdGuida") << "cmdGuida" << "Visualizza la guida in linea.";
        QTest::newRow("cmdEsci") << "cmdEsci" << "Esci da questa schermata di lavoro.";
        QTest::newRow("btnCodFisc") << "btnCodFisc" << "Controlla il codice fiscale.";
        QTest::newRow("btnIva") << "btnIva" << "Controlla il numero di partita IVA.";
        QTest::newRow("btnEmail") << "btnEmail" << "Invia una e-mail all'indirizzo indicato.";
        QTest::newRow("btnIban") << "btnIban" << "Controlla l'IBAN.";
        QTest::newRow("btnCarta") << "btnCarta" << "Controlla il numero di carta di credito.";
    }

    void statusTexts()
    {
        QFETCH(QString, command);
        QFETCH(QString, status);
        auto *panInfo = m_card->findChild<QLabel *>(QStringLiteral("panInfo"));
        QVERIFY(panInfo);
        QWidget *button = control(command);
        QVERIFY(qobject_cast<QAbstractButton *>(button));
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(button, &enter);
        QCOMPARE(panInfo->text(), status);
        QEnterEvent background(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(m_card->panel(), &background);
        QCOMPARE(panInfo->text(), QString());
    }

    // The pointer goes from a command to the background beside it: the
    // status line clears, as it does over any background or panel.
    void statusClearedOverTheBackground_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("where");
        QTest::newRow("command bar beside its command") << "cmdSalva" << "bar";
        QTest::newRow("section beside its check button") << "btnCodFisc" << "section";
        QTest::newRow("gap between the two columns") << "cmdStampa" << "gap";
        QTest::newRow("window around the panel") << "cmdNuovo" << "window";
    }

    void statusClearedOverTheBackground()
    {
        QFETCH(QString, command);
        QFETCH(QString, where);
        auto *panInfo = m_card->findChild<QLabel *>(QStringLiteral("panInfo"));
        QWidget *button = control(command);
        QWidget *bar = control(QStringLiteral("panComandi"));
        QPoint target; // in the card's coordinates
        if (where == QLatin1String("window")) {
            // A screen larger than the panel leaves the window's own
            // background around it.
            m_card->resize(m_card->panel()->width() + 200, m_card->panel()->height() + 100);
            QTRY_VERIFY(m_card->panel()->y() > 10);
            target = QPoint(4, 4);
        } else if (where == QLatin1String("bar")) {
            target = bar->mapTo(m_card.get(), QPoint(2, bar->height() / 2));
        } else if (where == QLatin1String("section")) {
            QWidget *section = button->parentWidget();
            target = section->mapTo(m_card.get(), QPoint(3, section->height() - 3));
        } else {
            QWidget *left = control(QStringLiteral("txtCognome"))->parentWidget();
            target = left->mapTo(m_card.get(), QPoint(left->width() + 5, left->height() / 2));
        }
        QWidget *under = m_card->childAt(target);
        QVERIFY(!qobject_cast<QAbstractButton *>(under) && !qobject_cast<QLineEdit *>(under));
        QTest::mouseMove(m_card.get(), button->mapTo(m_card.get(), button->rect().center()));
        QCOMPARE(panInfo->text(), qobject_cast<kit::CommandButton *>(button)->statusText());
        QTest::mouseMove(m_card.get(), target);
        QCOMPARE(panInfo->text(), QString());
    }

    void mailLink_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("link");
        QTest::newRow("address") << "mario.rossi@example.it" << "mailto:mario.rossi@example.it";
        QTest::newRow("no address") << "" << "mailto:";
        QTest::newRow("blanks around") << "  anna@example.it " << "mailto:anna@example.it";
        QTest::newRow("no headers slip in") << "a@b.it?bcc=c@d.it" << "mailto:a@b.it%3Fbcc=c@d.it";
    }

    void mailLink()
    {
        QFETCH(QString, address);
        QFETCH(QString, link);
        set("txtEmail", address);
        click("btnEmail");
        QCOMPARE(m_platform->shell.opened.size(), 1);
        const QUrl opened = m_platform->shell.opened.first();
        QCOMPARE(opened.toString(QUrl::FullyEncoded), link);
        QVERIFY(!opened.hasQuery());
        QCOMPARE(opened.scheme(), QStringLiteral("mailto"));
    }

    void commandsOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("memory"); // its mode word, when it has one
        QTest::newRow("search") << "cmdTrova" << "TfrmTrovaClienti" << "clienti";
        QTest::newRow("instalments due") << "cmdScaduti" << "TfrmDaRinnovare" << "";
        QTest::newRow("export") << "cmdEsporta" << "TfrmExpClienti" << "";
        QTest::newRow("help") << "cmdGuida" << "TfrmGuida" << "";
    }

    void commandsOpenTheirWindows()
    {
        QFETCH(QString, command);
        QFETCH(QString, window);
        QFETCH(QString, memory);
        QString seen, seenMemory;
        onNextModal([&](QWidget *w) {
            seen = w->objectName();
            if (auto *l = w->findChild<QLabel *>(QStringLiteral("lblMemory")))
                seenMemory = l->text();
            if (auto *d = qobject_cast<QDialog *>(w))
                d->done(QDialog::Rejected);
        });
        click(command);
        QCOMPARE(seen, window);
        if (!memory.isEmpty())
            QCOMPARE(seenMemory, memory);
        QVERIFY(!QFileInfo::exists(archive()) || QFileInfo(archive()).size() == 0);
    }

    void esciShowsTheMenu()
    {
        QWidget menu;
        kit::WindowCatalogue::instance().add(QStringLiteral("TfrmAvvio"), &menu);
        set("txtCognome", QStringLiteral("non salvato"));
        click("cmdEsci");
        kit::WindowCatalogue::instance().clear();
        QVERIFY(menu.isVisible());
        QVERIFY(!m_card->isVisible());
        QVERIFY(m_platform->dialogs.shown.isEmpty());
        QVERIFY(!QFileInfo::exists(archive()));
        m_card->show(); // back from the menu: a new card
        QCOMPARE(text("txtCognome"), QString());
    }

    void checkButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("windowField");
        QTest::addColumn<QString>("handed");
        QTest::newRow("tax code") << "btnCodFisc" << "txtCodFisc" << "RSSMRA80A01H501U"
                                  << "TfrmCodFisc" << "txtCodFisc" << "RSSMRA80A01H501U";
        QTest::newRow("company number") << "btnCodFisc" << "txtCodFisc" << "01234567890"
                                        << "TfrmPartitaIva" << "txtPartitaIva" << "01234567890";
        QTest::newRow("no tax code") << "btnCodFisc" << "txtCodFisc" << ""
                                     << "TfrmCodFisc" << "txtCodFisc" << "";
        QTest::newRow("VAT number") << "btnIva" << "txtIva" << " 0123456789"
                                    << "TfrmPartitaIva" << "txtPartitaIva" << "0123456789";
        QTest::newRow("IBAN") << "btnIban" << "txtIban" << "IT60X0542811101000000123456"
                              << "TfrmIban" << "txtIban" << "IT60X0542811101000000123456";
        QTest::newRow("card") << "btnCarta" << "txtCarta" << "4111111111111111 "
                              << "TfrmCarta" << "txtNumero" << "4111111111111111";
    }

    void checkButtons()
    {
        QFETCH(QString, button);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, window);
        QFETCH(QString, windowField);
        QFETCH(QString, handed);
        set(field, value);
        QString seenWindow, seenText;
        bool ran = false;
        onNextModal(
            [&](QWidget *w) {
                seenWindow = w->objectName();
                if (auto *e = w->findChild<QLineEdit *>(windowField))
                    seenText = e->text();
                for (QPushButton *b : w->findChildren<QPushButton *>())
                    if (b->text() == QLatin1String("Chiudi"))
                        b->click();
            },
            &ran);
        click(button);
        QVERIFY(ran);
        QCOMPARE(seenWindow, window);
        QCOMPARE(seenText, handed);
        QCOMPARE(text(field), value); // a check changes nothing on the card
    }

    // Every field the card edits reaches its place in the record, cut to
    // what the card lets the user type, and comes back onto the card.
    void everyFieldReadsBack()
    {
        QHash<QString, QString> expected;
        for (const auto &[field, limit] : kEditFields) {
            QString value = field + QStringLiteral(" è €");
            while (value.size() < 260)
                value += QStringLiteral(" ") + field;
            set("txt" + field, value);
            expected.insert(field, value.left(limit).trimmed());
        }
        // The checked fields hold what the checks accept.
        const QHash<QString, QString> valid = {{"Decorrenza", "01/03/2024"},
                                               {"Scadenza", "01/04/2024"},
                                               {"Preavviso", "15"},
                                               {"Totale", "1500,00"},
                                               {"Rata", "125,00"}};
        for (auto it = valid.cbegin(); it != valid.cend(); ++it) {
            set("txt" + it.key(), it.value());
            expected.insert(it.key(), it.value());
        }
        for (const QString &field : kHiddenFields) {
            set("lbl" + field, " " + field + ".pdf ");
            expected.insert(field, field + ".pdf");
        }
        click("cmdSalva");
        QCOMPARE(position(), QStringLiteral("1"));

        const QList<QJsonObject> records = dumpClients(*m_folder);
        QCOMPARE(records.size(), 1);
        const QJsonObject &r = records.first();
        QCOMPARE(r.size(), 52); // the record number and 51 fields
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(r.value(it.key()).toString(), it.value());

        click("cmdNuovo");
        click("cmdPrimo");
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            const QString name = (kHiddenFields.contains(it.key()) ? "lbl" : "txt") + it.key();
            QCOMPARE(text(name), it.value());
        }
        QCOMPARE(position(), QStringLiteral("1"));
    }

    void saveFailureLeavesCardAndArchive_data()
    {
        QTest::addColumn<bool>("newCard");
        QTest::addColumn<IoStep>("step");
        QTest::newRow("update, open") << false << IoStep::Open;
        QTest::newRow("update, write") << false << IoStep::Write;
        QTest::newRow("append, open") << true << IoStep::Open;
        QTest::newRow("append, write") << true << IoStep::Write;
        QTest::newRow("append, flush") << true << IoStep::Flush;
        QTest::newRow("append, size") << true << IoStep::Size;
    }

    void saveFailureLeavesCardAndArchive()
    {
        QFETCH(bool, newCard);
        QFETCH(IoStep, step);
        fillArchive(3);
        const QByteArray before = m_folder->read(QStringLiteral("Clienti.arx"));
        if (!newCard)
            click("cmdUltimo");
        set("txtCognome", QStringLiteral("Verdi"));
        set("txtNome", QStringLiteral("Giuseppe"));
        const QString shownBefore = position();
        {
            FaultyFileSystem faulty;
            faulty.failAt(step, 1, true);
            click("cmdSalva");
        }
        QCOMPARE(m_platform->dialogs.shown.size(), 1);
        QCOMPARE(m_platform->dialogs.last()->kind, MessageKind::Error);
        QCOMPARE(m_platform->dialogs.lastText(), FileAccessErrorText());
        QCOMPARE(position(), shownBefore);
        QCOMPARE(text("txtCognome"), QStringLiteral("Verdi"));
        QCOMPARE(text("txtNome"), QStringLiteral("Giuseppe"));
        QCOMPARE(m_folder->read(QStringLiteral("Clienti.arx")), before);

        // The user tries again and the save goes through.
        click("cmdSalva");
        QCOMPARE(m_platform->dialogs.last()->kind, MessageKind::Information);
        QCOMPARE(position(), newCard ? QStringLiteral("4") : QStringLiteral("3"));
        QCOMPARE(countRecords(archive(), layouts::cliente()), newCard ? 4 : 3);
    }

    // Closing the archive fails after the new record reached it: the card
    // is that record, and trying again updates it instead of adding a copy.
    void closeFailureAfterAppend()
    {
        fillArchive(3);
        set("txtCognome", QStringLiteral("Verdi"));
        set("txtNome", QStringLiteral("Giuseppe"));
        {
            FaultyFileSystem faulty;
            faulty.failAt(IoStep::Close);
            click("cmdSalva");
        }
        QCOMPARE(m_platform->dialogs.lastText(), FileAccessErrorText());
        QCOMPARE(countRecords(archive(), layouts::cliente()), 4);
        QCOMPARE(position(), QStringLiteral("4"));
        click("cmdSalva");
        QCOMPARE(m_platform->dialogs.lastText(),
                 QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate "
                                "in archivio."));
        QCOMPARE(countRecords(archive(), layouts::cliente()), 4);
    }

    void browseFailureLeavesCard()
    {
        fillArchive(3);
        click("cmdPrimo");
        set("txtNote", QStringLiteral("non salvato"));
        {
            FaultyFileSystem faulty;
            faulty.failAt(IoStep::Read, 1, true);
            click("cmdAvanti");
        }
        QCOMPARE(m_platform->dialogs.shown.size(), 1);
        QCOMPARE(m_platform->dialogs.last()->kind, MessageKind::Error);
        QCOMPARE(m_platform->dialogs.lastText(), FileAccessErrorText());
        QCOMPARE(position(), QStringLiteral("1"));
        QCOMPARE(text("txtNote"), QStringLiteral("non salvato"));
    }

    // ---- attached files ----------------------------------------------

    void attachOnANewCardThenSave()
    {
        QTemporaryDir elsewhere;
        const QString source = elsewhere.filePath(QStringLiteral("offerta.pdf"));
        {
            QFile f(source);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("%PDF offerta");
        }
        m_platform->dialogs.chooseNext(source);
        bool ran = false;
        onNextModal(
            [](QWidget *w) {
                QCOMPARE(w->objectName(), QStringLiteral("TfrmAllegaCartella"));
                QCOMPARE(w->windowTitle(), QStringLiteral(" Allega file"));
                QCOMPARE(w->findChild<QLabel *>(QStringLiteral("lblMemory"))->text(),
                         QStringLiteral("anagrafica"));
                QVERIFY(!w->findChild<QAbstractButton *>(QStringLiteral("btnApri01"))->isEnabled());
                clickChild(w, QStringLiteral("btnSfoglia01"));
                QCOMPARE(w->findChild<QLineEdit *>(QStringLiteral("txtFile01"))->text(),
                         QStringLiteral("offerta.pdf"));
                w->findChild<QLineEdit *>(QStringLiteral("txtDesc01"))
                    ->setText(QStringLiteral(" Offerta 2024 "));
                clickChild(w, QStringLiteral("btnApplica"));
            },
            &ran);
        click("cmdFile");
        QVERIFY(ran);
        QCOMPARE(m_platform->dialogs.chooserTitles,
                 QStringList{QStringLiteral("Selezionare il file da allegare:")});
        QCOMPARE(m_platform->dialogs.chooserFilters, QStringList{QStringLiteral("Tutti i file (*.*)")});
        QCOMPARE(text("lblFile01"), QStringLiteral("offerta.pdf"));
        QCOMPARE(text("lblDesc01"), QStringLiteral("Offerta 2024"));
        QCOMPARE(m_folder->read(QStringLiteral("Documenti_Allegati/offerta.pdf")),
                 QByteArray("%PDF offerta"));
        QVERIFY(m_platform->dialogs.shown.isEmpty());

        set("txtCognome", QStringLiteral("Rossi"));
        set("txtNome", QStringLiteral("Mario"));
        click("cmdSalva");
        const QList<QJsonObject> records = dumpClients(*m_folder);
        QCOMPARE(records.size(), 1);
        QCOMPARE(records.first().value("File01").toString(), QStringLiteral("offerta.pdf"));
        QCOMPARE(records.first().value("Desc01").toString(), QStringLiteral("Offerta 2024"));
        QCOMPARE(records.first().value("File02").toString(), QString());
    }

    void overwriteQuestion_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("copyFails");
        QTest::addColumn<QByteArray>("kept");
        QTest::addColumn<QString>("name"); // what the card names afterwards
        QTest::newRow("yes") << true << false << QByteArray("nuova") << "offerta.pdf";
        // No keeps the document there, and the row keeps what it named.
        QTest::newRow("no") << false << false << QByteArray("vecchia") << "";
        QTest::newRow("yes, copy fails") << true << true << QByteArray("vecchia") << "";
    }

    void overwriteQuestion()
    {
        QFETCH(bool, yes);
        QFETCH(bool, copyFails);
        QFETCH(QByteArray, kept);
        QFETCH(QString, name);
        QDir(m_folder->path()).mkdir(QStringLiteral("Documenti_Allegati"));
        m_folder->write(QStringLiteral("Documenti_Allegati/offerta.pdf"), "vecchia");
        QTemporaryDir elsewhere;
        const QString source = elsewhere.filePath(QStringLiteral("offerta.pdf"));
        {
            QFile f(source);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("nuova");
        }
        m_platform->dialogs.chooseNext(source);
        m_platform->dialogs.answerNext(yes);
        FaultyFileSystem faulty;
        if (copyFails)
            faulty.failAt(IoStep::Write, 1, true);
        onNextModal([name](QWidget *w) {
            clickChild(w, QStringLiteral("btnSfoglia02"));
            QCOMPARE(w->findChild<QLineEdit *>(QStringLiteral("txtFile02"))->text(), name);
            clickChild(w, QStringLiteral("btnApplica"));
        });
        click("cmdFile");
        QCOMPARE(m_platform->dialogs.shown.size(), copyFails ? 2 : 1);
        if (copyFails)
            QCOMPARE(m_platform->dialogs.last()->text, kit::attachmentCopyFailedText());
        QCOMPARE(m_platform->dialogs.shown.first().kind, MessageKind::Question);
        QCOMPARE(m_platform->dialogs.shown.first().text,
                 QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un "
                                "file con lo stesso nome.\r\n\r\nSi vuole sovrascrivere il file "
                                "esistente?"));
        QCOMPARE(m_folder->read(QStringLiteral("Documenti_Allegati/offerta.pdf")), kept);
        QCOMPARE(text("lblFile02"), name);
        QCOMPARE(QDir(m_folder->file(QStringLiteral("Documenti_Allegati"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("offerta.pdf")});
    }

    // A document chosen from the attachments folder itself is already there.
    void attachFromTheAttachmentsFolder()
    {
        QDir(m_folder->path()).mkdir(QStringLiteral("Documenti_Allegati"));
        m_folder->write(QStringLiteral("Documenti_Allegati/modulo.pdf"), "modulo");
        m_platform->dialogs.chooseNext(m_folder->file(QStringLiteral("Documenti_Allegati/modulo.pdf")));
        onNextModal([](QWidget *w) {
            clickChild(w, QStringLiteral("btnSfoglia03"));
            clickChild(w, QStringLiteral("btnApplica"));
        });
        click("cmdFile");
        QVERIFY(m_platform->dialogs.shown.isEmpty());
        QCOMPARE(text("lblFile03"), QStringLiteral("modulo.pdf"));
        QCOMPARE(m_folder->read(QStringLiteral("Documenti_Allegati/modulo.pdf")), QByteArray("modulo"));
    }

    void removeApplyOrCancel_data()
    {
        QTest::addColumn<QString>("closeWith");
        QTest::addColumn<QString>("file01");
        QTest::addColumn<QString>("desc01");
        QTest::newRow("apply") << "btnApplica" << "" << "vecchia descrizione";
        QTest::newRow("cancel") << "btnAnnulla" << "listino.pdf" << "descrizione";
    }

    void removeApplyOrCancel()
    {
        QFETCH(QString, closeWith);
        QFETCH(QString, file01);
        QFETCH(QString, desc01);
        set("lblFile01", QStringLiteral("listino.pdf"));
        set("lblDesc01", QStringLiteral("descrizione"));
        set("lblFile03", QStringLiteral("contratto.pdf"));
        onNextModal([closeWith](QWidget *w) {
            auto *file = w->findChild<QLineEdit *>(QStringLiteral("txtFile01"));
            QCOMPARE(file->text(), QStringLiteral("listino.pdf"));
            QVERIFY(file->isReadOnly());
            QVERIFY(w->findChild<QAbstractButton *>(QStringLiteral("btnApri01"))->isEnabled());
            clickChild(w, QStringLiteral("imgCancella01"));
            QCOMPARE(file->text(), QString());
            QVERIFY(!w->findChild<QAbstractButton *>(QStringLiteral("btnApri01"))->isEnabled());
            w->findChild<QLineEdit *>(QStringLiteral("txtDesc01"))
                ->setText(QStringLiteral("vecchia descrizione"));
            clickChild(w, closeWith);
        });
        click("cmdFile");
        QCOMPARE(text("lblFile01"), file01);
        QCOMPARE(text("lblDesc01"), desc01);
        QCOMPARE(text("lblFile03"), QStringLiteral("contratto.pdf"));
    }

    void chooserCancelledChangesNothing()
    {
        set("lblFile01", QStringLiteral("listino.pdf"));
        onNextModal([](QWidget *w) {
            clickChild(w, QStringLiteral("btnSfoglia01"));
            QCOMPARE(w->findChild<QLineEdit *>(QStringLiteral("txtFile01"))->text(),
                     QStringLiteral("listino.pdf"));
            clickChild(w, QStringLiteral("btnApplica"));
        });
        click("cmdFile");
        QCOMPARE(text("lblFile01"), QStringLiteral("listino.pdf"));
        QVERIFY(!QFileInfo::exists(m_folder->file(QStringLiteral("Documenti_Allegati"))));
    }

    void openDocument_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("opened"); // relative to the program folder; empty: nothing
        QTest::newRow("plain name") << "listino prezzi.pdf" << "Documenti_Allegati/listino prezzi.pdf";
        QTest::newRow("missing copy") << "sparito.doc" << "Documenti_Allegati/sparito.doc";
        QTest::newRow("name with two dots") << "v1..2.txt" << "Documenti_Allegati/v1..2.txt";
        QTest::newRow("parent folder") << "../Clienti.arx" << "";
        QTest::newRow("backslashes") << "..\\..\\Windows\\win.ini" << "";
        QTest::newRow("subfolder") << "sub/x.pdf" << "";
        QTest::newRow("parent itself") << ".." << "";
        QTest::newRow("drive") << "C:boot.ini" << "";
        QTest::newRow("absolute") << "/etc/passwd" << "";
    }

    void openDocument()
    {
        QFETCH(QString, stored);
        QFETCH(QString, opened);
        set("lblFile02", stored);
        onNextModal([](QWidget *w) {
            clickChild(w, QStringLiteral("btnApri02"));
            clickChild(w, QStringLiteral("btnAnnulla"));
        });
        click("cmdFile");
        if (opened.isEmpty()) {
            QVERIFY(m_platform->shell.opened.isEmpty());
            QCOMPARE(kit::attachmentPath(stored), QString());
        } else {
            QCOMPARE(m_platform->shell.opened,
                     QList<QUrl>{QUrl::fromLocalFile(m_folder->file(opened))});
            QCOMPARE(kit::attachmentPath(stored), m_folder->file(opened));
        }
    }

    // The attach window works on any card that keeps the six hidden labels.
    void attachOnAnotherCard()
    {
        QWidget other;
        for (const QString &field : kHiddenFields) {
            auto *l = new QLabel(&other);
            l->setObjectName("lbl" + field);
            l->setText(field == QLatin1String("Desc02") ? QStringLiteral(" ricevuta ") : QString());
        }
        onNextModal([](QWidget *w) {
            QCOMPARE(w->findChild<QLabel *>(QStringLiteral("lblMemory"))->text(),
                     QStringLiteral("tariffario"));
            QCOMPARE(w->findChild<QLineEdit *>(QStringLiteral("txtDesc02"))->text(),
                     QStringLiteral("ricevuta"));
            w->findChild<QLineEdit *>(QStringLiteral("txtDesc03"))->setText(QStringLiteral("modulo"));
            clickChild(w, QStringLiteral("btnApplica"));
        });
        kit::showAttachWindow(&other, QStringLiteral("tariffario"));
        QCOMPARE(other.findChild<QLabel *>(QStringLiteral("lblDesc02"))->text(), QStringLiteral("ricevuta"));
        QCOMPARE(other.findChild<QLabel *>(QStringLiteral("lblDesc03"))->text(), QStringLiteral("modulo"));
    }

    // ---- client folder -----------------------------------------------

    void folderRefusedOnANewCard()
    {
        bool opened = false;
        onNextModal([](QWidget *w) { clickChild(w, QStringLiteral("btnChiudi")); }, &opened);
        click("cmdCartella");
        QTest::qWait(0);
        QVERIFY(!opened);
        QCOMPARE(m_platform->dialogs.shown.size(), 1);
        QCOMPARE(m_platform->dialogs.last()->kind, MessageKind::Warning);
        QCOMPARE(m_platform->dialogs.lastText(),
                 QStringLiteral("Attenzione: l'abbinamento di una cartella ad un cliente può "
                                "avvenire soltanto dopo che la scheda è stata inserita in archivio."));
        QVERIFY(m_platform->shell.opened.isEmpty());
    }

    void folderOfRecordSeven()
    {
        startAt(7);
        const QString folder = m_folder->file(QStringLiteral("Cliente_7"));
        for (int time = 1; time <= 2; ++time) {
            onNextModal([](QWidget *w) {
                QCOMPARE(w->objectName(), QStringLiteral("TfrmCartella"));
                QCOMPARE(w->windowTitle(),
                         QStringLiteral(" Gestione cartella abbinata alla scheda corrente"));
                QCOMPARE(w->findChild<QLabel *>(QStringLiteral("lblMemory"))->text(),
                         QStringLiteral("7"));
                clickChild(w, QStringLiteral("btnApriCartella"));
            });
            click("cmdCartella");
            QVERIFY(QFileInfo(folder).isDir());
            QCOMPARE(m_platform->shell.opened.size(), time);
            QCOMPARE(m_platform->shell.opened.last(), QUrl::fromLocalFile(folder));
        }
        onNextModal([](QWidget *w) { clickChild(w, QStringLiteral("btnChiudi")); });
        click("cmdCartella");
        QCOMPARE(m_platform->shell.opened.size(), 2);
        QVERIFY(m_platform->dialogs.shown.isEmpty());
    }

    void folderOnlyForARecordNumber()
    {
        set("lblPosizione", QStringLiteral("../7"));
        onNextModal([](QWidget *w) { clickChild(w, QStringLiteral("btnApriCartella")); });
        click("cmdCartella");
        QVERIFY(m_platform->shell.opened.isEmpty());
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
    }
};

QTEST_MAIN(TestClientCard)
#include "test_clientcard.moc"
