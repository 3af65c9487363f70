#include "anagrafica.h"

#include "app/kit/conventions.h"
#include "app/kit/help.h"
#include "attach.h"
#include "checks/checkwindows.h"
#include "clientlists.h"
#include "clientprint.h"
#include "platform/platform.h"
#include "store/recordfile.h"
#include "store/values.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QUrl>
#include <QVBoxLayout>

namespace pratelia::clients {

namespace {

const char kRestText[] = "Pronto per salvare una nuova scheda...";

QString clientArchive()
{
    return ArchivePath(QString::fromLatin1(archives::kClienti));
}

// Captions of the card's fields, by record field.
QString captionOf(const QString &field)
{
    static const QHash<QString, QString> captions = {
        {"Cognome", "Cognome:"},
        {"Nome", "Nome:"},
        {"CodFisc", "Codice fiscale:"},
        {"Sesso", "Sesso:"},
        {"DataNasc", "Data di nascita:"},
        {"ComuneNasc", "Comune di nascita:"},
        {"ProvNasc", "Prov."},
        {"Iva", "Partita IVA:"},
        {"Indirizzo", "Via e numero civico:"},
        {"Cap", "CAP:"},
        {"ComuneRes", "Comune di residenza:"},
        {"ProvRes", "Prov."},
        {"Stato", "Stato civile:"},
        {"Familiari", "Familiari a carico:"},
        {"Recapito", "Recapito preferenziale:"},
        {"TelCasa", "Tel. casa:"},
        {"TelCel", "Tel. cellulare:"},
        {"TelUff", "Tel. ufficio:"},
        {"Fax", "PEC:"},
        {"Email", "E-mail:"},
        {"Qualifiche", "Titolo di studio:"},
        {"Professione", "Professione:"},
        {"Iban", "IBAN:"},
        {"Intestatario", "Intestatario C/C:"},
        {"Banca", "Banca:"},
        {"Carta", "Carta di credito n."},
        {"ScadeCarta", "Scadenza:"},
        {"Prodotti", "Prodotti e servizi di interesse:"},
        {"Pagamento", "Modalità di pagamento:"},
        {"Note", "Note:"},
        {"TipoDoc", "Tipo di documento:"},
        {"NumDoc", "Numero:"},
        {"EnteRil", "Ente di rilascio:"},
        {"DataRil", "Data di rilascio:"},
        {"DataSca", "Data di scadenza:"},
        {"Codice", "Codice cliente:"},
        {"Categoria", "Categoria:"},
        {"Zona", "Denominazione Ditta:"},
        {"Acquisto", "Acquisto rateale effettuato:"},
        {"Decorrenza", "Data decorrenza:"},
        {"Scadenza", "Prossima scadenza:"},
        {"Preavviso", "Giorni di preavviso:"},
        {"Totale", "Importo totale: €"},
        {"Frazionamento", "Frazionamento:"},
        {"Rata", "Importo rata: €"},
    };
    return captions.value(field);
}

// How each edited field takes its input.
enum Input : unsigned {
    Plain = 0,
    Trim = 1,     // trimmed after each keystroke
    Upper = 2,    // upper-cased after each keystroke
    Digits = 4,   // digits filter
    Amount = 8,   // amount filter and normalisation on leaving
    Province = 16 // a province box
};

unsigned inputOf(const QString &field)
{
    static const QHash<QString, unsigned> inputs = {
        {"CodFisc", Trim | Upper},  {"Sesso", Trim | Upper},
        {"ProvNasc", Province},     {"ProvRes", Province},
        {"Iva", Digits},            {"Fax", Trim},
        {"Email", Trim},            {"Iban", Trim | Upper},
        {"Carta", Digits},          {"Preavviso", Digits},
        {"Totale", Amount},         {"Rata", Amount},
    };
    return inputs.value(field, Plain);
}

// Trims the field's text after each keystroke, keeping the cursor on the
// character it was on.
void installTrimming(QLineEdit *field)
{
    QObject::connect(field, &QLineEdit::textEdited, field, [field](const QString &) {
        const QString t = field->text();
        const QString trimmed = trimText(t);
        if (trimmed == t)
            return;
        const int lead = trimmed.isEmpty() ? int(t.size()) : int(t.indexOf(trimmed));
        const int pos = std::clamp(field->cursorPosition() - lead, 0, int(trimmed.size()));
        field->setText(trimmed);
        field->setCursorPosition(pos);
    });
}

// Lets no more than `limit` characters be typed into a field whose record
// field holds more, while a longer text put there by the card (a
// normalised amount, a loaded record) stays whole.
class TypingLimit : public QObject {
public:
    TypingLimit(QLineEdit *field, int limit) : QObject(field), m_limit(limit) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const QString typed = static_cast<QKeyEvent *>(event)->text();
        if (typed.isEmpty() || !typed.at(0).isPrint())
            return false;
        auto *field = static_cast<QLineEdit *>(watched);
        return field->text().size() - field->selectedText().size() + typed.size() > m_limit;
    }

private:
    int m_limit;
};

// A province box: free typing of two characters, its list of codes, no
// entry selected when it takes the focus.
class ProvinceBox : public QComboBox {
public:
    explicit ProvinceBox(QWidget *parent) : QComboBox(parent)
    {
        setEditable(true);
        setInsertPolicy(QComboBox::NoInsert);
        setCompleter(nullptr); // what is typed stays as typed
        addItems(provinceCodes());
        setMaxVisibleItems(14);
        clearSelection(QString());
    }
    void clearSelection(const QString &text)
    {
        setCurrentIndex(-1);
        setEditText(text);
    }

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        if (!view()->isVisible())
            clearSelection(currentText());
        QComboBox::focusInEvent(event);
    }
};

