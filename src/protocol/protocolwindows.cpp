#include "protocolwindows.h"

#include "protocolcard.h"
#include "protocollists.h"

#include "kit/binding.h"
#include "kit/conventions.h"
#include "lists/exportgrid.h"
#include "lists/listwindows.h"
#include "platform/inifile.h"
#include "platform/platform.h"
#include "platform/texts.h"
#include "store/recordfile.h"
#include "store/values.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

namespace pratelia::protocol {

TfrmMenuProtocollo::TfrmMenuProtocollo(QWidget *parent)
    : kit::YearMenuWindow(protocolYearMenuSpec(), parent)
{
}

// --- The card ---------------------------------------------------------------

TfrmProtocollo::TfrmProtocollo(QWidget *parent) : kit::CardWindow(protocolCardSpec(), parent)
{
    setText(QStringLiteral("lblInizio"), QStringLiteral("1"));
    setText(QStringLiteral("lblSolare"), QStringLiteral("ANNO"));
}

void TfrmProtocollo::cardShown()
{
    IniFile ini;
    // Defaults that cannot be read are no defaults: the fields start empty.
    ini.load(settingsPath());
    const QString section = QString::fromLatin1(kDefaultsSection);
    setText(QStringLiteral("txtUfficio"), ini.value(section, QString::fromLatin1(kOfficeKey)));
    setText(QStringLiteral("txtOperatore"), ini.value(section, QString::fromLatin1(kOperatorKey)));
    m_proposal.reset();
    newCard();
    conventions()->resetStatus();
}

void TfrmProtocollo::closeEvent(QCloseEvent *event)
{
    IniFile ini;
    // A settings file that cannot be read is left alone rather than written
    // again with only these two keys.
    if (ini.load(settingsPath()) != IniFile::LoadResult::Failed) {
        const QString section = QString::fromLatin1(kDefaultsSection);
        ini.setValue(section, QString::fromLatin1(kOfficeKey), text(QStringLiteral("txtUfficio")));
        ini.setValue(section, QString::fromLatin1(kOperatorKey),
                     text(QStringLiteral("txtOperatore")));
        ini.save(settingsPath());
    }
    kit::CardWindow::closeEvent(event);
}

void TfrmProtocollo::newProtocolCard()
{
    const QString settings = settingsPath();
    const std::optional<NumberingTexts> texts = readNumberingTexts(settings);
    const std::optional<Numbering> numbering = texts ? numberingFrom(*texts) : std::nullopt;
    int count = 0;
    try {
        // Settings that exist but cannot be used must not restart the
        // numbering from 1: New stops as on an archive it cannot reach.
        if (!numbering)
            throw ArchiveError(IoStep::Read, settings);
        const QString path = archivePath();
        if (path.isEmpty())
            throw ArchiveError(IoStep::Open, path);
        count = recordCount(path);
    } catch (const ArchiveError &) {
        platform::dialogs().error(FileAccessErrorText(), this);
        return;
    }
    const QString start = trimText(texts->start);
    setText(QStringLiteral("lblInizio"), start.isEmpty() ? QStringLiteral("1") : start);
    setText(QStringLiteral("lblSolare"), texts->year);
    newCard();
    const QDate today = platform::clock().today();
    const QString number = proposedNumber(*numbering, count, today);
    setText(QStringLiteral("txtNumero"), number);
    m_proposal = Proposal{number, *numbering, today.year()};
    if (QWidget *w = kit::findControl(this, QStringLiteral("txtCategoria")))
        w->setFocus(Qt::OtherFocusReason);
}

void TfrmProtocollo::saveProtocolCard()
{
    m_landed.clear();
    save();
    if (position() == 0)
        return;
    // Also when closing the archive failed after the record was written:
    // the card shows what the archive holds.
    if (!m_landed.isEmpty())
        setText(QStringLiteral("txtNumero"), m_landed);
    m_proposal.reset();
}

bool TfrmProtocollo::confirmSave(const kit::CardValues &values)
{
    QString number = trimText(values.value(QStringLiteral("txtNumero")));
    const int shown = position();
    try {
        const QString path = archivePath();
        if (path.isEmpty())
            throw ArchiveError(IoStep::Open, path);
        // A proposed number lands as the number of the record it becomes:
        // that is the one to look for.
        if (shown == 0 && m_proposal && number == m_proposal->text)
            number = protocolNumber(m_proposal->numbering, recordCount(path) + 1, m_proposal->year);
        const int other = findNumber(path, number, shown);
        if (other == 0)
            return true;
        return platform::dialogs().question(
            QStringLiteral("Attenzione: il numero di protocollo %1 è già stato assegnato alla "
                           "scheda n. %2 di questo archivio.")
                    .arg(number)
                    .arg(other)
                + lineBreak() + lineBreak()
                + QStringLiteral("Si vuole salvare comunque la scheda con lo stesso numero?"),
            this);
    } catch (const ArchiveError &) {
        platform::dialogs().error(FileAccessErrorText(), this);
        return false;
    }
}

void TfrmProtocollo::completeAppend(Record &record, int number)
{
    if (!m_proposal || record.text(u"Numero") != m_proposal->text)
        return; // a number the user typed is stored as typed
    const QString landed = protocolNumber(m_proposal->numbering, number, m_proposal->year);
    record.setText(u"Numero", landed);
    m_landed = landed;
}

QString TfrmProtocollo::savedText(bool appended)
{
    QString text = kit::CardWindow::savedText(appended);
    if (!appended || m_landed.isEmpty() || !m_proposal || m_landed == m_proposal->text)
        return text;
    const QString proposed = m_proposal->text;
    setText(QStringLiteral("txtNumero"), m_landed);
    return text + lineBreak() + lineBreak()
           + QStringLiteral("Il numero di protocollo %1 è stato assegnato nel frattempo a un'altra "
                            "scheda: questa scheda è stata registrata con il numero %2.")
                 .arg(proposed, m_landed);
}

// --- The numbering window ---------------------------------------------------

namespace {

// Leaving the start field puts its value right.
class NormaliseOnLeave : public QObject {
public:
    explicit NormaliseOnLeave(QLineEdit *field) : QObject(field), m_field(field)
    {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut)
            m_field->setText(normaliseStart(m_field->text()));
        return false;
    }

private:
    QLineEdit *m_field;
};

const QString kModeProtocollo = QStringLiteral("protocollo");

} // namespace

