// Makes the files the installation puts beside the program: the manual
// "Guida.pdf" (the help pages, laid out as a booklet), the password store
// with the password for first access, the alert sound as a WAV to be
// encoded, and the program's icon. At installation it also writes the
// desktop entry for the program folder.
//   pratelia-assets FOLDER
//   pratelia-assets --desktop-entry PROGRAM_FOLDER FILE
#include "desktopentry.h"

#include "kit/conventions.h"
#include "kit/help.h"
#include "app/password.h"
#include "platform/inifile.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextStream>
#include <QtEndian>
#include <cmath>

using namespace pratelia;
using kit::HelpPage;

namespace {

// The password written by the installation.
const QString kFirstAccess = QStringLiteral("PRATELIA");

QString escaped(const QString &t)
{
    return t.toHtmlEscaped();
}

QStringList paragraphs(HelpPage page)
{
    return kit::helpBody(page).split(QStringLiteral("\r\n\r\n"));
}

QString picture(QTextDocument &doc, const QString &name, int size)
{
    const QString url = QStringLiteral("img://") + name;
    doc.addResource(QTextDocument::ImageResource, QUrl(url),
                    kit::commandIcon(name).pixmap(QSize(size * 2, size * 2)).toImage());
    return QStringLiteral("<img src='%1' width='%2' height='%2'>").arg(url).arg(size);
}

QString section(const QString &title, const QStringList &paras, int level)
{
    QString html = QStringLiteral("<h%1>%2</h%1>").arg(level).arg(escaped(title));
    for (const QString &p : paras)
        html += QStringLiteral("<p>") + escaped(p) + QStringLiteral("</p>");
    return html;
}

struct Chapter {
    HelpPage page;
    QString picture;
    QList<HelpPage> more; // the export and list pages of the same application
};

bool writeManual(const QString &path)
{
    QTextDocument doc;
    doc.setDefaultStyleSheet(QStringLiteral(
        "body { font-family: 'DejaVu Sans'; font-size: 10.5pt; color: #26323f; }"
        "h1 { font-size: 20pt; color: #1f3f66; margin-top: 0; }"
        "h2 { font-size: 13pt; color: #2b5d92; margin-top: 14px; }"
        "p { margin-bottom: 7px; line-height: 130%; }"
        "td { padding: 4px; vertical-align: middle; }"
        ".cover { font-size: 34pt; font-weight: bold; color: #1f3f66; }"
        ".subtitle { font-size: 14pt; color: #51606f; }"));

    QString html = QStringLiteral("<body>");
    // Cover.
    html += QStringLiteral("<p align='center'><br><br><br>") + picture(doc, QStringLiteral("pratelia"), 160)
        + QStringLiteral("</p><p align='center' class='cover'>Pratelia</p>"
                         "<p align='center' class='subtitle'>Guida all'utilizzo del software</p>"
                         "<p align='center'>Versione 1.0</p>");

    // The general part of the guide: what comes before and after the six
    // application pages it includes.
    QString general = kit::helpBody(HelpPage::Generale);
    const QList<Chapter> chapters{
        {HelpPage::Anagrafica, QStringLiteral("anagrafica"), {HelpPage::ExpClienti}},
        {HelpPage::Tariffario, QStringLiteral("tariffario"), {HelpPage::ExpTariffario}},
        {HelpPage::Scadenzario, QStringLiteral("scadenze"), {HelpPage::VisteScadenze, HelpPage::ExpScadenzario}},
        {HelpPage::Servizi, QStringLiteral("registro"), {HelpPage::ExpServizi}},
        {HelpPage::RiepCosti, QStringLiteral("riepilogo"), {}},
        {HelpPage::Protocollo, QStringLiteral("protocollo"), {HelpPage::ExpProtocollo, HelpPage::RiepProtocollo}},
    };
    for (const Chapter &c : chapters)
        general.replace(kit::helpBody(c.page) + QStringLiteral("\r\n\r\n"), QString());
    html += QStringLiteral("<h1 style='page-break-before: always'>") + picture(doc, QStringLiteral("guida"), 32)
        + QStringLiteral("&nbsp; ") + escaped(kit::helpTitle(HelpPage::Generale)) + QStringLiteral("</h1>");
    for (const QString &p : general.split(QStringLiteral("\r\n\r\n")))
        html += QStringLiteral("<p>") + escaped(p) + QStringLiteral("</p>");

    // The commands every window shares.
    const QList<QPair<QString, QString>> commands{
        {QStringLiteral("nuovo"), QStringLiteral("Nuovo: prepara la schermata per una nuova scheda.")},
        {QStringLiteral("salva"), QStringLiteral("Salva: registra la scheda corrente in archivio.")},
        {QStringLiteral("trova"), QStringLiteral("Trova: cerca una scheda in archivio.")},
        {QStringLiteral("primo"), QStringLiteral("Primo: mostra la prima scheda in archivio.")},
        {QStringLiteral("indietro"), QStringLiteral("Indietro: mostra la scheda precedente.")},
        {QStringLiteral("avanti"), QStringLiteral("Avanti: mostra la scheda successiva.")},
        {QStringLiteral("ultimo"), QStringLiteral("Ultimo: mostra l'ultima scheda in archivio.")},
        {QStringLiteral("duplica"), QStringLiteral("Duplica: copia la scheda in una nuova scheda.")},
        {QStringLiteral("cartella"), QStringLiteral("Cartella: apre la cartella abbinata alla scheda.")},
        {QStringLiteral("file"), QStringLiteral("File: allega fino a tre file alla scheda.")},
        {QStringLiteral("stampa"), QStringLiteral("Stampa: stampa la scheda corrente.")},
        {QStringLiteral("esporta"), QStringLiteral("Esporta: esporta l'archivio in Microsoft Excel.")},
        {QStringLiteral("guida"), QStringLiteral("Guida: mostra la guida in linea della finestra.")},
        {QStringLiteral("esci"), QStringLiteral("Esci: chiude la finestra e torna al menu principale.")},
    };
    html += QStringLiteral("<h2>I comandi delle schede</h2><table cellspacing='0'>");
    for (const auto &[icon, text] : commands)
        html += QStringLiteral("<tr><td>") + picture(doc, icon, 22) + QStringLiteral("</td><td>") + escaped(text)
            + QStringLiteral("</td></tr>");
    html += QStringLiteral("</table>");

    for (const Chapter &c : chapters) {
        html += QStringLiteral("<h1 style='page-break-before: always'>") + picture(doc, c.picture, 36)
            + QStringLiteral("&nbsp; ") + escaped(kit::helpTitle(c.page)) + QStringLiteral("</h1>");
        for (const QString &p : paragraphs(c.page))
            html += QStringLiteral("<p>") + escaped(p) + QStringLiteral("</p>");
        for (HelpPage more : c.more)
            html += section(kit::helpTitle(more), paragraphs(more), 2);
    }
    html += QStringLiteral("</body>");
    doc.setHtml(html);

    QPdfWriter pdf(path);
    pdf.setTitle(QStringLiteral("Pratelia - Guida all'utilizzo del software"));
    pdf.setCreator(QStringLiteral("Pratelia"));
    pdf.setResolution(300);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 18, 20, 18),
                                  QPageLayout::Millimeter));
    // The document is laid out in screen units (96 per inch) and scaled to
    // the writer's resolution.
    const qreal scale = pdf.resolution() / 96.0;
    const qreal footer = 40;
    const QSizeF page(pdf.width() / scale, pdf.height() / scale - footer);
    doc.setPageSize(page);
    QPainter p(&pdf);
    if (!p.isActive())
        return false;
    p.scale(scale, scale);
    const int pages = doc.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            pdf.newPage();
        p.save();
        p.translate(0, -i * page.height());
        doc.drawContents(&p, QRectF(0, i * page.height(), page.width(), page.height()));
        p.restore();
        if (i > 0) {
            p.setPen(QPen(QColor(0x8d, 0x9a, 0xa8), 0.8));
            QFont f(QStringLiteral("DejaVu Sans"));
            f.setPixelSize(10);
            p.setFont(f);
            p.drawLine(QPointF(0, page.height() + 12), QPointF(page.width(), page.height() + 12));
            p.drawText(QRectF(0, page.height() + 14, page.width(), footer - 14), Qt::AlignRight | Qt::AlignVCenter,
                       QStringLiteral("Pratelia - Guida all'utilizzo del software   %1").arg(i + 1));
        }
    }
    return p.end();
}

