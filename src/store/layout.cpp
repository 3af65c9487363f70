#include "layout.h"

#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

namespace pratelia {

RecordLayout::RecordLayout(const char *typeName, std::initializer_list<FieldSpec> fields)
    : m_typeName(QString::fromLatin1(typeName))
{
    m_fields.reserve(fields.size());
    int offset = 0;
    for (const FieldSpec &f : fields) {
        m_fields.push_back(Field{QString::fromLatin1(f.name), f.capacity, offset, f.kind});
        offset += f.capacity + 1;
    }
    m_recordSize = offset;
}

int RecordLayout::indexOf(QStringView name) const
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name == name)
            return int(i);
    return -1;
}

int RecordLayout::require(QStringView name) const
{
    const int i = indexOf(name);
    if (i < 0) {
        std::fprintf(stderr, "%s has no field %s\n", qPrintable(m_typeName),
                     qPrintable(name.toString()));
        std::abort();
    }
    return i;
}

QStringList RecordLayout::fieldNames() const
{
    QStringList names;
    for (const Field &f : m_fields)
        names << f.name;
    return names;
}

namespace layouts {

using K = FieldKind;

const RecordLayout &cliente()
{
    static const RecordLayout l("TRecCliente", {
        {"Cognome", 50}, {"Nome", 50}, {"CodFisc", 16}, {"Sesso", 1},
        {"DataNasc", 10}, {"ComuneNasc", 50}, {"ProvNasc", 2}, {"Iva", 11},
        {"Indirizzo", 50}, {"Cap", 5}, {"ComuneRes", 50}, {"ProvRes", 2},
        {"Stato", 50}, {"Familiari", 250}, {"Recapito", 50}, {"TelCasa", 50},
        {"TelCel", 50}, {"TelUff", 50}, {"Fax", 50}, {"Email", 50},
        {"Qualifiche", 250}, {"Professione", 50}, {"Iban", 27}, {"Intestatario", 50},
        {"Banca", 50}, {"Carta", 50}, {"ScadeCarta", 10}, {"Prodotti", 250},
        {"Pagamento", 120}, {"Note", 250}, {"TipoDoc", 50}, {"NumDoc", 50},
        {"EnteRil", 50}, {"DataRil", 10}, {"DataSca", 10}, {"Codice", 30},
        {"Categoria", 50}, {"Zona", 50}, {"Acquisto", 50},
        {"Decorrenza", 10, K::Date}, {"Scadenza", 10, K::Date}, {"Preavviso", 3},
        {"Totale", 15, K::Money}, {"Frazionamento", 50}, {"Rata", 50, K::Money},
        {"File01", 250}, {"File02", 250}, {"File03", 250},
        {"Desc01", 250}, {"Desc02", 250}, {"Desc03", 250},
    });
    return l;
}

const RecordLayout &tariffa()
{
    static const RecordLayout l("TRecTariffa", {
        {"ID", 20}, {"Tipologia", 50}, {"Descrizione", 250},
        {"Ordinaria", 15, K::Money}, {"Scontata", 15, K::Money}, {"Spese", 250},
        {"Persona", 50}, {"CodFisc", 16}, {"Recapito", 50}, {"Email", 50},
        {"Uffici", 250}, {"Requisiti", 250}, {"Documenti", 250}, {"Pagamento", 250},
        {"Tempi", 250}, {"Note", 250}, {"Copia", 250}, {"TarScontata", 2, K::Flag},
        {"File01", 250}, {"File02", 250}, {"File03", 250},
        {"Desc01", 250}, {"Desc02", 250}, {"Desc03", 250},
    });
    return l;
}

const RecordLayout &servizio()
{
    static const RecordLayout l("TRecServizio", {
        {"ID", 20}, {"Tipologia", 50}, {"Descrizione", 250}, {"Tariffa", 15, K::Money},
        {"DataRic", 10, K::Date}, {"DataEsp", 10, K::OptionalDate}, {"Pagamento", 250},
        {"Cliente", 50}, {"CodFisc", 16}, {"Ditta", 50}, {"Iva", 11},
        {"Stato", 250}, {"Uffici", 250}, {"Documenti", 250}, {"Questioni", 250},
        {"Note", 250}, {"Copia", 250}, {"Pagato", 2, K::Flag},
        {"File01", 250}, {"File02", 250}, {"File03", 250},
        {"Desc01", 250}, {"Desc02", 250}, {"Desc03", 250},
    });
    return l;
}

const RecordLayout &scadenza()
{
    static const RecordLayout l("TRecScadenza", {
        {"Giorno", 2}, {"Mese", 10}, {"Anno", 4}, {"Data", 10, K::Date},
        {"OreApp", 2}, {"MinutiApp", 2}, {"Ora", 5}, {"Avviso", 3},
        {"Cliente", 50}, {"CodFisc", 16}, {"Recapito", 50}, {"ID", 20},
        {"Tipologia", 50}, {"Descrizione", 250}, {"Uffici", 250}, {"Requisiti", 250},
        {"Documenti", 250}, {"Persona", 50}, {"Dettagli", 250}, {"Pagamento", 250},
        {"Costo", 15, K::Money}, {"Spese", 250}, {"Note", 250},
        {"DaConfermare", 2, K::Flag}, {"Effettuata", 2, K::Flag},
    });
    return l;
}

const RecordLayout &protocollo()
{
    static const RecordLayout l("TRecProtocollo", {
        {"Numero", 16}, {"Tipologia", 20}, {"DataReg", 10, K::Date}, {"Ufficio", 50},
        {"Operatore", 50}, {"Categoria", 50}, {"Collocazione", 120}, {"Oggetto", 250},
        {"DataSpe", 10}, {"DataRic", 10}, {"Formato", 50}, {"Pagine", 12},
        {"Riferimenti", 250}, {"Note", 250}, {"Mittente", 120}, {"RecapitoMit", 120},
        {"Destinatario", 120}, {"RecapitoDes", 120}, {"Copia", 250},
        {"File01", 250}, {"File02", 250}, {"File03", 250},
        {"Desc01", 250}, {"Desc02", 250}, {"Desc03", 250},
    });
    return l;
}

const RecordLayout *forFileName(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    if (name.compare(QLatin1String(archives::kClienti), Qt::CaseInsensitive) == 0)
        return &cliente();
    if (name.compare(QLatin1String(archives::kTariffario), Qt::CaseInsensitive) == 0)
        return &tariffa();
    if (name.endsWith(QLatin1String(archives::kServiziExt), Qt::CaseInsensitive))
        return &servizio();
    if (name.endsWith(QLatin1String(archives::kScadenzeExt), Qt::CaseInsensitive))
        return &scadenza();
    if (name.endsWith(QLatin1String(archives::kProtocolloExt), Qt::CaseInsensitive))
        return &protocollo();
    return nullptr;
}

} // namespace layouts
} // namespace pratelia
