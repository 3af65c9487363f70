#include "servicelists.h"

#include "servicecard.h"

#include "kit/binding.h"
#include "kit/cardprint.h"
#include "store/values.h"

namespace pratelia::services {

using namespace lists;

QString openYearArchive(QWidget *card)
{
    return card ? trimText(kit::controlText(card, QStringLiteral("lblFile"))) : QString();
}

namespace {

// The line of a service, in the search and in the unpaid list alike.
LineLayout serviceLine()
{
    return LineLayout(layout(), {
        text("ID: "), field("ID", 20),
        text("  "), field("Descrizione", 35),
        text("  Data: "), field("DataRic", 10),
        text("  "), field("Cliente", 28),
        text("  CF: "), field("CodFisc", 16),
        text("  Tariffa: € "), field("Tariffa"),
    });
}

ListSource serviceSource(const QString &printTitle)
{
    ListSource s;
    s.layout = &layout();
    s.archivePath = openYearArchive;
    s.line = serviceLine();
    s.printTitle = printTitle;
    return s;
}

} // namespace

const SearchConfig &serviceSearchConfig()
{
    static const SearchConfig config = [] {
        SearchConfig c;
        c.objectName = QStringLiteral("TfrmTrovaServizi");
        c.caption = QStringLiteral(" Trova servizi in archivio");
        c.source = serviceSource(QStringLiteral("Registro servizi"));
        c.criteria = {
            {"txtID", "Codice ID servizio:", "ID"},
            {"txtTipologia", "Tipologia:", "Tipologia"},
            {"txtDescrizione", "Descrizione:", "Descrizione"},
            {"txtStato", "Stato avanzamento:", "Stato"},
            {"txtCliente", "Cognome e nome cliente:", "Cliente"},
            {"txtCodFisc", "Codice fiscale:", "CodFisc"},
            {"txtDitta", "Denominazione Ditta:", "Ditta"},
            {"txtIva", "Partita IVA:", "Iva"},
            {"txtQuestioni", "Questioni in sospeso:", "Questioni"},
            {"txtNote", "Note:", "Note"},
        };
        c.modes.insert(QStringLiteral("servizi"), HandOver{true, {}});
        return c;
    }();
    return config;
}

const ExportConfig &serviceExportConfig()
{
    static const ExportConfig config = [] {
        ExportConfig c;
        c.objectName = QStringLiteral("TfrmExpServizi");
        c.caption = QStringLiteral(" Esporta registro servizi in Microsoft Excel");
        c.layout = &layout();
        c.archivePath = openYearArchive;
        c.help = kit::HelpPage::ExpServizi;
        c.grid = {
            {"N.", 60, true},
            {"Codice ID servizio", 180, true, "ID"},
            {"Tipologia", 250, true, "Tipologia"},
            {"Descrizione", 300, true, "Descrizione"},
            {"Tariffa", 180, true, "Tariffa"},
            {"Data richiesta", 150, true, "DataRic"},
            {"Data espletamento", 150, true, "DataEsp"},
            {"Modalità di pagamento", 250, true, "Pagamento"},
            {"Cognome e nome Cliente", 250, true, "Cliente"},
            {"Codice fiscale", 200, true, "CodFisc"},
            {"Denominazione Ditta", 250, true, "Ditta"},
            {"Partita IVA", 150, true, "Iva"},
            {"Stato avanzamento", 250, true, "Stato"},
            {"Uffici contattati", 300, true, "Uffici"},
            {"Documenti prodotti", 300, true, "Documenti"},
            {"Questioni in sospeso", 300, true, "Questioni"},
            {"Note", 350, true, "Note"},
            {"Pagato", 120, true, "Pagato"},
        };
        c.sheet.fileName = QStringLiteral("Servizi.xls");
        c.sheet.sheetName = QStringLiteral("Registro Servizi");
        c.sheet.firstGridColumn = 1;
        c.sheet.columns = {
            {"Codice ID servizio", 200},   {"Tipologia", 250},
            {"Descrizione", 300},          {"Tariffa", 200},
            {"Data richiesta", 200},       {"Data espletamento", 200},
            {"Modalità di pagamento", 300}, {"Cognome e nome Cliente", 250},
            {"Codice fiscale", 200},       {"Denominazione Ditta", 250},
            {"Partita IVA", 200},          {"Stato avanzamento", 300},
            {"Uffici contattati", 300},    {"Documenti prodotti", 300},
            {"Questioni in sospeso", 300}, {"Note", 300},
            {"Pagato", 150},
        };
        return c;
    }();
    return config;
}

const SummaryConfig &unpaidServicesConfig()
{
    static const SummaryConfig config = [] {
        SummaryConfig c;
        c.objectName = QStringLiteral("TfrmNonPagati");
        c.caption = QStringLiteral(" Riepilogo servizi non saldati");
        c.source = serviceSource(QStringLiteral("Riepilogo servizi non saldati"));
        c.keep = [](const RecordView &r, const QDate &) { return isUnpaid(r); };
        c.pick = HandOver{true, {}};
        return c;
    }();
    return config;
}

void showServiceSearch(QWidget *card)
{
    SearchWindow w(serviceSearchConfig(), card);
    w.setMode(QStringLiteral("servizi"));
    w.centre();
    w.exec();
}

void showServiceExport(QWidget *card)
{
    ExportWindow w(serviceExportConfig(), card);
    w.centre();
    w.exec();
}

void showUnpaidServices(QWidget *card)
{
    SummaryListWindow w(unpaidServicesConfig(), card);
    w.centre();
    w.exec();
}

void showServiceCardPrint(QWidget *card)
{
    kit::showCardPrintWindow(card, QStringLiteral("TfrmStampaServizio"),
                             QStringLiteral("Stampa della scheda del servizio visualizzata, così "
                                            "come appare sullo schermo."),
                             serviceCardPrint());
}

} // namespace pratelia::services
