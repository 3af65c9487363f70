// The printed card made from a card's controls: rows of captions and
// values, composite values joined with fixed words, check boxes as Sì or
// No, the footer with the date and time of printing; a row naming a control
// the card lacks is a mistake, not an empty value.
#include "report/pdftext.h"

#include "kit/cardprint.h"
#include "platform/testing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::kit;
using namespace pratelia::testing;

class TestPrintedCard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rowsFromTheControls();
    void unknownControlsAreErrors();
};

void TestPrintedCard::rowsFromTheControls()
{
    // Value fields named after the card's controls, and one numbered row.
    QWidget card;
    for (const char *name : {"txtID", "txtFormato", "txtPagine"}) {
        auto *e = new QLineEdit(QStringLiteral("  valore di ") + QLatin1String(name).mid(3) + QStringLiteral("  "), &card);
        e->setObjectName(QLatin1String(name));
    }
    auto *box = new QComboBox(&card);
    box->setEditable(true);
    box->setObjectName(QStringLiteral("txtMese"));
    box->setEditText(QStringLiteral(" Marzo "));
    auto *check = new QCheckBox(&card);
    check->setObjectName(QStringLiteral("chkEffettuata"));
    check->setChecked(true);
    const CardPrint print{QStringLiteral("Scheda Prova"), QStringLiteral("SCHEDA DI PROVA"),
                          {{QStringLiteral("Codice:"), {QStringLiteral("txtID")}},
                           {QStringLiteral("Formato:"),
                            {QStringLiteral("txtFormato"), QStringLiteral("'  -  N. pagine: '"),
                             QStringLiteral("txtPagine")}},
                           {QStringLiteral("Mese:"), {QStringLiteral("txtMese")}},
                           {QStringLiteral("Pagato:"), {QStringLiteral("chkEffettuata")}}},
                          false};
    QTemporaryDir out;
    TestPlatform p;
    p.printing.outputFolder = out.path();
    p.clock.current = QDateTime(QDate(2025, 1, 31), QTime(8, 5, 3));
    const report::Report r = cardReport(&card, print);
    QCOMPARE(r.text(QStringLiteral("titFormato")), QStringLiteral("Formato:"));
    QVERIFY(r.print());
    QCOMPARE(p.printing.orientations, QList<report::Orientation>{report::Orientation::Portrait});
    const QStringList pages = pdfPages(p.printing.files.value(0));
    QCOMPARE(pages.size(), 1);
    const QStringList lines = textLines(pages[0], true);
    QCOMPARE(lines, (QStringList{QStringLiteral("SCHEDA DI PROVA"), QStringLiteral("Codice: valore di ID"),
                                 QStringLiteral("Formato: valore di Formato - N. pagine: valore di Pagine"),
                                 QStringLiteral("Mese: Marzo"), QStringLiteral("Pagato: Sì"),
                                 QStringLiteral("Stampa eseguita in data 31/01/2025 alle ore 08:05:03")}));
}

void TestPrintedCard::unknownControlsAreErrors()
{
    QWidget card;
    auto *e = new QLineEdit(&card);
    e->setObjectName(QStringLiteral("txtID"));
    const CardPrint print{QStringLiteral("Scheda"), QStringLiteral("SCHEDA"),
                          {{QStringLiteral("Codice:"), {QStringLiteral("txtID")}},
                           {QStringLiteral("Tempi:"), {QStringLiteral("txtTempi")}}},
                          false};
    QVERIFY_THROWS_EXCEPTION(report::UnknownField, cardReport(&card, print));
}

QTEST_MAIN(TestPrintedCard)
#include "test_printedcard.moc"
