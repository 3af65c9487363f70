#include "avvio.h"

#include "kit/conventions.h"
#include "kit/help.h"
#include "kit/links.h"
#include "flow.h"
#include "info.h"
#include "platform/platform.h"
#include "vendor.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace pratelia::app {

namespace {

const char *kStyle =
    "QWidget#panMain { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #eef3f8, stop:1 #d9e3ee); }"
    "QWidget#panTitolo { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #173456, stop:1 #2b5d92); }"
    "QLabel#lblTitolo { color: white; font-size: 30pt; font-weight: bold; }"
    "QLabel#lblProdotto { color: #dce8f5; font-size: 11pt; }"
    "QWidget#panVenditore { background: #173456; }"
    "QToolButton.tile { background: white; border: 1px solid #b9c7d6; border-top-left-radius: 10px;"
    "  border-top-right-radius: 10px; border-bottom: none; }"
    "QToolButton.tile:hover { background: #f4f9ff; border-color: #2f7cd6; }"
    "QToolButton.tile:focus { border: 2px solid #f0a030; border-bottom: none; }"
    "QPushButton.bar { background: #1f4a78; color: white; font-size: 11pt; font-weight: bold;"
    "  border: 1px solid #173456; border-bottom-left-radius: 10px; border-bottom-right-radius: 10px; }"
    "QPushButton.bar:hover { background: #2f7cd6; }"
    "QPushButton.bar:focus { background: #2f7cd6; border: 2px solid #f0a030; }"
    "QToolButton.corner { border: none; border-radius: 6px; }"
    "QToolButton.corner:hover { background: rgba(255,255,255,60); }"
    "QToolButton.corner:focus { border: 2px solid #f0a030; }"
    "QToolButton#icoSito { color: white; font-size: 11pt; font-weight: bold; border: none; }"
    "QToolButton#icoSito:hover { color: #ffd479; }"
    "QToolButton#icoSito:focus { border: 1px solid #f0a030; }";

QToolButton *cornerButton(const QString &name, const QString &icon, const QString &accessible,
                          const QString &description, QWidget *parent)
{
    QToolButton *b = kit::pictureButton(name, icon, accessible, 44, parent);
    b->setProperty("class", QStringLiteral("corner"));
    b->setAccessibleDescription(description);
    b->setToolTip(description);
    b->resize(56, 56);
    return b;
}

} // namespace

const QVector<MenuEntry> &menuEntries()
{
    static const QVector<MenuEntry> entries{
        {QStringLiteral("Anagrafica"), QStringLiteral("ANAGRAFICA CLIENTI"), QStringLiteral("anagrafica"),
         QStringLiteral("TfrmAnagrafica"), QStringLiteral("Anagrafica Clienti"),
         QStringLiteral("Apre l'archivio dei clienti.")},
        {QStringLiteral("Tariffario"), QStringLiteral("TARIFFARIO SERVIZI"), QStringLiteral("tariffario"),
         QStringLiteral("TfrmTariffario"), QStringLiteral("Tariffario Servizi"),
         QStringLiteral("Apre il listino dei servizi dello studio.")},
        {QStringLiteral("Scadenze"), QStringLiteral("SCADENZE E APPUNTAMENTI"), QStringLiteral("scadenze"),
         QStringLiteral("TfrmScadenzario"), QStringLiteral("Scadenze e Appuntamenti"),
         QStringLiteral("Apre l'agenda delle scadenze e degli appuntamenti.")},
        {QStringLiteral("Registro"), QStringLiteral("REGISTRO SERVIZI"), QStringLiteral("registro"),
         QStringLiteral("TfrmMenuServizi"), QStringLiteral("Registro Servizi"),
         QStringLiteral("Apre il registro annuale dei servizi resi.")},
        {QStringLiteral("Riepilogo"), QStringLiteral("RIEPILOGO COMPENSI"), QStringLiteral("riepilogo"),
         QStringLiteral("TfrmMenuRiepCosti"), QStringLiteral("Riepilogo Compensi"),
         QStringLiteral("Apre il riepilogo dei compensi maturati.")},
        {QStringLiteral("Protocollo"), QStringLiteral("PROTOCOLLO DOCUMENTI"), QStringLiteral("protocollo"),
         QStringLiteral("TfrmMenuProtocollo"), QStringLiteral("Protocollo Documenti"),
         QStringLiteral("Apre il protocollo annuale dei documenti.")},
    };
    return entries;
}

QString notAvailableText(const QString &application)
{
    return QStringLiteral("Attenzione: l'applicazione %1 non è ancora disponibile in questa versione del "
                          "programma.")
        .arg(application);
}

TfrmAvvio::TfrmAvvio(QWidget *parent)
    : FullScreenWindow(QStringLiteral("TfrmAvvio"), QStringLiteral(" Pratelia"), parent)
{
    applyProcessFormats();
    onClose = [] { endProgram(); };
    panel()->setAttribute(Qt::WA_StyledBackground);
    panel()->setStyleSheet(QString::fromLatin1(kStyle));
    setStyleSheet(QStringLiteral("QWidget#TfrmAvvio { background: #c9d5e2; }"));
    buildHeader();
    buildTiles();
    buildFooter();
}

void TfrmAvvio::showEvent(QShowEvent *event)
{
    FullScreenWindow::showEvent(event);
    if (QWidget *first = findChild<QWidget *>(QStringLiteral("imgAnagrafica")))
        first->setFocus(Qt::OtherFocusReason);
}

