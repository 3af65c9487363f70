// The fee card window: browsing, saving, Duplica, the fee fields, the
// identifier check button, the request form and archive failures.
#include "support/faultyfs.h"
#include "clients/clientlistconfig.h"
#include "kit/attachments.h"
#include "fees/feecard.h"
#include "fees/tariffario.h"
#include "platform/testing.h"
#include "platform/texts.h"
#include "store/recordfile.h"
#include "store/values.h"
#include "support/tempfolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::fees;
using pratelia::testing::FaultyFileSystem;
using pratelia::testing::TempProgramFolder;
using pratelia::testing::TestPlatform;

Q_DECLARE_METATYPE(pratelia::fees::Browse)
Q_DECLARE_METATYPE(pratelia::IoStep)

namespace {
const QString kEmpty = "L'archivio non contiene nessuna scheda.";
const QString kInserted = "La scheda corrente è stata inserita in archivio.";
const QString kUpdated = "Le modifiche apportate alla scheda corrente sono state salvate in archivio.";

// A fee record with the given code and description.
Record feeRecord(const QString &id, const QString &description, bool discounted = false)
{
    Record r(layout());
    r.setText(u"ID", id);
    r.setText(u"Tipologia", u"Consulenza");
    r.setText(u"Descrizione", description);
    r.setText(u"Ordinaria", u"100,00");
    r.setText(u"Scontata", u"80,00");
    r.setText(u"Copia", id + ".pdf");
    r.setText(u"File01", id + "-allegato.pdf");
    r.setText(u"Desc03", "nota " + id);
    r.setText(u"TarScontata", discounted ? u"Sì" : u"No");
    return r;
}

void writeArchive(int records)
{
    for (int i = 1; i <= records; ++i)
        appendRecord(archivePath(), feeRecord(QString("S%1").arg(i), QString("Servizio %1").arg(i)));
}

QByteArray archiveBytes()
{
    QFile f(archivePath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestTariffario : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<TestPlatform> platform;
    std::unique_ptr<TfrmTariffario> card;

    QLineEdit *edit(const char *name) { return card->findChild<QLineEdit *>(name); }
    QString position() { return card->findChild<QLabel *>("lblPosizione")->text(); }
    void click(const char *name)
    {
        auto *b = card->findChild<QAbstractButton *>(name);
        QVERIFY2(b, name);
        b->click();
    }
    void fillMandatory()
    {
        edit("txtID")->setText("PR-1");
        edit("txtTipologia")->setText("Pratiche");
        edit("txtDescrizione")->setText("Rinnovo patente");
        edit("txtOrdinaria")->setText("60,00");
        edit("txtScontata")->setText("45,00");
    }
    void showCard()
    {
        card->show();
        QVERIFY(QTest::qWaitForWindowExposed(card.get()));
        card->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(card.get()));
    }

private slots:
    void init()
    {
        folder = std::make_unique<TempProgramFolder>();
        platform = std::make_unique<TestPlatform>();
        card = std::make_unique<TfrmTariffario>();
    }
    void cleanup()
    {
        card.reset();
        platform.reset();
        folder.reset();
    }

    void emptyArchiveOnEveryBrowse_data()
    {
        QTest::addColumn<Browse>("command");
        QTest::newRow("first") << Browse::First;
        QTest::newRow("previous") << Browse::Previous;
        QTest::newRow("next") << Browse::Next;
        QTest::newRow("last") << Browse::Last;
    }
    void emptyArchiveOnEveryBrowse()
    {
        QFETCH(Browse, command);
        QVERIFY(!QFile::exists(archivePath()));
        card->browse(command);
        QVERIFY(QFile::exists(archivePath())); // created empty
        QCOMPARE(QFileInfo(archivePath()).size(), 0);
        QCOMPARE(platform->dialogs.shown.size(), 1);
        QCOMPARE(platform->dialogs.last()->kind, MessageKind::Information);
        QCOMPARE(platform->dialogs.lastText(), kEmpty);
        QCOMPARE(position(), QString());
        QCOMPARE(edit("txtOrdinaria")->text(), QString("0,00"));
    }

    void nextOnAnEmptiedArchiveForgetsThePosition()
    {
        // A card shown as record 2 whose archive is now empty (replaced by
        // another copy of the folder): Next empties the position.
        card->findChild<QLabel *>("lblPosizione")->setText("2");
        card->browse(Browse::Next);
        QCOMPARE(position(), QString());
        card->findChild<QLabel *>("lblPosizione")->setText("2");
        card->browse(Browse::Previous);
        QCOMPARE(position(), QString("2"));
        QCOMPARE(platform->dialogs.shown.size(), 2);
    }

    void browsingThreeCards()
    {
        writeArchive(3);
        card->browse(Browse::Next); // from a new card
        QCOMPARE(position(), QString("1"));
        QCOMPARE(edit("txtID")->text(), QString("S1"));
        card->browse(Browse::Previous); // on card 1: nothing
        QCOMPARE(position(), QString("1"));
        card->browse(Browse::Last);
        QCOMPARE(position(), QString("3"));
        QCOMPARE(edit("txtDescrizione")->text(), QString("Servizio 3"));
        QCOMPARE(edit("txtCopia")->text(), QString("S3.pdf"));
        QCOMPARE(card->findChild<QLabel *>("lblFile01")->text(), QString("S3-allegato.pdf"));
        QCOMPARE(card->findChild<QLabel *>("lblDesc03")->text(), QString("nota S3"));
        edit("txtID")->setText("changed, not saved");
        card->browse(Browse::Next); // on card 3: nothing at all
        QCOMPARE(edit("txtID")->text(), QString("changed, not saved"));
        card->browse(Browse::Previous);
        QCOMPARE(position(), QString("2"));
        QCOMPARE(edit("txtID")->text(), QString("S2"));
        card->browse(Browse::First);
        QCOMPARE(position(), QString("1"));
        QVERIFY(platform->dialogs.shown.isEmpty());

        card->newCard();
        card->browse(Browse::Previous);
        QCOMPARE(position(), QString("1"));
    }

    void saveAppendsThenOverwrites()
    {
        writeArchive(2);
        fillMandatory();
        card->findChild<QCheckBox *>("chkTarScontata")->setChecked(true);
        card->findChild<QLabel *>("lblFile02")->setText("pianta.pdf");
        card->save();
        QCOMPARE(platform->dialogs.lastText(), kInserted);
        QCOMPARE(platform->dialogs.last()->kind, MessageKind::Information);
        QCOMPARE(position(), QString("3"));
        QCOMPARE(countRecords(archivePath(), layout()), 3);
        Record saved = readRecord(archivePath(), layout(), 3);
        QCOMPARE(saved.text(u"Descrizione"), QString("Rinnovo patente"));
        QCOMPARE(saved.text(u"File02"), QString("pianta.pdf"));
        QCOMPARE(saved.bytes().mid(2533, 3), QByteArray("\x02\x53\xEC", 3));

        const QByteArray firstTwo = archiveBytes().left(2 * 4042);
        edit("txtNote")->setText("aggiornata");
        card->findChild<QCheckBox *>("chkTarScontata")->setChecked(false);
        card->save();
        QCOMPARE(platform->dialogs.lastText(), kUpdated);
        QCOMPARE(position(), QString("3"));
        QCOMPARE(countRecords(archivePath(), layout()), 3);
        QCOMPARE(archiveBytes().left(2 * 4042), firstTwo);
        saved = readRecord(archivePath(), layout(), 3);
        QCOMPARE(saved.text(u"Note"), QString("aggiornata"));
        QCOMPARE(saved.bytes().mid(2533, 3), QByteArray("\x02\x4E\x6F", 3));
    }

    void saveStopsAtTheFirstBlankMandatoryField_data()
    {
        QTest::addColumn<QStringList>("blanked");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("message");
        const QString pre = "Attenzione: per salvare la scheda è necessario indicare ";
        QTest::newRow("code of blanks, all else filled")
            << QStringList{"txtID"} << "txtID" << pre + "il codice identificativo del servizio.";
        QTest::newRow("code and fees blank")
            << QStringList{"txtOrdinaria", "txtID"} << "txtID"
            << pre + "il codice identificativo del servizio.";
        QTest::newRow("description") << QStringList{"txtDescrizione"} << "txtDescrizione"
                                     << pre + "la descrizione del servizio.";
        QTest::newRow("discounted fee") << QStringList{"txtScontata"} << "txtScontata"
                                        << pre + "la tariffa scontata.";
    }
    void saveStopsAtTheFirstBlankMandatoryField()
    {
        QFETCH(QStringList, blanked);
        QFETCH(QString, focus);
        QFETCH(QString, message);
        showCard();
        fillMandatory();
        for (const QString &b : blanked)
            card->findChild<QLineEdit *>(b)->setText("   ");
        edit("txtNote")->setFocus();
        card->save();
        QCOMPARE(platform->dialogs.shown.size(), 1);
        QCOMPARE(platform->dialogs.last()->kind, MessageKind::Warning);
        QCOMPARE(platform->dialogs.lastText(), message);
        QCOMPARE(QApplication::focusWidget(), card->findChild<QWidget *>(focus));
        QVERIFY(!QFile::exists(archivePath()) || QFileInfo(archivePath()).size() == 0);
        QCOMPARE(position(), QString());
    }

    void feeFieldsNormaliseOnLeaving_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow(",5") << ",5" << "0,50";
        QTest::newRow("7") << "7" << "7,00";
        QTest::newRow("12,345 stays") << "12,345" << "12,345";
        QTest::newRow("letters are swallowed") << "1a2b" << "12,00";
        QTest::newRow("nothing") << "" << "0,00";
        QTest::newRow("two commas") << "1,2,3" << "0,00";
    }
    void feeFieldsNormaliseOnLeaving()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        showCard();
        for (const char *name : {"txtOrdinaria", "txtScontata"}) {
            QLineEdit *fee = edit(name);
            fee->setFocus();
            fee->selectAll();
            QTest::keyClick(fee, Qt::Key_Backspace);
            QTest::keyClicks(fee, typed);
            QTest::keyClick(fee, Qt::Key_Return); // Enter moves on and leaves the field
            QVERIFY(!fee->hasFocus());
            QCOMPARE(fee->text(), shown);
        }
    }

    void feeTypedThenSavedWithTheMouseIsStoredNormalised()
    {
        // The command pictures take the focus, so leaving the fee field
        // normalises it before Save reads the card.
        showCard();
        fillMandatory();
        QLineEdit *fee = edit("txtOrdinaria");
        fee->setFocus();
        fee->selectAll();
        QTest::keyClicks(fee, "7");
        QTest::mouseClick(card->findChild<QWidget *>("cmdSalva"), Qt::LeftButton);
        QCOMPARE(platform->dialogs.lastText(), kInserted);
        QCOMPARE(readRecord(archivePath(), layout(), 1).text(u"Ordinaria"), QString("7,00"));
    }

    void enterChainStopsAtTheRequestForm()
    {
        showCard();
        edit("txtID")->setFocus();
        QStringList visited{"txtID"};
        for (int i = 0; i < 20; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited.mid(0, 17),
                 QStringList({"txtID", "txtTipologia", "txtDescrizione", "txtOrdinaria",
                              "txtScontata", "txtSpese", "txtPersona", "txtCodFisc",
                              "txtRecapito", "txtEmail", "txtUffici", "txtRequisiti",
                              "txtDocumenti", "txtPagamento", "txtTempi", "txtNote", "txtCopia"}));
        QCOMPARE(visited.last(), QString("txtCopia"));
        QVERIFY(platform->dialogs.shown.isEmpty()); // Enter never saves
    }

    void typingStopsAtTheCapacity()
    {
        showCard();
        QLineEdit *d = edit("txtDescrizione");
        d->setFocus();
        QTest::keyClicks(d, QString(251, QChar(u'x')));
        QCOMPARE(d->text().size(), 250);
        QLineEdit *cf = edit("txtCodFisc");
        cf->setFocus();
        QTest::keyClicks(cf, " rssmra80a01h501u ");
        QCOMPARE(cf->text(), QString("RSSMRA80A01H501U"));
    }

    void duplicateThenSaveAppendsACopy()
    {
        writeArchive(4);
        card->findChild<QLabel *>("lblPosizione")->setText("4");
        card->browse(Browse::Last);
        const QByteArray before = archiveBytes();
        card->duplicate();
        QCOMPARE(platform->dialogs.lastText(),
                 "E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                 "Al termine premere Salva per inserire la scheda in archivio.");
        QCOMPARE(position(), QString());
        QCOMPARE(edit("txtID")->text(), QString());
        QCOMPARE(edit("txtCopia")->text(), QString());
        QCOMPARE(card->findChild<QLabel *>("lblFile01")->text(), QString());
        QCOMPARE(countRecords(archivePath(), layout()), 4); // nothing written yet
        edit("txtID")->setText("S4-bis");
        card->save();
        QCOMPARE(position(), QString("5"));
        QCOMPARE(platform->dialogs.lastText(), kInserted);
        const QByteArray after = archiveBytes();
        QCOMPARE(after.size(), 5 * 4042);
        QCOMPARE(after.left(4 * 4042), before); // card 4 and the others unchanged
        const Record copy = readRecord(archivePath(), layout(), 5);
        const Record source = readRecord(archivePath(), layout(), 4);
        for (const Field &f : layout().fields()) {
            if (f.name == "ID")
                QCOMPARE(copy.text(f.name), QString("S4-bis"));
            else if (f.name == "Copia" || f.name.startsWith("File") || f.name.startsWith("Desc0"))
                QCOMPARE(copy.text(f.name), QString());
            else
                QCOMPARE(copy.text(f.name), source.text(f.name));
        }
    }

    void duplicateOfANewCardChangesNothing()
    {
        fillMandatory();
        card->duplicate();
        QCOMPARE(platform->dialogs.last()->kind, MessageKind::Warning);
        QCOMPARE(platform->dialogs.lastText(),
                 "Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che "
                 "questa è stata inserita in archivio.");
        QCOMPARE(edit("txtID")->text(), QString("PR-1"));
    }

    void showingTheWindowStartsANewCard()
    {
        QCOMPARE(card->windowTitle(), QString(" Pratelia - Tariffario Servizi"));
        QCOMPARE(card->findChild<QLabel *>("panInfo")->text(),
                 QString("Pronto per archiviare una nuova scheda..."));
        writeArchive(1);
        card->browse(Browse::First);
        card->findChild<QCheckBox *>("chkTarScontata")->setChecked(true);
        showCard();
        QCOMPARE(position(), QString());
        QCOMPARE(edit("txtID")->text(), QString());
        QCOMPARE(edit("txtScontata")->text(), QString("0,00"));
        QCOMPARE(card->findChild<QLabel *>("lblFile01")->text(), QString());
        QVERIFY(!card->findChild<QCheckBox *>("chkTarScontata")->isChecked());
        QCOMPARE(QApplication::focusWidget(), edit("txtID"));
    }

    void taxCodeButtonChoosesTheCheck_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("input");
        QTest::newRow("eleven digits") << "01234567897" << "TfrmPartitaIva" << "01234567897";
        QTest::newRow("tax code") << "RSSMRA80A01H501U" << "TfrmCodFisc" << "RSSMRA80A01H501U";
        QTest::newRow("blank") << "" << "TfrmCodFisc" << "";
    }
    void taxCodeButtonChoosesTheCheck()
    {
        QFETCH(QString, code);
        QFETCH(QString, window);
        QFETCH(QString, input);
        edit("txtCodFisc")->setText(code);
        QString opened, given;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            opened = dialog->objectName();
            if (auto *f = dialog->findChild<QLineEdit *>())
                given = f->text();
            dialog->done(QDialog::Rejected);
        });
        click("btnCodFisc");
        QCOMPARE(opened, window);
        QCOMPARE(given, input);
    }

    void commandsOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("label"); // a label of the window and its text, when it has one
        QTest::addColumn<QString>("text");
        QTest::newRow("search") << "cmdTrova" << "TfrmTrovaTariffario" << "lblMemory" << "tariffario";
        QTest::newRow("person import") << "impPersona" << "TfrmTrovaClienti" << "lblMemory"
                                       << "tariffario";
        QTest::newRow("export") << "cmdEsporta" << "TfrmExpTariffario" << "" << "";
        QTest::newRow("discounted list") << "cmdScontate" << "TfrmTariffeScontate" << "" << "";
        QTest::newRow("print") << "cmdStampa" << "TfrmStampaTariffa" << "" << "";
        QTest::newRow("help") << "cmdGuida" << "TfrmGuida" << "lblTitolo"
                              << "Applicazione Tariffario Servizi.";
    }
    void commandsOpenTheirWindows()
    {
        QFETCH(QString, command);
        QFETCH(QString, window);
        QFETCH(QString, label);
        QFETCH(QString, text);
        fillMandatory();
        const kit::CardValues before = card->values();
        QString opened, shown;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            opened = dialog->objectName();
            if (auto *l = dialog->findChild<QLabel *>(label); l && !label.isEmpty())
                shown = l->text();
            dialog->done(QDialog::Rejected);
        });
        click(command.toLatin1().constData());
        QCOMPARE(opened, window);
        QCOMPARE(shown, text);
        QCOMPARE(card->values(), before); // closed without a choice: the card as it was
        QVERIFY(!QFile::exists(archivePath()) || QFileInfo(archivePath()).size() == 0);
    }

    void esciShowsTheMenu()
    {
        QWidget menu;
        kit::WindowCatalogue::instance().add(QStringLiteral("TfrmAvvio"), &menu);
        showCard();
        edit("txtID")->setText("non salvato");
        click("cmdEsci");
        kit::WindowCatalogue::instance().clear();
        QVERIFY(menu.isVisible());
        QVERIFY(!card->isVisible());
        QVERIFY(platform->dialogs.shown.isEmpty());
        QVERIFY(!QFile::exists(archivePath()));
    }

    void requestFormCopy_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<QByteArray>("kept");
        QTest::addColumn<QString>("name"); // what the field names afterwards
        QTest::newRow("new name is copied") << false << true << QByteArray("new form") << "richiesta.pdf";
        // No keeps the file there, and the field what it named before.
        QTest::newRow("existing, No keeps the old file") << true << false << QByteArray("old form") << "";
        QTest::newRow("existing, Yes replaces it") << true << true << QByteArray("new form") << "richiesta.pdf";
    }
    void requestFormCopy()
    {
        QFETCH(bool, existing);
        QFETCH(bool, overwrite);
        QFETCH(QByteArray, kept);
        QFETCH(QString, name);
        QTemporaryDir elsewhere;
        const QString source = elsewhere.filePath("richiesta.pdf");
        QFile s(source);
        QVERIFY(s.open(QIODevice::WriteOnly));
        s.write("new form");
        s.close();
        if (existing) {
            QDir(folder->path()).mkpath("Documenti_Allegati");
            folder->write("Documenti_Allegati/richiesta.pdf", "old form");
        }
        platform->dialogs.chooseNext(source);
        platform->dialogs.answerNext(overwrite);
        QVERIFY(!card->findChild<QPushButton *>("btnApri")->isEnabled());
        click("btnSfoglia");
        QCOMPARE(platform->dialogs.chooserTitles, QStringList{"Selezionare il file da allegare:"});
        QCOMPARE(platform->dialogs.chooserFilters, QStringList{"Tutti i file (*.*)"});
        QCOMPARE(edit("txtCopia")->text(), name);
        QCOMPARE(folder->read("Documenti_Allegati/richiesta.pdf"), kept);
        QCOMPARE(platform->dialogs.shown.size(), existing ? 1 : 0);
        if (existing)
            QCOMPARE(platform->dialogs.lastText(),
                     "Attenzione: nella cartella dei documenti allegati è presente un file con lo "
                     "stesso nome.\n\r\n\rSi vuole sovrascrivere il file esistente?");

        if (name.isEmpty())
            return;
        QVERIFY(card->findChild<QPushButton *>("btnApri")->isEnabled());
        click("btnApri");
        QCOMPARE(platform->shell.opened.size(), 1);
        QCOMPARE(QFileInfo(platform->shell.opened.first().toLocalFile()).canonicalFilePath(),
                 QFileInfo(folder->file("Documenti_Allegati/richiesta.pdf")).canonicalFilePath());
        click("imgCancella01");
        QCOMPARE(edit("txtCopia")->text(), QString());
        QVERIFY(!card->findChild<QPushButton *>("btnApri")->isEnabled());
        QVERIFY(QFile::exists(folder->file("Documenti_Allegati/richiesta.pdf")));
    }

    void requestFormCancelledOrMissing()
    {
        edit("txtCopia")->setText("vecchio.pdf");
        click("btnSfoglia"); // cancelled: nothing queued
        QCOMPARE(edit("txtCopia")->text(), QString("vecchio.pdf"));
        platform->dialogs.chooseNext(folder->file("altrove/sparito.pdf"));
        click("btnSfoglia");
        // The source is gone: the user is told, the field keeps its name.
        QCOMPARE(edit("txtCopia")->text(), QString("vecchio.pdf"));
        QCOMPARE(platform->dialogs.shown.size(), 1);
        QCOMPARE(platform->dialogs.lastText(), kit::attachmentCopyFailedText());
        platform->dialogs.clear();
        QVERIFY(!QFile::exists(folder->file("Documenti_Allegati/sparito.pdf")));

        // Chosen from the attachments folder itself: nothing to ask or copy.
        QDir(folder->path()).mkpath("Documenti_Allegati");
        folder->write("Documenti_Allegati/gia.pdf", "kept");
        platform->dialogs.chooseNext(folder->file("Documenti_Allegati/gia.pdf"));
        click("btnSfoglia");
        QCOMPARE(edit("txtCopia")->text(), QString("gia.pdf"));
        QVERIFY(platform->dialogs.shown.isEmpty());
        QCOMPARE(folder->read("Documenti_Allegati/gia.pdf"), QByteArray("kept"));
    }

    void personImportedFromTheClientSearch()
    {
        Record client(layouts::cliente());
        client.setText(u"Cognome", u"Rossi");
        client.setText(u"Nome", u"Mario");
        client.setText(u"CodFisc", u"RSSMRA80A01H501U");
        client.setText(u"Recapito", u"333 1234567");
        client.setText(u"Email", u"mario@rossi.it");
        appendRecord(ArchivePath(archives::kClienti), client);
        fillMandatory();
        edit("txtNote")->setText("resta");
        lists::SearchWindow search(clients::clientSearchConfig(), card.get());
        search.setMode("tariffario");
        search.search();
        search.pick(0);
        QCOMPARE(edit("txtPersona")->text(), QString("Rossi Mario"));
        QCOMPARE(edit("txtCodFisc")->text(), QString("RSSMRA80A01H501U"));
        QCOMPARE(edit("txtRecapito")->text(), QString("333 1234567"));
        QCOMPARE(edit("txtEmail")->text(), QString("mario@rossi.it"));
        QCOMPARE(edit("txtID")->text(), QString("PR-1"));
        QCOMPARE(edit("txtNote")->text(), QString("resta"));
        QCOMPARE(position(), QString());
        QVERIFY(!QFile::exists(archivePath())); // nothing saved
    }

    void attachmentsReachTheRecordOnSave()
    {
        fillMandatory();
        QString mode;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            mode = dialog->findChild<QLabel *>("lblMemory")->text();
            dialog->findChild<QLineEdit *>("txtDesc02")->setText("Planimetria");
            dialog->findChild<QLineEdit *>("txtFile02")->setText("pianta.pdf");
            dialog->findChild<QPushButton *>("btnApplica")->click();
        });
        click("cmdFile");
        QCOMPARE(mode, QString("tariffario"));
        QCOMPARE(card->findChild<QLabel *>("lblFile02")->text(), QString("pianta.pdf"));
        card->save();
        const Record saved = readRecord(archivePath(), layout(), 1);
        QCOMPARE(saved.text(u"File02"), QString("pianta.pdf"));
        QCOMPARE(saved.text(u"Desc02"), QString("Planimetria"));
    }

    void statusLineDescribesTheCommands_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::newRow("new") << "cmdNuovo"
                             << "Prepara la schermata per l'inserimento di una nuova scheda.";
        QTest::newRow("duplicate") << "cmdDuplica"
            << "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti.";
        QTest::newRow("discounted") << "cmdScontate"
            << "Visualizza il riepilogo dei servizi con tariffa scontata.";
        QTest::newRow("import") << "impPersona"
            << "Importa i dati dall'archivio anagrafico dei clienti.";
        QTest::newRow("browse") << "btnSfoglia"
            << "Seleziona il file del modulo da allegare alla scheda corrente.";
        QTest::newRow("open") << "btnApri" << "Apri il file del modulo allegato alla scheda corrente.";
        QTest::newRow("clear") << "imgCancella01"
            << "Cancella la copia digitale del modulo per la richiesta del servizio.";
        QTest::newRow("flag") << "chkTarScontata"
            << "Spunta questa casella per indicare che il servizio viene fornito a tariffa scontata.";
        QTest::newRow("section frame clears") << "fraInformazioni" << "";
        QTest::newRow("command bar clears") << "panComandi" << "";
        // The maximised window around the card's fixed panel.
        QTest::newRow("window background clears") << "TfrmTariffario" << "";
    }
    void statusLineDescribesTheCommands()
    {
        QFETCH(QString, control);
        QFETCH(QString, text);
        auto *status = card->findChild<QLabel *>("panInfo");
        status->setText("before");
        QWidget *w = card->objectName() == control ? card.get() : card->findChild<QWidget *>(control);
        QVERIFY(w);
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(w, &enter);
        QCOMPARE(status->text(), text);
    }

    void emailOpensTheMailProgram()
    {
        edit("txtEmail")->setText("  studio@example.it ");
        click("btnEmail");
        QCOMPARE(platform->shell.opened.size(), 1);
        QCOMPARE(platform->shell.opened.first().toString(), QString("mailto:studio@example.it"));
    }

    void archiveFailureKeepsTheCard_data()
    {
        QTest::addColumn<IoStep>("step");
        QTest::addColumn<bool>("saving");
        QTest::addColumn<bool>("append");
        QTest::newRow("append, open") << IoStep::Open << true << true;
        QTest::newRow("append, write") << IoStep::Write << true << true;
        QTest::newRow("append, lock") << IoStep::Lock << true << true;
        QTest::newRow("append, close") << IoStep::Close << true << true;
        QTest::newRow("update, write") << IoStep::Write << true << false;
        QTest::newRow("update, close") << IoStep::Close << true << false;
        QTest::newRow("browse, open") << IoStep::Open << false << false;
        QTest::newRow("browse, read") << IoStep::Read << false << false;
    }
    void archiveFailureKeepsTheCard()
    {
        QFETCH(IoStep, step);
        QFETCH(bool, saving);
        QFETCH(bool, append);
        writeArchive(2);
        if (!append) {
            card->browse(Browse::First);
            edit("txtTipologia")->setText("modificata");
        } else {
            fillMandatory();
        }
        const kit::CardValues before = card->values();
        const QByteArray bytes = archiveBytes();
        {
            FaultyFileSystem faulty;
            faulty.failAt(step);
            if (saving)
                card->save();
            else
                card->browse(Browse::Next);
            QVERIFY(faulty.triggered());
        }
        QCOMPARE(platform->dialogs.shown.size(), 1);
        QCOMPARE(platform->dialogs.last()->kind, MessageKind::Error);
        QCOMPARE(platform->dialogs.lastText(), FileAccessErrorText());
        if (step == IoStep::Close && append) {
            // The record was completely written before the close failed: the
            // card is now that record, and trying again overwrites it.
            QCOMPARE(position(), QString("3"));
            QCOMPARE(countRecords(archivePath(), layout()), 3);
        } else {
            QCOMPARE(card->values(), before);
        }
        if (step != IoStep::Close) // a failed close comes after the write
            QCOMPARE(archiveBytes(), bytes);
        // The window stays usable: the same command works once the fault is gone.
        platform->dialogs.clear();
        if (saving)
            card->save();
        else
            card->browse(Browse::Next);
        QCOMPARE(platform->dialogs.shown.size(), saving ? 1 : 0);
        if (saving)
            QCOMPARE(platform->dialogs.last()->kind, MessageKind::Information);
        if (saving && append)
            QCOMPARE(countRecords(archivePath(), layout()), 3); // never a copy
    }
};

QTEST_MAIN(TestTariffario)
#include "test_tariffario.moc"
