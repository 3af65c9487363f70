#include "deadlinelists.h"

#include "kit/binding.h"
#include "platform/platform.h"
#include "store/record.h"

namespace pratelia::deadlines {

using namespace lists;

namespace {

// The archive of the year open on the card; with no card (the command
// line) this year's.
QString openArchive(QWidget *card)
{
    if (!card)
        return archivePath(platform::clock().today().year());
    return trimText(kit::controlText(card, QStringLiteral("lblFile")));
}

// "Sì" and "No" as the archive stores them, in Windows-1252.
QByteArray flagBytes(bool yes)
{
    return yes ? QByteArray("S\xEC", 2) : QByteArray("No");
}

LineLayout deadlineLine()
{
    return LineLayout(layout(), {
        field("Dettagli", 35),
        text("  Data: "), field("Data", 10),
        text("  Ora: "), field("Ora", 5),
        text("  Cliente: "), field("Cliente", 30),
        text("  ID: "), field("Descrizione", 20),
        text("  € "), field("Costo"),
    });
}

ListSource deadlineSource(const char *printTitle)
{
    ListSource s;
    s.layout = &layout();
    s.archivePath = openArchive;
    s.line = deadlineLine();
    s.printTitle = QString::fromUtf8(printTitle);
    return s;
}

// A summary list of the cards whose flag reads exactly `wanted`.
SummaryConfig flagList(const char *objectName, const char *title, const char *flag,
                       bool wanted)
{
    SummaryConfig c;
    c.objectName = QLatin1String(objectName);
    c.caption = QLatin1Char(' ') + QString::fromUtf8(title);
    c.source = deadlineSource(title);
    const int index = layout().require(QString::fromLatin1(flag));
    const QByteArray text = flagBytes(wanted);
    c.keep = [index, text](const RecordView &r, const QDate &) {
        return storedBytes(r, index) == text;
    };
    c.pick = HandOver{true, {}};
    return c;
}

void showSummary(const SummaryConfig &config, QWidget *card)
{
    SummaryListWindow w(config, card);
    w.centre();
    w.exec();
}

} // namespace

const SearchConfig &deadlineSearchConfig()
{
    static const SearchConfig config = [] {
        SearchConfig c;
        c.objectName = QStringLiteral("TfrmTrovaScadenzario");
        c.caption = QStringLiteral(" Trova scadenze e appuntamenti in archivio");
        c.source = deadlineSource("Riepilogo scadenze e appuntamenti");
        c.criteria = {
            {"txtData", "Data scadenza (gg/mm/aaaa):", "Data"},
            {"txtOra", "Ora appuntamento (hh:mm):", "Ora"},
            {"txtCliente", "Cognome e nome cliente:", "Cliente"},
            {"txtCodFisc", "Codice fiscale cliente:", "CodFisc"},
            {"txtID", "Codice ID servizio:", "ID"},
            {"txtTipologia", "Tipologia:", "Tipologia"},
            {"txtDescrizione", "Descrizione:", "Descrizione"},
            {"txtPersona", "Persona addetta:", "Persona"},
            {"txtDettagli", "Causale scadenza:", "Dettagli"},
            {"txtNote", "Note:", "Note"},
        };
        c.countText = QStringLiteral("Il presente elenco contiene %1 schede.");
        // The card's own search: only its mode word brings a card back.
        c.modes.insert(QStringLiteral("Scadenzario"), HandOver{true, {}});
        return c;
    }();
    return config;
}

namespace {

// The 19 fields every deadline grid shows after its first column.
QVector<GridColumn> fieldColumns()
{
    return {
        {"Data scadenza", 150, true, "Data"},
        {"Ora appuntamento", 150, true, "Ora"},
        {"Cognome e nome Cliente", 250, true, "Cliente"},
        {"Codice fiscale", 180, true, "CodFisc"},
        {"Recapito preferenziale", 250, true, "Recapito"},
        {"Codice ID servizio", 180, true, "ID"},
        {"Tipologia", 250, true, "Tipologia"},
        {"Descrizione", 300, true, "Descrizione"},
        {"Uffici interessati", 300, true, "Uffici"},
        {"Requisiti necessari", 300, true, "Requisiti"},
        {"Documenti richiesti", 300, true, "Documenti"},
        {"Persona addetta", 250, true, "Persona"},
        {"Causale scadenza", 300, true, "Dettagli"},
        {"Modalità di pagamento", 300, false, "Pagamento"},
        {"Tariffa ordinaria", 180, false, "Costo"},
        {"Spese accessorie", 300, false, "Spese"},
        {"Appuntamento da confermare", 200, false, "DaConfermare"},
        {"Pagamento effettuato", 200, false, "Effettuata"},
        {"Note", 300, true, "Note"},
    };
}

QVector<FileColumn> fieldFileColumns()
{
    return {
        {"Data scadenza", 150},          {"Ora appuntamento", 150},
        {"Cognome e nome Cliente", 250}, {"Codice fiscale", 200},
        {"Recapito preferenziale", 250}, {"Codice ID servizio", 200},
        {"Tipologia", 250},              {"Descrizione", 300},
        {"Uffici interessati", 300},     {"Requisiti necessari", 300},
        {"Documenti richiesti", 300},    {"Persona addetta", 250},
        {"Causale scadenza", 300},       {"Modalità di pagamento", 300},
        {"Tariffa ordinaria", 200},      {"Spese accessorie", 300},
        {"Appuntamento da confermare", 250}, {"Pagamento effettuato", 250},
        {"Note", 300},
    };
}

ExportConfig viewExport(const char *objectName, const char *caption, const char *file,
                        const char *sheet)
{
    ExportConfig c;
    c.objectName = QLatin1String(objectName);
    c.caption = QString::fromUtf8(caption);
    c.layout = &layout();
    c.archivePath = openArchive; // the view's fill reads its own archives
    c.grid = QVector<GridColumn>{{"N.", 60, true}} + fieldColumns();
    c.grid.append({"Codice univoco", 150, false});
    c.sheet.fileName = QLatin1String(file);
    c.sheet.sheetName = QString::fromUtf8(sheet);
    c.sheet.columns = fieldFileColumns();
    c.sheet.columns.append({"Codice univoco", 150});
    c.sheet.firstGridColumn = 1;
    c.help = kit::HelpPage::VisteScadenze;
    return c;
}

} // namespace

const ExportConfig &deadlineExportConfig()
{
    static const ExportConfig config = [] {
        ExportConfig c;
        c.objectName = QStringLiteral("TfrmExpScadenzario");
        c.caption = QStringLiteral(" Esporta archivio scadenze e appuntamenti");
        c.layout = &layout();
        c.archivePath = openArchive;
        c.grid = QVector<GridColumn>{{"N.", 60, true}} + fieldColumns();
        c.sheet.fileName = QStringLiteral("Scadenze_e_Appuntamenti.xls");
        c.sheet.sheetName = QStringLiteral("Scadenze e appuntamenti");
        c.sheet.columns = fieldFileColumns();
        c.sheet.firstGridColumn = 1;
        c.help = kit::HelpPage::ExpScadenzario;
        return c;
    }();
    return config;
}

const SummaryConfig &paymentsToMakeConfig()
{
    static const SummaryConfig config =
        flagList("TfrmConfermati", "Riepilogo pagamenti da effettuare", "Effettuata", false);
    return config;
}

const SummaryConfig &paymentsMadeConfig()
{
    static const SummaryConfig config =
        flagList("TfrmNonConfermati", "Riepilogo pagamenti effettuati", "Effettuata", true);
    return config;
}

const SummaryConfig &appointmentsToConfirmConfig()
{
    static const SummaryConfig config =
        flagList("TfrmDaConfermare", "Riepilogo appuntamenti da confermare", "DaConfermare", true);
    return config;
}

const ExportConfig &viewConfig(View view)
{
    static const ExportConfig imminent =
        viewExport("TfrmExpImminenti", " Scadenze imminenti", "Scadenze_Imminenti.xls",
                   "Scadenze imminenti");
    static const ExportConfig day =
        viewExport("TfrmExpGiornaliere", " Scadenze del giorno", "Scadenze_Giornaliere.xls",
                   "Scadenze del giorno");
    static const ExportConfig month =
        viewExport("TfrmExpMensili", " Scadenze del mese", "Scadenze_Mensili.xls",
                   "Scadenze del mese");
    switch (view) {
    case View::Imminent: return imminent;
    case View::Day: return day;
    case View::Month: return month;
    }
    return imminent;
}

ViewResult fillView(ExportGridModel &grid, View view, const QDate &date, bool create,
                    const QString &folder)
{
    ViewResult result = viewRows(view, date, create, folder);
    grid.beginFill();
    QVector<QByteArrayView> cells;
    for (const ViewRow &row : result.rows) {
        cells.clear();
        for (const QByteArray &c : row.cells)
            cells << c;
        grid.appendRow(cells);
    }
    grid.endFill();
    return result;
}

void showDeadlineSearch(QWidget *card)
{
    SearchWindow w(deadlineSearchConfig(), card);
    w.setMode(QStringLiteral("Scadenzario"));
    w.centre();
    w.exec();
}

void showDeadlineExport(QWidget *card)
{
    ExportWindow w(deadlineExportConfig(), card);
    w.centre();
    w.exec();
}

void showPaymentsToMake(QWidget *card)
{
    showSummary(paymentsToMakeConfig(), card);
}

void showPaymentsMade(QWidget *card)
{
    showSummary(paymentsMadeConfig(), card);
}

void showAppointmentsToConfirm(QWidget *card)
{
    showSummary(appointmentsToConfirmConfig(), card);
}

void showView(QWidget *opener, View view, const QDate &date)
{
    ExportWindow w(viewConfig(view), opener,
                   [view, date](ExportGridModel &grid) { fillView(grid, view, date, true); });
    w.centre();
    w.exec();
}

} // namespace pratelia::deadlines
