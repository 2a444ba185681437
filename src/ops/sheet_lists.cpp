#include "ops/sheet_lists.h"

#include "util/text.h"

namespace veltrane {

bool FirstRowEmpty(const Grid& list) {
  for (int c = 0; c < list.columns(); ++c) {
    if (!list.Cell(c, 0).empty()) return false;
  }
  return true;
}

std::vector<std::string> ColumnNames(const Grid& list) {
  std::vector<std::string> names;
  if (FirstRowEmpty(list)) return names;
  for (int c = 0; c < list.columns(); ++c) {
    const std::string& text = list.Cell(c, 0);
    names.push_back(text.empty() ? "[空白 *" + std::to_string(c) + "*]" : text);
  }
  return names;
}

std::optional<size_t> FindColumn(const Grid& list, std::string_view name) {
  const std::vector<std::string> names = ColumnNames(list);
  for (size_t c = 0; c < names.size(); ++c) {
    if (names[c] == name) return c;
  }
  const std::optional<int64_t> number = ParseInteger(name);
  if (number && *number >= 0 && *number < list.columns()) {
    return static_cast<size_t>(*number);
  }
  return std::nullopt;
}

std::string MissingWorkbookMessage(const std::string& path) {
  return "找不到'" + path + "'文件，请确定该文件是否存在？！";
}

std::string KeptOriginalsNote(const std::vector<std::string>& copies) {
  std::string note;
  for (const std::string& copy : copies) {
    note += (note.empty() ? "" : "\n") + ("原文件已另存为：" + copy);
  }
  return note;
}

}  // namespace veltrane