void showNumbering(QWidget *card)
{
    TfrmNumerazione w(card);
    w.setMode(kModeProtocollo);
    w.centre(card);
    w.exec();
}

TfrmNumerazione::TfrmNumerazione(QWidget *opener)
    : kit::DialogWindow(QStringLiteral("TfrmNumerazione"),
                        QStringLiteral(" Impostazione inizio numerazione"), QSize(440, 180), opener)
{
    m_memory = new QLabel(this);
    m_memory->setObjectName(QStringLiteral("lblMemory"));
    m_memory->hide();

    auto *group = new QGroupBox(QStringLiteral(" Inizia numerazione da: "), this);
    group->setObjectName(QStringLiteral("grpNumerazione"));
    m_start = new QLineEdit(QStringLiteral("1"), group);
    m_start->setObjectName(QStringLiteral("txtInizio"));
    m_start->setMaxLength(5);
    m_start->setFixedWidth(110);
    m_start->setFixedHeight(24);
    m_start->setAlignment(Qt::AlignCenter);
    QFont big = m_start->font();
    big.setBold(true);
    big.setPointSizeF(11);
    m_start->setFont(big);
    m_start->setAccessibleName(QStringLiteral("Inizia numerazione da"));
    kit::installFieldRules(m_start, kit::FieldRules{kit::DigitsOnly, 5});
    new NormaliseOnLeave(m_start);
    auto *groupRow = new QHBoxLayout(group);
    groupRow->setContentsMargins(14, 12, 14, 12);
    groupRow->addWidget(m_start);
    groupRow->addStretch(1);

    m_year = new QCheckBox(
        QStringLiteral("Indica l'anno solare dopo il numero progressivo del documento"), this);
    m_year->setObjectName(QStringLiteral("chkTipo"));
    m_year->setCursor(Qt::PointingHandCursor);

    QPushButton *applica = kit::dialogButton(this, QStringLiteral("btnApplica"),
                                             QStringLiteral("Applica e chiudi"), QSize(120, 28));
    QPushButton *annulla = kit::dialogButton(this, QStringLiteral("btnAnnulla"),
                                             QStringLiteral("Annulla"), QSize(96, 28));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(applica);
    buttons->addWidget(annulla);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(14, 12, 14, 12);
    outer->setSpacing(10);
    outer->addWidget(group);
    outer->addWidget(m_year);
    outer->addStretch(1);
    outer->addLayout(buttons);

    auto *conventions = new kit::InputConventions(this, new QLabel(this), QString());
    conventions->status()->hide();
    conventions->addFocusFrame(m_start);

    connect(m_start, &QLineEdit::returnPressed, applica,
            [applica] { applica->setFocus(Qt::OtherFocusReason); });
    connect(applica, &QPushButton::clicked, this, &TfrmNumerazione::apply);
    connect(annulla, &QPushButton::clicked, this, [this] { closeWith(QDialog::Rejected); });
}

