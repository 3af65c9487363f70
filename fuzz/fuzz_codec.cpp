// The short text codec: any bytes decode without reading past the field,
// and what a card reads, writes back and reads again does not change.
#include "memfs.h"

#include "store/codepage.h"
#include "store/record.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace pratelia;
using pratelia::fuzzing::check;

namespace {

bool blankOrControl(QChar c)
{
    return c.unicode() <= 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
}


} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int capacity = 1 + data[0] % 255;
    ++data;
    --size;

    // Any bytes as a stored field, in a buffer of exactly its size.
    std::vector<char> field(size_t(capacity) + 1, '\0');
    std::memcpy(field.data(), data, std::min(size, field.size()));
    const QString read = decodeShortText(field.data(), capacity);
    check(read.size() <= capacity);
    check(read.isEmpty() || (!blankOrControl(read.front()) && !blankOrControl(read.back())));

    // Every byte is one character and back.
    const QByteArray raw(reinterpret_cast<const char *>(data), qsizetype(size));
    check(codepage::encode(codepage::decode(raw)) == raw);

    // The input as UTF-16 text typed by the user, written between guard bytes.
    const QString typed = QString::fromUtf16(reinterpret_cast<const char16_t *>(data),
                                             qsizetype(size / 2));
    std::vector<char> guarded(size_t(capacity) + 3, '\x5A');
    char *slot = guarded.data() + 1;
    encodeShortText(slot, capacity, typed);
    check(guarded.front() == '\x5A' && guarded.back() == '\x5A');
    check(static_cast<unsigned char>(slot[0]) <= capacity);
    const QString once = decodeShortText(slot, capacity);
    // What is read is the trimmed text, cut to the capacity, trimmed again.
    const QByteArray cut = codepage::encode(trimText(typed)).left(capacity);
    check(once == trimText(codepage::decode(cut)));

    // Saving what was read and reading it again shows the same text.
    std::vector<char> again(size_t(capacity) + 1);
    encodeShortText(again.data(), capacity, once);
    check(decodeShortText(again.data(), capacity) == once);

    // Untrimmed writes keep the text as typed, up to the capacity.
    encodeShortText(slot, capacity, typed, false);
    check(guarded.front() == '\x5A' && guarded.back() == '\x5A');
    return 0;
}