struct Command {
    const char *name;
    const char *shortName;
    const char *icon;
    const char *status;
};

const Command kBarCommands[] = {
    {"cmdNuovo", "Nuovo", "nuovo", "Prepara la schermata per la registrazione di una nuova scheda."},
    {"cmdSalva", "Salva", "salva", "Salva la scheda corrente in archivio."},
    {"cmdTrova", "Trova", "trova", "Trova una scheda in archivio."},
    {"cmdCartella", "Cartella", "cartella", "Gestisci la cartella abbinata alla scheda corrente."},
    {"cmdFile", "Allegati", "file", "Allega file alla scheda corrente."},
    {"cmdStampa", "Stampa", "stampa", "Stampa la scheda corrente."},
    {"cmdPrimo", "Primo", "primo", "Visualizza la prima scheda in archivio."},
    {"cmdIndietro", "Indietro", "indietro", "Visualizza la scheda precedente in archivio."},
    {"cmdAvanti", "Avanti", "avanti", "Visualizza la scheda successiva in archivio."},
    {"cmdUltimo", "Ultimo", "ultimo", "Visualizza l'ultima scheda in archivio."},
    {"cmdEsporta", "Esporta", "esporta", "Esporta le schede in archivio in un file di Microsoft Excel."},
    {"cmdScaduti", "Rate", "scaduti", "Visualizza il riepilogo delle rate in scadenza o scadute."},
    {"cmdGuida", "Guida", "guida", "Visualizza la guida in linea."},
    {"cmdEsci", "Esci", "esci", "Esci da questa schermata di lavoro."},
};

// The check buttons beside their fields.
const Command kFieldCommands[] = {
    {"btnCodFisc", "Controlla codice fiscale", "controlla", "Controlla il codice fiscale."},
    {"btnIva", "Controlla partita IVA", "controlla", "Controlla il numero di partita IVA."},
    {"btnEmail", "Invia e-mail", "email", "Invia una e-mail all'indirizzo indicato."},
    {"btnIban", "Controlla IBAN", "controlla", "Controlla l'IBAN."},
    {"btnCarta", "Controlla carta di credito", "controlla", "Controlla il numero di carta di credito."},
};

// Which check button stands beside a field.
const char *buttonBeside(const QString &field)
{
    if (field == QLatin1String("CodFisc")) return "btnCodFisc";
    if (field == QLatin1String("Iva")) return "btnIva";
    if (field == QLatin1String("Email")) return "btnEmail";
    if (field == QLatin1String("Iban")) return "btnIban";
    if (field == QLatin1String("Carta")) return "btnCarta";
    return nullptr;
}

// One field of a row: its record field and its width (0: it takes what the
// row leaves).
struct Cell {
    const char *field;
    int width = 0;
};
using Row = std::vector<Cell>;
struct Group {
    const char *title;
    std::vector<Row> rows;
};

