#include "scadenzario.h"

#include "deadlinecard.h"
#include "deadlinelists.h"
#include "deadlines.h"

#include "kit/conventions.h"
#include "kit/links.h"
#include "kit/yearmenu.h"
#include "platform/platform.h"
#include "store/values.h"

#include <QCalendarWidget>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace pratelia::deadlines {

QString alertSound()
{
    const QString path = ArchivePath(QStringLiteral("Avviso.mp3"));
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink() ? path : QString();
}

namespace {

const QString kCaption = QStringLiteral(" Pratelia - Scadenze e appuntamenti");

const char *kStartStyle =
    "QWidget#panAvvio { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #eef3f8, stop:1 #d9e3ee); }"
    "QFrame[box=\"true\"] { background: white; border: 1px solid #b9c7d6; border-radius: 12px; }"
    "QFrame[box=\"true\"] QLabel { border: none; background: transparent; }"
    "QLabel#lblTitolo { color: #173456; font-size: 17pt; font-weight: bold; }"
    "QLabel[heading=\"true\"] { color: #1f4a78; font-size: 13pt; font-weight: bold; }"
    "QLabel[note=\"true\"] { color: #3c4b5c; font-size: 11pt; }"
    "QLineEdit#txtAnno { font-size: 20pt; font-weight: bold; padding: 2px; }"
    "QPushButton { font-size: 11pt; font-weight: bold; padding: 6px 18px; }";

QFrame *box(const char *name, QWidget *parent)
{
    auto *f = new QFrame(parent);
    f->setObjectName(QLatin1String(name));
    f->setProperty("box", true);
    return f;
}

QLabel *label(const QString &text, const char *kind, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setProperty(kind, true);
    l->setWordWrap(true);
    return l;
}

QLabel *signal(const char *name, const char *picture, const QString &meaning, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setPixmap(kit::commandIcon(QLatin1String(picture)).pixmap(88, 88));
    l->setFixedSize(88, 88);
    l->setAccessibleName(meaning);
    l->setToolTip(meaning);
    return l;
}

} // namespace

TfrmScadenzario::TfrmScadenzario(QWidget *parent) : kit::CardWindow(deadlineCardSpec(), parent)
{
    // The open year stands large beside the month.
    if (auto *year = findChild<QLabel *>(QStringLiteral("lblAnno"))) {
        QFont big = year->font();
        big.setPointSize(16);
        big.setBold(true);
        year->setFont(big);
        year->setStyleSheet(QStringLiteral("color: #173456;"));
        year->setMinimumWidth(70);
        year->setAccessibleName(QStringLiteral("Anno"));
    }
    m_start = buildStart();
    panel()->layout()->addWidget(m_start);
    showStart();
    onClose = [this] { leave(); };
}