// A soft two-note chime, 16-bit mono PCM.
bool writeChime(const QString &path)
{
    constexpr int rate = 22050;
    const double notes[] = {880.0, 1318.5};
    const double noteLength = 0.32;
    QByteArray samples;
    for (int n = 0; n < 2; ++n) {
        const int count = int(rate * noteLength * (n == 1 ? 1.6 : 1.0));
        for (int i = 0; i < count; ++i) {
            const double t = double(i) / rate;
            const double attack = std::min(1.0, t / 0.008);
            const double envelope = attack * std::exp(-t * (n == 1 ? 4.5 : 7.0));
            const double v = envelope
                * (0.62 * std::sin(2 * M_PI * notes[n] * t) + 0.22 * std::sin(2 * M_PI * notes[n] * 2 * t)
                   + 0.08 * std::sin(2 * M_PI * notes[n] * 3 * t));
            const qint16 s = qint16(std::lround(v * 0.8 * 32767));
            char le[2];
            qToLittleEndian(s, le);
            samples.append(le, 2);
        }
    }
    QByteArray wav;
    auto u32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    auto u16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    wav += "RIFF";
    u32(36 + quint32(samples.size()));
    wav += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    wav += "data";
    u32(quint32(samples.size()));
    wav += samples;
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(wav) == wav.size();
}

} // namespace