// The grouping of the card: personal data, contacts, bank and payments on
// the left; identity document, classification and the instalment purchase
// on the right.
const std::vector<Group> &leftGroups()
{
    static const std::vector<Group> groups = {
        {"Dati anagrafici",
         {{{"Cognome"}, {"Nome"}},
          {{"CodFisc", 150}, {"Sesso", 30}, {"DataNasc", 86}},
          {{"ComuneNasc"}, {"ProvNasc", 58}, {"Iva", 104}},
          {{"Indirizzo"}, {"Cap", 58}},
          {{"ComuneRes"}, {"ProvRes", 58}},
          {{"Stato", 150}, {"Familiari"}}}},
        {"Recapiti e professione",
         {{{"Recapito"}, {"TelCasa"}},
          {{"TelCel"}, {"TelUff"}},
          {{"Fax"}, {"Email"}},
          {{"Qualifiche"}, {"Professione"}}}},
        {"Banca, pagamenti e note",
         {{{"Iban", 240}},
          {{"Intestatario"}, {"Banca"}},
          {{"Carta", 150}, {"ScadeCarta", 86}},
          {{"Prodotti"}},
          {{"Pagamento"}},
          {{"Note"}}}},
    };
    return groups;
}

const std::vector<Group> &rightGroups()
{
    static const std::vector<Group> groups = {
        {"Documento di riconoscimento",
         {{{"TipoDoc"}}, {{"NumDoc"}}, {{"EnteRil"}}, {{"DataRil", 86}}, {{"DataSca", 86}}}},
        {"Classificazione", {{{"Codice"}}, {{"Categoria"}}, {{"Zona"}}}},
        {"Acquisto rateale",
         {{{"Acquisto"}},
          {{"Decorrenza", 86}},
          {{"Scadenza", 86}},
          {{"Preavviso", 44}},
          {{"Totale", 110}},
          {{"Frazionamento"}},
          {{"Rata", 110}}}},
    };
    return groups;
}

QString controlName(const QString &field)
{
    return QStringLiteral("txt") + field;
}

} // namespace

TfrmAnagrafica::TfrmAnagrafica(QWidget *parent)
    : kit::FullScreenWindow(QStringLiteral("TfrmAnagrafica"),
                            QStringLiteral(" Pratelia - Anagrafica Clienti"), parent)
{
    build();
    connectCommands();
}

void TfrmAnagrafica::build()
{
    QWidget *p = panel();
    QFont f = p->font();
    f.setPointSizeF(9);
    p->setFont(f);

    auto *outer = new QVBoxLayout(p);
    outer->setContentsMargins(8, 4, 8, 4);
    outer->setSpacing(4);
    outer->addWidget(buildCommandBar());
    outer->addWidget(buildFields(), 1);

    m_status = new QLabel(p);
    m_status->setObjectName(QStringLiteral("panInfo"));
    m_status->setFrameShape(QFrame::StyledPanel);
    m_status->setFrameShadow(QFrame::Sunken);
    m_status->setMinimumWidth(560);
    m_status->setFixedHeight(22);
    auto *statusRow = new QHBoxLayout;
    statusRow->addWidget(m_status);
    statusRow->addStretch(1);
    outer->addLayout(statusRow);

    // The hidden labels: attached files and their descriptions.
    for (const char *name :
         {"lblFile01", "lblFile02", "lblFile03", "lblDesc01", "lblDesc02", "lblDesc03"}) {
        auto *l = new QLabel(p);
        l->setObjectName(QString::fromLatin1(name));
        l->hide();
    }

    m_conventions = new kit::InputConventions(this, m_status, QString::fromUtf8(kRestText));
    m_conventions->addFocusFrames();
    QVector<QWidget *> chain;
    const RecordLayout &layout = layouts::cliente();
    for (int i = 0; i < kEditedFields; ++i)
        chain << findChild<QWidget *>(controlName(layout.field(i).name));
    m_conventions->setEnterChain(chain, true);
    m_conventions->addCommandHints();
    m_conventions->addClearOnHover(this);
    m_conventions->addClearOnHover(p);
    m_conventions->addClearOnHover(p->findChild<QWidget *>(QStringLiteral("panSchede")));
    m_conventions->addClearOnHover(p->findChild<QWidget *>(QStringLiteral("panComandi")));
    for (QGroupBox *g : p->findChildren<QGroupBox *>())
        m_conventions->addClearOnHover(g);
}

