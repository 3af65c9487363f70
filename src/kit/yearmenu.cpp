#include "yearmenu.h"

#include "binding.h"
#include "conventions.h"
#include "fieldrules.h"
#include "links.h"

#include "platform/platform.h"
#include "store/record.h"
#include "store/values.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace pratelia::kit {

QString yearWarningText()
{
    return QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre.");
}

bool isValidYear(const QString &text)
{
    // Only four ASCII digits name a year's archive: anything else (other
    // digits, a dot, a separator) could name another file, or one outside
    // the program folder.
    if (text.size() != 4)
        return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

QString yearArchivePath(const QString &year, const QString &extension)
{
    return ArchivePath(year + extension);
}

bool isYearlyArchiveName(const QString &fileName, const QString &extension)
{
    return fileName.size() == 4 + extension.size() && isValidYear(fileName.left(4))
           && fileName.endsWith(extension, Qt::CaseInsensitive);
}

QLineEdit *yearField(const QString &objectName, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(objectName);
    e->setMaxLength(4);
    e->setAlignment(Qt::AlignCenter);
    installFieldRules(e, FieldRules{DigitsOnly, 4});
    return e;
}

bool openYear(QWidget *card, const YearArchive &archive, const QString &year)
{
    const QString y = trimText(year);
    if (!card || !isValidYear(y))
        return false;
    setControlText(card, QStringLiteral("lblFile"), yearArchivePath(y, archive.extension));
    if (!archive.yearLabel.isEmpty())
        setControlText(card, archive.yearLabel, y);
    card->setWindowTitle(archive.cardCaption + y);
    return true;
}

bool openYearFromField(QWidget *parent, QLineEdit *field, QWidget *card,
                       const YearArchive &archive)
{
    if (!isValidYear(field->text())) {
        platform::dialogs().warning(yearWarningText(), parent);
        field->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return openYear(card, archive, field->text());
}

namespace {

// Enter in the year field moves the focus to Apri.
class EnterToButton : public QObject {
public:
    EnterToButton(QLineEdit *field, QPushButton *button) : QObject(field), m_button(button)
    {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_button->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
        return false;
    }

private:
    QPushButton *m_button;
};

const char *kStyle =
    "QWidget#panMain { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #eef3f8, stop:1 #d9e3ee); }"
    "QFrame#panAnno { background: white; border: 1px solid #b9c7d6; border-radius: 12px; }"
    "QFrame#panAnno QLabel { border: none; background: transparent; }"
    "QLabel#lblTitolo { color: #173456; font-size: 20pt; font-weight: bold; }"
    "QLabel#lblIntestazione { color: #1f4a78; font-size: 13pt; font-weight: bold; }"
    "QLabel#lblInfo { color: #3c4b5c; font-size: 11pt; }"
    "QLineEdit { font-size: 20pt; font-weight: bold; padding: 2px; }"
    "QPushButton { font-size: 11pt; font-weight: bold; padding: 6px 18px; }";

} // namespace

YearMenuWindow::YearMenuWindow(const YearMenuSpec &desc, QWidget *parent)
    : FullScreenWindow(desc.objectName, desc.caption, parent), m_spec(desc)
{
    QWidget *p = panel();
    p->setStyleSheet(QString::fromLatin1(kStyle));
    m_memory = new QLabel(QStringLiteral("avvio"), p);
    m_memory->setObjectName(QStringLiteral("lblMemory"));
    m_memory->hide();

    auto *box = new QFrame(p);
    box->setObjectName(QStringLiteral("panAnno"));
    box->setFixedSize(560, 380);
    box->move((kPanelWidth - box->width()) / 2, (kPanelHeight - box->height()) / 2 - 20);

    auto *picture = new QLabel(box);
    picture->setObjectName(QStringLiteral("imgMenu"));
    picture->setPixmap(commandIcon(desc.picture).pixmap(96, 96));
    auto *title = new QLabel(desc.caption.section(QStringLiteral(" - "), 1), box);
    title->setObjectName(QStringLiteral("lblTitolo"));
    auto *heading = new QLabel(desc.heading, box);
    heading->setObjectName(QStringLiteral("intAnnoPreventivi"));
    heading->setProperty("class", QStringLiteral("heading"));
    heading->setStyleSheet(QStringLiteral("color: #1f4a78; font-size: 13pt; font-weight: bold;"));
    auto *yearCaption = new QLabel(QStringLiteral("Anno:"), box);
    yearCaption->setObjectName(QStringLiteral("titAnnoPreventivi"));
    yearCaption->setStyleSheet(QStringLiteral("font-size: 13pt;"));
    m_year = yearField(QStringLiteral("txtAnnoPreventivi"), box);
    m_year->setFixedSize(120, 44);
    yearCaption->setBuddy(m_year);
    m_year->setAccessibleName(QStringLiteral("Anno"));
    auto *apri = new QPushButton(QStringLiteral("Apri"), box);
    apri->setObjectName(QStringLiteral("btnApriPreventivi"));
    apri->setCursor(Qt::PointingHandCursor);
    apri->setAutoDefault(false);
    apri->setFixedHeight(44);
    enterMovesToOpen(m_year, apri);
    auto *info = new QLabel(desc.info, box);
    info->setObjectName(QStringLiteral("lblInfo"));
    info->setWordWrap(true);
    info->setAlignment(Qt::AlignCenter);

    auto *top = new QHBoxLayout;
    top->setSpacing(18);
    top->addWidget(picture);
    top->addWidget(title, 1);
    auto *yearRow = new QHBoxLayout;
    yearRow->setSpacing(12);
    yearRow->addStretch(1);
    yearRow->addWidget(yearCaption);
    yearRow->addWidget(m_year);
    yearRow->addWidget(apri);
    yearRow->addStretch(1);
    auto *outer = new QVBoxLayout(box);
    outer->setContentsMargins(28, 24, 28, 24);
    outer->setSpacing(14);
    outer->addLayout(top);
    outer->addSpacing(6);
    outer->addWidget(heading, 0, Qt::AlignHCenter);
    outer->addLayout(yearRow);
    outer->addStretch(1);
    outer->addWidget(info);

    QToolButton *help = pictureButton(QStringLiteral("imgGuida"), QStringLiteral("guida"),
                                      QStringLiteral("Guida"), 44, p);
    help->setToolTip(QStringLiteral("Visualizza la guida in linea."));
    help->setAccessibleDescription(help->toolTip());
    help->resize(56, 56);
    help->move(kPanelWidth - 14 - 56, 14);
    QToolButton *exit = pictureButton(QStringLiteral("imgEsci"), QStringLiteral("esci"),
                                      QStringLiteral("Esci"), 44, p);
    exit->setToolTip(QStringLiteral("Torna al menu principale."));
    exit->setAccessibleDescription(exit->toolTip());
    exit->resize(56, 56);
    exit->move(kPanelWidth - 14 - 56, kPanelHeight - 14 - 56);

    connect(apri, &QPushButton::clicked, this, &YearMenuWindow::openChosenYear);
    connect(help, &QToolButton::clicked, this, [this] { showHelp(this, m_spec.help); });
    connect(exit, &QToolButton::clicked, this, [this] { close(); });
    onClose = [this] { leave(); };
}

void YearMenuWindow::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        m_year->setText(QString::number(platform::clock().today().year()).rightJustified(4, u'0'));
        m_memory->setText(QStringLiteral("avvio"));
        m_year->setFocus(Qt::OtherFocusReason);
        m_year->selectAll();
    }
    FullScreenWindow::showEvent(event);
}

void YearMenuWindow::openChosenYear()
{
    QWidget *card = WindowCatalogue::instance().window(m_spec.archive.card);
    if (!openYearFromField(this, m_year, card, m_spec.archive))
        return;
    m_memory->setText(m_spec.modeWord);
    close();
}

void YearMenuWindow::leave()
{
    const QString mode = m_memory->text();
    QWidget *next = nullptr;
    if (mode == QLatin1String("avvio"))
        next = WindowCatalogue::instance().window(QStringLiteral("TfrmAvvio"));
    else if (mode == m_spec.modeWord)
        next = WindowCatalogue::instance().window(m_spec.archive.card);
    if (next)
        showThenHide(next, this);
}

void enterMovesToOpen(QLineEdit *field, QPushButton *apri)
{
    new EnterToButton(field, apri);
}

} // namespace pratelia::kit
