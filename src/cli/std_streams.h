// Standard input and output of veltrane-cli, checked: a failed or short
// write to stdout (a full disk, /dev/full, a closed pipe) and a failed read
// of stdin (a folder given as stdin) are errors that end the command with
// status 1 and their message, never a silent success. Every command writes
// stdout through these functions.
#ifndef VELTRANE_CLI_STD_STREAMS_H_
#define VELTRANE_CLI_STD_STREAMS_H_

#include <string>
#include <string_view>

namespace veltrane::cli {

// Writes `bytes` to stdout (buffered). Throws std::system_error
// "写入标准输出出错" when the write fails.
void WriteStdout(std::string_view bytes);
// `line` and "\n".
void PrintLine(std::string_view line);
// Writes what is buffered; throws as WriteStdout does. main() calls it before
// exiting, commands that answer interactively after each answer.
void FlushStdout();

// The next line of stdin without its LF or CR LF; false at its end. Throws
// std::system_error "读取标准输入出错" when stdin cannot be read.
bool ReadStdinLine(std::string& line);

}  // namespace veltrane::cli

#endif  // VELTRANE_CLI_STD_STREAMS_H_
