#include "grid/record_template.h"

#include <string_view>

#include "marc/record.h"
#include "util/encoding.h"

namespace veltrane::grid {
namespace {

struct TemplateField {
  std::string_view tag;
  std::string_view indicator;
  std::string_view data;  // "■" for delimiters, UTF-8
};

// The organisation in 801 $b stands for the library that fills it in.
constexpr TemplateField kFields[] = {
    {"001", "", ""},
    {"005", "", "20050509164551"},
    {"010", "", "■a■b■d"},
    {"100", "", "■a"},
    {"101", "", "■achi"},
    {"200", "2 ", "■a■d■e■f"},
    {"205", "", "■a"},
    {"210", "", "■a■c■d"},
    {"215", "", "■a■c■d"},
    {"225", "", "■a■f"},
    {"304", "", "■a"},
    {"306", "", "■a"},
    {"313", "", "■a"},
    {"330", "", "■a"},
    {"690", "", "■a■v4"},
    {"701", "", "■a■f■4"},
    {"702", "", "■a■f■4"},
    {"711", "", "■a■f■4"},
    {"801", "", "■a■b本馆■c■g"},
    {"905", "", "■a■b■d■e"},
};

std::string BuildTemplate() {
  TMarcRecord record;
  record.AddValue("", "", "00415nam0 2200265  450  ");
  for (const TemplateField& field : kFields) {
    record.AddValue(field.tag, Utf8ToGbk(field.indicator),
                    Utf8ToGbk(field.data));
  }
  return record.GetIsoText("20050509164551");
}

}  // namespace

const std::string& MarcRecordTemplate() {
  static const std::string text = BuildTemplate();
  return text;
}

}  // namespace veltrane::grid
