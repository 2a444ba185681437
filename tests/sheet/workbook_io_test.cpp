#include "sheet/workbook_io.h"

#include <gsf/gsf.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-output-stdio.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <tuple>

#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

using Cells = std::vector<std::tuple<uint32_t, uint32_t, std::string>>;

Cells CellsOf(const Sheet& sheet) {
  Cells cells;
  sheet.ForEachCell([&](uint32_t r, uint32_t c, std::string_view text) {
    cells.emplace_back(r, c, std::string(text));
  });
  return cells;
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// Two sheets, the second active; texts that stress the encodings: Chinese,
// commas, CR LF, markup characters, a text that looks like an escape, one
// longer than a BIFF record, and enough strings to split the string table.
Workbook SampleBook() {
  Workbook book;
  book.sheets.emplace_back("说明");
  book.sheets[0].SetCell(0, 0, "首页");
  Sheet& data = book.sheets.emplace_back("数据 2024");
  data.SetCell(0, 0, "ISBN");
  data.SetCell(0, 1, "书名");
  data.SetCell(1, 0, "9787500637721");
  data.SetCell(1, 1, "红楼梦, 上");
  data.SetCell(2, 1, "两行\r\n文本");
  data.SetCell(3, 0, Repeat("中", 5000));
  data.SetCell(4, 3, "a & <b> \"c\" _x0041_ \ttab");
  for (uint32_t r = 10; r < 2010; ++r) data.SetCell(r, 2, "行" + std::to_string(r));
  book.active = 1;
  return book;
}

void ExpectSameBook(const Workbook& a, const Workbook& b) {
  ASSERT_EQ(a.sheets.size(), b.sheets.size());
  EXPECT_EQ(a.active, b.active);
  for (size_t i = 0; i < a.sheets.size(); ++i) {
    EXPECT_EQ(a.sheets[i].name(), b.sheets[i].name());
    Cells x = CellsOf(a.sheets[i]), y = CellsOf(b.sheets[i]);
    EXPECT_EQ(x.size(), y.size());
    for (size_t k = 0; k < std::min(x.size(), y.size()); ++k) {
      if (x[k] == y[k]) continue;
      ADD_FAILURE() << "cell " << std::get<0>(x[k]) << "," << std::get<1>(x[k])
                    << ": " << std::get<2>(x[k]).substr(0, 60) << " | "
                    << std::get<0>(y[k]) << "," << std::get<1>(y[k]) << ": "
                    << std::get<2>(y[k]).substr(0, 60);
      break;
    }
  }
}

std::string RunPython(const std::string& script, const std::string& file) {
  TempDir dir;
  WriteFile(dir.Path("s.py"), script);
  std::string command = "/usr/bin/python3 " + dir.Path("s.py") + " '" + file + "'";
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return "popen failed";
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  EXPECT_EQ(pclose(pipe), 0) << out;
  return out;
}

// Both readers print: the sheet names, the active sheet, then
// row<TAB>column<TAB>repr(text) for every cell of the active sheet.
constexpr char kXlrdDump[] = R"(
import sys, xlrd
book = xlrd.open_workbook(sys.argv[1])
print("|".join(book.sheet_names()))
active = [i for i in range(book.nsheets) if book.sheet_by_index(i).sheet_selected]
print(active[0] if active else -1)
sheet = book.sheet_by_index(active[0])
for r in range(sheet.nrows):
    for c in range(sheet.ncols):
        v = sheet.cell_value(r, c)
        if v != "": print("%d\t%d\t%r" % (r, c, v))
)";

// openpyxl leaves OOXML's "_xHHHH_" escape in inline strings undecoded; the
// dump decodes it as a spreadsheet does.
constexpr char kOpenpyxlDump[] = R"(
import re, sys, openpyxl
def decode(v):
    if not isinstance(v, str): return v
    return re.sub("_x([0-9A-Fa-f]{4})_", lambda m: chr(int(m.group(1), 16)), v)
book = openpyxl.load_workbook(sys.argv[1])
print("|".join(book.sheetnames))
print(book.sheetnames.index(book.active.title))
for row in book.active.iter_rows():
    for cell in row:
        if cell.value is not None and cell.value != "":
            print("%d\t%d\t%r" % (cell.row - 1, cell.column - 1, decode(cell.value)))
)";

