#include "ops/isbn_check.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "bench/list_reference.h"
#include "ops/list_test_data.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::ReadFile;
using testing::RecordingHost;
using testing::TempDir;
using testing::WriteFile;

class IsbnCheckTest : public ::testing::Test {
 protected:
  // Runs the check on these file contents, writing both outputs.
  IsbnCheckResult Run(const std::string& buyer, const std::string& supplier,
                      bool isbn_keys) {
    WriteFile(Path("buyer.txt"), buyer);
    WriteFile(Path("supplier.txt"), supplier);
    auto outcome =
        RunIsbnCheck({Path("buyer.txt"), Path("supplier.txt"), isbn_keys,
                      Path("lacks.txt"), Path("common.txt")},
                     host_);
    EXPECT_TRUE(std::holds_alternative<IsbnCheckResult>(outcome));
    return std::get<IsbnCheckResult>(outcome);
  }
  std::string Path(const std::string& name) const { return dir_.Path(name); }

  TempDir dir_;
  RecordingHost host_;
};

TEST_F(IsbnCheckTest, EachSupplierLineGoesToOneOutputAsRead) {
  struct Case {
    const char* what;
    std::string buyer;
    std::string supplier;
    bool isbn_keys;
    std::string lacks;
    std::string common;
  } cases[] = {
      {"a repeated supplier line is written each time", "A\r\n",
       "A\r\nB\r\nA\r\n", false, "B\r\n", "A\r\nA\r\n"},
      {"ISBN-13 against ISBN-10, keys off", "7500637721\r\n",
       "978-7-5006-3772-1\r\n", false, "978-7-5006-3772-1\r\n", ""},
      {"ISBN-13 against ISBN-10, keys on: the supplier's form",
       "7500637721\r\n", "978-7-5006-3772-1\r\n", true, "",
       "978-7-5006-3772-1\r\n"},
      {"a trailing blank counts without keys", "7-5006-3772-1\r\n",
       "7-5006-3772-1 \r\n", false, "7-5006-3772-1 \r\n", ""},
      {"a trailing blank does not count with keys", "7-5006-3772-1\r\n",
       "7-5006-3772-1 \r\n", true, "", "7-5006-3772-1 \r\n"},
      {"an empty line matches an empty line", "A\r\n\r\nB\r\n", "\r\nC\r\n",
       false, "C\r\n", "\r\n"},
      {"an empty line the buyer lacks", "A\r\nB", "\r\nA", true, "\r\n",
       "A\r\n"},
      {"copy counts compare with the ISBN, keys off", "7-5006-3772-1 2\r\n",
       "7-5006-3772-1 2\r\n7-5006-3772-1 3\r\n7-5006-3772-1\r\n", false,
       "7-5006-3772-1 3\r\n7-5006-3772-1\r\n", "7-5006-3772-1 2\r\n"},
      {"copy counts compare with the ISBN, keys on", "7-5006-3772-1 2\r\n",
       "7-5006-3772-1 2\r\n7-5006-3772-1 3\r\n7-5006-3772-1\r\n", true,
       "7-5006-3772-1 3\r\n7-5006-3772-1\r\n", "7-5006-3772-1 2\r\n"},
      {"LF, lone CR and a last line without a break", "A\nB\rC", "C\nB\rD",
       false, "D\r\n", "C\r\nB\r\n"},
      {"an empty buyer file", "", "A\r\nB", true, "A\r\nB\r\n", ""},
      {"an empty supplier file", "A\r\n", "", false, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    host_.position_ = 0;
    IsbnCheckResult result = Run(c.buyer, c.supplier, c.isbn_keys);
    EXPECT_EQ(ReadFile(Path("lacks.txt")), c.lacks);
    EXPECT_EQ(ReadFile(Path("common.txt")), c.common);
    EXPECT_EQ(result.lacking + result.common, result.supplier_lines);
    EXPECT_EQ(host_.total_, result.supplier_lines);
    EXPECT_EQ(host_.position_, result.supplier_lines);
    EXPECT_EQ(CompletionLine(result.completion),
              "利用双方ISBN文件自动匹配查重完成!");
  }
}

TEST_F(IsbnCheckTest, OnlyTheGivenOutputIsWrittenAndReplaced) {
  WriteFile(Path("buyer.txt"), "A\r\n");
  WriteFile(Path("supplier.txt"), "A\r\nB\r\n");
  for (bool lacks_given : {true, false}) {
    SCOPED_TRACE(lacks_given);
    TempDir out;
    const std::string given = out.Path(lacks_given ? "lacks.txt" : "common");
    WriteFile(given, "old content\r\n");
    IsbnCheckOptions options{Path("buyer.txt"), Path("supplier.txt"), false,
                             lacks_given ? given : " ",
                             lacks_given ? "" : given};
    ASSERT_TRUE(
        std::holds_alternative<IsbnCheckResult>(RunIsbnCheck(options, host_)));
    EXPECT_EQ(ReadFile(given), lacks_given ? "B\r\n" : "A\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out.Path("")),
                            std::filesystem::directory_iterator()),
              1);
  }
}

