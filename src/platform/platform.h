#pragma once
// The one seam between the program and the desktop: message boxes, the
// clock, the shell's open action, the file chooser, sound and printing.
// Windows call these, never QMessageBox or the system date directly, so that
// tests can answer questions, read the messages shown and fix today's date.
#include <QDate>
#include <QDateTime>
#include <QPageLayout>
#include <QString>
#include <QUrl>
#include <functional>

class QWidget;
class QPagedPaintDevice;

namespace pratelia {

enum class MessageKind {
    Warning,     // OK and Cancel, answer not used
    Error,       // OK and Cancel, answer not used
    Information, // OK and Cancel, answer not used
    Plain,       // OK only
    Question,    // Yes and No
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Shows a modal message box; returns false only when a question was
    // answered No.
    virtual bool message(MessageKind kind, const QString &text, QWidget *parent = nullptr) = 0;
    // The file-open chooser; an empty text when the user cancels.
    virtual QString chooseFile(QWidget *parent, const QString &title, const QString &folder,
                               const QString &filter) = 0;

    bool warning(const QString &t, QWidget *p = nullptr) { return message(MessageKind::Warning, t, p); }
    bool error(const QString &t, QWidget *p = nullptr) { return message(MessageKind::Error, t, p); }
    bool information(const QString &t, QWidget *p = nullptr) { return message(MessageKind::Information, t, p); }
    bool plain(const QString &t, QWidget *p = nullptr) { return message(MessageKind::Plain, t, p); }
    bool question(const QString &t, QWidget *p = nullptr) { return message(MessageKind::Question, t, p); }
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class Shell {
public:
    virtual ~Shell() = default;
    // Asks the desktop to open a document, folder, web address or mail link.
    virtual bool open(const QUrl &url) = 0;
};

class Sound {
public:
    virtual ~Sound() = default;
    virtual void play(const QString &file) = 0;
    virtual void stop() = 0;
};

class Printing {
public:
    virtual ~Printing() = default;
    using Render = std::function<bool(QPagedPaintDevice &device)>;
    // Prints one document on the default printer: `render` paints its pages
    // on the device, already set to A4 with the given orientation and
    // margins. Where the machine has no printer the document becomes a PDF
    // in the program folder, opened through the shell. Returns false when
    // nothing could be printed.
    virtual bool print(const QString &jobName, QPageLayout::Orientation orientation,
                       const QMarginsF &marginsMm, const Render &render) = 0;
};

namespace platform {
Dialogs &dialogs();
Clock &clock();
Shell &shell();
Sound &sound();
Printing &printing();

// Replaces parts of the platform (tests); nullptr restores the real one.
void install(Dialogs *d);
void install(Clock *c);
void install(Shell *s);
void install(Sound *s);
void install(Printing *p);

// The printing used where the machine has no printer: the document becomes
// "<job>.pdf" in the program folder (characters a file name cannot hold
// become "-") and is opened through the shell; when the shell cannot open
// it, the user is told where the file is.
Printing &pdfPrinting();

// Opens a file or folder of the local disk through the shell.
bool openPath(const QString &path);
} // namespace platform

} // namespace pratelia
