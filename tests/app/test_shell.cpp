// The main menu and the window flow, the help pages and window, the
// information and product-notice windows and their links.
#include "support/tempfolder.h"

#include "app/avvio.h"
#include "app/flow.h"
#include "app/info.h"
#include "kit/guida.h"
#include "kit/help.h"
#include "kit/links.h"
#include "app/password.h"
#include "app/vendor.h"
#include "platform/testing.h"
#include "store/values.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QUrlQuery>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::app;
using namespace pratelia::testing;

namespace {

// Runs `inspect` on the modal dialog the next action opens, then closes it
// with its Chiudi command.
void onNextDialog(const std::function<void(QDialog *)> &inspect)
{
    QTimer::singleShot(0, qApp, [inspect] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        inspect(dialog);
        if (auto *close = dialog->findChild<QPushButton *>(QStringLiteral("btnChiudi")))
            close->click();
        else
            dialog->reject();
    });
}

struct Fixture {
    TempProgramFolder home;
    TestPlatform platform;
    int ended = 0;
    TfrmAvvio menu;
    Fixture()
    {
        setEndProgram([this] { ++ended; });
        kit::WindowCatalogue::instance().add(QStringLiteral("TfrmAvvio"), &menu);
        menu.show();
    }
    ~Fixture()
    {
        kit::WindowCatalogue::instance().clear();
        setEndProgram({});
    }
    template <class T = QAbstractButton>
    T *button(const QString &name) { return menu.findChild<T *>(name); }
};

QStringList paragraphsOf(const QString &body)
{
    return body.split(QStringLiteral("\r\n\r\n"));
}

} // namespace

class TestShell : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void menuEntriesOpenTheirWindow_data();
    void menuEntriesOpenTheirWindow();
    void missingApplicationIsAnnounced();
    void closingRules();
    void passwordLeadsToMenuAndMenuEndsTheProgram();
    void commandsAreReachableAndNamed();
    void processFormatsIgnoreTheMachine();

    void helpPagesContent_data();
    void helpPagesContent();
    void generalGuideHoldsTheApplicationPages();
    void exportPagesQuoteTheExportParagraphs();
    void feePageDescribesItsPictures();
    void servicePageDescribesItsPictures();
    void helpShowsEachOpenerItsOwnPage();
    void manualLinkOpensThePdfEvenWhenMissing();
    void linkColoursFollowTheMouse();

    void infoMailLink();
    void splashAndMenuWebLinks();
};

void TestShell::menuEntriesOpenTheirWindow_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("bar");
    const QStringList bars{"ANAGRAFICA CLIENTI", "TARIFFARIO SERVIZI", "SCADENZE E APPUNTAMENTI",
                           "REGISTRO SERVIZI",   "RIEPILOGO COMPENSI", "PROTOCOLLO DOCUMENTI"};
    const QStringList windows{"TfrmAnagrafica",  "TfrmTariffario",    "TfrmScadenzario",
                              "TfrmMenuServizi", "TfrmMenuRiepCosti", "TfrmMenuProtocollo"};
    const QStringList keys{"Anagrafica", "Tariffario", "Scadenze", "Registro", "Riepilogo", "Protocollo"};
    for (int i = 0; i < keys.size(); ++i) {
        QTest::newRow(qPrintable(QStringLiteral("img") + keys[i]))
            << QStringLiteral("img") + keys[i] << windows[i] << bars[i];
        QTest::newRow(qPrintable(QStringLiteral("btn") + keys[i]))
            << QStringLiteral("btn") + keys[i] << windows[i] << bars[i];
    }
}

void TestShell::menuEntriesOpenTheirWindow()
{
    QFETCH(QString, control);
    QFETCH(QString, window);
    QFETCH(QString, bar);
    Fixture f;
    kit::FullScreenWindow app(window, QStringLiteral(" Prova"));
    kit::WindowCatalogue::instance().add(window, &app);
    QAbstractButton *b = f.button(control);
    QVERIFY(b);
    QCOMPARE(f.button(QStringLiteral("btn") + control.mid(3))->text(), bar);
    b->click();
    QVERIFY(app.isVisible());
    QVERIFY(!f.menu.isVisible());
    QVERIFY(f.platform.dialogs.shown.isEmpty());
    // Closing the application (title bar or Esci) brings the menu back.
    QVERIFY(!app.close());
    QVERIFY(f.menu.isVisible());
    QVERIFY(!app.isVisible());
    QCOMPARE(f.ended, 0);
}

