// The service register's list windows on the shared list tools: the
// search and its hand-over to the card, the unpaid list, the 17-column
// export, the card print, each on the year open on the card; and the same
// lists through pratelia-cli.
#include "support/tempfolder.h"
#include "support/windows.h"

#include "kit/yearmenu.h"
#include "platform/testing.h"
#include "services/servicecard.h"
#include "services/servicelists.h"
#include "services/servizi.h"
#include "store/codepage.h"
#include "store/recordfile.h"
#include "store/values.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::services;
using pratelia::testing::TempProgramFolder;
using pratelia::testing::TestPlatform;

namespace {

struct Service {
    QString id, description, date, client, taxCode, fee;
    QString paid = QStringLiteral("No");
    QString company = QString();
};

Record serviceRecord(const Service &s)
{
    Record r(layout());
    r.setText(u"ID", s.id);
    r.setText(u"Tipologia", QString("Tipo " + s.id));
    r.setText(u"Descrizione", s.description);
    r.setText(u"Tariffa", s.fee);
    r.setText(u"DataRic", s.date);
    r.setText(u"DataEsp", u"30/06/2024");
    r.setText(u"Pagamento", u"Bonifico");
    r.setText(u"Cliente", s.client);
    r.setText(u"CodFisc", s.taxCode);
    r.setText(u"Ditta", s.company);
    r.setText(u"Iva", u"01234567897");
    r.setText(u"Stato", QString("Stato " + s.id));
    r.setText(u"Uffici", QString("Uffici " + s.id));
    r.setText(u"Documenti", QString("Documenti " + s.id));
    r.setText(u"Questioni", QString("Questioni " + s.id));
    r.setText(u"Note", u"A & B <urgente>");
    r.setText(u"Copia", QString("fattura-" + s.id + ".pdf"));
    r.setText(u"File01", QString("allegato-" + s.id + ".pdf"));
    r.setText(u"Desc02", u"Ricevuta");
    r.setText(u"Pagato", s.paid);
    return r;
}

void add(const QString &year, const Service &s)
{
    appendRecord(archivePath(year), serviceRecord(s));
}

// Three services of 2024, in file order; the list order is by code.
void addThree()
{
    add("2024", {"730-24", "Dichiarazione dei redditi", "02/03/2024", "Rossi Mario",
                 "RSSMRA80A01H501U", "120,00", "No", "Rossi Impianti S.r.l."});
    add("2024", {"ISEE", "Attestazione ISEE", "15/01/2024", "verdi anna", "VRDNNA70A41H501X",
                 "50,00", "Sì"});
    add("2024", {"CONT", "Contabilità ordinaria per l'anno in corso, con bilancio", "10/02/2024",
                 "Bianchi Luca", "BNCLCU75C03F205Z", "1200,00", "No", "Bianchi & Figli"});
}

QStringList decoded(const QVector<QByteArray> &lines)
{
    QStringList out;
    for (const QByteArray &l : lines)
        out << codepage::decode(l);
    return out;
}

QStringList codes(const QVector<QByteArray> &lines)
{
    QStringList out;
    for (const QString &l : decoded(lines))
        out << l.mid(4, 20).trimmed();
    return out;
}

QStringList lineCodes(const lists::ListPanel *panel)
{
    QStringList out;
    for (int i = 0; i < panel->model()->rowCount(); ++i)
        out << panel->model()->index(i).data().toString().mid(4, 20).trimmed();
    return out;
}

} // namespace

class TestServiceLists : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<TestPlatform> platform;
    std::unique_ptr<TfrmServizi> card;

    void open(const QString &year) { QVERIFY(kit::openYear(card.get(), yearArchive(), year)); }
    QLineEdit *edit(const char *name) { return card->findChild<QLineEdit *>(name); }

