#include "servicecard.h"

#include "servicelists.h"

#include "checks/checkwindows.h"
#include "clients/clientlists.h"
#include "fees/feelists.h"
#include "store/values.h"

namespace pratelia::services {

using namespace kit;

const RecordLayout &layout()
{
    return layouts::servizio();
}

const YearArchive &yearArchive()
{
    static const YearArchive archive{QString::fromLatin1(archives::kServiziExt),
                                     QStringLiteral("TfrmServizi"),
                                     QStringLiteral(" Pratelia - Registro Servizi anno "),
                                     QString()};
    return archive;
}

QString archivePath(const QString &year)
{
    return yearArchivePath(year, yearArchive().extension);
}

bool isUnpaid(const RecordView &record)
{
    static const int flag = layout().require(u"Pagato");
    return record.text(flag) == flagText(false);
}

namespace {

const char *const kDateHint =
    "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario.";

// The fields in screen order.
QVector<CardField> serviceFields()
{
    QVector<CardField> f = {
        editField("ID", "Codice ID servizio:").looks(Centred),
        editField("Tipologia", "Tipologia:"),
        editField("Descrizione", "Descrizione:"),
        editField("Tariffa", "Tariffa:", Amount),
        dateField("DataRic", "Data richiesta:", "dataric", kDateHint),
        dateField("DataEsp", "Data espletamento:", "dataesp", kDateHint),
        editField("Pagamento", "Modalità di pagamento:"),
        editField("Cliente", "Cognome e nome cliente:"),
        editField("CodFisc", "Codice fiscale:", TrimTyped | UpperTyped),
        editField("Ditta", "Denominazione Ditta:"),
        editField("Iva", "Partita IVA:", DigitsOnly),
        editField("Stato", "Stato avanzamento:"),
        editField("Uffici", "Uffici contattati:"),
        editField("Documenti", "Documenti prodotti:"),
        editField("Questioni", "Questioni in sospeso:"),
        editField("Note", "Note:"),
        editField("Copia", "Fattura rilasciata al cliente:").looks(ReadOnly),
        checkField("Pagato", "Pagato",
                   "Spunta questa casella per indicare che il servizio è stato saldato dal "
                   "cliente."),
    };
    f += attachmentFields();
    return f;
}

QVector<CardCommand> serviceCommands()
{
    return {
        sharedCommand("cmdNuovo"),
        sharedCommand("cmdDuplica"),
        sharedCommand("cmdSalva"),
        sharedCommand("cmdTrova", [](CardWindow &w) { showServiceSearch(&w); }),
        sharedCommand("cmdPrimo", {}, true),
        sharedCommand("cmdIndietro"),
        sharedCommand("cmdAvanti"),
        sharedCommand("cmdUltimo"),
        sharedCommand("cmdEsporta", [](CardWindow &w) { showServiceExport(&w); }, true),
        sharedCommand("cmdStampa", [](CardWindow &w) { showServiceCardPrint(&w); }),
        sharedCommand("cmdFile"),
        barCommand("cmdNonPagati", "Non pagati", "nonpagati",
                   "Visualizza il riepilogo dei servizi non ancora saldati dai clienti.",
                   [](CardWindow &w) { showUnpaidServices(&w); }),
        sharedCommand("cmdGuida"),
        sharedCommand("cmdEsci"),
        besideCommand("impServizioOrd", "Importa dal tariffario con tariffa ordinaria", "freccia",
                      "Importa i dati dal tariffario dei servizi con tariffa ordinaria.",
                      [](CardWindow &w) { fees::showFeeSearch(&w, QStringLiteral("serviziord")); }),
        besideCommand("impServizioSco", "Importa dal tariffario con tariffa scontata", "scontate",
                      "Importa i dati dal tariffario dei servizi con tariffa scontata.",
                      [](CardWindow &w) { fees::showFeeSearch(&w, QStringLiteral("servizisco")); }),
        besideCommand("impCliente", "Importa dall'anagrafica", "freccia",
                      "Importa i dati dall'archivio anagrafico dei clienti.", [](CardWindow &w) {
                          clients::showClientSearch(&w, QStringLiteral("servizi"));
                      }),
        besideCommand("btnCodFisc", "Controlla codice fiscale", "controlla",
                      "Controlla il codice fiscale.", [](CardWindow &w) {
                          checks::showTaxCodeButton(&w, w.text(QStringLiteral("txtCodFisc")));
                      }),
        besideCommand("btnIva", "Controlla partita IVA", "controlla",
                      "Controlla il numero di partita IVA.", [](CardWindow &w) {
                          checks::showVatCheck(&w, w.text(QStringLiteral("txtIva")));
                      }),
        buttonCommand("btnSfoglia", "Sfoglia...",
                      "Seleziona il file della fattura da allegare alla scheda corrente."),
        buttonCommand("btnApri", "Apri", "Apri il file della fattura allegata alla scheda corrente."),
        besideCommand("imgCancella01", "Cancella fattura", "cancella",
                      "Cancella la copia digitale della fattura rilasciata al cliente."),
    };
}

// The service and its dates beside the client; below them how the work
// goes on, and at the bottom the invoice and the paid mark.
QVector<CardBand> serviceBody()
{
    const int captions = 160; // the sections' fields start on one line
    return {
        {{{{"Servizio prestato", "fraServizio",
            {{{"txtID", 200}, {"impServizioOrd"}, {"impServizioSco"}},
             {{"txtTipologia"}},
             {{"txtDescrizione"}},
             {{"txtTariffa", 130}},
             {{"txtDataRic", 100}, {"txtDataEsp", 100}},
             {{"txtPagamento"}}},
            captions}},
          55},
         {{{"Cliente", "fraCliente",
            {{{"txtCliente"}, {"impCliente"}},
             {{"txtCodFisc", 170}, {"btnCodFisc"}},
             {{"txtDitta"}},
             {{"txtIva", 120}, {"btnIva"}}},
            130}},
          45}},
        {{{{"Avanzamento della pratica", "fraAvanzamento",
            {{{"txtStato"}},
             {{"txtUffici"}},
             {{"txtDocumenti"}},
             {{"txtQuestioni"}},
             {{"txtNote"}}},
            captions}}}},
        {{{{"Fattura e pagamento", "fraFattura",
            {{{"txtCopia"}, {"btnSfoglia"}, {"btnApri"}, {"imgCancella01"}, {"chkPagato"}}},
            captions}}}},
    };
}

} // namespace

const CardSpec &serviceCardSpec()
{
    static const CardSpec desc = [] {
        CardSpec s;
        s.objectName = QStringLiteral("TfrmServizi");
        s.caption = QStringLiteral(" Pratelia - Registro Servizi");
        s.restText = QStringLiteral("Pronto per archiviare una nuova scheda...");
        s.layout = &layout();
        // No archive name: the year menu writes the year's archive into
        // the card's lblFile.
        s.fields = serviceFields();
        s.commands = serviceCommands();
        s.body = serviceBody();
        // Two chains that stop at their ends: the first at the request
        // date, where a further key opens the date picker, the second at
        // the invoice file.
        s.enterChains = {
            {"txtID", "txtTipologia", "txtDescrizione", "txtTariffa", "txtDataRic"},
            {"txtPagamento", "txtCliente", "txtCodFisc", "txtDitta", "txtIva", "txtStato",
             "txtUffici", "txtDocumenti", "txtQuestioni", "txtNote", "txtCopia"},
        };
        s.chainsWrap = false;
        s.tabOrder = {"txtID",     "txtTipologia", "txtDescrizione", "txtTariffa", "txtDataRic",
                      "txtDataEsp", "txtPagamento", "txtCliente",    "txtCodFisc", "txtDitta",
                      "txtIva",    "txtStato",     "txtUffici",      "txtDocumenti",
                      "txtQuestioni", "txtNote",   "txtCopia",       "btnSfoglia", "btnApri",
                      "chkPagato"};
        s.blank = {blankText("txtTariffa", "0,00"), blankToday("txtDataRic")};
        s.newFocus = QStringLiteral("txtID");
        const QString needed = QStringLiteral("Attenzione: per salvare la scheda è necessario indicare ");
        s.mandatory = {
            {"txtID", needed + "il codice identificativo del servizio.", {}},
            {"txtTipologia", needed + "la tipologia di servizio.", {}},
            {"txtDescrizione", needed + "la descrizione del servizio.", {}},
            {"txtTariffa", needed + "la tariffa.", {}},
            {"txtDataRic", needed + "la data di richiesta del servizio.", {}},
            {"txtCliente", needed + "il nome del cliente.", {}},
            {"txtCodFisc", needed + "il codice fiscale del cliente.", {}},
        };
        // A copy is a new request: today's date, no invoice and no
        // attachments yet; the service, the client and the paid mark stay.
        s.duplicateResets = {"txtDataRic", "txtCopia",  "lblFile01", "lblFile02",
                             "lblFile03",  "lblDesc01", "lblDesc02", "lblDesc03"};
        s.duplicateFocus = QStringLiteral("txtID");
        s.attachMode = QStringLiteral("servizi");
        s.help = HelpPage::Servizi;
        s.documentField = QStringLiteral("txtCopia");
        return s;
    }();
    return desc;
}

const YearMenuSpec &serviceYearMenuSpec()
{
    static const YearMenuSpec desc = [] {
        YearMenuSpec s;
        s.objectName = QStringLiteral("TfrmMenuServizi");
        s.caption = QStringLiteral(" Pratelia - Registro Servizi");
        s.picture = QStringLiteral("registro");
        s.heading = QStringLiteral("Archivio servizi:");
        s.info = QStringLiteral("In questo ambiente è possibile archiviare schede riassuntive dei "
                                "servizi forniti ai propri clienti in ciascun anno solare.");
        s.help = HelpPage::Servizi;
        s.archive = yearArchive();
        s.modeWord = QStringLiteral("servizi");
        return s;
    }();
    return desc;
}

const CardPrint &serviceCardPrint()
{
    static const CardPrint print{
        QStringLiteral("Scheda Servizio"),
        QStringLiteral("SCHEDA SERVIZIO PRESTATO"),
        {
            {"Codice ID servizio:", {"txtID"}},
            {"Tipologia:", {"txtTipologia"}},
            {"Descrizione:", {"txtDescrizione"}},
            {"Tariffa:", {"txtTariffa"}},
            {"Data richiesta:", {"txtDataRic"}},
            {"Data espletamento:", {"txtDataEsp"}},
            {"Modalità di pagamento:", {"txtPagamento"}},
            {"Cognome e nome Cliente:", {"txtCliente"}},
            {"Codice fiscale:", {"txtCodFisc"}},
            {"Denominazione Ditta:", {"txtDitta"}},
            {"Partita IVA:", {"txtIva"}},
            {"Stato avanzamento:", {"txtStato"}},
            {"Uffici contattati:", {"txtUffici"}},
            {"Documenti prodotti:", {"txtDocumenti"}},
            {"Questioni in sospeso:", {"txtQuestioni"}},
            {"Note:", {"txtNote"}},
        },
        false};
    return print;
}

} // namespace pratelia::services
