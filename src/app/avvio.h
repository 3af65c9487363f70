#pragma once
// The main menu: six applications, help, information, the product notice,
// the vendor's web site and the exit.
#include "kit/windows.h"

#include <QVector>

namespace pratelia::app {

struct MenuEntry {
    QString key;       // "Anagrafica": controls img + key and btn + key
    QString bar;       // text of the bar under the picture
    QString picture;   // picture name
    QString window;    // class name of the window it shows
    QString name;      // the application's name in messages
    QString status;    // what the entry does, for the accessible description
};
// The six entries, top row first, left to right.
const QVector<MenuEntry> &menuEntries();

class TfrmAvvio : public kit::FullScreenWindow {
    Q_OBJECT
public:
    explicit TfrmAvvio(QWidget *parent = nullptr);

    // Shows the application's window from the catalogue and hides the menu;
    // an application this build lacks is announced instead.
    void openApplication(const MenuEntry &entry);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildHeader();
    void buildTiles();
    void buildFooter();
};

// The message for an application this build does not contain.
QString notAvailableText(const QString &application);

} // namespace pratelia::app
