#include "platform.h"

#include "platform/texts.h"
#include "store/fileio.h"
#include "store/values.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAudioOutput>
#include <QBuffer>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMediaFormat>
#include <QMediaPlayer>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

namespace pratelia {

namespace {

class RealDialogs final : public Dialogs {
public:
    bool message(MessageKind kind, const QString &text, QWidget *parent) override
    {
        QMessageBox box(parent ? parent : QApplication::activeWindow());
        box.setWindowTitle(QStringLiteral("Pratelia"));
        // Message texts break lines as LF CR; show each pair as one break.
        QString shown = text;
        shown.replace(QLatin1String("\n\r"), QLatin1String("\n"));
        shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        box.setText(shown);
        switch (kind) {
        case MessageKind::Warning: box.setIcon(QMessageBox::Warning); break;
        case MessageKind::Error: box.setIcon(QMessageBox::Critical); break;
        case MessageKind::Information: box.setIcon(QMessageBox::Information); break;
        case MessageKind::Plain: box.setIcon(QMessageBox::NoIcon); break;
        case MessageKind::Question: box.setIcon(QMessageBox::Question); break;
        }
        if (kind == MessageKind::Question) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            box.button(QMessageBox::Yes)->setText(QStringLiteral("Sì"));
        } else if (kind == MessageKind::Plain) {
            box.setStandardButtons(QMessageBox::Ok);
        } else {
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.button(QMessageBox::Cancel)->setText(QStringLiteral("Annulla"));
        }
        const int answer = box.exec();
        return !(kind == MessageKind::Question && answer == QMessageBox::No);
    }

    QString chooseFile(QWidget *parent, const QString &title, const QString &folder,
                       const QString &filter) override
    {
        return QFileDialog::getOpenFileName(parent, title, folder, filter);
    }
};

class RealClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class RealShell final : public Shell {
public:
    bool open(const QUrl &url) override { return QDesktopServices::openUrl(url); }
};

// Whether the machine's media framework can decode anything at all. One
// whose decoders are missing (its plug-ins not installed) only loses the
// sound: making a player there brings the whole program down.
bool canPlaySounds()
{
    QMediaFormat any;
    return !any.supportedFileFormats(QMediaFormat::Decode).isEmpty();
}

class RealSound final : public Sound {
public:
    void play(const QString &file) override
    {
        if (!canPlaySounds())
            return;
        if (!m_player) {
            m_player = new QMediaPlayer(qApp);
            m_output = new QAudioOutput(m_player);
            m_player->setAudioOutput(m_output);
        }
        m_player->setSource(QUrl::fromLocalFile(file));
        m_player->play();
    }
    void stop() override
    {
        if (m_player)
            m_player->stop();
    }

private:
    QMediaPlayer *m_player = nullptr;
    QAudioOutput *m_output = nullptr;
};

class PdfPrinting final : public Printing {
public:
    bool print(const QString &jobName, QPageLayout::Orientation orientation,
               const QMarginsF &marginsMm, const Render &render) override
    {
        QString fileName = jobName.trimmed();
        static const QRegularExpression notInNames(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f])"));
        fileName.replace(notInNames, QStringLiteral("-"));
        if (fileName.isEmpty())
            fileName = QStringLiteral("Stampa");
        const QString path = ArchivePath(fileName + QStringLiteral(".pdf"));
        // The document is made in memory and then replaces the file through
        // the file layer: the program folder may be shared, and a link put
        // there under the document's name must be replaced, never written
        // through; a failure leaves an earlier document whole.
        QByteArray document;
        bool ok;
        {
            QBuffer buffer(&document);
            buffer.open(QIODevice::WriteOnly);
            QPdfWriter pdf(&buffer);
            pdf.setTitle(jobName);
            pdf.setCreator(QStringLiteral("Pratelia"));
            pdf.setResolution(300);
            pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation, marginsMm,
                                          QPageLayout::Millimeter));
            ok = render(pdf);
        }
        if (!ok || document.isEmpty() || !writeWholeFile(path, document))
            return false;
        if (!platform::openPath(path))
            platform::dialogs().information(
                QStringLiteral("Nessuna stampante disponibile: il documento è stato salvato nel file")
                + lineBreak() + QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
        return true;
    }
};

class RealPrinting final : public Printing {
public:
    bool print(const QString &jobName, QPageLayout::Orientation orientation,
               const QMarginsF &marginsMm, const Render &render) override
    {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return platform::pdfPrinting().print(jobName, orientation, marginsMm, render);
        QPrinter printer(info, QPrinter::HighResolution);
        printer.setDocName(jobName);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation, marginsMm,
                                          QPageLayout::Millimeter));
        return render(printer) && printer.printerState() != QPrinter::Error;
    }
};

template <class T>
struct Slot {
    T *installed = nullptr;
    T &get(T &real) { return installed ? *installed : real; }
};

Slot<Dialogs> g_dialogs;
Slot<Clock> g_clock;
Slot<Shell> g_shell;
Slot<Sound> g_sound;
Slot<Printing> g_printing;

} // namespace

namespace platform {

Dialogs &dialogs()
{
    static RealDialogs real;
    return g_dialogs.get(real);
}
Clock &clock()
{
    static RealClock real;
    return g_clock.get(real);
}
Shell &shell()
{
    static RealShell real;
    return g_shell.get(real);
}
Sound &sound()
{
    static RealSound real;
    return g_sound.get(real);
}
Printing &printing()
{
    static RealPrinting real;
    return g_printing.get(real);
}
Printing &pdfPrinting()
{
    static PdfPrinting pdf;
    return pdf;
}

void install(Dialogs *d) { g_dialogs.installed = d; }
void install(Clock *c) { g_clock.installed = c; }
void install(Shell *s) { g_shell.installed = s; }
void install(Sound *s) { g_sound.installed = s; }
void install(Printing *p) { g_printing.installed = p; }

bool openPath(const QString &path)
{
    return shell().open(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

} // namespace platform
} // namespace pratelia
