#include "marc/record_dump.h"

#include "marc/subfield_mark.h"

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
      out.append(" ").append(field.Data).append("\n");
      continue;
    }
    std::string indicator = field.Indicator;
    indicator.resize(2, ' ');
    out.append(" ").append(indicator);
    std::string_view data = field.Data;
    size_t mark = FindSubfieldMark(data);
    if (mark > 0 && !data.empty()) {
      out.append(" ").append(data.substr(0, std::min(mark, data.size())));
    }
    while (mark != std::string_view::npos) {
      size_t next = FindSubfieldMark(data, mark + 2);
      std::string_view subfield = data.substr(
          mark + 2, next == std::string_view::npos ? std::string_view::npos
                                                   : next - mark - 2);
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
