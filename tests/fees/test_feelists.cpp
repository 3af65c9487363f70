// The fee schedule's list windows on the shared list tools: search and its
// four hand-overs, the discounted list, the 17-column export, the card
// print; and the same lists through pratelia-cli.
#include "support/faultyfs.h"
#include "support/tempfolder.h"
#include "support/windows.h"

#include "fees/feecard.h"
#include "fees/feelists.h"
#include "fees/tariffario.h"
#include "platform/testing.h"
#include "platform/texts.h"
#include "store/codepage.h"
#include "store/recordfile.h"
#include "store/values.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::fees;
using pratelia::testing::FaultyFileSystem;
using pratelia::testing::TempProgramFolder;
using pratelia::testing::TestPlatform;

namespace {

struct Service {
    QString id, description, person, phone, ordinary, discounted;
    QString flag = QStringLiteral("No");
};

void add(const Service &s)
{
    Record r(layout());
    r.setText(u"ID", s.id);
    r.setText(u"Tipologia", QString("Tipo " + s.id));
    r.setText(u"Descrizione", s.description);
    r.setText(u"Ordinaria", s.ordinary);
    r.setText(u"Scontata", s.discounted);
    r.setText(u"Spese", QString("Spese " + s.id));
    r.setText(u"Persona", s.person);
    r.setText(u"CodFisc", u"RSSMRA80A01H501U");
    r.setText(u"Recapito", s.phone);
    r.setText(u"Email", QString(s.id.toLower() + "@studio.it"));
    r.setText(u"Uffici", QString("Uffici " + s.id));
    r.setText(u"Requisiti", QString("Requisiti " + s.id));
    r.setText(u"Documenti", QString("Documenti " + s.id));
    r.setText(u"Pagamento", QString("Pagamento " + s.id));
    r.setText(u"Tempi", u"30 giorni");
    r.setText(u"Note", u"A & B <urgente>");
    r.setText(u"Copia", QString("modulo-" + s.id + ".pdf"));
    r.setText(u"TarScontata", s.flag);
    r.setText(u"File01", QString("allegato-" + s.id + ".pdf"));
    r.setText(u"Desc01", u"Istruzioni");
    appendRecord(archivePath(), r);
}

// Three services, in file order; the list order is by description.
void addThree()
{
    add({"VC1", "Visura camerale", "ROSSI MARIO", "06 1234567", "30,00", "25,00", "Sì"});
    add({"730", "dichiarazione redditi", "Bianchi Anna", "333 1234567", "100,00", "80,00", "No"});
    add({"CONT", "Assistenza contabile", "Rossi Luca", "", "1200,00", "0,00", "Sì"});
}

QStringList decoded(const QVector<QByteArray> &lines)
{
    QStringList out;
    for (const QByteArray &l : lines)
        out << codepage::decode(l);
    return out;
}

QStringList descriptions(const QVector<QByteArray> &lines)
{
    QStringList out;
    for (const QString &l : decoded(lines))
        out << l.left(40).trimmed();
    return out;
}

// A window of another application holding the controls a hand-over fills.
struct Opener {
    QWidget window;
    explicit Opener(const QStringList &names)
    {
        for (const QString &n : names) {
            auto *e = new QLineEdit(&window);
            e->setObjectName(n);
            e->setText("untouched");
        }
    }
    QString text(const QString &name) const
    {
        return window.findChild<QLineEdit *>(name)->text();
    }
};

} // namespace

class TestFeeLists : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<TestPlatform> platform;

