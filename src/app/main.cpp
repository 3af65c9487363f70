#include "kit/conventions.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // The alert sound is an MP3: the toolkit's FFmpeg media backend decodes
    // it with what the toolkit itself installs.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pratelia"));
    QApplication::setWindowIcon(pratelia::kit::commandIcon(QStringLiteral("pratelia")));
    QApplication::setDesktopFileName(QStringLiteral("pratelia"));
    // Windows are hidden and shown in turn (the password window hides while
    // its change window is up): the program ends only when it says so.
    QApplication::setQuitOnLastWindowClosed(false);
    pratelia::app::Program program;
    program.start();
    return app.exec();
}
