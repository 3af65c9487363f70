#include "info.h"

#include "kit/conventions.h"
#include "kit/links.h"
#include "vendor.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrlQuery>
#include <QVBoxLayout>

namespace pratelia::app {

namespace {

const char *kStyle =
    "QDialog { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #e6ecf3); }"
    "QLabel#imgVendor01, QLabel#imgVendor02 { background: white; border: 1px solid #c8d2dd;"
    "  border-radius: 6px; padding: 10px; color: #26323f; }"
    "QPushButton { padding: 5px 18px; border: 1px solid #8d9bab; border-radius: 4px;"
    "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #dde4ec); }"
    "QPushButton:focus { border: 2px solid #2f7cd6; }";

QPushButton *closeButton(kit::DialogWindow *dialog)
{
    auto *close = new QPushButton(QStringLiteral("Chiudi"), dialog);
    close->setObjectName(QStringLiteral("btnChiudi"));
    close->setCursor(Qt::PointingHandCursor);
    close->setAutoDefault(false);
    QObject::connect(close, &QPushButton::clicked, dialog, [dialog] { dialog->closeWith(); });
    return close;
}

// A link with its picture on one row.
QHBoxLayout *linkRow(QWidget *parent, const QString &pictureName, const QString &iconName,
                     const QString &pictureText, const QString &linkText, const QUrl &target)
{
    auto *picture = kit::pictureButton(pictureName, iconName, pictureText, 28, parent);
    auto *link = new kit::LinkButton(QStringLiteral("lnkWeb"), linkText, parent);
    link->follow(picture);
    QObject::connect(link, &kit::LinkButton::activated, parent, [target] { kit::OpenWithShell(target); });
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(picture);
    row->addWidget(link);
    row->addStretch();
    return row;
}

} // namespace

QLabel *productLogo(QWidget *parent, int markSize)
{
    auto *logo = new QLabel(parent);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setTextFormat(Qt::RichText);
    const QPixmap mark = kit::commandIcon(QStringLiteral("pratelia")).pixmap(QSize(markSize, markSize));
    logo->setPixmap(mark);
    logo->setAlignment(Qt::AlignCenter);
    logo->setAccessibleName(vendor::productName());
    return logo;
}

QUrl vendorMailUrl()
{
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(vendor::mailAddress());
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), vendor::mailSubject());
    query.addQueryItem(QStringLiteral("body"), vendor::mailBody());
    url.setQuery(query);
    return url;
}

TfrmInfo::TfrmInfo(QWidget *opener)
    : DialogWindow(QStringLiteral("TfrmInfo"), QStringLiteral(" Informazioni su Pratelia"), QSize(520, 420),
                   opener)
{
    setStyleSheet(QString::fromLatin1(kStyle));
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(28, 22, 28, 20);
    box->setSpacing(12);

    auto *top = new QHBoxLayout;
    top->addStretch();
    top->addWidget(productLogo(this, 72));
    auto *name = new QLabel(QStringLiteral("<span style='font-size:26pt; font-weight:bold; color:#1f3f66'>"
                                           "Pratelia</span><br><span style='color:#51606f'>Versione ")
                                + vendor::version() + QStringLiteral("</span>"),
                            this);
    name->setObjectName(QStringLiteral("lblProdotto"));
    top->addWidget(name);
    top->addStretch();
    box->addLayout(top);

    auto *first = new QLabel(
        QStringLiteral("<b>%1</b><br>Software per i piccoli studi professionali: commercialisti, consulenti "
                       "del lavoro, studi tecnici, legali e tributari.")
            .arg(vendor::companyName()),
        this);
    first->setObjectName(QStringLiteral("imgVendor01"));
    first->setWordWrap(true);
    auto *second = new QLabel(
        QStringLiteral("<b>Assistenza e informazioni</b><br>Sito internet: %1<br>Per domande, suggerimenti "
                       "e richieste di assistenza scrivete all'indirizzo qui sotto: vi risponderemo al più "
                       "presto.")
            .arg(vendor::webText()),
        this);
    second->setObjectName(QStringLiteral("imgVendor02"));
    second->setWordWrap(true);
    box->addWidget(first);
    box->addWidget(second);
    box->addLayout(linkRow(this, QStringLiteral("imgEmail"), QStringLiteral("email"),
                           QStringLiteral("Scrivi una e-mail"), vendor::mailAddress(), vendorMailUrl()));
    box->addStretch();
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(closeButton(this));
    box->addLayout(bottom);
}

TfrmSplash::TfrmSplash(QWidget *opener)
    : DialogWindow(QStringLiteral("TfrmSplash"), vendor::noticeCaption(), QSize(520, 360), opener)
{
    setStyleSheet(QString::fromLatin1(kStyle));
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(28, 24, 28, 20);
    box->setSpacing(10);
    box->addWidget(productLogo(this, 110));
    auto *notice = new QLabel(QStringLiteral("<div align='center'><span style='font-size:22pt; "
                                             "font-weight:bold; color:#1f3f66'>Pratelia</span><br>")
                                  + vendor::productStrip()
                                  + QStringLiteral("<br><br>© 2026 ") + vendor::companyName()
                                  + QStringLiteral(". Tutti i diritti riservati.</div>"),
                              this);
    notice->setObjectName(QStringLiteral("lblAvviso"));
    notice->setWordWrap(true);
    box->addWidget(notice);
    box->addLayout(linkRow(this, QStringLiteral("imgWeb"), QStringLiteral("web"),
                           QStringLiteral("Visita il sito"), vendor::webText(), vendor::webAddress()));
    box->addStretch();
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(closeButton(this));
    box->addLayout(bottom);
}

} // namespace pratelia::app
