#include "clientcard.h"

#include "clientfolder.h"
#include "clientlists.h"

#include "checks/checkwindows.h"
#include "platform/texts.h"
#include "store/layout.h"
#include "store/values.h"

namespace pratelia::clients {

using namespace kit;

const QStringList &provinceCodes()
{
    static const QStringList codes = QStringLiteral(
        "AG AL AN AO AP AQ AR AT AV BA BG BI BL BN BO BR BS BT BZ CA CB CE CH CI CL CN CO CR CS "
        "CT CZ EE EN FC FE FG FI FM FO FR GE GO GR IM IS KR LC LE LI LO LT LU MB MC MD ME MI MN "
        "MO MS MT NA NO NU OG OR OT PA PC PD PE PG PI PN PO PR PT PU PV PZ RA RC RE RG RI RM RN "
        "RO SA SI SO SP SR SS SV TA TE TN TO TP TR TS TV UD VA VB VC VE VI VR VT VV")
                                         .split(u' ');
    return codes;
}

std::optional<SaveRefusal> refuseSave(const CardValues &card)
{
    const QString cognome = trimText(card.value(QStringLiteral("txtCognome")));
    const QString nome = trimText(card.value(QStringLiteral("txtNome")));
    const QString decorrenza = trimText(card.value(QStringLiteral("txtDecorrenza")));
    const QString scadenza = trimText(card.value(QStringLiteral("txtScadenza")));
    const QString preavviso = trimText(card.value(QStringLiteral("txtPreavviso")));
    const QString needed = neededToSave(QString());
    const QString twoBreaks = lineBreak() + lineBreak();

    if (cognome.isEmpty())
        return SaveRefusal{MessageKind::Warning, needed + QStringLiteral("il cognome del cliente."),
                           QStringLiteral("txtCognome")};
    if (nome.isEmpty())
        return SaveRefusal{MessageKind::Warning, needed + QStringLiteral("il nome del cliente."),
                           QStringLiteral("txtNome")};
    if (decorrenza.isEmpty())
        return SaveRefusal{MessageKind::Warning,
                           needed
                               + QStringLiteral("la data di decorrenza dell'acquisto rateale "
                                                "effettuato."),
                           QStringLiteral("txtDecorrenza")};
    if (scadenza.isEmpty())
        return SaveRefusal{MessageKind::Warning,
                           needed + QStringLiteral("la data di scadenza della prossima rata."),
                           QStringLiteral("txtScadenza")};

    const QString validDate = QStringLiteral(
        "Per poter salvare la scheda è necessario indicare una data valida nel formato gg/mm/aaaa.");
    if (!IsValidDate(decorrenza))
        return SaveRefusal{MessageKind::Plain,
                           QStringLiteral("Attenzione: la data di decorrenza ") + decorrenza
                               + QStringLiteral(" non esiste.") + twoBreaks + validDate,
                           QStringLiteral("txtDecorrenza")};
    if (!IsValidDate(scadenza))
        return SaveRefusal{MessageKind::Plain,
                           QStringLiteral("Attenzione: la data di scadenza ") + scadenza
                               + QStringLiteral(" non esiste.") + twoBreaks + validDate,
                           QStringLiteral("txtScadenza")};
    if (parseDate(decorrenza) > parseDate(scadenza))
        return SaveRefusal{
            MessageKind::Plain,
            QStringLiteral("Attenzione: la data di scadenza della prossima rata (") + scadenza
                + QStringLiteral(") non può essere anteriore a quella di decorrenza (") + decorrenza
                + QStringLiteral(").") + twoBreaks
                + QStringLiteral(
                    "Per poter salvare la scheda è necessario indicare un intervallo di tempo valido."),
            QString()};
    if (preavviso.isEmpty())
        return SaveRefusal{MessageKind::Warning, needed + QStringLiteral("i giorni di preavviso."),
                           QStringLiteral("txtPreavviso")};
    return std::nullopt;
}

namespace {

// The edited fields in record order, which is also the Enter chain's.
QVector<CardField> clientFields()
{
    const unsigned trimUpper = TrimTyped | UpperTyped;
    QVector<CardField> f = {
        editField("Cognome", "Cognome:"),
        editField("Nome", "Nome:"),
        editField("CodFisc", "Codice fiscale:", trimUpper),
        editField("Sesso", "Sesso:", trimUpper),
        editField("DataNasc", "Data di nascita:"),
        editField("ComuneNasc", "Comune di nascita:"),
        listField("ProvNasc", "Prov.", provinceCodes(), true).input(trimUpper),
        editField("Iva", "Partita IVA:", DigitsOnly),
        editField("Indirizzo", "Via e numero civico:"),
        editField("Cap", "CAP:"),
        editField("ComuneRes", "Comune di residenza:"),
        listField("ProvRes", "Prov.", provinceCodes(), true).input(trimUpper),
        editField("Stato", "Stato civile:"),
        editField("Familiari", "Familiari a carico:"),
        editField("Recapito", "Recapito preferenziale:"),
        editField("TelCasa", "Tel. casa:"),
        editField("TelCel", "Tel. cellulare:"),
        editField("TelUff", "Tel. ufficio:"),
        editField("Fax", "PEC:", TrimTyped),
        editField("Email", "E-mail:", TrimTyped),
        editField("Qualifiche", "Titolo di studio:"),
        editField("Professione", "Professione:"),
        editField("Iban", "IBAN:", trimUpper),
        editField("Intestatario", "Intestatario C/C:"),
        editField("Banca", "Banca:"),
        editField("Carta", "Carta di credito n.", DigitsOnly),
        editField("ScadeCarta", "Scadenza:"),
        editField("Prodotti", "Prodotti e servizi di interesse:"),
        editField("Pagamento", "Modalità di pagamento:"),
        editField("Note", "Note:"),
        editField("TipoDoc", "Tipo di documento:"),
        editField("NumDoc", "Numero:"),
        editField("EnteRil", "Ente di rilascio:"),
        editField("DataRil", "Data di rilascio:"),
        editField("DataSca", "Data di scadenza:"),
        editField("Codice", "Codice cliente:"),
        editField("Categoria", "Categoria:"),
        editField("Zona", "Denominazione Ditta:"),
        editField("Acquisto", "Acquisto rateale effettuato:"),
        editField("Decorrenza", "Data decorrenza:"),
        editField("Scadenza", "Prossima scadenza:"),
        editField("Preavviso", "Giorni di preavviso:", DigitsOnly),
        editField("Totale", "Importo totale: €", Amount),
        editField("Frazionamento", "Frazionamento:"),
        // The record keeps 50 characters, but an amount longer than the
        // total's is of no use on the card.
        editField("Rata", "Importo rata: €", Amount).typingLimit(15),
    };
    f += attachmentFields();
    return f;
}

void openClientFolder(CardWindow &card)
{
    if (card.position() == 0) {
        platform::dialogs().warning(
            QStringLiteral("Attenzione: l'abbinamento di una cartella ad un cliente può avvenire "
                           "soltanto dopo che la scheda è stata inserita in archivio."),
            &card);
        return;
    }
    showClientFolder(&card, QString::number(card.position()));
}

QVector<CardCommand> clientCommands()
{
    QVector<CardCommand> c = {
        barCommand("cmdNuovo", "Nuovo", "nuovo",
                   "Prepara la schermata per la registrazione di una nuova scheda."),
        sharedCommand("cmdSalva"),
        sharedCommand("cmdTrova",
                      [](CardWindow &w) { showClientSearch(&w, QStringLiteral("clienti")); }),
        barCommand("cmdCartella", "Cartella", "cartella",
                   "Gestisci la cartella abbinata alla scheda corrente.", openClientFolder),
        sharedCommand("cmdFile"),
        sharedCommand("cmdStampa"),
    };
    c += browseCommands();
    c += {
        sharedCommand("cmdEsporta", [](CardWindow &w) { showClientExport(&w); }, true),
        barCommand("cmdScaduti", "Rate", "scaduti",
                   "Visualizza il riepilogo delle rate in scadenza o scadute.",
                   [](CardWindow &w) { showInstalmentsDue(&w); }),
        sharedCommand("cmdGuida"),
        sharedCommand("cmdEsci"),
        sharedCommand("btnCodFisc",
                      [](CardWindow &w) {
                          checks::showTaxCodeButton(&w, w.text(QStringLiteral("txtCodFisc")));
                      }),
        sharedCommand("btnIva",
                      [](CardWindow &w) { checks::showVatCheck(&w, w.text(QStringLiteral("txtIva"))); }),
        sharedCommand("btnEmail"),
        besideCommand("btnIban", "Controlla IBAN", "controlla", "Controlla l'IBAN.",
                      [](CardWindow &w) {
                          checks::showIbanCheck(&w, w.text(QStringLiteral("txtIban")));
                      }),
        besideCommand("btnCarta", "Controlla carta di credito", "controlla",
                      "Controlla il numero di carta di credito.", [](CardWindow &w) {
                          checks::showCardCheck(&w, w.text(QStringLiteral("txtCarta")));
                      }),
    };
    return c;
}

// Personal data, contacts, bank and payments on the left; identity
// document, classification and the instalment purchase on the right.
CardBand clientBody()
{
    const CardColumn left{
        {{"Dati anagrafici", "fraAnagrafici",
          {{{"txtCognome"}, {"txtNome"}},
           {{"txtCodFisc", 150}, {"btnCodFisc"}, {"txtSesso", 30}, {"txtDataNasc", 86}},
           {{"txtComuneNasc"}, {"txtProvNasc", 58}, {"txtIva", 104}, {"btnIva"}},
           {{"txtIndirizzo"}, {"txtCap", 58}},
           {{"txtComuneRes"}, {"txtProvRes", 58}},
           {{"txtStato", 150}, {"txtFamiliari"}}}},
         {"Recapiti e professione", "fraRecapiti",
          {{{"txtRecapito"}, {"txtTelCasa"}},
           {{"txtTelCel"}, {"txtTelUff"}},
           {{"txtFax"}, {"txtEmail"}, {"btnEmail"}},
           {{"txtQualifiche"}, {"txtProfessione"}}}},
         {"Banca, pagamenti e note", "fraBanca",
          {{{"txtIban", 240}, {"btnIban"}},
           {{"txtIntestatario"}, {"txtBanca"}},
           {{"txtCarta", 150}, {"btnCarta"}, {"txtScadeCarta", 86}},
           {{"txtProdotti"}},
           {{"txtPagamento"}},
           {{"txtNote"}}}}},
        57};
    const CardColumn right{
        {{"Documento di riconoscimento", "fraDocumento",
          {{{"txtTipoDoc"}}, {{"txtNumDoc"}}, {{"txtEnteRil"}}, {{"txtDataRil", 86}},
           {{"txtDataSca", 86}}}},
         {"Classificazione", "fraClassificazione",
          {{{"txtCodice"}}, {{"txtCategoria"}}, {{"txtZona"}}}},
         {"Acquisto rateale", "fraAcquisto",
          {{{"txtAcquisto"}},
           {{"txtDecorrenza", 86}},
           {{"txtScadenza", 86}},
           {{"txtPreavviso", 44}},
           {{"txtTotale", 110}},
           {{"txtFrazionamento"}},
           {{"txtRata", 110}}}}},
        43};
    return {left, right};
}

// The printed client card, "Scheda informativa".
CardPrint clientPrint()
{
    return CardPrint{
        QStringLiteral("Scheda informativa"),
        QStringLiteral("SCHEDA INFORMATIVA CLIENTE"),
        {
            {"Cognome e nome:", {"txtCognome", "' '", "txtNome"}},
            {"Data di nascita:", {"txtDataNasc"}},
            {"Comune di nascita:", {"txtComuneNasc", "' '", "txtProvNasc"}},
            {"Sesso:", {"txtSesso", "'  Stato civile: '", "txtStato"}},
            {"Recapito preferenziale:", {"txtRecapito"}},
            {"Indirizzo di residenza:", {"txtIndirizzo"}},
            {"Comune di residenza:", {"txtComuneRes", "' '", "txtProvRes"}},
            {"Professione:", {"txtProfessione"}},
            {"Tel. casa:", {"txtTelCasa"}},
            {"Tel. ufficio:", {"txtTelUff"}},
            {"Tel. cellulare:", {"txtTelCel"}},
            {"PEC:", {"txtFax"}},
            {"E-mail:", {"txtEmail"}},
            {"Codice fiscale:", {"txtCodFisc"}},
            {"Partita IVA:", {"txtIva"}},
            {"Carta di credito:", {"'N. '", "txtCarta", "'  Scadenza: '", "txtScadeCarta"}},
            {"IBAN:", {"txtIban", "'  -  Intestatario C/C: '", "txtIntestatario"}},
            {"Estremi documento:",
             {"'Tipo: '", "txtTipoDoc", "'  N. '", "txtNumDoc", "'  Scadenza: '", "txtDataSca"}},
            {"Codice cliente:", {"txtCodice"}},
            {"Categoria:", {"txtCategoria", "'  Ditta: '", "txtZona"}},
            {"Prodotti e servizi di interesse:", {"txtProdotti"}},
            {"Acquisto rateale", {"txtAcquisto", "'  Importo rata: € '", "txtRata"}},
            {"Totale:",
             {"'Importo: € '", "txtTotale", "'  Decorrenza: '", "txtDecorrenza", "'  Scadenza: '",
              "txtScadenza"}},
            {"Note:", {"txtNote"}},
        },
        true};
}

} // namespace

const CardSpec &clientCardSpec()
{
    static const CardSpec desc{
        .objectName = QStringLiteral("TfrmAnagrafica"),
        .caption = QStringLiteral(" Pratelia - Anagrafica Clienti"),
        .restText = QStringLiteral("Pronto per salvare una nuova scheda..."),
        .layout = &layouts::cliente(),
        .archiveName = QString::fromLatin1(archives::kClienti),
        .fields = clientFields(),
        .commands = clientCommands(),
        .body = {clientBody()},
        .chainsWrap = true,
        .blank = {blankToday("txtDecorrenza"), blankToday("txtScadenza"),
                  blankText("txtPreavviso", "0"), blankText("txtTotale", "0,00"),
                  blankText("txtRata", "0,00")},
        .newFocus = QStringLiteral("txtCognome"),
        .refuseSave = refuseSave,
        .previousOnFirstIsSilent = true,
        .attachMode = QStringLiteral("anagrafica"),
        .help = HelpPage::Anagrafica,
        .mailField = QStringLiteral("txtEmail"),
        .print = clientPrint(),
    };
    return desc;
}

void printClientCard(QWidget *card)
{
    printCard(card, clientCardSpec().print);
}

} // namespace pratelia::clients
