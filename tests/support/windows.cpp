#include "windows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

namespace pratelia::testing {

QLineEdit *editOf(const QWidget *window, const QString &name)
{
    QWidget *w = control(window, name);
    if (auto *box = qobject_cast<QComboBox *>(w))
        return box->lineEdit();
    auto *e = qobject_cast<QLineEdit *>(w);
    if (!e)
        qFatal("%s is not an edit field", qPrintable(name));
    return e;
}

void type(QWidget *window, const QString &name, const QString &text)
{
    QWidget *w = control(window, name);
    w->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(w, text);
}

void paste(QWidget *window, const QString &name, const QString &text)
{
    QLineEdit *e = editOf(window, name);
    QWidget *target = qobject_cast<QComboBox *>(control(window, name)) ? control(window, name) : e;
    target->setFocus(Qt::OtherFocusReason);
    e->selectAll();
    QApplication::clipboard()->setText(text);
    QTest::keySequence(target, QKeySequence::Paste);
}

void press(QWidget *window, const QString &name)
{
    auto *b = control<QAbstractButton>(window, name);
    QVERIFY2(b->isEnabled(), qPrintable(name + QStringLiteral(" is disabled")));
    b->click();
}

void onNextModal(std::function<void(QWidget *)> act, bool *ran)
{
    if (ran)
        *ran = false;
    QTimer::singleShot(0, [act, ran] {
        QWidget *w = QApplication::activeModalWidget();
        if (ran)
            *ran = w != nullptr;
        if (w)
            act(w);
    });
}

void pressOnNextModal(const QString &button, bool *ran)
{
    onNextModal([button](QWidget *w) { press(w, button); }, ran);
}

QString focusName()
{
    for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(u"qt_"))
            return w->objectName();
    return QString();
}

} // namespace pratelia::testing
