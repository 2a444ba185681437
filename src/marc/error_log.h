// The processing-error log: one appended entry per record that an operation
// failed on, in "ErrorLog.txt" beside the executable (or the file named by
// the environment variable VELTRANE_ERROR_LOG). Where the executable's folder
// cannot be written (a program installed under /usr/bin), the log is in the
// user's state folder: $XDG_STATE_HOME/veltrane, else
// ~/.local/state/veltrane (created when needed). GBK text, CR LF, never
// trimmed.
#ifndef VELTRANE_MARC_ERROR_LOG_H_
#define VELTRANE_MARC_ERROR_LOG_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace veltrane {

// The log file as described above.
std::string ErrorLogPath();

// The entry text for one failed record (without the final CR LF); `now` is
// the local time as "yyyy-mm-dd HH:MM:ss".
std::string ErrorLogEntry(std::string_view now, const std::string& file_name,
                          int64_t rec_no, std::string_view record);

// Appends the entry for a record failed now. Throws std::system_error when
// the log cannot be written.
void AppendErrorLogEntry(const std::string& file_name, int64_t rec_no,
                         std::string_view record);

}  // namespace veltrane

#endif  // VELTRANE_MARC_ERROR_LOG_H_