std::string PythonRepr(const std::string& text) {
  // The texts of SampleBook() as Python prints them.
  std::string out = "'";
  for (char c : text) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (c == '\t') out += "\\t";
    else out.push_back(c);
  }
  return out + "'";
}

std::string ExpectedDump(const Workbook& book) {
  std::string out;
  for (size_t i = 0; i < book.sheets.size(); ++i) {
    out += (i ? "|" : "") + book.sheets[i].name();
  }
  out += "\n" + std::to_string(book.active) + "\n";
  book.active_sheet()->ForEachCell([&](uint32_t r, uint32_t c, std::string_view text) {
    out += std::to_string(r) + "\t" + std::to_string(c) + "\t" +
           PythonRepr(std::string(text)) + "\n";
  });
  return out;
}

TEST(WorkbookIoTest, RoundTripsAndIndependentReadersAgree) {
  TempDir dir;
  Workbook book = SampleBook();
  for (const char* name : {"out.xls", "out.XLSX"}) {
    std::string path = dir.Path(name);
    WriteWorkbook(book, path);
    ExpectSameBook(ReadWorkbook(path), book);
    std::string dump = RunPython(
        FormatForName(path) == WorkbookFormat::kXls ? kXlrdDump : kOpenpyxlDump,
        path);
    EXPECT_EQ(dump, ExpectedDump(book)) << name;
  }
}

TEST(WorkbookIoTest, ReadsWhatIndependentWritersWrote) {
  TempDir dir;
  RunPython(R"(
import sys, datetime, xlwt, openpyxl
folder = sys.argv[1]
def fill(put):
    put(2, 1, "ISBN"); put(2, 2, "书名"); put(2, 3, "日期"); put(2, 4, "价格")
    put(3, 1, 9787500637721); put(3, 2, "红楼梦,上")
    put(3, 3, datetime.date(2023, 3, 15)); put(3, 4, 12.5)
    put(4, 2, "两行\r\n文本"); put(4, 4, 0.1 + 0.2)
x = xlwt.Workbook(encoding="utf-8")
x.add_sheet("说明").write(0, 0, "首页")
s = x.add_sheet("数据")
date = xlwt.easyxf(num_format_str="yyyy-mm-dd")
fill(lambda r, c, v: s.write(r, c, v, date) if isinstance(v, datetime.date) else s.write(r, c, v))
x.set_active_sheet(1)
x.save(folder + "/w.xls")
o = openpyxl.Workbook()
o.active.title = "说明"; o.active["A1"] = "首页"
t = o.create_sheet("数据")
fill(lambda r, c, v: t.cell(row=r + 1, column=c + 1, value=v))
o.active = 1
o.save(folder + "/w.xlsx")
)", dir.Path(""));
  for (const char* name : {"w.xls", "w.xlsx"}) {
    Workbook book = ReadWorkbook(dir.Path(name));
    ASSERT_EQ(book.sheets.size(), 2u) << name;
    EXPECT_EQ(book.sheets[0].name(), "说明");
    EXPECT_EQ(book.active, 1u) << name;
    const Sheet& data = *book.active_sheet();
    EXPECT_EQ(UsedRangeAddress(data.used()), "$B$3:$E$5") << name;
    EXPECT_EQ(ReadCell(book, 4, 2), "9787500637721") << name;
    EXPECT_EQ(ReadCell(book, 4, 3), "红楼梦,上") << name;
    EXPECT_EQ(ReadCell(book, 4, 4), "2023-03-15") << name;
    EXPECT_EQ(ReadCell(book, 4, 5), "12.5") << name;
    EXPECT_EQ(ReadCell(book, 5, 3), "两行\r\n文本") << name;
    EXPECT_EQ(ReadCell(book, 5, 5), "0.3") << name;
  }
}

// An OLE2 file holding an encrypted package, as a password-protected
// workbook is stored.
void WriteEncryptedPackage(const std::string& path) {
  gsf_init();
  GsfOutput* sink = gsf_output_stdio_new(path.c_str(), nullptr);
  GsfOutfile* ole = gsf_outfile_msole_new(sink);
  for (const char* name : {"EncryptionInfo", "EncryptedPackage"}) {
    GsfOutput* child = gsf_outfile_new_child(ole, name, FALSE);
    gsf_output_write(child, 8, reinterpret_cast<const guint8*>("\1\2\3\4\5\6\7\10"));
    gsf_output_close(child);
    g_object_unref(child);
  }
  gsf_output_close(GSF_OUTPUT(ole));
  g_object_unref(ole);
  g_object_unref(sink);
}

