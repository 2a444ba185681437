#include "sheet/workbook_io.h"

#include <algorithm>

#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "sheet/workbook_formats.h"
#include "util/file_reader.h"
#include "util/output_file.h"

namespace veltrane {

using namespace sheet_internal;

namespace sheet_internal {

std::vector<bool> WantedSheets(const Workbook& book, const SheetSelection& which,
                               const std::string& path) {
  std::vector<bool> wanted(book.sheets.size(), which.kind == SheetSelection::kAll);
  if (which.kind == SheetSelection::kActive && !book.sheets.empty()) {
    wanted[book.active] = true;
  } else if (which.kind == SheetSelection::kNamed) {
    const Sheet* sheet = book.FindSheet(which.name);
    if (!sheet) {
      throw WorkbookError("EXCEL文件'" + path + "'中没有名为'" + which.name +
                          "'的工作表！");
    }
    wanted[static_cast<size_t>(sheet - book.sheets.data())] = true;
  }
  return wanted;
}

WorkbookError NotAWorkbook(const std::string& path) {
  return WorkbookError("文件'" + path + "'不是EXCEL工作簿（.xls或.xlsx），无法读取！");
}

WorkbookError Damaged(const std::string& path, std::string_view detail) {
  return WorkbookError("EXCEL文件'" + path + "'已损坏或不完整，无法读取！（" +
                       std::string(detail) + "）");
}

WorkbookError Encrypted(const std::string& path) {
  return WorkbookError("EXCEL文件'" + path + "'设有密码保护，无法读取！");
}

WorkbookError CannotWrite(const std::string& path, std::string_view detail) {
  return WorkbookError("无法写入EXCEL文件'" + path + "'：" + std::string(detail));
}

void CheckSheetNames(const std::vector<Sheet>& sheets, const std::string& path) {
  for (const Sheet& sheet : sheets) {
    std::u16string name = Utf16(sheet.name());
    if (name.empty() || name.size() > 31 ||
        name.find_first_of(u"[]:*?/\\") != std::u16string::npos ||
        name.front() == u'\'' || name.back() == u'\'') {
      throw CannotWrite(path, "工作表名称'" + sheet.name() + "'不能用于EXCEL文件");
    }
  }
}

}  // namespace sheet_internal

namespace {

// Writes go through a symbolic link to the file it names.
std::string WriteTarget(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_symlink(path, error)) {
    std::filesystem::path target = std::filesystem::canonical(path, error);
    if (!error) return target.string();
  }
  return path;
}

std::string TempPathBeside(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  return target + ".tmp" + std::to_string(::getpid()) + "-" +
         std::to_string(counter++);
}

void CommitBytes(const std::string& bytes, const std::string& target,
                 const std::string& path) {
  try {
    OutputFile out(target);
    out.Write(bytes);
    out.Commit();
  } catch (const std::system_error& error) {
    throw CannotWrite(path, error.code().message());
  }
}

// Copies the file to NAME.orig.xls (or the first free NAME.origN.xls) before
// it is rewritten from its values; returns the copy's path.
std::string KeepOriginal(const std::string& target, const std::string& path) {
  std::string stem = path;
  std::string tail = path.size() >= 4 ? path.substr(path.size() - 4) : "";
  for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (tail == ".xls") stem.resize(path.size() - 4);
  for (int n = 1; n < 1000; ++n) {
    std::string copy = stem + ".orig" + (n == 1 ? "" : std::to_string(n)) + ".xls";
    std::error_code error;
    if (std::filesystem::exists(copy, error)) continue;
    if (!std::filesystem::copy_file(target, copy, error)) {
      throw CannotWrite(path, "无法保留原文件：" + error.message());
    }
    return copy;
  }
  throw CannotWrite(path, "无法保留原文件");
}

}  // namespace

uint32_t MaxRows(WorkbookFormat format) {
  return format == WorkbookFormat::kXls ? 65536 : 1048576;
}

uint32_t MaxColumns(WorkbookFormat format) {
  return format == WorkbookFormat::kXls ? 256 : 16384;
}

uint32_t MaxRecords(WorkbookFormat format) {
  return format == WorkbookFormat::kXls ? 65000 : 1048575;
}