// The desktop entry of the program installed in `folder`, written to
// `file` (UTF-8, as desktop entries are).
int writeDesktopEntry(const QString &folder, const QString &file)
{
    if (!app::fitsDesktopEntry(folder)) {
        QTextStream(stderr) << "pratelia-assets: the folder name cannot be written into a desktop entry: "
                            << folder << "\n";
        return 1;
    }
    QFile f(file);
    const QByteArray entry = app::desktopEntry(folder).toUtf8();
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(entry) != entry.size() || !f.flush()) {
        QTextStream(stderr) << "pratelia-assets: could not write " << file << "\n";
        return 1;
    }
    return 0;
}

int main(int argc, char **argv)
{
    if (argc >= 2 && qstrcmp(argv[1], "--desktop-entry") == 0) {
        if (argc != 4) {
            QTextStream(stderr) << "usage: pratelia-assets --desktop-entry PROGRAM_FOLDER FILE\n";
            return 2;
        }
        return writeDesktopEntry(QFile::decodeName(argv[2]), QFile::decodeName(argv[3]));
    }
    QApplication app(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "usage: pratelia-assets FOLDER\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    bool ok = writeManual(out.filePath(QStringLiteral("Guida.pdf")));
    QFile::remove(out.filePath(QStringLiteral("unins000.dll")));
    ok = writeIniValue(out.filePath(QStringLiteral("unins000.dll")), QStringLiteral("Accesso"),
                       QStringLiteral("Valore"), app::ScramblePassword(kFirstAccess))
        && ok;
    ok = writeChime(out.filePath(QStringLiteral("Avviso.wav"))) && ok;
    ok = kit::commandIcon(QStringLiteral("pratelia")).pixmap(QSize(256, 256)).save(out.filePath(QStringLiteral("pratelia.png")))
        && ok;
    if (!ok)
        QTextStream(stderr) << "pratelia-assets: could not write every file in " << out.path() << "\n";
    return ok ? 0 : 1;
}
