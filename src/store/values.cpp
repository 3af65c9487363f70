#include "values.h"

#include <QCoreApplication>
#include <QDir>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <Qt>

namespace pratelia {

namespace {
bool digitsOnly(QStringView t)
{
    for (QChar c : t)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}
} // namespace

QDate parseDate(QStringView text)
{
    const QStringView t = text.trimmed();
    const qsizetype s1 = t.indexOf(u'/');
    const qsizetype s2 = s1 < 0 ? -1 : t.indexOf(u'/', s1 + 1);
    if (s1 < 0 || s2 < 0)
        return {};
    const QStringView d = t.left(s1), m = t.mid(s1 + 1, s2 - s1 - 1), y = t.mid(s2 + 1);
    if (d.isEmpty() || d.size() > 2 || m.isEmpty() || m.size() > 2 || y.size() != 4
        || !digitsOnly(d) || !digitsOnly(m) || !digitsOnly(y))
        return {};
    const QDate date(y.toInt(), m.toInt(), d.toInt());
    return date.isValid() && date.year() >= 1 ? date : QDate();
}

bool IsValidDate(QStringView text)
{
    return parseDate(text).isValid();
}

int storedDigits(QByteArrayView text, int most)
{
    if (text.isEmpty() || text.size() > most)
        return -1;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<qint64> storedDay(QByteArrayView text)
{
    const qsizetype s1 = text.indexOf('/');
    const qsizetype s2 = s1 < 0 ? -1 : text.indexOf('/', s1 + 1);
    if (s1 < 0 || s2 < 0)
        return std::nullopt;
    const int d = storedDigits(text.first(s1), 2);
    const int m = storedDigits(text.sliced(s1 + 1, s2 - s1 - 1), 2);
    const QByteArrayView y = text.sliced(s2 + 1);
    const int year = y.size() == 4 ? storedDigits(y, 4) : -1;
    if (d < 0 || m < 0 || year < 1)
        return std::nullopt;
    const QDate date(year, m, d);
    if (!date.isValid())
        return std::nullopt;
    return date.toJulianDay();
}

QString formatDate(const QDate &date)
{
    if (!date.isValid())
        return {};
    return QString::asprintf("%02d/%02d/%04d", date.day(), date.month(), date.year());
}

bool IsAllDigits(QStringView text)
{
    return digitsOnly(text);
}

QString LeftText(QStringView text, int n)
{
    return text.left(std::max(0, n)).toString();
}

QString RightText(QStringView text, int n)
{
    return text.right(std::max(0, n)).toString();
}

QString MidText(QStringView text, int from, int n)
{
    if (from < 1)
        from = 1;
    if (n <= 0 || from > text.size())
        return {};
    return text.mid(from - 1, n).toString();
}

double RoundDecimals(double value, int n)
{
    double p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return std::trunc(value * p + 0.5) / p;
}

bool parseDecimal(QStringView text, double &value)
{
    const QStringView t = text.trimmed();
    if (t.isEmpty())
        return false;
    qsizetype i = 0;
    if (t[0] == u'-' || t[0] == u'+')
        ++i;
    bool digits = false, comma = false;
    QByteArray ascii;
    ascii.reserve(t.size());
    if (i == 1)
        ascii.append(char(t[0].unicode()));
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9') {
            digits = true;
            ascii.append(char(c.unicode()));
        } else if (c == u',' && !comma) {
            comma = true;
            ascii.append('.');
        } else {
            return false;
        }
    }
    if (!digits)
        return false;
    char *end = nullptr;
    const double v = std::strtod(ascii.constData(), &end);
    if (end != ascii.constData() + ascii.size() || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

QString formatDecimal(double value)
{
    // Shortest text that reads back as the same number (up to 15 digits).
    char buf[64];
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(buf, sizeof buf, "%.*g", precision, value);
        if (std::strtod(buf, nullptr) == value || precision == 15)
            break;
    }
    QString s = QString::fromLatin1(buf);
    if (s.contains(u'e') || s.contains(u'E')) {
        // Write big and tiny numbers out in full.
        std::snprintf(buf, sizeof buf, "%.4f", value);
        s = QString::fromLatin1(buf);
        if (s.contains(u'.')) {
            while (s.endsWith(u'0'))
                s.chop(1);
            if (s.endsWith(u'.'))
                s.chop(1);
        }
    }
    if (s == u"-0")
        s = QStringLiteral("0");
    s.replace(u'.', u',');
    return s;
}

QString NormaliseMoneyText(QStringView text)
{
    const QString zero = QStringLiteral("0,00");
    if (text.trimmed().isEmpty())
        return zero;
    double v = 0;
    if (!parseDecimal(text, v))
        return zero;
    QString s = formatDecimal(RoundDecimals(v, 4));
    const qsizetype comma = s.indexOf(u',');
    if (comma < 0)
        s += QStringLiteral(",00");
    else if (comma == s.size() - 2)
        s += u'0';
    return s;
}

QString programFolder()
{
    const QByteArray home = qgetenv("PRATELIA_HOME");
    QString folder;
    if (!home.isEmpty())
        folder = QFile::decodeName(home);
    else if (QCoreApplication::instance())
        folder = QCoreApplication::applicationDirPath();
    else
        folder = QDir::currentPath();
    folder = QDir::cleanPath(QDir(folder).absolutePath());
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

QString ArchivePath(const QString &fileName)
{
    return programFolder() + fileName;
}

} // namespace pratelia
