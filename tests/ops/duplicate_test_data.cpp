#include "ops/duplicate_test_data.h"

#include <random>

#include "bench/marc_generator.h"
#include "isbn/convert.h"
#include "marc/record.h"

namespace veltrane::testing {
namespace {

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

}  // namespace

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

std::string Describe(const Rule& rule) {
  return "rule " + std::to_string(static_cast<int>(rule.rule)) + " \"" +
         rule.fields + "\" N " + std::to_string(rule.threshold) +
         (rule.isbn_keys ? " keys" : "");
}

}  // namespace veltrane::testing
