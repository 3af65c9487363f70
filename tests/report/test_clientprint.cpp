// The printed client card: its 24 rows built from the card's controls and
// its footer, read back from the PDF row by row (caption and value on one
// line), on a stand-in card and on the real one.
#include "pdftext.h"
#include "support/tempfolder.h"

#include "clients/anagrafica.h"
#include "clients/clientcard.h"
#include "platform/testing.h"
#include "report/report.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::testing;

namespace {

const QStringList kControls = {
    QStringLiteral("txtCognome"),     QStringLiteral("txtNome"),        QStringLiteral("txtCodFisc"),
    QStringLiteral("txtSesso"),       QStringLiteral("txtDataNasc"),    QStringLiteral("txtComuneNasc"),
    QStringLiteral("txtProvNasc"),    QStringLiteral("txtIva"),         QStringLiteral("txtIndirizzo"),
    QStringLiteral("txtCap"),         QStringLiteral("txtComuneRes"),   QStringLiteral("txtProvRes"),
    QStringLiteral("txtStato"),       QStringLiteral("txtFamiliari"),   QStringLiteral("txtRecapito"),
    QStringLiteral("txtTelCasa"),     QStringLiteral("txtTelCel"),      QStringLiteral("txtTelUff"),
    QStringLiteral("txtFax"),         QStringLiteral("txtEmail"),       QStringLiteral("txtQualifiche"),
    QStringLiteral("txtProfessione"), QStringLiteral("txtIban"),        QStringLiteral("txtIntestatario"),
    QStringLiteral("txtBanca"),       QStringLiteral("txtCarta"),       QStringLiteral("txtScadeCarta"),
    QStringLiteral("txtProdotti"),    QStringLiteral("txtPagamento"),   QStringLiteral("txtNote"),
    QStringLiteral("txtTipoDoc"),     QStringLiteral("txtNumDoc"),      QStringLiteral("txtEnteRil"),
    QStringLiteral("txtDataRil"),     QStringLiteral("txtDataSca"),     QStringLiteral("txtCodice"),
    QStringLiteral("txtCategoria"),   QStringLiteral("txtZona"),        QStringLiteral("txtAcquisto"),
    QStringLiteral("txtDecorrenza"),  QStringLiteral("txtScadenza"),    QStringLiteral("txtPreavviso"),
    QStringLiteral("txtTotale"),      QStringLiteral("txtFrazionamento"), QStringLiteral("txtRata"),
};

// A stand-in for the client card: its edit fields and the two province
// combo boxes, by object name, all empty.
class Card : public QWidget {
public:
    Card()
    {
        setObjectName(QStringLiteral("TfrmAnagrafica"));
        for (const QString &name : kControls) {
            QWidget *w;
            if (name == QLatin1String("txtProvNasc") || name == QLatin1String("txtProvRes")) {
                auto *combo = new QComboBox(this);
                combo->setEditable(true);
                combo->addItems({QStringLiteral("AG"), QStringLiteral("MI"), QStringLiteral("RM")});
                combo->setCurrentIndex(-1);
                w = combo;
            } else {
                w = new QLineEdit(this);
            }
            w->setObjectName(name);
        }
    }
    void set(const QString &name, const QString &text)
    {
        QWidget *w = findChild<QWidget *>(name);
        QVERIFY2(w, qPrintable(name));
        if (auto *combo = qobject_cast<QComboBox *>(w))
            combo->setEditText(text);
        else
            static_cast<QLineEdit *>(w)->setText(text);
    }
};

// The printed rows: caption and value, read from the page's lines (the
// caption is followed by the value on the same line).
QString printedValue(const QStringList &lines, const QString &caption)
{
    for (const QString &line : lines) {
        const QString l = line.trimmed();
        if (l.startsWith(caption))
            return l.mid(caption.size()).trimmed();
    }
    return QStringLiteral("<row missing>");
}

using Rows = QList<std::pair<QString, QString>>;

// A card with every printed value filled in, each different from the others
// (control, text), and the rows it prints (caption, value).
const Rows kFullCard = {
    {"txtCognome", "  Rossi "}, {"txtNome", "Mario  "}, {"txtDataNasc", "01/02/1980"},
    {"txtComuneNasc", "Roma"}, {"txtProvNasc", "RM"}, {"txtSesso", "M"}, {"txtStato", "Coniugato"},
    {"txtRecapito", "333 1234567"}, {"txtIndirizzo", "Via Garibaldi 12"}, {"txtComuneRes", "Milano"},
    {"txtProvRes", "MI"}, {"txtProfessione", "Geometra"}, {"txtTelCasa", "02 555123"},
    {"txtTelUff", "02 555999"}, {"txtTelCel", "347 7654321"}, {"txtFax", "rossi@pec.it"},
    {"txtEmail", "mario.rossi@example.it"}, {"txtCodFisc", "RSSMRA80B01H501U"}, {"txtIva", "01234567890"},
    {"txtCarta", "4111111111111111"}, {"txtScadeCarta", "12/2026"}, {"txtIban", "IT60X0542811101000000123456"},
    {"txtIntestatario", "Mario Rossi"}, {"txtTipoDoc", "Carta d'identità"}, {"txtNumDoc", "AX1234567"},
    {"txtDataSca", "31/12/2030"}, {"txtCodice", "C-042"}, {"txtCategoria", "Privato"}, {"txtZona", "Rossi Costruzioni srl"},
    {"txtProdotti", "Dichiarazione dei redditi"}, {"txtAcquisto", "Software gestionale"}, {"txtRata", "50,00"},
    {"txtTotale", "600,00"}, {"txtDecorrenza", "01/01/2024"}, {"txtScadenza", "31/12/2024"},
    {"txtNote", "Cliente dal 2010"},
    // Not printed:
    {"txtCap", "20100"}, {"txtFamiliari", "Familiari a carico"}, {"txtQualifiche", "Laurea"},
    {"txtBanca", "Banca Popolare"}, {"txtPagamento", "Bonifico"}, {"txtEnteRil", "Comune di Roma"},
    {"txtDataRil", "01/01/2020"}, {"txtPreavviso", "15"}, {"txtFrazionamento", "Mensile"},
};
const Rows kFullCardRows = {
    {"Cognome e nome:", "Rossi Mario"},
    {"Data di nascita:", "01/02/1980"},
    {"Comune di nascita:", "Roma RM"},
    {"Sesso:", "M  Stato civile: Coniugato"},
    {"Recapito preferenziale:", "333 1234567"},
    {"Indirizzo di residenza:", "Via Garibaldi 12"},
    {"Comune di residenza:", "Milano MI"},
    {"Professione:", "Geometra"},
    {"Tel. casa:", "02 555123"},
    {"Tel. ufficio:", "02 555999"},
    {"Tel. cellulare:", "347 7654321"},
    {"PEC:", "rossi@pec.it"},
    {"E-mail:", "mario.rossi@example.it"},
    {"Codice fiscale:", "RSSMRA80B01H501U"},
    {"Partita IVA:", "01234567890"},
    {"Carta di credito:", "N. 4111111111111111  Scadenza: 12/2026"},
    {"IBAN:", "IT60X0542811101000000123456  -  Intestatario C/C: Mario Rossi"},
    {"Estremi documento:", "Tipo: Carta d'identità  N. AX1234567  Scadenza: 31/12/2030"},
    {"Codice cliente:", "C-042"},
    {"Categoria:", "Privato  Ditta: Rossi Costruzioni srl"},
    {"Prodotti e servizi di interesse:", "Dichiarazione dei redditi"},
    {"Acquisto rateale", "Software gestionale  Importo rata: € 50,00"},
    {"Totale:", "Importo: € 600,00  Decorrenza: 01/01/2024  Scadenza: 31/12/2024"},
    {"Note:", "Cliente dal 2010"},
};
const char *const kNotPrinted[] = {"20100", "Familiari", "Laurea", "Banca Popolare", "Bonifico",
                                   "Comune di Roma", "01/01/2020", "Mensile"};

// The rows of a printed card page, in their order: the lines between the
// title and the footer, each split into the caption `expected` gives for
// its place and the rest of the line. A line that does not start with its
// row's caption is kept whole as the caption, so that the comparison shows
// it. pdftotext widens or narrows the gaps between words: values are
// compared word by word.
Rows printedRows(const QStringList &lines, const Rows &expected)
{
    Rows rows;
    for (qsizetype k = 1; k + 1 < lines.size(); ++k) {
        const QString line = lines[k].trimmed();
        const QString caption = k - 1 < expected.size() ? expected[k - 1].first : QString();
        if (!caption.isEmpty() && line.startsWith(caption))
            rows.append({caption, line.mid(caption.size()).simplified()});
        else
            rows.append({QStringLiteral("<line: ") + line + u'>', QString()});
    }
    return rows;
}

Rows simplifiedValues(Rows rows)
{
    for (auto &row : rows)
        row.second = row.second.simplified();
    return rows;
}

} // namespace

