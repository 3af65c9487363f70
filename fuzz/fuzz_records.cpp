// Whole records of every layout: any bytes read field by field without
// leaving the record, and a card that loads a record and saves it again
// shows the same texts.
#include "store/dumpline.h"
#include "store/layout.h"
#include "store/record.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace pratelia;

namespace {
const RecordLayout &layoutFor(uint8_t selector)
{
    switch (selector % 5) {
    case 0: return layouts::cliente();
    case 1: return layouts::tariffa();
    case 2: return layouts::servizio();
    case 3: return layouts::scadenza();
    default: return layouts::protocollo();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const RecordLayout &layout = layoutFor(data[0]);
    ++data;
    --size;
    const size_t rs = size_t(layout.recordSize());
    // A buffer of exactly one record, so that reading past it is caught.
    std::unique_ptr<char[]> bytes(new char[rs]);
    std::memset(bytes.get(), 0, rs);
    std::memcpy(bytes.get(), data, std::min(size, rs));
    const RecordView view(&layout, bytes.get());

    Record copy(layout);
    for (int i = 0; i < layout.fieldCount(); ++i) {
        const QString text = view.text(i);
        if (text.size() > layout.field(i).capacity || view.lengthByte(i) > 255)
            std::abort();
        copy.setText(i, text);
    }
    for (int i = 0; i < layout.fieldCount(); ++i)
        if (copy.text(i) != view.text(i))
            std::abort();
    const QString line = dumpLine(view, 1);
    if (!line.startsWith(u"{\"N\":1,") || !line.endsWith(u'}'))
        std::abort();
    return 0;
}
