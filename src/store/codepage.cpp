#include "codepage.h"

#include <QHash>
#include <QStringDecoder>
#include <array>

namespace pratelia::codepage {
namespace {

struct Tables {
    std::array<char16_t, 256> toUnicode{};
    QHash<char16_t, char> fromUnicode; // characters above 0x7F only

    Tables()
    {
        QStringDecoder decoder("windows-1252", QStringDecoder::Flag::Stateless);
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString s = decoder.decode(QByteArrayView(&byte, 1));
            char16_t u = s.size() == 1 ? s.at(0).unicode() : char16_t(0xFFFD);
            if (decoder.hasError() || u == 0xFFFD) {
                // The five bytes without a character (0x81, 0x8D, ...) read
                // as the control character of the same number.
                decoder.resetState();
                u = char16_t(b);
            }
            toUnicode[b] = u;
            if (b >= 0x80 && !fromUnicode.contains(u))
                fromUnicode.insert(u, byte);
        }
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

} // namespace

QByteArray encode(QStringView text)
{
    const Tables &t = tables();
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80) {
            out.append(char(c));
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size()
                   && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            out.append('?'); // one character outside the code page
            ++i;
        } else {
            const auto it = t.fromUnicode.constFind(c);
            out.append(it == t.fromUnicode.cend() ? '?' : it.value());
        }
    }
    return out;
}

QString decode(const char *bytes, qsizetype length)
{
    const Tables &t = tables();
    QString out(length, Qt::Uninitialized);
    char16_t *d = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < length; ++i)
        d[i] = t.toUnicode[static_cast<unsigned char>(bytes[i])];
    return out;
}

bool representable(QStringView text)
{
    const Tables &t = tables();
    for (QChar c : text)
        if (c.unicode() >= 0x80 && !t.fromUnicode.contains(c.unicode()))
            return false;
    return true;
}

} // namespace pratelia::codepage