class TestClientPrint : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fullCardPrintsEveryRow();
    void realCardPrintsEachValueInItsRow();
    void newCardWithOnlyTheName_data();
    void newCardWithOnlyTheName();
    void longValueIsCutAtTheRightEdge();
    void missingControlIsAnError();
    void failedPrintIsReported();
};

void TestClientPrint::fullCardPrintsEveryRow()
{
    QTemporaryDir out;
    TestPlatform p;
    p.printing.outputFolder = out.path();
    p.clock.current = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9));
    Card card;
    for (const auto &[name, text] : kFullCard)
        card.set(name, text);
    clients::printClientCard(&card);

    QVERIFY(p.dialogs.shown.isEmpty());
    QCOMPARE(p.printing.jobs, QStringList{QStringLiteral("Scheda informativa")});
    QCOMPARE(p.printing.orientations, QList<report::Orientation>{report::Orientation::Portrait});
    const QStringList pages = pdfPages(p.printing.files.value(0));
    QCOMPARE(pages.size(), 1);
    const QStringList lines = textLines(pages[0]);

    // The rows come in their order, after the title and before the footer,
    // each value beside its own caption.
    QCOMPARE(lines.first().trimmed(), QStringLiteral("SCHEDA INFORMATIVA CLIENTE"));
    QCOMPARE(lines.last().trimmed(), QStringLiteral("Stampa eseguita in data 05/03/2024 alle ore 14:07:09"));
    QCOMPARE(printedRows(lines, kFullCardRows), simplifiedValues(kFullCardRows));
    for (const char *hidden : kNotPrinted)
        QVERIFY2(!pages[0].contains(QLatin1String(hidden)), hidden);
}

