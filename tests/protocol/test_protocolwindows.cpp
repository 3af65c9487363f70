// The protocol's windows as a user drives them: the year menu, New and the
// settings it reads, Save with its checks, the question about a number
// already stored and the number a new card lands with, the kind buttons,
// the registration date from the date picker, the remembered office and
// operator, the numbering window, the summary by interval and the export
// and print windows.
#include "support/tempfolder.h"
#include "support/windows.h"
#include "support/yearly.h"

#include "kit/datepicker.h"
#include "kit/help.h"
#include "lists/exportgrid.h"
#include "platform/inifile.h"
#include "platform/testing.h"
#include "platform/texts.h"
#include "protocol/protocolcard.h"
#include "protocol/protocollists.h"
#include "protocol/protocolwindows.h"
#include "store/codepage.h"
#include "store/recordfile.h"
#include "store/values.h"
#include "support/faultyfs.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::protocol;
using namespace pratelia::testing;

namespace {
const QString kInserted = "La scheda corrente è stata inserita in archivio.";
const QString kUpdated = "Le modifiche apportate alla scheda corrente sono state salvate in archivio.";

Record stored(const QString &number, const QString &kind = "In entrata",
              const QString &date = "10/01/2024")
{
    Record r(layout());
    r.setText(u"Numero", number);
    r.setText(u"Tipologia", kind);
    r.setText(u"DataReg", date);
    r.setText(u"Ufficio", u"Protocollo");
    r.setText(u"Operatore", u"Anna");
    r.setText(u"Categoria", u"Corrispondenza");
    r.setText(u"Oggetto", QString("Oggetto " + number));
    r.setText(u"Copia", QString("copia-" + number + ".pdf"));
    r.setText(u"File02", u"allegato.pdf");
    r.setText(u"Desc02", u"ricevuta");
    return r;
}

QStringList storedNumbers(const QString &path)
{
    QStringList numbers;
    scanArchive(path, layout(), [&](const RecordView &r, int) {
        numbers << r.text(u"Numero");
        return true;
    });
    return numbers;
}
} // namespace

class TestProtocolWindows : public QObject, YearlyWindows<TfrmProtocollo, TfrmMenuProtocollo> {
    Q_OBJECT

    QLineEdit *edit(const QString &name) { return control<QLineEdit>(card.get(), name); }
    QString position() { return control<QLabel>(card.get(), "lblPosizione")->text(); }
    QString path() { return folder->file("2024.prt"); }
    void setSettings(const QByteArray &ini) { folder->write("Pratelia.ini", ini); }

    void openYear(const QString &year)
    {
        if (card->isVisible())
            press(card.get(), "cmdEsci");
        menu->show();
        menu->yearEdit()->setText(year);
        press(menu.get(), "btnApriPreventivi");
        QVERIFY(card->isVisible());
    }
    void fillMandatory()
    {
        edit("txtCategoria")->setText("Corrispondenza");
        edit("txtOggetto")->setText("Richiesta di documenti");
        control<QRadioButton>(card.get(), "optUscita")->setChecked(true);
    }
    void activate()
    {
        QApplication::setActiveWindow(card.get());
        QVERIFY(QTest::qWaitForWindowActive(card.get()));
    }
    QString nextModalTitle(const QString &command, QString *mode = nullptr)
    {
        QString name, memory;
        onNextModal([&](QWidget *w) {
            name = w->objectName();
            if (auto *l = w->findChild<QLabel *>("lblMemory"))
                memory = l->text();
            static_cast<QDialog *>(w)->done(QDialog::Rejected);
        });
        press(card.get(), command);
        if (mode)
            *mode = memory;
        return name;
    }

private slots:
    void init() { setUpWindows(QDate(2025, 2, 3)); }
    void cleanup() { tearDownWindows(); }

