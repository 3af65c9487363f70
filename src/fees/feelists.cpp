#include "feelists.h"

#include "feecard.h"

#include "app/kit/conventions.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pratelia::fees {

using namespace lists;

namespace {

QString feeArchive(QWidget *)
{
    return archivePath();
}

// The line of a service; the search shows its ordinary fee, the
// discounted list its discounted one.
LineLayout serviceLine(const char *fee)
{
    return LineLayout(layout(), {
        field("Descrizione", 40),
        text("  ID: "), field("ID", 20),
        text("  Addetto: "), field("Persona", 30),
        text("  Tel. "), field("Recapito", 18),
        text("  Costo: € "), field(fee),
    });
}

HandOver serviceForServiceCard(const char *fee)
{
    return HandOver{false,
                    {{"txtID", "ID"},
                     {"txtTipologia", "Tipologia"},
                     {"txtDescrizione", "Descrizione"},
                     {"txtTariffa", fee},
                     {"txtPagamento", "Pagamento"}}};
}

} // namespace

const SearchConfig &feeSearchConfig()
{
    static const SearchConfig config = [] {
        SearchConfig c;
        c.objectName = QStringLiteral("TfrmTrovaTariffario");
        c.caption = QStringLiteral(" Trova servizi in tariffario");
        c.source.layout = &layout();
        c.source.archivePath = feeArchive;
        c.source.printTitle = QStringLiteral("Tariffario servizi");
        c.source.line = serviceLine("Ordinaria");
        c.criteria = {
            {"txtID", "Codice ID servizio:", "ID"},
            {"txtTipologia", "Tipologia:", "Tipologia"},
            {"txtDescrizione", "Descrizione:", "Descrizione"},
            {"txtSpese", "Spese accessorie:", "Spese"},
            {"txtPersona", "Persona addetta:", "Persona"},
            {"txtCodFisc", "Codice fiscale:", "CodFisc"},
            {"txtUffici", "Uffici interessati:", "Uffici"},
            {"txtRequisiti", "Requisiti necessari:", "Requisiti"},
            {"txtDocumenti", "Documenti richiesti:", "Documenti"},
            {"txtNote", "Note:", "Note"},
        };
        c.modes.insert(QStringLiteral("tariffario"), HandOver{true, {}});
        c.modes.insert(QStringLiteral("serviziord"), serviceForServiceCard("Ordinaria"));
        c.modes.insert(QStringLiteral("servizisco"), serviceForServiceCard("Scontata"));
        c.modes.insert(QStringLiteral("scadenzario"),
                       HandOver{false,
                                {{"txtID", "ID"},
                                 {"txtTipologia", "Tipologia"},
                                 {"txtDescrizione", "Descrizione"},
                                 {"txtUffici", "Uffici"},
                                 {"txtRequisiti", "Requisiti"},
                                 {"txtDocumenti", "Documenti"},
                                 {"txtPersona", "Persona"},
                                 {"txtPagamento", "Pagamento"},
                                 {"txtCosto", "Ordinaria"},
                                 {"txtSpese", "Spese"}}});
        return c;
    }();
    return config;
}

const ExportConfig &feeExportConfig()
{
    static const ExportConfig config = [] {
        ExportConfig c;
        c.objectName = QStringLiteral("TfrmExpTariffario");
        c.caption = QStringLiteral(" Esporta tariffario servizi in Microsoft Excel");
        c.layout = &layout();
        c.archivePath = feeArchive;
        c.help = kit::HelpPage::ExpTariffario;
        c.grid = {
            {"N.", 60, true},
            {"Codice ID servizio", 180, true, "ID"},
            {"Tipologia", 250, true, "Tipologia"},
            {"Descrizione", 300, true, "Descrizione"},
            {"Tariffa ordinaria", 150, true, "Ordinaria"},
            {"Tariffa scontata", 150, true, "Scontata"},
            {"Spese accessorie", 300, true, "Spese"},
            {"Persona addetta", 250, true, "Persona"},
            {"Codice fiscale", 150, true, "CodFisc"},
            {"Tel. preferenziale", 150, true, "Recapito"},
            {"E-mail", 250, true, "Email"},
            {"Uffici interessati", 300, true, "Uffici"},
            {"Requisiti necessari", 300, true, "Requisiti"},
            {"Documenti richiesti", 300, true, "Documenti"},
            {"Modalità pagamento", 250, true, "Pagamento"},
            {"Tempi occorrenti", 250, true, "Tempi"},
            {"Note", 300, true, "Note"},
            {"Sconto", 120, true, "TarScontata"},
        };
        c.sheet.fileName = QStringLiteral("Tariffario.xls");
        c.sheet.sheetName = QStringLiteral("Tariffario Servizi");
        c.sheet.firstGridColumn = 1;
        c.sheet.columns = {
            {"Codice ID servizio", 200}, {"Tipologia", 250},          {"Descrizione", 300},
            {"Tariffa ordinaria", 200},  {"Tariffa scontata", 200},   {"Spese accessorie", 300},
            {"Persona addetta", 250},    {"Codice fiscale", 200},     {"Tel. preferenziale", 200},
            {"E-mail", 250},             {"Uffici interessati", 300}, {"Requisiti necessari", 300},
            {"Documenti richiesti", 300}, {"Modalità pagamento", 250}, {"Tempi occorrenti", 250},
            {"Note", 300},               {"Sconto", 150},
        };
        return c;
    }();
    return config;
}

