#include "app/kit/windows.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pratelia"));
    pratelia::kit::FullScreenWindow menu(QStringLiteral("TfrmAvvio"), QStringLiteral(" Pratelia"));
    menu.onClose = [] { QApplication::quit(); };
    menu.showMaximized();
    return app.exec();
}
