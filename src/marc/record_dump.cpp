#include "marc/record_dump.h"

#include <algorithm>

namespace veltrane {

std::string DumpRecordLines(const TMarcRecord& record) {
  std::string out;
  for (const TMarcFieldClass& field : record.Fields()) {
    if (field.Tag.empty()) {
      out.append(field.Data).append("\n");
      continue;
    }
    out.append(field.Tag);
    if (!IsDataFieldTag(field.Tag)) {
      std::string text = field.Indicator + field.Data;
      std::replace(text.begin(), text.end(), kSubfieldDelimiter, '$');
      out.append(" ").append(text).append("\n");
      continue;
    }
    std::string indicator = field.Indicator;
    indicator.resize(2, ' ');
    out.append(" ").append(indicator);
    std::string_view data = field.Data;
    size_t mark = data.find(kSubfieldDelimiter);
    if (mark > 0 && !data.empty()) {
      out.append(" ").append(data.substr(0, std::min(mark, data.size())));
    }
    while (mark != std::string_view::npos) {
      size_t next = data.find(kSubfieldDelimiter, mark + 1);
      std::string_view subfield = data.substr(
          mark + 1, next == std::string_view::npos ? std::string_view::npos
                                                   : next - mark - 1);
      out.append(" $");
      if (!subfield.empty()) {
        out.push_back(subfield[0]);
        out.append(" ").append(subfield.substr(1));
      }
      mark = next;
    }
    out.append("\n");
  }
  out.append("\n");
  return out;
}

}  // namespace veltrane
