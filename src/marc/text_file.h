// Plain text-file helpers (GBK text, CR LF line ends): the error log and the
// ISBN list files use them.
#ifndef VELTRANE_MARC_TEXT_FILE_H_
#define VELTRANE_MARC_TEXT_FILE_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace veltrane {

// Appends `line` and CR LF to `file_name` (created when missing), in one
// write, and closes the file. Throws std::system_error naming the file.
void AppendLine(const std::string& file_name, std::string_view line);

// True when some line of the file equals `line` byte for byte; false when
// none does or the file does not exist. Stops at the first match.
bool FileHasLine(const std::string& file_name, std::string_view line);

// The number of lines (a final line without a break counts); 0 for a
// missing file.
int64_t CountLines(const std::string& file_name);

// Calls `visit` with every line of the file, in order. Throws
// std::system_error naming the file when it cannot be opened.
void ForEachLine(const std::string& file_name,
                 const std::function<void(const std::string& line)>& visit);

}  // namespace veltrane

#endif  // VELTRANE_MARC_TEXT_FILE_H_
