#include "card.h"

#include "attachments.h"
#include "boxes.h"
#include "conventions.h"
#include "datepicker.h"

#include "platform/texts.h"
#include "store/recordfile.h"
#include "store/values.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QUrl>
#include <QVBoxLayout>

namespace pratelia::kit {

// --- The tables' building blocks -------------------------------------------

CardField editField(const QString &field, const QString &caption, unsigned input)
{
    CardField f;
    f.control = QStringLiteral("txt") + field;
    f.field = field;
    f.caption = caption;
    f.rules.input = input;
    return f;
}

CardField listField(const QString &field, const QString &caption, const QStringList &items,
                    bool freeTyping)
{
    CardField f = editField(field, caption);
    f.kind = freeTyping ? FieldKind::ListBox : FieldKind::ChoiceBox;
    f.items = items;
    return f;
}

CardField checkField(const QString &field, const QString &text, const QString &hint)
{
    CardField f;
    f.control = QStringLiteral("chk") + field;
    f.field = field;
    f.caption = text;
    f.kind = FieldKind::Check;
    f.hint = hint;
    return f;
}

CardField dateField(const QString &field, const QString &caption, const QString &pickerMode,
                    const QString &hint)
{
    CardField f = editField(field, caption);
    f.kind = FieldKind::Date;
    f.look = Centred;
    f.pickerMode = pickerMode;
    f.hint = hint;
    return f;
}

CardField radioField(const QString &field, const QString &control, const QStringList &buttons)
{
    CardField f;
    f.control = control;
    f.field = field;
    f.kind = FieldKind::Radio;
    f.items = buttons;
    return f;
}

CardField hiddenField(const QString &field)
{
    CardField f;
    f.control = QStringLiteral("lbl") + field;
    f.field = field;
    f.kind = FieldKind::Label;
    return f;
}

QVector<CardField> attachmentFields()
{
    QVector<CardField> fields;
    for (const char *kind : {"File", "Desc"})
        for (int i = 1; i <= 3; ++i)
            fields.append(hiddenField(QString::fromLatin1(kind) + QStringLiteral("0%1").arg(i)));
    return fields;
}

CardCommand barCommand(const QString &name, const QString &shortName, const QString &picture,
                       const QString &status, std::function<void(CardWindow &)> action,
                       bool newGroup)
{
    return CardCommand{name, shortName, picture, status, std::move(action), CommandPlace::Bar,
                       newGroup};
}

CardCommand besideCommand(const QString &name, const QString &shortName, const QString &picture,
                          const QString &status, std::function<void(CardWindow &)> action)
{
    return CardCommand{name, shortName, picture, status, std::move(action), CommandPlace::Beside,
                       false};
}

CardCommand buttonCommand(const QString &name, const QString &text, const QString &status,
                          std::function<void(CardWindow &)> action)
{
    return CardCommand{name, text, QString(), status, std::move(action), CommandPlace::Button,
                       false};
}

CardCommand sharedCommand(const QString &name, std::function<void(CardWindow &)> action,
                          bool newGroup)
{
    struct Shared {
        const char *name;
        const char *shortName;
        const char *picture;
        const char *status;
        CommandPlace place;
    };
    static const Shared table[] = {
        {"cmdNuovo", "Nuovo", "nuovo", "Prepara la schermata per l'inserimento di una nuova scheda.",
         CommandPlace::Bar},
        {"cmdDuplica", "Duplica", "duplica",
         "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti.",
         CommandPlace::Bar},
        {"cmdSalva", "Salva", "salva", "Salva la scheda corrente in archivio.", CommandPlace::Bar},
        {"cmdTrova", "Trova", "trova", "Trova una scheda in archivio.", CommandPlace::Bar},
        {"cmdPrimo", "Primo", "primo", "Visualizza la prima scheda in archivio.", CommandPlace::Bar},
        {"cmdIndietro", "Indietro", "indietro", "Visualizza la scheda precedente in archivio.",
         CommandPlace::Bar},
        {"cmdAvanti", "Avanti", "avanti", "Visualizza la scheda successiva in archivio.",
         CommandPlace::Bar},
        {"cmdUltimo", "Ultimo", "ultimo", "Visualizza l'ultima scheda in archivio.",
         CommandPlace::Bar},
        {"cmdEsporta", "Esporta", "esporta",
         "Esporta le schede in archivio in un file di Microsoft Excel.", CommandPlace::Bar},
        {"cmdStampa", "Stampa", "stampa", "Stampa la scheda corrente.", CommandPlace::Bar},
        {"cmdFile", "Allegati", "file", "Allega file alla scheda corrente.", CommandPlace::Bar},
        {"cmdGuida", "Guida", "guida", "Visualizza la guida in linea.", CommandPlace::Bar},
        {"cmdEsci", "Esci", "esci", "Esci da questa schermata di lavoro.", CommandPlace::Bar},
        {"btnCodFisc", "Controlla codice fiscale", "controlla", "Controlla il codice fiscale.",
         CommandPlace::Beside},
        {"btnIva", "Controlla partita IVA", "controlla", "Controlla il numero di partita IVA.",
         CommandPlace::Beside},
        {"btnEmail", "Invia e-mail", "email", "Invia una e-mail all'indirizzo indicato.",
         CommandPlace::Beside},
    };
    for (const Shared &c : table)
        if (name == QLatin1String(c.name))
            return CardCommand{name, QString::fromUtf8(c.shortName), QString::fromLatin1(c.picture),
                               QString::fromUtf8(c.status), std::move(action), c.place, newGroup};
    qFatal("no shared command %s", qPrintable(name));
    return {};
}

QVector<CardCommand> browseCommands()
{
    return {sharedCommand(QStringLiteral("cmdPrimo"), {}, true),
            sharedCommand(QStringLiteral("cmdIndietro")), sharedCommand(QStringLiteral("cmdAvanti")),
            sharedCommand(QStringLiteral("cmdUltimo"))};
}

QString neededToSave(const QString &what)
{
    return QStringLiteral("Attenzione: per salvare la scheda è necessario indicare ") + what;
}

BlankValue blankText(const QString &control, const QString &text)
{
    return BlankValue{control, text, BlankValue::Text};
}

BlankValue blankToday(const QString &control)
{
    return BlankValue{control, QString(), BlankValue::Today};
}

BlankValue blankKeep(const QString &control)
{
    return BlankValue{control, QString(), BlankValue::Keep};
}

std::optional<SaveRefusal> firstMissing(const QVector<Mandatory> &mandatory,
                                        const CardValues &values)
{
    for (const Mandatory &m : mandatory)
        if (trimText(values.value(m.control)).isEmpty())
            return SaveRefusal{MessageKind::Warning, m.message,
                               m.focus.isEmpty() ? m.control : m.focus};
    return std::nullopt;
}

Record recordFromValues(const CardSpec &desc, const CardValues &values)
{
    Record r(*desc.layout);
    for (const CardField &f : desc.fields) {
        if (f.field.isEmpty())
            continue;
        const QString value = values.value(f.control);
        if (f.kind == FieldKind::Check)
            r.setText(f.field, flagText(trimText(value) == flagText(true)));
        else
            r.setText(f.field, value);
    }
    return r;
}

CardValues valuesFromRecord(const CardSpec &desc, const RecordView &record, int number)
{
    CardValues values;
    for (const CardField &f : desc.fields) {
        if (f.field.isEmpty())
            continue;
        QString text = record.text(f.field);
        // A yes/no mark that reads neither "Sì" nor "No" (a damaged or
        // hand-made record) shows as a new card's box: unticked, never as
        // whatever the card showed before, which a save would then store.
        if (f.kind == FieldKind::Check && text != flagText(true))
            text = flagText(false);
        values.insert(f.control, text);
    }
    values.insert(QStringLiteral("lblPosizione"), QString::number(number));
    return values;
}

CardValues blankValues(const CardSpec &desc, const QDate &today)
{
    CardValues values;
    for (const CardField &f : desc.fields)
        values.insert(f.control, f.kind == FieldKind::Check ? flagText(false) : QString());
    for (const BlankValue &b : desc.blank) {
        if (b.kind == BlankValue::Keep)
            values.remove(b.control);
        else
            values.insert(b.control, b.kind == BlankValue::Today ? formatDate(today) : b.text);
    }
    values.insert(QStringLiteral("lblPosizione"), QString());
    return values;
}

CardValues duplicatedValues(const CardSpec &desc, const CardValues &values, const QDate &today)
{
    CardValues copy = values;
    const CardValues blank = blankValues(desc, today);
    for (const QString &control : desc.duplicateResets)
        copy.insert(control, blank.value(control));
    copy.insert(QStringLiteral("lblPosizione"), QString());
    return copy;
}

// --- The controls -----------------------------------------------------------

namespace {

// The keys of a date field: Backspace or Delete empty it, Tab and
// Shift+Tab move on, a modifier key alone does nothing, and every other key
// opens the date picker.
class DateKeys : public QObject {
public:
    DateKeys(QLineEdit *field, CardWindow *card) : QObject(field), m_field(field), m_card(card)
    {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *ke = static_cast<QKeyEvent *>(event);
        switch (ke->key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            m_field->clear();
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return false;
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
        case Qt::Key_Hyper_L:
        case Qt::Key_Hyper_R:
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock:
        case Qt::Key_ScrollLock:
        case Qt::Key_unknown:
            return true;
        default:
            m_card->pickDate(m_field->objectName());
            return true;
        }
    }

private:
    QLineEdit *m_field;
    CardWindow *m_card;
};

// The keys of a read-only field that Backspace or Delete empty.
class ClearKeys : public QObject {
public:
    explicit ClearKeys(QLineEdit *field) : QObject(field), m_field(field)
    {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
                m_field->clear();
                return true;
            }
        }
        return false;
    }

private:
    QLineEdit *m_field;
};

