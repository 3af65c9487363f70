#include "clientcard.h"

#include "store/record.h"
#include "store/values.h"

namespace pratelia::clients {

int editLimit(const Field &field)
{
    // The instalment amount keeps 50 characters in the record, but an amount
    // longer than the total's is of no use on the card.
    if (field.name == QLatin1String("Rata"))
        return 15;
    return field.capacity;
}

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

std::optional<SaveRefusal> refuseSave(const SaveInput &card)
{
    const QString cognome = trimText(card.cognome);
    const QString nome = trimText(card.nome);
    const QString decorrenza = trimText(card.decorrenza);
    const QString scadenza = trimText(card.scadenza);
    const QString preavviso = trimText(card.preavviso);
    const QString needed = QStringLiteral("Attenzione: per salvare la scheda è necessario indicare ");
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

BrowseOutcome browse(Browse command, int current, int size)
{
    return browseOutcome(command, current, size, true);
}

} // namespace pratelia::clients
