// TSV lines for listings: fields joined by TAB, control characters in the
// data escaped so that every row stays one line.
#ifndef VELTRANE_CLI_TSV_H_
#define VELTRANE_CLI_TSV_H_

#include <string>
#include <string_view>

namespace veltrane::cli {

// `field` with TAB, LF, CR and "\" written as \t, \n, \r and \\, and every
// other byte below 0x20 (and 0x7F) as \xHH.
std::string EscapeTsvField(std::string_view field);

}  // namespace veltrane::cli

#endif  // VELTRANE_CLI_TSV_H_
