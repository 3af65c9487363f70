#pragma once
// The records the concurrency tests write: every field of a record is
// derived from (writer, k, updated), so a record mixed from two writes or
// cut short is recognised.
#include "store/record.h"

namespace pratelia::testing {

Record writerRecord(int writer, int k, bool updated);
// Whether the record is exactly one that writerRecord makes; sets the three
// values it was made from.
bool readWriterRecord(const RecordView &r, int &writer, int &k, bool &updated);

} // namespace pratelia::testing