void TestShell::missingApplicationIsAnnounced()
{
    Fixture f;
    f.button(QStringLiteral("btnProtocollo"))->click();
    QCOMPARE(f.platform.dialogs.lastText(), notAvailableText(QStringLiteral("Protocollo Documenti")));
    QVERIFY(f.platform.dialogs.lastText().contains(QStringLiteral("non è ancora disponibile")));
    QVERIFY(f.menu.isVisible());
}

void TestShell::closingRules()
{
    {
        Fixture f;
        QVERIFY(!f.menu.close()); // the title bar
        QCOMPARE(f.ended, 1);
    }
    {
        Fixture f;
        f.button(QStringLiteral("imgEsci"))->click();
        QCOMPARE(f.ended, 1);
    }
}

void TestShell::passwordLeadsToMenuAndMenuEndsTheProgram()
{
    Fixture f;
    f.menu.hide();
    f.home.write(QStringLiteral("unins000.dll"),
                 "[Accesso]\r\nValore=" + ScramblePassword(QStringLiteral("PRATELIA")).toLatin1() + "\r\n");
    TfrmPassword password;
    password.setMainMenu(&f.menu);
    password.show();
    QTest::keyClicks(password.findChild<QLineEdit *>(QStringLiteral("txtPassword")), QStringLiteral("pratelia"));
    QTest::keyClick(password.findChild<QLineEdit *>(QStringLiteral("txtPassword")), Qt::Key_Return);
    QVERIFY(f.menu.isVisible());
    QVERIFY(!password.isVisible());
    QCOMPARE(f.menu.windowTitle(), QStringLiteral(" Pratelia"));
    QCOMPARE(password.windowTitle(), QStringLiteral(" Pratelia - Chiavedaccesso"));
    f.menu.close();
    QCOMPARE(f.ended, 1);
}

void TestShell::commandsAreReachableAndNamed()
{
    Fixture f;
    const QStringList names{"imgInfo", "imgGuida", "imgCopyright", "icoSito", "imgEsci",
                            "imgAnagrafica", "btnAnagrafica", "imgProtocollo", "btnProtocollo"};
    for (const QString &name : names) {
        QAbstractButton *b = f.button(name);
        QVERIFY2(b, qPrintable(name));
        QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY2(b->focusPolicy() & Qt::TabFocus, qPrintable(name));
        QVERIFY2(!b->accessibleName().isEmpty(), qPrintable(name));
    }
    // The menu pictures and bars are full commands: Space on the focused
    // picture opens the application too.
    kit::FullScreenWindow app(QStringLiteral("TfrmTariffario"), QStringLiteral(" Prova"));
    kit::WindowCatalogue::instance().add(QStringLiteral("TfrmTariffario"), &app);
    QAbstractButton *picture = f.button(QStringLiteral("imgTariffario"));
    picture->setFocus();
    QTest::keyClick(picture, Qt::Key_Space);
    QVERIFY(app.isVisible());
}

void TestShell::processFormatsIgnoreTheMachine()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Fixture f; // the main menu sets the formats
    bool ok = false;
    QCOMPARE(QLocale().toDouble(QStringLiteral("12,50"), &ok), 12.5);
    QVERIFY(ok);
    QCOMPARE(QLocale().toString(1234.5, 'f', 2), QStringLiteral("1234,50"));
    QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
    QCOMPARE(formatDate(QDate(2024, 3, 5)), QStringLiteral("05/03/2024"));
    QCOMPARE(parseDate(QStringLiteral("05/03/2024")), QDate(2024, 3, 5));
}

