// The four check dialogs driven as a user would: text handed over or
// typed, Enter or the buttons pressed, the message shown and whether the
// dialog stays open.
#include "checks/checkdialogs.h"
#include "checks/checkwindows.h"
#include "platform/testing.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

using namespace pratelia;
using namespace pratelia::checks;

namespace {

std::unique_ptr<CheckDialog> makeDialog(const QString &window, const QString &text)
{
    if (window == u"TfrmCodFisc")
        return std::make_unique<TfrmCodFisc>(text);
    if (window == u"TfrmPartitaIva")
        return std::make_unique<TfrmPartitaIva>(text);
    if (window == u"TfrmIban")
        return std::make_unique<TfrmIban>(text);
    return std::make_unique<TfrmCarta>(text);
}

// What a show function opened: the modal dialog's name and field text.
struct Opened {
    QString window;
    QString field;
    QString caption;
};

// Runs `show`; while its dialog is up, records it and runs `act` on it
// (by default Chiudi is pressed).
Opened whileOpen(const std::function<void()> &show,
                 const std::function<void(CheckDialog *)> &act = {})
{
    Opened seen;
    QTimer::singleShot(0, [&] {
        auto *d = qobject_cast<CheckDialog *>(QApplication::activeModalWidget());
        if (!d)
            return;
        seen = {d->objectName(), d->field()->text(), d->windowTitle()};
        if (act)
            act(d);
        if (d->isVisible())
            QTest::mouseClick(d->closeButton(), Qt::LeftButton);
    });
    show();
    return seen;
}

} // namespace