TEST(WorkbookIoTest, BadFilesGiveMessagesNamingTheFile) {
  TempDir dir;
  WriteWorkbook(SampleBook(), dir.Path("good.xls"));
  WriteWorkbook(SampleBook(), dir.Path("good.xlsx"));
  std::string xls = ReadFile(dir.Path("good.xls"));
  std::string xlsx = ReadFile(dir.Path("good.xlsx"));
  WriteFile(dir.Path("text.xls"), "ISBN\r\n9787500637721\r\n");
  WriteFile(dir.Path("empty.xlsx"), "");
  WriteFile(dir.Path("cut.xls"), xls.substr(0, xls.size() / 2));
  WriteFile(dir.Path("cut.xlsx"), xlsx.substr(0, xlsx.size() / 2));
  WriteEncryptedPackage(dir.Path("locked.xlsx"));
  RunPython("import sys, zipfile\nzipfile.ZipFile(sys.argv[1], 'w').writestr('a.txt', 'x')\n",
            dir.Path("other.xlsx"));
  struct Case {
    const char* name;
    const char* message;
  };
  for (const Case& c : std::vector<Case>{
           {"missing.xls", "找不到"},
           {"text.xls", "不是EXCEL工作簿"},
           {"empty.xlsx", "不是EXCEL工作簿"},
           {"other.xlsx", "不是EXCEL工作簿"},
           {"cut.xls", "已损坏或不完整"},
           {"cut.xlsx", "已损坏或不完整"},
           {"locked.xlsx", "密码保护"},
       }) {
    std::string path = dir.Path(c.name);
    try {
      ReadWorkbook(path);
      ADD_FAILURE() << c.name;
    } catch (const WorkbookError& error) {
      std::string message = error.what();
      EXPECT_NE(message.find(c.message), std::string::npos) << message;
      EXPECT_NE(message.find(path), std::string::npos) << message;
    }
  }
  // Mislabelled but sound: read by content.
  WriteFile(dir.Path("really-xlsx.xls"), xlsx);
  EXPECT_EQ(ReadCell(ReadWorkbook(dir.Path("really-xlsx.xls")), 2, 1),
            "9787500637721");
  EXPECT_THROW(ReadWorkbook(dir.Path("good.xls"), {SheetSelection::kNamed, "无此表"}),
               WorkbookError);
}

