// .xls reading through libfreexl (BIFF8 and the older BIFF versions with
// their code pages). freexl does not tell which sheet was active when the
// file was saved, so the workbook globals are scanned here for the window
// record (WINDOW1) and the sheet records (BOUNDSHEET).
#include <freexl.h>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-input-stdio.h>

#include "sheet/cell_text.h"
#include "sheet/gsf_support.h"
#include "sheet/workbook_formats.h"

namespace veltrane::sheet_internal {
namespace {

struct Globals {
  size_t active_tab = 0;           // itabCur of WINDOW1
  std::vector<bool> is_worksheet;  // one per BOUNDSHEET, in order
};

uint16_t Le16(const guint8* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// What the globals substream says; nothing when it cannot be read (freexl
// then judges the file). Also tells an encrypted package apart.
Globals ReadGlobals(GsfInfile* ole) {
  Globals globals;
  GsfPtr<GsfInput> stream(gsf_infile_child_by_name(ole, "Workbook"));
  if (!stream) stream.reset(gsf_infile_child_by_name(ole, "Book"));
  if (!stream) return globals;
  for (int records = 0; records < 100000; ++records) {
    const guint8* header = gsf_input_read(stream.get(), 4, nullptr);
    if (!header) break;
    uint16_t id = Le16(header), size = Le16(header + 2);
    if (id == 0x000A) break;  // EOF of the globals
    const guint8* data =
        size ? gsf_input_read(stream.get(), size, nullptr) : header;
    if (!data) break;
    if (id == 0x003D && size >= 12) globals.active_tab = Le16(data + 10);
    if (id == 0x0085 && size >= 6) globals.is_worksheet.push_back(data[5] == 0);
  }
  return globals;
}

struct FreexlHandle {
  const void* handle = nullptr;
  ~FreexlHandle() { freexl_close(handle); }
};

std::string CellText(const FreeXL_CellValue& value) {
  switch (value.type) {
    case FREEXL_CELL_INT:
      return std::to_string(value.value.int_value);
    case FREEXL_CELL_DOUBLE:
      return FormatNumber(value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_TIME:
      return value.value.text_value ? value.value.text_value : "";
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:  // the date part, as a date cell reads
      return value.value.text_value
                 ? std::string(value.value.text_value).substr(0, 10)
                 : "";
    default:
      return {};
  }
}

}  // namespace

Workbook ReadXls(const std::string& path, const SheetSelection& which) {
  EnsureGsf();
  GError* error = nullptr;
  GsfPtr<GsfInput> input(gsf_input_stdio_new(path.c_str(), &error));
  if (!input) throw Damaged(path, TakeErrorText(error, "cannot open"));
  GsfPtr<GsfInfile> ole(gsf_infile_msole_new(input.get(), &error));
  if (!ole) throw Damaged(path, TakeErrorText(error, "broken OLE2 container"));
  GsfPtr<GsfInput> encrypted(gsf_infile_child_by_name(ole.get(), "EncryptedPackage"));
  if (encrypted) throw Encrypted(path);
  GsfPtr<GsfInput> workbook_stream(gsf_infile_child_by_name(ole.get(), "Workbook"));
  if (!workbook_stream) workbook_stream.reset(gsf_infile_child_by_name(ole.get(), "Book"));
  if (!workbook_stream) throw NotAWorkbook(path);
  workbook_stream.reset();
  Globals globals = ReadGlobals(ole.get());
  ole.reset();
  input.reset();

  FreexlHandle xls;
  int rc = freexl_open(path.c_str(), &xls.handle);
  if (rc != FREEXL_OK) {
    throw Damaged(path, "freexl error " + std::to_string(rc));
  }
  unsigned int info = 0;
  if (freexl_get_info(xls.handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK &&
      info == FREEXL_BIFF_OBFUSCATED) {
    throw Encrypted(path);
  }
  unsigned int count = 0;
  if (freexl_get_info(xls.handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK) {
    throw Damaged(path, "no sheet list");
  }

  Workbook workbook;
  for (unsigned short i = 0; i < count; ++i) {
    const char* name = nullptr;
    if (freexl_get_worksheet_name(xls.handle, i, &name) != FREEXL_OK) {
      throw Damaged(path, "sheet " + std::to_string(i));
    }
    workbook.sheets.emplace_back(name ? name : "");
  }
  // freexl may list worksheets only; map the tab index onto its list.
  size_t active = globals.active_tab;
  if (globals.is_worksheet.size() != count && active < globals.is_worksheet.size()) {
    size_t worksheets_before = 0;
    for (size_t i = 0; i < active; ++i) worksheets_before += globals.is_worksheet[i];
    active = worksheets_before;
  }
  workbook.active = active < count ? active : 0;
  std::vector<bool> wanted = WantedSheets(workbook, which, path);

  for (unsigned short i = 0; i < count; ++i) {
    if (!wanted[i]) continue;
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(xls.handle, i) != FREEXL_OK ||
        freexl_worksheet_dimensions(xls.handle, &rows, &columns) != FREEXL_OK) {
      throw Damaged(path, "sheet " + std::to_string(i));
    }
    Sheet& sheet = workbook.sheets[i];
    for (unsigned int r = 0; r < rows; ++r) {
      for (unsigned short c = 0; c < columns; ++c) {
        FreeXL_CellValue value;
        if (freexl_get_cell_value(xls.handle, r, c, &value) != FREEXL_OK) continue;
        std::string text = CellText(value);
        if (!text.empty()) sheet.SetCell(r, c, text);
      }
    }
  }
  return workbook;
}

}  // namespace veltrane::sheet_internal
