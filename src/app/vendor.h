#pragma once
// The vendor's own details, shown by the main menu, the information and
// product-notice windows and written into the mail to the vendor.
#include <QString>
#include <QUrl>

namespace pratelia::vendor {

inline QString productName() { return QStringLiteral("Pratelia"); }
inline QString version() { return QStringLiteral("1.0"); }
inline QString companyName() { return QStringLiteral("Pratelia Software"); }
// Shown as the text of the web links and opened by them.
inline QString webText() { return QStringLiteral("www.pratelia.it"); }
inline QUrl webAddress() { return QUrl(QStringLiteral("https://www.pratelia.it/")); }
inline QString mailAddress() { return QStringLiteral("assistenza@pratelia.it"); }
inline QString mailSubject() { return QStringLiteral("Software Pratelia"); }
inline QString mailBody()
{
    return QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:");
}
// Caption of the product-notice window.
inline QString noticeCaption()
{
    return QStringLiteral(" Pratelia ") + version() + QStringLiteral(" - ") + companyName()
        + QStringLiteral(" per gli studi professionali");
}
inline QString productStrip()
{
    return QStringLiteral("Il software dello studio professionale: clienti, tariffe, scadenze, "
                          "servizi, compensi e protocollo.");
}

} // namespace pratelia::vendor