QString positionLabel()
{
    return QStringLiteral("lblPosizione");
}

} // namespace

// --- The window -------------------------------------------------------------

CardWindow::CardWindow(CardSpec desc, QWidget *parent)
    : FullScreenWindow(desc.objectName, desc.caption, parent), m_spec(std::move(desc))
{
    build();
    connectCommands();
    newCard();
}

CardWindow::~CardWindow() = default;

const CardField *CardWindow::fieldFor(const QString &control) const
{
    for (const CardField &f : m_spec.fields)
        if (f.control == control)
            return &f;
    return nullptr;
}

void CardWindow::build()
{
    QWidget *p = panel();
    QFont font = p->font();
    font.setPointSizeF(9);
    p->setFont(font);
    auto *panelLayout = new QVBoxLayout(p);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    m_cardPanel = new QWidget(p);
    m_cardPanel->setObjectName(QStringLiteral("panContainer"));
    panelLayout->addWidget(m_cardPanel);

    m_status = new QLabel(m_cardPanel);
    m_status->setObjectName(QStringLiteral("panInfo"));
    m_status->setFrameShape(QFrame::StyledPanel);
    m_status->setFrameShadow(QFrame::Sunken);
    m_status->setMinimumWidth(560);
    m_status->setFixedHeight(22);
    m_conventions = new InputConventions(this, m_status, m_spec.restText);

    auto *outer = new QVBoxLayout(m_cardPanel);
    outer->setContentsMargins(8, 4, 8, 4);
    outer->setSpacing(6);
    outer->addWidget(buildBar());
    outer->addWidget(buildBody(), 1);
    auto *statusRow = new QHBoxLayout;
    statusRow->addWidget(m_status);
    statusRow->addStretch(1);
    outer->addLayout(statusRow);

    // The controls the body does not show: hidden labels of the record
    // (attached files, derived values) and the path of a yearly archive.
    for (const CardField &f : m_spec.fields) {
        if (m_controls.contains(f.control))
            continue;
        Q_ASSERT_X(f.kind == FieldKind::Label, "CardWindow", qPrintable(f.control));
        auto *l = new QLabel(m_cardPanel);
        l->setObjectName(f.control);
        l->hide();
        m_controls.insert(f.control, l);
    }
    if (m_spec.archiveName.isEmpty() && !m_controls.contains(QStringLiteral("lblFile"))) {
        auto *l = new QLabel(m_cardPanel);
        l->setObjectName(QStringLiteral("lblFile"));
        l->hide();
        m_controls.insert(l->objectName(), l);
    }

    m_conventions->addFocusFrames();
    QVector<QStringList> chains = m_spec.enterChains;
    if (chains.isEmpty()) {
        QStringList chain;
        for (const CardField &f : m_spec.fields)
            if (f.kind == FieldKind::Edit || f.kind == FieldKind::ListBox
                || f.kind == FieldKind::ChoiceBox || f.kind == FieldKind::Date)
                chain << f.control;
        chains << chain;
    }
    for (const QStringList &chain : chains) {
        QVector<QWidget *> widgets;
        for (const QString &name : chain)
            if (QWidget *w = m_controls.value(name))
                widgets << w;
        m_conventions->addEnterChain(widgets, m_spec.chainsWrap);
    }
    m_conventions->addCommandHints();
    for (const CardField &f : m_spec.fields)
        if (!f.hint.isEmpty())
            if (QWidget *w = m_controls.value(f.control))
                m_conventions->addHint(w, f.hint);
    for (const CardCommand &c : m_spec.commands)
        if (c.place == CommandPlace::Button)
            if (QWidget *w = m_controls.value(c.name))
                m_conventions->addHint(w, c.status);
    m_conventions->addClearOnHover(this); // the margin around the panel
    m_conventions->addClearOnHover(p);
    m_conventions->addClearOnHover(m_cardPanel);
    for (const char *name : {"panComandi", "panSchede"})
        if (QWidget *w = m_cardPanel->findChild<QWidget *>(QLatin1String(name)))
            m_conventions->addClearOnHover(w);
    for (QGroupBox *g : m_cardPanel->findChildren<QGroupBox *>())
        m_conventions->addClearOnHover(g);

    if (!m_spec.tabOrder.isEmpty()) {
        QWidget *previous = nullptr;
        for (const QString &name : m_spec.tabOrder) {
            QWidget *w = m_controls.value(name);
            if (!w)
                w = m_cardPanel->findChild<QWidget *>(name);
            if (!w)
                continue;
            if (previous)
                setTabOrder(previous, w);
            previous = w;
        }
    }

    // Last, so that a date field sees its keys before the Enter chain does.
    for (const CardField &f : m_spec.fields)
        if (f.kind == FieldKind::Date)
            if (auto *e = qobject_cast<QLineEdit *>(m_controls.value(f.control)))
                new DateKeys(e, this);
}

