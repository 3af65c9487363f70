// The settings files ("Pratelia.ini" and the password store): any content
// loads without a crash, and writing one value keeps every other value.
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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const Key &written = kKeys[data[0] % 5];
    const QString path = QStringLiteral("/p/Pratelia.ini");
    MemoryFileSystem fs;
    fs.files.insert(path, QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)));

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

    // A value as a user types it: one line, Windows-1252.
    const QString value = codepage::decode(QByteArray::number(qulonglong(size) * 7919u))
                          + QString::fromUtf8(" Città €");
    if (!writeIniValue(path, QString::fromLatin1(written.section), QString::fromLatin1(written.key),
                       value))
        return 0;

    IniFile ini;
    check(ini.load(path) == IniFile::LoadResult::Ok);
    for (int i = 0; i < 5; ++i) {
        const QString section = QString::fromLatin1(kKeys[i].section);
        const QString key = QString::fromLatin1(kKeys[i].key);
        if (&kKeys[i] == &written)
            check(ini.value(section, key) == value);
        else {
            check(ini.has(section, key) == had[i]);
            check(ini.value(section, key) == before[i]);
        }
    }
    return 0;
}