QWidget *TfrmAnagrafica::buildCommandBar()
{
    auto *bar = new QFrame(panel());
    bar->setObjectName(QStringLiteral("panComandi"));
    bar->setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(0);
    for (const Command &c : kBarCommands) {
        const QString name = QString::fromLatin1(c.name);
        if (name == QLatin1String("cmdPrimo") || name == QLatin1String("cmdEsporta")) {
            row->addStretch(1);
            auto *sep = new QFrame(bar);
            sep->setFrameShape(QFrame::VLine);
            sep->setFrameShadow(QFrame::Sunken);
            row->addWidget(sep);
            row->addStretch(1);
        }
        auto *b = new kit::CommandButton(name, QString::fromUtf8(c.shortName),
                                         QString::fromLatin1(c.icon), QString::fromUtf8(c.status),
                                         bar);
        b->setMinimumWidth(62);
        row->addWidget(b);
        if (name == QLatin1String("cmdIndietro")) {
            m_position = new QLabel(bar);
            m_position->setObjectName(QStringLiteral("lblPosizione"));
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
        }
    }
    return bar;
}

QWidget *TfrmAnagrafica::buildFields()
{
    auto *area = new QWidget(panel());
    area->setObjectName(QStringLiteral("panSchede"));
    auto *columns = new QHBoxLayout(area);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(10);

    const RecordLayout &layout = layouts::cliente();
    auto makeField = [&](const QString &field, QWidget *parent) -> QWidget * {
        const Field &fieldDef = layout.field(layout.require(field));
        const unsigned input = inputOf(field);
        QLineEdit *edit = nullptr;
        QWidget *control = nullptr;
        if (input & Province) {
            auto *box = new ProvinceBox(parent);
            edit = box->lineEdit();
            control = box;
            kit::InputConventions::installUpperCase(edit);
            installTrimming(edit);
        } else {
            edit = new QLineEdit(parent);
            control = edit;
            if (input & Upper)
                kit::InputConventions::installUpperCase(edit);
            if (input & Trim)
                installTrimming(edit);
            if (input & Digits)
                kit::InputConventions::installDigitsFilter(edit);
            if (input & Amount) {
                kit::InputConventions::installAmountFilter(edit);
                kit::InputConventions::installMoneyNormalise(edit);
                edit->setAlignment(Qt::AlignRight);
            }
        }
        control->setObjectName(controlName(field));
        edit->setMaxLength(fieldDef.capacity);
        if (editLimit(fieldDef) < fieldDef.capacity)
            edit->installEventFilter(new TypingLimit(edit, editLimit(fieldDef)));
        control->setFixedHeight(22);
        return control;
    };

    auto addGroups = [&](const std::vector<Group> &groups, QVBoxLayout *column) {
        for (const Group &g : groups) {
            auto *box = new QGroupBox(QString::fromUtf8(g.title), area);
            auto *grid = new QGridLayout(box);
            grid->setContentsMargins(8, 6, 8, 6);
            grid->setHorizontalSpacing(8);
            grid->setVerticalSpacing(6);
            int r = 0;
            for (const Row &row : g.rows) {
                auto *line = new QHBoxLayout;
                line->setSpacing(8);
                bool stretches = false;
                for (size_t i = 0; i < row.size(); ++i) {
                    const QString field = QString::fromLatin1(row[i].field);
                    QWidget *control = makeField(field, box);
                    QLabel *caption = kit::captionFor(control, captionOf(field), box);
                    if (i == 0)
                        grid->addWidget(caption, r, 0);
                    else
                        line->addWidget(caption);
                    if (row[i].width > 0) {
                        control->setFixedWidth(row[i].width);
                        line->addWidget(control);
                    } else {
                        line->addWidget(control, 1);
                        stretches = true;
                    }
                    if (const char *button = buttonBeside(field)) {
                        for (const Command &c : kFieldCommands) {
                            if (qstrcmp(c.name, button) != 0)
                                continue;
                            auto *b = new kit::CommandButton(
                                QString::fromLatin1(c.name), QString::fromUtf8(c.shortName),
                                QString::fromLatin1(c.icon), QString::fromUtf8(c.status), box);
                            b->setToolButtonStyle(Qt::ToolButtonIconOnly);
                            b->setIconSize(QSize(18, 18));
                            b->setFixedSize(26, 24);
                            b->setToolTip(QString::fromUtf8(c.shortName));
                            line->addWidget(b);
                        }
                    }
                }
                if (!stretches)
                    line->addStretch(1);
                grid->addLayout(line, r, 1);
                ++r;
            }
            grid->setColumnStretch(1, 1);
            column->addWidget(box);
        }
        column->addStretch(1);
    };

    auto *left = new QVBoxLayout;
    left->setSpacing(6);
    addGroups(leftGroups(), left);
    auto *right = new QVBoxLayout;
    right->setSpacing(6);
    addGroups(rightGroups(), right);
    columns->addLayout(left, 57);
    columns->addLayout(right, 43);
    return area;
}