TEST_F(IsbnCheckTest, InputChecksInOrder) {
  WriteFile(Path("buyer.txt"), "A\r\n");
  WriteFile(Path("supplier.txt"), "A\r\n");
  struct Case {
    IsbnCheckOptions options;
    const char* message;
    const char* input;
    bool clear_input;
  } cases[] = {
      {{Path("none.txt"), Path("none.txt"), false, "", ""},
       "请指定采购方ISBN文件。",
       "buyer_file",
       true},
      {{Path(""), Path("supplier.txt"), false, Path("l"), ""},
       "请指定采购方ISBN文件。",
       "buyer_file",
       true},
      {{Path("buyer.txt"), Path("none.txt"), false, "", ""},
       "请指定供应商方ISBN文件。",
       "supplier_file",
       true},
      {{Path("buyer.txt"), Path("supplier.txt"), true, " ", "  "},
       "最少需要指定一个输出文件。",
       "lacks_file",
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    auto outcome = RunIsbnCheck(c.options, host_);
    ASSERT_TRUE(std::holds_alternative<InputProblem>(outcome));
    const InputProblem& problem = std::get<InputProblem>(outcome);
    EXPECT_EQ(problem.message, c.message);
    EXPECT_EQ(problem.input, c.input);
    EXPECT_EQ(problem.clear_input, c.clear_input);
  }
  EXPECT_FALSE(std::filesystem::exists(Path("l")));
  EXPECT_EQ(host_.total_, -1);
}

TEST_F(IsbnCheckTest, UncreatableOutputThrows) {
  WriteFile(Path("buyer.txt"), "A\r\n");
  WriteFile(Path("supplier.txt"), "A\r\n");
  EXPECT_THROW(RunIsbnCheck({Path("buyer.txt"), Path("supplier.txt"), false,
                             Path("no/lacks.txt"), ""},
                            host_),
               std::system_error);
}

// The hashed check against the nested comparison that re-reads the buyer
// file for every supplier line, on random lists that mix ISBN spellings,
// repeats, empty lines and line breaks.
TEST_F(IsbnCheckTest, SameOutputsAsTheNestedComparison) {
  for (uint64_t seed = 1; seed <= 20; ++seed) {
    std::mt19937_64 rng(seed);
    const std::string buyer = testing::RandomIsbnList(seed, 40, 60, rng);
    const std::string supplier = testing::RandomIsbnList(seed, 40, 100, rng);
    for (bool isbn_keys : {false, true}) {
      SCOPED_TRACE(::testing::Message()
                   << "seed " << seed << " keys " << isbn_keys);
      Run(buyer, supplier, isbn_keys);
      NestedIsbnCheck(Path("buyer.txt"), Path("supplier.txt"), isbn_keys,
                      Path("nested_lacks.txt"), Path("nested_common.txt"));
      EXPECT_EQ(ReadFile(Path("lacks.txt")),
                ReadFile(Path("nested_lacks.txt")));
      EXPECT_EQ(ReadFile(Path("common.txt")),
                ReadFile(Path("nested_common.txt")));
    }
  }
}

}  // namespace
}  // namespace veltrane