QWidget *CardWindow::buildBar()
{
    auto *bar = new QFrame(m_cardPanel);
    bar->setObjectName(QStringLiteral("panComandi"));
    bar->setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(0);
    bool grouped = false;
    for (const CardCommand &c : m_spec.commands) {
        if (c.place != CommandPlace::Bar)
            continue;
        if (c.newGroup) {
            grouped = true;
            row->addStretch(1);
            auto *sep = new QFrame(bar);
            sep->setFrameShape(QFrame::VLine);
            sep->setFrameShadow(QFrame::Sunken);
            row->addWidget(sep);
            row->addStretch(1);
        }
        row->addWidget(makeCommand(c, bar));
        if (c.name == QLatin1String("cmdIndietro")) {
            // The record shown, between the arrows.
            m_position = new QLabel(bar);
            m_position->setObjectName(positionLabel());
            m_position->setAlignment(Qt::AlignCenter);
            m_position->setFrameShape(QFrame::StyledPanel);
            m_position->setFrameShadow(QFrame::Sunken);
            m_position->setFixedSize(64, 28);
            m_position->setAccessibleName(QStringLiteral("Numero della scheda"));
            QFont bold = m_position->font();
            bold.setBold(true);
            bold.setPointSizeF(11);
            m_position->setFont(bold);
            m_position->setStyleSheet(QStringLiteral("background: white;"));
            row->addWidget(m_position);
            m_controls.insert(positionLabel(), m_position);
        }
    }
    if (!grouped)
        row->addStretch(1);
    if (!m_position) {
        m_position = new QLabel(bar);
        m_position->setObjectName(positionLabel());
        m_position->hide();
        m_controls.insert(positionLabel(), m_position);
    }
    return bar;
}