void TfrmAnagrafica::connectCommands()
{
    auto on = [this](const char *name, auto &&slot) {
        auto *b = findChild<kit::CommandButton *>(QString::fromLatin1(name));
        Q_ASSERT(b);
        connect(b, &QAbstractButton::clicked, this, slot);
    };
    on("cmdNuovo", [this] { newCard(); });
    on("cmdSalva", [this] { save(); });
    on("cmdTrova", [this] { showClientSearch(this, QStringLiteral("clienti")); });
    on("cmdCartella", [this] { openClientFolder(); });
    on("cmdFile", [this] { showAttachWindow(this, QStringLiteral("anagrafica")); });
    on("cmdStampa", [this] { printClientCard(this); });
    on("cmdPrimo", [this] { browseTo(Browse::First); });
    on("cmdIndietro", [this] { browseTo(Browse::Previous); });
    on("cmdAvanti", [this] { browseTo(Browse::Next); });
    on("cmdUltimo", [this] { browseTo(Browse::Last); });
    on("cmdEsporta", [this] { showClientExport(this); });
    on("cmdScaduti", [this] { showInstalmentsDue(this); });
    on("cmdGuida", [this] { kit::showHelp(this, kit::HelpPage::Anagrafica); });
    on("cmdEsci", [this] { close(); });
    on("btnCodFisc", [this] { checks::showTaxCodeButton(this, fieldText(QStringLiteral("CodFisc"))); });
    on("btnIva", [this] { checks::showVatCheck(this, fieldText(QStringLiteral("Iva"))); });
    on("btnIban", [this] { checks::showIbanCheck(this, fieldText(QStringLiteral("Iban"))); });
    on("btnCarta", [this] { checks::showCardCheck(this, fieldText(QStringLiteral("Carta"))); });
    on("btnEmail", [this] { sendMail(); });
}

QString TfrmAnagrafica::fieldText(const QString &field) const
{
    QWidget *w = findChild<QWidget *>(controlName(field));
    if (!w)
        w = findChild<QLabel *>(QStringLiteral("lbl") + field);
    QString text;
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        text = edit->text();
    else if (auto *box = qobject_cast<QComboBox *>(w))
        text = box->currentText();
    else if (auto *label = qobject_cast<QLabel *>(w))
        text = label->text();
    return trimText(text);
}

void TfrmAnagrafica::setFieldText(const QString &field, const QString &text)
{
    QWidget *w = findChild<QWidget *>(controlName(field));
    if (!w)
        w = findChild<QLabel *>(QStringLiteral("lbl") + field);
    if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        edit->setText(text);
        edit->setCursorPosition(0);
    } else if (auto *box = qobject_cast<QComboBox *>(w)) {
        box->setCurrentIndex(-1);
        box->setEditText(text);
    } else if (auto *label = qobject_cast<QLabel *>(w)) {
        label->setText(text);
    }
}

void TfrmAnagrafica::showEvent(QShowEvent *event)
{
    // Shown from the menu: a new card. Coming back from the task bar
    // (a spontaneous show) keeps what is being typed.
    if (!event->spontaneous()) {
        newCard();
        m_conventions->resetStatus();
    }
    kit::FullScreenWindow::showEvent(event);
}

