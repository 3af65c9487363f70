#include "deadlinecard.h"

#include "deadlinelists.h"
#include "deadlines.h"

#include "checks/checkwindows.h"
#include "clients/clientlists.h"
#include "fees/feelists.h"
#include "platform/texts.h"
#include "store/values.h"

namespace pratelia::deadlines {

using namespace kit;

const YearArchive &yearArchive()
{
    static const YearArchive archive{QLatin1String(archives::kScadenzeExt),
                                     QStringLiteral("TfrmScadenzario"),
                                     QStringLiteral(" Pratelia - Scadenze e appuntamenti anno "),
                                     QStringLiteral("lblAnno")};
    return archive;
}

std::optional<SaveRefusal> refuseSave(CardValues &card)
{
    auto value = [&](const char *control) { return trimText(card.value(QLatin1String(control))); };
    const QString needed = neededToSave(QString());
    const QString twoBreaks = lineBreak() + lineBreak();
    const QString validDate =
        QStringLiteral("Per poter salvare la scheda è necessario indicare una data valida.");
    auto warn = [](const QString &text, const char *focus) {
        return SaveRefusal{MessageKind::Warning, text, QLatin1String(focus)};
    };

    if (value("txtCosto").isEmpty())
        card.insert(QStringLiteral("txtCosto"), QStringLiteral("0,00"));
    const QString day = value("txtGiorno");
    const QString month = value("txtMese");
    const QString hour = value("txtOreApp");
    const QString minutes = value("txtMinutiApp");
    if (day.isEmpty())
        return warn(needed + QStringLiteral("il giorno della scadenza."), "txtGiorno");
    if (day.size() < 2)
        return warn(needed + QStringLiteral("il giorno della scadenza usando due cifre."),
                    "txtGiorno");
    if (month.isEmpty())
        return warn(needed + QStringLiteral("il mese della scadenza."), "txtMese");
    if (hour.isEmpty())
        return warn(needed + QStringLiteral("l'ora dell'appuntamento."), "txtOreApp");
    if (minutes.isEmpty())
        return warn(needed + QStringLiteral("i minuti dell'ora dell'appuntamento."),
                    "txtMinutiApp");
    if (hour.size() < 2)
        return warn(needed + QStringLiteral("l'ora dell'appuntamento usando due cifre."),
                    "txtOreApp");
    if (minutes.size() < 2)
        return warn(needed + QStringLiteral("i minuti dell'ora dell'appuntamento usando due cifre."),
                    "txtMinutiApp");
    if (value("txtAvviso").isEmpty())
        return warn(needed + QStringLiteral("i giorni di preavviso."), "txtAvviso");
    if (value("txtCliente").isEmpty())
        return warn(needed + QStringLiteral("il nome del cliente."), "txtCliente");
    if (value("txtDettagli").isEmpty())
        return warn(needed + QStringLiteral("la causale della scadenza."), "txtDettagli");

    card.insert(QStringLiteral("lblOra"), hour + u':' + minutes);
    const int number = monthNumber(month);
    if (number == 0)
        return warn(QStringLiteral("Attenzione: selezionare il mese dal menu a cascata.") + twoBreaks
                        + validDate,
                    "txtMese");
    const QString date =
        day + QString::asprintf("/%02d/", number) + value("lblAnno");
    card.insert(QStringLiteral("lblData"), date);
    if (!IsValidDate(date))
        return SaveRefusal{MessageKind::Plain,
                           QStringLiteral("Attenzione: la data ") + date
                               + QStringLiteral(" non esiste.") + twoBreaks + validDate,
                           QStringLiteral("txtGiorno")};
    return std::nullopt;
}

namespace {

// The fields in the order of the card, which is also the Enter chain's:
// the last typed field leads back to the day.
QVector<CardField> deadlineFields()
{
    return {
        listField("Giorno", "Giorno:", dayItems(), false),
        listField("Mese", "Mese:", monthNames(), false),
        hiddenField("Anno").looks(Shown),
        hiddenField("Data"),
        listField("OreApp", "Ore:", hourItems(), false),
        listField("MinutiApp", "Minuti:", minuteItems(), false),
        hiddenField("Ora"),
        editField("Avviso", "Avvisa n.", DigitsOnly).looks(Centred),
        editField("Cliente", "Cognome e nome cliente:"),
        editField("CodFisc", "Codice fiscale:", TrimTyped | UpperTyped),
        editField("Recapito", "Recapito preferenziale:"),
        editField("ID", "Codice ID servizio:"),
        editField("Tipologia", "Tipologia:"),
        editField("Descrizione", "Descrizione:"),
        editField("Uffici", "Uffici interessati:"),
        editField("Requisiti", "Requisiti necessari:"),
        editField("Documenti", "Documenti richiesti:"),
        editField("Persona", "Persona addetta:"),
        editField("Dettagli", "Causale scadenza:"),
        editField("Pagamento", "Modalità di pagamento:"),
        editField("Costo", "Tariffa ordinaria:", Amount),
        editField("Spese", "Spese accessorie:"),
        checkField("DaConfermare", "Appuntamento da confermare",
                   "Spunta questa casella per annotare che l'appuntamento è in attesa di "
                   "conferma."),
        editField("Note", "Note:"),
        checkField("Effettuata", "Pagamento effettuato",
                   "Spunta questa casella per annotare che il pagamento è stata effettuato."),
    };
}

QVector<CardCommand> deadlineCommands()
{
    QVector<CardCommand> commands = {
        // This card's own wording of New and of the help command.
        barCommand("cmdNuovo", "Nuovo", "nuovo",
                   "Prepara la schermata per la registrazione di una nuova scheda."),
        barCommand("cmdDuplica", "Duplica", "duplica",
                   "Prepara la schermata per la registrazione di una nuova scheda duplicando i "
                   "dati correnti."),
        sharedCommand("cmdSalva"),
        sharedCommand("cmdTrova", [](CardWindow &w) { showDeadlineSearch(&w); }),
    };
    commands += browseCommands();
    commands += {
        sharedCommand("cmdEsporta", [](CardWindow &w) { showDeadlineExport(&w); }, true),
        sharedCommand("cmdStampa"),
        barCommand("cmdDaEffettuare", "Dovuti", "dapagare",
                   "Visualizza il riepilogo dei pagamenti da effettuare, sia scaduti che non.",
                   [](CardWindow &w) { showPaymentsToMake(&w); }),
        barCommand("cmdEffettuate", "Pagati", "pagati",
                   "Visualizza il riepilogo storico dei pagamenti effettuati.",
                   [](CardWindow &w) { showPaymentsMade(&w); }),
        barCommand("cmdDaConfermare", "Conferme", "daconfermare",
                   "Visualizza l'elenco degli appuntamenti in attesa di conferma.",
                   [](CardWindow &w) { showAppointmentsToConfirm(&w); }),
        barCommand("cmdGuida", "Guida", "guida",
                   "Visualizza la pagina della guida sensibile al contesto."),
        sharedCommand("cmdEsci"),
        besideCommand("cmdImporta", "Importa dal tariffario", "freccia",
                      "Importa i dati dal tariffario servizi.", [](CardWindow &w) {
                          fees::showFeeSearch(&w, QStringLiteral("scadenzario"));
                      }),
        besideCommand("impPersona", "Importa dall'anagrafica", "freccia",
                      "Importa i dati dall'archivio anagrafico dei clienti.", [](CardWindow &w) {
                          clients::showClientSearch(&w, QStringLiteral("scadenzario"));
                      }),
        sharedCommand("btnCodFisc", [](CardWindow &w) {
            checks::showTaxCodeButton(&w, w.text(QStringLiteral("txtCodFisc")));
        }),
    };
    return commands;
}

// When and for whom beside each other; below them the service it concerns
// and what the deadline is about.
QVector<CardBand> deadlineBody()
{
    const int captions = 160; // the sections' fields start on one line
    return {
        {{{{" Data scadenza: ", "fraData",
            {{{"txtGiorno", 64}, {"txtMese", 120}, {"lblAnno"}}},
            90},
           {" Ora appuntamento: ", "fraOra",
            {{{"txtOreApp", 64}, {"txtMinutiApp", 64}}},
            90},
           {" Preavviso: ", "fraAvviso",
            {{{"txtAvviso", 48}, {{}, 0, QStringLiteral("giorni prima della scadenza.")}}},
            90}},
          2},
         {{{" Cliente: ", "fraCliente",
            {{{"txtCliente"}, {"impPersona"}},
             {{"txtCodFisc", 170}, {"btnCodFisc"}},
             {{"txtRecapito"}}},
            captions}},
          3}},
        {{{{" Servizio: ", "fraServizio",
            {{{"txtID", 190}, {"cmdImporta"}},
             {{"txtTipologia"}},
             {{"txtDescrizione"}},
             {{"txtUffici"}},
             {{"txtRequisiti"}},
             {{"txtDocumenti"}},
             {{"txtPersona"}}},
            captions}}}},
        {{{{" Scadenza: ", "fraScadenza",
            {{{"txtDettagli"}},
             {{"txtPagamento"}},
             {{"txtCosto", 130}, {"txtSpese"}},
             {{"txtNote"}},
             {{"chkDaConfermare"}, {"chkEffettuata"}}},
            captions}}}},
    };
}

} // namespace

const CardSpec &deadlineCardSpec()
{
    static const CardSpec desc = [] {
        CardSpec s;
        s.objectName = QStringLiteral("TfrmScadenzario");
        s.caption = QStringLiteral(" Pratelia - Scadenze e appuntamenti");
        s.restText = QStringLiteral("Pronto per archiviare una nuova scheda...");
        s.layout = &layout();
        s.fields = deadlineFields();
        s.commands = deadlineCommands();
        s.body = deadlineBody();
        s.chainsWrap = true;
        s.tabOrder = {"txtGiorno",      "txtMese",      "txtOreApp",       "txtMinutiApp",
                      "txtAvviso",      "txtCliente",   "txtCodFisc",      "txtRecapito",
                      "txtID",          "txtTipologia", "txtDescrizione",  "txtUffici",
                      "txtRequisiti",   "txtDocumenti", "txtPersona",      "txtDettagli",
                      "txtPagamento",   "txtCosto",     "txtSpese",        "chkDaConfermare",
                      "txtNote",        "chkEffettuata"};
        // The year and the date and time last built stay as they are on a
        // new card: the year is the archive's.
        s.blank = {blankText("txtOreApp", "00"), blankText("txtMinutiApp", "00"),
                   blankText("txtCosto", "0,00"), blankKeep("lblAnno"), blankKeep("lblData"),
                   blankKeep("lblOra")};
        s.newFocus = QStringLiteral("txtGiorno");
        s.refuseSave = refuseSave;
        s.insertedText = QStringLiteral("La scheda corrente è stata salvata in archivio.");
        s.previousOnFirstIsSilent = true;
        s.duplicateResets = {"txtGiorno", "txtMese", "txtOreApp", "txtMinutiApp"};
        s.duplicateFocus = QStringLiteral("txtGiorno");
        s.duplicateOpensArchive = true;
        s.help = HelpPage::Scadenzario;
        s.print = deadlineCardPrint();
        return s;
    }();
    return desc;
}

const CardPrint &deadlineCardPrint()
{
    static const CardPrint print{
        QStringLiteral("Scheda Scadenza"),
        QStringLiteral("SCHEDA SCADENZA / APPUNTAMENTO"),
        {
            {"Data scadenza:", {"txtGiorno", "' '", "txtMese", "' '", "lblAnno"}},
            {"Ora appuntamento:", {"txtOreApp", "':'", "txtMinutiApp"}},
            {"Giorni preavviso:", {"txtAvviso"}},
            {"Cognome e nome cliente:", {"txtCliente"}},
            {"Codice fiscale:", {"txtCodFisc"}},
            {"Recapito preferenziale:", {"txtRecapito"}},
            {"Codice ID servizio:", {"txtID"}},
            {"Tipologia:", {"txtTipologia"}},
            {"Descrizione", {"txtDescrizione"}},
            {"Uffici interessati:", {"txtUffici"}},
            {"Requisiti necessari:", {"txtRequisiti"}},
            {"Documenti richiesti:", {"txtDocumenti"}},
            {"Persona addetta:", {"txtPersona"}},
            {"Causale scadenza:", {"txtDettagli"}},
            {"Modalità di pagamento:", {"txtPagamento"}},
            {"Tariffa ordinaria:", {"txtCosto"}},
            {"Spese accessorie:", {"txtSpese"}},
            {"Note:", {"txtNote"}},
            {"Appuntamento da confermare:", {"chkDaConfermare"}},
            {"Pagamento effettuato:", {"chkEffettuata"}},
            {" ", {"' '"}},
            {" ", {"' '"}},
            {" ", {"' '"}},
            {" ", {"' '"}},
        },
        true};
    return print;
}

} // namespace pratelia::deadlines
