// .xls writing: our own BIFF8 records (a workbook globals substream with one
// shared string table, then one worksheet substream per sheet, every cell a
// text) in an OLE2 compound file written by libgsf.
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-outfile-msole.h>

#include <unordered_map>

#include "sheet/gsf_support.h"
#include "sheet/workbook_formats.h"

namespace veltrane::sheet_internal {
namespace {

constexpr size_t kMaxRecordData = 8224;
constexpr uint16_t kCellXf = 15;  // XFs 0-14 are styles, 15 the cell format
constexpr size_t kMaxCellChars = 32767;

class Bytes {
 public:
  std::string data;
  void U8(uint8_t v) { data.push_back(static_cast<char>(v)); }
  void U16(uint16_t v) { U8(v & 0xFF); U8(v >> 8); }
  void U32(uint32_t v) { U16(v & 0xFFFF); U16(v >> 16); }
  void Chars(std::u16string_view s) { for (char16_t c : s) U16(c); }
  void Raw(std::string_view s) { data.append(s); }
};

class BiffStream : public Bytes {
 public:
  void Record(uint16_t id, const std::string& body) {
    U16(id);
    U16(static_cast<uint16_t>(body.size()));
    Raw(body);
  }
};

std::string Body(void (*fill)(Bytes&)) {
  Bytes b;
  fill(b);
  return b.data;
}

std::string Bof(uint16_t type) {
  Bytes b;
  b.U16(0x0600);  // BIFF8
  b.U16(type);
  b.U16(0x0DBB);  // build
  b.U16(0x07CC);  // year
  b.U32(0);
  b.U32(0x00000006);
  return b.data;
}

// The shared string table split into SST and CONTINUE records, and the
// EXTSST index over it. A string's header never splits; its characters may,
// the continuation starting with its option byte again.
void WriteStringTable(BiffStream& out, const std::vector<std::u16string>& strings,
                      uint32_t total_cells) {
  const uint32_t per_bucket =
      std::max<uint32_t>(8, static_cast<uint32_t>(strings.size() / 128 + 1));
  Bytes index;
  index.U16(static_cast<uint16_t>(per_bucket));
  std::string record;
  bool first_record = true;
  record.reserve(kMaxRecordData);
  Bytes head;
  head.U32(total_cells);
  head.U32(static_cast<uint32_t>(strings.size()));
  record = head.data;
  auto flush = [&] {
    out.Record(first_record ? 0x00FC : 0x003C, record);
    first_record = false;
    record.clear();
  };
  for (size_t i = 0; i < strings.size(); ++i) {
    const std::u16string& s = strings[i];
    if (record.size() + 5 > kMaxRecordData) flush();
    if (i % per_bucket == 0) {
      index.U32(static_cast<uint32_t>(out.data.size() + 4 + record.size()));
      index.U16(static_cast<uint16_t>(4 + record.size()));
      index.U16(0);
    }
    Bytes b;
    b.U16(static_cast<uint16_t>(s.size()));
    b.U8(0x01);  // UTF-16
    record += b.data;
    size_t done = 0;
    while (done < s.size()) {
      size_t room = (kMaxRecordData - record.size()) / 2;
      if (room == 0) {
        flush();
        record.push_back('\x01');
        continue;
      }
      size_t n = std::min(room, s.size() - done);
      Bytes chars;
      chars.Chars(std::u16string_view(s).substr(done, n));
      record += chars.data;
      done += n;
    }
  }
  flush();
  out.Record(0x00FF, index.data);
}

std::string SheetStream(const Sheet& sheet, bool active,
                        std::unordered_map<std::string, uint32_t>& string_ids,
                        std::vector<std::u16string>& strings,
                        uint32_t& total_cells, const std::string& path) {
  UsedBlock used = sheet.used();
  if (used.first_row + used.rows > MaxRows(WorkbookFormat::kXls) ||
      used.first_column + used.columns > MaxColumns(WorkbookFormat::kXls)) {
    throw CannotWrite(path, "工作表'" + sheet.name() +
                                "'超出.xls文件的65536行、256列，请保存为.xlsx文件");
  }
  BiffStream s;
  s.Record(0x0809, Bof(0x0010));
  Bytes dim;
  dim.U32(used.first_row);
  dim.U32(used.first_row + used.rows);
  dim.U16(static_cast<uint16_t>(used.first_column));
  dim.U16(static_cast<uint16_t>(used.first_column + used.columns));
  dim.U16(0);
  s.Record(0x0200, dim.data);
  Bytes window;
  window.U16(active ? 0x06B6 : 0x00B6);
  window.U16(0);     // top row
  window.U16(0);     // left column
  window.U32(64);    // grid line colour: automatic
  window.U16(0);
  window.U16(0);
  window.U32(0);
  s.Record(0x023E, window.data);
  sheet.ForEachCell([&](uint32_t row, uint32_t column, std::string_view text) {
    auto [it, added] =
        string_ids.try_emplace(std::string(text), static_cast<uint32_t>(strings.size()));
    if (added) {
      strings.push_back(Utf16(text));
      if (strings.back().size() > kMaxCellChars) {
        throw CannotWrite(path, "单元格" + ColumnLetters(column + 1) +
                                    std::to_string(row + 1) +
                                    "的文本超过32767个字符");
      }
    }
    ++total_cells;
    Bytes cell;
    cell.U16(static_cast<uint16_t>(row));
    cell.U16(static_cast<uint16_t>(column));
    cell.U16(kCellXf);
    cell.U32(it->second);
    s.Record(0x00FD, cell.data);
  });
  s.Record(0x000A, "");
  return s.data;
}

std::string Globals(size_t active,
                    const std::vector<std::u16string>& names,
                    const std::vector<std::u16string>& strings,
                    uint32_t total_cells, std::vector<size_t>& sheet_offsets_at) {
  BiffStream g;
  g.Record(0x0809, Bof(0x0005));
  g.Record(0x0042, Body([](Bytes& b) { b.U16(1200); }));  // code page UTF-16
  Bytes window;
  window.U16(0);
  window.U16(0);
  window.U16(0x4000);
  window.U16(0x2000);
  window.U16(0x0038);
  window.U16(static_cast<uint16_t>(active));
  window.U16(0);
  window.U16(1);
  window.U16(0x0258);
  g.Record(0x003D, window.data);
  g.Record(0x0022, Body([](Bytes& b) { b.U16(0); }));  // 1900 date system
  Bytes font;
  font.U16(200);     // 10 points
  font.U16(0);
  font.U16(0x7FFF);  // automatic colour
  font.U16(400);     // normal weight
  font.U16(0);
  font.U8(0);
  font.U8(0);
  font.U8(134);      // GB2312 character set
  font.U8(0);
  font.U8(2);
  font.U8(1);
  font.Chars(u"\u5B8B\u4F53");
  for (int i = 0; i < 4; ++i) g.Record(0x0031, font.data);
  const std::string style_xf("\0\0\0\0\xF5\xFF\x20\0\0\xF4\0\0\0\0\0\0\0\0\xC0\x20", 20);
  const std::string cell_xf("\0\0\0\0\x01\0\x20\0\0\0\0\0\0\0\0\0\0\0\xC0\x20", 20);
  for (int i = 0; i < 15; ++i) g.Record(0x00E0, style_xf);
  g.Record(0x00E0, cell_xf);
  g.Record(0x0293, std::string("\x00\x80\x00\xFF", 4));  // the Normal style
  for (const std::u16string& name : names) {
    sheet_offsets_at.push_back(g.data.size() + 4);
    Bytes sheet;
    sheet.U32(0);  // stream offset of the sheet's BOF, patched later
    sheet.U8(0);   // visible
    sheet.U8(0);   // worksheet
    sheet.U8(static_cast<uint8_t>(name.size()));
    sheet.U8(1);
    sheet.Chars(name);
    g.Record(0x0085, sheet.data);
  }
  WriteStringTable(g, strings, total_cells);
  g.Record(0x000A, "");
  return g.data;
}

void PatchU32(std::string& data, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) data[at + i] = static_cast<char>(value >> (8 * i));
}

std::string CompoundFile(const std::string& stream, const std::string& path) {
  EnsureGsf();
  GsfPtr<GsfOutput> memory(gsf_output_memory_new());
  GsfPtr<GsfOutfile> ole(gsf_outfile_msole_new(memory.get()));
  GsfPtr<GsfOutput> child(gsf_outfile_new_child(ole.get(), "Workbook", FALSE));
  if (!child ||
      !gsf_output_write(child.get(), stream.size(),
                        reinterpret_cast<const guint8*>(stream.data())) ||
      !gsf_output_close(child.get()) || !gsf_output_close(GSF_OUTPUT(ole.get()))) {
    throw CannotWrite(path, "OLE2");
  }
  const guint8* bytes =
      gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory.get()));
  return std::string(reinterpret_cast<const char*>(bytes),
                     static_cast<size_t>(gsf_output_size(memory.get())));
}

}  // namespace

std::string XlsBytes(const Workbook& workbook, const std::string& path) {
  std::unordered_map<std::string, uint32_t> string_ids;
  std::vector<std::u16string> strings, names;
  uint32_t total_cells = 0;
  std::vector<std::string> sheet_streams;
  const size_t active =
      workbook.active < workbook.sheets.size() ? workbook.active : 0;
  for (size_t i = 0; i < workbook.sheets.size(); ++i) {
    const Sheet& sheet = workbook.sheets[i];
    names.push_back(Utf16(sheet.name()));
    sheet_streams.push_back(SheetStream(sheet, i == active, string_ids,
                                        strings, total_cells, path));
  }
  std::vector<size_t> offsets_at;
  std::string stream =
      Globals(active, names, strings, total_cells, offsets_at);
  for (size_t i = 0; i < sheet_streams.size(); ++i) {
    PatchU32(stream, offsets_at[i], static_cast<uint32_t>(stream.size()));
    stream += sheet_streams[i];
  }
  return CompoundFile(stream, path);
}

}  // namespace veltrane::sheet_internal