void TestShell::helpPagesContent_data()
{
    using kit::HelpPage;
    QTest::addColumn<HelpPage>("page");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("paragraphs");
    QTest::newRow("Anagrafica") << HelpPage::Anagrafica << "Applicazione Anagrafica Clienti." << 7;
    QTest::newRow("ExpClienti") << HelpPage::ExpClienti << "Esportazione archivio clienti in Microsoft Excel." << 3;
    QTest::newRow("Tariffario") << HelpPage::Tariffario << "Applicazione Tariffario Servizi." << 9;
    QTest::newRow("ExpTariffario") << HelpPage::ExpTariffario
                                   << "Esportazione tariffario servizi in Microsoft Excel." << 3;
    QTest::newRow("Servizi") << HelpPage::Servizi << "Applicazione Registro Servizi." << 10;
    QTest::newRow("ExpServizi") << HelpPage::ExpServizi << "Esportazione registro servizi in Microsoft Excel." << 3;
    QTest::newRow("Scadenzario") << HelpPage::Scadenzario << "Applicazione Scadenze e Appuntamenti." << 9;
    QTest::newRow("VisteScadenze") << HelpPage::VisteScadenze << "Visualizzazione scadenze e appuntamenti." << 5;
    QTest::newRow("ExpScadenzario") << HelpPage::ExpScadenzario
                                    << "Esportazione archivio scadenze e appuntamenti in Microsoft Excel." << 3;
    QTest::newRow("RiepCosti") << HelpPage::RiepCosti << "Applicazione Riepilogo Compensi." << 4;
    QTest::newRow("Protocollo") << HelpPage::Protocollo << "Applicazione Protocollo Documenti." << 8;
    QTest::newRow("ExpProtocollo") << HelpPage::ExpProtocollo
                                   << "Esportazione protocollo documenti in Microsoft Excel." << 3;
    QTest::newRow("RiepProtocollo") << HelpPage::RiepProtocollo
                                    << "Riepilogo protocollo per intervallo di tempo." << 3;
}

void TestShell::helpPagesContent()
{
    QFETCH(kit::HelpPage, page);
    QFETCH(QString, title);
    QFETCH(int, paragraphs);
    QCOMPARE(kit::helpTitle(page), title);
    const QString body = kit::helpBody(page);
    const QStringList list = paragraphsOf(body);
    QCOMPARE(list.size(), paragraphs);
    for (const QString &p : list) {
        QVERIFY2(p.size() > 20 && !p.contains(u'\n') && !p.contains(u'\r'), qPrintable(p));
        QVERIFY2(p.endsWith(u'.') || p.endsWith(u')'), qPrintable(p));
    }
}

void TestShell::generalGuideHoldsTheApplicationPages()
{
    using kit::HelpPage;
    QCOMPARE(kit::helpTitle(HelpPage::Generale), QStringLiteral("Uno sguardo a Pratelia."));
    const QString general = kit::helpBody(HelpPage::Generale);
    // The six application pages, in this order, each whole.
    qsizetype at = 0;
    for (HelpPage p : {HelpPage::Anagrafica, HelpPage::Tariffario, HelpPage::Scadenzario, HelpPage::Servizi,
                       HelpPage::RiepCosti, HelpPage::Protocollo}) {
        const qsizetype found = general.indexOf(kit::helpBody(p), at);
        QVERIFY2(found > at, qPrintable(kit::helpTitle(p)));
        at = found + kit::helpBody(p).size();
    }
    const QStringList list = paragraphsOf(general);
    QVERIFY(list[1].contains(QStringLiteral("1)")) && list[1].contains(QStringLiteral("6)")));
    // Four closing paragraphs after the pages; the first names the password
    // the installation writes.
    QCOMPARE(paragraphsOf(general.mid(at)).size() - 1, 4);
    QVERIFY(paragraphsOf(general.mid(at))[1].contains(QStringLiteral(" pratelia ")));
}

