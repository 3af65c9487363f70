// The settings files ("Pratelia.ini" and the password store): any content
// loads without a crash; writing one value, whatever it holds, keeps every
// other value, and a write that fails at any step changes nothing.
#include "memfs.h"

#include "platform/inifile.h"
#include "store/codepage.h"

#include <cstdint>
#include <cstdlib>

using namespace pratelia;
using namespace pratelia::fuzzing;

namespace {

struct Key {
    const char *section;
    const char *key;
};
// The keys the program reads and writes.
const Key kKeys[] = {
    {"Accesso", "Valore"},
    {"Numerazione Protocollo", "Inizio"},
    {"Numerazione Protocollo", "Indicazione Anno Solare"},
    {"Protocollo Documenti", "Ufficio"},
    {"Protocollo Documenti", "Operatore"},
};
} // namespace

namespace {
// A value as it reads back: one line, control characters as blanks, no
// blanks around it.
QString asReadBack(QString value)
{
    for (QChar &c : value)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = u' ';
    return value.trimmed();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte: which key is written, what is typed into it and
    // which step of the write fails (most of them: none).
    const Key &written = kKeys[data[0] % 5];
    const int variant = (data[0] / 5) % 3;
    const int fault = data[0] / 15; // 0 to 17
    const QString path = QStringLiteral("/p/Pratelia.ini");
    const QByteArray original(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    MemoryFileSystem fs;
    fs.files.insert(path, original);

    QString before[5];
    bool had[5];
    {
        IniFile ini;
        check(ini.load(path) != IniFile::LoadResult::Missing);
        for (int i = 0; i < 5; ++i) {
            had[i] = ini.has(QString::fromLatin1(kKeys[i].section), QString::fromLatin1(kKeys[i].key));
            before[i] = ini.value(QString::fromLatin1(kKeys[i].section), QString::fromLatin1(kKeys[i].key));
        }
    }

    // A value as a user types it, in Windows-1252: plain, beginning like a
    // multi-line block, or with line breaks pasted into it.
    QString value = codepage::decode(QByteArray::number(qulonglong(size) * 7919u))
                    + QString::fromUtf8(" Città €");
    if (variant == 1)
        value.prepend(QStringLiteral("<<<"));
    else if (variant == 2)
        value.insert(2, QStringLiteral("\r\n[Accesso]\r\nValore=\n"));
    if (fault >= 8) {
        fs.failStep = IoStep(fault - 8);
        fs.failAfter = 1;
    }
    const bool ok = writeIniValue(path, QString::fromLatin1(written.section),
                                  QString::fromLatin1(written.key), value);
    fs.failAfter = 0;
    // Whatever happened, no temporary file is left.
    check(fs.files.size() == 1 && fs.files.contains(path));
    if (!ok) {
        check(fs.files.value(path) == original); // a failed write changes nothing
        return 0;
    }

    IniFile ini;
    check(ini.load(path) == IniFile::LoadResult::Ok);
    for (int i = 0; i < 5; ++i) {
        const QString section = QString::fromLatin1(kKeys[i].section);
        const QString key = QString::fromLatin1(kKeys[i].key);
        if (&kKeys[i] == &written)
            check(ini.value(section, key) == asReadBack(value));
        else {
            check(ini.has(section, key) == had[i]);
            check(ini.value(section, key) == before[i]);
        }
    }
    return 0;
}
