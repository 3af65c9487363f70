#include "windows.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace pratelia::kit {

FullScreenWindow::FullScreenWindow(const QString &objectName, const QString &caption,
                                   QWidget *parent)
    : QWidget(parent, Qt::Window), m_panel(new QWidget(this))
{
    setObjectName(objectName);
    setWindowTitle(caption);
    m_panel->setObjectName(QStringLiteral("panMain"));
    m_panel->setFixedSize(kPanelWidth, kPanelHeight);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_panel, 1, 1);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    setMinimumSize(kPanelWidth, kPanelHeight);
}

void FullScreenWindow::closeEvent(QCloseEvent *event)
{
    if (onClose) {
        event->ignore();
        onClose();
        return;
    }
    QWidget *menu = WindowCatalogue::instance().window(QStringLiteral("TfrmAvvio"));
    if (menu && menu != this) {
        event->ignore();
        showThenHide(menu, this);
        return;
    }
    QWidget::closeEvent(event);
}

DialogWindow::DialogWindow(const QString &objectName, const QString &caption, QSize size,
                           QWidget *opener)
    : QDialog(opener, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setFixedSize(size);
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void DialogWindow::centre(QWidget *over)
{
    QRect area;
    if (over && over->isVisible())
        area = over->frameGeometry();
    else if (QScreen *s = QGuiApplication::primaryScreen())
        area = s->availableGeometry();
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
}

void DialogWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void DialogWindow::closeEvent(QCloseEvent *event)
{
    if (!m_closable) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void DialogWindow::closeWith(int result)
{
    m_closable = true;
    done(result);
    m_closable = false;
}

void showThenHide(QWidget *next, QWidget *current)
{
    if (next) {
        // Without a window manager to maximise it, the window still fills
        // the screen.
        if (QScreen *screen = next->screen())
            next->setGeometry(screen->availableGeometry());
        next->showMaximized();
        next->raise();
        next->activateWindow();
    }
    if (current && current != next)
        current->hide();
}

WindowCatalogue &WindowCatalogue::instance()
{
    static WindowCatalogue c;
    return c;
}

} // namespace pratelia::kit