QWidget *CardWindow::buildBody()
{
    auto *area = new QWidget(m_cardPanel);
    area->setObjectName(QStringLiteral("panSchede"));
    auto *bands = new QVBoxLayout(area);
    bands->setContentsMargins(0, 0, 0, 0);
    bands->setSpacing(8);
    int groupNumber = 0;
    for (const CardBand &band : m_spec.body) {
        auto *columns = new QHBoxLayout;
        columns->setSpacing(10);
        for (const CardColumn &column : band) {
            auto *stack = new QVBoxLayout;
            stack->setSpacing(6);
            const bool alone = column.groups.size() == 1;
            for (const CardGroup &g : column.groups) {
                auto *box = new QGroupBox(g.title, area);
                box->setObjectName(g.name.isEmpty() ? QStringLiteral("fraGruppo%1").arg(++groupNumber)
                                                    : g.name);
                auto *grid = new QGridLayout(box);
                grid->setContentsMargins(10, 8, 10, 8);
                grid->setHorizontalSpacing(8);
                grid->setVerticalSpacing(7);
                for (int r = 0; r < g.rows.size(); ++r) {
                    auto *line = new QHBoxLayout;
                    line->setSpacing(8);
                    bool stretches = false;
                    for (int i = 0; i < g.rows[r].size(); ++i) {
                        const CardCell &cell = g.rows[r][i];
                        QString caption;
                        QWidget *w = cell.control.isEmpty() ? new QLabel(cell.text, box)
                                                            : makeControl(cell.control, box, &caption);
                        if (!caption.isEmpty()) {
                            QLabel *c = captionFor(w, caption, box);
                            if (i == 0)
                                grid->addWidget(c, r, 0);
                            else
                                line->addWidget(c);
                        }
                        if (cell.width > 0) {
                            w->setFixedWidth(cell.width);
                            line->addWidget(w);
                        } else if (qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w)) {
                            line->addWidget(w, 1);
                            stretches = true;
                        } else {
                            line->addWidget(w);
                        }
                    }
                    if (!stretches)
                        line->addStretch(1);
                    grid->addLayout(line, r, 1);
                }
                if (g.captionWidth > 0)
                    grid->setColumnMinimumWidth(0, g.captionWidth);
                grid->setColumnStretch(1, 1);
                if (alone)
                    grid->setRowStretch(int(g.rows.size()), 1);
                stack->addWidget(box, alone ? 1 : 0);
            }
            if (!alone)
                stack->addStretch(1);
            columns->addLayout(stack, column.stretch);
        }
        bands->addLayout(columns);
    }
    bands->addStretch(1);
    return area;
}

