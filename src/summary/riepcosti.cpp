#include "riepcosti.h"

#include "kit/binding.h"
#include "kit/boxes.h"
#include "kit/conventions.h"
#include "kit/fieldrules.h"
#include "kit/help.h"
#include "kit/links.h"
#include "kit/yearmenu.h"
#include "clients/clientlists.h"
#include "lists/linemodel.h"
#include "lists/listwindows.h"
#include "platform/platform.h"
#include "report/report.h"
#include "store/values.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace pratelia::summary {

namespace {

const QString kCaption = QStringLiteral(" Pratelia - Riepilogo Compensi");

const char *kSelectionStyle =
    "QWidget#panMain { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #eef3f8, stop:1 #d9e3ee); }"
    "QFrame#panRiepilogo { background: white; border: 1px solid #b9c7d6; border-radius: 12px; }"
    "QFrame#panRiepilogo QLabel { border: none; background: transparent; }"
    "QLabel#lblTitolo { color: #173456; font-size: 20pt; font-weight: bold; }"
    "QLabel#lblCampo01, QLabel#lblCampo03 { color: #1f4a78; font-size: 11pt; font-weight: bold; }"
    "QLabel#lblCampo02 { color: #3c4b5c; font-style: italic; }"
    "QLabel#lblAttendere { color: #a00000; font-weight: bold; }"
    "QGroupBox { font-weight: bold; color: #1f4a78; border: 1px solid #b9c7d6; border-radius: 8px;"
    "  margin-top: 12px; padding: 14px 10px 8px 10px; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 12px; padding: 0 2px; }"
    "QLabel#lblAnnoInizio, QLabel#lblAnnoFine { font-size: 12pt; font-weight: bold; color: #173456; }"
    "QPushButton { font-size: 11pt; font-weight: bold; padding: 6px 18px; }";

const char *kResultStyle =
    "QDialog#TfrmRiepCosti { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #eef3f8, stop:1 #d9e3ee); }"
    "QFrame#panIntestazione, QFrame#panTotale { background: white; border: 1px solid #b9c7d6; border-radius: 10px; }"
    "QFrame#panIntestazione QLabel, QFrame#panTotale QLabel { border: none; background: transparent; }"
    "QLabel#lblTitolo { color: #173456; font-size: 18pt; font-weight: bold; }"
    "QLabel#lblTipologia, QLabel#infIntervallo { color: #3c4b5c; font-size: 11pt; }"
    "QLabel#titTipologia, QLabel#lblIntervallo { color: #173456; font-size: 11pt; font-weight: bold; }"
    "QLabel#infTotKmPercorsi { color: #173456; font-size: 14pt; font-weight: bold; }"
    "QLabel#lblTotCosti { color: #173456; font-size: 14pt; font-weight: bold; min-width: 170px;"
    "  border: 1px solid #b9c7d6; border-radius: 4px; padding: 2px 8px; background: #f4f8fc; }"
    "QLabel#lblNonLeggibili { color: #a00000; font-weight: bold; }"
    "QPushButton { font-size: 11pt; font-weight: bold; padding: 6px 18px; }";

QLabel *textLabel(const char *name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setWordWrap(true);
    return l;
}

kit::ChoiceBox *choiceBox(const char *name, const QStringList &items, int maxLength,
                          Qt::CaseSensitivity matching, QWidget *parent)
{
    auto *box = new kit::ChoiceBox(items, parent, matching);
    box->setObjectName(QLatin1String(name));
    box->setMinimumWidth(maxLength > 2 ? 150 : 70);
    if (QLineEdit *edit = box->lineEdit())
        edit->setMaxLength(maxLength);
    return box;
}

QToolButton *helpButton(QWidget *parent)
{
    QToolButton *help = kit::pictureButton(QStringLiteral("imgGuida"), QStringLiteral("guida"),
                                           QStringLiteral("Guida"), 44, parent);
    help->setToolTip(QStringLiteral("Visualizza la guida in linea."));
    help->setAccessibleDescription(help->toolTip());
    help->setFixedSize(56, 56);
    return help;
}

} // namespace

// ---------------------------------------------------------------------------

