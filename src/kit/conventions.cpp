#include "conventions.h"

#include "fieldrules.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>

namespace pratelia::kit {

CommandButton::CommandButton(const QString &objectName, const QString &shortName,
                             const QString &iconName, const QString &statusText, QWidget *parent)
    : QToolButton(parent), m_status(statusText)
{
    setObjectName(objectName);
    setText(shortName);
    setIcon(commandIcon(iconName));
    setIconSize(QSize(32, 32));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setAutoRaise(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(shortName);
    setAccessibleDescription(statusText);
}

void CommandButton::setStatusText(const QString &t)
{
    m_status = t;
    setAccessibleDescription(t);
}

FocusFrame::FocusFrame(QWidget *field) : QWidget(field->parentWidget()), m_field(field)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    field->installEventFilter(this);
    track();
}

void FocusFrame::track()
{
    if (!m_field)
        return;
    setGeometry(m_field->geometry().adjusted(-4, -4, 4, 4));
    stackUnder(m_field);
}

void FocusFrame::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(255, 214, 0));
    g.setColorAt(1, QColor(255, 255, 255));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QBrush(g), 2));
    p.setBrush(QColor(255, 236, 110));
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 3, 3);
}

bool FocusFrame::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        track();
        show();
        break;
    case QEvent::FocusOut:
        hide();
        break;
    case QEvent::Move:
    case QEvent::Resize:
        track();
        break;
    case QEvent::Hide:
        hide();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

InputConventions::InputConventions(QWidget *window, QLabel *status, const QString &restText)
    : QObject(window), m_window(window), m_status(status), m_rest(restText)
{
    if (m_status)
        m_status->setText(m_rest);
    window->installEventFilter(this);
}

FocusFrame *InputConventions::addFocusFrame(QWidget *field)
{
    QString name = field->objectName();
    for (const char *prefix : {"txt", "cbo", "cmb"})
        if (name.startsWith(QLatin1String(prefix)))
            name = name.mid(3);
    auto *frame = new FocusFrame(field);
    frame->setObjectName(QStringLiteral("eff") + name);
    return frame;
}

void InputConventions::addFocusFrames()
{
    for (QWidget *w : m_window->findChildren<QWidget *>()) {
        if ((qobject_cast<QLineEdit *>(w) && !qobject_cast<QComboBox *>(w->parentWidget()))
            || qobject_cast<QComboBox *>(w)) {
            if (!w->objectName().isEmpty())
                addFocusFrame(w);
        }
    }
}

void InputConventions::setEnterChain(const QVector<QWidget *> &chain, bool wraps)
{
    for (const Chain &c : std::as_const(m_chains))
        for (QWidget *w : c.fields)
            w->removeEventFilter(this);
    m_chains.clear();
    addEnterChain(chain, wraps);
}

void InputConventions::addEnterChain(const QVector<QWidget *> &chain, bool wraps)
{
    m_chains.append({chain, wraps});
    for (QWidget *w : chain)
        w->installEventFilter(this);
}

void InputConventions::addHint(QWidget *w, const QString &text)
{
    m_hints.insert(w, text);
    w->setAttribute(Qt::WA_Hover);
    w->installEventFilter(this);
}

void InputConventions::addCommandHints()
{
    for (CommandButton *b : m_window->findChildren<CommandButton *>())
        addHint(b, b->statusText());
}

void InputConventions::addClearOnHover(QWidget *w)
{
    m_clearers.insert(w);
    w->setAttribute(Qt::WA_Hover);
    w->installEventFilter(this);
}

void InputConventions::resetStatus()
{
    if (m_status)
        m_status->setText(m_rest);
}

bool InputConventions::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(event);
        if ((ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter)) {
            for (const Chain &chain : std::as_const(m_chains)) {
                const int i = chain.fields.indexOf(static_cast<QWidget *>(watched));
                if (i < 0)
                    continue;
                // An open drop-down list takes Enter itself.
                if (auto *cb = qobject_cast<QComboBox *>(watched); cb && cb->view()->isVisible())
                    return false;
                int next = i + 1;
                if (next >= chain.fields.size()) {
                    if (!chain.wraps)
                        return true;
                    next = 0;
                }
                chain.fields[next]->setFocus(Qt::TabFocusReason);
                if (auto *le = qobject_cast<QLineEdit *>(chain.fields[next]))
                    le->selectAll();
                return true;
            }
        }
    } else if (event->type() == QEvent::Show && watched == m_window) {
        // A window that appears under a still pointer gets enter events
        // without any movement: the text at rest stays until the mouse moves.
        m_pointerAtShow = QCursor::pos();
        m_pointerMoved = false;
    } else if (event->type() == QEvent::HoverEnter || event->type() == QEvent::Enter) {
        if (m_status) {
            const auto it = m_hints.constFind(watched);
            if (it != m_hints.cend()) {
                m_status->setText(it.value());
                m_pointerMoved = true; // it reached a command
            } else if (m_clearers.contains(watched)) {
                if (!m_pointerMoved && QCursor::pos() == m_pointerAtShow)
                    return false;
                m_pointerMoved = true;
                m_status->clear();
            }
        }
    } else if (event->type() == QEvent::HoverMove && m_status && m_clearers.contains(watched)) {
        // The pointer comes back from a command onto the background around
        // it: a panel gets no enter event from its own children.
        auto *w = static_cast<QWidget *>(watched);
        const QPoint at = static_cast<QHoverEvent *>(event)->position().toPoint();
        if (w->rect().contains(at) && !w->childAt(at) && !m_status->text().isEmpty()
            && (m_pointerMoved || QCursor::pos() != m_pointerAtShow)) {
            m_pointerMoved = true;
            m_status->clear();
        }
    }
    return QObject::eventFilter(watched, event);
}

void InputConventions::installDigitsFilter(QLineEdit *field)
{
    installFieldRules(field, FieldRules{DigitsOnly});
}

namespace {
class EnterPressesButton : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                if (auto *b = qobject_cast<QPushButton *>(watched)) {
                    b->click();
                    return true;
                }
            }
        }
        return false;
    }
};
} // namespace

QLabel *hiddenLabel(const QString &objectName, QWidget *parent, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(objectName);
    l->hide();
    return l;
}

void enterPresses(QPushButton *button)
{
    static EnterPressesButton *filter = new EnterPressesButton(qApp);
    button->installEventFilter(filter);
}

QPushButton *dialogButton(QWidget *parent, const QString &objectName, const QString &text,
                          QSize minimum)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(objectName);
    b->setCursor(Qt::PointingHandCursor);
    b->setAutoDefault(false);
    b->setMinimumSize(minimum);
    return b;
}

QLabel *captionFor(QWidget *field, const QString &caption, QWidget *parent)
{
    auto *l = new QLabel(caption, parent);
    l->setBuddy(field);
    QString name = field->objectName();
    if (name.size() > 3)
        l->setObjectName(QStringLiteral("lbl") + name.mid(3) + QStringLiteral("Caption"));
    field->setAccessibleName(QString(caption).remove(u':').trimmed());
    return l;
}

} // namespace pratelia::kit