QWidget *CardWindow::makeControl(const QString &name, QWidget *parent, QString *caption)
{
    if (const CardField *f = fieldFor(name)) {
        if (f->kind != FieldKind::Check && f->kind != FieldKind::Radio)
            *caption = f->caption;
        return makeField(*f, parent);
    }
    for (const CardCommand &c : m_spec.commands)
        if (c.name == name && c.place != CommandPlace::Bar)
            return makeCommand(c, parent);
    qFatal("card %s: no control %s", qPrintable(m_spec.objectName), qPrintable(name));
    return nullptr;
}

QWidget *CardWindow::makeField(const CardField &f, QWidget *parent)
{
    const int capacity = f.field.isEmpty() || !m_spec.layout
                             ? 32767
                             : m_spec.layout->field(m_spec.layout->require(f.field)).capacity;
    FieldRules rules = f.rules;
    if (rules.typingLimit >= capacity)
        rules.typingLimit = 0;
    QWidget *w = nullptr;
    switch (f.kind) {
    case FieldKind::Edit:
    case FieldKind::Date: {
        auto *e = new QLineEdit(parent);
        e->setMaxLength(capacity);
        if (rules.input != Plain || rules.typingLimit > 0)
            installFieldRules(e, rules);
        if (f.kind == FieldKind::Date || (f.look & (ReadOnly | Clearable)))
            e->setReadOnly(true);
        if (f.look & Clearable)
            new ClearKeys(e);
        if (f.look & Centred)
            e->setAlignment(Qt::AlignCenter);
        if (f.look & Bold) {
            QFont b = e->font();
            b.setBold(true);
            e->setFont(b);
        }
        e->setFixedHeight(22);
        w = e;
        break;
    }
    case FieldKind::ListBox:
    case FieldKind::ChoiceBox: {
        ListBox *box = f.kind == FieldKind::ListBox ? new ListBox(f.items, parent)
                                                    : new ChoiceBox(f.items, parent);
        box->lineEdit()->setMaxLength(capacity);
        if (rules.input != Plain || rules.typingLimit > 0)
            installFieldRules(box->lineEdit(), rules);
        box->setFixedHeight(22);
        w = box;
        break;
    }
    case FieldKind::Check: {
        auto *c = new QCheckBox(f.caption, parent);
        c->setCursor(Qt::PointingHandCursor);
        w = c;
        break;
    }
    case FieldKind::Radio: {
        QVector<QPair<QString, QString>> buttons;
        for (const QString &b : f.items)
            buttons.append({b.section(u'=', 0, 0), b.section(u'=', 1)});
        w = new RadioChoice(f.control, buttons, parent);
        break;
    }
    case FieldKind::Label: {
        auto *l = new QLabel(parent);
        if (!(f.look & Shown))
            l->hide();
        w = l;
        break;
    }
    }
    w->setObjectName(f.control);
    m_controls.insert(f.control, w);
    return w;
}

