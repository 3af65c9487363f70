#include "clientlists.h"

#include "clientlistconfig.h"

#include "store/values.h"

#include <stdexcept>

namespace pratelia::clients {

using namespace lists;

namespace {

QString clientArchive(QWidget *)
{
    return ArchivePath(QString::fromLatin1(archives::kClienti));
}

} // namespace

const SearchConfig &clientSearchConfig()
{
    static const SearchConfig config = [] {
        const RecordLayout &l = layouts::cliente();
        SearchConfig c;
        c.objectName = QStringLiteral("TfrmTrovaClienti");
        c.caption = QStringLiteral(" Trova clienti in archivio");
        c.source.layout = &l;
        c.source.archivePath = clientArchive;
        c.source.printTitle = QStringLiteral("Riepilogo clienti in archivio");
        c.source.line = LineLayout(l, {
            fields("Cognome", "Nome", 28),
            text("  C.F. "), field("CodFisc", 16),
            text("  Ditta: "), field("Zona", 28),
            text("  Tel. "), field("Recapito", 14),
            text("  Note: "), field("Note"),
        });
        c.criteria = {
            {"txtCognome", "Cognome:", "Cognome"},
            {"txtNome", "Nome:", "Nome"},
            {"txtCodice", "Codice cliente:", "Codice"},
            {"txtCategoria", "Categoria:", "Categoria"},
            {"txtCodFisc", "Codice fiscale:", "CodFisc"},
            {"txtIva", "Partita IVA:", "Iva"},
            {"txtZona", "Denominazione Ditta:", "Zona"},
            {"txtProdotti", "Prodotti e servizi di interesse:", "Prodotti"},
            {"txtAcquisto", "Acquisto rateale effettuato:", "Acquisto"},
            {"txtNote", "Note:", "Note"},
        };
        c.modes.insert(QStringLiteral("clienti"), HandOver{true, {}});
        c.modes.insert(QStringLiteral("tariffario"),
                       HandOver{false,
                                {{"txtPersona", "Cognome", "Nome"},
                                 {"txtCodFisc", "CodFisc"},
                                 {"txtRecapito", "Recapito"},
                                 {"txtEmail", "Email"}}});
        c.modes.insert(QStringLiteral("scadenzario"),
                       HandOver{false,
                                {{"txtCliente", "Cognome", "Nome"},
                                 {"txtCodFisc", "CodFisc"},
                                 {"txtRecapito", "Recapito"}}});
        c.modes.insert(QStringLiteral("servizi"),
                       HandOver{false,
                                {{"txtCliente", "Cognome", "Nome"},
                                 {"txtCodFisc", "CodFisc"},
                                 {"txtDitta", "Zona"},
                                 {"txtIva", "Iva"}}});
        c.modes.insert(QStringLiteral("riepilogo"), HandOver{false, {{"txtCliente", "CodFisc"}}});
        return c;
    }();
    return config;
}

const ExportConfig &clientExportConfig()
{
    static const ExportConfig config = [] {
        ExportConfig c;
        c.objectName = QStringLiteral("TfrmExpClienti");
        c.caption = QStringLiteral(" Esporta archivio clienti in Microsoft Excel");
        c.layout = &layouts::cliente();
        c.archivePath = clientArchive;
        c.help = kit::HelpPage::ExpClienti;
        c.grid = {
            {"N.", 60, true},
            {"Cognome e nome cliente", 250, true, "Cognome", "Nome"},
            {"Codice fiscale", 150, true, "CodFisc"},
            {"Data di nascita", 120, true, "DataNasc"},
            {"Comune / Stato estero di nascita", 250, true, "ComuneNasc"},
            {"Partita IVA", 150, false, "Iva"},
            {"Indirizzo di residenza", 250, true, "Indirizzo"},
            {"Comune di residenza", 250, false, "ComuneRes"},
            {"Recapito preferenziale", 200, true, "Recapito"},
            {"Tel. casa", 200, false, "TelCasa"},
            {"Tel. cellulare", 200, true, "TelCel"},
            {"E-mail", 250, true, "Email"},
            {"Professione", 250, true, "Professione"},
            {"IBAN", 250, false, "Iban"},
            {"Intestatario C/C", 250, true, "Intestatario"},
            {"Modalità di pagamento", 250, true, "Pagamento"},
            {"Prodotti e servizi di interesse", 300, true, "Prodotti"},
            {"Tipo documento", 250, false, "TipoDoc"},
            {"Numero documento", 200, false, "NumDoc"},
            {"Ente di rilascio", 250, false, "EnteRil"},
            {"Data rilascio", 200, false, "DataRil"},
            {"Data scadenza", 200, true, "DataSca"},
            {"Codice Cliente", 250, false, "Codice"},
            {"Categoria", 250, true, "Categoria"},
            {"Denominazione Ditta", 250, true, "Zona"},
            {"Note", 300, false, "Note"},
        };
        c.sheet.fileName = QStringLiteral("Clienti.xls");
        c.sheet.sheetName = QStringLiteral("Riepilogo Clienti");
        c.sheet.firstGridColumn = 1;
        c.sheet.columns = {
            {"Cognome e nome cliente", 250}, {"Codice fiscale", 200},
            {"Data di nascita", 200},        {"Comune di nascita", 250},
            {"Partita IVA", 200},            {"Indirizzo di residenza", 250},
            {"Città di residenza", 250},     {"Recapito preferenziale", 250},
            {"Tel. casa", 200},              {"Tel. cellulare", 200},
            {"E-mail", 250},                 {"Professione", 250},
            {"IBAN", 300},                   {"Intestatario C/C", 250},
            {"Modalità di pagamento", 250},  {"Prodotti e servizi di interesse", 300},
            {"Tipo documento", 250},         {"Numero documento", 250},
            {"Ente di rilascio", 250},       {"Data di rilascio", 200},
            {"Data di scadenza", 200},       {"Codice Cliente", 250},
            {"Categoria", 250},              {"Denominazione Ditta", 250},
            {"Note", 300},
        };
        return c;
    }();
    return config;
}

bool instalmentDue(const RecordView &client, const QDate &today)
{
    static const int due = layouts::cliente().require(u"Scadenza");
    static const int notice = layouts::cliente().require(u"Preavviso");
    const QDate d = parseDate(client.text(due));
    bool ok = false;
    const QString days = client.text(notice);
    const int n = days.toInt(&ok);
    if (!d.isValid() || !ok || !IsAllDigits(days))
        throw std::invalid_argument("instalment block unreadable");
    return d.addDays(-n) <= today;
}

const SummaryConfig &instalmentsDueConfig()
{
    static const SummaryConfig config = [] {
        const RecordLayout &l = layouts::cliente();
        SummaryConfig c;
        c.objectName = QStringLiteral("TfrmDaRinnovare");
        c.caption = QStringLiteral(" Riepilogo rate in scadenza o scadute");
        c.source.layout = &l;
        c.source.archivePath = clientArchive;
        c.source.printTitle = QStringLiteral("Riepilogo rate in scadenza o scadute");
        c.source.line = LineLayout(l, {
            fields("Cognome", "Nome", 30),
            text("  Tel. "), field("Recapito", 12),
            text("  Scad. "), field("Scadenza", 10),
            text("  Rata: € "), field("Rata", 15),
            text("  Acquisto: "), field("Acquisto"),
        });
        c.keep = instalmentDue;
        c.pick = HandOver{true, {}};
        return c;
    }();
    return config;
}

void showClientSearch(QWidget *opener, const QString &mode)
{
    SearchWindow w(clientSearchConfig(), opener);
    w.setMode(mode);
    w.centre();
    w.exec();
}

void showClientExport(QWidget *card)
{
    ExportWindow w(clientExportConfig(), card);
    w.centre();
    w.exec();
}

void showInstalmentsDue(QWidget *card)
{
    SummaryListWindow w(instalmentsDueConfig(), card);
    w.centre();
    w.exec();
}

} // namespace pratelia::clients
