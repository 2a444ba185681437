// Fuzz target: any bytes as a grid cell file. Loading must never crash, and a
// loaded grid saved and loaded again is the same grid.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "sheet/grid_cell_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path =
      "/tmp/veltrane-grid-fuzz-" + std::to_string(::getpid());
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  try {
    veltrane::Grid grid = veltrane::LoadGridCellFile(path);
    veltrane::SaveGridCellFile(grid, path);
    if (!(veltrane::LoadGridCellFile(path) == grid)) __builtin_trap();
  } catch (const veltrane::GridFileError&) {
  }
  return 0;
}