    void yearMenu_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<bool>("opens");
        QTest::newRow("the proposed year") << "" << true;
        QTest::newRow("0999") << "0999" << true;
        QTest::newRow("three digits") << "202" << false;
    }
    void yearMenu()
    {
        QFETCH(QString, year);
        QFETCH(bool, opens);
        menu->show();
        QCOMPARE(menu->yearEdit()->text(), QString("2025"));
        QCOMPARE(menu->windowTitle(), QString(" Pratelia - Protocollo Documenti"));
        QCOMPARE(control<QLabel>(menu.get(), "intAnnoPreventivi")->text(),
                 QString("Archivio protocollo documenti:"));
        if (!year.isEmpty())
            menu->yearEdit()->setText(year);
        press(menu.get(), "btnApriPreventivi");
        const QString opened = year.isEmpty() ? "2025" : year;
        QCOMPARE(card->isVisible(), opens);
        if (opens) {
            QCOMPARE(card->archivePath(), folder->file(opened + ".prt"));
            QCOMPARE(card->windowTitle(), " Pratelia - Protocollo Documenti anno " + opened);
            QCOMPARE(control<QLabel>(menu.get(), "lblMemory")->text(), QString("protocollo"));
        } else {
            QCOMPARE(platform->dialogs.lastText(),
                     QString("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
            QVERIFY(menu->isVisible());
        }
        // Opening a year creates nothing.
        QCOMPARE(QDir(folder->path()).entryList(QDir::Files), QStringList());
        // Shown again, the menu proposes this year, not the last one.
        if (opens) {
            press(card.get(), "cmdEsci");
            menu->show();
            QCOMPARE(menu->yearEdit()->text(), QString("2025"));
        }
    }

    void openingShowsABlankCardWithTheDefaults()
    {
        setSettings("[Protocollo Documenti]\r\nUfficio=Segreteria\r\nOperatore=Luca\r\n");
        openYear("2024");
        QCOMPARE(edit("txtUfficio")->text(), QString("Segreteria"));
        QCOMPARE(edit("txtOperatore")->text(), QString("Luca"));
        QCOMPARE(edit("txtDataReg")->text(), QString("03/02/2025"));
        QCOMPARE(edit("txtNumero")->text(), QString());
        QCOMPARE(position(), QString());
        QCOMPARE(control<QLabel>(card.get(), "panInfo")->text(),
                 QString("Pronto per archiviare una nuova scheda..."));
        // Opening the card touches no archive.
        QVERIFY(!QFile::exists(path()));
    }

    void newProposesTheNumber_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("no settings") << QByteArray() << 0 << "1";
        QTest::newRow("year on") << QByteArray("[Numerazione Protocollo]\r\nIndicazione Anno Solare=S\xEC\r\n")
                                 << 0 << "1/2025";
        QTest::newRow("100 and 5 records")
            << QByteArray("[Numerazione Protocollo]\r\nInizio=100\r\nIndicazione Anno Solare=S\xEC\r\n")
            << 5 << "105/2025";
        QTest::newRow("si is no year")
            << QByteArray("[Numerazione Protocollo]\r\nInizio=3\r\nIndicazione Anno Solare=si\r\n")
            << 2 << "5";
    }
    void newProposesTheNumber()
    {
        QFETCH(QByteArray, ini);
        QFETCH(int, records);
        QFETCH(QString, proposed);
        if (!ini.isEmpty())
            setSettings(ini);
        QByteArray bytes;
        for (int i = 1; i <= records; ++i)
            bytes += stored(QString::number(i)).bytes();
        if (records)
            folder->write("2024.prt", bytes);
        // Last year's archive: the suffix is this year's.
        openYear("2024");
        press(card.get(), "cmdNuovo");
        QVERIFY(platform->dialogs.shown.isEmpty());
        QCOMPARE(edit("txtNumero")->text(), proposed);
        QCOMPARE(edit("txtDataReg")->text(), QString("03/02/2025"));
        QCOMPARE(card->focusWidget()->objectName(), QString("txtCategoria"));
        QVERIFY(QFile::exists(path()));
        // Saved, the card is its record.
        fillMandatory();
        press(card.get(), "cmdSalva");
        QCOMPARE(platform->dialogs.lastText(), kInserted);
        QCOMPARE(position(), QString::number(records + 1));
        QCOMPARE(storedNumbers(path()).last(), proposed);
    }

    void newRefusedOnSettingsItCannotUse_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("not a whole number") << QByteArray("[Numerazione Protocollo]\r\nInizio=1,5\r\n");
        QTest::newRow("negative") << QByteArray("[Numerazione Protocollo]\r\nInizio=-4\r\n");
        QTest::newRow("too large") << QByteArray("[Numerazione Protocollo]\r\nInizio=4294967297\r\n");
        QTest::newRow("unreadable file") << QByteArray();
    }
    void newRefusedOnSettingsItCannotUse()
    {
        QFETCH(QByteArray, ini);
        if (ini.isEmpty())
            QVERIFY(QDir(folder->path()).mkdir("Pratelia.ini"));
        else
            setSettings(ini);
        folder->write("2024.prt", stored("7").bytes());
        openYear("2024");
        card->browse(Browse::First);
        const kit::CardValues before = card->values();
        press(card.get(), "cmdNuovo");
        QCOMPARE(platform->dialogs.shown.size(), 1);
        QCOMPARE(platform->dialogs.last()->kind, MessageKind::Error);
        QCOMPARE(platform->dialogs.lastText(), FileAccessErrorText());
        // What was shown stays.
        QCOMPARE(card->values(), before);
    }

    void newReportsAnArchiveItCannotReach()
    {
        openYear("2024");
        FaultyFileSystem fs;
        fs.onlyFiles(".prt");
        fs.failAt(IoStep::Open, 1, true);
        press(card.get(), "cmdNuovo");
        QCOMPARE(platform->dialogs.lastText(), FileAccessErrorText());
        QCOMPARE(edit("txtNumero")->text(), QString());
    }

    void saveChecksInOrder_data()
    {
        QTest::addColumn<QStringList>("filled");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString pre = "Attenzione: per salvare la scheda è necessario indicare ";
        QTest::newRow("everything blank: the number first")
            << QStringList{} << pre + "il numero di protocollo del documento." << "txtNumero";
        QTest::newRow("no date") << QStringList{"txtNumero"}
                                 << pre + "la data di registrazione del documento." << "txtDataReg";
        QTest::newRow("no category") << QStringList{"txtNumero", "txtDataReg"}
                                     << pre + "la categoria del documento." << "txtCategoria";
        QTest::newRow("no subject") << QStringList{"txtNumero", "txtDataReg", "txtCategoria"}
                                    << pre + "l'oggetto del documento." << "txtOggetto";
        QTest::newRow("no kind")
            << QStringList{"txtNumero", "txtDataReg", "txtCategoria", "txtOggetto"}
            << pre + "la tipologia di posta (in entrata, in uscita o interna)." << "optEntrata";
    }
    void saveChecksInOrder()
    {
        QFETCH(QStringList, filled);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        openYear("2024");
        QApplication::setActiveWindow(card.get());
        for (const char *name : {"txtNumero", "txtDataReg", "txtCategoria", "txtOggetto"})
            edit(name)->setText(filled.contains(name) ? "  x  " : "   ");
        press(card.get(), "cmdSalva");
        QCOMPARE(platform->dialogs.shown.size(), 1);
        QCOMPARE(platform->dialogs.last()->kind, MessageKind::Warning);
        QCOMPARE(platform->dialogs.lastText(), message);
        QCOMPARE(card->focusWidget()->objectName(), focus);
        QVERIFY(!QFile::exists(path()));
    }

    void kindButtonsFollowTheRecord_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("ticked");
        QTest::newRow("incoming") << "In entrata" << "optEntrata";
        QTest::newRow("outgoing") << "In uscita" << "optUscita";
        QTest::newRow("internal") << " Interna " << "optInterna";
        // A text not among the three leaves the buttons as they were.
        QTest::newRow("unknown text") << "Fax" << "optUscita";
        QTest::newRow("other case") << "interna" << "optUscita";
    }
    void kindButtonsFollowTheRecord()
    {
        QFETCH(QString, kind);
        QFETCH(QString, ticked);
        folder->write("2024.prt", stored("1", "In uscita").bytes() + stored("2", kind).bytes());
        openYear("2024");
        card->browse(Browse::First);
        card->browse(Browse::Next);
        QCOMPARE(position(), QString("2"));
        for (const char *name : {"optEntrata", "optUscita", "optInterna"})
            QCOMPARE(control<QRadioButton>(card.get(), name)->isChecked(), ticked == name);
        // And the record's other fields, attachments included.
        QCOMPARE(edit("txtCopia")->text(), QString("copia-2.pdf"));
        QCOMPARE(control<QLabel>(card.get(), "lblFile02")->text(), QString("allegato.pdf"));
        QVERIFY(control<QWidget>(card.get(), "btnApri")->isEnabled());
        // New unticks them all.
        press(card.get(), "cmdNuovo");
        for (const char *name : {"optEntrata", "optUscita", "optInterna"})
            QVERIFY(!control<QRadioButton>(card.get(), name)->isChecked());
        QVERIFY(!control<QWidget>(card.get(), "btnApri")->isEnabled());
    }

    void kindStoredAsTheButtonsCaption_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("incoming") << "optEntrata" << QByteArray("\x0AIn entrata");
        QTest::newRow("outgoing") << "optUscita" << QByteArray("\x09In uscita");
        QTest::newRow("internal") << "optInterna" << QByteArray("\x07Interna");
    }
    void kindStoredAsTheButtonsCaption()
    {
        QFETCH(QString, button);
        QFETCH(QByteArray, bytes);
        openYear("2024");
        press(card.get(), "cmdNuovo");
        fillMandatory();
        control<QRadioButton>(card.get(), button)->setChecked(true);
        press(card.get(), "cmdSalva");
        const QByteArray record = folder->read("2024.prt");
        QCOMPARE(record.size(), 3403);
        QCOMPARE(record.mid(17, bytes.size()), bytes);
        QCOMPARE(control<QRadioButton>(card.get(), button)->text(),
                 codepage::decode(bytes.mid(1)));
    }

    void secondSaveUpdates()
    {
        openYear("2024");
        press(card.get(), "cmdNuovo");
        fillMandatory();
        press(card.get(), "cmdSalva");
        edit("txtNote")->setText("seconda versione");
        press(card.get(), "cmdSalva");
        QCOMPARE(platform->dialogs.lastText(), kUpdated);
        QCOMPARE(folder->read("2024.prt").size(), 3403);
        QCOMPARE(readRecord(path(), layout(), 1).text(u"Note"), QString("seconda versione"));
    }

    void aNumberAlreadyStoredIsSavedOnlyWhenTheUserSaysSo_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("No") << false;
        QTest::newRow("Yes") << true;
    }
    void aNumberAlreadyStoredIsSavedOnlyWhenTheUserSaysSo()
    {
        QFETCH(bool, yes);
        folder->write("2024.prt", stored("1").bytes() + stored("2").bytes());
        openYear("2024");
        press(card.get(), "cmdNuovo");
        fillMandatory();
        edit("txtNumero")->setText(" 2 ");
        platform->dialogs.answerNext(yes);
        press(card.get(), "cmdSalva");
        QCOMPARE(platform->dialogs.shown.first().kind, MessageKind::Question);
        QCOMPARE(platform->dialogs.shown.first().text,
                 QString("Attenzione: il numero di protocollo 2 è già stato assegnato alla scheda "
                         "n. 2 di questo archivio.\n\r\n\rSi vuole salvare comunque la scheda con "
                         "lo stesso numero?"));
        QCOMPARE(storedNumbers(path()), yes ? QStringList({"1", "2", "2"}) : QStringList({"1", "2"}));
        QCOMPARE(position(), yes ? QString("3") : QString());
        // Saving a card again with its own number asks nothing.
        if (yes) {
            platform->dialogs.clear();
            card->browse(Browse::First);
            press(card.get(), "cmdSalva");
            QCOMPARE(platform->dialogs.shown.size(), 1);
            QCOMPARE(platform->dialogs.lastText(), kUpdated);
        }
    }

    void proposedNumberLandsWithItsRecord()
    {
        setSettings("[Numerazione Protocollo]\r\nInizio=100\r\nIndicazione Anno Solare=S\xEC\r\n");
        folder->write("2024.prt", stored("100/2025").bytes());
        openYear("2024");
        press(card.get(), "cmdNuovo");
        QCOMPARE(edit("txtNumero")->text(), QString("101/2025"));
        fillMandatory();
        // Meanwhile another copy of the program saves its own new card.
        appendRecord(path(), stored("101/2025"));
        press(card.get(), "cmdSalva");
        QCOMPARE(platform->dialogs.shown.size(), 1);
        QCOMPARE(platform->dialogs.lastText(),
                 kInserted + "\n\r\n\rIl numero di protocollo 101/2025 è stato assegnato nel "
                             "frattempo a un'altra scheda: questa scheda è stata registrata con il "
                             "numero 102/2025.");
        QCOMPARE(edit("txtNumero")->text(), QString("102/2025"));
        QCOMPARE(position(), QString("3"));
        QCOMPARE(storedNumbers(path()), QStringList({"100/2025", "101/2025", "102/2025"}));
        // Saved again, it stays what it is.
        press(card.get(), "cmdSalva");
        QCOMPARE(platform->dialogs.lastText(), kUpdated);
        QCOMPARE(storedNumbers(path()), QStringList({"100/2025", "101/2025", "102/2025"}));
    }

    void typedNumberIsStoredAsTyped()
    {
        openYear("2024");
        press(card.get(), "cmdNuovo");
        fillMandatory();
        edit("txtNumero")->setText("A-17");
        appendRecord(path(), stored("1"));
        press(card.get(), "cmdSalva");
        QCOMPARE(platform->dialogs.lastText(), kInserted);
        QCOMPARE(storedNumbers(path()), QStringList({"1", "A-17"}));
    }

    void registrationDateFromThePicker()
    {
        openYear("2024");
        activate();
        QString mode;
        onNextModal([&](QWidget *w) {
            mode = control<QLabel>(w, "lblMemory")->text();
            auto *picker = static_cast<kit::TfrmCalendario *>(w);
            picker->calendar()->setSelectedDate(QDate(2024, 12, 31));
            press(w, "btnImportaData");
        });
        edit("txtDataReg")->setFocus();
        QTest::keyClick(edit("txtDataReg"), Qt::Key_5);
        QCOMPARE(mode, QString("datareg"));
        QCOMPARE(edit("txtDataReg")->text(), QString("31/12/2024"));
        QTest::keyClick(edit("txtDataReg"), Qt::Key_Delete);
        QCOMPARE(edit("txtDataReg")->text(), QString());
    }
    void digitalCopyClearedKeepsTheFile()
    {
        folder->write("2024.prt", stored("1").bytes());
        QDir(folder->path()).mkdir("Documenti_Allegati");
        folder->write("Documenti_Allegati/copia-1.pdf", "%PDF");
        openYear("2024");
        card->browse(Browse::First);
        press(card.get(), "btnApri");
        QCOMPARE(platform->shell.opened.size(), 1);
        QVERIFY(platform->shell.opened.first().toLocalFile().endsWith("Documenti_Allegati/copia-1.pdf"));
        activate();
        edit("txtCopia")->setFocus();
        QTest::keyClick(edit("txtCopia"), Qt::Key_Backspace);
        QCOMPARE(edit("txtCopia")->text(), QString());
        QVERIFY(!control<QWidget>(card.get(), "btnApri")->isEnabled());
        QVERIFY(QFile::exists(folder->file("Documenti_Allegati/copia-1.pdf")));
    }

    void closingRemembersOfficeAndOperator()
    {
        setSettings("[Numerazione Protocollo]\r\nInizio=5\r\n");
        folder->write("2024.prt", stored("1").bytes());
        openYear("2024");
        // The last card viewed gives them.
        card->browse(Browse::First);
        press(card.get(), "cmdEsci");
        QVERIFY(mainMenu->isVisible());
        QCOMPARE(readIniValue(folder->file("Pratelia.ini"), "Protocollo Documenti", "Ufficio"),
                 QString("Protocollo"));
        QCOMPARE(readIniValue(folder->file("Pratelia.ini"), "Protocollo Documenti", "Operatore"),
                 QString("Anna"));
        QCOMPARE(readIniValue(folder->file("Pratelia.ini"), "Numerazione Protocollo", "Inizio"),
                 QString("5"));
        openYear("2024");
        QCOMPARE(edit("txtUfficio")->text(), QString("Protocollo"));
        QCOMPARE(edit("txtOperatore")->text(), QString("Anna"));
        // New keeps them too.
        press(card.get(), "cmdNuovo");
        QCOMPARE(edit("txtOperatore")->text(), QString("Anna"));
    }

    void commandsOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("mode");
        QTest::newRow("search") << "cmdTrova" << "TfrmTrovaProtocollo" << "protocollo";
        QTest::newRow("summary") << "cmdRiepilogo" << "TfrmRiepProtocollo" << "";
        QTest::newRow("export") << "cmdEsporta" << "TfrmExpProtocollo" << "";
        QTest::newRow("print") << "cmdStampa" << "TfrmStampaProtocollo" << "";
        QTest::newRow("numbering") << "cmdNumerazione" << "TfrmNumerazione" << "protocollo";
        QTest::newRow("attachments") << "cmdFile" << "TfrmAllegaCartella" << "protocollo";
        QTest::newRow("help") << "cmdGuida" << "TfrmGuida" << "";
    }
    void commandsOpenTheirWindows()
    {
        QFETCH(QString, command);
        QFETCH(QString, window);
        QFETCH(QString, mode);
        openYear("2024");
        QString opened;
        QCOMPARE(nextModalTitle(command, &opened), window);
        QCOMPARE(opened, mode);
    }

    void searchPickShowsTheRecord()
    {
        folder->write("2024.prt", stored("9").bytes() + stored("10", "Interna").bytes());
        openYear("2024");
        onNextModal([](QWidget *w) {
            auto *search = static_cast<lists::SearchWindow *>(w);
            search->criterion(1)->setText("interna");
            search->search();
            search->pick(0);
        });
        press(card.get(), "cmdTrova");
        QCOMPARE(position(), QString("2"));
        QCOMPARE(edit("txtNumero")->text(), QString("10"));
        QVERIFY(control<QRadioButton>(card.get(), "optInterna")->isChecked());
        // A following Save overwrites that record.
        press(card.get(), "cmdSalva");
        QCOMPARE(platform->dialogs.lastText(), kUpdated);
        QCOMPARE(folder->read("2024.prt").size(), 2 * 3403);
    }

    void numberingWindow_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("no file") << QByteArray() << "1" << false << "" << "";
        QTest::newRow("007 becomes 7")
            << QByteArray("[Numerazione Protocollo]\r\nInizio=3\r\nIndicazione Anno Solare=S\xEC\r\n")
            << "3" << true << "007" << "7";
        QTest::newRow("blank becomes 1")
            << QByteArray("[Numerazione Protocollo]\r\nInizio=3\r\n") << "3" << false << "   " << "1";
        QTest::newRow("0 stays 0") << QByteArray() << "1" << false << "0" << "0";
    }
    void numberingWindow()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, shown);
        QFETCH(bool, ticked);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        if (!ini.isEmpty())
            setSettings(ini);
        openYear("2024");
        QString seen;
        bool tickedSeen = false;
        QString left;
        onNextModal([&](QWidget *w) {
            auto *n = static_cast<TfrmNumerazione *>(w);
            seen = n->startField()->text();
            tickedSeen = n->yearBox()->isChecked();
            if (!typed.isEmpty()) {
                n->startField()->setText(typed);
                // Leaving the field puts it right.
                QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
                QApplication::sendEvent(n->startField(), &leave);
                left = n->startField()->text();
            }
            n->yearBox()->setChecked(!tickedSeen);
            press(w, "btnApplica");
        });
        press(card.get(), "cmdNumerazione");
        QCOMPARE(seen, shown);
        QCOMPARE(tickedSeen, ticked);
        if (!typed.isEmpty())
            QCOMPARE(left, written);
        const QString file = folder->file("Pratelia.ini");
        QCOMPARE(readIniValue(file, "Numerazione Protocollo", "Inizio"),
                 written.isEmpty() ? shown : written);
        QCOMPARE(readIniValue(file, "Numerazione Protocollo", "Indicazione Anno Solare"),
                 QString(ticked ? "No" : "Sì"));
    }

    void numberingNotSavedSaysSoAndStays()
    {
        const QByteArray ini = "[Numerazione Protocollo]\r\nInizio=3\r\n";
        setSettings(ini);
        openYear("2024");
        bool stillOpen = false;
        onNextModal([&](QWidget *w) {
            auto *n = static_cast<TfrmNumerazione *>(w);
            n->startField()->setText("40");
            {
                FaultyFileSystem fs;
                fs.failAt(IoStep::Rename, 1, true);
                n->apply();
            }
            stillOpen = n->isVisible();
            press(w, "btnAnnulla");
        });
        press(card.get(), "cmdNumerazione");
        QVERIFY(stillOpen);
        QCOMPARE(platform->dialogs.last()->kind, MessageKind::Warning);
        QVERIFY(platform->dialogs.lastText().startsWith(
            "Attenzione: l'impostazione della numerazione non è stata salvata."));
        QCOMPARE(folder->read("Pratelia.ini"), ini);
    }

    void numberingCancelledWritesNothing()
    {
        openYear("2024");
        onNextModal([](QWidget *w) {
            static_cast<TfrmNumerazione *>(w)->startField()->setText("40");
            press(w, "btnAnnulla");
        });
        press(card.get(), "cmdNumerazione");
        QVERIFY(!QFile::exists(folder->file("Pratelia.ini")));
    }

    void intervalSummary()
    {
        folder->write("2024.prt", stored("7", "In entrata", "05/03/2024").bytes()
                                      + stored("8", "In uscita", "06/03/2024").bytes()
                                      + stored("9", "Interna", "05/04/2024").bytes());
        openYear("2024");
        TfrmRiepProtocollo w(card.get());
        w.show();
        QCOMPARE(control<QLineEdit>(&w, "txtDataInizio")->text(), QString());
        QCOMPARE(control<QLineEdit>(&w, "txtDataFine")->text(), QString("03/02/2025"));
        QCOMPARE(w.grid()->rowCount(), 10);
        // An end before the start: the message, the grid as it was.
        control<QLineEdit>(&w, "txtDataInizio")->setText("10/03/2024");
        control<QLineEdit>(&w, "txtDataFine")->setText("01/03/2024");
        press(&w, "cmdTrova");
        QCOMPARE(platform->dialogs.last()->kind, MessageKind::Plain);
        QVERIFY(platform->dialogs.lastText().contains("non può essere anteriore"));
        QCOMPARE(w.grid()->rowCount(), 10);
        control<QLineEdit>(&w, "txtDataInizio")->setText("01/03/2024");
        control<QLineEdit>(&w, "txtDataFine")->setText("31/03/2024");
        press(&w, "cmdTrova");
        QCOMPARE(w.grid()->rowCount(), 2);
        QCOMPARE(w.grid()->cell(1, 0), QString("2"));
        QCOMPARE(w.grid()->cell(1, 1), QString("8"));
        // An edited cell reaches the file, never the archive.
        w.grid()->setData(w.grid()->index(0, 8), "Oggetto corretto", Qt::EditRole);
        QVERIFY(!w.grid()->setData(w.grid()->index(0, 3), "01/01/2000", Qt::EditRole));
        platform->dialogs.answerNext(true);
        platform->dialogs.answerNext(false);
        press(&w, "cmdEsporta");
        const QByteArray xls = folder->read("Protocollo.xls");
        QVERIFY(xls.contains("Oggetto corretto"));
        QVERIFY(xls.contains("Protocollo Documenti"));
        QVERIFY(!xls.contains(">N.<"));
        QCOMPARE(readRecord(path(), layout(), 1).text(u"Oggetto"), QString("Oggetto 7"));
        QVERIFY(platform->shell.opened.isEmpty());
    }

    void damagedArchiveInTheListWindows_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<int>("summaryRows");
        // A record cut short by a crash: the complete ones are listed.
        QTest::newRow("cut short") << QByteArray(1000, 'x') << 2;
        // A record of noise: its date cannot be read, it is left out and
        // the window says so.
        QTest::newRow("random bytes") << [] {
            QByteArray b(3403, '\0');
            quint32 x = 12345;
            for (char &c : b)
                c = char((x = x * 1103515245u + 12345u) >> 24);
            return b;
        }() << 2;
    }
    void damagedArchiveInTheListWindows()
    {
        QFETCH(QByteArray, tail);
        QFETCH(int, summaryRows);
        folder->write("2024.prt", stored("1", "In entrata", "05/03/2024").bytes()
                                      + stored("2", "In uscita", "06/03/2024").bytes() + tail);
        openYear("2024");
        {
            TfrmRiepProtocollo w(card.get());
            w.show();
            control<QLineEdit>(&w, "txtDataInizio")->setText("01/01/2024");
            control<QLineEdit>(&w, "txtDataFine")->setText("31/12/2024");
            press(&w, "cmdTrova");
            QCOMPARE(w.grid()->rowCount(), summaryRows);
            QCOMPARE(w.skippedLabel()->isVisibleTo(&w), tail.size() == 3403);
        }
        {
            lists::SearchWindow w(protocolSearchConfig(), card.get());
            w.setMode("protocollo");
            w.show();
            w.search();
            QVERIFY(w.results()->model()->rowCount() >= 2);
        }
        {
            lists::ExportWindow w(protocolExportConfig(), card.get());
            w.show();
            QCOMPARE(w.grid()->rowCount(), tail.size() == 3403 ? 3 : 2);
        }
        QVERIFY(platform->dialogs.shown.isEmpty());
        // Browsing shows the damaged record without harm; nothing is written.
        card->browse(Browse::Last);
        QCOMPARE(folder->read("2024.prt").size(), 2 * 3403 + tail.size());
    }

    void exportOfAnEmptyArchiveWritesTheDesignedRows()
    {
        openYear("2024");
        lists::ExportWindow w(protocolExportConfig(), card.get());
        w.show();
        QCOMPARE(w.grid()->rowCount(), 10);
        platform->dialogs.answerNext(true);
        platform->dialogs.answerNext(false);
        w.exportFile();
        const QByteArray xls = folder->read("Protocollo.xls");
        // The header row and ten empty rows.
        QCOMPARE(xls.count("<tr>"), 11);
        QVERIFY(xls.contains("N. protocollo"));
        QVERIFY(xls.contains("Recapito destinatario"));
    }

    void exportFillsOneRowPerRecord()
    {
        folder->write("2024.prt", stored("1").bytes() + stored("2").bytes());
        openYear("2024");
        lists::ExportWindow w(protocolExportConfig(), card.get());
        w.show();
        QCOMPARE(w.grid()->rowCount(), 2);
        QCOMPARE(w.grid()->cell(1, 0), QString("2"));
        QCOMPARE(w.grid()->cell(1, 1), QString("2"));
    }

    void printedCardShowsTheFields()
    {
        openYear("2024");
        press(card.get(), "cmdNuovo");
        fillMandatory();
        edit("txtFormato")->setText("A4");
        edit("txtPagine")->setText("3");
        const kit::CardPrint &print = protocolCardPrint();
        QCOMPARE(kit::printedValue(card.get(), print.rows.at(9)), QString("A4  -  N. pagine: 3"));
        QCOMPARE(kit::printedValue(card.get(), print.rows.at(0)), QString("1"));
        onNextModal([](QWidget *w) { press(w, "btnStampa"); });
        press(card.get(), "cmdStampa");
        QCOMPARE(platform->printing.jobs, QStringList{"Scheda Protocollo"});
        // Never saved: printing writes nothing.
        QCOMPARE(folder->read("2024.prt").size(), 0);
    }
};

QTEST_MAIN(TestProtocolWindows)
#include "test_protocolwindows.moc"
