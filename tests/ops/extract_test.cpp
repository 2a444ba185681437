#include "ops/extract.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "bench/list_reference.h"
#include "bench/marc_generator.h"
#include "isbn/convert.h"
#include "ops/list_test_data.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::BookRecord;
using testing::IsoRecord;
using testing::ReadFile;
using testing::RecordingHost;
using testing::TempDir;
using testing::WriteFile;

// 010 $a "7-111-1" and a NUL inside 200 $a, which comes out as a blank.
std::string RecordWithNul(char nul_or_blank) {
  return IsoRecord({{"001", "5"},
                    {"010", "  $a7-111-1"},
                    {"200", std::string("1 $aT") + nul_or_blank + "tle"}});
}

// A record whose base address holds a letter: it cannot be parsed.
std::string UnreadableRecord(const std::string& isbn) {
  std::string record = BookRecord("bad", isbn);
  record[14] = 'X';
  return record;
}

class ExtractTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("VELTRANE_ERROR_LOG", Path("ErrorLog.txt").c_str(), 1);
  }
  std::string Path(const std::string& name) const { return dir_.Path(name); }
  ExtractResult Run(const std::string& isbn_list, bool isbn_order) {
    WriteFile(Path("isbn.txt"), isbn_list);
    auto outcome = RunExtract(
        {Path("supplier.iso"), Path("isbn.txt"), isbn_order, Path("out.iso")},
        host_);
    EXPECT_TRUE(std::holds_alternative<ExtractResult>(outcome));
    return std::get<ExtractResult>(outcome);
  }

  TempDir dir_;
  RecordingHost host_;
};