TfrmMenuRiepCosti::TfrmMenuRiepCosti(QWidget *parent)
    : kit::FullScreenWindow(QStringLiteral("TfrmMenuRiepCosti"), kCaption, parent)
{
    QWidget *p = panel();
    p->setAttribute(Qt::WA_StyledBackground);
    p->setStyleSheet(QString::fromLatin1(kSelectionStyle));
    setStyleSheet(QStringLiteral("QWidget#TfrmMenuRiepCosti { background: #c9d5e2; }"));

    m_file = kit::hiddenLabel(QStringLiteral("lblFile"), p);
    m_startDate = kit::hiddenLabel(QStringLiteral("lblDataInizio"), p);
    m_endDate = kit::hiddenLabel(QStringLiteral("lblDataFine"), p);

    auto *box = new QFrame(p);
    box->setObjectName(QStringLiteral("panRiepilogo"));
    box->setFixedWidth(860);

    auto *picture = new QLabel(box);
    picture->setObjectName(QStringLiteral("imgMenu"));
    picture->setPixmap(kit::commandIcon(QStringLiteral("riepilogo")).pixmap(64, 64));
    auto *title = new QLabel(QStringLiteral("Riepilogo Compensi"), box);
    title->setObjectName(QStringLiteral("lblTitolo"));

    auto *campo01 = textLabel("lblCampo01",
                              QStringLiteral("Indicare l'anno solare di interesse, il codice fiscale del "
                                             "cliente e/o la tipologia di servizi."),
                              box);

    m_year = kit::yearField(QStringLiteral("txtAnno"), box);
    m_year->setFixedWidth(90);
    m_client = new QLineEdit(box);
    m_client->setObjectName(QStringLiteral("txtCliente"));
    m_client->setMaxLength(16);
    m_client->setFixedWidth(230);
    kit::installFieldRules(m_client, kit::FieldRules{kit::TrimTyped | kit::UpperTyped, 16});
    auto *import = new kit::CommandButton(QStringLiteral("impCliente"), QStringLiteral("Importa"),
                                          QStringLiteral("importa"),
                                          QStringLiteral("Importa il codice fiscale di un cliente "
                                                         "dall'archivio clienti."),
                                          box);
    import->setToolButtonStyle(Qt::ToolButtonIconOnly);
    import->setIconSize(QSize(26, 26));
    import->setToolTip(import->statusText());
    m_type = new QLineEdit(box);
    m_type->setObjectName(QStringLiteral("txtTarga"));
    m_type->setMaxLength(250);
    kit::installFieldRules(m_type, kit::FieldRules{kit::Plain, 250});

    auto *form = new QGridLayout;
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(10);
    form->addWidget(kit::captionFor(m_year, QStringLiteral("Anno:"), box), 0, 0, Qt::AlignRight);
    form->addWidget(m_year, 0, 1, Qt::AlignLeft);
    form->addWidget(kit::captionFor(m_client, QStringLiteral("Codice fiscale cliente:"), box), 1, 0,
                    Qt::AlignRight);
    auto *clientRow = new QHBoxLayout;
    clientRow->setSpacing(6);
    clientRow->addWidget(m_client);
    clientRow->addWidget(import);
    clientRow->addStretch(1);
    form->addLayout(clientRow, 1, 1);
    form->addWidget(kit::captionFor(m_type, QStringLiteral("Tipologia servizio:"), box), 2, 0,
                    Qt::AlignRight);
    form->addWidget(m_type, 2, 1);
    form->setColumnStretch(1, 1);

    auto *campo02 = textLabel("lblCampo02",
                              QStringLiteral("Per ottenere il riepilogo dei compensi relativi ai servizi "
                                             "erogati a tutti i clienti, lasciare in bianco i campi di "
                                             "testo."),
                              box);
    auto *campo03 = textLabel("lblCampo03",
                              QStringLiteral("Indicare l'intervallo di tempo relativo al periodo da "
                                             "riepilogare in base alla data di richiesta del servizio."),
                              box);

    auto dateGroup = [&](const char *name, const QString &caption, const char *day,
                         const char *month, const char *yearLabel, kit::ChoiceBox *&dayBox,
                         kit::ChoiceBox *&monthBox, QLabel *&year) {
        auto *group = new QGroupBox(caption, box);
        group->setObjectName(QLatin1String(name));
        dayBox = choiceBox(day, dayNames(), 2, Qt::CaseSensitive, group);
        monthBox = choiceBox(month, monthNames(), 9, Qt::CaseInsensitive, group);
        year = new QLabel(group);
        year->setObjectName(QLatin1String(yearLabel));
        auto *grid = new QGridLayout(group);
        grid->setHorizontalSpacing(10);
        grid->addWidget(kit::captionFor(dayBox, QStringLiteral("Giorno:"), group), 0, 0);
        grid->addWidget(kit::captionFor(monthBox, QStringLiteral("Mese:"), group), 0, 1);
        grid->addWidget(new QLabel(QStringLiteral("Anno:"), group), 0, 2);
        grid->addWidget(dayBox, 1, 0);
        grid->addWidget(monthBox, 1, 1);
        grid->addWidget(year, 1, 2);
        grid->setColumnStretch(3, 1);
        return group;
    };
    QGroupBox *start = dateGroup("grpDataInizio", QStringLiteral(" Data inizio intervallo: "),
                                 "txtGiornoInizio", "txtMeseInizio", "lblAnnoInizio", m_startDay,
                                 m_startMonth, m_startYear);
    QGroupBox *end = dateGroup("grpDataFine", QStringLiteral(" Data fine intervallo: "),
                               "txtGiornoFine", "txtMeseFine", "lblAnnoFine", m_endDay, m_endMonth,
                               m_endYear);
    auto *dates = new QHBoxLayout;
    dates->setSpacing(18);
    dates->addWidget(start, 1);
    dates->addWidget(end, 1);

    m_show = kit::dialogButton(box, QStringLiteral("btnVisualizza"),
                               QStringLiteral("Visualizza riepilogo"), QSize(200, 40));
    auto *exit = kit::dialogButton(box, QStringLiteral("btnEsci"), QStringLiteral("Esci"),
                                   QSize(110, 40));
    m_wait = textLabel("lblAttendere", QStringLiteral("Caricamento riepilogo in corso. Attendere..."),
                       box);
    m_wait->hide();
    // The notice appearing must not move the buttons under the mouse.
    QSizePolicy keep = m_wait->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_wait->setSizePolicy(keep);

    auto *top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(picture);
    top->addWidget(title, 1);
    QToolButton *help = helpButton(box);
    top->addWidget(help, 0, Qt::AlignTop);
    auto *commands = new QHBoxLayout;
    commands->addWidget(m_wait, 1);
    commands->addWidget(m_show);
    commands->addWidget(exit);

    auto *outer = new QVBoxLayout(box);
    outer->setContentsMargins(30, 20, 30, 22);
    outer->setSpacing(12);
    outer->addLayout(top);
    outer->addWidget(campo01);
    outer->addLayout(form);
    outer->addWidget(campo02);
    outer->addSpacing(6);
    outer->addWidget(campo03);
    outer->addLayout(dates);
    outer->addSpacing(14);
    outer->addLayout(commands);
    // As tall as its content, in the middle of the panel.
    box->setFixedHeight(box->sizeHint().height());
    box->move((kPanelWidth - box->width()) / 2, (kPanelHeight - box->height()) / 2);

    auto *conventions = new kit::InputConventions(this, nullptr, QString());
    for (QWidget *w : {static_cast<QWidget *>(m_year), static_cast<QWidget *>(m_client),
                       static_cast<QWidget *>(m_type), static_cast<QWidget *>(m_startDay),
                       static_cast<QWidget *>(m_startMonth), static_cast<QWidget *>(m_endDay),
                       static_cast<QWidget *>(m_endMonth)})
        conventions->addFocusFrame(w);
    conventions->setEnterChain({m_year, m_client, m_type, m_startDay, m_startMonth, m_endDay,
                                m_endMonth, m_show},
                               false);
    // Installed after the chain, so it sees Enter first.
    kit::enterPresses(m_show);
    kit::enterPresses(exit);

    // The year labels follow the year field, whatever changed it.
    connect(m_year, &QLineEdit::textChanged, this, &TfrmMenuRiepCosti::copyYear);
    connect(m_show, &QPushButton::pressed, this, [this] {
        m_wait->show();
        m_wait->repaint();
    });
    connect(m_show, &QPushButton::clicked, this, &TfrmMenuRiepCosti::showSummary);
    connect(exit, &QPushButton::clicked, this, [this] { close(); });
    connect(import, &QToolButton::clicked, this, &TfrmMenuRiepCosti::importClient);
    connect(help, &QToolButton::clicked, this, [this] { kit::showHelp(this, kit::HelpPage::RiepCosti); });
}