void TfrmNumerazione::setMode(const QString &mode)
{
    m_memory->setText(mode);
}

void TfrmNumerazione::showEvent(QShowEvent *event)
{
    kit::DialogWindow::showEvent(event);
    if (event->spontaneous() || m_memory->text() != kModeProtocollo)
        return;
    // A file that cannot be read shows as a new one; Applica then refuses
    // to write over it.
    const NumberingTexts texts = readNumberingTexts(settingsPath()).value_or(NumberingTexts{});
    m_start->setText(trimText(texts.start).isEmpty() ? QStringLiteral("1") : trimText(texts.start));
    m_year->setChecked(texts.year == QStringLiteral("Sì"));
    m_start->setFocus(Qt::OtherFocusReason);
}

void TfrmNumerazione::apply()
{
    if (m_memory->text() == kModeProtocollo) {
        // What New will read: always a start it can use.
        m_start->setText(normaliseStart(m_start->text()));
        if (!writeNumbering(settingsPath(), m_start->text(), m_year->isChecked())) {
            platform::dialogs().warning(
                QStringLiteral("Attenzione: l'impostazione della numerazione non è stata salvata.")
                    + lineBreak() + lineBreak()
                    + QStringLiteral("Accertarsi di possedere i privilegi di scrittura nella "
                                     "cartella di installazione del programma."),
                this);
            return;
        }
    }
    closeWith(QDialog::Accepted);
}

// --- The summary by interval ------------------------------------------------

void showIntervalSummary(QWidget *card)
{
    TfrmRiepProtocollo w(card);
    w.centre();
    w.exec();
}

