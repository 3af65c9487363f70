// The service register's windows as a user drives them: the year menu and
// the archive it opens, the card's save, browse and Duplica on the year
// chosen last, the paid box and its bytes, the date fields and the date
// picker, the Enter chains and the tab order, the imports from the fee
// schedule and the client archive, the invoice file, the attach window,
// the commands' windows and status texts.
#include "support/tempfolder.h"
#include "support/windows.h"
#include "support/yearly.h"

#include "kit/datepicker.h"
#include "kit/help.h"
#include "clients/clientlistconfig.h"
#include "fees/feecard.h"
#include "lists/listwindows.h"
#include "platform/testing.h"
#include "platform/texts.h"
#include "services/servicecard.h"
#include "services/servizi.h"
#include "store/recordfile.h"
#include "store/values.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::services;
using namespace pratelia::testing;

namespace {
const QString kInserted = "La scheda corrente è stata inserita in archivio.";
const QString kUpdated = "Le modifiche apportate alla scheda corrente sono state salvate in archivio.";
const QString kCaption = " Pratelia - Registro Servizi anno ";

// A service record of the given year's archive.
Record service(const QString &id, const QString &client, const QString &paid = "No")
{
    Record r(layout());
    r.setText(u"ID", id);
    r.setText(u"Tipologia", u"Consulenza");
    r.setText(u"Descrizione", QString("Servizio " + id));
    r.setText(u"Tariffa", u"100,00");
    r.setText(u"DataRic", u"15/01/2024");
    r.setText(u"Cliente", client);
    r.setText(u"CodFisc", u"RSSMRA80A01H501U");
    r.setText(u"Copia", QString(id + ".pdf"));
    r.setText(u"File01", QString(id + "-allegato.pdf"));
    r.setText(u"Desc03", QString("nota " + id));
    r.setText(u"Pagato", paid);
    return r;
}

// While it lives, every date picker that opens is closed with Annulla and
// its mode word noted, so that a key that should not open one fails the
// test instead of waiting for a user.
class PickerCloser {
public:
    PickerCloser()
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto *w = qobject_cast<kit::TfrmCalendario *>(QApplication::activeModalWidget())) {
                modes << control<QLabel>(w, "lblMemory")->text();
                press(w, "btnAnnulla");
            }
        });
        m_timer.start();
    }
    QStringList modes;

private:
    QTimer m_timer;
};

QByteArray flagAt(const QByteArray &archive, int number)
{
    return archive.mid((number - 1) * 3758 + 2249, 3);
}

} // namespace

class TestServizi : public QObject, YearlyWindows<TfrmServizi, TfrmMenuServizi> {
    Q_OBJECT

    QLineEdit *edit(const QString &name) { return control<QLineEdit>(card.get(), name); }
    QCheckBox *paid() { return control<QCheckBox>(card.get(), "chkPagato"); }
    QString position() { return control<QLabel>(card.get(), "lblPosizione")->text(); }
    QString archiveFile() { return control<QLabel>(card.get(), "lblFile")->text(); }
    QByteArray archive(const QString &year) { return folder->read(year + ".ser"); }