void TfrmMenuRiepCosti::copyYear()
{
    const QString year = trimText(m_year->text());
    m_startYear->setText(year);
    m_endYear->setText(year);
}

void TfrmMenuRiepCosti::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        m_client->clear();
        m_type->clear();
        for (kit::ChoiceBox *b : {m_startDay, m_startMonth, m_endDay, m_endMonth}) {
            b->setCurrentIndex(-1);
            b->setEditText(QString());
        }
        m_wait->hide();
        m_year->setText(QString::number(platform::clock().today().year()).rightJustified(4, u'0'));
        copyYear();
        m_client->setFocus(Qt::OtherFocusReason);
    }
    kit::FullScreenWindow::showEvent(event);
}

void TfrmMenuRiepCosti::importClient()
{
    clients::showClientSearch(this, QStringLiteral("riepilogo"));
    // What the search handed over goes through the field's own rule.
    m_client->setText(clientFilterText(m_client->text()).left(16));
}

void TfrmMenuRiepCosti::showSummary()
{
    m_startDate->clear();
    m_endDate->clear();
    copyYear();
    Selection s;
    s.year = m_year->text();
    s.yearLabel = m_startYear->text();
    s.startDay = m_startDay->currentText();
    s.startMonth = m_startMonth->currentText();
    s.endDay = m_endDay->currentText();
    s.endMonth = m_endMonth->currentText();
    const SelectionCheck check = checkSelection(s);
    m_startDate->setText(check.startDate);
    m_endDate->setText(check.endDate);
    if (!check.ok) {
        m_wait->hide();
        platform::dialogs().message(check.kind, check.message, this);
        if (!check.focus.isEmpty())
            if (QWidget *w = findChild<QWidget *>(check.focus))
                w->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_file->setText(summaryArchivePath(s.year));

    TfrmRiepCosti result(this);
    if (!result.build()) {
        m_wait->hide();
        platform::dialogs().plain(QStringLiteral("Attenzione: il file di archivio non risulta accessibile."),
                                  this);
        return;
    }
    m_result = &result;
    result.exec();
    m_result = nullptr;
    m_wait->hide();
}

// ---------------------------------------------------------------------------

QString &TfrmRiepCosti::previousFind()
{
    static QString key;
    return key;
}

TfrmRiepCosti::TfrmRiepCosti(QWidget *selection)
    : QDialog(selection, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                             | Qt::WindowMaximizeButtonHint),
      m_selection(selection)
{
    setObjectName(QStringLiteral("TfrmRiepCosti"));
    setWindowTitle(kCaption);
    setModal(true);
    setMinimumSize(kit::FullScreenWindow::kPanelWidth, kit::FullScreenWindow::kPanelHeight);
    setStyleSheet(QString::fromLatin1(kResultStyle));

    // Heading: the filter and the interval.
    auto *head = new QFrame(this);
    head->setObjectName(QStringLiteral("panIntestazione"));
    auto *picture = new QLabel(head);
    picture->setPixmap(kit::commandIcon(QStringLiteral("riepilogo")).pixmap(48, 48));
    auto *title = new QLabel(QStringLiteral("Riepilogo Compensi"), head);
    title->setObjectName(QStringLiteral("lblTitolo"));
    auto *clientCaption = new QLabel(QStringLiteral("C.F. cliente:"), head);
    clientCaption->setObjectName(QStringLiteral("lblTipologia"));
    m_client = new QLabel(QStringLiteral("- - -"), head);
    m_client->setObjectName(QStringLiteral("titTipologia"));
    m_client->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *intervalCaption = new QLabel(QStringLiteral("Intervallo selezionato:"), head);
    intervalCaption->setObjectName(QStringLiteral("infIntervallo"));
    m_interval = new QLabel(QStringLiteral("Dal gg/mm/aaaa al gg/mm/aaaa"), head);
    m_interval->setObjectName(QStringLiteral("lblIntervallo"));
    QToolButton *help = helpButton(head);
    m_count = kit::hiddenLabel(QStringLiteral("lblConta"), head, QStringLiteral("0"));

    // The title on top, the filter and the interval under it: both stay
    // whole at the narrowest width the window takes.
    auto *titleRow = new QHBoxLayout;
    titleRow->setSpacing(14);
    titleRow->addWidget(picture);
    titleRow->addWidget(title);
    titleRow->addStretch(1);
    titleRow->addWidget(help);
    auto *facts = new QHBoxLayout;
    facts->setSpacing(8);
    facts->addSpacing(62);
    facts->addWidget(clientCaption);
    facts->addWidget(m_client);
    facts->addSpacing(40);
    facts->addWidget(intervalCaption);
    facts->addWidget(m_interval);
    facts->addStretch(1);
    auto *headBox = new QVBoxLayout(head);
    headBox->setContentsMargins(16, 8, 16, 10);
    headBox->setSpacing(2);
    headBox->addLayout(titleRow);
    headBox->addLayout(facts);

    // Find in list.
    auto *rigo01 = textLabel("lblRigo01",
                             QStringLiteral("Immettere una o più parole consecutive presenti nella "
                                            "scheda in elenco da cercare e premere il pulsante Trova."),
                             this);
    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("txtTrova"));
    m_find->setAccessibleName(QStringLiteral("Testo da trovare"));
    auto *trova = kit::dialogButton(this, QStringLiteral("btnTrova"), QStringLiteral("Trova"),
                                    QSize(110, 32));
    auto *rigo02 = textLabel("lblRigo02",
                             QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa "
                                            "chiave di ricerca, fare di nuovo clic su Trova."),
                             this);
    auto *findRow = new QHBoxLayout;
    findRow->addWidget(m_find, 1);
    findRow->addWidget(trova);

    // The list.
    m_model = new lists::LineListModel(this);
    m_model->setFont(lists::listFont(), 1600);
    m_view = lists::lineListView(m_model, QStringLiteral("Elenco dei servizi"), this);

    m_unreadable = textLabel("lblNonLeggibili", QString(), this);
    m_unreadable->hide();

    // The total and the commands.
    auto *foot = new QFrame(this);
    foot->setObjectName(QStringLiteral("panTotale"));
    auto *totalCaption = new QLabel(QStringLiteral("Totale compensi: €"), foot);
    totalCaption->setObjectName(QStringLiteral("infTotKmPercorsi"));
    m_total = new QLabel(QStringLiteral("0,00"), foot);
    m_total->setObjectName(QStringLiteral("lblTotCosti"));
    m_total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_total->setTextInteractionFlags(Qt::TextSelectableByMouse);
    totalCaption->setBuddy(m_total);
    auto *stampa = kit::dialogButton(foot, QStringLiteral("btnStampa"),
                                     QStringLiteral("Stampa riepilogo"), QSize(170, 36));
    auto *esci = kit::dialogButton(foot, QStringLiteral("btnEsci"), QStringLiteral("Esci"),
                                   QSize(110, 36));
    auto *footBox = new QHBoxLayout(foot);
    footBox->setContentsMargins(16, 8, 16, 8);
    footBox->addWidget(totalCaption);
    footBox->addWidget(m_total);
    footBox->addStretch(1);
    footBox->addWidget(stampa);
    footBox->addWidget(esci);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(18, 14, 18, 14);
    outer->setSpacing(8);
    outer->addWidget(head);
    outer->addWidget(rigo01);
    outer->addLayout(findRow);
    outer->addWidget(rigo02);
    outer->addWidget(m_view, 1);
    outer->addWidget(m_unreadable);
    outer->addWidget(foot);

    kit::enterPresses(trova);
    kit::enterPresses(stampa);
    kit::enterPresses(esci);
    connect(trova, &QPushButton::clicked, this, &TfrmRiepCosti::find);
    connect(stampa, &QPushButton::clicked, this, &TfrmRiepCosti::print);
    connect(esci, &QPushButton::clicked, this, &TfrmRiepCosti::leave);
    connect(help, &QToolButton::clicked, this, [this] { kit::showHelp(this, kit::HelpPage::RiepCosti); });
}