class TestCheckWindows : public QObject {
    Q_OBJECT
private slots:
    void controls_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("maxLength");
        QTest::newRow("tax code") << "TfrmCodFisc" << " Controllo codice fiscale"
                                  << "Immettere il codice fiscale e premere il pulsante di controllo."
                                  << "txtCodFisc" << 16;
        QTest::newRow("VAT number")
            << "TfrmPartitaIva" << " Controllo partita IVA"
            << "Immettere il numero di partita IVA e premere il pulsante di controllo."
            << "txtPartitaIva" << 11;
        QTest::newRow("IBAN") << "TfrmIban" << " Controllo IBAN"
                              << "Immettere l'IBAN e premere il pulsante di controllo." << "txtIban"
                              << 27;
        QTest::newRow("card")
            << "TfrmCarta" << " Controllo carta di credito"
            << "Immettere il numero di carta di credito e premere il pulsante di controllo."
            << "txtNumero" << 30;
    }
    void controls()
    {
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        QFETCH(QString, field);
        QFETCH(int, maxLength);
        auto d = makeDialog(window, QStringLiteral("123"));
        QCOMPARE(d->objectName(), window);
        QCOMPARE(d->windowTitle(), caption);
        auto *lbl = d->findChild<QLabel *>(QStringLiteral("lblTitolo"));
        QVERIFY(lbl);
        QCOMPARE(lbl->text(), title);
        auto *txt = d->findChild<QLineEdit *>(field);
        QVERIFY(txt);
        QCOMPARE(txt->maxLength(), maxLength);
        QCOMPARE(txt->text(), QStringLiteral("123"));
        auto *check = d->findChild<QPushButton *>(QStringLiteral("btnControlla"));
        auto *close = d->findChild<QPushButton *>(QStringLiteral("btnChiudi"));
        QVERIFY(check && close);
        QCOMPARE(check->text(), QStringLiteral("Controlla"));
        QCOMPARE(close->text(), QStringLiteral("Chiudi"));
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d.get()));
        QCOMPARE(d->focusWidget(), txt);
        // The dialog has no title-bar close button and Escape does not close it.
        QVERIFY(!(d->windowFlags() & Qt::WindowCloseButtonHint));
        QTest::keyClick(txt, Qt::Key_Escape);
        QVERIFY(d->isVisible());
    }

    // Text handed over, Enter in the field moves to Controlla, Enter there
    // runs the check.
    void verdicts_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("text");
        QTest::addColumn<MessageKind>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("staysOpen");
        const auto W = MessageKind::Warning;
        const auto I = MessageKind::Information;
        QTest::newRow("tax code valid") << "TfrmCodFisc" << "RSSMRA85T10A562S" << I
                                        << "Il codice fiscale digitato è VALIDO." << false;
        QTest::newRow("tax code handed over in lower case")
            << "TfrmCodFisc" << "rssmra85t10a562s" << I << "Il codice fiscale digitato è VALIDO."
            << false;
        QTest::newRow("tax code wrong") << "TfrmCodFisc" << "RSSMRA85T10A562T" << W
                                        << "Attenzione: il codice fiscale digitato è ERRATO."
                                        << false;
        QTest::newRow("tax code short")
            << "TfrmCodFisc" << "RSSMRA85T10A562" << W
            << "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."
            << true;
        QTest::newRow("tax code empty")
            << "TfrmCodFisc" << "" << W
            << "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."
            << true;
        QTest::newRow("VAT valid")
            << "TfrmPartitaIva" << "00000001206" << I
            << "Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
               "E' stato rilasciato dall'Ufficio IVA del Comune di Bologna 2."
            << false;
        QTest::newRow("VAT wrong")
            << "TfrmPartitaIva" << "00000001207" << W
            << "Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
               "Non è quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha "
               "rilasciato."
            << false;
        QTest::newRow("VAT with a letter")
            << "TfrmPartitaIva" << "0000000120A" << W
            << "Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
               "Non è quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha "
               "rilasciato."
            << false;
        QTest::newRow("VAT 10 digits")
            << "TfrmPartitaIva" << "0000000120" << W
            << "Attenzione: la partita IVA deve essere composta da 11 caratteri numerici." << true;
        QTest::newRow("IBAN valid") << "TfrmIban" << "IT60X0542811101000000123456" << I
                                    << "L'IBAN digitato è VALIDO." << false;
        QTest::newRow("IBAN wrong") << "TfrmIban" << "IT60X0542811101000000123465" << W
                                    << "Attenzione: l'IBAN digitato è ERRATO!" << false;
        QTest::newRow("IBAN of another length")
            << "TfrmIban" << "GB82WEST12345698765432" << W
            << "Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici." << true;
        QTest::newRow("card in groups")
            << "TfrmCarta" << "4111 1111 1111 1111" << I
            << "Il numero di carta di credito 4111 1111 1111 1111 risulta valido.\r\n\r\n"
               "La carta di credito è del tipo Visa."
            << false;
        QTest::newRow("card of unknown type")
            << "TfrmCarta" << "32111111111115" << I
            << "Il numero di carta di credito 32111111111115 risulta valido.\r\n\r\n"
               "Il tipo di carta di credito non è stato riconosciuto."
            << false;
        QTest::newRow("card wrong")
            << "TfrmCarta" << "4111111111111112" << W
            << "Attenzione: il numero digitato risulta ERRATO!\r\n\r\n"
               "Non è quindi possibile fornire informazioni relative al tipo di carta di credito."
            << false;
        QTest::newRow("card blank")
            << "TfrmCarta" << "" << W
            << "Attenzione: immettere il numero di carta di credito prima di premere il pulsante "
               "di controllo."
            << true;
    }
    void verdicts()
    {
        QFETCH(QString, window);
        QFETCH(QString, text);
        QFETCH(MessageKind, kind);
        QFETCH(QString, message);
        QFETCH(bool, staysOpen);
        testing::TestPlatform platform;
        auto d = makeDialog(window, text);
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d.get()));
        QTest::keyClick(d->field(), Qt::Key_Return);
        QCOMPARE(d->focusWidget(), d->checkButton());
        QVERIFY(platform.dialogs.shown.isEmpty()); // Enter in the field checks nothing
        QTest::keyClick(d->checkButton(), Qt::Key_Return);
        QCOMPARE(platform.dialogs.shown.size(), 1);
        QCOMPARE(platform.dialogs.last()->kind, kind);
        QCOMPARE(platform.dialogs.lastText(), message);
        QCOMPARE(d->isVisible(), staysOpen);
        if (staysOpen)
            QCOMPARE(d->focusWidget(), d->field());
    }

    // What typing leaves in the field.
    void typing_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("field");
        QTest::newRow("tax code upper case") << "TfrmCodFisc" << "rssmra85t10a562s"
                                             << "RSSMRA85T10A562S";
        // Every keystroke is trimmed, so a blank typed after a letter vanishes.
        QTest::newRow("tax code blanks typed") << "TfrmCodFisc" << "  rss mra " << "RSSMRA";
        QTest::newRow("tax code at most 16") << "TfrmCodFisc" << "RSSMRA85T10A562SXYZ"
                                             << "RSSMRA85T10A562S";
        QTest::newRow("VAT digits only") << "TfrmPartitaIva" << "12a-3 4.5" << "12345";
        QTest::newRow("VAT at most 11") << "TfrmPartitaIva" << "1234567890123" << "12345678901";
        QTest::newRow("IBAN upper case") << "TfrmIban" << "it60x0542811101000000123456"
                                         << "IT60X0542811101000000123456";
        QTest::newRow("IBAN at most 27") << "TfrmIban" << "IT60X05428111010000001234567890"
                                         << "IT60X0542811101000000123456";
        QTest::newRow("card digits only") << "TfrmCarta" << "4111 1111-1111x1111" << "4111111111111111";
        QTest::newRow("card at most 30") << "TfrmCarta" << "1234567890123456789012345678901234"
                                         << "123456789012345678901234567890";
    }
    void typing()
    {
        QFETCH(QString, window);
        QFETCH(QString, typed);
        QFETCH(QString, field);
        auto d = makeDialog(window, {});
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d.get()));
        QTest::keyClicks(d->field(), typed);
        QCOMPARE(d->field()->text(), field);
    }

    // A corrected text is checked after the length warning.
    void correctionAfterWarning()
    {
        testing::TestPlatform platform;
        TfrmCodFisc d(QStringLiteral("RSSMRA85T10A56"));
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QTest::mouseClick(d.checkButton(), Qt::LeftButton);
        QVERIFY(d.isVisible());
        QCOMPARE(d.focusWidget(), d.field());
        d.field()->end(false);
        QTest::keyClicks(d.field(), QStringLiteral("2s"));
        QTest::mouseClick(d.checkButton(), Qt::LeftButton);
        QCOMPARE(platform.dialogs.shown.size(), 2);
        QCOMPARE(platform.dialogs.lastText(), QStringLiteral("Il codice fiscale digitato è VALIDO."));
        QVERIFY(!d.isVisible());
    }

    void closeShowsNothing()
    {
        testing::TestPlatform platform;
        TfrmIban d(QStringLiteral("IT60X0542811101000000123456"));
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QTest::mouseClick(d.closeButton(), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QVERIFY(platform.dialogs.shown.isEmpty());
    }

    // The entry points the cards call: which dialog opens, with what text.
    void opening_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("field");
        QTest::newRow("tax code button, 11 digits")
            << "taxCodeButton" << "01234567897" << "TfrmPartitaIva" << " Controllo partita IVA"
            << "01234567897";
        QTest::newRow("tax code button, digits with blanks around")
            << "taxCodeButton" << " 00000001206 " << "TfrmPartitaIva" << " Controllo partita IVA"
            << "00000001206";
        QTest::newRow("tax code button, a code")
            << "taxCodeButton" << "RSSMRA85T10A562S" << "TfrmCodFisc" << " Controllo codice fiscale"
            << "RSSMRA85T10A562S";
        QTest::newRow("tax code button, digits and a blank")
            << "taxCodeButton" << "0123 4567897" << "TfrmCodFisc" << " Controllo codice fiscale"
            << "0123 4567897";
        QTest::newRow("tax code button, empty")
            << "taxCodeButton" << "" << "TfrmCodFisc" << " Controllo codice fiscale" << "";
        QTest::newRow("tax code button, blanks")
            << "taxCodeButton" << "   " << "TfrmCodFisc" << " Controllo codice fiscale" << "";
        QTest::newRow("VAT button") << "vat" << "00000001206" << "TfrmPartitaIva"
                                    << " Controllo partita IVA" << "00000001206";
        QTest::newRow("IBAN button") << "iban" << "IT60X0542811101000000123456" << "TfrmIban"
                                     << " Controllo IBAN" << "IT60X0542811101000000123456";
        QTest::newRow("card button") << "card" << "4111 1111 1111 1111" << "TfrmCarta"
                                     << " Controllo carta di credito" << "4111 1111 1111 1111";
    }
    void opening()
    {
        QFETCH(QString, entry);
        QFETCH(QString, text);
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QFETCH(QString, field);
        testing::TestPlatform platform;
        QWidget card;
        card.show();
        const Opened seen = whileOpen([&] {
            if (entry == u"taxCodeButton")
                showTaxCodeButton(&card, text);
            else if (entry == u"vat")
                showVatCheck(&card, text);
            else if (entry == u"iban")
                showIbanCheck(&card, text);
            else
                showCardCheck(&card, text);
        });
        QCOMPARE(seen.window, window);
        QCOMPARE(seen.caption, caption);
        QCOMPARE(seen.field, field);
        QVERIFY(platform.dialogs.shown.isEmpty());
        QVERIFY(!QApplication::activeModalWidget()); // nothing left open
    }

    // A text longer than the dialog's field allows, handed over by a card:
    // the check answers for the whole of it, never for a cut of it.
    void longTextFromACard_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("limit");
        const QString vatLength =
            QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
        // The first 11 digits are a valid VAT number each time.
        QTest::newRow("tax code button, 12 digits") << "taxCodeButton" << "000000012065" << vatLength << 11;
        QTest::newRow("tax code button, 15 digits") << "taxCodeButton" << "000000012061234" << vatLength << 11;
        QTest::newRow("tax code button, 16 digits") << "taxCodeButton" << "0000000120612345" << vatLength << 11;
        const QString card = QStringLiteral("4111111111111111 carta aziendale dello studio");
        QTest::newRow("card button, number and a note")
            << "card" << card
            << QStringLiteral("Il numero di carta di credito ") + card
                   + QStringLiteral(" risulta valido.\r\n\r\nLa carta di credito è del tipo Visa.")
            << 30;
    }
    void longTextFromACard()
    {
        QFETCH(QString, entry);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(int, limit);
        QVERIFY(text.size() > limit);
        testing::TestPlatform platform;
        QWidget card;
        card.show();
        bool stillOpen = false;
        int limitAfterCorrection = -1;
        QString afterTyping;
        const Opened seen = whileOpen(
            [&] {
                if (entry == u"taxCodeButton")
                    showTaxCodeButton(&card, text);
                else
                    showCardCheck(&card, text);
            },
            [&](CheckDialog *d) {
                QTest::mouseClick(d->checkButton(), Qt::LeftButton);
                stillOpen = d->isVisible();
                if (!stillOpen)
                    return;
                // Shortened to fit, the field takes no more than its limit.
                d->field()->end(false);
                for (qsizetype i = text.size(); i > limit; --i)
                    QTest::keyClick(d->field(), Qt::Key_Backspace);
                limitAfterCorrection = d->field()->maxLength();
                QTest::keyClicks(d->field(), QStringLiteral("99"));
                afterTyping = d->field()->text();
            });
        QCOMPARE(seen.field, text);
        QCOMPARE(stillOpen, entry == u"taxCodeButton"); // the length warning
        QCOMPARE(platform.dialogs.shown.size(), 1);
        QCOMPARE(platform.dialogs.lastText(), message);
        if (stillOpen) {
            QCOMPARE(limitAfterCorrection, limit);
            QCOMPARE(afterTyping, text.left(limit));
        }
    }

    // A whole check through the card's entry point: the modal dialog runs,
    // shows its verdict and ends by itself.
    void verdictEndsTheModalDialog()
    {
        testing::TestPlatform platform;
        QWidget card;
        card.show();
        bool stillOpen = true;
        whileOpen([&] { showTaxCodeButton(&card, QStringLiteral("12345670405")); },
                  [&](CheckDialog *d) {
                      QTest::mouseClick(d->checkButton(), Qt::LeftButton);
                      stillOpen = d->isVisible();
                  });
        QVERIFY(!stillOpen);
        QCOMPARE(platform.dialogs.shown.size(), 1);
        QVERIFY(platform.dialogs.lastText().endsWith(
            QStringLiteral("dall'Ufficio IVA del Comune di Forlì.")));
    }
};

QTEST_MAIN(TestCheckWindows)
#include "test_checkwindows.moc"