void TestClientPrint::realCardPrintsEachValueInItsRow()
{
    // The client card itself, as the user fills it in and presses Stampa.
    TempProgramFolder home;
    TestPlatform p;
    p.printing.outputFolder = home.path();
    clients::TfrmAnagrafica card;
    card.show();
    for (const auto &[name, text] : kFullCard) {
        QWidget *w = card.findChild<QWidget *>(name);
        QVERIFY2(w, qPrintable(name));
        if (auto *combo = qobject_cast<QComboBox *>(w))
            combo->setEditText(text);
        else
            qobject_cast<QLineEdit *>(w)->setText(text);
    }
    auto *print = card.findChild<QAbstractButton *>(QStringLiteral("cmdStampa"));
    QVERIFY(print);
    print->click();
    QVERIFY(p.dialogs.shown.isEmpty());
    QCOMPARE(p.printing.files.size(), 1);
    const QStringList pages = pdfPages(p.printing.files.first());
    QCOMPARE(pages.size(), 1);
    const QStringList lines = textLines(pages[0]);
    QCOMPARE(lines.first().trimmed(), QStringLiteral("SCHEDA INFORMATIVA CLIENTE"));
    QVERIFY(lines.last().trimmed().startsWith(QStringLiteral("Stampa eseguita in data ")));
    QCOMPARE(printedRows(lines, kFullCardRows), simplifiedValues(kFullCardRows));
    for (const char *hidden : kNotPrinted)
        QVERIFY2(!pages[0].contains(QLatin1String(hidden)), hidden);
    // Printing reads the screen only: no archive is made.
    QVERIFY(!QFile::exists(home.file(QStringLiteral("Clienti.arx"))));
}