TEST(WorkbookIoTest, SheetSizeLimitsPerFormat) {
  TempDir dir;
  Workbook book;
  book.sheets.emplace_back("Sheet1");
  book.sheets[0].SetCell(65535, 255, "last xls cell");
  WriteWorkbook(book, dir.Path("edge.xls"));
  EXPECT_EQ(ReadWorkbook(dir.Path("edge.xls")).sheets[0].Cell(65535, 255),
            "last xls cell");
  book.sheets[0].SetCell(65536, 0, "one row more");
  try {
    WriteWorkbook(book, dir.Path("big.xls"));
    ADD_FAILURE();
  } catch (const WorkbookError& error) {
    EXPECT_NE(std::string(error.what()).find(".xlsx"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(dir.Path("big.xls")));
  WriteWorkbook(book, dir.Path("big.xlsx"));
  EXPECT_EQ(ReadWorkbook(dir.Path("big.xlsx")).sheets[0].Cell(65536, 0),
            "one row more");
  EXPECT_EQ(MaxRecords(WorkbookFormat::kXls), 65000u);
  EXPECT_EQ(MaxRecords(WorkbookFormat::kXlsx), 1048575u);
}

Sheet ResultSheet(const std::string& name) {
  Sheet sheet(name);
  sheet.SetCell(0, 0, "新");
  sheet.SetCell(1, 1, "值");
  return sheet;
}

TEST(WorkbookIoTest, WritingIntoAnXlsxKeepsTheOtherSheetsAndTheirFormatting) {
  TempDir dir;
  std::string path = dir.Path("user.xlsx");
  RunPython(R"(
import sys, openpyxl
from openpyxl.styles import Font
book = openpyxl.Workbook()
kept = book.active; kept.title = "格式"
kept["A1"] = "粗体"; kept["A1"].font = Font(bold=True)
kept.column_dimensions["A"].width = 30
old = book.create_sheet("数据"); old["C5"] = "旧"
book.save(sys.argv[1])
)", path);
  SheetWriteResult result =
      WriteSheetsIntoWorkbook(path, {ResultSheet("数据"), ResultSheet("结果")});
  EXPECT_FALSE(result.original_copy);
  EXPECT_EQ(RunPython(R"(
import sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
print(book.sheetnames, book["格式"]["A1"].value, book["格式"]["A1"].font.b,
      book["格式"].column_dimensions["A"].width)
for name in ("数据", "结果"):
    print([(c.coordinate, c.value) for row in book[name].iter_rows() for c in row if c.value])
)", path),
            "['格式', '数据', '结果'] 粗体 True 30.0\n"
            "[('A1', '新'), ('B2', '值')]\n"
            "[('A1', '新'), ('B2', '值')]\n");
  Workbook book = ReadWorkbook(path);
  EXPECT_EQ(CellsOf(book.sheets[2]), CellsOf(ResultSheet("结果")));
}

TEST(WorkbookIoTest, WritingIntoAnXlsKeepsTheOriginalBesideIt) {
  TempDir dir;
  std::string path = dir.Path("user.xls");
  WriteWorkbook(SampleBook(), path);
  std::string original = ReadFile(path);
  SheetWriteResult first = WriteSheetsIntoWorkbook(path, {ResultSheet("说明")});
  EXPECT_EQ(first.original_copy, dir.Path("user.orig.xls"));
  EXPECT_EQ(ReadFile(dir.Path("user.orig.xls")), original);
  Workbook book = ReadWorkbook(path);
  EXPECT_EQ(CellsOf(book.sheets[0]), CellsOf(ResultSheet("说明")));
  EXPECT_EQ(CellsOf(book.sheets[1]), CellsOf(SampleBook().sheets[1]));
  EXPECT_EQ(book.active, 1u);
  SheetWriteResult second = WriteSheetsIntoWorkbook(path, {ResultSheet("新表")});
  EXPECT_EQ(second.original_copy, dir.Path("user.orig2.xls"));
  EXPECT_EQ(ReadWorkbook(path).sheets.size(), 3u);
  // A failed write leaves the file and makes no copy.
  std::string before = ReadFile(path);
  EXPECT_THROW(WriteSheetsIntoWorkbook(path, {ResultSheet("a/b")}), WorkbookError);
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_FALSE(std::filesystem::exists(dir.Path("user.orig3.xls")));
}

TEST(WorkbookIoTest, GridsFromAndToWorkbooks) {
  TempDir dir;
  Grid grid(3, 2);
  grid.SetCell(0, 0, "输出的MARC字段");
  grid.SetCell(2, 1, "200a");
  for (const char* name : {"g.xls", "g.xlsx"}) {
    std::string path = dir.Path(name);
    SaveGridToWorkbook(grid, path);
    EXPECT_EQ(ReadWorkbook(path).sheets[0].name(), "Sheet1");
    EXPECT_EQ(LoadGridFromWorkbook(path), grid) << name;
    SaveGridToWorkbook(grid, path, "第二");
    Workbook book = ReadWorkbook(path);
    ASSERT_EQ(book.sheets.size(), 2u);
    EXPECT_EQ(book.sheets[1].Cell(1, 2), "200a");
  }
  // The used block, wherever it starts, lands at grid row and column 0.
  Workbook book;
  book.sheets.emplace_back("s");
  book.sheets[0].SetCell(2, 1, "B3");
  book.sheets[0].SetCell(3, 3, "D4");
  WriteWorkbook(book, dir.Path("offset.xlsx"));
  Grid loaded = LoadGridFromWorkbook(dir.Path("offset.xlsx"));
  EXPECT_EQ(loaded.columns(), 3);
  EXPECT_EQ(loaded.rows(), 2);
  EXPECT_EQ(loaded.Cell(0, 0), "B3");
  EXPECT_EQ(loaded.Cell(2, 1), "D4");
}

}  // namespace
}  // namespace veltrane