TEST_F(ExtractTest, RecordsSelectedByExactIsbnInEitherOrder) {
  const std::string r1 = BookRecord("1", "7-5006-3772-1");
  const std::string r2 = BookRecord("2", "7500637721");
  const std::string r3 = BookRecord("3", "7-5006-3772-1");
  const std::string r4 = BookRecord("4", "");
  WriteFile(Path("supplier.iso"), r1 + "\r\n" + r2 + r3 + "\r\n\r\n" + r4 +
                                      "\r\n" + RecordWithNul('\0') + "\r\n");
  const std::string r5 = RecordWithNul(' ');
  struct Case {
    const char* what;
    std::string isbn_list;
    bool isbn_order;
    std::vector<std::string> records;
  } cases[] = {
      {"two records of one ISBN, file order",
       "7-5006-3772-1\r\n",
       false,
       {r1, r3}},
      {"two records of one ISBN, list order", "7-5006-3772-1", true, {r1, r3}},
      {"no hyphen conversion, file order",
       "7500637721\r\n7-5006-3772-1\r\n",
       false,
       {r1, r2, r3}},
      {"no hyphen conversion, list order",
       "7500637721\r\n7-5006-3772-1\r\n",
       true,
       {r2, r1, r3}},
      {"a repeated line, file order",
       "7-5006-3772-1\r\n7-5006-3772-1\r\n",
       false,
       {r1, r3}},
      {"a repeated line, list order",
       "7-5006-3772-1\n7-5006-3772-1\n",
       true,
       {r1, r3, r1, r3}},
      {"an empty line selects records without 010 $a, file order",
       "\r\n7500637721\r\n",
       false,
       {r2, r4}},
      {"an empty line selects records without 010 $a, list order",
       "\r\n7500637721\r\n",
       true,
       {r4, r2}},
      {"a line without records writes nothing",
       "9-999-9\r\n7-111-1",
       true,
       {r5}},
      {"a NUL inside a record comes out as a blank",
       "7-111-1\r\n",
       false,
       {r5}},
      {"a trailing blank selects nothing",
       "7-111-1 \r\n7500637721 ",
       false,
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile(Path("out.iso"), "earlier run\r\n");
    ExtractResult result = Run(c.isbn_list, c.isbn_order);
    std::string expected = "earlier run\r\n";
    for (const std::string& record : c.records) expected += record + "\r\n";
    EXPECT_EQ(ReadFile(Path("out.iso")), expected);
    EXPECT_EQ(result.written, static_cast<int64_t>(c.records.size()));
    EXPECT_EQ(result.failed, 0);
    EXPECT_EQ(CompletionLine(result.completion), "供应商MARC数据输出完成。");
  }
}

TEST_F(ExtractTest, EachRunAppendsBehindTheLast) {
  const std::string record = BookRecord("1", "7-5006-3772-1");
  WriteFile(Path("supplier.iso"), record + BookRecord("2", "7-111-1"));
  Run("9-999-9\r\n", false);
  EXPECT_FALSE(std::filesystem::exists(Path("out.iso")));
  Run("7-5006-3772-1\r\n", false);
  EXPECT_EQ(ReadFile(Path("out.iso")), record + "\r\n");
  Run("7-5006-3772-1\r\n", true);
  EXPECT_EQ(ReadFile(Path("out.iso")), record + "\r\n" + record + "\r\n");
}

TEST_F(ExtractTest, ProgressCountsRecordsOrLines) {
  WriteFile(Path("supplier.iso"),
            BookRecord("1", "A") + BookRecord("2", "B") + BookRecord("3", "C"));
  Run("A\r\nC\r\n", false);
  EXPECT_EQ(host_.total_, 3);
  EXPECT_EQ(host_.position_, 3);
  Run("A\r\nC\r\n", true);
  EXPECT_EQ(host_.total_, 2);
  EXPECT_EQ(host_.position_, 2);
}

TEST_F(ExtractTest, UnreadableRecordIsReportedOnceAndSkipped) {
  const std::string good = BookRecord("1", "A");
  WriteFile(Path("supplier.iso"), good + UnreadableRecord("A") + good);
  for (bool isbn_order : {false, true}) {
    SCOPED_TRACE(isbn_order);
    std::filesystem::remove(Path("out.iso"));
    host_.failed_records.clear();
    ExtractResult result = Run("A\r\nA\r\n", isbn_order);
    EXPECT_EQ(result.failed, 1);
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(host_.failed_records, std::vector<int64_t>{2});
    std::string expected;
    for (int i = 0; i < (isbn_order ? 4 : 2); ++i) expected += good + "\r\n";
    EXPECT_EQ(ReadFile(Path("out.iso")), expected);
  }
}

TEST_F(ExtractTest, CancelEndsTheRun) {
  const std::string good = BookRecord("1", "A");
  WriteFile(Path("supplier.iso"), good + UnreadableRecord("A") + good);
  // File order: what came before the failed record is written.
  host_.answers = {false};
  ExtractResult marc_order = Run("A\r\n", false);
  EXPECT_TRUE(marc_order.cancelled);
  EXPECT_EQ(ReadFile(Path("out.iso")), good + "\r\n");
  // List order: the supplier file is indexed first; nothing is written.
  host_.answers = {false};
  ExtractResult isbn_order = Run("A\r\n", true);
  EXPECT_TRUE(isbn_order.cancelled);
  EXPECT_EQ(isbn_order.written, 0);
  EXPECT_EQ(ReadFile(Path("out.iso")), good + "\r\n");
}

TEST_F(ExtractTest, InputChecksInOrder) {
  WriteFile(Path("supplier.iso"), BookRecord("1", "A"));
  WriteFile(Path("isbn.txt"), "A\r\n");
  struct Case {
    ExtractOptions options;
    const char* message;
    const char* input;
  } cases[] = {
      {{Path("none.iso"), Path("none.txt"), false, " "},
       "请指定供应商MARC数据文件",
       "supplier_file"},
      {{Path("supplier.iso"), Path(""), false, Path("out.iso")},
       "请指定要采购的ISBN文件！",
       "isbn_file"},
      {{Path("supplier.iso"), Path("isbn.txt"), true, "  "},
       "请指定你要输出的ISBN文件的文件名和路径！",
       "output_file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    auto outcome = RunExtract(c.options, host_);
    ASSERT_TRUE(std::holds_alternative<InputProblem>(outcome));
    EXPECT_EQ(std::get<InputProblem>(outcome).message, c.message);
    EXPECT_EQ(std::get<InputProblem>(outcome).input, c.input);
  }
  EXPECT_FALSE(std::filesystem::exists(Path("out.iso")));
  EXPECT_EQ(host_.total_, -1);
}

// A supplier file of generated records (some damaged, some unreadable, some
// repeated), records with an unhyphenated 010 $a, records without 010,
// records with a NUL inside and records of 30 KB.
std::string RandomSupplierFile(uint64_t seed, int64_t records, int count,
                               std::mt19937_64& rng) {
  const GeneratorOptions options{seed, 0.2};
  std::string file;
  for (int i = 0; i < count; ++i) {
    const int64_t n = 1 + static_cast<int64_t>(rng() % records);
    const std::string id = std::to_string(i);
    switch (rng() % 7) {
      case 0:
        file += BookRecord(id, ConvertIsbn(GenerateIsbn(seed, n),
                                           IsbnFormat::ifShortPlain, false));
        break;
      case 1:
        file += BookRecord(id, "") + "\r\n";
        break;
      case 2:
        file += IsoRecord({{"001", id},
                           {"010", "  $a" + GenerateIsbn(seed, n)},
                           {"200", std::string("1 $aT\0tle", 9)}});
        break;
      case 3:
        file += IsoRecord({{"001", id},
                           {"010", "  $a" + GenerateIsbn(seed, n)},
                           {"330", "  $a" + std::string(30000, 'w')}});
        break;
      default:
        file += GenerateRecord(options, n);
    }
  }
  return file;
}

// The indexed extraction against the nested scans that re-read the inner
// file for every outer entry, in both orders, appending to a file that
// already holds data.
TEST_F(ExtractTest, SameOutputAsTheNestedScans) {
  RecordingHost nested_host;
  for (uint64_t seed = 1; seed <= 20; ++seed) {
    std::mt19937_64 rng(seed);
    WriteFile(Path("supplier.iso"), RandomSupplierFile(seed, 20, 50, rng));
    const std::string isbn_list = testing::RandomIsbnList(seed, 20, 30, rng);
    for (bool isbn_order : {false, true}) {
      SCOPED_TRACE(::testing::Message()
                   << "seed " << seed << " isbn order " << isbn_order);
      WriteFile(Path("out.iso"), "earlier run\r\n");
      WriteFile(Path("nested.iso"), "earlier run\r\n");
      ExtractResult result = Run(isbn_list, isbn_order);
      NestedExtract(Path("supplier.iso"), Path("isbn.txt"), isbn_order,
                    Path("nested.iso"), nested_host);
      EXPECT_EQ(ReadFile(Path("out.iso")), ReadFile(Path("nested.iso")));
      EXPECT_FALSE(result.cancelled);
    }
  }
}

}  // namespace
}  // namespace veltrane
