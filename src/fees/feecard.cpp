#include "feecard.h"

#include "lists/handover.h"
#include "store/values.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace pratelia::fees {

QString archivePath()
{
    return ArchivePath(QString::fromLatin1(kArchiveName));
}

const RecordLayout &layout()
{
    return layouts::tariffa();
}

namespace {
QVector<FieldLink> linksByName(std::initializer_list<const char *> fields)
{
    QVector<FieldLink> links;
    for (const char *f : fields) {
        const QString field = QString::fromLatin1(f);
        links.append({QStringLiteral("txt") + field, field});
    }
    return links;
}
} // namespace

const QVector<FieldLink> &editFields()
{
    static const QVector<FieldLink> links = linksByName(
        {"ID", "Tipologia", "Descrizione", "Ordinaria", "Scontata", "Spese", "Persona", "CodFisc",
         "Recapito", "Email", "Uffici", "Requisiti", "Documenti", "Pagamento", "Tempi", "Note",
         "Copia"});
    return links;
}

const QVector<FieldLink> &attachmentLabels()
{
    static const QVector<FieldLink> links = [] {
        QVector<FieldLink> l;
        for (const char *kind : {"File", "Desc"})
            for (int i = 1; i <= 3; ++i) {
                const QString field = QString::fromLatin1(kind) + QStringLiteral("0%1").arg(i);
                l.append({QStringLiteral("lbl") + field, field});
            }
        return l;
    }();
    return links;
}

const QVector<FieldLink> &recordControls()
{
    static const QVector<FieldLink> links = [] {
        QVector<FieldLink> l = editFields();
        l.append({QString::fromLatin1(kFlagControl), QString::fromLatin1(kFlagField)});
        l += attachmentLabels();
        return l;
    }();
    return links;
}

const QVector<FieldLink> &cardControls()
{
    static const QVector<FieldLink> links = [] {
        QVector<FieldLink> l = recordControls();
        l.append({QString::fromLatin1(kPositionLabel), QString()});
        return l;
    }();
    return links;
}

int maxLength(const QString &control)
{
    for (const FieldLink &l : editFields())
        if (l.control == control)
            return layout().field(layout().require(l.field)).capacity;
    return 0;
}

QString flagText(bool ticked)
{
    return ticked ? QStringLiteral("Sì") : QStringLiteral("No");
}

std::optional<bool> tickFor(const QString &flag)
{
    const QString t = trimText(flag);
    if (t == flagText(true))
        return true;
    if (t == flagText(false))
        return false;
    return std::nullopt;
}

bool isDiscounted(const RecordView &record)
{
    return record.text(QString::fromLatin1(kFlagField)) == flagText(true);
}

CardFields blankCard()
{
    CardFields card;
    for (const FieldLink &l : recordControls())
        card.insert(l.control, QString());
    card.insert(QStringLiteral("txtOrdinaria"), QStringLiteral("0,00"));
    card.insert(QStringLiteral("txtScontata"), QStringLiteral("0,00"));
    card.insert(QString::fromLatin1(kFlagControl), flagText(false));
    card.insert(QString::fromLatin1(kPositionLabel), QString());
    return card;
}

CardFields valuesFromRecord(const RecordView &record, const QVector<FieldLink> &links)
{
    CardFields values;
    for (const FieldLink &l : links)
        values.insert(l.control, record.text(l.field));
    return values;
}

CardFields cardFromRecord(const RecordView &record, int number)
{
    CardFields card = valuesFromRecord(record, recordControls());
    card.insert(QString::fromLatin1(kPositionLabel), QString::number(number));
    return card;
}

Record recordFromCard(const CardFields &card)
{
    Record r(layout());
    for (const FieldLink &l : recordControls()) {
        if (l.control == QLatin1String(kFlagControl))
            r.setText(l.field, flagText(tickFor(card.value(l.control)).value_or(false)));
        else
            r.setText(l.field, card.value(l.control));
    }
    return r;
}

CardFields duplicated(const CardFields &card)
{
    CardFields copy = card;
    copy.insert(QStringLiteral("txtID"), QString());
    copy.insert(QStringLiteral("txtCopia"), QString());
    for (const FieldLink &l : attachmentLabels())
        copy.insert(l.control, QString());
    copy.insert(QString::fromLatin1(kPositionLabel), QString());
    return copy;
}

std::optional<MissingField> firstMissingField(const CardFields &card)
{
    static const char *const prefix = "Attenzione: per salvare la scheda è necessario indicare ";
    static const struct {
        const char *control;
        const char *what;
    } mandatory[] = {
        {"txtID", "il codice identificativo del servizio."},
        {"txtTipologia", "la tipologia di servizio."},
        {"txtDescrizione", "la descrizione del servizio."},
        {"txtOrdinaria", "la tariffa ordinaria."},
        {"txtScontata", "la tariffa scontata."},
    };
    for (const auto &m : mandatory) {
        const QString control = QString::fromLatin1(m.control);
        if (trimText(card.value(control)).isEmpty())
            return MissingField{control, QString::fromUtf8(prefix) + QString::fromUtf8(m.what)};
    }
    return std::nullopt;
}

int browseTarget(Browse command, int count, int current)
{
    // The empty archive is reported before anything else, also for
    // Previous on card 1.
    const BrowseOutcome out = browseOutcome(command, current, count, false);
    return out.emptyArchive ? -1 : out.load;
}

int positionNumber(const QString &label)
{
    bool ok = false;
    const int n = trimText(label).toInt(&ok);
    return ok && n > 0 ? n : 0;
}

CardFields readControls(const QWidget *window, const QVector<FieldLink> &links)
{
    CardFields values;
    for (const FieldLink &l : links) {
        QObject *o = window->findChild<QObject *>(l.control);
        if (auto *e = qobject_cast<QLineEdit *>(o))
            values.insert(l.control, e->text());
        else if (auto *c = qobject_cast<QCheckBox *>(o))
            values.insert(l.control, flagText(c->isChecked()));
        else if (auto *lb = qobject_cast<QLabel *>(o))
            values.insert(l.control, lb->text());
    }
    return values;
}

void writeControls(QWidget *window, const QVector<FieldLink> &links, const CardFields &values)
{
    for (const FieldLink &l : links) {
        const auto it = values.constFind(l.control);
        if (it != values.cend())
            lists::writeControl(window, l.control, trimText(it.value()));
    }
}

} // namespace pratelia::fees
