// The fee summary's windows as a user drives them: the selection window
// (year labels, filters, the boxes that refuse typing, the checks), the
// result window (list, total, cards left out, find, print), the client
// import, the main menu's entry; and the same summary from pratelia-cli.
#include "summaryfixture.h"
#include "support/faultyfs.h"
#include "support/tempfolder.h"
#include "support/windows.h"
#include "report/pdftext.h"

#include "app/avvio.h"
#include "kit/windows.h"
#include "app/startup.h"
#include "lists/listwindows.h"
#include "lists/linemodel.h"
#include "platform/testing.h"
#include "store/layout.h"
#include "store/recordfile.h"
#include "store/values.h"
#include "summary/riepcosti.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::summary;
using pratelia::testing::addFeeService;
using pratelia::testing::control;
using pratelia::testing::TempProgramFolder;
using pratelia::testing::TestPlatform;

namespace {

QString text(const QWidget *w, const char *name)
{
    QWidget *c = control(w, QLatin1String(name));
    if (auto *l = qobject_cast<QLabel *>(c))
        return l->text();
    if (auto *e = qobject_cast<QLineEdit *>(c))
        return e->text();
    if (auto *b = qobject_cast<QComboBox *>(c))
        return b->currentText();
    return {};
}

// Chooses an entry of a box's list, as the drop-down list does.
void choose(QWidget *w, const char *box, const QString &entry)
{
    auto *b = control<QComboBox>(w, QLatin1String(box));
    const int i = b->findText(entry);
    QVERIFY2(i >= 0, qPrintable(entry));
    b->setCurrentIndex(i);
}

void chooseInterval(QWidget *w, const QString &startDay, const QString &startMonth,
                    const QString &endDay, const QString &endMonth)
{
    choose(w, "txtGiornoInizio", startDay);
    choose(w, "txtMeseInizio", startMonth);
    choose(w, "txtGiornoFine", endDay);
    choose(w, "txtMeseFine", endMonth);
}

QStringList shownIds(const TfrmRiepCosti *w)
{
    QStringList out;
    for (int i = 0; i < w->model()->rowCount(); ++i)
        out << w->model()->line(i).mid(4, 20).trimmed();
    return out;
}

} // namespace

class TestRiepCosti : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<TestPlatform> platform;
    std::unique_ptr<TfrmMenuRiepCosti> menu;
    QString path;

    // Opens the result window on the whole of 2024 and runs `act` on it;
    // the window is left with Esci afterwards.
    void showResult(const std::function<void(TfrmRiepCosti *)> &act, bool *ran = nullptr)
    {
        bool came = false;
        testing::onNextModal(
            [&](QWidget *w) {
                auto *result = qobject_cast<TfrmRiepCosti *>(w);
                if (!result) {
                    QFAIL("the result window did not open");
                    return;
                }
                // The offscreen platform activates no window by itself.
                QApplication::setActiveWindow(result);
                act(result);
                testing::press(result, "btnEsci");
            },
            &came);
        testing::press(menu.get(), "btnVisualizza");
        if (ran)
            *ran = came;
        else
            QVERIFY2(came, qPrintable(platform->dialogs.lastText()));
    }

    // The four services most tests use: file order is not list order, the
    // second has a fee that cannot be read.
    void addServices()
    {
        addFeeService(path, {"C", "20/05/2024", "0,25", "RSSMRA80A01H501U", "Rossi Mario"});
        addFeeService(path, {"X", "10/05/2024", "dieci", "VRDNNA70A41H501X", "Verdi Anna"});
        addFeeService(path, {"A", "01/05/2024", "10,5", "RSSLCU80A01H501U", "Rossi Luca"});
        addFeeService(path, {"B", "02/05/2024", "7", "VRDNNA70A41H501X", "Verdi Anna"});
        addFeeService(path, {"D", "03/05/2024", "0,1", "BNCPLA62E05L219Q", "Bianchi Paolo"});
    }