void TfrmAnagrafica::newCard()
{
    const RecordLayout &layout = layouts::cliente();
    for (const Field &f : layout.fields())
        setFieldText(f.name, QString());
    const QString today = formatDate(platform::clock().today());
    setFieldText(QStringLiteral("Decorrenza"), today);
    setFieldText(QStringLiteral("Scadenza"), today);
    setFieldText(QStringLiteral("Preavviso"), QStringLiteral("0"));
    setFieldText(QStringLiteral("Totale"), QStringLiteral("0,00"));
    setFieldText(QStringLiteral("Rata"), QStringLiteral("0,00"));
    m_position->clear();
    if (QWidget *first = findChild<QWidget *>(QStringLiteral("txtCognome")))
        first->setFocus(Qt::OtherFocusReason);
}

Record TfrmAnagrafica::cardRecord() const
{
    Record record(layouts::cliente());
    for (const Field &f : record.layout().fields())
        record.setText(f.name, fieldText(f.name));
    return record;
}

void TfrmAnagrafica::showRecord(const Record &record, int number)
{
    for (const Field &f : record.layout().fields())
        setFieldText(f.name, record.text(f.name));
    m_position->setText(QString::number(number));
}

void TfrmAnagrafica::recordHandedOver()
{
    const RecordLayout &layout = layouts::cliente();
    for (int i = 0; i < kEditedFields; ++i)
        setFieldText(layout.field(i).name, fieldText(layout.field(i).name));
}

void TfrmAnagrafica::save()
{
    const SaveInput input{fieldText(QStringLiteral("Cognome")), fieldText(QStringLiteral("Nome")),
                          fieldText(QStringLiteral("Decorrenza")),
                          fieldText(QStringLiteral("Scadenza")),
                          fieldText(QStringLiteral("Preavviso"))};
    if (const auto refusal = refuseSave(input)) {
        platform::dialogs().message(refusal->kind, refusal->text, this);
        if (!refusal->focus.isEmpty())
            if (QWidget *w = findChild<QWidget *>(refusal->focus))
                w->setFocus(Qt::OtherFocusReason);
        return;
    }

    const Record record = cardRecord();
    const QString path = clientArchive();
    const QString position = m_position->text().trimmed();
    QString done;
    int appended = 0;
    try {
        if (position.isEmpty()) {
            RecordFile file;
            file.openOrCreate(path, record.layout());
            appended = file.append(record);
            file.close();
            m_position->setText(QString::number(appended));
            done = QStringLiteral("La scheda corrente è stata inserita in archivio.");
        } else {
            bool ok = false;
            const int number = position.toInt(&ok);
            if (!ok || number < 1)
                throw ArchiveError(IoStep::Seek, path);
            updateRecord(path, record, number);
            done = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate "
                                  "in archivio.");
        }
    } catch (const ArchiveError &) {
        // A record that reached the archive before closing it failed is
        // this card from now on, so that trying again does not add a copy.
        if (appended > 0)
            m_position->setText(QString::number(appended));
        platform::dialogs().error(FileAccessErrorText(), this);
        return;
    }
    platform::dialogs().information(done, this);
}

void TfrmAnagrafica::browseTo(Browse command)
{
    const int current = m_position->text().trimmed().toInt(); // 0 for a new card
    BrowseOutcome outcome;
    Record record(layouts::cliente());
    try {
        RecordFile file;
        file.openOrCreate(clientArchive(), layouts::cliente(), RecordFile::Access::ReadOnly);
        outcome = browse(command, current, file.size());
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
        showRecord(record, outcome.load);
    if (outcome.clearPosition)
        m_position->clear();
    if (outcome.emptyArchive)
        platform::dialogs().information(emptyArchiveText(), this);
}

void TfrmAnagrafica::openClientFolder()
{
    const QString position = m_position->text().trimmed();
    if (position.isEmpty()) {
        platform::dialogs().warning(
            QStringLiteral("Attenzione: l'abbinamento di una cartella ad un cliente può avvenire "
                           "soltanto dopo che la scheda è stata inserita in archivio."),
            this);
        return;
    }
    showClientFolder(this, position);
}

void TfrmAnagrafica::sendMail()
{
    // The address goes into the link's path, so nothing typed in the field
    // can add a subject, a body or further headers to the message.
    QUrl link;
    link.setScheme(QStringLiteral("mailto"));
    link.setPath(fieldText(QStringLiteral("Email")));
    platform::shell().open(link);
}

} // namespace pratelia::clients
