// Fuzz target: any bytes as an .xls file (OLE2 container, BIFF records).
// Reading must never crash; a bad file is a WorkbookError.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "sheet/workbook_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path =
      "/tmp/veltrane-xls-fuzz-" + std::to_string(::getpid()) + ".xls";
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  try {
    veltrane::Workbook book = veltrane::ReadWorkbook(path);
    if (!book.sheets.empty()) book.active_sheet()->used();
  } catch (const veltrane::WorkbookError&) {
  }
  return 0;
}