    // The year menu shown from the main menu (the card, if shown, left
    // first), `year` in its field, Apri.
    void openYear(const QString &year)
    {
        if (card->isVisible())
            press(card.get(), "cmdEsci");
        QVERIFY(!card->isVisible());
        menu->show();
        menu->yearEdit()->setText(year);
        press(menu.get(), "btnApriPreventivi");
        QVERIFY(card->isVisible());
    }
    void activate(QWidget *w)
    {
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    void fillMandatory()
    {
        edit("txtID")->setText("730-24");
        edit("txtTipologia")->setText("Assistenza fiscale");
        edit("txtDescrizione")->setText("Dichiarazione dei redditi");
        edit("txtTariffa")->setText("120,00");
        edit("txtCliente")->setText("Rossi Mario");
        edit("txtCodFisc")->setText("RSSMRA80A01H501U");
    }
    // What the next modal window is, its mode word and the text of one of
    // its controls; it is closed without a choice.
    struct Opened {
        QString window, mode, text;
    };
    std::unique_ptr<Opened> m_opened;
    void nextModal(const QString &textControl = {})
    {
        m_opened = std::make_unique<Opened>();
        Opened *opened = m_opened.get();
        onNextModal([opened, textControl](QWidget *w) {
            opened->window = w->objectName();
            if (auto *l = w->findChild<QLabel *>("lblMemory"))
                opened->mode = l->text();
            if (!textControl.isEmpty())
                opened->text = kit::controlText(w, textControl);
            static_cast<QDialog *>(w)->done(QDialog::Rejected);
        });
    }

private slots:
    void init() { setUpWindows(); }
    void cleanup() { tearDownWindows(); }

    void yearMenuApri_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("opened"); // the year opened; empty: refused
        QTest::newRow("the proposed year") << "none" << "" << "2025";
        QTest::newRow("0001 typed") << "typed" << "0001" << "0001";
        QTest::newRow("a past year typed") << "typed" << "1999" << "1999";
        QTest::newRow("one digit deleted") << "backspace" << "" << "";
        QTest::newRow("letters typed are swallowed") << "typed" << "2o2x" << "";
        // What the digits filter swallows cannot be pasted either: over an
        // emptied field nothing is left to open...
        QTest::newRow("path pasted into the emptied field") << "paste into empty" << "../." << "";
        // ...and over the proposed year the year stays.
        QTest::newRow("path pasted over the year") << "paste" << "../." << "2025";
        // Whatever got past the filter, only four ASCII digits open a year.
        QTest::newRow("path in the field") << "set" << "../." << "";
        QTest::newRow("a blank inside") << "set" << "20 4" << "";
        QTest::newRow("other digits in the field") << "set" << QString::fromUtf8("٢٠٢٤") << "";
    }
    void yearMenuApri()
    {
        QFETCH(QString, how);
        QFETCH(QString, input);
        QFETCH(QString, opened);
        platform->clock.setToday(QDate(2025, 3, 1));
        card->setWindowTitle(" prima");
        activate(menu.get());
        QLineEdit *year = menu->yearEdit();
        QCOMPARE(year->text(), QString("2025"));
        QCOMPARE(control<QLabel>(menu.get(), "lblMemory")->text(), QString("avvio"));
        QCOMPARE(focusName(), QString("txtAnnoPreventivi"));
        if (how == "typed") {
            QTest::keyClick(year, Qt::Key_Backspace); // the proposed year is selected
            QTest::keyClicks(year, input);
        } else if (how == "backspace") {
            year->end(false);
            QTest::keyClick(year, Qt::Key_Backspace);
        } else if (how == "paste into empty") {
            QTest::keyClick(year, Qt::Key_Backspace);
            paste(menu.get(), "txtAnnoPreventivi", input);
            QCOMPARE(year->text(), QString());
        } else if (how == "paste") {
            paste(menu.get(), "txtAnnoPreventivi", input);
        } else if (how == "set") {
            year->setText(input);
        }
        press(menu.get(), "btnApriPreventivi");
        if (opened.isEmpty()) {
            QCOMPARE(platform->dialogs.shown.size(), 1);
            QCOMPARE(platform->dialogs.last()->kind, MessageKind::Warning);
            QCOMPARE(platform->dialogs.lastText(),
                     QString("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
            QCOMPARE(archiveFile(), QString());
            QCOMPARE(card->windowTitle(), QString(" prima"));
            QVERIFY(menu->isVisible());
            QVERIFY(!card->isVisible());
            QCOMPARE(focusName(), QString("txtAnnoPreventivi"));
        } else {
            QVERIFY(platform->dialogs.shown.isEmpty());
            QCOMPARE(archiveFile(), folder->file(opened + ".ser"));
            QCOMPARE(card->windowTitle(), kCaption + opened);
            QVERIFY(card->isVisible());
            QVERIFY(!menu->isVisible());
            QCOMPARE(control<QLabel>(menu.get(), "lblMemory")->text(), QString("servizi"));
            // Opening a year creates nothing.
            QCOMPARE(QDir(folder->path()).entryList(QDir::Files), QStringList());
        }
        QVERIFY(!QFile::exists(folder->file("../..ser")));
    }

    void leavingTheYearMenu()
    {
        openYear("2024");
        press(card.get(), "cmdEsci"); // the card goes back to the main menu
        QVERIFY(mainMenu->isVisible());
        QVERIFY(!card->isVisible());
        QVERIFY(!menu->isVisible());
        menu->show();
        press(menu.get(), "imgEsci");
        QVERIFY(mainMenu->isVisible());
        QVERIFY(!card->isVisible());
        menu->show();
        menu->close(); // the close box
        QVERIFY(!menu->isVisible());
        QVERIFY(mainMenu->isVisible());
        QCOMPARE(archiveFile(), folder->file("2024.ser"));
        QCOMPARE(card->windowTitle(), kCaption + "2024");
    }

    void firstSaveCreatesTheYearsArchive_data()
    {
        QTest::addColumn<QDate>("requested"); // invalid: the new card's date
        QTest::addColumn<QString>("stored");
        QTest::newRow("requested today") << QDate() << "10/05/2024";
        // Nothing ties the dates to the year of the archive.
        QTest::newRow("requested in another year") << QDate(2023, 12, 15) << "15/12/2023";
    }
    void firstSaveCreatesTheYearsArchive()
    {
        QFETCH(QDate, requested);
        QFETCH(QString, stored);
        openYear("2024");
        fillMandatory();
        if (requested.isValid()) {
            onNextModal([requested](QWidget *w) {
                control<QCalendarWidget>(w, "calAppuntamenti")->setSelectedDate(requested);
                press(w, "btnImportaData");
            });
            card->pickDate("txtDataRic");
        }
        card->save();
        QCOMPARE(platform->dialogs.shown.size(), 1);
        QCOMPARE(platform->dialogs.last()->kind, MessageKind::Information);
        QCOMPARE(platform->dialogs.lastText(), kInserted);
        QCOMPARE(position(), QString("1"));
        const QByteArray bytes = archive("2024");
        QCOMPARE(bytes.size(), 3758);
        QCOMPARE(QDir(folder->path()).entryList(QDir::Files), QStringList{"2024.ser"});
        const Record r(layout(), bytes);
        QCOMPARE(r.text(u"DataRic"), stored);
        QCOMPARE(bytes.at(350), '\0'); // no completion date
        QCOMPARE(r.text(u"Tariffa"), QString("120,00"));
        QCOMPARE(flagAt(bytes, 1), QByteArray("\x02\x4E\x6F", 3));
    }

    void paidBoxBytes()
    {
        // Ticked with the mouse: Sì; unticked and saved again: No, in place.
        openYear("2024");
        activate(card.get());
        fillMandatory();
        QVERIFY(!paid()->isChecked()); // a new card starts unpaid
        QTest::mouseClick(paid(), Qt::LeftButton, {}, QPoint(8, paid()->height() / 2));
        QVERIFY(paid()->isChecked());
        card->save();
        QCOMPARE(flagAt(archive("2024"), 1), QByteArray("\x02\x53\xEC", 3));
        QTest::mouseClick(paid(), Qt::LeftButton, {}, QPoint(8, paid()->height() / 2));
        card->save();
        QCOMPARE(platform->dialogs.lastText(), kUpdated);
        QCOMPARE(archive("2024").size(), 3758);
        QCOMPARE(flagAt(archive("2024"), 1), QByteArray("\x02\x4E\x6F", 3));
    }

    void paidMarkDoesNotLeakIntoTheNextCard_data()
    {
        QTest::addColumn<QByteArray>("first");  // flag of the card shown first
        QTest::addColumn<QByteArray>("second"); // flag bytes of the card shown next
        QTest::addColumn<bool>("shown");        // the box on the second card
        QTest::addColumn<QByteArray>("saved");  // its flag once saved
        const QByteArray yes("\x02\x53\xEC", 3), no("\x02\x4E\x6F", 3);
        QTest::newRow("paid card, then si") << yes << QByteArray("\x02si", 3) << false << no;
        QTest::newRow("paid card, then an empty flag") << yes << QByteArray(3, '\0') << false << no;
        QTest::newRow("paid card, then Sì in UTF-8") << yes << QByteArray("\x02S\xC3", 3) << false << no;
        QTest::newRow("paid card, then No") << yes << no << false << no;
        QTest::newRow("unpaid card, then Sì") << no << yes << true << yes;
    }
    void paidMarkDoesNotLeakIntoTheNextCard()
    {
        // A shown flag that reads neither Sì nor No shows unticked, as on a
        // new card: the box left ticked by the card before must not be
        // saved with this one.
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, second);
        QFETCH(bool, shown);
        QFETCH(QByteArray, saved);
        QByteArray bytes = service("A1", "Rossi Mario").bytes() + service("A2", "Verdi Anna").bytes();
        bytes.replace(2249, 3, first);
        bytes.replace(3758 + 2249, 3, second);
        folder->write("2024.ser", bytes);
        openYear("2024");
        card->browse(Browse::First);
        QCOMPARE(paid()->isChecked(), first.at(1) == 'S');
        card->browse(Browse::Next);
        QCOMPARE(position(), QString("2"));
        QCOMPARE(paid()->isChecked(), shown);
        card->save();
        QCOMPARE(platform->dialogs.lastText(), kUpdated);
        const QByteArray after = archive("2024");
        QCOMPARE(flagAt(after, 2), saved);
        QCOMPARE(after.left(3758), bytes.left(3758));
    }

    void dateFieldKeys_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("picker"); // the mode word it opens with; empty: none
        QTest::addColumn<QString>("text");   // the field's text afterwards
        QTest::addColumn<QString>("focus");  // the control with the focus afterwards
        const QString date = "01/02/2024";
        struct Field {
            const char *name, *mode, *before, *after;
        };
        for (const Field &f : {Field{"txtDataRic", "dataric", "txtTariffa", "txtDataEsp"},
                               Field{"txtDataEsp", "dataesp", "txtDataRic", "txtPagamento"}}) {
            const QString n = f.name;
            QTest::addRow("%s Tab moves on", f.name) << n << int(Qt::Key_Tab) << 0 << "" << date << f.after;
            QTest::addRow("%s Shift+Tab moves back", f.name)
                << n << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << "" << date << f.before;
            QTest::addRow("%s Shift alone", f.name) << n << int(Qt::Key_Shift) << int(Qt::ShiftModifier)
                                                   << "" << date << n;
            QTest::addRow("%s Alt alone", f.name) << n << int(Qt::Key_Alt) << int(Qt::AltModifier)
                                                 << "" << date << n;
            QTest::addRow("%s Ctrl alone", f.name) << n << int(Qt::Key_Control)
                                                  << int(Qt::ControlModifier) << "" << date << n;
            QTest::addRow("%s Backspace empties", f.name) << n << int(Qt::Key_Backspace) << 0 << ""
                                                         << "" << n;
            QTest::addRow("%s Delete empties", f.name) << n << int(Qt::Key_Delete) << 0 << "" << ""
                                                      << n;
            QTest::addRow("%s a letter opens the picker", f.name)
                << n << int(Qt::Key_A) << 0 << f.mode << date << n;
            QTest::addRow("%s Enter opens the picker", f.name)
                << n << int(Qt::Key_Return) << 0 << f.mode << date << n;
            QTest::addRow("%s Space opens the picker", f.name)
                << n << int(Qt::Key_Space) << 0 << f.mode << date << n;
        }
    }
    void dateFieldKeys()
    {
        QFETCH(QString, field);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, picker);
        QFETCH(QString, text);
        QFETCH(QString, focus);
        openYear("2024");
        activate(card.get());
        QLineEdit *e = edit(field);
        QVERIFY(e->isReadOnly());
        e->setText("01/02/2024");
        QTest::mouseClick(e, Qt::LeftButton); // a click only gives the focus
        QCoreApplication::processEvents();
        QCOMPARE(focusName(), field);
        QStringList modes;
        {
            PickerCloser closer;
            QTest::keyClick(e, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            QCoreApplication::processEvents();
            modes = closer.modes;
        }
        QCOMPARE(modes, picker.isEmpty() ? QStringList() : QStringList{picker});
        QCOMPARE(e->text(), text);
        if (modes.isEmpty()) // after a modal window the focus comes back with the activation
            QCOMPARE(focusName(), focus);
        QVERIFY(platform->dialogs.shown.isEmpty());
    }

