#pragma once
// Windows-1252, the code page of every text stored in the archives and
// written to exported files. The tables are built once from Qt's converter.
#include <QByteArray>
#include <QString>

namespace pratelia::codepage {

// One byte per character; a character the code page cannot represent
// becomes '?'.
QByteArray encode(QStringView text);
QString decode(const char *bytes, qsizetype length);
inline QString decode(const QByteArray &bytes) { return decode(bytes.constData(), bytes.size()); }
// True when every character of the text has its own byte in the code page.
bool representable(QStringView text);

} // namespace pratelia::codepage
