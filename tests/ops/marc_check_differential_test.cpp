// RunMarcCheck against the nested-loop reference, byte for byte, on small
// generated files full of the duplicates that matter: copies, the same ISBN
// in other records or spelled another way, repeated or missing 010s and
// $ds, shared titles and prices, damaged and unreadable records.
#include <gtest/gtest.h>

#include <random>

#include "bench/marc_check_reference.h"
#include "bench/marc_generator.h"
#include "db/main_data.h"
#include "isbn/convert.h"
#include "marc/record.h"
#include "ops/marc_check.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::ReadFile;
using testing::RecordingHost;
using testing::TempDir;
using testing::WriteFile;

constexpr int kBuyerRecords = 24;
constexpr int kSupplierRecords = 30;
constexpr uint64_t kSupplierSeed = 7777;
constexpr char kStamp[] = "20240101120000.0";

// Generated record `n` without its CR LF and undamaged.
std::string CleanRecord(uint64_t seed, int64_t n) {
  std::string text = GenerateRecord({seed, 0.0}, n);
  text.resize(text.size() - 2);
  return text;
}

std::string Unreadable(std::string record) {
  record[13] = 'x';
  return record;
}

// `record` changed one of the ways records of one book differ.
std::string Variant(const std::string& record, uint64_t pick,
                    const std::string& other_isbn) {
  TMarcRecord marc = TMarcRecord::Create(record);
  const std::string isbn = marc.GetValue("010a");
  switch (pick % 9) {
    case 0:
      marc.ModifyValue("010a", "",
                       ConvertIsbn(isbn, IsbnFormat::ifEan13, false), false);
      break;
    case 1:
      marc.ModifyValue("010a", "",
                       ConvertIsbn(isbn, IsbnFormat::ifShortPlain, false),
                       false);
      break;
    case 2:
      marc.AddValue(
          "010", "  ",
          std::string(kSubfieldMark) + "a" + (pick % 2 ? isbn : other_isbn));
      break;
    case 3:
      marc.DeleteValue("010d");
      break;
    case 4:
      marc.DeleteValue("010");
      break;
    case 5:
      marc.DeleteValue("010a");
      break;
    case 6:
      marc.ModifyValue("200a", "", "Shared title", false);
      break;
    case 7:
      marc.ModifyValue("010d", "", "CNY20.00", false);
      break;
    default:
      marc.ModifyValue("010a", "", other_isbn, false);
      break;
  }
  return marc.GetIsoText(kStamp);
}

struct Files {
  std::string buyer;
  std::string supplier;
};

// Buyer and supplier files for `seed`; without `unreadable`, no record lacks
// a numeric base address and none is damaged.
Files MakeFiles(uint64_t seed, bool unreadable) {
  std::mt19937_64 rng(seed);
  const double damage = unreadable ? 0.1 : 0.0;
  std::vector<std::string> readable;  // buyer records that variants start from
  std::vector<std::string> buyers;    // every buyer record, for copies
  Files files;
  auto isbn = [&] { return GenerateIsbn(seed, 1 + rng() % kBuyerRecords); };
  for (int n = 1; n <= kBuyerRecords; ++n) {
    std::string record;
    switch (rng() % 6) {
      case 0:
        record = Variant(CleanRecord(seed, n), rng(), isbn());
        break;
      case 1:
        // Another record of a book the buyer already has.
        record = readable.empty() ? CleanRecord(seed, n)
                                  : Variant(readable[rng() % readable.size()],
                                            rng(), isbn());
        break;
      case 2:
        if (unreadable) {
          record = Unreadable(CleanRecord(seed, n));
          break;
        }
        [[fallthrough]];
      default:
        files.buyer += GenerateRecord({seed, damage}, n);
        readable.push_back(CleanRecord(seed, n));
        buyers.push_back(readable.back());
        continue;
    }
    if (record[13] != 'x') readable.push_back(record);
    buyers.push_back(record);
    files.buyer += record + "\r\n";
  }
  for (int n = 1; n <= kSupplierRecords; ++n) {
    const std::string& copied = buyers[rng() % buyers.size()];
    const std::string& varied = readable[rng() % readable.size()];
    std::string record;
    switch (rng() % 5) {
      case 0:
        record = copied;
        break;
      case 1:
        record = Variant(varied, rng(), isbn());
        break;
      case 2: {
        // A different book with an ISBN the buyer has.
        TMarcRecord marc =
            TMarcRecord::Create(CleanRecord(kSupplierSeed + seed, n));
        marc.ModifyValue("010a", "",
                         TMarcRecord::Create(varied).GetValue("010a"), false);
        record = marc.GetIsoText(kStamp);
        break;
      }
      case 3:
        if (unreadable) {
          record = Unreadable(rng() % 2 ? copied : varied);
          break;
        }
        [[fallthrough]];
      default:
        files.supplier += GenerateRecord({kSupplierSeed + seed, damage}, n);
        continue;
    }
    files.supplier += record + "\r\n";
  }
  return files;
}

struct Rule {
  MatchRule rule;
  std::string fields;
  int threshold;
  bool isbn_keys;
};

std::vector<Rule> EveryRule() {
  std::vector<Rule> rules = {{MatchRule::IdenticalRecord, "", 3, false}};
  for (bool keys : {false, true}) {
    rules.push_back({MatchRule::SameIsbn, "", 3, keys});
    for (const char* fields :
         {"200a,010a,010d", "010a", "200,010", "", "701a,606a,200a"}) {
      for (int threshold : {0, 1, 2, 3, 5}) {
        rules.push_back({MatchRule::ListedFields, fields, threshold, keys});
      }
    }
  }
  return rules;
}

std::string Describe(const Rule& rule, bool from_buyer) {
  return "rule " + std::to_string(static_cast<int>(rule.rule)) + " \"" +
         rule.fields + "\" N " + std::to_string(rule.threshold) +
         (rule.isbn_keys ? " keys" : "") +
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
