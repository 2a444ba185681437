#include "bench/list_reference.h"

#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>

#include "isbn/convert.h"
#include "marc/record.h"
#include "marc/text_file.h"
#include "util/line_reader.h"

namespace veltrane {
namespace {

std::unique_ptr<LineReader> OpenLines(const std::string& file_name) {
  std::unique_ptr<LineReader> reader = LineReader::Open(file_name);
  if (!reader) throw std::runtime_error("cannot read " + file_name);
  return reader;
}

std::optional<std::ofstream> CreateIfNamed(const std::string& file_name) {
  if (file_name.empty()) return std::nullopt;
  return std::ofstream(file_name, std::ios::binary | std::ios::trunc);
}

bool BuyerHas(const std::string& buyer_file, const std::string& line,
              bool isbn_keys) {
  std::unique_ptr<LineReader> buyer = OpenLines(buyer_file);
  std::string other;
  while (buyer->Next(other)) {
    if (other == line ||
        (isbn_keys && IsbnMatchKey(other) == IsbnMatchKey(line))) {
      return true;
    }
  }
  return false;
}

std::string IsbnOf(std::string_view record_text) {
  return TMarcRecord::Create(record_text).GetValue("010a");
}

}  // namespace

void NestedIsbnCheck(const std::string& buyer_file,
                     const std::string& supplier_file, bool isbn_keys,
                     const std::string& lacks_file,
                     const std::string& common_file) {
  std::optional<std::ofstream> lacks = CreateIfNamed(lacks_file);
  std::optional<std::ofstream> common = CreateIfNamed(common_file);
  std::unique_ptr<LineReader> supplier = OpenLines(supplier_file);
  std::string line;
  while (supplier->Next(line)) {
    std::optional<std::ofstream>& out =
        BuyerHas(buyer_file, line, isbn_keys) ? common : lacks;
    if (out) *out << line << "\r\n";
  }
}

void NestedExtract(const std::string& supplier_file,
                   const std::string& isbn_file, bool isbn_order,
                   const std::string& output_file,
                   RecordFailureListener& listener) {
  if (!isbn_order) {
    ScanMarcFile(
        supplier_file,
        [&](int64_t, std::string_view text, bool&) {
          if (FileHasLine(isbn_file, IsbnOf(text))) {
            AppendLine(output_file, text);
          }
        },
        listener);
    return;
  }
  std::unique_ptr<LineReader> isbns = OpenLines(isbn_file);
  std::string line;
  while (isbns->Next(line)) {
    ScanMarcFile(
        supplier_file,
        [&](int64_t, std::string_view text, bool&) {
          if (IsbnOf(text) == line) AppendLine(output_file, text);
        },
        listener);
  }
}

}  // namespace veltrane
