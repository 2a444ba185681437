// RunMarcCheck against the nested-loop reference, byte for byte, on small
// generated files full of the duplicates that matter: copies, the same ISBN
// in other records or spelled another way, repeated or missing 010s and
// $ds, shared titles and prices, damaged and unreadable records.
#include <gtest/gtest.h>

#include "bench/marc_check_reference.h"
#include "db/main_data.h"
#include "ops/duplicate_test_data.h"
#include "ops/marc_check.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::ReadFile;
using testing::RecordingHost;
using testing::TempDir;
using testing::WriteFile;

using testing::EveryRule;
using testing::Files;
using testing::MakeFiles;
using testing::Rule;

std::string Describe(const Rule& rule, bool from_buyer) {
  return testing::Describe(rule) +
         (from_buyer ? " from buyer" : " from supplier");
}

class MarcCheckDifferentialTest : public ::testing::Test {
 protected:
  // The runs report unreadable records again and again; the log is not
  // looked at here, and writing it would slow every run's file syncs.
  void SetUp() override { ::setenv("VELTRANE_ERROR_LOG", "/dev/null", 1); }

  std::string Path(const std::string& name) const { return dir_.Path(name); }

  void Write(const Files& files) {
    WriteFile(Path("buyer.iso"), files.buyer);
    WriteFile(Path("supplier.iso"), files.supplier);
  }

  MarcCheckOptions Options(const Rule& rule, bool from_buyer,
                           const std::string& prefix) {
    MarcCheckOptions options;
    options.buyer_source = BuyerSource::kFile;
    options.buyer_file = Path("buyer.iso");
    options.supplier_file = Path("supplier.iso");
    options.rule = rule.rule;
    options.fields = rule.fields;
    options.threshold = rule.threshold;
    options.isbn_keys = rule.isbn_keys;
    options.lacks_file = Path(prefix + "lacks.iso");
    options.common_file = Path(prefix + "common.iso");
    options.common_from_buyer = from_buyer;
    return options;
  }

  void ExpectSameOutputs(const std::string& prefix_a,
                         const std::string& prefix_b) {
    for (const char* output : {"lacks.iso", "common.iso"}) {
      std::string a = ReadFile(Path(prefix_a + output));
      std::string b = ReadFile(Path(prefix_b + output));
      EXPECT_TRUE(a == b) << output << ": " << a.size() << " bytes vs "
                          << b.size();
    }
  }

  TempDir dir_;
  RecordingHost host_;
};

TEST_F(MarcCheckDifferentialTest, IndexedEqualsNested) {
  const std::vector<Rule> rules = EveryRule();
  for (uint64_t seed = 1; seed <= 6; ++seed) {
    Write(MakeFiles(seed, true));
    for (const Rule& rule : rules) {
      for (bool from_buyer : {true, false}) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", " +
                     Describe(rule, from_buyer));
        NestedMarcCheck(Options(rule, from_buyer, "nested-"));
        auto outcome =
            RunMarcCheck(Options(rule, from_buyer, "indexed-"), nullptr, host_);
        ASSERT_TRUE(std::holds_alternative<MarcCheckResult>(outcome));
        ExpectSameOutputs("nested-", "indexed-");
      }
    }
  }
}

TEST_F(MarcCheckDifferentialTest, TableSourceEqualsFileSource) {
  for (uint64_t seed = 11; seed <= 12; ++seed) {
    Files files = MakeFiles(seed, false);
    Write(files);
    std::unique_ptr<TMainData> data =
        TMainData::Open(Path("veldata" + std::to_string(seed) + ".db"));
    {
      TMainData::Batch batch(*data);
      ScanMarcFile(
          Path("buyer.iso"),
          [&](int64_t, std::string_view record, bool&) {
            data->AppendBuyerRow("", "", 1, record);
          },
          host_);
      batch.Commit();
    }
    for (const Rule& rule :
         {Rule{MatchRule::IdenticalRecord, "", 3, false},
          Rule{MatchRule::SameIsbn, "", 3, true},
          Rule{MatchRule::ListedFields, "200a,010a,010d", 2, true},
          Rule{MatchRule::ListedFields, "701a,606a,200a", 1, false}}) {
      SCOPED_TRACE("seed " + std::to_string(seed) + ", " +
                   Describe(rule, true));
      MarcCheckOptions options = Options(rule, true, "file-");
      RunMarcCheck(options, nullptr, host_);
      options = Options(rule, true, "table-");
      options.buyer_source = BuyerSource::kDatabase;
      RunMarcCheck(options, data.get(), host_);
      ExpectSameOutputs("file-", "table-");
    }
  }
  EXPECT_TRUE(host_.failed_records.empty());
}

}  // namespace
}  // namespace veltrane