    void pickerWritesItsOwnField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("ric");
        QTest::addColumn<QString>("esp");
        QTest::newRow("request date, Importa") << "txtDataRic" << "btnImportaData" << "10/05/2024"
                                               << "03/03/2020";
        QTest::newRow("completion date, Importa") << "txtDataEsp" << "btnImportaData" << "01/01/2020"
                                                  << "10/05/2024";
        QTest::newRow("completion date, Annulla keeps it")
            << "txtDataEsp" << "btnAnnulla" << "01/01/2020" << "03/03/2020";
    }
    void pickerWritesItsOwnField()
    {
        QFETCH(QString, field);
        QFETCH(QString, button);
        QFETCH(QString, ric);
        QFETCH(QString, esp);
        openYear("2024");
        edit("txtDataRic")->setText("01/01/2020");
        edit("txtDataEsp")->setText("03/03/2020");
        QDate shown;
        onNextModal([&](QWidget *w) {
            QCOMPARE(w->objectName(), QString("TfrmCalendario"));
            QCOMPARE(w->windowTitle(), QString(" Importazione data"));
            shown = control<QCalendarWidget>(w, "calAppuntamenti")->selectedDate();
            press(w, button);
        });
        card->pickDate(field);
        QCOMPARE(shown, QDate(2024, 5, 10)); // today, over a filled field
        QCOMPARE(edit("txtDataRic")->text(), ric);
        QCOMPARE(edit("txtDataEsp")->text(), esp);
    }

    void completionDateEmptiedThenSaved()
    {
        openYear("2024");
        activate(card.get());
        fillMandatory();
        edit("txtDataEsp")->setText("20/05/2024");
        edit("txtDataEsp")->setFocus();
        QTest::keyClick(edit("txtDataEsp"), Qt::Key_Delete);
        card->save();
        QCOMPARE(platform->dialogs.lastText(), kInserted);
        QCOMPARE(archive("2024").at(350), '\0');
    }

    void enterChainsStopAtTheirEnds()
    {
        openYear("2024");
        activate(card.get());
        edit("txtID")->setFocus();
        QStringList visited{"txtID"};
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            visited << focusName();
        }
        QCOMPARE(visited, QStringList({"txtID", "txtTipologia", "txtDescrizione", "txtTariffa",
                                       "txtDataRic"}));
        // Enter at the end of the first chain is a key of the date field.
        bool picked = false;
        pressOnNextModal("btnAnnulla", &picked);
        QTest::keyClick(edit("txtDataRic"), Qt::Key_Return);
        QVERIFY(picked);

        QApplication::setActiveWindow(card.get());
        QVERIFY(QTest::qWaitForWindowActive(card.get()));
        edit("txtPagamento")->setFocus();
        visited = QStringList{"txtPagamento"};
        for (int i = 0; i < 12; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            visited << focusName();
        }
        QCOMPARE(visited.mid(0, 11),
                 QStringList({"txtPagamento", "txtCliente", "txtCodFisc", "txtDitta", "txtIva",
                              "txtStato", "txtUffici", "txtDocumenti", "txtQuestioni", "txtNote",
                              "txtCopia"}));
        QCOMPARE(visited.last(), QString("txtCopia")); // no wrap
        QVERIFY(platform->dialogs.shown.isEmpty());     // Enter never saves
        QVERIFY(!QFile::exists(folder->file("2024.ser")));
    }

    void tabFollowsTheScreen()
    {
        openYear("2024");
        activate(card.get());
        edit("txtCopia")->setText("fattura.pdf"); // Apri takes the focus only when enabled
        // The order Tab walks, from the code field on.
        QStringList order;
        QWidget *w = edit("txtID");
        while (order.size() < 20) {
            if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible())
                order << w->objectName();
            w = w->nextInFocusChain();
        }
        QCOMPARE(order, QStringList({"txtID", "txtTipologia", "txtDescrizione", "txtTariffa",
                                     "txtDataRic", "txtDataEsp", "txtPagamento", "txtCliente",
                                     "txtCodFisc", "txtDitta", "txtIva", "txtStato", "txtUffici",
                                     "txtDocumenti", "txtQuestioni", "txtNote", "txtCopia",
                                     "btnSfoglia", "btnApri", "chkPagato"}));
        // With the keys: the date fields let Tab and Shift+Tab through.
        PickerCloser closer;
        edit("txtDataRic")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusName(), QString("txtDataEsp"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusName(), QString("txtPagamento"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusName(), QString("txtCliente"));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(focusName(), QString("txtDataRic"));
        // The fee and the VAT number keep their filters, which swallow Tab;
        // Enter moves on from them.
        for (const char *filtered : {"txtTariffa", "txtIva"}) {
            edit(filtered)->setFocus();
            QTest::keyClick(edit(filtered), Qt::Key_Tab);
            QCOMPARE(focusName(), QString(filtered));
        }
        QVERIFY(closer.modes.isEmpty());
        QVERIFY(platform->dialogs.shown.isEmpty());
    }

    void fieldsTakeWhatTheirRecordFieldsHold()
    {
        for (const kit::CardField &f : serviceCardSpec().fields) {
            if (f.kind != kit::FieldKind::Edit && f.kind != kit::FieldKind::Date)
                continue;
            QCOMPARE(edit(f.control)->maxLength(),
                     layout().field(layout().require(f.field)).capacity);
        }
        openYear("2024");
        activate(card.get());
        type(card.get(), "txtCodFisc", " rssmra80a01h501u ");
        QCOMPARE(edit("txtCodFisc")->text(), QString("RSSMRA80A01H501U"));
        type(card.get(), "txtIva", "01a2-3");
        QCOMPARE(edit("txtIva")->text(), QString("0123"));
        paste(card.get(), "txtIva", "IT 0123 4567 897");
        QCOMPARE(edit("txtIva")->text(), QString("01234567897"));
        QLineEdit *fee = edit("txtTariffa");
        fee->setFocus();
        fee->selectAll();
        QTest::keyClicks(fee, "7");
        QTest::keyClick(fee, Qt::Key_Return); // leaving it normalises the amount
        QCOMPARE(fee->text(), QString("7,00"));
        QVERIFY(fee->alignment() & Qt::AlignRight);
        QVERIFY(edit("txtID")->alignment() & Qt::AlignHCenter);
        QVERIFY(edit("txtCopia")->isReadOnly());
    }

    void serviceImportedFromTheFeeSchedule_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("fee");
        QTest::newRow("ordinary fee") << "impServizioOrd" << "serviziord" << "100,00";
        // Not flagged as discounted, discounted fee 0,00: taken all the same.
        QTest::newRow("discounted fee") << "impServizioSco" << "servizisco" << "0,00";
    }
    void serviceImportedFromTheFeeSchedule()
    {
        QFETCH(QString, button);
        QFETCH(QString, mode);
        QFETCH(QString, fee);
        Record f(fees::layout());
        f.setText(u"ID", u"ISEE-01");
        f.setText(u"Tipologia", u"Assistenza fiscale");
        f.setText(u"Descrizione", u"Dichiarazione ISEE");
        f.setText(u"Ordinaria", u"100,00");
        f.setText(u"Scontata", u"0,00");
        f.setText(u"Pagamento", u"Bonifico");
        f.setText(u"Note", u"non importata");
        f.setText(u"TarScontata", u"No");
        appendRecord(fees::archivePath(), f);
        openYear("2024");
        edit("txtCliente")->setText("Rossi Mario");
        edit("txtDataEsp")->setText("20/05/2024");
        edit("txtNote")->setText("resta");
        paid()->setChecked(true);
        QString shownMode;
        onNextModal([&](QWidget *w) {
            auto *search = qobject_cast<lists::SearchWindow *>(w);
            QVERIFY(search);
            QCOMPARE(search->objectName(), QString("TfrmTrovaTariffario"));
            shownMode = search->mode();
            search->search();
            search->pick(0);
        });
        press(card.get(), button);
        QCOMPARE(shownMode, mode);
        QCOMPARE(edit("txtID")->text(), QString("ISEE-01"));
        QCOMPARE(edit("txtTipologia")->text(), QString("Assistenza fiscale"));
        QCOMPARE(edit("txtDescrizione")->text(), QString("Dichiarazione ISEE"));
        QCOMPARE(edit("txtTariffa")->text(), fee);
        QCOMPARE(edit("txtPagamento")->text(), QString("Bonifico"));
        QCOMPARE(edit("txtNote")->text(), QString("resta"));
        QCOMPARE(edit("txtCliente")->text(), QString("Rossi Mario"));
        QCOMPARE(edit("txtDataRic")->text(), QString("10/05/2024"));
        QCOMPARE(edit("txtDataEsp")->text(), QString("20/05/2024"));
        QVERIFY(paid()->isChecked());
        QCOMPARE(position(), QString());
        QVERIFY(!QFile::exists(folder->file("2024.ser"))); // nothing saved
    }

    void clientImported_data()
    {
        QTest::addColumn<QString>("iva");
        QTest::addColumn<QString>("shown");
        QTest::newRow("VAT number") << "01234567897" << "01234567897";
        // The digits filter holds for what the user types or pastes; what
        // the client archive hands over arrives whole.
        QTest::newRow("VAT number with a prefix") << "IT012345678" << "IT012345678";
    }
    void clientImported()
    {
        QFETCH(QString, iva);
        QFETCH(QString, shown);
        Record c(layouts::cliente());
        c.setText(u"Cognome", u"  Rossi ");
        c.setText(u"Nome", u"Mario");
        c.setText(u"CodFisc", u"RSSMRA80A01H501U");
        c.setText(u"Zona", u"Rossi Impianti S.r.l.");
        c.setText(u"Iva", iva);
        c.setText(u"Recapito", u"333 1234567");
        appendRecord(ArchivePath(archives::kClienti), c);
        openYear("2024");
        fillMandatory();
        edit("txtCliente")->setText("Verdi Anna");
        edit("txtCodFisc")->setText("VRDNNA70A41H501X");
        edit("txtDataEsp")->setText("20/05/2024");
        paid()->setChecked(true);
        const kit::CardValues before = card->values();
        QString shownMode;
        onNextModal([&](QWidget *w) {
            auto *search = qobject_cast<lists::SearchWindow *>(w);
            QVERIFY(search);
            QCOMPARE(search->objectName(), QString("TfrmTrovaClienti"));
            shownMode = search->mode();
            search->search();
            search->pick(0);
        });
        press(card.get(), "impCliente");
        QCOMPARE(shownMode, QString("servizi"));
        kit::CardValues expected = before;
        expected["txtCliente"] = "Rossi Mario";
        expected["txtCodFisc"] = "RSSMRA80A01H501U";
        expected["txtDitta"] = "Rossi Impianti S.r.l.";
        expected["txtIva"] = shown;
        QCOMPARE(card->values(), expected);
        QVERIFY(!QFile::exists(folder->file("2024.ser")));
    }

    void duplicateOfAPaidCard()
    {
        folder->write("2024.ser", service("A1", "Rossi Mario", "Sì").bytes());
        openYear("2024");
        card->browse(Browse::First);
        edit("txtDataEsp")->setText("20/01/2024");
        QVERIFY(paid()->isChecked());
        card->duplicate();
        QCOMPARE(platform->dialogs.last()->kind, MessageKind::Information);
        QCOMPARE(platform->dialogs.lastText(),
                 "E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                 "Al termine premere Salva per inserire la scheda in archivio.");
        QCOMPARE(position(), QString());
        QCOMPARE(edit("txtDataRic")->text(), QString("10/05/2024"));
        QCOMPARE(edit("txtCopia")->text(), QString());
        for (const char *l : {"lblFile01", "lblFile02", "lblFile03", "lblDesc01", "lblDesc02", "lblDesc03"})
            QCOMPARE(control<QLabel>(card.get(), l)->text(), QString());
        QCOMPARE(edit("txtID")->text(), QString("A1"));
        QCOMPARE(edit("txtCliente")->text(), QString("Rossi Mario"));
        QCOMPARE(edit("txtDataEsp")->text(), QString("20/01/2024"));
        QVERIFY(paid()->isChecked()); // still paid until the user unticks it
        card->save();
        QCOMPARE(position(), QString("2"));
        const QByteArray bytes = archive("2024");
        QCOMPARE(bytes.size(), 2 * 3758);
        QCOMPARE(flagAt(bytes, 2), QByteArray("\x02\x53\xEC", 3));

        card->newCard();
        fillMandatory();
        platform->dialogs.clear();
        card->duplicate();
        QCOMPARE(platform->dialogs.last()->kind, MessageKind::Warning);
        QCOMPARE(platform->dialogs.lastText(),
                 QString("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo "
                         "che questa è stata inserita in archivio."));
        QCOMPARE(edit("txtID")->text(), QString("730-24"));
    }

    void browseAndSaveUseTheYearChosenLast()
    {
        folder->write("2024.ser", service("A-24-1", "Rossi Mario").bytes()
                                      + service("A-24-2", "Verdi Anna").bytes());
        folder->write("2025.ser", service("A-25-1", "Bianchi Luca").bytes());
        openYear("2024");
        card->browse(Browse::Last);
        QCOMPARE(position(), QString("2"));
        QCOMPARE(edit("txtID")->text(), QString("A-24-2"));
        QCOMPARE(edit("txtCopia")->text(), QString("A-24-2.pdf"));
        QCOMPARE(control<QLabel>(card.get(), "lblFile01")->text(), QString("A-24-2-allegato.pdf"));
        openYear("2025"); // shows a cleared card on the other year
        QCOMPARE(position(), QString());
        QCOMPARE(edit("txtID")->text(), QString());
        card->browse(Browse::First);
        QCOMPARE(edit("txtID")->text(), QString("A-25-1"));
        card->browse(Browse::Next); // on the last card: nothing
        QCOMPARE(position(), QString("1"));
        edit("txtNote")->setText("aggiornata");
        card->save();
        QCOMPARE(Record(layout(), archive("2025")).text(u"Note"), QString("aggiornata"));
        QCOMPARE(archive("2024").size(), 2 * 3758);
        QCOMPARE(platform->dialogs.shown.size(), 1);

        openYear("2026"); // a year without archive: created empty by the first browse
        card->browse(Browse::First);
        QCOMPARE(platform->dialogs.lastText(), QString("L'archivio non contiene nessuna scheda."));
        QVERIFY(QFile::exists(folder->file("2026.ser")));
        QCOMPARE(archive("2026").size(), 0);
    }

    void showingTheCardStartsANewCard()
    {
        folder->write("2024.ser", service("A1", "Rossi Mario", "Sì").bytes());
        openYear("2024");
        QCOMPARE(control<QLabel>(card.get(), "panInfo")->text(),
                 QString("Pronto per archiviare una nuova scheda..."));
        card->browse(Browse::First);
        QVERIFY(paid()->isChecked());
        openYear("2024");
        QCOMPARE(position(), QString());
        QCOMPARE(edit("txtID")->text(), QString());
        QCOMPARE(edit("txtTariffa")->text(), QString("0,00"));
        QCOMPARE(edit("txtDataRic")->text(), QString("10/05/2024"));
        QCOMPARE(edit("txtDataEsp")->text(), QString());
        QCOMPARE(edit("txtCopia")->text(), QString());
        QCOMPARE(control<QLabel>(card.get(), "lblFile01")->text(), QString());
        QVERIFY(!paid()->isChecked());
        QCOMPARE(card->focusWidget(), edit("txtID"));
    }

    void commandsOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("textControl");
        QTest::addColumn<QString>("text");
        QTest::newRow("search") << "cmdTrova" << "TfrmTrovaServizi" << "servizi" << "" << "";
        QTest::newRow("ordinary fee") << "impServizioOrd" << "TfrmTrovaTariffario" << "serviziord"
                                      << "" << "";
        QTest::newRow("discounted fee") << "impServizioSco" << "TfrmTrovaTariffario" << "servizisco"
                                        << "" << "";
        QTest::newRow("client") << "impCliente" << "TfrmTrovaClienti" << "servizi" << "" << "";
        QTest::newRow("export") << "cmdEsporta" << "TfrmExpServizi" << "" << "" << "";
        QTest::newRow("unpaid") << "cmdNonPagati" << "TfrmNonPagati" << "" << "" << "";
        QTest::newRow("print") << "cmdStampa" << "TfrmStampaServizio" << "" << "" << "";
        QTest::newRow("attachments") << "cmdFile" << "TfrmAllegaCartella" << "servizi"
                                     << "txtFile01" << "A1-allegato.pdf";
        QTest::newRow("help") << "cmdGuida" << "TfrmGuida" << "" << "lblTitolo"
                              << "Applicazione Registro Servizi.";
        QTest::newRow("tax code") << "btnCodFisc" << "TfrmCodFisc" << "" << "txtCodFisc"
                                  << "RSSMRA80A01H501U";
        QTest::newRow("VAT number") << "btnIva" << "TfrmPartitaIva" << "" << "txtPartitaIva"
                                    << "01234567897";
    }
    void commandsOpenTheirWindows()
    {
        QFETCH(QString, command);
        QFETCH(QString, window);
        QFETCH(QString, mode);
        QFETCH(QString, textControl);
        QFETCH(QString, text);
        folder->write("2024.ser", service("A1", "Rossi Mario").bytes());
        openYear("2024");
        card->browse(Browse::First);
        edit("txtIva")->setText("01234567897");
        const kit::CardValues before = card->values();
        nextModal(textControl);
        press(card.get(), command);
        QCOMPARE(m_opened->window, window);
        QCOMPARE(m_opened->mode, mode);
        if (!textControl.isEmpty())
            QCOMPARE(m_opened->text.trimmed(), text);
        QCOMPARE(card->values(), before); // closed without a choice: the card as it was
        QCOMPARE(archive("2024").size(), 3758);
    }

    void yearMenuHelp()
    {
        menu->show();
        nextModal("lblTitolo");
        press(menu.get(), "imgGuida");
        QCOMPARE(m_opened->window, QString("TfrmGuida"));
        QCOMPARE(m_opened->text, kit::helpTitle(kit::HelpPage::Servizi));
        QCOMPARE(kit::helpTitle(kit::HelpPage::Servizi), QString("Applicazione Registro Servizi."));
        QCOMPARE(control<QLabel>(menu.get(), "lblInfo")->text(),
                 QString("In questo ambiente è possibile archiviare schede riassuntive dei servizi "
                         "forniti ai propri clienti in ciascun anno solare."));
        QCOMPARE(menu->windowTitle(), QString(" Pratelia - Registro Servizi"));
    }

    void statusLineDescribesTheCommands_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        const QString date =
            "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario.";
        QTest::newRow("cmdNuovo") << "cmdNuovo" << "Prepara la schermata per l'inserimento di una nuova scheda.";
        QTest::newRow("cmdDuplica") << "cmdDuplica"
            << "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti.";
        QTest::newRow("cmdSalva") << "cmdSalva" << "Salva la scheda corrente in archivio.";
        QTest::newRow("cmdTrova") << "cmdTrova" << "Trova una scheda in archivio.";
        QTest::newRow("cmdPrimo") << "cmdPrimo" << "Visualizza la prima scheda in archivio.";
        QTest::newRow("cmdIndietro") << "cmdIndietro" << "Visualizza la scheda precedente in archivio.";
        QTest::newRow("cmdAvanti") << "cmdAvanti" << "Visualizza la scheda successiva in archivio.";
        QTest::newRow("cmdUltimo") << "cmdUltimo" << "Visualizza l'ultima scheda in archivio.";
        QTest::newRow("cmdEsporta") << "cmdEsporta" << "Esporta le schede in archivio in un file di Microsoft Excel.";
        QTest::newRow("cmdStampa") << "cmdStampa" << "Stampa la scheda corrente.";
        QTest::newRow("cmdFile") << "cmdFile" << "Allega file alla scheda corrente.";
        QTest::newRow("cmdNonPagati") << "cmdNonPagati"
            << "Visualizza il riepilogo dei servizi non ancora saldati dai clienti.";
        QTest::newRow("cmdGuida") << "cmdGuida" << "Visualizza la guida in linea.";
        QTest::newRow("cmdEsci") << "cmdEsci" << "Esci da questa schermata di lavoro.";
        QTest::newRow("impServizioOrd") << "impServizioOrd"
            << "Importa i dati dal tariffario dei servizi con tariffa ordinaria.";
        QTest::newRow("impServizioSco") << "impServizioSco"
            << "Importa i dati dal tariffario dei servizi con tariffa scontata.";
        QTest::newRow("impCliente") << "impCliente" << "Importa i dati dall'archivio anagrafico dei clienti.";
        QTest::newRow("btnCodFisc") << "btnCodFisc" << "Controlla il codice fiscale.";
        QTest::newRow("btnIva") << "btnIva" << "Controlla il numero di partita IVA.";
        QTest::newRow("btnSfoglia") << "btnSfoglia"
            << "Seleziona il file della fattura da allegare alla scheda corrente.";
        QTest::newRow("btnApri") << "btnApri" << "Apri il file della fattura allegata alla scheda corrente.";
        QTest::newRow("imgCancella01") << "imgCancella01"
            << "Cancella la copia digitale della fattura rilasciata al cliente.";
        QTest::newRow("chkPagato") << "chkPagato"
            << "Spunta questa casella per indicare che il servizio è stato saldato dal cliente.";
        QTest::newRow("txtDataRic") << "txtDataRic" << date;
        QTest::newRow("txtDataEsp") << "txtDataEsp" << date;
        QTest::newRow("section frame clears") << "fraAvanzamento" << "";
        QTest::newRow("command bar clears") << "panComandi" << "";
        QTest::newRow("window background clears") << "TfrmServizi" << "";
    }
    void statusLineDescribesTheCommands()
    {
        QFETCH(QString, control);
        QFETCH(QString, text);
        auto *status = testing::control<QLabel>(card.get(), "panInfo");
        status->setText("before");
        QWidget *w = card->objectName() == control ? card.get() : testing::control(card.get(), control);
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(w, &enter);
        QCOMPARE(status->text(), text);
    }

    void invoiceFile_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<QByteArray>("kept");
        QTest::addColumn<QString>("name"); // what the field names afterwards
        QTest::newRow("new name is copied") << false << true << QByteArray("new invoice") << "fattura 12.pdf";
        // No keeps the file there, and the field what it named before.
        QTest::newRow("existing, No keeps the old file") << true << false << QByteArray("old invoice") << "";
        QTest::newRow("existing, Yes replaces it") << true << true << QByteArray("new invoice") << "fattura 12.pdf";
    }
    void invoiceFile()
    {
        QFETCH(bool, existing);
        QFETCH(bool, overwrite);
        QFETCH(QByteArray, kept);
        QFETCH(QString, name);
        QTemporaryDir elsewhere;
        const QString source = elsewhere.filePath("fattura 12.pdf");
        QFile s(source);
        QVERIFY(s.open(QIODevice::WriteOnly));
        s.write("new invoice");
        s.close();
        if (existing) {
            QDir(folder->path()).mkpath("Documenti_Allegati");
            folder->write("Documenti_Allegati/fattura 12.pdf", "old invoice");
        }
        openYear("2024");
        fillMandatory();
        platform->dialogs.chooseNext(source);
        platform->dialogs.answerNext(overwrite);
        QVERIFY(!control<QPushButton>(card.get(), "btnApri")->isEnabled());
        press(card.get(), "btnSfoglia");
        QCOMPARE(platform->dialogs.chooserTitles, QStringList{"Selezionare il file da allegare:"});
        QCOMPARE(edit("txtCopia")->text(), name);
        QCOMPARE(folder->read("Documenti_Allegati/fattura 12.pdf"), kept);
        QCOMPARE(platform->dialogs.shown.size(), existing ? 1 : 0);
        if (existing)
            QCOMPARE(platform->dialogs.lastText(),
                     "Attenzione: nella cartella dei documenti allegati è presente un file con lo "
                     "stesso nome.\n\r\n\rSi vuole sovrascrivere il file esistente?");
        if (name.isEmpty())
            return;
        press(card.get(), "btnApri");
        QCOMPARE(platform->shell.opened.size(), 1);
        QCOMPARE(QFileInfo(platform->shell.opened.first().toLocalFile()).canonicalFilePath(),
                 QFileInfo(folder->file("Documenti_Allegati/fattura 12.pdf")).canonicalFilePath());
        card->save();
        QCOMPARE(Record(layout(), archive("2024")).text(u"Copia"), QString("fattura 12.pdf"));
        press(card.get(), "imgCancella01");
        QCOMPARE(edit("txtCopia")->text(), QString());
        QVERIFY(!control<QPushButton>(card.get(), "btnApri")->isEnabled());
        QVERIFY(QFile::exists(folder->file("Documenti_Allegati/fattura 12.pdf")));
    }

    void attachmentsReachTheRecordOnSave()
    {
        openYear("2024");
        fillMandatory();
        QString mode;
        onNextModal([&](QWidget *w) {
            mode = control<QLabel>(w, "lblMemory")->text();
            control<QLineEdit>(w, "txtFile02")->setText("pianta.pdf");
            control<QLineEdit>(w, "txtDesc02")->setText(" Planimetria ");
            press(w, "btnApplica");
        });
        press(card.get(), "cmdFile");
        QCOMPARE(mode, QString("servizi"));
        QCOMPARE(control<QLabel>(card.get(), "lblFile02")->text(), QString("pianta.pdf"));
        card->save();
        const Record saved(layout(), archive("2024"));
        QCOMPARE(saved.text(u"File02"), QString("pianta.pdf"));
        QCOMPARE(saved.text(u"Desc02"), QString("Planimetria"));
    }

    void saveStopsAtTheFirstBlankMandatoryField()
    {
        openYear("2024");
        activate(card.get());
        fillMandatory();
        edit("txtDataRic")->clear();
        edit("txtCliente")->setText("   ");
        edit("txtNote")->setFocus();
        card->save();
        QCOMPARE(platform->dialogs.shown.size(), 1);
        QCOMPARE(platform->dialogs.last()->kind, MessageKind::Warning);
        QCOMPARE(platform->dialogs.lastText(),
                 QString("Attenzione: per salvare la scheda è necessario indicare la data di "
                         "richiesta del servizio."));
        QCOMPARE(focusName(), QString("txtDataRic"));
        QVERIFY(!QFile::exists(folder->file("2024.ser")));
    }
};

QTEST_MAIN(TestServizi)
#include "test_servizi.moc"
