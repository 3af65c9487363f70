#pragma once
// The two kinds of window of the program and the rule by which full-screen
// windows replace each other.
#include <QDialog>
#include <QHash>
#include <QWidget>
#include <functional>

namespace pratelia::kit {

// A full-screen window: opens maximised, its content a fixed 995 x 692
// panel centred in the window.
class FullScreenWindow : public QWidget {
    Q_OBJECT
public:
    explicit FullScreenWindow(const QString &objectName, const QString &caption,
                              QWidget *parent = nullptr);
    // The fixed panel that holds the window's controls.
    QWidget *panel() const { return m_panel; }
    static constexpr int kPanelWidth = 995;
    static constexpr int kPanelHeight = 692;

    // What closing the window does (title bar or Esci); the default shows
    // the main menu and hides this window.
    std::function<void()> onClose;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *m_panel;
};

// A dialog: fixed size, no title-bar buttons, modal, centred; left only
// through its own commands.
class DialogWindow : public QDialog {
    Q_OBJECT
public:
    DialogWindow(const QString &objectName, const QString &caption, QSize size,
                 QWidget *opener = nullptr);

    // Centres the dialog on the screen, or on `over` when given.
    void centre(QWidget *over = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override; // Escape does not close it
    void closeEvent(QCloseEvent *event) override;  // only its commands do

public:
    // Closes the dialog from one of its own commands.
    void closeWith(int result = QDialog::Rejected);

private:
    bool m_closable = false;
};

// Shows `next` (maximised) and then hides `current`, so that exactly one
// full-screen window is visible.
void showThenHide(QWidget *next, QWidget *current);

// The full-screen windows of the program by class name, for the menus.
class WindowCatalogue {
public:
    static WindowCatalogue &instance();
    void add(const QString &name, QWidget *window) { m_windows.insert(name, window); }
    QWidget *window(const QString &name) const { return m_windows.value(name); }
    void clear() { m_windows.clear(); }

private:
    QHash<QString, QWidget *> m_windows;
};

} // namespace pratelia::kit
