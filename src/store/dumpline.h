#pragma once
// A record as one line of JSON: its number, then every field by name with
// the text the program reads from it.
#include "record.h"

#include <QString>

namespace pratelia {

// One JSON string, quoted and escaped (control characters as \uXXXX).
QString jsonString(const QString &s);
// {"N":number,"Field":"text",...} without a line end.
QString dumpLine(const RecordView &record, int number);

} // namespace pratelia
