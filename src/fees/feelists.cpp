#include "feelists.h"

#include "feecard.h"



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

} // namespace pratelia::fees