TfrmRiepProtocollo::TfrmRiepProtocollo(QWidget *opener)
    : kit::DialogWindow(QStringLiteral("TfrmRiepProtocollo"),
                        QStringLiteral(" Riepilogo protocollo per intervallo di tempo"),
                        QSize(1000, 660), opener),
      m_opener(opener)
{
    const lists::ExportConfig &config = protocolExportConfig();
    m_grid = new lists::ExportGridModel(config.grid, this);
    lists::appendEmptyRows(*m_grid, config.designRows);
    m_view = lists::gridView(m_grid, this);
    m_view->setAccessibleName(QStringLiteral("Documenti protocollati nell'intervallo"));

    const QString dateHint = QStringLiteral("Indica una data nel formato gg/mm/aaa.");
    auto dateEdit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setMaxLength(10);
        e->setAlignment(Qt::AlignCenter);
        e->setFixedSize(110, 24);
        return e;
    };
    m_from = dateEdit("txtDataInizio");
    m_to = dateEdit("txtDataFine");
    QLabel *fromCaption = kit::captionFor(m_from, QStringLiteral("Protocollati dalla data:"), this);
    fromCaption->setObjectName(QStringLiteral("lblCampo001"));
    QLabel *toCaption = kit::captionFor(m_to, QStringLiteral("alla data:"), this);
    toCaption->setObjectName(QStringLiteral("Label1"));
    auto *trova = new kit::CommandButton(
        QStringLiteral("cmdTrova"), QStringLiteral("Visualizza"), QStringLiteral("trova"),
        QStringLiteral("Visualizza il riepilogo dei documenti protocollati nell'intervallo di "
                       "tempo selezionato."),
        this);
    auto *esporta = new kit::CommandButton(
        QStringLiteral("cmdEsporta"), QStringLiteral("Esporta"), QStringLiteral("excel"),
        QStringLiteral("Esporta l'archivio in formato Microsoft Excel."), this);
    auto *guida = new kit::CommandButton(
        QStringLiteral("cmdGuida"), QStringLiteral("Guida"), QStringLiteral("guida"),
        QStringLiteral("Visualizza la pagina della guida sensibile al contesto."), this);
    auto *esci = new kit::CommandButton(QStringLiteral("cmdEsci"), QStringLiteral("Esci"),
                                        QStringLiteral("esci"),
                                        QStringLiteral("Esci da questo ambiente di lavoro."), this);

    auto *status = new QLabel(this);
    status->setObjectName(QStringLiteral("panInfo"));
    status->setFrameShape(QFrame::StyledPanel);
    status->setFixedHeight(26);
    status->setIndent(6);
    m_skipped = new QLabel(this);
    m_skipped->setObjectName(QStringLiteral("lblNonElencate"));
    m_skipped->setStyleSheet(QStringLiteral("color: #a33;"));
    m_skipped->setWordWrap(true);
    m_skipped->hide();

    auto *criteria = new QFrame(this);
    criteria->setObjectName(QStringLiteral("panIntervallo"));
    criteria->setFrameShape(QFrame::StyledPanel);
    auto *top = new QHBoxLayout(criteria);
    top->setContentsMargins(12, 4, 8, 4);
    top->setSpacing(10);
    top->addWidget(fromCaption);
    top->addWidget(m_from);
    top->addSpacing(10);
    top->addWidget(toCaption);
    top->addWidget(m_to);
    top->addSpacing(10);
    top->addWidget(trova);
    top->addStretch(1);

    auto *commands = new QHBoxLayout;
    auto *notes = new QVBoxLayout;
    notes->addWidget(m_skipped);
    notes->addWidget(status);
    commands->addLayout(notes, 1);
    commands->addWidget(esporta, 0, Qt::AlignBottom);
    commands->addWidget(guida, 0, Qt::AlignBottom);
    commands->addWidget(esci, 0, Qt::AlignBottom);
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(10, 10, 10, 10);
    box->addWidget(criteria);
    box->addWidget(m_view, 1);
    box->addLayout(commands);

    // Once the fields sit in their panel, so that their frames follow them.
    auto *conventions = new kit::InputConventions(
        this, status, QStringLiteral("Riepilogo documenti protocollati in un intervallo di tempo."));
    conventions->addFocusFrame(m_from);
    conventions->addFocusFrame(m_to);
    conventions->setEnterChain({m_from, m_to}, true);
    conventions->addHint(m_from, dateHint);
    conventions->addHint(m_to, dateHint);
    conventions->addCommandHints();
    conventions->addClearOnHover(this);
    conventions->addClearOnHover(m_view->viewport());
    conventions->addClearOnHover(criteria);

    connect(trova, &QToolButton::clicked, this, &TfrmRiepProtocollo::build);
    connect(esporta, &QToolButton::clicked, this, &TfrmRiepProtocollo::exportRows);
    connect(guida, &QToolButton::clicked, this,
            [this] { kit::showHelp(this, kit::HelpPage::RiepProtocollo); });
    connect(esci, &QToolButton::clicked, this, [this] { closeWith(QDialog::Rejected); });
}

void TfrmRiepProtocollo::showEvent(QShowEvent *event)
{
    kit::DialogWindow::showEvent(event);
    if (event->spontaneous())
        return;
    m_from->clear();
    m_to->setText(formatDate(platform::clock().today()));
    m_from->setFocus(Qt::OtherFocusReason);
}

void TfrmRiepProtocollo::build()
{
    if (const auto refusal = checkInterval(m_from->text(), m_to->text())) {
        platform::dialogs().message(refusal->warning ? MessageKind::Warning : MessageKind::Plain,
                                    refusal->text, this);
        if (QWidget *w = kit::findControl(this, refusal->focus); w && !refusal->focus.isEmpty())
            w->setFocus(Qt::OtherFocusReason);
        return;
    }
    const IntervalResult result = fillInterval(*m_grid, openYearArchive(m_opener),
                                               parseDate(trimText(m_from->text())),
                                               parseDate(trimText(m_to->text())), true);
    m_skipped->setText(lists::unreadableText(result.skipped));
    m_skipped->setVisible(result.skipped > 0);
}

void TfrmRiepProtocollo::exportRows()
{
    lists::exportGrid(this, protocolExportConfig().sheet, *m_grid);
}

} // namespace pratelia::protocol