private slots:
    void init()
    {
        folder = std::make_unique<TempProgramFolder>();
        platform = std::make_unique<TestPlatform>();
        platform->printing.outputFolder = folder->path();
    }
    void cleanup()
    {
        platform.reset();
        folder.reset();
    }

    void searchLineLayout()
    {
        add({"PR-1", "Rinnovo patente", "Rossi Mario", "333 1234567", "60,00", "45,00"});
        const QStringList lines =
            decoded(lists::searchLines(feeSearchConfig(), archivePath(), QStringList(10)));
        QCOMPARE(lines,
                 QStringList{QString("Rinnovo patente").leftJustified(40) + "  ID: "
                             + QString("PR-1").leftJustified(20) + "  Addetto: "
                             + QString("Rossi Mario").leftJustified(30) + "  Tel. "
                             + QString("333 1234567").leftJustified(18) + "  Costo: € 60,00"});
    }

    void searchCriteria_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("field2");
        QTest::addColumn<QString>("typed2");
        QTest::addColumn<QStringList>("found");
        const QStringList all{"Assistenza contabile", "dichiarazione redditi", "Visura camerale"};
        QTest::newRow("every criterion blank") << "" << "" << "" << "" << all;
        QTest::newRow("blanks only count as unused") << "Note" << "   " << "" << "" << all;
        QTest::newRow("lower case finds capitals")
            << "Persona" << "rossi" << "" << "" << QStringList{"Assistenza contabile", "Visura camerale"};
        QTest::newRow("upper case finds lower case")
            << "Descrizione" << "REDDITI" << "" << "" << QStringList{"dichiarazione redditi"};
        QTest::newRow("leading blank misses the field's start")
            << "Descrizione" << " Visura" << "" << "" << QStringList{};
        QTest::newRow("inside the field") << "ID" << "3" << "" << "" << QStringList{"dichiarazione redditi"};
        QTest::newRow("two criteria, both must occur")
            << "Persona" << "rossi" << "Tipologia" << "vc" << QStringList{"Visura camerale"};
        QTest::newRow("practical notes searched")
            << "Documenti" << "documenti cont" << "" << "" << QStringList{"Assistenza contabile"};
        QTest::newRow("a field not searched: e-mail of the code")
            << "Uffici" << "@studio" << "" << "" << QStringList{};
    }
    void searchCriteria()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, field2);
        QFETCH(QString, typed2);
        QFETCH(QStringList, found);
        addThree();
        const QStringList names = feeSearchConfig().fieldNames();
        QStringList texts(names.size());
        if (!field.isEmpty())
            texts[names.indexOf(field)] = typed;
        if (!field2.isEmpty())
            texts[names.indexOf(field2)] = typed2;
        QCOMPARE(descriptions(lists::searchLines(feeSearchConfig(), archivePath(), texts)), found);
    }

    void searchWindowCriteriaInOrder()
    {
        Opener opener({});
        lists::SearchWindow w(feeSearchConfig(), &opener.window);
        QCOMPARE(w.objectName(), QString("TfrmTrovaTariffario"));
        QCOMPARE(w.windowTitle(), QString(" Trova servizi in tariffario"));
        QStringList controls;
        for (int i = 0; i < 10; ++i)
            controls << w.criterion(i)->objectName();
        QCOMPARE(controls, QStringList({"txtID", "txtTipologia", "txtDescrizione", "txtSpese",
                                        "txtPersona", "txtCodFisc", "txtUffici", "txtRequisiti",
                                        "txtDocumenti", "txtNote"}));
    }

    void pickHandsOverByMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QStringList>("expected"); // control=value
        QTest::newRow("serviziord") << "serviziord"
            << QStringList{"txtID=730", "txtTipologia=Tipo 730",
                           "txtDescrizione=dichiarazione redditi", "txtTariffa=100,00",
                           "txtPagamento=Pagamento 730"};
        // The discounted fee even though the card is not flagged as discounted.
        QTest::newRow("servizisco") << "servizisco"
            << QStringList{"txtID=730", "txtTipologia=Tipo 730",
                           "txtDescrizione=dichiarazione redditi", "txtTariffa=80,00",
                           "txtPagamento=Pagamento 730"};
        QTest::newRow("scadenzario") << "scadenzario"
            << QStringList{"txtID=730", "txtTipologia=Tipo 730",
                           "txtDescrizione=dichiarazione redditi", "txtUffici=Uffici 730",
                           "txtRequisiti=Requisiti 730", "txtDocumenti=Documenti 730",
                           "txtPersona=Bianchi Anna", "txtPagamento=Pagamento 730",
                           "txtCosto=100,00", "txtSpese=Spese 730"};
        QTest::newRow("unknown mode writes nothing") << "boh" << QStringList{};
    }
    void pickHandsOverByMode()
    {
        QFETCH(QString, mode);
        QFETCH(QStringList, expected);
        addThree();
        const QStringList controls{"txtID", "txtTipologia", "txtDescrizione", "txtTariffa",
                                   "txtPagamento", "txtUffici", "txtRequisiti", "txtDocumenti",
                                   "txtPersona", "txtCosto", "txtSpese", "txtNote",
                                   "txtCopia", "txtOrdinaria", "lblPosizione"};
        Opener opener(controls);
        lists::SearchWindow w(feeSearchConfig(), &opener.window);
        w.setMode(mode);
        w.criterion(2)->setText("redditi");
        w.search();
        QVERIFY(w.showingResults());
        QCOMPARE(w.results()->model()->rowCount(), 1);
        w.pick(0);
        QVERIFY(!w.isVisible());
        QMap<QString, QString> want;
        for (const QString &e : expected)
            want.insert(e.section('=', 0, 0), e.section('=', 1));
        for (const QString &c : controls)
            QCOMPARE(opener.text(c), want.value(c, "untouched"));
    }

    void pickLoadsTheWholeCard()
    {
        addThree();
        TfrmTariffario card;
        lists::SearchWindow w(feeSearchConfig(), &card);
        w.setMode("tariffario");
        w.search();
        QCOMPARE(w.results()->model()->rowCount(), 3);
        w.pick(2); // Visura camerale, record 1
        QCOMPARE(card.findChild<QLabel *>("lblPosizione")->text(), QString("1"));
        QCOMPARE(card.findChild<QLineEdit *>("txtID")->text(), QString("VC1"));
        QCOMPARE(card.findChild<QLineEdit *>("txtCopia")->text(), QString("modulo-VC1.pdf"));
        QCOMPARE(card.findChild<QLineEdit *>("txtEmail")->text(), QString("vc1@studio.it"));
        QCOMPARE(card.findChild<QLabel *>("lblFile01")->text(), QString("allegato-VC1.pdf"));
        QCOMPARE(card.findChild<QLabel *>("lblDesc01")->text(), QString("Istruzioni"));
        QVERIFY(card.findChild<QCheckBox *>("chkTarScontata")->isChecked());
        QVERIFY(card.findChild<QPushButton *>("btnApri")->isEnabled());
        // Saving it now overwrites record 1, not a new card.
        card.save();
        QCOMPARE(countRecords(archivePath(), layout()), 3);
    }

    void discountedList()
    {
        addThree();
        add({"X", "Flag damaged", "Verdi", "", "10,00", "5,00", "SI"});
        add({"Y", "Flag empty", "Verdi", "", "10,00", "5,00", ""});
        bool complete = false;
        const QVector<QByteArray> lines = lists::summaryLines(
            discountedFeesConfig(), archivePath(), platform->clock.today(), &complete);
        QVERIFY(complete);
        QCOMPARE(descriptions(lines), QStringList({"Assistenza contabile", "Visura camerale"}));
        // A ticked card with a discounted fee of 0,00 is listed, with that fee.
        QVERIFY(decoded(lines).first().endsWith("  Costo: € 0,00"));
        QVERIFY(decoded(lines).last().endsWith("  Costo: € 25,00"));
    }

    void discountedListPicksOntoTheCard()
    {
        addThree();
        TfrmTariffario card;
        lists::SummaryListWindow w(discountedFeesConfig(), &card);
        QCOMPARE(w.objectName(), QString("TfrmTariffeScontate"));
        QCOMPARE(w.windowTitle(), QString(" Riepilogo servizi con tariffa scontata"));
        w.build();
        QCOMPARE(w.results()->model()->rowCount(), 2);
        w.pick(0);
        QCOMPARE(card.findChild<QLabel *>("lblPosizione")->text(), QString("3"));
        QCOMPARE(card.findChild<QLineEdit *>("txtDescrizione")->text(),
                 QString("Assistenza contabile"));
        QCOMPARE(card.findChild<QLineEdit *>("txtScontata")->text(), QString("0,00"));
        QCOMPARE(card.findChild<QLabel *>("lblFile01")->text(), QString("allegato-CONT.pdf"));
    }

    void exportSeventeenColumns()
    {
        addThree();
        TfrmTariffario card;
        lists::ExportWindow w(feeExportConfig(), &card);
        QCOMPARE(w.objectName(), QString("TfrmExpTariffario"));
        QCOMPARE(w.windowTitle(), QString(" Esporta tariffario servizi in Microsoft Excel"));
        w.preview();
        QCOMPARE(w.grid()->columnCount(), 18);
        QCOMPARE(w.grid()->rowCount(), 3);
        QCOMPARE(w.grid()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString("N."));
        QCOMPARE(w.grid()->cell(2, 0), QString("3"));
        platform->dialogs.answerNext(true);
        platform->dialogs.answerNext(false); // do not open it
        w.exportFile();
        QVERIFY(platform->shell.opened.isEmpty());

        const QByteArray bytes = folder->read("Tariffario.xls");
        QVERIFY(!bytes.isEmpty());
        const QStringList lines = codepage::decode(bytes).split("\r\n");
        QVERIFY(lines.contains("<x:Name>Tariffario Servizi</x:Name>"));
        QStringList headers;
        for (const QString &l : lines)
            if (l.startsWith("<td style=\"text-align: left; font-weight: bold;\" width="))
                headers << l.section('=', 2).section('<', 0, 0);
        QCOMPARE(headers.size(), 17);
        QCOMPARE(headers.first(), QString("200>Codice ID servizio"));
        QCOMPARE(headers.at(13), QString("250>Modalità pagamento"));
        QCOMPARE(headers.last(), QString("150>Sconto"));

        // Data rows: 17 cells each, the flag last; no request form, no attachments.
        QVector<QStringList> rows;
        for (const QString &l : lines) {
            if (l == "<tr>")
                rows.append(QStringList());
            else if (l.startsWith("<td style=\"text-align: left;\">"))
                rows.last() << l.mid(30).chopped(5);
        }
        QCOMPARE(rows.size(), 4); // the header row and three records
        for (int i = 1; i < 4; ++i)
            QCOMPARE(rows[i].size(), 17);
        QCOMPARE(rows[1].first(), QString("VC1"));
        QCOMPARE(rows[1].last(), QString("Sì"));
        QCOMPARE(rows[2].last(), QString("No"));
        QCOMPARE(rows[3].at(3), QString("1200,00"));
        QVERIFY(!bytes.contains("modulo-"));
        QVERIFY(!bytes.contains("allegato-"));
        QVERIFY(bytes.contains("Modalit\xE0"));
    }

    void exportFailureShowsTheExportError()
    {
        addThree();
        TfrmTariffario card;
        lists::ExportWindow w(feeExportConfig(), &card);
        w.preview();
        FaultyFileSystem faulty;
        faulty.failAt(IoStep::Write);
        platform->dialogs.answerNext(true);
        w.exportFile();
        QVERIFY(faulty.triggered());
        QCOMPARE(platform->dialogs.last()->kind, MessageKind::Plain);
        QCOMPARE(platform->dialogs.lastText(), ExportErrorText());
    }

    void cardPrintTakesTheScreen()
    {
        TfrmTariffario card;
        card.findChild<QLineEdit *>("txtID")->setText("  NUOVO ");
        card.findChild<QLineEdit *>("txtDescrizione")->setText("Non ancora salvata");
        card.findChild<QLineEdit *>("txtEmail")->setText("a@b.it");
        const report::Report r = kit::cardReport(&card, feeCardSpec().print);
        QCOMPARE(r.name(), QString("Scheda Tariffa"));
        QCOMPARE(r.orientation(), QPageLayout::Portrait);
        QCOMPARE(r.text("txtTitolo"), QString("SCHEDA TARIFFA SERVIZIO"));
        QCOMPARE(r.text("txtID"), QString("NUOVO"));
        QCOMPARE(r.text("txtDescrizione"), QString("Non ancora salvata"));
        QCOMPARE(r.text("txtOrdinaria"), QString("0,00"));
        QCOMPARE(r.text("txtEmail"), QString("a@b.it"));
        QCOMPARE(r.text("txtNote"), QString());
        QCOMPARE(r.text("titEmail"), QString("Indirizzo e-mail:"));
        QCOMPARE(r.text("txtCalce"), QString("Stampa eseguita in data 10/05/2024 alle ore 09:30:00"));
        QVERIFY(!r.hasField("txtCopia"));
        QVERIFY(!QFile::exists(archivePath())); // printing reads no archive
    }

    void printWindowCommands()
    {
        TfrmTariffario card;
        QString title;
        testing::onNextModal([&](QWidget *w) {
            QCOMPARE(w->objectName(), QString("TfrmStampaTariffa"));
            title = w->windowTitle();
            testing::press(w, "btnAnnulla");
        });
        card.run("cmdStampa");
        QCOMPARE(title, QString(" Stampa scheda"));
        QVERIFY(platform->printing.jobs.isEmpty());
        testing::pressOnNextModal("btnStampa");
        card.run("cmdStampa");
        QCOMPARE(platform->printing.jobs, QStringList{"Scheda Tariffa"});
        QCOMPARE(platform->printing.orientations.first(), QPageLayout::Portrait);
    }

    void companionCommands()
    {
        addThree();
        auto r = testing::runCli({"search", archivePath(), "--Persona", "rossi"});
        QCOMPARE(r.exitCode, 0);
        QStringList out = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(out.size(), 3);
        QVERIFY(out[0].startsWith("Assistenza contabile"));
        QVERIFY(out[1].startsWith("Visura camerale"));
        QCOMPARE(out[2], QString("Il presente riepilogo contiene 2 schede."));

        r = testing::runCli({"list", "scontate"});
        QCOMPARE(r.exitCode, 0);
        out = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(out.size(), 2);
        QVERIFY(out[0].endsWith("  Costo: € 0,00"));

        r = testing::runCli({"export", archivePath()});
        QCOMPARE(r.exitCode, 0);
        const QByteArray file = folder->read("Tariffario.xls");
        QCOMPARE(file.count("font-weight: bold;"), 17);
        QCOMPARE(file.count("<tr>"), 4);
    }
};

QTEST_MAIN(TestFeeLists)
#include "test_feelists.moc"
