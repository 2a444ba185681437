#include "cli/tsv.h"

#include <cstdio>

namespace veltrane::cli {

std::string EscapeTsvField(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (char c : field) {
    switch (c) {
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
          char hex[5];
          std::snprintf(hex, sizeof hex, "\\x%02X",
                        static_cast<unsigned char>(c));
          out += hex;
        } else {
          out.push_back(c);
        }
    }
  }
  return out;
}

}  // namespace veltrane::cli