private slots:
    void init()
    {
        folder = std::make_unique<TempProgramFolder>();
        platform = std::make_unique<TestPlatform>();
        platform->printing.outputFolder = folder->path();
        path = folder->file("2024.ser");
        menu = std::make_unique<TfrmMenuRiepCosti>();
        menu->show();
        QApplication::setActiveWindow(menu.get());
        QVERIFY(QTest::qWaitForWindowActive(menu.get()));
    }
    void cleanup()
    {
        menu.reset();
        platform.reset();
        folder.reset();
    }

    void eachShowingStartsAfresh()
    {
        QCOMPARE(menu->windowTitle(), QString(" Pratelia - Riepilogo Compensi"));
        QCOMPARE(text(menu.get(), "txtAnno"), QString("2024"));
        QCOMPARE(text(menu.get(), "lblAnnoInizio"), QString("2024"));
        QCOMPARE(text(menu.get(), "lblAnnoFine"), QString("2024"));
        QCOMPARE(testing::focusName(), QString("txtCliente"));
        QVERIFY(!control(menu.get(), "lblAttendere")->isVisible());

        testing::type(menu.get(), "txtAnno", "5");
        testing::type(menu.get(), "txtCliente", "rss");
        testing::type(menu.get(), "txtTarga", "Contab");
        chooseInterval(menu.get(), "01", "Marzo", "31", "Marzo");
        menu->hide();
        platform->clock.setToday(QDate(2025, 1, 2));
        menu->show();
        for (const char *name : {"txtCliente", "txtTarga", "txtGiornoInizio", "txtMeseInizio",
                                 "txtGiornoFine", "txtMeseFine"})
            QVERIFY2(text(menu.get(), name).isEmpty(), name);
        QCOMPARE(control<QComboBox>(menu.get(), "txtMeseInizio")->currentIndex(), -1);
        QCOMPARE(text(menu.get(), "txtAnno"), QString("2025"));
        QCOMPARE(text(menu.get(), "lblAnnoFine"), QString("2025"));
    }

    void yearLabelsFollowTheYearField_data()
    {
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("year");
        QTest::newRow("typed") << false << "2031" << "2031";
        QTest::newRow("typed, letters refused") << false << "20a2x3" << "2023";
        QTest::newRow("typed, three digits") << false << "202" << "202";
        QTest::newRow("pasted with blanks and letters") << true << " 20-19 " << "2019";
        QTest::newRow("pasted, more than four digits") << true << "202678" << "2026";
    }
    void yearLabelsFollowTheYearField()
    {
        QFETCH(bool, pasted);
        QFETCH(QString, input);
        QFETCH(QString, year);
        control<QLineEdit>(menu.get(), "txtAnno")->clear();
        if (pasted)
            testing::paste(menu.get(), "txtAnno", input);
        else
            testing::type(menu.get(), "txtAnno", input);
        QCOMPARE(text(menu.get(), "txtAnno"), year);
        QCOMPARE(text(menu.get(), "lblAnnoInizio"), year);
        QCOMPARE(text(menu.get(), "lblAnnoFine"), year);
    }

    void clientFieldIsTrimmedUpperCase_data()
    {
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("shown");
        QTest::newRow("typed lower case") << false << "rss" << "RSS";
        QTest::newRow("typed blanks dropped at the ends") << false << " rs s " << "RSS";
        QTest::newRow("pasted") << true << "  rssmra80a01h501u  " << "RSSMRA80A01H501U";
        QTest::newRow("at most 16 characters") << false << "rssmra80a01h501uxyz" << "RSSMRA80A01H501U";
    }
    void clientFieldIsTrimmedUpperCase()
    {
        QFETCH(bool, pasted);
        QFETCH(QString, input);
        QFETCH(QString, shown);
        if (pasted)
            testing::paste(menu.get(), "txtCliente", input);
        else
            testing::type(menu.get(), "txtCliente", input);
        QCOMPARE(text(menu.get(), "txtCliente"), shown);
    }

    void boxesRefuseTypingAndEnterMovesOn()
    {
        auto *day = control<QComboBox>(menu.get(), "txtGiornoInizio");
        testing::type(menu.get(), "txtGiornoInizio", "12");
        QCOMPARE(day->currentText(), QString());
        choose(menu.get(), "txtGiornoInizio", "05");
        day->setFocus();
        QTest::keyClick(day, Qt::Key_Backspace);
        QCOMPARE(day->currentText(), QString());
        // A pasted text that is no entry is emptied on leaving.
        testing::paste(menu.get(), "txtMeseInizio", "Aprilee");
        control(menu.get(), "txtTarga")->setFocus();
        QCOMPARE(text(menu.get(), "txtMeseInizio"), QString());
        testing::paste(menu.get(), "txtMeseFine", " aprile ");
        control(menu.get(), "txtTarga")->setFocus();
        QCOMPARE(text(menu.get(), "txtMeseFine").trimmed(), QString("aprile"));

        // The Enter chain, from the year to the command.
        const QStringList chain{"txtAnno",       "txtCliente",   "txtTarga",    "txtGiornoInizio",
                                "txtMeseInizio", "txtGiornoFine", "txtMeseFine", "btnVisualizza"};
        control(menu.get(), "txtAnno")->setFocus();
        for (qsizetype i = 1; i < chain.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(testing::focusName(), chain[i]);
        }
    }

    void failedChecksWarnAndFocus_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QStringList>("interval");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("three-digit year")
            << "202" << QStringList{"01", "Gennaio", "31", "Gennaio"}
            << "Attenzione: indicare l'anno solare utilizzando quattro cifre." << "txtAnno";
        QTest::newRow("31 Aprile")
            << "2024" << QStringList{"31", "Aprile", "30", "Maggio"}
            << "Attenzione: la data 31/04/2024 di inizio intervallo non esiste.\n\r\n\rPer poter "
               "visualizzare il riepilogo è necessario indicare una data valida."
            << "txtGiornoInizio";
        QTest::newRow("end before start")
            << "2024" << QStringList{"02", "Maggio", "01", "Maggio"}
            << "Attenzione: la data di fine intervallo (01/05/2024) non può essere anteriore a quella "
               "di inizio intervallo (02/05/2024).\n\r\n\rPer poter visualizzare il riepilogo è "
               "necessario indicare un intervallo di tempo valido."
            << "txtTarga"; // unchanged
    }
    void failedChecksWarnAndFocus()
    {
        QFETCH(QString, year);
        QFETCH(QStringList, interval);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        control<QLineEdit>(menu.get(), "txtAnno")->setText(year);
        chooseInterval(menu.get(), interval[0], interval[1], interval[2], interval[3]);
        control(menu.get(), "txtTarga")->setFocus();
        bool ran = false;
        testing::onNextModal([](QWidget *w) { static_cast<QDialog *>(w)->reject(); }, &ran);
        testing::press(menu.get(), "btnVisualizza");
        QApplication::processEvents(); // the look for a modal window runs
        QVERIFY(!ran); // no result window
        QCOMPARE(platform->dialogs.shown.size(), 1);
        QCOMPARE(platform->dialogs.lastText(), message);
        QCOMPARE(testing::focusName(), focus);
        QVERIFY(!control(menu.get(), "lblAttendere")->isVisible());
        QVERIFY(!QFile::exists(path)); // nothing read, nothing created
    }

    // The result of an archive with a fee that cannot be read in the
    // middle: the lines and total of the other cards, and the count of the
    // one left out.
    void resultListsTotalsAndCountsUnreadable()
    {
        addServices();
        chooseInterval(menu.get(), "01", "Maggio", "20", "Maggio");
        QSignalSpy shown(control<QPushButton>(menu.get(), "btnVisualizza"), &QPushButton::pressed);
        showResult([&](TfrmRiepCosti *w) {
            QVERIFY(control(menu.get(), "lblAttendere")->isVisible());
            QCOMPARE(w->windowTitle(), QString(" Pratelia - Riepilogo Compensi"));
            QCOMPARE(shownIds(w), (QStringList{"A", "B", "C", "D"}));
            QCOMPARE(text(w, "lblTotCosti"), QString("17,85"));
            QCOMPARE(text(w, "titTipologia"), QString("- - -"));
            QCOMPARE(text(w, "lblIntervallo"), QString("Dal   01/05/2024   al   20/05/2024"));
            QCOMPARE(text(w, "lblConta"), QString("0"));
            QVERIFY(control(w, "lblNonLeggibili")->isVisible());
            QCOMPARE(text(w, "lblNonLeggibili"),
                     QString("Attenzione: 1 scheda non è stata elencata perché contiene una data o un "
                             "numero non leggibile."));
            QCOMPARE(w->selectedRow(), 0);
            QCOMPARE(testing::focusName(), QString("txtTrova"));
        });
        QCOMPARE(shown.size(), 1);
        QVERIFY(!control(menu.get(), "lblAttendere")->isVisible());
        QVERIFY(!menu->result());
        QVERIFY(platform->dialogs.shown.isEmpty());
        QCOMPARE(text(menu.get(), "lblFile"), path);
        QCOMPARE(text(menu.get(), "lblDataInizio"), QString("01/05/2024"));
        QCOMPARE(text(menu.get(), "lblDataFine"), QString("20/05/2024"));
    }

    void filtersReachTheResult()
    {
        addServices();
        chooseInterval(menu.get(), "01", "Maggio", "31", "Maggio");
        testing::type(menu.get(), "txtCliente", "vrd");
        testing::type(menu.get(), "txtTarga", "FISCALE");
        showResult([&](TfrmRiepCosti *w) {
            QCOMPARE(shownIds(w), QStringList{"B"});
            QCOMPARE(text(w, "titTipologia"), QString("VRD"));
            QCOMPARE(text(w, "lblConta"), QString("2"));
            QCOMPARE(text(w, "lblTotCosti"), QString("7,00"));
            QCOMPARE(text(w, "lblNonLeggibili"),
                     QString("Attenzione: 1 scheda non è stata elencata perché contiene una data o un "
                             "numero non leggibile."));
        });
    }

    void missingArchiveGivesAnEmptyResult()
    {
        chooseInterval(menu.get(), "01", "Gennaio", "31", "Dicembre");
        showResult([&](TfrmRiepCosti *w) {
            QCOMPARE(w->model()->rowCount(), 0);
            QCOMPARE(text(w, "lblTotCosti"), QString("0,00"));
            QVERIFY(!control(w, "lblNonLeggibili")->isVisible());
            // Find and print on an empty list say so.
            testing::press(w, "btnTrova");
            QCOMPARE(platform->dialogs.lastText(),
                     QString("Ricerca non applicabile: la lista non contiene nessuna voce."));
            QCOMPARE(platform->dialogs.last()->kind, MessageKind::Plain);
            testing::press(w, "btnStampa");
            QCOMPARE(platform->dialogs.lastText(),
                     QString("Operazione di stampa non applicabile: il riepilogo non contiene "
                             "nessuna voce."));
            QCOMPARE(platform->dialogs.last()->kind, MessageKind::Warning);
        });
        QVERIFY(QFile::exists(path));
        QVERIFY(platform->printing.jobs.isEmpty());
    }

    void archiveThatFailsWhileReadIsSaidSo()
    {
        addServices();
        chooseInterval(menu.get(), "01", "Maggio", "31", "Maggio");
        testing::FaultyFileSystem disk;
        disk.onlyFiles("2024.ser");
        disk.failAt(IoStep::Read, 1, true);
        showResult([&](TfrmRiepCosti *w) {
            QCOMPARE(w->model()->rowCount(), 0);
            QCOMPARE(text(w, "lblTotCosti"), QString("0,00"));
            QVERIFY(control(w, "lblNonLeggibili")->isVisible());
            QCOMPARE(text(w, "lblNonLeggibili"), incompleteText(false));
        });
        QVERIFY(disk.triggered());
        QVERIFY(platform->dialogs.shown.isEmpty());
    }

    void inaccessibleArchiveIsReported()
    {
        QVERIFY(QDir().mkpath(path)); // a folder where the archive should be
        chooseInterval(menu.get(), "01", "Gennaio", "31", "Dicembre");
        bool ran = false;
        testing::onNextModal([](QWidget *w) { static_cast<QDialog *>(w)->reject(); }, &ran);
        testing::press(menu.get(), "btnVisualizza");
        QApplication::processEvents(); // the look for a modal window runs
        QVERIFY(!ran);
        QCOMPARE(platform->dialogs.lastText(),
                 QString("Attenzione: il file di archivio non risulta accessibile."));
        QCOMPARE(platform->dialogs.last()->kind, MessageKind::Plain);
        QVERIFY(!control(menu.get(), "lblAttendere")->isVisible());
    }

    // Trova with the same key moves to the next line holding it and wraps;
    // the key outlives the window.
    void findMovesOnWrapsAndIsRemembered()
    {
        addServices();
        chooseInterval(menu.get(), "01", "Maggio", "31", "Maggio");
        TfrmRiepCosti::previousFind().clear();
        // Lines in order: A Rossi Luca, B Verdi, C Rossi Mario, D Bianchi.
        showResult([&](TfrmRiepCosti *w) {
            testing::type(w, "txtTrova", "ROSSI");
            QList<int> rows;
            for (int k = 0; k < 3; ++k) {
                testing::press(w, "btnTrova");
                rows << w->selectedRow();
            }
            QCOMPARE(rows, (QList<int>{0, 2, 0}));
            // Enter in the find field does nothing.
            control(w, "txtTrova")->setFocus();
            QTest::keyClick(control(w, "txtTrova"), Qt::Key_Return);
            QCOMPARE(w->selectedRow(), 0);
            QCOMPARE(testing::focusName(), QString("txtTrova"));
            QVERIFY(w->isVisible());
            // A text no line holds leaves the selection.
            control<QLineEdit>(w, "txtTrova")->setText("nessuno");
            testing::press(w, "btnTrova");
            QCOMPARE(w->selectedRow(), 0);
            control<QLineEdit>(w, "txtTrova")->setText("rossi");
            testing::press(w, "btnTrova");
            QCOMPARE(w->selectedRow(), 0); // a new key starts at the top
        });
        // A new result window: the same key goes on after the selected line.
        showResult([&](TfrmRiepCosti *w) {
            QCOMPARE(w->selectedRow(), 0);
            testing::type(w, "txtTrova", "rossi");
            testing::press(w, "btnTrova");
            QCOMPARE(w->selectedRow(), 2);
        });
        QVERIFY(platform->dialogs.shown.isEmpty());
    }

    void printedSummary_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("answered No") << false;
        QTest::newRow("answered Yes") << true;
    }
    void printedSummary()
    {
        QFETCH(bool, yes);
        addServices();
        chooseInterval(menu.get(), "01", "Maggio", "31", "Maggio");
        platform->dialogs.answerNext(yes);
        showResult([&](TfrmRiepCosti *w) { testing::press(w, "btnStampa"); });
        QCOMPARE(platform->dialogs.shown.size(), 1);
        QCOMPARE(platform->dialogs.last()->kind, MessageKind::Question);
        QCOMPARE(platform->dialogs.lastText(), QString("Si vuole stampare il presente riepilogo?"));
        if (!yes) {
            QVERIFY(platform->printing.jobs.isEmpty());
            return;
        }
        QCOMPARE(platform->printing.orientations, QList<QPageLayout::Orientation>{QPageLayout::Landscape});
        const QStringList pages = testing::pdfPages(platform->printing.files.first());
        QCOMPARE(pages.size(), 1);
        const QStringList lines = testing::textLines(pages.first(), true);
        QCOMPARE(lines.first(), QString("Riepilogo compensi - C.F. cliente: - - -"));
        QVERIFY(lines.at(1).startsWith("ID: A Dichiarazione dei redditi Data: 01/05/2024 Rossi Luca"));
        QVERIFY(lines.at(4).startsWith("ID: D "));
        QCOMPARE(lines.at(5), QString("- - - - - - - - - - - - - - - -"));
        QCOMPARE(lines.at(6), QString("INTERVALLO SELEZIONATO: Dal 01/05/2024 al 31/05/2024"));
        QCOMPARE(lines.at(7), QString("TOTALE COMPENSI: € 17,85"));
        QCOMPARE(lines.at(8), QString("Attenzione: 1 scheda non è stata elencata perché contiene "
                                      "una data o un numero non leggibile."));
        QVERIFY(lines.last().startsWith("Stampa eseguita in data 10/05/2024"));
    }

    void clientImportedFromTheClientSearch()
    {
        Record client(layouts::cliente());
        client.setText(u"Cognome", u"Rossi");
        client.setText(u"Nome", u"Mario");
        client.setText(u"CodFisc", u"RSSMRA80A01H501U");
        appendRecord(folder->file("Clienti.arx"), client);
        testing::type(menu.get(), "txtTarga", "Contab");
        bool ran = false;
        testing::onNextModal(
            [](QWidget *w) {
                auto *search = qobject_cast<lists::SearchWindow *>(w);
                QVERIFY(search);
                QCOMPARE(search->mode(), QString("riepilogo"));
                search->criterion(0)->setText("ross");
                search->search();
                search->pick(0);
            },
            &ran);
        testing::press(menu.get(), "impCliente");
        QVERIFY(ran);
        QCOMPARE(text(menu.get(), "txtCliente"), QString("RSSMRA80A01H501U"));
        QCOMPARE(text(menu.get(), "txtTarga"), QString("Contab"));
    }

    void mainMenuEntryOpensIt()
    {
        menu.reset();
        app::Program program;
        program.createApplications();
        QWidget *selection = kit::WindowCatalogue::instance().window("TfrmMenuRiepCosti");
        QVERIFY(selection);
        QVERIFY(!selection->isVisible());
        program.menu()->show();
        program.menu()->findChild<QAbstractButton *>("btnRiepilogo")->click();
        QVERIFY(selection->isVisible());
        QVERIFY(!program.menu()->isVisible());
        QVERIFY(platform->dialogs.shown.isEmpty());
        testing::press(selection, "btnEsci");
        QVERIFY(program.menu()->isVisible());
        QVERIFY(!selection->isVisible());
    }

    void commandLine()
    {
        addServices();
        auto r = testing::runCli({"riepilogo", path, "--from", "01/05/2024", "--to", "20/05/2024"});
        QCOMPARE(r.exitCode, 1); // a card left out
        QStringList out = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(out.size(), 6);
        QVERIFY(out[0].startsWith("ID: A "));
        QVERIFY(out[3].startsWith("ID: D "));
        QCOMPARE(out[4], QString("Totale compensi: € 17,85"));
        QCOMPARE(out[5], QString("Attenzione: 1 scheda non è stata elencata perché contiene una data o "
                                 "un numero non leggibile."));
        QCOMPARE(r.err, QString("scheda 2 non elencata: data o numero non leggibile\n"));

        r = testing::runCli({"riepilogo", path, "--from", "01/05/2024", "--to", "31/05/2024", "--cf",
                             " rss ", "--tipologia", "fiscale"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out.split('\n', Qt::SkipEmptyParts).last(), QString("Totale compensi: € 10,75"));
        QCOMPARE(r.out.split('\n', Qt::SkipEmptyParts).size(), 3);
    }

    void commandLineRefusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error");
        QTest::newRow("no dates") << QStringList{"2024.ser"} << "uso: riepilogo";
        QTest::newRow("date that does not exist")
            << QStringList{"2024.ser", "--from", "31/04/2024", "--to", "01/05/2024"}
            << "data non valida: 31/04/2024";
        QTest::newRow("end before start")
            << QStringList{"2024.ser", "--from", "02/05/2024", "--to", "01/05/2024"}
            << "Attenzione: la data di fine intervallo (01/05/2024) non può essere anteriore";
        QTest::newRow("not a service register")
            << QStringList{"2024.sca", "--from", "01/05/2024", "--to", "02/05/2024"}
            << "archivio non previsto";
        QTest::newRow("missing archive")
            << QStringList{"2030.ser", "--from", "01/05/2024", "--to", "02/05/2024"}
            << "il file non esiste";
        QTest::newRow("unknown option")
            << QStringList{"2024.ser", "--from", "01/05/2024", "--to", "02/05/2024", "--cliente", "x"}
            << "argomento non previsto: --cliente";
    }
    void commandLineRefusals()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        addServices();
        QFile(folder->file("2024.sca")).open(QIODevice::WriteOnly);
        args[0] = folder->file(args[0]);
        const auto r = testing::runCli(QStringList{"riepilogo"} + args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(error), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        QVERIFY(!QFile::exists(folder->file("2030.ser")));
    }
};

QTEST_MAIN(TestRiepCosti)
#include "test_riepcosti.moc"
