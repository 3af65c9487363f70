#pragma once
// Start-up: the windows of the program, created once, in a fixed order.
#include <QVector>
#include <memory>

class QWidget;

namespace pratelia::app {

class TfrmAvvio;
class TfrmCambiaPassword;
class TfrmPassword;

class Program {
public:
    // Creates the password window, the main menu and the change window and
    // enters the full-screen windows in the window catalogue.
    Program();
    ~Program();

    // Shows the password window, focus in its field; the application
    // windows are created right after it appears.
    void start();
    // Creates the application windows this build contains, in their order,
    // hidden, and enters them in the catalogue. Runs once.
    void createApplications();

    TfrmPassword *password() const { return m_password.get(); }
    TfrmAvvio *menu() const { return m_menu.get(); }
    TfrmCambiaPassword *changeWindow() const { return m_change.get(); }

private:
    std::unique_ptr<TfrmPassword> m_password;
    std::unique_ptr<TfrmAvvio> m_menu;
    std::unique_ptr<TfrmCambiaPassword> m_change;
    QVector<QWidget *> m_applications; // owned
    bool m_created = false;
};

} // namespace pratelia::app
