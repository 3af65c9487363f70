#include "links.h"

#include "conventions.h"
#include "platform/platform.h"

namespace pratelia::kit {

void OpenWithShell(const QUrl &target)
{
    platform::shell().open(target);
}

LinkButton::LinkButton(const QString &objectName, const QString &text, QWidget *parent)
    : QToolButton(parent)
{
    setObjectName(objectName);
    setText(text);
    setAutoRaise(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setAccessibleName(text);
    QFont f = font();
    f.setUnderline(true);
    f.setBold(true);
    setFont(f);
    paintAs(restColour());
    connect(this, &QToolButton::pressed, this, [this] { paintAs(pressedColour()); });
    connect(this, &QToolButton::released, this, [this] { paintAs(restColour()); });
    connect(this, &QToolButton::clicked, this, [this] {
        paintAs(restColour());
        Q_EMIT activated();
    });
}

void LinkButton::follow(QAbstractButton *picture)
{
    connect(picture, &QAbstractButton::pressed, this, [this] { paintAs(pressedColour()); });
    connect(picture, &QAbstractButton::released, this, [this] { paintAs(restColour()); });
    connect(picture, &QAbstractButton::clicked, this, [this] {
        paintAs(restColour());
        Q_EMIT activated();
    });
}

void LinkButton::paintAs(const QColor &c)
{
    m_colour = c;
    setStyleSheet(QStringLiteral("QToolButton { color: %1; border: none; padding: 2px; }"
                                 "QToolButton:focus { background: #e8eefc; }")
                      .arg(c.name()));
}

QToolButton *pictureButton(const QString &objectName, const QString &iconName,
                           const QString &accessibleName, int size, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(objectName);
    b->setIcon(commandIcon(iconName));
    b->setIconSize(QSize(size, size));
    b->setAutoRaise(true);
    b->setCursor(Qt::PointingHandCursor);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setAccessibleName(accessibleName);
    b->setToolTip(accessibleName);
    return b;
}

} // namespace pratelia::kit