void TestClientPrint::newCardWithOnlyTheName_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("value");
    QTest::newRow("name") << "Cognome e nome:" << "Verdi Anna";
    QTest::newRow("birth date") << "Data di nascita:" << "";
    QTest::newRow("birth place") << "Comune di nascita:" << "";
    QTest::newRow("sex") << "Sesso:" << "Stato civile:";
    QTest::newRow("card") << "Carta di credito:" << "N.   Scadenza:";
    QTest::newRow("iban") << "IBAN:" << "-  Intestatario C/C:";
    QTest::newRow("document") << "Estremi documento:" << "Tipo:   N.   Scadenza:";
    QTest::newRow("instalment") << "Acquisto rateale" << "Importo rata: €";
    QTest::newRow("total") << "Totale:" << "Importo: €   Decorrenza:   Scadenza:";
    QTest::newRow("notes") << "Note:" << "";
}

void TestClientPrint::newCardWithOnlyTheName()
{
    QFETCH(QString, caption);
    QFETCH(QString, value);
    QTemporaryDir out;
    TestPlatform p;
    p.printing.outputFolder = out.path();
    Card card;
    card.set(QStringLiteral("txtCognome"), QStringLiteral("Verdi"));
    card.set(QStringLiteral("txtNome"), QStringLiteral("Anna"));
    clients::printClientCard(&card);
    const QStringList lines = textLines(pdfPages(p.printing.files.value(0)).value(0));
    QCOMPARE(printedValue(lines, caption).simplified(), value.simplified());
    QCOMPARE(lines.size(), 26);
}

void TestClientPrint::longValueIsCutAtTheRightEdge()
{
    QTemporaryDir out;
    TestPlatform p;
    p.printing.outputFolder = out.path();
    Card card;
    const QString note = QStringLiteral("Inizio nota ") + QString(230, QLatin1Char('n')) + QStringLiteral(" FINE");
    card.set(QStringLiteral("txtNote"), note);
    card.set(QStringLiteral("txtProdotti"), QStringLiteral("[DATE] e [PAGE]"));
    clients::printClientCard(&card);
    const QStringList lines = textLines(pdfPages(p.printing.files.value(0)).value(0));
    QCOMPARE(lines.size(), 26); // the note did not spill onto another line
    const QString printed = printedValue(lines, QStringLiteral("Note:"));
    QVERIFY(printed.startsWith(QStringLiteral("Inizio nota nnn")));
    QVERIFY2(printed.endsWith(QChar(0x2026)), qPrintable(printed));
    QVERIFY(!printed.contains(QStringLiteral("FINE")));
    // Brackets in a value are printed as typed.
    QCOMPARE(printedValue(lines, QStringLiteral("Prodotti e servizi di interesse:")), QStringLiteral("[DATE] e [PAGE]"));
}

void TestClientPrint::missingControlIsAnError()
{
    TestPlatform p;
    QTemporaryDir out;
    p.printing.outputFolder = out.path();
    Card card;
    delete card.findChild<QWidget *>(QStringLiteral("txtRata"));
    QVERIFY_THROWS_EXCEPTION(report::UnknownField, clients::printClientCard(&card));
    QVERIFY(p.printing.jobs.isEmpty());
}

void TestClientPrint::failedPrintIsReported()
{
    TestPlatform p;
    QTemporaryDir out;
    p.printing.outputFolder = out.filePath(QStringLiteral("non/esiste"));
    Card card;
    clients::printClientCard(&card);
    QCOMPARE(p.dialogs.shown.size(), 1);
    QCOMPARE(p.dialogs.shown[0].text, report::printFailedText());
}

QTEST_MAIN(TestClientPrint)
#include "test_clientprint.moc"
