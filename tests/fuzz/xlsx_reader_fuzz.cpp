// Fuzz target: the XML parts of an .xlsx. The input up to its first NUL byte
// is the worksheet part, the rest the shared strings; both go into a sound
// zip package with fixed workbook parts, so the fuzzer works on the XML
// handlers rather than on the zip container. Reading must never crash.
#include <gsf/gsf.h>
#include <gsf/gsf-outfile-zip.h>
#include <gsf/gsf-output-stdio.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "sheet/workbook_io.h"

namespace {

constexpr char kWorkbook[] =
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/"
    "main\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships\"><bookViews><workbookView activeTab=\"0\"/></bookViews>"
    "<sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets>"
    "</workbook>";
constexpr char kRels[] =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
    "relationships\"><Relationship Id=\"rId1\" Type=\"x/worksheet\" "
    "Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" "
    "Type=\"x/sharedStrings\" Target=\"sharedStrings.xml\"/><Relationship "
    "Id=\"rId3\" Type=\"x/styles\" Target=\"styles.xml\"/></Relationships>";
constexpr char kStyles[] =
    "<styleSheet><numFmts><numFmt numFmtId=\"164\" formatCode=\"yyyy-mm-dd\"/>"
    "</numFmts><cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/>"
    "<xf numFmtId=\"20\"/></cellXfs></styleSheet>";

void Add(GsfOutfile* zip, const char* name, std::string_view bytes) {
  GsfOutput* member = gsf_outfile_new_child(zip, name, FALSE);
  gsf_output_write(member, bytes.size(),
                   reinterpret_cast<const guint8*>(bytes.data()));
  gsf_output_close(member);
  g_object_unref(member);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path =
      "/tmp/veltrane-xlsx-fuzz-" + std::to_string(::getpid()) + ".xlsx";
  std::string_view input(reinterpret_cast<const char*>(data), size);
  size_t nul = input.find('\0');
  std::string_view sheet = input.substr(0, nul);
  std::string_view strings =
      nul == std::string_view::npos ? "" : input.substr(nul + 1);
  gsf_init();
  GsfOutput* sink = gsf_output_stdio_new(path.c_str(), nullptr);
  if (!sink) return 0;
  GsfOutfile* zip = gsf_outfile_zip_new(sink, nullptr);
  Add(zip, "xl/workbook.xml", kWorkbook);
  Add(zip, "xl/_rels/workbook.xml.rels", kRels);
  Add(zip, "xl/styles.xml", kStyles);
  Add(zip, "xl/worksheets/sheet1.xml", sheet);
  Add(zip, "xl/sharedStrings.xml", strings);
  gsf_output_close(GSF_OUTPUT(zip));
  g_object_unref(zip);
  g_object_unref(sink);
  try {
    veltrane::Workbook book = veltrane::ReadWorkbook(path);
    book.active_sheet()->used();
  } catch (const veltrane::WorkbookError&) {
  }
  return 0;
}
