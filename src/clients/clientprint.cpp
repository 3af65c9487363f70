#include "clientprint.h"

#include "report/report.h"

#include <QWidget>

namespace pratelia::clients {

namespace {

// The printed rows of the client card: caption, then how the value is made
// from the card's controls (trimmed texts joined with fixed words).
struct RowRecipe {
    const char *caption;
    QStringList parts; // control names, or fixed words in quotes
};

const QList<RowRecipe> &recipes()
{
    static const QList<RowRecipe> rows = {
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
         {"'Importo: € '", "txtTotale", "'  Decorrenza: '", "txtDecorrenza", "'  Scadenza: '", "txtScadenza"}},
        {"Note:", {"txtNote"}},
    };
    return rows;
}

QString rowValue(const QWidget *card, const RowRecipe &recipe)
{
    QString value;
    for (const QString &part : recipe.parts) {
        if (part.startsWith(QLatin1Char('\'')))
            value += part.mid(1, part.size() - 2);
        else
            value += report::controlText(card, part);
    }
    return value;
}

QString number(qsizetype k) { return QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0')); }

} // namespace

void printClientCard(QWidget *card)
{
    QList<report::CardRow> rows;
    for (qsizetype k = 1; k <= recipes().size(); ++k)
        rows.append({QStringLiteral("titCampo") + number(k), QString::fromUtf8(recipes()[k - 1].caption),
                     QStringLiteral("txtCampo") + number(k)});
    report::Report r(report::cardTemplate(QStringLiteral("Scheda informativa"),
                                          QStringLiteral("SCHEDA INFORMATIVA CLIENTE"), rows));
    r.setOrientation(QPageLayout::Portrait);
    r.setText(QStringLiteral("txtTitolo"), QStringLiteral("SCHEDA INFORMATIVA CLIENTE"));
    for (qsizetype k = 1; k <= recipes().size(); ++k) {
        const RowRecipe &recipe = recipes()[k - 1];
        r.setText(QStringLiteral("titCampo") + number(k), QString::fromUtf8(recipe.caption));
        r.setText(QStringLiteral("txtCampo") + number(k), rowValue(card, recipe));
    }
    r.setText(QStringLiteral("txtCalce"), report::printedOnText());
    r.print(card);
}

} // namespace pratelia::clients
