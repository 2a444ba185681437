// Workbook writing and reading: an .xls of 65,000 rows x 4 columns, an .xlsx
// of a million rows x 4 columns, and the memory a read of that .xlsx takes
// against the memory of the cells it keeps (measured in a fresh process).
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/bench_util.h"
#include "sheet/workbook_io.h"

namespace veltrane {
namespace {

// A block like a MARC export: heading row, then ISBN, title, author, price.
Workbook Block(uint32_t rows) {
  Workbook book;
  Sheet& sheet = book.sheets.emplace_back("Sheet1");
  const char* headings[] = {"ISBN", "书名", "作者", "单价"};
  for (uint32_t c = 0; c < 4; ++c) sheet.SetCell(0, c, headings[c]);
  for (uint32_t r = 1; r < rows; ++r) {
    sheet.SetCell(r, 0, std::to_string(9787500000000ULL + r));
    sheet.SetCell(r, 1, "图书馆采访工作手册 第" + std::to_string(r % 97) + "版");
    sheet.SetCell(r, 2, "编者" + std::to_string(r % 1009));
    sheet.SetCell(r, 3, std::to_string(10 + r % 90) + ".50");
  }
  return book;
}

long PeakRssKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

long FileMb(const std::string& path) {
  return static_cast<long>(std::filesystem::file_size(path) / 1000000);
}

// Reads `path` and prints time, peak memory and the memory of the kept cells.
int ReadOnly(const std::string& path) {
  long before = PeakRssKb();
  auto start = std::chrono::steady_clock::now();
  std::clock_t cpu = std::clock();
  Workbook book = ReadWorkbook(path, {SheetSelection::kActive, {}});
  double cpu_seconds = double(std::clock() - cpu) / CLOCKS_PER_SEC;
  double seconds = SecondsSince(start);
  const Sheet& sheet = *book.active_sheet();
  std::printf("  read %zu cells in %.2f s (%.2f s CPU); peak memory %ld MB "
              "(%ld MB before reading), cells kept %zu MB\n",
              sheet.cell_count(), seconds, cpu_seconds, PeakRssKb() / 1000,
              before / 1000, sheet.bytes_kept() / 1000000);
  return 0;
}

void ReadInFreshProcess(const std::string& self, const std::string& path) {
  std::fflush(stdout);
  std::string command = "'" + self + "' --read-only '" + path + "'";
  if (std::system(command.c_str()) != 0) std::printf("  (read failed)\n");
}

}  // namespace
}  // namespace veltrane

int main(int argc, char** argv) {
  using namespace veltrane;
  if (argc == 3 && std::string(argv[1]) == "--read-only") return ReadOnly(argv[2]);
  uint32_t rows = argc == 3 && std::string(argv[1]) == "--rows"
                      ? static_cast<uint32_t>(std::atol(argv[2]))
                      : 1000000;
  std::string self = std::filesystem::canonical("/proc/self/exe").string();
  WorkFolder folder("veltrane-bench-sheet");

  std::printf("(a) .xls, 65,001 rows x 4 columns (heading + 65,000 records)\n");
  {
    Workbook book = Block(65001);
    auto start = std::chrono::steady_clock::now();
    WriteWorkbook(book, folder.Path("block.xls"));
    std::printf("  write %.2f s, %ld MB\n", SecondsSince(start),
                FileMb(folder.Path("block.xls")));
  }
  ReadInFreshProcess(self, folder.Path("block.xls"));

  std::printf("(b) .xlsx, %u rows x 4 columns\n", rows);
  for (uint32_t n : {rows / 10, rows}) {
    std::string path = folder.Path("block" + std::to_string(n) + ".xlsx");
    {
      Workbook book = Block(n);
      auto start = std::chrono::steady_clock::now();
      WriteWorkbook(book, path);
      std::printf("  %u rows: write %.2f s, %ld MB\n", n, SecondsSince(start),
                  FileMb(path));
    }
    ReadInFreshProcess(self, path);
  }
  return 0;
}
