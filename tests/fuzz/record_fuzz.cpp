// Fuzz target: any bytes as a record text. Reading must never crash, and
// rebuilding settles: a record rebuilt twice reads and writes back the same.
// (One rebuild may still change it: a "■" typed into data becomes a
// delimiter, and the bytes before a field's first delimiter beyond its two
// indicators are dropped when it is read again.)
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "marc/record.h"
#include "marc/record_dump.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    veltrane::TMarcRecord record = veltrane::TMarcRecord::Create(text);
    for (const char* address : {"010a", "200a", "200", "-01", "905b"}) {
      record.GetValue(address);
    }
    veltrane::DumpRecordLines(record);
    auto rebuild = [](std::string_view text) {
      return veltrane::TMarcRecord::Create(text).GetIsoText("20260101000000.0");
    };
    std::string twice = rebuild(rebuild(text));
    if (rebuild(twice) != twice) __builtin_trap();
  } catch (const veltrane::MarcFormatError&) {
  }
  return 0;
}