WorkbookFormat FormatForName(const std::string& path) {
  std::string tail = path.size() >= 5 ? path.substr(path.size() - 5) : "";
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; });
  return tail == ".xlsx" ? WorkbookFormat::kXlsx : WorkbookFormat::kXls;
}

std::optional<WorkbookFormat> DetectWorkbookFormat(const std::string& path) {
  std::unique_ptr<FileReader> file = FileReader::Open(path);
  if (!file) return std::nullopt;
  std::string_view head;
  try {
    head = file->Peek(8);
  } catch (const std::system_error&) {
    return std::nullopt;
  }
  if (head == std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) {
    return WorkbookFormat::kXls;
  }
  if (head.starts_with("PK\x03\x04")) return WorkbookFormat::kXlsx;
  return std::nullopt;
}

Workbook ReadWorkbook(const std::string& path, const SheetSelection& which) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    throw WorkbookError("找不到'" + path + "'文件，请确定该文件是否存在？！");
  }
  std::optional<WorkbookFormat> format = DetectWorkbookFormat(path);
  if (!format) throw NotAWorkbook(path);
  return *format == WorkbookFormat::kXls ? ReadXls(path, which)
                                         : ReadXlsx(path, which);
}

void WriteWorkbook(const Workbook& workbook, const std::string& path) {
  if (workbook.sheets.empty()) throw CannotWrite(path, "没有工作表");
  CheckSheetNames(workbook.sheets, path);
  std::string target = WriteTarget(path);
  if (FormatForName(path) == WorkbookFormat::kXls) {
    CommitBytes(XlsBytes(workbook, path), target, path);
    return;
  }
  std::string temp = TempPathBeside(target);
  WriteXlsxFile(workbook, temp, path);
  if (std::rename(temp.c_str(), target.c_str()) != 0) {
    std::string reason = std::strerror(errno);
    std::remove(temp.c_str());
    throw CannotWrite(path, reason);
  }
}

SheetWriteResult WriteSheetsIntoWorkbook(const std::string& path,
                                         const std::vector<Sheet>& sheets) {
  CheckSheetNames(sheets, path);
  Workbook workbook = ReadWorkbook(path, {SheetSelection::kAll, {}});
  std::string target = WriteTarget(path);
  if (*DetectWorkbookFormat(path) == WorkbookFormat::kXlsx) {
    CommitBytes(XlsxWithSheets(path, sheets), target, path);
    return {};
  }
  for (const Sheet& sheet : sheets) {
    if (Sheet* old = workbook.FindSheet(sheet.name())) {
      std::string name = old->name();
      *old = sheet;
      old->set_name(name);
    } else {
      workbook.sheets.push_back(sheet);
    }
  }
  std::string bytes = XlsBytes(workbook, path);
  SheetWriteResult result;
  result.original_copy = KeepOriginal(target, path);
  CommitBytes(bytes, target, path);
  return result;
}

Grid LoadGridFromWorkbook(const std::string& path) {
  Workbook workbook = ReadWorkbook(path, {SheetSelection::kActive, {}});
  const Sheet* sheet = workbook.active_sheet();
  if (!sheet) return Grid();
  UsedBlock block = sheet->used();
  Grid grid(static_cast<int>(block.columns), static_cast<int>(block.rows));
  sheet->ForEachCell([&](uint32_t row, uint32_t column, std::string_view text) {
    grid.SetCell(static_cast<int>(column - block.first_column),
                 static_cast<int>(row - block.first_row), std::string(text));
  });
  return grid;
}

Sheet SheetFromGrid(const Grid& grid, std::string name) {
  Sheet sheet(std::move(name));
  grid.ForEachCell([&](int c, int r, const std::string& text) {
    sheet.SetCell(static_cast<uint32_t>(r), static_cast<uint32_t>(c), text);
  });
  return sheet;
}

SheetWriteResult SaveGridToWorkbook(const Grid& grid, const std::string& path,
                                    const std::string& sheet_name) {
  if (!sheet_name.empty() && DetectWorkbookFormat(path)) {
    return WriteSheetsIntoWorkbook(path, {SheetFromGrid(grid, sheet_name)});
  }
  Workbook workbook;
  workbook.sheets.push_back(
      SheetFromGrid(grid, sheet_name.empty() ? "Sheet1" : sheet_name));
  WriteWorkbook(workbook, path);
  return {};
}

}  // namespace veltrane