private slots:
    void init()
    {
        folder = std::make_unique<TempProgramFolder>();
        platform = std::make_unique<TestPlatform>();
        platform->printing.outputFolder = folder->path();
        card = std::make_unique<TfrmServizi>();
        open("2024");
    }
    void cleanup()
    {
        card.reset();
        platform.reset();
        folder.reset();
    }

    void lineLayout()
    {
        add("2024", {"730-24", "Dichiarazione dei redditi e assistenza fiscale", "02/03/2024",
                     "Rossi Mario", "RSSMRA80A01H501U", "120,00"});
        const QStringList lines = decoded(lists::searchLines(
            serviceSearchConfig(), archivePath("2024"), QStringList(10)));
        QCOMPARE(lines,
                 QStringList{"ID: " + QString("730-24").leftJustified(20) + "  "
                             + QString("Dichiarazione dei redditi e assiste") + "  Data: "
                             + "02/03/2024" + "  " + QString("Rossi Mario").leftJustified(28)
                             + "  CF: " + "RSSMRA80A01H501U" + "  Tariffa: € 120,00"});
    }

    void searchCriteria_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("field2");
        QTest::addColumn<QString>("typed2");
        QTest::addColumn<QStringList>("found");
        const QStringList all{"730-24", "CONT", "ISEE"};
        QTest::newRow("every criterion blank") << "" << "" << "" << "" << all;
        QTest::newRow("blanks only count as unused") << "Note" << "   " << "" << "" << all;
        QTest::newRow("company of an imported client")
            << "Ditta" << "impianti" << "" << "" << QStringList{"730-24"};
        QTest::newRow("an ampersand as typed") << "Ditta" << "& figli" << "" << "" << QStringList{"CONT"};
        QTest::newRow("upper case finds lower case")
            << "Cliente" << "VERDI" << "" << "" << QStringList{"ISEE"};
        QTest::newRow("two criteria, both must occur")
            << "CodFisc" << "h501" << "Tipologia" << "isee" << QStringList{"ISEE"};
        QTest::newRow("progress") << "Stato" << "stato cont" << "" << "" << QStringList{"CONT"};
        QTest::newRow("pending questions") << "Questioni" << "730" << "" << "" << QStringList{"730-24"};
        QTest::newRow("VAT number") << "Iva" << "4567" << "" << "" << all;
        QTest::newRow("leading blank misses the field's start")
            << "ID" << " ISEE" << "" << "" << QStringList{};
    }
    void searchCriteria()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, field2);
        QFETCH(QString, typed2);
        QFETCH(QStringList, found);
        addThree();
        const QStringList names = serviceSearchConfig().fieldNames();
        QStringList texts(names.size());
        if (!field.isEmpty())
            texts[names.indexOf(field)] = typed;
        if (!field2.isEmpty())
            texts[names.indexOf(field2)] = typed2;
        QCOMPARE(codes(lists::searchLines(serviceSearchConfig(), archivePath("2024"), texts)), found);
    }

    void searchWindow()
    {
        addThree();
        lists::SearchWindow w(serviceSearchConfig(), card.get());
        QCOMPARE(w.objectName(), QString("TfrmTrovaServizi"));
        QCOMPARE(w.windowTitle(), QString(" Trova servizi in archivio"));
        QStringList controls;
        for (int i = 0; i < 10; ++i)
            controls << w.criterion(i)->objectName();
        QCOMPARE(controls, QStringList({"txtID", "txtTipologia", "txtDescrizione", "txtStato",
                                        "txtCliente", "txtCodFisc", "txtDitta", "txtIva",
                                        "txtQuestioni", "txtNote"}));
        w.setMode("servizi");
        w.criterion(4)->setText("rossi");
        w.search();
        QVERIFY(w.showingResults());
        QCOMPARE(w.results()->countLabel()->text(), QString("Il presente riepilogo contiene 1 schede."));
    }

    void pickShowsTheWholeRecordOnTheCard_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("search") << "search";
        QTest::newRow("unpaid list") << "unpaid";
    }
    void pickShowsTheWholeRecordOnTheCard()
    {
        QFETCH(QString, window);
        addThree();
        card->findChild<QCheckBox *>("chkPagato")->setChecked(true);
        if (window == "search") {
            lists::SearchWindow w(serviceSearchConfig(), card.get());
            w.setMode("servizi");
            w.search();
            QCOMPARE(w.results()->model()->rowCount(), 3);
            w.pick(1); // CONT, record 3
        } else {
            lists::SummaryListWindow w(unpaidServicesConfig(), card.get());
            w.build();
            QCOMPARE(w.results()->model()->rowCount(), 2);
            w.pick(1);
        }
        QCOMPARE(card->findChild<QLabel *>("lblPosizione")->text(), QString("3"));
        QCOMPARE(edit("txtID")->text(), QString("CONT"));
        QCOMPARE(edit("txtDataRic")->text(), QString("10/02/2024"));
        QCOMPARE(edit("txtDataEsp")->text(), QString("30/06/2024"));
        QCOMPARE(edit("txtDitta")->text(), QString("Bianchi & Figli"));
        QCOMPARE(edit("txtCopia")->text(), QString("fattura-CONT.pdf"));
        QCOMPARE(card->findChild<QLabel *>("lblFile01")->text(), QString("allegato-CONT.pdf"));
        QCOMPARE(card->findChild<QLabel *>("lblDesc02")->text(), QString("Ricevuta"));
        QVERIFY(!card->findChild<QCheckBox *>("chkPagato")->isChecked());
        QVERIFY(card->findChild<QPushButton *>("btnApri")->isEnabled());
        // Saving now overwrites record 3.
        card->save();
        QCOMPARE(countRecords(archivePath("2024"), layout()), 3);
    }

    void searchWithAnotherModeWritesNothing()
    {
        addThree();
        const kit::CardValues before = card->values();
        lists::SearchWindow w(serviceSearchConfig(), card.get());
        w.setMode("Servizi");
        w.search();
        w.pick(0);
        QVERIFY(!w.isVisible());
        QCOMPARE(card->values(), before);
    }

    void unpaidListHoldsTheCardsFlaggedNo()
    {
        addThree();
        // Flags other than Sì and No (damaged or hand-made) are not listed.
        for (const QByteArray &flag : {QByteArray("\x02no", 3), QByteArray(3, '\0'),
                                       QByteArray("\x01N\0", 3)}) {
            QByteArray bytes = serviceRecord({"ZZ", "Flag", "01/01/2024", "Neri", "", "1,00"}).bytes();
            bytes.replace(2249, 3, flag);
            QFile f(archivePath("2024"));
            QVERIFY(f.open(QIODevice::Append));
            f.write(bytes);
        }
        lists::SummaryListWindow w(unpaidServicesConfig(), card.get());
        QCOMPARE(w.objectName(), QString("TfrmNonPagati"));
        QCOMPARE(w.windowTitle(), QString(" Riepilogo servizi non saldati"));
        w.build();
        QCOMPARE(lineCodes(w.results()), QStringList({"730-24", "CONT"}));
        QVERIFY(w.results()->model()->index(1).data().toString().endsWith("  Tariffa: € 1200,00"));
        QVERIFY(w.results()->countLabel()->isHidden());
    }

    void unpaidListFollowsTheSavedBox()
    {
        addThree();
        auto unpaid = [&] {
            lists::SummaryListWindow w(unpaidServicesConfig(), card.get());
            w.build();
            return lineCodes(w.results());
        };
        card->browse(Browse::First);
        QCOMPARE(edit("txtID")->text(), QString("730-24"));
        card->findChild<QCheckBox *>("chkPagato")->setChecked(true);
        QCOMPARE(unpaid(), QStringList({"730-24", "CONT"})); // not saved yet
        card->save();
        QCOMPARE(unpaid(), QStringList({"CONT"}));
        card->findChild<QCheckBox *>("chkPagato")->setChecked(false);
        card->save();
        QCOMPARE(unpaid(), QStringList({"730-24", "CONT"}));
    }

    void listsReadTheYearChosenLast()
    {
        addThree();
        add("2025", {"2025-A", "Visura", "03/01/2025", "Neri Paolo", "NREPLA60A01H501A", "30,00"});
        open("2025");
        lists::SearchWindow search(serviceSearchConfig(), card.get());
        search.setMode("servizi");
        search.search();
        QCOMPARE(lineCodes(search.results()), QStringList{"2025-A"});
        lists::SummaryListWindow unpaid(unpaidServicesConfig(), card.get());
        unpaid.build();
        QCOMPARE(lineCodes(unpaid.results()), QStringList{"2025-A"});
        lists::ExportWindow exporter(serviceExportConfig(), card.get());
        exporter.preview();
        QCOMPARE(exporter.grid()->rowCount(), 1);
        QCOMPARE(exporter.grid()->cell(0, 1), QString("2025-A"));
        // A year not yet used: the lists open its archive, created empty.
        open("2026");
        lists::SummaryListWindow empty(unpaidServicesConfig(), card.get());
        empty.build();
        QCOMPARE(empty.results()->model()->rowCount(), 0);
        QVERIFY(QFile::exists(archivePath("2026")));
        QVERIFY(platform->dialogs.shown.isEmpty());
    }

    void exportSeventeenColumns()
    {
        addThree();
        lists::ExportWindow w(serviceExportConfig(), card.get());
        QCOMPARE(w.objectName(), QString("TfrmExpServizi"));
        QCOMPARE(w.windowTitle(), QString(" Esporta registro servizi in Microsoft Excel"));
        w.preview();
        QCOMPARE(w.grid()->columnCount(), 18);
        QCOMPARE(w.grid()->rowCount(), 3);
        const QList<int> widths{60, 180, 250, 300, 180, 150, 150, 250, 250,
                                200, 250, 150, 250, 300, 300, 300, 350, 120};
        QStringList headers;
        for (int i = 0; i < 18; ++i) {
            QCOMPARE(w.view()->columnWidth(i), widths.at(i));
            headers << w.grid()->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
        }
        QCOMPARE(headers.first(), QString("N."));
        QCOMPARE(headers.at(8), QString("Cognome e nome Cliente"));
        QCOMPARE(headers.last(), QString("Pagato"));
        QCOMPARE(w.grid()->cell(2, 0), QString("3"));
        platform->dialogs.answerNext(true);
        platform->dialogs.answerNext(false); // do not open it
        w.exportFile();
        QVERIFY(platform->shell.opened.isEmpty());

        const QByteArray bytes = folder->read("Servizi.xls");
        const QStringList lines = codepage::decode(bytes).split("\r\n");
        QVERIFY(lines.contains("<x:Name>Registro Servizi</x:Name>"));
        QStringList fileHeaders;
        for (const QString &l : lines)
            if (l.startsWith("<td style=\"text-align: left; font-weight: bold;\" width="))
                fileHeaders << l.section('=', 2).section('<', 0, 0);
        QCOMPARE(fileHeaders,
                 QStringList({"200>Codice ID servizio", "250>Tipologia", "300>Descrizione",
                              "200>Tariffa", "200>Data richiesta", "200>Data espletamento",
                              "300>Modalità di pagamento", "250>Cognome e nome Cliente",
                              "200>Codice fiscale", "250>Denominazione Ditta", "200>Partita IVA",
                              "300>Stato avanzamento", "300>Uffici contattati",
                              "300>Documenti prodotti", "300>Questioni in sospeso", "300>Note",
                              "150>Pagato"}));
        QVector<QStringList> rows;
        for (const QString &l : lines) {
            if (l == "<tr>")
                rows.append(QStringList());
            else if (l.startsWith("<td style=\"text-align: left;\">"))
                rows.last() << l.mid(30).chopped(5);
        }
        QCOMPARE(rows.size(), 4); // the header row and three services
        for (int i = 1; i < 4; ++i)
            QCOMPARE(rows[i].size(), 17);
        QCOMPARE(rows[1].first(), QString("730-24"));
        QCOMPARE(rows[1].at(4), QString("02/03/2024"));
        QCOMPARE(rows[1].at(9), QString("Rossi Impianti S.r.l."));
        QCOMPARE(rows[1].last(), QString("No"));
        QCOMPARE(rows[2].last(), QString("Sì"));
        QVERIFY(!bytes.contains("fattura-"));
        QVERIFY(!bytes.contains("allegato-"));
        QVERIFY(bytes.contains("S\xEC</td>"));
    }

    void exportingAnotherYearReplacesTheFile()
    {
        addThree();
        add("2025", {"2025-A", "Visura", "03/01/2025", "Neri Paolo", "NREPLA60A01H501A", "30,00"});
        for (const char *year : {"2024", "2025"}) {
            open(year);
            lists::ExportWindow w(serviceExportConfig(), card.get());
            w.preview();
            platform->dialogs.answerNext(true);
            platform->dialogs.answerNext(false);
            w.exportFile();
        }
        const QByteArray bytes = folder->read("Servizi.xls");
        QCOMPARE(bytes.count("<tr>"), 2);
        QVERIFY(bytes.contains("2025-A"));
        QVERIFY(!bytes.contains("730-24"));
    }

    void cardPrintTakesTheScreen()
    {
        edit("txtID")->setText("  NUOVO ");
        edit("txtDescrizione")->setText("Non ancora salvata");
        edit("txtCliente")->setText("Rossi Mario");
        edit("txtCopia")->setText("fattura.pdf");
        card->findChild<QCheckBox *>("chkPagato")->setChecked(true);
        const report::Report r = kit::cardReport(card.get(), serviceCardPrint());
        QCOMPARE(r.name(), QString("Scheda Servizio"));
        QCOMPARE(r.orientation(), QPageLayout::Portrait);
        QCOMPARE(r.text("txtTitolo"), QString("SCHEDA SERVIZIO PRESTATO"));
        QCOMPARE(r.text("txtID"), QString("NUOVO"));
        QCOMPARE(r.text("txtDescrizione"), QString("Non ancora salvata"));
        QCOMPARE(r.text("txtTariffa"), QString("0,00"));
        QCOMPARE(r.text("txtDataRic"), QString("10/05/2024"));
        QCOMPARE(r.text("txtDataEsp"), QString());
        QCOMPARE(r.text("txtCliente"), QString("Rossi Mario"));
        QCOMPARE(r.text("titCliente"), QString("Cognome e nome Cliente:"));
        QCOMPARE(r.text("titPagamento"), QString("Modalità di pagamento:"));
        QCOMPARE(r.text("txtCalce"), QString("Stampa eseguita in data 10/05/2024 alle ore 09:30:00"));
        QVERIFY(!r.hasField("txtCopia"));
        QVERIFY(!r.hasField("chkPagato"));
        QVERIFY(!QFile::exists(archivePath("2024"))); // printing reads no archive
    }

    void printWindowCommands()
    {
        QString title;
        testing::onNextModal([&](QWidget *w) {
            QCOMPARE(w->objectName(), QString("TfrmStampaServizio"));
            title = w->windowTitle();
            testing::press(w, "btnAnnulla");
        });
        showServiceCardPrint(card.get());
        QCOMPARE(title, QString(" Stampa scheda"));
        QVERIFY(platform->printing.jobs.isEmpty());
        testing::pressOnNextModal("btnStampa");
        showServiceCardPrint(card.get());
        QCOMPARE(platform->printing.jobs, QStringList{"Scheda Servizio"});
        QCOMPARE(platform->printing.orientations.first(), QPageLayout::Portrait);
    }

    void companionCommands()
    {
        addThree();
        auto r = testing::runCli({"search", archivePath("2024"), "--Ditta", "s.r.l", "--Cliente", "rossi"});
        QCOMPARE(r.exitCode, 0);
        QStringList out = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(out.size(), 2);
        QVERIFY(out[0].startsWith("ID: 730-24"));
        QCOMPARE(out[1], QString("Il presente riepilogo contiene 1 schede."));

        r = testing::runCli({"list", "nonpagati", archivePath("2024")});
        QCOMPARE(r.exitCode, 0);
        out = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(out.size(), 2);
        QVERIFY(out[0].startsWith("ID: 730-24"));
        QVERIFY(out[1].startsWith("ID: CONT"));

        r = testing::runCli({"export", archivePath("2024")});
        QCOMPARE(r.exitCode, 0);
        const QByteArray file = folder->read("Servizi.xls");
        QCOMPARE(file.count("font-weight: bold;"), 17);
        QCOMPARE(file.count("<tr>"), 4);
    }

    void companionKnowsAYearlyArchiveByItsName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("yearly");
        QTest::newRow("2024.ser") << "2024.ser" << true;
        QTest::newRow("0001.ser") << "0001.ser" << true;
        QTest::newRow("9999.SER") << "9999.SER" << true;
        QTest::newRow("servizi.ser") << "servizi.ser" << false;
        QTest::newRow("24.ser") << "24.ser" << false;
        QTest::newRow("2024.txt") << "2024.txt" << false;
        QTest::newRow("2024.ser.bak") << "2024.ser.bak" << false;
    }
    void companionKnowsAYearlyArchiveByItsName()
    {
        QFETCH(QString, name);
        QFETCH(bool, yearly);
        folder->write(name, serviceRecord({"X1", "Visura", "01/01/2024", "Neri", "", "1,00"}).bytes());
        const QString file = folder->file(name);
        for (const QStringList &args : {QStringList{"search", file}, QStringList{"export", file},
                                        QStringList{"list", "nonpagati", file}}) {
            const auto r = testing::runCli(args);
            QCOMPARE(r.exitCode, yearly ? 0 : 2);
            if (!yearly)
                QVERIFY2(!r.err.isEmpty(), qPrintable(args.join(' ')));
        }
    }

    void unpaidListNeedsItsArchive()
    {
        auto r = testing::runCli({"list", "nonpagati"});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.startsWith("uso: list nonpagati FILE"));
        folder->write("Clienti.arx", QByteArray(4043, '\0'));
        r = testing::runCli({"list", "nonpagati", folder->file("Clienti.arx")});
        QCOMPARE(r.exitCode, 2);
        r = testing::runCli({"list", "nonpagati", folder->file("2030.ser")});
        QCOMPARE(r.exitCode, 2); // missing: the command creates nothing
        QVERIFY(!QFile::exists(folder->file("2030.ser")));
    }
};

QTEST_MAIN(TestServiceLists)
#include "test_servicelists.moc"