QWidget *TfrmScadenzario::buildStart()
{
    auto *start = new QWidget(panel());
    start->setObjectName(QStringLiteral("panAvvio"));
    start->setAttribute(Qt::WA_StyledBackground, true);
    start->setStyleSheet(QString::fromLatin1(kStartStyle));

    // The year to open.
    QFrame *yearBox = box("panAnno", start);
    auto *picture = new QLabel(yearBox);
    picture->setObjectName(QStringLiteral("imgMenu"));
    picture->setPixmap(kit::commandIcon(QStringLiteral("scadenze")).pixmap(80, 80));
    auto *title = new QLabel(QStringLiteral("Scadenze e appuntamenti"), yearBox);
    title->setObjectName(QStringLiteral("lblTitolo"));
    title->setWordWrap(true);
    auto *yearCaption = label(QStringLiteral("Indicare l'anno solare e premere Apri."), "heading",
                              yearBox);
    m_year = kit::yearField(QStringLiteral("txtAnno"), yearBox);
    m_year->setFixedSize(120, 46);
    m_year->setAccessibleName(QStringLiteral("Anno"));
    yearCaption->setBuddy(m_year);
    auto *apri = new QPushButton(QStringLiteral("Apri"), yearBox);
    apri->setObjectName(QStringLiteral("btnApri"));
    apri->setCursor(Qt::PointingHandCursor);
    apri->setAutoDefault(false);
    apri->setFixedHeight(46);
    kit::enterMovesToOpen(m_year, apri);
    auto *apriNote = label(
        QStringLiteral("Accedi all'archivio annuale per inserire o modificare le scadenze."),
        "note", yearBox);

    auto *top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(picture);
    top->addWidget(title, 1);
    auto *yearRow = new QHBoxLayout;
    yearRow->setSpacing(12);
    yearRow->addWidget(m_year);
    yearRow->addWidget(apri);
    yearRow->addStretch(1);
    auto *yearLayout = new QVBoxLayout(yearBox);
    yearLayout->setContentsMargins(24, 18, 24, 18);
    yearLayout->setSpacing(10);
    yearLayout->addLayout(top);
    yearLayout->addSpacing(4);
    yearLayout->addWidget(yearCaption);
    yearLayout->addLayout(yearRow);
    yearLayout->addWidget(apriNote);

    // The imminent deadlines.
    QFrame *alertBox = box("panImminenti", start);
    auto *alertTitle = label(QStringLiteral("Visualizza le scadenze imminenti."), "heading",
                             alertBox);
    m_absent = signal("imgAssenti", "assenti", QStringLiteral("Nessuna scadenza imminente"),
                      alertBox);
    m_present = signal("imgPresenti", "presenti", QStringLiteral("Scadenze imminenti presenti"),
                       alertBox);
    m_present->hide();
    auto *okNote = label(QStringLiteral("Premere OK per ottenere l'elenco delle scadenze."), "note",
                         alertBox);
    m_ok = new QPushButton(QStringLiteral("OK"), alertBox);
    m_ok->setObjectName(QStringLiteral("btnOK"));
    m_ok->setCursor(Qt::PointingHandCursor);
    m_ok->setAutoDefault(false);
    m_ok->setFixedHeight(40);
    m_ok->setMinimumWidth(90);
    m_ok->setEnabled(false);
    auto *signals_ = new QHBoxLayout;
    signals_->addWidget(m_absent);
    signals_->addWidget(m_present);
    auto *okColumn = new QVBoxLayout;
    okColumn->addWidget(okNote);
    okColumn->addWidget(m_ok, 0, Qt::AlignLeft);
    signals_->addSpacing(12);
    signals_->addLayout(okColumn, 1);
    auto *alertLayout = new QVBoxLayout(alertBox);
    alertLayout->setContentsMargins(24, 18, 24, 18);
    alertLayout->setSpacing(10);
    alertLayout->addWidget(alertTitle);
    alertLayout->addLayout(signals_);

    // The calendar and the deadlines of its day or month.
    QFrame *calendarBox = box("panCalendario", start);
    auto *calendarTitle = label(QStringLiteral("Scadenze del giorno o del mese selezionato."),
                                "heading", calendarBox);
    m_calendar = new QCalendarWidget(calendarBox);
    m_calendar->setObjectName(QStringLiteral("calAppuntamenti"));
    m_calendar->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setGridVisible(true);
    m_calendar->setSelectedDate(platform::clock().today());
    m_calendar->setMinimumSize(360, 260);
    auto *day = new kit::CommandButton(QStringLiteral("btnGiorno"), QStringLiteral("Giorno"),
                                       QStringLiteral("giorno"),
                                       QStringLiteral("Visualizza le scadenze del giorno selezionato."),
                                       calendarBox);
    auto *month = new kit::CommandButton(QStringLiteral("btnMese"), QStringLiteral("Mese"),
                                         QStringLiteral("mese"),
                                         QStringLiteral("Visualizza le scadenze del mese selezionato."),
                                         calendarBox);
    for (kit::CommandButton *b : {day, month}) {
        b->setToolTip(b->statusText());
        b->setIconSize(QSize(40, 40));
        b->setMinimumWidth(90);
    }
    auto *commands = new QHBoxLayout;
    commands->addStretch(1);
    commands->addWidget(day);
    commands->addSpacing(24);
    commands->addWidget(month);
    commands->addStretch(1);
    auto *calendarLayout = new QVBoxLayout(calendarBox);
    calendarLayout->setContentsMargins(20, 18, 20, 14);
    calendarLayout->setSpacing(10);
    calendarLayout->addWidget(calendarTitle);
    calendarLayout->addWidget(m_calendar, 1);
    calendarLayout->addLayout(commands);

    QToolButton *help = kit::pictureButton(QStringLiteral("imgGuida"), QStringLiteral("guida"),
                                           QStringLiteral("Guida"), 44, start);
    help->setToolTip(QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    help->setAccessibleDescription(help->toolTip());
    QToolButton *exit = kit::pictureButton(QStringLiteral("imgEsci"), QStringLiteral("esci"),
                                           QStringLiteral("Esci"), 44, start);
    exit->setToolTip(QStringLiteral("Torna al menu principale."));
    exit->setAccessibleDescription(exit->toolTip());

    auto *left = new QVBoxLayout;
    left->setSpacing(18);
    left->addWidget(yearBox);
    left->addWidget(alertBox);
    left->addStretch(1);
    auto *side = new QVBoxLayout;
    side->addWidget(help);
    side->addStretch(1);
    side->addWidget(exit);
    auto *outer = new QHBoxLayout(start);
    outer->setContentsMargins(28, 28, 14, 14);
    outer->setSpacing(18);
    outer->addLayout(left, 11);
    outer->addWidget(calendarBox, 10);
    outer->addLayout(side);

    connect(apri, &QPushButton::clicked, this, &TfrmScadenzario::openChosenYear);
    connect(m_ok, &QPushButton::clicked, this, &TfrmScadenzario::showImminent);
    connect(day, &QToolButton::clicked, this, &TfrmScadenzario::showDay);
    connect(month, &QToolButton::clicked, this, &TfrmScadenzario::showMonth);
    connect(help, &QToolButton::clicked, this, [this] { showHelpPage(); });
    connect(exit, &QToolButton::clicked, this, [this] { close(); });
    return start;
}

bool TfrmScadenzario::showingCard() const
{
    return !cardPanel()->isHidden();
}

void TfrmScadenzario::showStart()
{
    setWindowTitle(kCaption);
    cardPanel()->hide();
    m_start->show();
}

void TfrmScadenzario::cardShown()
{
    showStart();
    m_year->setText(QString::number(platform::clock().today().year()));
    m_year->setFocus(Qt::OtherFocusReason);
    checkImminent();
}

void TfrmScadenzario::leave()
{
    showStart();
    platform::sound().stop();
    QWidget *menu = kit::WindowCatalogue::instance().window(QStringLiteral("TfrmAvvio"));
    if (menu && menu != this)
        kit::showThenHide(menu, this);
    else
        hide();
}

void TfrmScadenzario::openChosenYear()
{
    if (!kit::openYearFromField(this, m_year, this, yearArchive()))
        return;
    m_start->hide();
    cardPanel()->show();
    newCard();
    conventions()->resetStatus();
}

void TfrmScadenzario::checkImminent()
{
    const ImminentCount found = countImminent(platform::clock().today());
    // A failure to read tells nothing when nothing was found before it: the
    // signal then stays as it was.
    if (found.count == 0 && !found.complete)
        return;
    const bool present = found.count > 0;
    m_absent->setVisible(!present);
    m_present->setVisible(present);
    m_ok->setEnabled(present);
    if (!present)
        return;
    const QString sound = alertSound();
    if (!sound.isEmpty())
        platform::sound().play(sound);
}

void TfrmScadenzario::showImminent()
{
    showView(this, View::Imminent, platform::clock().today());
}

void TfrmScadenzario::showDay()
{
    showView(this, View::Day, m_calendar->selectedDate());
}

void TfrmScadenzario::showMonth()
{
    showView(this, View::Month, m_calendar->selectedDate());
}

} // namespace pratelia::deadlines
