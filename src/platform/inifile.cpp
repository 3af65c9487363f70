#include "inifile.h"

#include "store/codepage.h"
#include "store/fileio.h"

// Values are bytes in Windows-1252, converted here; the library only splits
// the file into sections and keys.
#define SI_NO_CONVERSION
#include <SimpleIni.h>
#include <cstring>
#include <string>

namespace pratelia {

struct IniFile::Impl {
    // One line a value, as Windows reads these files: with the library's
    // multi-line values on, a value typed as "<<<..." would swallow the
    // lines after it. Comments are kept either way.
    CSimpleIniA ini{false /*bytes as they are*/, false /*one value a key*/,
                    false /*no multi-line values*/};
    Impl() { ini.SetSpaces(false); } // "Key=Value", as Windows writes them
};

IniFile::IniFile() : d(std::make_unique<Impl>()) {}
IniFile::~IniFile() = default;

namespace {
std::string bytes(const QString &s)
{
    return codepage::encode(s).toStdString();
}
} // namespace

IniFile::LoadResult IniFile::load(const QString &path)
{
    d->ini.Reset();
    QByteArray data;
    bool notFound = false;
    if (!readWholeFile(path, data, &notFound))
        return notFound ? LoadResult::Missing : LoadResult::Failed;
    if (d->ini.LoadData(data.constData(), size_t(data.size())) < 0) {
        d->ini.Reset();
        return LoadResult::Failed;
    }
    return LoadResult::Ok;
}

bool IniFile::save(const QString &path) const
{
    std::string out;
    if (d->ini.Save(out, false) < 0)
        return false;
    // Windows line ends, as the files have always had.
    std::string crlf;
    crlf.reserve(out.size() + out.size() / 16);
    for (size_t i = 0; i < out.size(); ++i) {
        if (out[i] == '\n' && (i == 0 || out[i - 1] != '\r'))
            crlf.push_back('\r');
        crlf.push_back(out[i]);
    }
    return writeWholeFile(path, QByteArray::fromStdString(crlf));
}

bool IniFile::has(const QString &section, const QString &key) const
{
    return d->ini.GetValue(bytes(section).c_str(), bytes(key).c_str(), nullptr) != nullptr;
}

QString IniFile::value(const QString &section, const QString &key, const QString &fallback) const
{
    const char *v = d->ini.GetValue(bytes(section).c_str(), bytes(key).c_str(), nullptr);
    if (!v)
        return fallback;
    return codepage::decode(v, qsizetype(std::strlen(v)));
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    // A value is one line: a line break would start a line of its own (a
    // key, a section) and a NUL would cut the value, so control characters
    // are written as blanks.
    QString line = value;
    for (QChar &c : line)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = u' ';
    d->ini.SetValue(bytes(section).c_str(), bytes(key).c_str(), bytes(line).c_str());
}

QString readIniValue(const QString &path, const QString &section, const QString &key, bool *ok)
{
    IniFile ini;
    const bool loaded = ini.load(path) == IniFile::LoadResult::Ok;
    const bool has = loaded && ini.has(section, key);
    if (ok)
        *ok = has;
    return has ? ini.value(section, key) : QString();
}

bool writeIniValue(const QString &path, const QString &section, const QString &key,
                   const QString &value)
{
    IniFile ini;
    if (ini.load(path) == IniFile::LoadResult::Failed)
        return false; // never replace a file that could not be read
    ini.setValue(section, key, value);
    return ini.save(path);
}

} // namespace pratelia