TfrmRiepCosti::~TfrmRiepCosti() = default;

bool TfrmRiepCosti::build()
{
    auto criterion = [this](const char *name) {
        return kit::controlText(m_selection, QLatin1String(name));
    };
    SummaryRequest request;
    request.path = trimText(criterion("lblFile"));
    request.client = trimText(criterion("txtCliente"));
    request.type = criterion("txtTarga");
    const QString start = criterion("lblDataInizio"), end = criterion("lblDataFine");
    request.from = parseDate(start);
    request.to = parseDate(end);
    m_client->setText(clientFilterShown(request.client));
    m_count->setText(QString::number(filtersInUse(request.client, request.type)));
    if (request.path.isEmpty() || !request.from.isValid() || !request.to.isValid())
        return false;
    try {
        m_summary = buildSummary(request);
    } catch (const std::exception &) {
        return false;
    }
    // The lines live in the list from here on; the summary keeps the rest.
    m_model->setLines(std::move(m_summary.lines));
    selectRow(0);
    m_interval->setText(intervalText(start, end));
    m_total->setText(m_summary.total.text());
    QStringList notices;
    if (!m_summary.unreadable.isEmpty())
        notices << lists::unreadableText(m_summary.unreadable.size());
    if (!m_summary.complete)
        notices << incompleteText(false);
    m_unreadable->setText(notices.join(QLatin1Char('\n')));
    m_unreadable->setVisible(!notices.isEmpty());
    m_find->clear();
    m_find->setFocus(Qt::OtherFocusReason);
    // Opens maximised over the screen, like every window of an application.
    if (QScreen *s = m_selection ? m_selection->screen() : QGuiApplication::primaryScreen())
        setGeometry(s->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
    return true;
}

int TfrmRiepCosti::selectedRow() const
{
    return lists::selectedRow(m_view);
}

void TfrmRiepCosti::selectRow(int row)
{
    lists::selectRow(m_view, row);
}

void TfrmRiepCosti::find()
{
    if (m_model->rowCount() == 0) {
        platform::dialogs().plain(
            QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."), this);
        return;
    }
    if (selectedRow() < 0)
        selectRow(0);
    const int row = lists::findInList(m_model->lines(), selectedRow(), m_find->text(), previousFind());
    if (row >= 0)
        selectRow(row);
}

void TfrmRiepCosti::print()
{
    if (m_model->rowCount() == 0) {
        platform::dialogs().warning(emptyPrintText(), this);
        return;
    }
    if (!platform::dialogs().question(printQuestionText(), this))
        return;
    SummaryPrint p;
    p.clientShown = m_client->text();
    for (int i = 0; i < m_model->rowCount(); ++i)
        p.lines << m_model->line(i);
    p.interval = m_interval->text();
    p.total = m_total->text();
    p.unreadable = int(m_summary.unreadable.size());
    p.complete = m_summary.complete;
    summaryReport(p).print(this);
}

void TfrmRiepCosti::leave()
{
    m_leaving = true;
    m_model->clear();
    if (QLabel *wait = m_selection ? m_selection->findChild<QLabel *>(QStringLiteral("lblAttendere")) : nullptr)
        wait->hide();
    done(QDialog::Accepted);
}

void TfrmRiepCosti::closeEvent(QCloseEvent *event)
{
    // The title bar's close button leaves the window as Esci does.
    if (!m_leaving) {
        event->ignore();
        leave();
        return;
    }
    QDialog::closeEvent(event);
}

void TfrmRiepCosti::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        m_find->setFocus(Qt::OtherFocusReason);
}

void TfrmRiepCosti::keyPressEvent(QKeyEvent *event)
{
    // Enter in the find field does nothing; Escape does not close the
    // window (only its own commands do).
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return
        || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace pratelia::summary
