#include "feecard.h"

#include "feelists.h"

#include "checks/checkwindows.h"
#include "clients/clientlists.h"
#include "store/values.h"

namespace pratelia::fees {

using namespace kit;

QString archivePath()
{
    return ArchivePath(QStringLiteral("Tariffario.arx"));
}

const RecordLayout &layout()
{
    return layouts::tariffa();
}

bool isDiscounted(const RecordView &record)
{
    return record.text(u"TarScontata") == flagText(true);
}

namespace {

// The fields in screen order, which is also the Enter chain's.
QVector<CardField> feeFields()
{
    QVector<CardField> f = {
        editField("ID", "Codice ID servizio:").looks(Centred),
        editField("Tipologia", "Tipologia:"),
        editField("Descrizione", "Descrizione:"),
        editField("Ordinaria", "Tariffa ordinaria:", Amount),
        editField("Scontata", "Tariffa scontata:", Amount),
        editField("Spese", "Spese accessorie:"),
        editField("Persona", "Persona addetta:"),
        editField("CodFisc", "Codice fiscale:", TrimTyped | UpperTyped),
        editField("Recapito", "Tel. preferenziale:"),
        editField("Email", "E-mail:", TrimTyped),
        editField("Uffici", "Uffici interessati:"),
        editField("Requisiti", "Requisiti necessari:"),
        editField("Documenti", "Documenti richiesti:"),
        editField("Pagamento", "Modalità pagamento:"),
        editField("Tempi", "Tempi occorrenti:"),
        editField("Note", "Note:"),
        editField("Copia", "Modulo richiesta servizio:").looks(ReadOnly),
        checkField("TarScontata", "Tariffa scontata",
                   "Spunta questa casella per indicare che il servizio viene fornito a tariffa "
                   "scontata."),
    };
    f += attachmentFields();
    return f;
}

QVector<CardCommand> feeCommands()
{
    QVector<CardCommand> c = {
        sharedCommand("cmdNuovo"),
        sharedCommand("cmdDuplica"),
        sharedCommand("cmdSalva"),
        sharedCommand("cmdTrova",
                      [](CardWindow &w) { showFeeSearch(&w, QStringLiteral("tariffario")); }),
    };
    c += browseCommands();
    c += {
        sharedCommand("cmdEsporta", [](CardWindow &w) { showFeeExport(&w); }, true),
        sharedCommand("cmdStampa"),
        sharedCommand("cmdFile"),
        barCommand("cmdScontate", "Scontate", "scontate",
                   "Visualizza il riepilogo dei servizi con tariffa scontata.",
                   [](CardWindow &w) { showDiscountedFees(&w); }),
        sharedCommand("cmdGuida"),
        sharedCommand("cmdEsci"),
        besideCommand("impPersona", "Importa dall'anagrafica", "freccia",
                      "Importa i dati dall'archivio anagrafico dei clienti.", [](CardWindow &w) {
                          clients::showClientSearch(&w, QStringLiteral("tariffario"));
                      }),
        sharedCommand("btnCodFisc",
                      [](CardWindow &w) {
                          checks::showTaxCodeButton(&w, w.text(QStringLiteral("txtCodFisc")));
                      }),
        sharedCommand("btnEmail"),
        buttonCommand("btnSfoglia", "Sfoglia...",
                      "Seleziona il file del modulo da allegare alla scheda corrente."),
        buttonCommand("btnApri", "Apri", "Apri il file del modulo allegato alla scheda corrente."),
        besideCommand("imgCancella01", "Cancella modulo", "cancella",
                      "Cancella la copia digitale del modulo per la richiesta del servizio."),
    };
    return c;
}

// The service and its fees beside the person in charge; below them what
// the client needs to know, and the request form.
QVector<CardBand> feeBody()
{
    const int captions = 165; // the sections' fields start on one line
    return {
        {{{{"Servizio", "fraServizio",
            {{{"txtID", 200}},
             {{"txtTipologia"}},
             {{"txtDescrizione"}},
             {{"txtOrdinaria", 130}},
             {{"txtScontata", 130}, {"chkTarScontata"}},
             {{"txtSpese"}}},
            captions}},
          3},
         {{{"Persona addetta", "fraPersona",
            {{{"txtPersona"}, {"impPersona"}},
             {{"txtCodFisc"}, {"btnCodFisc"}},
             {{"txtRecapito"}},
             {{"txtEmail"}, {"btnEmail"}}}}},
          2}},
        {{{{"Informazioni pratiche per il cliente", "fraInformazioni",
            {{{"txtUffici"}},
             {{"txtRequisiti"}},
             {{"txtDocumenti"}},
             {{"txtPagamento"}},
             {{"txtTempi"}},
             {{"txtNote"}}},
            captions}}}},
        {{{{"Modulo per la richiesta del servizio", "fraModulo",
            {{{"txtCopia"}, {"btnSfoglia"}, {"btnApri"}, {"imgCancella01"}}},
            captions}}}},
    };
}

// The printed fee card, "Scheda Tariffa".
CardPrint feePrint()
{
    return CardPrint{
        QStringLiteral("Scheda Tariffa"),
        QStringLiteral("SCHEDA TARIFFA SERVIZIO"),
        {
            {"Codice ID servizio:", {"txtID"}},
            {"Tipologia:", {"txtTipologia"}},
            {"Descrizione:", {"txtDescrizione"}},
            {"Tariffa ordinaria:", {"txtOrdinaria"}},
            {"Tariffa scontata:", {"txtScontata"}},
            {"Spese accessorie:", {"txtSpese"}},
            {"Persona addetta:", {"txtPersona"}},
            {"Codice fiscale:", {"txtCodFisc"}},
            {"Tel. preferenziale:", {"txtRecapito"}},
            {"Indirizzo e-mail:", {"txtEmail"}},
            {"Uffici interessati:", {"txtUffici"}},
            {"Requisiti necessari:", {"txtRequisiti"}},
            {"Documenti richiesti:", {"txtDocumenti"}},
            {"Modalità pagamento:", {"txtPagamento"}},
            {"Tempi occorrenti:", {"txtTempi"}},
            {"Note:", {"txtNote"}},
        },
        false};
}

} // namespace

const CardSpec &feeCardSpec()
{
    static const CardSpec desc{
        .objectName = QStringLiteral("TfrmTariffario"),
        .caption = QStringLiteral(" Pratelia - Tariffario Servizi"),
        .restText = QStringLiteral("Pronto per archiviare una nuova scheda..."),
        .layout = &layout(),
        .archiveName = QStringLiteral("Tariffario.arx"),
        .fields = feeFields(),
        .commands = feeCommands(),
        .body = feeBody(),
        .tabOrder = {"txtID",       "txtTipologia", "txtDescrizione", "txtOrdinaria",
                     "txtScontata", "txtSpese",     "txtPersona",     "txtCodFisc",
                     "txtRecapito", "txtEmail",     "txtUffici",      "txtRequisiti",
                     "txtDocumenti", "txtPagamento", "txtTempi",      "txtNote",
                     "txtCopia",    "btnSfoglia",   "btnApri",        "chkTarScontata"},
        .blank = {blankText("txtOrdinaria", "0,00"), blankText("txtScontata", "0,00")},
        .newFocus = QStringLiteral("txtID"),
        .mandatory = {{"txtID", neededToSave("il codice identificativo del servizio."), {}},
                      {"txtTipologia", neededToSave("la tipologia di servizio."), {}},
                      {"txtDescrizione", neededToSave("la descrizione del servizio."), {}},
                      {"txtOrdinaria", neededToSave("la tariffa ordinaria."), {}},
                      {"txtScontata", neededToSave("la tariffa scontata."), {}}},
        .duplicateResets = {"txtID", "txtCopia", "lblFile01", "lblFile02", "lblFile03",
                            "lblDesc01", "lblDesc02", "lblDesc03"},
        .duplicateFocus = QStringLiteral("txtID"),
        .attachMode = QStringLiteral("tariffario"),
        .help = HelpPage::Tariffario,
        .documentField = QStringLiteral("txtCopia"),
        .mailField = QStringLiteral("txtEmail"),
        .print = feePrint(),
        .printWindow = QStringLiteral("TfrmStampaTariffa"),
        .printIntro = QStringLiteral("Stampa della scheda tariffa visualizzata, così come appare "
                                     "sullo schermo."),
    };
    return desc;
}

} // namespace pratelia::fees
