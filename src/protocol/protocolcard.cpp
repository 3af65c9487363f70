#include "protocolcard.h"

#include "protocollists.h"
#include "protocollo.h"
#include "protocolwindows.h"

#include "store/layout.h"

namespace pratelia::protocol {

using namespace kit;

const YearArchive &yearArchive()
{
    static const YearArchive archive{QLatin1String(archives::kProtocolloExt),
                                     QStringLiteral("TfrmProtocollo"),
                                     QStringLiteral(" Pratelia - Protocollo Documenti anno "),
                                     QString()};
    return archive;
}

const QStringList &kindTexts()
{
    static const QStringList kinds = {QStringLiteral("In entrata"), QStringLiteral("In uscita"),
                                      QStringLiteral("Interna")};
    return kinds;
}

namespace {

const char *const kDateHint =
    "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario.";

// A hidden label that is window state only, never a record field.
CardField stateLabel(const QString &control)
{
    CardField f;
    f.control = control;
    f.kind = kit::FieldKind::Label;
    return f;
}

QVector<CardField> protocolFields()
{
    QVector<CardField> f = {
        radioField("Tipologia", "grpTipologia",
                   {"optEntrata=" + kindTexts().at(0), "optUscita=" + kindTexts().at(1),
                    "optInterna=" + kindTexts().at(2)}),
        editField("Numero", "N. protocollo:").looks(Centred | Bold),
        dateField("DataReg", "Data registrazione:", "datareg", kDateHint),
        editField("Ufficio", "Ufficio:"),
        editField("Operatore", "Operatore:"),
        editField("Categoria", "Categoria:"),
        editField("Collocazione", "Collocazione documento cartaceo:"),
        editField("Oggetto", "Oggetto:"),
        editField("DataSpe", "Data spedizione:").looks(Centred),
        editField("DataRic", "Data ricezione:").looks(Centred),
        editField("Formato", "Formato:"),
        editField("Pagine", "N. pagine:"),
        editField("Riferimenti", "Riferimenti:"),
        editField("Note", "Note:"),
        editField("Mittente", "Mittente:"),
        editField("RecapitoMit", "Recapito:"),
        editField("Destinatario", "Destinatario:"),
        editField("RecapitoDes", "Recapito:"),
        editField("Copia", "Copia digitale documento:").looks(Clearable),
        // The numbering settings as New read them last.
        stateLabel(QStringLiteral("lblInizio")),
        stateLabel(QStringLiteral("lblSolare")),
    };
    f += attachmentFields();
    return f;
}

TfrmProtocollo *protocolCard(CardWindow &w)
{
    return qobject_cast<TfrmProtocollo *>(&w);
}

QVector<CardCommand> protocolCommands()
{
    QVector<CardCommand> c = {
        sharedCommand(QStringLiteral("cmdNuovo"),
                      [](CardWindow &w) {
                          if (TfrmProtocollo *p = protocolCard(w))
                              p->newProtocolCard();
                          else
                              w.newCard();
                      }),
        sharedCommand(QStringLiteral("cmdSalva"),
                      [](CardWindow &w) {
                          if (TfrmProtocollo *p = protocolCard(w))
                              p->saveProtocolCard();
                          else
                              w.save();
                      }),
        sharedCommand(QStringLiteral("cmdTrova"), [](CardWindow &w) { showProtocolSearch(&w); }),
        barCommand("cmdRiepilogo", "Riepilogo", "riepilogo",
                   "Visualizza il riepilogo dei documenti protocollati in un intervallo di tempo.",
                   [](CardWindow &w) { showIntervalSummary(&w); }),
        barCommand("cmdFile", "Allega file", "file", "Allega file alla scheda corrente."),
        sharedCommand(QStringLiteral("cmdStampa")),
    };
    c += browseCommands();
    c += {
        sharedCommand(QStringLiteral("cmdEsporta"), [](CardWindow &w) { showProtocolExport(&w); },
                      true),
        barCommand("cmdNumerazione", "N", "numerazione",
                   "Imposta il numero iniziale per la numerazione del protocollo.",
                   [](CardWindow &w) { showNumbering(&w); }),
        sharedCommand(QStringLiteral("cmdGuida")),
        sharedCommand(QStringLiteral("cmdEsci")),
        buttonCommand("btnSfoglia", "Sfoglia...",
                      "Seleziona il file del documento da allegare alla scheda corrente."),
        buttonCommand("btnApri", "Apri", "Apri il documento allegato alla scheda corrente."),
        besideCommand("imgCancella01", "Cancella copia digitale", "cancella",
                      "Cancella la copia digitale del documento protocollato."),
    };
    return c;
}

// The kind of mail and the registration beside the document; below them
// who sent it and to whom, and at the bottom the digital copy.
QVector<CardBand> protocolBody()
{
    const int captions = 120;
    return {
        {{{{"Tipologia posta", "fraTipologia", {{{"grpTipologia"}}}, captions},
           {"Registrazione", "fraRegistrazione",
            {{{"txtNumero", 190}},
             {{"txtDataReg", 100}},
             {{"txtUfficio"}},
             {{"txtOperatore"}},
             {{"txtCategoria"}},
             {{"txtCollocazione"}}},
            captions}},
          48},
         {{{"Documento", "fraDocumento",
            {{{"txtOggetto"}},
             {{"txtDataSpe", 100}, {"txtDataRic", 100}},
             {{"txtFormato"}, {"txtPagine", 90}},
             {{"txtRiferimenti"}},
             {{"txtNote"}}},
            captions}},
          52}},
        {{{{"Mittente", "fraMittente", {{{"txtMittente"}}, {{"txtRecapitoMit"}}}, 90}}},
         {{{"Destinatario", "fraDestinatario", {{{"txtDestinatario"}}, {{"txtRecapitoDes"}}}, 90}}}},
        {{{{"Copia digitale e allegati", "fraCopia",
            {{{"txtCopia"}, {"btnSfoglia"}, {"btnApri"}, {"imgCancella01"}}},
            180}}}},
    };
}

} // namespace

const CardSpec &protocolCardSpec()
{
    static const CardSpec desc = [] {
        CardSpec s;
        s.objectName = QStringLiteral("TfrmProtocollo");
        s.caption = QStringLiteral(" Pratelia - Protocollo Documenti");
        s.restText = QStringLiteral("Pronto per archiviare una nuova scheda...");
        s.layout = &layout();
        s.fields = protocolFields();
        s.commands = protocolCommands();
        s.body = protocolBody();
        // The number leads to the registration date, where a key opens the
        // date picker; the second chain ends at the digital copy.
        s.enterChains = {
            {"txtNumero", "txtDataReg"},
            {"txtUfficio", "txtOperatore", "txtCategoria", "txtCollocazione", "txtOggetto",
             "txtDataSpe", "txtDataRic", "txtFormato", "txtPagine", "txtRiferimenti", "txtNote",
             "txtMittente", "txtRecapitoMit", "txtDestinatario", "txtRecapitoDes", "txtCopia"},
        };
        s.chainsWrap = false;
        s.tabOrder = {"optEntrata",   "optUscita",      "optInterna",      "txtNumero",
                      "txtDataReg",   "txtUfficio",     "txtOperatore",    "txtCategoria",
                      "txtCollocazione", "txtOggetto",  "txtDataSpe",      "txtDataRic",
                      "txtFormato",   "txtPagine",      "txtRiferimenti",  "txtNote",
                      "txtMittente",  "txtRecapitoMit", "txtDestinatario", "txtRecapitoDes",
                      "txtCopia",     "btnSfoglia",     "btnApri"};
        // A new card keeps the office and the operator, and the numbering
        // settings New read last.
        s.blank = {blankToday("txtDataReg"), blankKeep("txtUfficio"), blankKeep("txtOperatore"),
                   blankKeep("lblInizio"), blankKeep("lblSolare")};
        s.newFocus = QStringLiteral("txtNumero");
        s.mandatory = {
            {"txtNumero", neededToSave("il numero di protocollo del documento."), {}},
            {"txtDataReg", neededToSave("la data di registrazione del documento."), {}},
            {"txtCategoria", neededToSave("la categoria del documento."), {}},
            {"txtOggetto", neededToSave("l'oggetto del documento."), {}},
            {"grpTipologia",
             neededToSave("la tipologia di posta (in entrata, in uscita o interna)."),
             "optEntrata"},
        };
        s.attachMode = QStringLiteral("protocollo");
        s.help = HelpPage::Protocollo;
        s.documentField = QStringLiteral("txtCopia");
        s.print = protocolCardPrint();
        s.printWindow = QStringLiteral("TfrmStampaProtocollo");
        s.printIntro = QStringLiteral("Stampa della scheda del documento visualizzata, così come "
                                      "appare sullo schermo.");
        return s;
    }();
    return desc;
}

const YearMenuSpec &protocolYearMenuSpec()
{
    static const YearMenuSpec desc = [] {
        YearMenuSpec s;
        s.objectName = QStringLiteral("TfrmMenuProtocollo");
        s.caption = QStringLiteral(" Pratelia - Protocollo Documenti");
        s.picture = QStringLiteral("protocollo");
        s.heading = QStringLiteral("Archivio protocollo documenti:");
        s.info = QStringLiteral("In questo ambiente è possibile protocollare i documenti interni e "
                                "la posta in entrata e in uscita.");
        s.help = HelpPage::Protocollo;
        s.archive = yearArchive();
        s.modeWord = QStringLiteral("protocollo");
        return s;
    }();
    return desc;
}

const CardPrint &protocolCardPrint()
{
    static const CardPrint print{
        QStringLiteral("Scheda Protocollo"),
        QStringLiteral("SCHEDA PROTOCOLLO DOCUMENTO"),
        {
            {"Protocollo n.", {"txtNumero"}},
            {"Data registrazione:", {"txtDataReg"}},
            {"Ufficio:", {"txtUfficio"}},
            {"Operatore:", {"txtOperatore"}},
            {"Categoria:", {"txtCategoria"}},
            {"Collocazione cartaceo:", {"txtCollocazione"}},
            {"Oggetto:", {"txtOggetto"}},
            {"Data spedizione:", {"txtDataSpe"}},
            {"Data ricezione:", {"txtDataRic"}},
            {"Formato:", {"txtFormato", "'  -  N. pagine: '", "txtPagine"}},
            {"Riferimenti:", {"txtRiferimenti"}},
            {"Mittente:", {"txtMittente"}},
            {"Recapito mittente:", {"txtRecapitoMit"}},
            {"Destinatario:", {"txtDestinatario"}},
            {"Recapito destinatario:", {"txtRecapitoDes"}},
            {"Note:", {"txtNote"}},
        },
        false};
    return print;
}

} // namespace pratelia::protocol