QWidget *CardWindow::makeCommand(const CardCommand &c, QWidget *parent)
{
    QWidget *w = nullptr;
    switch (c.place) {
    case CommandPlace::Bar: {
        auto *b = new CommandButton(c.name, c.shortName, c.picture, c.status, parent);
        b->setMinimumWidth(62);
        w = b;
        break;
    }
    case CommandPlace::Beside: {
        auto *b = new CommandButton(c.name, c.shortName, c.picture, c.status, parent);
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setIconSize(QSize(20, 20));
        b->setFixedSize(28, 26);
        b->setToolTip(c.shortName);
        w = b;
        break;
    }
    case CommandPlace::Button: {
        auto *b = new QPushButton(c.shortName, parent);
        b->setObjectName(c.name);
        b->setCursor(Qt::PointingHandCursor);
        b->setAutoDefault(false);
        b->setFixedWidth(90);
        w = b;
        break;
    }
    }
    m_controls.insert(c.name, w);
    return w;
}

void CardWindow::connectCommands()
{
    for (const CardCommand &c : m_spec.commands) {
        auto *b = qobject_cast<QAbstractButton *>(m_controls.value(c.name));
        Q_ASSERT_X(b, "CardWindow", qPrintable(c.name));
        if (b)
            connect(b, &QAbstractButton::clicked, this, [this, name = c.name] { run(name); });
    }
    if (!m_spec.documentField.isEmpty()) {
        auto *document = qobject_cast<QLineEdit *>(m_controls.value(m_spec.documentField));
        QWidget *open = m_controls.value(QStringLiteral("btnApri"));
        if (document && open) {
            connect(document, &QLineEdit::textChanged, open,
                    [open](const QString &t) { open->setEnabled(!trimText(t).isEmpty()); });
            open->setEnabled(false);
        }
    }
}

void CardWindow::run(const QString &command)
{
    for (const CardCommand &c : m_spec.commands) {
        if (c.name != command)
            continue;
        if (c.action) {
            c.action(*this);
            return;
        }
        break;
    }
    static const QHash<QString, std::function<void(CardWindow &)>> shared = {
        {QStringLiteral("cmdNuovo"), [](CardWindow &w) { w.newCard(); }},
        {QStringLiteral("cmdSalva"), [](CardWindow &w) { w.save(); }},
        {QStringLiteral("cmdDuplica"), [](CardWindow &w) { w.duplicate(); }},
        {QStringLiteral("cmdPrimo"), [](CardWindow &w) { w.browse(Browse::First); }},
        {QStringLiteral("cmdIndietro"), [](CardWindow &w) { w.browse(Browse::Previous); }},
        {QStringLiteral("cmdAvanti"), [](CardWindow &w) { w.browse(Browse::Next); }},
        {QStringLiteral("cmdUltimo"), [](CardWindow &w) { w.browse(Browse::Last); }},
        {QStringLiteral("cmdFile"), [](CardWindow &w) { w.attachFiles(); }},
        {QStringLiteral("cmdGuida"), [](CardWindow &w) { w.showHelpPage(); }},
        {QStringLiteral("cmdStampa"), [](CardWindow &w) { w.printShown(); }},
        {QStringLiteral("cmdEsci"), [](CardWindow &w) { w.close(); }},
        {QStringLiteral("btnEmail"), [](CardWindow &w) { w.sendMail(); }},
        {QStringLiteral("btnSfoglia"), [](CardWindow &w) { w.chooseDocument(); }},
        {QStringLiteral("btnApri"), [](CardWindow &w) { w.openDocument(); }},
        {QStringLiteral("imgCancella01"), [](CardWindow &w) { w.clearDocument(); }},
    };
    const auto it = shared.constFind(command);
    Q_ASSERT_X(it != shared.cend(), "CardWindow::run", qPrintable(command));
    if (it != shared.cend())
        it.value()(*this);
}

// --- The card's contents ----------------------------------------------------