void TestShell::exportPagesQuoteTheExportParagraphs()
{
    const QString second = QStringLiteral(
        "Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic sull'icona di Excel. "
        "Questa operazione crea in tempo reale un file in formato XLS contenente le schede in archivio, che "
        "potrà essere aperto immediatamente rispondendo affermativamente al messaggio di domanda che appare.");
    const QString third = QStringLiteral(
        "A questo punto è sufficiente salvare il file sul proprio disco fisso assegnandogli un nome qualsiasi.");
    QCOMPARE(paragraphsOf(kit::helpBody(kit::HelpPage::ExpClienti)),
             QStringList({QStringLiteral("Il pulsante Esporta archivio consente di esportare i dati di tutti i "
                                         "clienti in un foglio di lavoro di Microsoft Excel, che potrà essere "
                                         "aperto con qualsiasi software in grado di gestire i file in formato XLS "
                                         "(ad esempio, con Open Office, Libre Office o Microsoft Office)."),
                          second, third}));
    for (kit::HelpPage p : {kit::HelpPage::ExpTariffario, kit::HelpPage::ExpServizi,
                            kit::HelpPage::ExpScadenzario, kit::HelpPage::ExpProtocollo}) {
        const QStringList list = paragraphsOf(kit::helpBody(p));
        QVERIFY(list[0].startsWith(QStringLiteral("Il pulsante Esporta archivio consente di esportare ")));
        QVERIFY(!list[0].contains(QStringLiteral("clienti")));
        QCOMPARE(list[1], second);
        QCOMPARE(list[2], third);
    }
}

void TestShell::feePageDescribesItsPictures()
{
    // The fee card's import and discounted-list commands are pictures
    // without a caption on the card: the page tells the user what to look for.
    const QStringList list = paragraphsOf(kit::helpBody(kit::HelpPage::Tariffario));
    auto paragraphWith = [&list](const QString &words) {
        for (const QString &p : list)
            if (p.contains(words))
                return p;
        return QString();
    };
    const QString import = paragraphWith(QStringLiteral("importato dall'archivio dei clienti"));
    QVERIFY2(import.contains(QStringLiteral("freccia rossa")), qPrintable(import));
    const QString discounted = paragraphWith(QStringLiteral("servizi con tariffa scontata"));
    QVERIFY2(discounted.contains(QStringLiteral("mano")) && discounted.contains(QStringLiteral("moneta")),
             qPrintable(discounted));
}

void TestShell::servicePageDescribesItsPictures()
{
    // Ten paragraphs; the service card's imports and its unpaid list are
    // pictures without a caption: the page names their motifs.
    const QStringList list = paragraphsOf(kit::helpBody(kit::HelpPage::Servizi));
    QCOMPARE(list.size(), 10);
    auto paragraphWith = [&list](const QString &words) {
        for (const QString &p : list)
            if (p.contains(words))
                return p;
        return QString();
    };
    const QString fees = paragraphWith(QStringLiteral("dal tariffario"));
    QVERIFY2(fees.contains(QStringLiteral("freccia rossa")) && fees.contains(QStringLiteral("mano"))
                 && fees.contains(QStringLiteral("moneta")),
             qPrintable(fees));
    const QString client = paragraphWith(QStringLiteral("anagrafica clienti"));
    QVERIFY2(client.contains(QStringLiteral("freccia rossa")), qPrintable(client));
    const QString unpaid = paragraphWith(QStringLiteral("non ancora saldati"));
    QVERIFY2(unpaid.contains(QStringLiteral("spunta")), qPrintable(unpaid));
}

void TestShell::helpShowsEachOpenerItsOwnPage()
{
    TestPlatform platform;
    QWidget first, second;
    QStringList titles;
    QStringList texts;
    QStringList captions;
    auto inspect = [&](QDialog *d) {
        captions << d->windowTitle();
        titles << d->findChild<QLabel *>(QStringLiteral("lblTitolo"))->text();
        texts << d->findChild<QPlainTextEdit *>(QStringLiteral("txtGuida"))->toPlainText();
        QCOMPARE(d->size(), QSize(670, 572));
    };
    onNextDialog(inspect);
    kit::showHelp(&first, kit::HelpPage::Tariffario);
    onNextDialog(inspect);
    kit::showHelp(&second, kit::HelpPage::RiepProtocollo);
    onNextDialog(inspect);
    kit::showHelp(&first, kit::HelpPage::Generale);
    QCOMPARE(titles, QStringList({kit::helpTitle(kit::HelpPage::Tariffario),
                                  kit::helpTitle(kit::HelpPage::RiepProtocollo),
                                  kit::helpTitle(kit::HelpPage::Generale)}));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(captions[i], QStringLiteral(" Guida all'utilizzo del software"));
    QCOMPARE(texts[1], kit::helpBody(kit::HelpPage::RiepProtocollo).replace(QStringLiteral("\r\n"),
                                                                             QStringLiteral("\n")));
    // The menu's Guida command opens the general guide.
    Fixture f;
    QString menuTitle;
    onNextDialog([&](QDialog *d) { menuTitle = d->findChild<QLabel *>(QStringLiteral("lblTitolo"))->text(); });
    f.button(QStringLiteral("imgGuida"))->click();
    QCOMPARE(menuTitle, QStringLiteral("Uno sguardo a Pratelia."));
}