void TfrmAvvio::buildHeader()
{
    auto *strip = new QWidget(panel());
    strip->setObjectName(QStringLiteral("panTitolo"));
    strip->setAttribute(Qt::WA_StyledBackground);
    strip->setGeometry(0, 0, kPanelWidth, 118);

    auto *mark = new QLabel(strip);
    mark->setPixmap(kit::commandIcon(QStringLiteral("pratelia")).pixmap(QSize(64, 64), devicePixelRatioF()));
    mark->setGeometry(330, 14, 64, 64);
    auto *title = new QLabel(QStringLiteral("Pratelia"), strip);
    title->setObjectName(QStringLiteral("lblTitolo"));
    title->setGeometry(404, 14, 300, 64);
    auto *product = new QLabel(vendor::productStrip(), strip);
    product->setObjectName(QStringLiteral("lblProdotto"));
    product->setAlignment(Qt::AlignCenter);
    product->setGeometry(90, 82, kPanelWidth - 180, 26);

    auto *info = cornerButton(QStringLiteral("imgInfo"), QStringLiteral("info"), QStringLiteral("Informazioni"),
                              QStringLiteral("Informazioni su Pratelia."), strip);
    info->move(14, 14);
    connect(info, &QToolButton::clicked, this, [this] {
        TfrmInfo dialog(this);
        dialog.centre();
        dialog.exec();
    });
    auto *help = cornerButton(QStringLiteral("imgGuida"), QStringLiteral("guida"), QStringLiteral("Guida"),
                              QStringLiteral("Visualizza la guida in linea."), strip);
    help->move(kPanelWidth - 14 - 56, 14);
    connect(help, &QToolButton::clicked, this, [this] { kit::showHelp(this, kit::HelpPage::Generale); });
}

void TfrmAvvio::buildTiles()
{
    constexpr int tileWidth = 270, pictureHeight = 170, barHeight = 44;
    constexpr int left = 67, gap = 29, top = 150, rowGap = 36;
    const auto &entries = menuEntries();
    for (int i = 0; i < entries.size(); ++i) {
        const MenuEntry &e = entries[i];
        const int x = left + (i % 3) * (tileWidth + gap);
        const int y = top + (i / 3) * (pictureHeight + barHeight + rowGap);

        auto *picture = new QToolButton(panel());
        picture->setObjectName(QStringLiteral("img") + e.key);
        picture->setProperty("class", QStringLiteral("tile"));
        picture->setIcon(kit::commandIcon(e.picture));
        picture->setIconSize(QSize(128, 128));
        picture->setGeometry(x, y, tileWidth, pictureHeight);
        picture->setCursor(Qt::PointingHandCursor);
        picture->setFocusPolicy(Qt::StrongFocus);
        picture->setAccessibleName(e.name);
        picture->setAccessibleDescription(e.status);
        picture->setToolTip(e.status);

        auto *bar = new QPushButton(e.bar, panel());
        bar->setObjectName(QStringLiteral("btn") + e.key);
        bar->setProperty("class", QStringLiteral("bar"));
        bar->setGeometry(x, y + pictureHeight, tileWidth, barHeight);
        bar->setCursor(Qt::PointingHandCursor);
        bar->setAutoDefault(false);
        bar->setAccessibleName(e.name);
        bar->setAccessibleDescription(e.status);

        const MenuEntry entry = e;
        connect(picture, &QToolButton::clicked, this, [this, entry] { openApplication(entry); });
        connect(bar, &QPushButton::clicked, this, [this, entry] { openApplication(entry); });
    }
}

void TfrmAvvio::buildFooter()
{
    auto *strip = new QWidget(panel());
    strip->setObjectName(QStringLiteral("panVenditore"));
    strip->setAttribute(Qt::WA_StyledBackground);
    strip->setGeometry(0, kPanelHeight - 72, kPanelWidth, 72);

    auto *copyright = cornerButton(QStringLiteral("imgCopyright"), QStringLiteral("copyright"),
                                   QStringLiteral("Avviso sul prodotto"),
                                   QStringLiteral("Visualizza l'avviso sul prodotto."), strip);
    copyright->move(14, 8);
    connect(copyright, &QToolButton::clicked, this, [this] {
        TfrmSplash dialog(this);
        dialog.centre(this);
        dialog.exec();
    });

    auto *site = new QToolButton(strip);
    site->setObjectName(QStringLiteral("icoSito"));
    site->setIcon(kit::commandIcon(QStringLiteral("web")));
    site->setIconSize(QSize(28, 28));
    site->setText(vendor::webText());
    site->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    site->setCursor(Qt::PointingHandCursor);
    site->setFocusPolicy(Qt::StrongFocus);
    site->setAccessibleName(QStringLiteral("Sito internet"));
    site->setAccessibleDescription(QStringLiteral("Apre il sito internet ") + vendor::webText() + u'.');
    site->setGeometry(kPanelWidth / 2 - 120, 16, 240, 40);
    connect(site, &QToolButton::clicked, this, [] { kit::OpenWithShell(vendor::webAddress()); });

    auto *exit = cornerButton(QStringLiteral("imgEsci"), QStringLiteral("esci"), QStringLiteral("Esci"),
                              QStringLiteral("Esci dal programma."), strip);
    exit->move(kPanelWidth - 14 - 56, 8);
    connect(exit, &QToolButton::clicked, this, [] { endProgram(); });
}

void TfrmAvvio::openApplication(const MenuEntry &entry)
{
    QWidget *window = kit::WindowCatalogue::instance().window(entry.window);
    if (!window) {
        platform::dialogs().plain(notAvailableText(entry.name), this);
        return;
    }
    kit::showThenHide(window, this);
}

} // namespace pratelia::app