CardValues CardWindow::values() const
{
    CardValues v;
    for (const CardField &f : m_spec.fields)
        v.insert(f.control, controlText(m_cardPanel, f.control));
    v.insert(positionLabel(), m_position->text());
    return v;
}

void CardWindow::setValues(const CardValues &values)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        setText(it.key(), it.value());
    recordHandedOver();
}

QString CardWindow::text(const QString &control) const
{
    return trimText(controlText(this, control));
}

void CardWindow::setText(const QString &control, const QString &text)
{
    setControlText(this, control, trimText(text));
}

int CardWindow::position() const
{
    bool ok = false;
    const int n = trimText(m_position->text()).toInt(&ok);
    return ok && n > 0 ? n : 0;
}

void CardWindow::setPosition(int number)
{
    m_position->setText(number > 0 ? QString::number(number) : QString());
}

QString CardWindow::archivePath() const
{
    if (!m_spec.archiveName.isEmpty())
        return ArchivePath(m_spec.archiveName);
    return text(QStringLiteral("lblFile"));
}

Record CardWindow::cardRecord() const
{
    return recordFromValues(m_spec, values());
}

void CardWindow::showRecord(const RecordView &record, int number)
{
    const CardValues v = valuesFromRecord(m_spec, record, number);
    for (auto it = v.cbegin(); it != v.cend(); ++it)
        setText(it.key(), it.value());
    recordHandedOver();
}

void CardWindow::recordHandedOver()
{
    // A text set by the program shows from its beginning; a box shows its
    // text with no list entry selected.
    for (const CardField &f : m_spec.fields) {
        QWidget *w = m_controls.value(f.control);
        if (auto *e = qobject_cast<QLineEdit *>(w)) {
            e->setCursorPosition(0);
        } else if (auto *c = qobject_cast<QComboBox *>(w); c && c->isEditable()) {
            const QString t = c->currentText();
            c->setCurrentIndex(-1);
            c->setEditText(t);
            c->lineEdit()->setCursorPosition(0);
        }
    }
}

// --- The shared commands ----------------------------------------------------

void CardWindow::newCard()
{
    const CardValues blank = blankValues(m_spec, platform::clock().today());
    for (const CardField &f : m_spec.fields) {
        const auto it = blank.constFind(f.control);
        if (it == blank.cend())
            continue; // kept as it is
        if (f.kind == FieldKind::Radio) {
            if (auto *r = qobject_cast<RadioChoice *>(m_controls.value(f.control)))
                r->clear();
            if (!it.value().isEmpty())
                setText(f.control, it.value());
            continue;
        }
        setText(f.control, it.value());
    }
    setPosition(0);
    recordHandedOver();
    if (QWidget *w = m_controls.value(m_spec.newFocus))
        w->setFocus(Qt::OtherFocusReason);
}

bool CardWindow::confirmSave(const CardValues &)
{
    return true;
}

void CardWindow::completeAppend(Record &, int) {}

QString CardWindow::savedText(bool appended)
{
    return appended ? m_spec.insertedText : m_spec.updatedText;
}

void CardWindow::save()
{
    CardValues v = values();
    const CardValues before = v;
    const std::optional<SaveRefusal> refusal =
        m_spec.refuseSave ? m_spec.refuseSave(v) : firstMissing(m_spec.mandatory, v);
    // What the checks derived reaches the card, whether it is saved or not.
    for (auto it = v.cbegin(); it != v.cend(); ++it)
        if (before.value(it.key()) != it.value())
            setText(it.key(), it.value());
    if (refusal) {
        platform::dialogs().message(refusal->kind, refusal->text, this);
        if (!refusal->focus.isEmpty())
            if (QWidget *w = findControl(this, refusal->focus))
                w->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!confirmSave(v))
        return;

    const Record record = recordFromValues(m_spec, v);
    const int number = position();
    int appended = 0;
    try {
        if (number > 0) {
            const QString path = archivePath();
            if (path.isEmpty())
                throw ArchiveError(IoStep::Open, path);
            updateRecord(path, record, number);
        } else {
            RecordFile file;
            openArchive(file, RecordFile::Access::ReadWrite);
            appended = file.append(record, [this](Record &r, int n) { completeAppend(r, n); });
            // The record is in the archive from here on, even if closing the
            // file fails: the card is that record, so that trying again
            // overwrites it instead of adding a copy.
            setPosition(appended);
            file.close();
        }
    } catch (const ArchiveError &) {
        if (appended > 0)
            setPosition(appended);
        platform::dialogs().error(FileAccessErrorText(), this);
        return;
    }
    platform::dialogs().information(savedText(number == 0), this);
}

