#include "binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextEdit>

namespace pratelia::kit {

QString flagText(bool ticked)
{
    return ticked ? QStringLiteral("Sì") : QStringLiteral("No");
}

RadioChoice::RadioChoice(const QString &objectName,
                         const QVector<QPair<QString, QString>> &buttons, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(objectName);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(18);
    for (const auto &[name, caption] : buttons) {
        auto *b = new QRadioButton(caption, this);
        b->setObjectName(name);
        b->setCursor(Qt::PointingHandCursor);
        m_buttons << b;
        row->addWidget(b);
    }
    row->addStretch(1);
}

QString RadioChoice::text() const
{
    for (QRadioButton *b : m_buttons)
        if (b->isChecked())
            return b->text();
    return QString();
}

bool RadioChoice::setText(const QString &text)
{
    for (QRadioButton *b : m_buttons) {
        if (b->text() == text) {
            b->setChecked(true);
            return true;
        }
    }
    return false;
}

void RadioChoice::clear()
{
    // Exclusive buttons cannot all be cleared while they are exclusive.
    for (QRadioButton *b : m_buttons)
        b->setAutoExclusive(false);
    for (QRadioButton *b : m_buttons)
        b->setChecked(false);
    for (QRadioButton *b : m_buttons)
        b->setAutoExclusive(true);
}

QWidget *findControl(const QWidget *window, const QString &name)
{
    if (!window)
        return nullptr;
    if (window->objectName() == name)
        return const_cast<QWidget *>(window);
    return window->findChild<QWidget *>(name);
}

QString controlText(const QWidget *window, const QString &name, bool *found)
{
    QWidget *w = findControl(window, name);
    if (found)
        *found = true;
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    if (auto *c = qobject_cast<QComboBox *>(w))
        return c->currentText();
    if (auto *c = qobject_cast<QCheckBox *>(w))
        return flagText(c->isChecked());
    if (auto *r = qobject_cast<RadioChoice *>(w))
        return r->text();
    if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        return p->toPlainText();
    if (auto *t = qobject_cast<QTextEdit *>(w))
        return t->toPlainText();
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (found)
        *found = false;
    return QString();
}

bool setControlText(QWidget *window, const QString &name, const QString &text)
{
    QWidget *w = findControl(window, name);
    if (auto *e = qobject_cast<QLineEdit *>(w)) {
        e->setText(text);
        e->setCursorPosition(0);
    } else if (auto *c = qobject_cast<QComboBox *>(w)) {
        if (c->isEditable()) {
            c->setCurrentIndex(-1);
            c->setEditText(text);
            c->lineEdit()->setCursorPosition(0);
        } else {
            c->setCurrentIndex(c->findText(text));
        }
    } else if (auto *b = qobject_cast<QCheckBox *>(w)) {
        if (text == flagText(true))
            b->setChecked(true);
        else if (text == flagText(false))
            b->setChecked(false);
    } else if (auto *r = qobject_cast<RadioChoice *>(w)) {
        r->setText(text);
    } else if (auto *p = qobject_cast<QPlainTextEdit *>(w)) {
        p->setPlainText(text);
    } else if (auto *t = qobject_cast<QTextEdit *>(w)) {
        t->setPlainText(text);
    } else if (auto *l = qobject_cast<QLabel *>(w)) {
        l->setText(text);
    } else {
        return false;
    }
    return true;
}

} // namespace pratelia::kit