const SummaryConfig &discountedFeesConfig()
{
    static const SummaryConfig config = [] {
        SummaryConfig c;
        c.objectName = QStringLiteral("TfrmTariffeScontate");
        c.caption = QStringLiteral(" Riepilogo servizi con tariffa scontata");
        c.source.layout = &layout();
        c.source.archivePath = feeArchive;
        c.source.printTitle = QStringLiteral("Riepilogo servizi con tariffa scontata");
        c.source.line = serviceLine("Scontata");
        c.keep = [](const RecordView &r, const QDate &) { return isDiscounted(r); };
        c.pick = HandOver{true, {}};
        return c;
    }();
    return config;
}

void showFeeSearch(QWidget *opener, const QString &mode)
{
    SearchWindow w(feeSearchConfig(), opener);
    w.setMode(mode);
    w.centre();
    w.exec();
}

void showFeeExport(QWidget *card)
{
    ExportWindow w(feeExportConfig(), card);
    w.centre();
    w.exec();
}

void showDiscountedFees(QWidget *card)
{
    SummaryListWindow w(discountedFeesConfig(), card);
    w.centre();
    w.exec();
}

report::Report feeCardReport(const QWidget *card)
{
    static const char *const rows[][2] = {
        {"Codice ID servizio:", "txtID"},       {"Tipologia:", "txtTipologia"},
        {"Descrizione:", "txtDescrizione"},     {"Tariffa ordinaria:", "txtOrdinaria"},
        {"Tariffa scontata:", "txtScontata"},   {"Spese accessorie:", "txtSpese"},
        {"Persona addetta:", "txtPersona"},     {"Codice fiscale:", "txtCodFisc"},
        {"Tel. preferenziale:", "txtRecapito"}, {"Indirizzo e-mail:", "txtEmail"},
        {"Uffici interessati:", "txtUffici"},   {"Requisiti necessari:", "txtRequisiti"},
        {"Documenti richiesti:", "txtDocumenti"}, {"Modalità pagamento:", "txtPagamento"},
        {"Tempi occorrenti:", "txtTempi"},      {"Note:", "txtNote"},
    };
    QList<report::CardRow> cardRows;
    for (const auto &row : rows)
        cardRows.append({QString(), QString::fromUtf8(row[0]), QString::fromLatin1(row[1])});
    report::Report r(report::cardTemplate(QStringLiteral("Scheda Tariffa"),
                                          QStringLiteral("SCHEDA TARIFFA SERVIZIO"), cardRows));
    for (const auto &row : rows) {
        const QString control = QString::fromLatin1(row[1]);
        r.setText(control, report::controlText(card, control));
    }
    r.setText(QStringLiteral("txtCalce"), report::printedOnText());
    r.setOrientation(QPageLayout::Portrait);
    return r;
}

TfrmStampaTariffa::TfrmStampaTariffa(QWidget *card)
    : kit::DialogWindow(QStringLiteral("TfrmStampaTariffa"), QStringLiteral(" Stampa scheda"),
                        QSize(380, 170), card),
      m_card(card)
{
    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgStampa"));
    picture->setPixmap(kit::commandIcon(QStringLiteral("stampa")).pixmap(56, 56));
    auto *text = new QLabel(QStringLiteral("Stampa della scheda tariffa visualizzata, così come "
                                           "appare sullo schermo."),
                            this);
    text->setWordWrap(true);
    auto *stampa = new QPushButton(QStringLiteral("Stampa"), this);
    stampa->setObjectName(QStringLiteral("btnStampa"));
    auto *annulla = new QPushButton(QStringLiteral("Annulla"), this);
    annulla->setObjectName(QStringLiteral("btnAnnulla"));
    for (QPushButton *b : {stampa, annulla}) {
        b->setCursor(Qt::PointingHandCursor);
        b->setMinimumWidth(100);
        b->setAutoDefault(false);
    }
    stampa->setDefault(true);

    auto *top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addWidget(text, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(stampa);
    buttons->addWidget(annulla);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(20, 18, 20, 16);
    outer->addLayout(top);
    outer->addStretch();
    outer->addLayout(buttons);

    connect(stampa, &QPushButton::clicked, this, &TfrmStampaTariffa::print);
    connect(annulla, &QPushButton::clicked, this, [this] { closeWith(QDialog::Rejected); });
}

void TfrmStampaTariffa::print()
{
    feeCardReport(m_card).print(this);
    closeWith(QDialog::Accepted);
}

void showFeeCardPrint(QWidget *card)
{
    TfrmStampaTariffa w(card);
    w.centre(card);
    w.exec();
}

} // namespace pratelia::fees
