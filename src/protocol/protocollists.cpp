#include "protocollists.h"

#include "protocollo.h"

#include "kit/binding.h"
#include "store/values.h"

namespace pratelia::protocol {

using namespace lists;

QString openYearArchive(QWidget *card)
{
    return card ? trimText(kit::controlText(card, QStringLiteral("lblFile"))) : QString();
}

const SearchConfig &protocolSearchConfig()
{
    static const SearchConfig config = [] {
        SearchConfig c;
        c.objectName = QStringLiteral("TfrmTrovaProtocollo");
        c.caption = QStringLiteral(" Trova documenti protocollati");
        c.source.layout = &layout();
        c.source.archivePath = openYearArchive;
        // Every line begins with the number, so the list is in the order of
        // the numbers' texts (10 before 9).
        c.source.line = LineLayout(layout(), {
            text("Prot. n. "), field("Numero", 14),
            text("  Data: "), field("DataReg", 10),
            text("  Posta: "), field("Tipologia", 10),
            text("  "), field("Oggetto", 35),
            text("  Da: "), field("Mittente", 24),
            text("  A: "), field("Destinatario"),
        });
        c.source.printTitle = QStringLiteral("Protocollo documenti");
        c.criteria = {
            {"txtNumero", "N. protocollo:", "Numero"},
            {"txtTipologia", "Tipologia posta (in entrata, in uscita, interna):", "Tipologia"},
            {"txtDataReg", "Data registrazione (gg/mm/aaaa):", "DataReg"},
            {"txtOperatore", "Operatore:", "Operatore"},
            {"txtCategoria", "Categoria:", "Categoria"},
            {"txtOggetto", "Oggetto:", "Oggetto"},
            {"txtMittente", "Mittente:", "Mittente"},
            {"txtDestinatario", "Destinatario:", "Destinatario"},
            {"txtRiferimenti", "Riferimenti:", "Riferimenti"},
            {"txtNote", "Note:", "Note"},
        };
        c.modes.insert(QStringLiteral("protocollo"), HandOver{true, {}});
        return c;
    }();
    return config;
}

const ExportConfig &protocolExportConfig()
{
    static const ExportConfig config = [] {
        ExportConfig c;
        c.objectName = QStringLiteral("TfrmExpProtocollo");
        c.caption = QStringLiteral(" Esporta protocollo documenti in Microsoft Excel");
        c.layout = &layout();
        c.archivePath = openYearArchive;
        c.help = kit::HelpPage::ExpProtocollo;
        // "N.", "Data registrazione", "Ufficio", "Operatore" and "Categoria"
        // are read-only; the other cells may be edited for the file.
        c.grid = {
            {"N.", 60, true},
            {"N. protocollo", 180, false, "Numero"},
            {"Tipologia posta", 250, false, "Tipologia"},
            {"Data registrazione", 150, true, "DataReg"},
            {"Ufficio", 250, true, "Ufficio"},
            {"Operatore", 250, true, "Operatore"},
            {"Categoria", 250, true, "Categoria"},
            {"Collocazione documento cartaceo", 300, false, "Collocazione"},
            {"Oggetto", 300, false, "Oggetto"},
            {"Data spedizione", 180, false, "DataSpe"},
            {"Data ricezione", 180, false, "DataRic"},
            {"Formato", 250, false, "Formato"},
            {"N. pagine", 180, false, "Pagine"},
            {"Riferimenti", 300, false, "Riferimenti"},
            {"Note", 350, false, "Note"},
            {"Mittente", 250, false, "Mittente"},
            {"Recapito mittente", 250, false, "RecapitoMit"},
            {"Destinatario", 250, false, "Destinatario"},
            {"Recapito destinatario", 250, false, "RecapitoDes"},
        };
        c.sheet.fileName = QStringLiteral("Protocollo.xls");
        c.sheet.sheetName = QStringLiteral("Protocollo Documenti");
        c.sheet.firstGridColumn = 1;
        c.sheet.columns = {
            {"N. protocollo", 200},
            {"Tipologia posta", 250},
            {"Data registrazione", 200},
            {"Ufficio", 250},
            {"Operatore", 250},
            {"Categoria", 250},
            {"Collocazione documento cartaceo", 300},
            {"Oggetto", 300},
            {"Data spedizione", 200},
            {"Data ricezione", 200},
            {"Formato", 250},
            {"N. pagine", 200},
            {"Riferimenti", 300},
            {"Note", 300},
            {"Mittente", 250},
            {"Recapito mittente", 250},
            {"Destinatario", 250},
            {"Recapito destinatario", 250},
        };
        // The grid as designed: ten empty rows until records fill it.
        c.designRows = 10;
        return c;
    }();
    return config;
}

void showProtocolSearch(QWidget *card)
{
    SearchWindow w(protocolSearchConfig(), card);
    w.setMode(QStringLiteral("protocollo"));
    w.centre();
    w.exec();
}

void showProtocolExport(QWidget *card)
{
    ExportWindow w(protocolExportConfig(), card);
    w.centre();
    w.exec();
}

} // namespace pratelia::protocol
