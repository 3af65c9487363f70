#include "tariffario.h"

#include "app/kit/conventions.h"
#include "app/kit/help.h"
#include "checks/checkwindows.h"
#include "clients/attach.h"
#include "clients/clientlists.h"
#include "feeicons.h"
#include "feelists.h"
#include "platform/platform.h"
#include "store/fileio.h"
#include "store/recordfile.h"
#include "store/values.h"

#include <QCheckBox>
#include <QFrame>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QUrl>
#include <QVBoxLayout>

namespace pratelia::fees {

namespace {

const char *const kRestText = "Pronto per archiviare una nuova scheda...";
// The captions of the left-hand sections share one column width, so that
// their fields start on one line.
const int kCaptionWidth = 165;

struct CommandSpec {
    const char *name;
    const char *caption;
    const char *icon;
    const char *status;
};

// The command bar, left to right; the record position stands between
// Indietro and Avanti.
const CommandSpec kCommands[] = {
    {"cmdNuovo", "Nuovo", "nuovo",
     "Prepara la schermata per l'inserimento di una nuova scheda."},
    {"cmdDuplica", "Duplica", "duplica",
     "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti."},
    {"cmdSalva", "Salva", "salva", "Salva la scheda corrente in archivio."},
    {"cmdTrova", "Trova", "trova", "Trova una scheda in archivio."},
    {"cmdPrimo", "Primo", "primo", "Visualizza la prima scheda in archivio."},
    {"cmdIndietro", "Indietro", "indietro", "Visualizza la scheda precedente in archivio."},
    {"cmdAvanti", "Avanti", "avanti", "Visualizza la scheda successiva in archivio."},
    {"cmdUltimo", "Ultimo", "ultimo", "Visualizza l'ultima scheda in archivio."},
    {"cmdEsporta", "Esporta", "esporta",
     "Esporta le schede in archivio in un file di Microsoft Excel."},
    {"cmdStampa", "Stampa", "stampa", "Stampa la scheda corrente."},
    {"cmdFile", "Allegati", "file", "Allega file alla scheda corrente."},
    {"cmdScontate", "Scontate", "scontate",
     "Visualizza il riepilogo dei servizi con tariffa scontata."},
    {"cmdGuida", "Guida", "guida", "Visualizza la guida in linea."},
    {"cmdEsci", "Esci", "esci", "Esci da questa schermata di lavoro."},
};

QString u8(const char *s)
{
    return QString::fromUtf8(s);
}

} // namespace

TfrmTariffario::TfrmTariffario(QWidget *parent)
    : kit::FullScreenWindow(QStringLiteral("TfrmTariffario"),
                            QStringLiteral(" Pratelia - Tariffario Servizi"), parent)
{
    buildControls();
    newCard();
}

QLineEdit *TfrmTariffario::field(const QString &name) const
{
    return findChild<QLineEdit *>(name);
}

void TfrmTariffario::buildControls()
{
    QWidget *p = panel();
    p->setObjectName(QStringLiteral("panMain"));
    auto *status = new QLabel(p);
    status->setObjectName(QStringLiteral("panInfo"));
    m_conventions = new kit::InputConventions(this, status, u8(kRestText));

    auto *outer = new QVBoxLayout(p);
    outer->setContentsMargins(8, 4, 8, 4);
    outer->setSpacing(10);

    // Command bar.
    auto *bar = new QFrame(p);
    bar->setObjectName(QStringLiteral("panComandi"));
    bar->setFrameShape(QFrame::StyledPanel);
    m_conventions->addClearOnHover(bar);
    auto *barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(4, 2, 4, 2);
    barLayout->setSpacing(2);
    for (const CommandSpec &c : kCommands) {
        auto *b = new kit::CommandButton(u8(c.name), u8(c.caption), u8(c.icon), u8(c.status), bar);
        b->setFixedWidth(64);
        barLayout->addWidget(b);
        if (qstrcmp(c.name, "cmdIndietro") == 0) {
            m_position = new QLabel(bar);
            m_position->setObjectName(QString::fromLatin1(kPositionLabel));
            m_position->setAlignment(Qt::AlignCenter);
            m_position->setFixedWidth(56);
            m_position->setAccessibleName(QStringLiteral("Numero della scheda"));
            m_position->setStyleSheet(QStringLiteral(
                "QLabel { border: 1px solid #9aa7b4; background: white; font-weight: bold; }"));
            m_position->setFixedHeight(26);
            barLayout->addWidget(m_position);
        }
    }
    barLayout->addStretch();
    outer->addWidget(bar);

    auto makeField = [this](QWidget *parent, const QString &name) {
        auto *e = new QLineEdit(parent);
        e->setObjectName(name);
        e->setMaxLength(maxLength(name));
        return e;
    };
    auto makeGroup = [this, p](const QString &name, const QString &title) {
        auto *g = new QGroupBox(title, p);
        g->setObjectName(name);
        m_conventions->addClearOnHover(g);
        auto *grid = new QGridLayout(g);
        grid->setContentsMargins(12, 12, 12, 10);
        grid->setHorizontalSpacing(10);
        grid->setVerticalSpacing(11);
        return std::pair{g, grid};
    };
    auto addRow = [](QGridLayout *grid, int row, QLineEdit *e, const QString &caption,
                     QWidget *extra = nullptr) {
        grid->addWidget(kit::captionFor(e, caption, e->parentWidget()), row, 0);
        if (extra) {
            grid->addWidget(e, row, 1);
            grid->addWidget(extra, row, 2);
        } else {
            grid->addWidget(e, row, 1, 1, 2);
        }
    };
    auto smallCommand = [this](QWidget *parent, const char *name, const char *caption,
                               const char *icon, const char *status) {
        auto *b = new kit::CommandButton(u8(name), u8(caption), u8(icon), u8(status), parent);
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setIconSize(QSize(20, 20));
        b->setFixedSize(28, 26);
        b->setToolTip(u8(caption));
        return b;
    };

    // The service and its fees (left) and the person in charge (right).
    auto *top = new QHBoxLayout;
    top->setSpacing(12);
    auto [service, sg] = makeGroup(QStringLiteral("fraServizio"), QStringLiteral("Servizio"));
    auto *txtID = makeField(service, QStringLiteral("txtID"));
    txtID->setAlignment(Qt::AlignCenter);
    txtID->setFixedWidth(200);
    sg->addWidget(kit::captionFor(txtID, QStringLiteral("Codice ID servizio:"), service), 0, 0);
    sg->addWidget(txtID, 0, 1, 1, 3, Qt::AlignLeft);
    auto *txtTipologia = makeField(service, QStringLiteral("txtTipologia"));
    sg->addWidget(kit::captionFor(txtTipologia, QStringLiteral("Tipologia:"), service), 1, 0);
    sg->addWidget(txtTipologia, 1, 1, 1, 3);
    auto *txtDescrizione = makeField(service, QStringLiteral("txtDescrizione"));
    sg->addWidget(kit::captionFor(txtDescrizione, QStringLiteral("Descrizione:"), service), 2, 0);
    sg->addWidget(txtDescrizione, 2, 1, 1, 3);
    auto *txtOrdinaria = makeField(service, QStringLiteral("txtOrdinaria"));
    auto *txtScontata = makeField(service, QStringLiteral("txtScontata"));
    for (QLineEdit *fee : {txtOrdinaria, txtScontata}) {
        fee->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        fee->setFixedWidth(130);
        kit::InputConventions::installAmountFilter(fee);
        kit::InputConventions::installMoneyNormalise(fee);
    }
    sg->addWidget(kit::captionFor(txtOrdinaria, QStringLiteral("Tariffa ordinaria:"), service), 3, 0);
    sg->addWidget(txtOrdinaria, 3, 1, Qt::AlignLeft);
    m_discounted = new QCheckBox(QStringLiteral("Tariffa scontata"), service);
    m_discounted->setObjectName(QString::fromLatin1(kFlagControl));
    m_conventions->addHint(m_discounted, u8("Spunta questa casella per indicare che il servizio "
                                            "viene fornito a tariffa scontata."));
    sg->addWidget(kit::captionFor(txtScontata, QStringLiteral("Tariffa scontata:"), service), 4, 0);
    auto *feeRow = new QHBoxLayout;
    feeRow->setSpacing(18);
    feeRow->addWidget(txtScontata);
    feeRow->addWidget(m_discounted);
    feeRow->addStretch();
    sg->addLayout(feeRow, 4, 1, 1, 3);
    auto *txtSpese = makeField(service, QStringLiteral("txtSpese"));
    sg->addWidget(kit::captionFor(txtSpese, QStringLiteral("Spese accessorie:"), service), 5, 0);
    sg->addWidget(txtSpese, 5, 1, 1, 3);
    findChild<kit::CommandButton *>(QStringLiteral("cmdScontate"))->setIcon(handWithCoinIcon());
    sg->setColumnMinimumWidth(0, kCaptionWidth);
    sg->setColumnStretch(1, 0);
    sg->setColumnStretch(3, 1);
    top->addWidget(service, 3);

    auto [person, pg] = makeGroup(QStringLiteral("fraPersona"), QStringLiteral("Persona addetta"));
    auto *txtPersona = makeField(person, QStringLiteral("txtPersona"));
    auto *impPersona = smallCommand(person, "impPersona", "Importa dall'anagrafica", "importa",
                                    "Importa i dati dall'archivio anagrafico dei clienti.");
    impPersona->setIcon(importArrowIcon());
    addRow(pg, 0, txtPersona, QStringLiteral("Persona addetta:"), impPersona);
    auto *txtCodFisc = makeField(person, QStringLiteral("txtCodFisc"));
    kit::InputConventions::installUpperCase(txtCodFisc);
    txtCodFisc->installEventFilter(this);
    addRow(pg, 1, txtCodFisc, QStringLiteral("Codice fiscale:"),
           smallCommand(person, "btnCodFisc", "Controlla", "controlla",
                        "Controlla il codice fiscale."));
    auto *txtRecapito = makeField(person, QStringLiteral("txtRecapito"));
    addRow(pg, 2, txtRecapito, QStringLiteral("Tel. preferenziale:"));
    auto *txtEmail = makeField(person, QStringLiteral("txtEmail"));
    txtEmail->installEventFilter(this);
    addRow(pg, 3, txtEmail, QStringLiteral("E-mail:"),
           smallCommand(person, "btnEmail", "Invia e-mail", "email",
                        "Invia una e-mail all'indirizzo indicato."));
    pg->setRowStretch(4, 1);
    pg->setColumnStretch(1, 1);
    top->addWidget(person, 2);
    outer->addLayout(top);

    // What the client needs to know.
    auto [info, ig] = makeGroup(QStringLiteral("fraInformazioni"),
                                QStringLiteral("Informazioni pratiche per il cliente"));
    const char *const practical[][2] = {
        {"txtUffici", "Uffici interessati:"}, {"txtRequisiti", "Requisiti necessari:"},
        {"txtDocumenti", "Documenti richiesti:"}, {"txtPagamento", "Modalità pagamento:"},
        {"txtTempi", "Tempi occorrenti:"}, {"txtNote", "Note:"},
    };
    int row = 0;
    for (const auto &f : practical)
        addRow(ig, row++, makeField(info, u8(f[0])), u8(f[1]));
    ig->setColumnMinimumWidth(0, kCaptionWidth);
    ig->setColumnStretch(1, 1);
    outer->addWidget(info);

    // The request form.
    auto [form, fg] = makeGroup(QStringLiteral("fraModulo"),
                                QStringLiteral("Modulo per la richiesta del servizio"));
    auto *txtCopia = makeField(form, QStringLiteral("txtCopia"));
    txtCopia->setReadOnly(true);
    fg->addWidget(kit::captionFor(txtCopia, u8("Modulo richiesta servizio:"), form), 0, 0);
    fg->addWidget(txtCopia, 0, 1);
    auto *sfoglia = new QPushButton(QStringLiteral("Sfoglia..."), form);
    sfoglia->setObjectName(QStringLiteral("btnSfoglia"));
    m_open = new QPushButton(QStringLiteral("Apri"), form);
    m_open->setObjectName(QStringLiteral("btnApri"));
    for (QPushButton *b : {sfoglia, m_open}) {
        b->setCursor(Qt::PointingHandCursor);
        b->setFixedWidth(90);
    }
    m_conventions->addHint(sfoglia, u8("Seleziona il file del modulo da allegare alla scheda corrente."));
    m_conventions->addHint(m_open, u8("Apri il file del modulo allegato alla scheda corrente."));
    auto *cancella = smallCommand(form, "imgCancella01", "Cancella modulo", "cancella",
                                  "Cancella la copia digitale del modulo per la richiesta del "
                                  "servizio.");
    fg->addWidget(sfoglia, 0, 2);
    fg->addWidget(m_open, 0, 3);
    fg->addWidget(cancella, 0, 4);
    fg->setColumnMinimumWidth(0, kCaptionWidth);
    fg->setColumnStretch(1, 1);
    outer->addWidget(form);
    outer->addStretch();

    status->setFrameShape(QFrame::StyledPanel);
    status->setFrameShadow(QFrame::Sunken);
    status->setMinimumWidth(560);
    status->setFixedHeight(22);
    auto *statusRow = new QHBoxLayout;
    statusRow->addWidget(status);
    statusRow->addStretch(1);
    outer->addLayout(statusRow);

    // The hidden state: the six attachment labels.
    for (const FieldLink &l : attachmentLabels()) {
        auto *hidden = new QLabel(p);
        hidden->setObjectName(l.control);
        hidden->hide();
    }

    m_conventions->addFocusFrames();
    m_conventions->addCommandHints();
    m_conventions->addClearOnHover(p);
    m_conventions->addClearOnHover(this); // the margin around the panel

    QVector<QWidget *> chain;
    for (const FieldLink &l : editFields())
        chain.append(field(l.control));
    m_conventions->setEnterChain(chain, false);
    QWidget *previous = chain.first();
    for (QWidget *next : QVector<QWidget *>(chain.begin() + 1, chain.end())
                             + QVector<QWidget *>{sfoglia, m_open, m_discounted}) {
        setTabOrder(previous, next);
        previous = next;
    }

    connect(txtCopia, &QLineEdit::textChanged, this,
            [this](const QString &t) { m_open->setEnabled(!trimText(t).isEmpty()); });
    m_open->setEnabled(false);

    auto on = [this](const char *name, auto method) {
        QAbstractButton *b = findChild<QAbstractButton *>(QString::fromLatin1(name));
        connect(b, &QAbstractButton::clicked, this, method);
    };
    on("cmdNuovo", &TfrmTariffario::newCard);
    on("cmdDuplica", &TfrmTariffario::duplicate);
    on("cmdSalva", &TfrmTariffario::save);
    on("cmdTrova", &TfrmTariffario::findCard);
    on("cmdPrimo", [this] { browse(Browse::First); });
    on("cmdIndietro", [this] { browse(Browse::Previous); });
    on("cmdAvanti", [this] { browse(Browse::Next); });
    on("cmdUltimo", [this] { browse(Browse::Last); });
    on("cmdEsporta", &TfrmTariffario::exportArchive);
    on("cmdStampa", &TfrmTariffario::printCard);
    on("cmdFile", &TfrmTariffario::attachFiles);
    on("cmdScontate", &TfrmTariffario::showDiscounted);
    on("cmdGuida", &TfrmTariffario::showHelpPage);
    on("cmdEsci", [this] { close(); });
    on("impPersona", &TfrmTariffario::importPerson);
    on("btnCodFisc", &TfrmTariffario::checkTaxCode);
    on("btnEmail", &TfrmTariffario::sendEmail);
    on("btnSfoglia", &TfrmTariffario::chooseRequestForm);
    on("btnApri", &TfrmTariffario::openRequestForm);
    on("imgCancella01", &TfrmTariffario::clearRequestForm);
}

CardFields TfrmTariffario::card() const
{
    return readControls(this, cardControls());
}

void TfrmTariffario::setCard(const CardFields &values)
{
    writeControls(this, cardControls(), values);
    recordHandedOver();
}

void TfrmTariffario::recordHandedOver()
{
    for (const FieldLink &l : editFields())
        field(l.control)->setCursorPosition(0);
}

void TfrmTariffario::showEvent(QShowEvent *event)
{
    // Each showing from the menu starts on a new card.
    if (!event->spontaneous()) {
        newCard();
        m_conventions->resetStatus();
    }
    kit::FullScreenWindow::showEvent(event);
}

bool TfrmTariffario::eventFilter(QObject *watched, QEvent *event)
{
    // The tax code and the e-mail address never keep blanks at their ends.
    if (event->type() == QEvent::KeyRelease) {
        if (auto *e = qobject_cast<QLineEdit *>(watched)) {
            const QString t = trimText(e->text());
            if (t != e->text()) {
                const int pos = std::min<int>(e->cursorPosition(), t.size());
                e->setText(t);
                e->setCursorPosition(pos);
            }
        }
    }
    return kit::FullScreenWindow::eventFilter(watched, event);
}

void TfrmTariffario::newCard()
{
    setCard(blankCard());
    field(QStringLiteral("txtID"))->setFocus();
}

void TfrmTariffario::duplicate()
{
    if (positionNumber(m_position->text()) == 0) {
        platform::dialogs().warning(u8("Attenzione: la duplicazione di una scheda può avvenire "
                                       "soltanto dopo che questa è stata inserita in archivio."),
                                    this);
        return;
    }
    setCard(duplicated(card()));
    field(QStringLiteral("txtID"))->setFocus();
    platform::dialogs().information(
        u8("E' ora possibile apportare le proprie modifiche alla scheda corrente.") + lineBreak()
            + lineBreak() + u8("Al termine premere Salva per inserire la scheda in archivio."),
        this);
}

void TfrmTariffario::save()
{
    const CardFields values = card();
    if (const auto missing = firstMissingField(values)) {
        platform::dialogs().warning(missing->message, this);
        field(missing->control)->setFocus();
        return;
    }
    const Record record = recordFromCard(values);
    const int number = positionNumber(values.value(QString::fromLatin1(kPositionLabel)));
    try {
        if (number > 0) {
            updateRecord(archivePath(), record, number);
            platform::dialogs().information(
                u8("Le modifiche apportate alla scheda corrente sono state salvate in archivio."),
                this);
        } else {
            RecordFile file;
            file.openOrCreate(archivePath(), fees::layout());
            const int added = file.append(record);
            // The record is in the archive from here on, even if closing the
            // file fails: the card is that record, so that trying again
            // overwrites it instead of adding a copy.
            m_position->setText(QString::number(added));
            file.close();
            platform::dialogs().information(u8("La scheda corrente è stata inserita in archivio."),
                                            this);
        }
    } catch (const ArchiveError &) {
        platform::dialogs().error(FileAccessErrorText(), this);
    }
}

void TfrmTariffario::browse(Browse command)
{
    CardFields shown;
    int target = 0;
    try {
        RecordFile file;
        file.openOrCreate(archivePath(), fees::layout(), RecordFile::Access::ReadOnly);
        target = browseTarget(command, file.size(), positionNumber(m_position->text()));
        if (target > 0) {
            file.seek(target - 1);
            shown = cardFromRecord(file.read().view(), target);
        }
        file.close();
    } catch (const ArchiveError &) {
        platform::dialogs().error(FileAccessErrorText(), this);
        return;
    }
    if (target > 0) {
        setCard(shown);
    } else if (target < 0) {
        if (command == Browse::Next)
            m_position->clear();
        platform::dialogs().information(emptyArchiveText(), this);
    }
}

void TfrmTariffario::importPerson()
{
    clients::showClientSearch(this, QStringLiteral("tariffario"));
}

void TfrmTariffario::checkTaxCode()
{
    checks::showTaxCodeButton(this, trimText(field(QStringLiteral("txtCodFisc"))->text()));
}

void TfrmTariffario::sendEmail()
{
    const QString address = trimText(field(QStringLiteral("txtEmail"))->text());
    platform::shell().open(QUrl(QStringLiteral("mailto:") + address));
}

void TfrmTariffario::chooseRequestForm()
{
    const QString chosen = platform::dialogs().chooseFile(
        this, u8("Selezionare il file da allegare:"), QString(), u8("Tutti i file (*.*)"));
    if (chosen.isEmpty())
        return;
    const QString name = QFileInfo(chosen).fileName();
    field(QStringLiteral("txtCopia"))->setText(name);

    // Failures from here on are silent: the name stays on the card.
    const QString destination = clients::attachmentPath(name);
    if (destination.isEmpty() || !QDir().mkpath(clients::attachmentsFolder()))
        return;
    const QFileInfo source(chosen), target(destination);
    if (target.exists() && source.canonicalFilePath() == target.canonicalFilePath())
        return; // chosen from the attachments folder itself
    if (QFileInfo::exists(destination)
        && !platform::dialogs().question(
            u8("Attenzione: nella cartella dei documenti allegati è presente un file con lo "
               "stesso nome.")
                + lineBreak() + lineBreak() + u8("Si vuole sovrascrivere il file esistente?"),
            this))
        return;
    clients::copyDocument(chosen, destination);
}

void TfrmTariffario::openRequestForm()
{
    const QString name = trimText(field(QStringLiteral("txtCopia"))->text());
    if (name.isEmpty())
        return;
    const QString path = clients::attachmentPath(name);
    if (!path.isEmpty())
        platform::openPath(path);
}

void TfrmTariffario::clearRequestForm()
{
    field(QStringLiteral("txtCopia"))->clear();
}

void TfrmTariffario::attachFiles()
{
    clients::showAttachWindow(this, QStringLiteral("tariffario"));
}

void TfrmTariffario::findCard()
{
    showFeeSearch(this, QStringLiteral("tariffario"));
}

void TfrmTariffario::exportArchive()
{
    showFeeExport(this);
}

void TfrmTariffario::printCard()
{
    showFeeCardPrint(this);
}

void TfrmTariffario::showDiscounted()
{
    showDiscountedFees(this);
}

void TfrmTariffario::showHelpPage()
{
    kit::showHelp(this, kit::HelpPage::Tariffario);
}

} // namespace pratelia::fees
