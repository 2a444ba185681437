#include "isbn/range_store.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "isbn/range_message.h"
#include "util/output_file.h"

namespace veltrane {
namespace {

std::string ConfigFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') return std::string(xdg) + "/Veltrane";
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : ".") + "/.config/Veltrane";
}

// The stored table, when one was read; null means the built-in table.
std::unique_ptr<const IsbnRanges>& StoredTable() {
  static std::unique_ptr<const IsbnRanges> table;
  return table;
}

const IsbnRanges*& Active() {
  static const IsbnRanges* active = nullptr;
  return active;
}

}  // namespace

std::string StoredRangeMessagePath() {
  return ConfigFolder() + "/RangeMessage.xml";
}

const IsbnRanges& StoreRangeMessage(const std::string& source) {
  std::ifstream in(source, std::ios::binary);
  if (!in) throw std::runtime_error("无法读取文件：" + source);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  auto table = std::make_unique<const IsbnRanges>([&] {
    try {
      return ParseRangeMessage(bytes.str());
    } catch (const std::runtime_error& error) {
      throw std::runtime_error(source + "：" + error.what());
    }
  }());
  std::error_code error;
  std::filesystem::create_directories(ConfigFolder(), error);
  if (error) throw std::system_error(error, ConfigFolder());
  OutputFile out(StoredRangeMessagePath());
  out.Write(bytes.str());
  out.Commit();
  StoredTable() = std::move(table);
  Active() = StoredTable().get();
  return *Active();
}

std::string ReloadActiveIsbnRanges() {
  std::string problem;
  const std::string path = StoredRangeMessagePath();
  struct stat info {};
  std::unique_ptr<const IsbnRanges> table;
  if (::stat(path.c_str(), &info) == 0) {
    try {
      table = std::make_unique<const IsbnRanges>(ReadRangeMessageFile(path));
    } catch (const std::exception& error) {
      problem = error.what();
    }
  }
  StoredTable() = std::move(table);
  Active() = StoredTable() ? StoredTable().get() : &IsbnRanges::BuiltIn();
  return problem;
}

const IsbnRanges& ActiveIsbnRanges() {
  if (Active() == nullptr) ReloadActiveIsbnRanges();
  return *Active();
}

}  // namespace veltrane