void TestShell::manualLinkOpensThePdfEvenWhenMissing()
{
    TempProgramFolder home;
    TestPlatform platform;
    kit::TfrmGuida help;
    help.setPage(kit::HelpPage::Generale);
    const QUrl manual = QUrl::fromLocalFile(home.file(QStringLiteral("Guida.pdf")));
    help.findChild<QAbstractButton *>(QStringLiteral("lnkWeb"))->click();
    help.findChild<QAbstractButton *>(QStringLiteral("imgPDF"))->click();
    QCOMPARE(platform.shell.opened, QList<QUrl>({manual, manual}));
    QVERIFY(platform.dialogs.shown.isEmpty());
    // The long guide scrolls inside the text, the window keeps its size.
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QCOMPARE(help.size(), QSize(670, 572));
    QVERIFY(help.findChild<QPlainTextEdit *>(QStringLiteral("txtGuida"))->verticalScrollBar()->maximum() > 0);
}

void TestShell::linkColoursFollowTheMouse()
{
    TestPlatform platform;
    kit::TfrmGuida help;
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    auto *link = help.findChild<kit::LinkButton *>(QStringLiteral("lnkWeb"));
    auto *picture = help.findChild<QAbstractButton *>(QStringLiteral("imgPDF"));
    for (QAbstractButton *held : {static_cast<QAbstractButton *>(link), picture}) {
        QCOMPARE(link->textColour(), kit::LinkButton::restColour());
        QTest::mousePress(held, Qt::LeftButton);
        QCOMPARE(link->textColour(), kit::LinkButton::pressedColour());
        QTest::mouseRelease(held, Qt::LeftButton);
        QCOMPARE(link->textColour(), kit::LinkButton::restColour());
    }
    QCOMPARE(platform.shell.opened.size(), 2);
}

void TestShell::infoMailLink()
{
    Fixture f;
    QList<QUrl> opened;
    onNextDialog([&](QDialog *d) {
        QCOMPARE(d->windowTitle(), QStringLiteral(" Informazioni su Pratelia"));
        auto *link = d->findChild<QAbstractButton *>(QStringLiteral("lnkWeb"));
        QCOMPARE(link->text(), vendor::mailAddress());
        link->click();
        d->findChild<QAbstractButton *>(QStringLiteral("imgEmail"))->click();
    });
    f.button(QStringLiteral("imgInfo"))->click();
    QCOMPARE(f.platform.shell.opened.size(), 2);
    const QUrl mail = f.platform.shell.opened.first();
    QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
    QCOMPARE(mail.path(), vendor::mailAddress());
    const QUrlQuery query(mail);
    QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded), QStringLiteral("Software Pratelia"));
    QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
             QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:"));
    // What reaches the mail program is a well-formed link.
    QVERIFY(!mail.toEncoded().contains(' '));
    QVERIFY(f.menu.isVisible());
}

void TestShell::splashAndMenuWebLinks()
{
    Fixture f;
    onNextDialog([&](QDialog *d) {
        QCOMPARE(d->windowTitle(), vendor::noticeCaption());
        QVERIFY(d->windowTitle().startsWith(QStringLiteral(" Pratelia")));
        auto *link = d->findChild<QAbstractButton *>(QStringLiteral("lnkWeb"));
        QCOMPARE(link->text(), vendor::webText());
        d->findChild<QAbstractButton *>(QStringLiteral("imgWeb"))->click();
    });
    f.button(QStringLiteral("imgCopyright"))->click();
    f.button(QStringLiteral("icoSito"))->click();
    QCOMPARE(f.platform.shell.opened, QList<QUrl>({vendor::webAddress(), vendor::webAddress()}));
    QVERIFY(vendor::webAddress().isValid());
    QCOMPARE(vendor::webAddress().host(), vendor::webText());
}

QTEST_MAIN(TestShell)
#include "test_shell.moc"