void CardWindow::openArchive(RecordFile &file, RecordFile::Access access) const
{
    const QString path = archivePath();
    if (path.isEmpty())
        throw ArchiveError(IoStep::Open, path); // a yearly card before a year was opened
    file.openOrCreate(path, *m_spec.layout, access);
}

void CardWindow::browse(Browse command)
{
    BrowseOutcome outcome;
    Record record(*m_spec.layout);
    try {
        RecordFile file;
        openArchive(file, RecordFile::Access::ReadOnly);
        outcome = browseOutcome(command, position(), file.size(), m_spec.previousOnFirstIsSilent);
        if (outcome.load > 0) {
            file.seek(outcome.load - 1);
            file.read(record);
        }
        file.close();
    } catch (const ArchiveError &) {
        platform::dialogs().error(FileAccessErrorText(), this);
        return;
    }
    if (outcome.load > 0)
        showRecord(record.view(), outcome.load);
    if (outcome.clearPosition)
        setPosition(0);
    if (outcome.emptyArchive)
        platform::dialogs().information(emptyArchiveText(), this);
}

void CardWindow::duplicate()
{
    if (position() == 0) {
        platform::dialogs().warning(
            QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo "
                           "che questa è stata inserita in archivio."),
            this);
        return;
    }
    if (m_spec.duplicateOpensArchive) {
        try {
            RecordFile file;
            openArchive(file, RecordFile::Access::ReadOnly);
            file.close();
        } catch (const ArchiveError &) {
            platform::dialogs().error(FileAccessErrorText(), this);
            return;
        }
    }
    setValues(duplicatedValues(m_spec, values(), platform::clock().today()));
    if (QWidget *w = m_controls.value(m_spec.duplicateFocus))
        w->setFocus(Qt::OtherFocusReason);
    platform::dialogs().information(
        QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.")
            + lineBreak() + lineBreak()
            + QStringLiteral("Al termine premere Salva per inserire la scheda in archivio."),
        this);
}

void CardWindow::attachFiles()
{
    showAttachWindow(this, m_spec.attachMode);
}

void CardWindow::chooseDocument()
{
    if (const auto name = chooseAttachment(this, QuestionBreaks::LineFeedFirst))
        setText(m_spec.documentField, *name);
}

void CardWindow::openDocument()
{
    const QString path = attachmentPath(text(m_spec.documentField));
    if (!path.isEmpty())
        platform::openPath(path);
}

void CardWindow::clearDocument()
{
    setText(m_spec.documentField, QString());
}

void CardWindow::sendMail()
{
    // The address goes into the link's path, so nothing typed in the field
    // can add a subject, a body or further headers to the message.
    QUrl link;
    link.setScheme(QStringLiteral("mailto"));
    link.setPath(text(m_spec.mailField));
    platform::shell().open(link);
}

void CardWindow::showHelpPage()
{
    showHelp(this, m_spec.help);
}

void CardWindow::printShown()
{
    if (m_spec.printWindow.isEmpty())
        printCard(this, m_spec.print);
    else
        showCardPrintWindow(this, m_spec.printWindow, m_spec.printIntro, m_spec.print);
}

void CardWindow::pickDate(const QString &control)
{
    const CardField *f = fieldFor(control);
    if (!f || f->pickerMode.isEmpty())
        return;
    showDatePicker(this, f->pickerMode);
    // Back on the field the date went into.
    activateWindow();
    if (QWidget *w = m_controls.value(control))
        w->setFocus(Qt::OtherFocusReason);
}

void CardWindow::showEvent(QShowEvent *event)
{
    // Shown from a menu: the card's own start. Coming back from the task
    // bar (a spontaneous show) keeps what is being typed.
    if (!event->spontaneous())
        cardShown();
    FullScreenWindow::showEvent(event);
}

void CardWindow::cardShown()
{
    newCard();
    m_conventions->resetStatus();
}

CardWindow *cardOf(QWidget *w)
{
    for (; w; w = w->parentWidget())
        if (auto *card = qobject_cast<CardWindow *>(w))
            return card;
    return nullptr;
}

} // namespace pratelia::kit
