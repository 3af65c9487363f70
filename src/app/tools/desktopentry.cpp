#include "desktopentry.h"

#include <QDir>

namespace pratelia::app {

QString desktopString(const QString &value)
{
    QString out;
    out.reserve(value.size() + 8);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        switch (c.unicode()) {
        case u'\\': out += QLatin1String("\\\\"); break;
        case u'\n': out += QLatin1String("\\n"); break;
        case u'\r': out += QLatin1String("\\r"); break;
        case u'\t': out += QLatin1String("\\t"); break;
        case u' ':
            // Readers drop blanks around a value; inside it they stay.
            if (i == 0 || i == value.size() - 1)
                out += QLatin1String("\\s");
            else
                out += c;
            break;
        default: out += c;
        }
    }
    return out;
}

QString desktopExecArgument(const QString &argument)
{
    // Quoting first: inside double quotes only these four need a backslash.
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted += u'"';
    // A lone % would start a field code.
    quoted.replace(u'%', QLatin1String("%%"));
    // Then the escapes of every string value, which readers undo first.
    return desktopString(quoted);
}

bool fitsDesktopEntry(const QString &path)
{
    for (const QChar c : path) {
        if (c.unicode() < 0x20 && c != u'\n' && c != u'\r' && c != u'\t')
            return false;
        if (c.unicode() == 0x7f || c.isNonCharacter() || c == QChar::ReplacementCharacter)
            return false;
    }
    return !path.isEmpty();
}

QString desktopEntry(const QString &folder)
{
    const QString dir = QDir::cleanPath(folder);
    const QString lines[] = {
        QStringLiteral("[Desktop Entry]"),
        QStringLiteral("Type=Application"),
        QStringLiteral("Version=1.0"),
        QStringLiteral("Name=Pratelia"),
        QStringLiteral("GenericName=Gestione dello studio professionale"),
        QStringLiteral("Comment=Clienti, tariffario, scadenze, registro servizi, compensi e protocollo"),
        QStringLiteral("Exec=") + desktopExecArgument(dir + QStringLiteral("/pratelia")),
        QStringLiteral("Path=") + desktopString(dir),
        QStringLiteral("Icon=") + desktopString(dir + QStringLiteral("/pratelia.png")),
        QStringLiteral("Terminal=false"),
        QStringLiteral("Categories=Office;"),
        QStringLiteral("StartupWMClass=pratelia"),
    };
    QString entry;
    for (const QString &l : lines)
        entry += l + u'\n';
    return entry;
}

} // namespace pratelia::app
