// The password store "unins000.dll" as it may be found (edited by hand,
// damaged, replaced): reading it never crashes, and a password written to
// it reads back as it was set, whatever else the file holds.
#include "memfs.h"

#include "app/password.h"
#include "store/codepage.h"
#include "store/values.h"

#include <cstdint>
#include <cstdlib>

using namespace pratelia;
using namespace pratelia::app;
using namespace pratelia::fuzzing;

namespace {

bool upperHex(const QString &s)
{
    for (QChar c : s)
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')))
            return false;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("PRATELIA_HOME", "/p");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const size_t split = std::min<size_t>(size - 1, data[0]);
    // The first part is a password as typed; the rest is the store.
    const QString typed = codepage::decode(reinterpret_cast<const char *>(data + 1), qsizetype(split));
    const QByteArray store(reinterpret_cast<const char *>(data + 1 + split), qsizetype(size - 1 - split));

    // Scrambling and back gives the text, two digits a character.
    const QString scrambled = ScramblePassword(typed);
    check(scrambled.size() == 2 * typed.size() && upperHex(scrambled));
    bool ok = false;
    check(UnscramblePassword(scrambled, &ok) == typed && ok);
    // Any text as a stored value: no crash, and a failure only for a pair
    // that is not hexadecimal.
    const QString asHex = codepage::decode(store.left(600));
    const QString plain = UnscramblePassword(asHex, &ok);
    check(ok || plain.isEmpty());

    MemoryFileSystem fs;
    fs.files.insert(passwordStorePath(), store);
    QString password;
    if (readStoredPassword(password))
        check(password == passwordForm(password));

    // Changing the password keeps working on any store that could be read.
    const QString wanted = passwordForm(typed);
    if (wanted.isEmpty() || !newPasswordProblem(wanted).isEmpty())
        return 0;
    if (!writeStoredPassword(ScramblePassword(wanted)))
        return 0;
    check(fs.files.size() == 1); // the store, and no temporary file
    check(readStoredPassword(password));
    check(password == wanted);
    return 0;
}
