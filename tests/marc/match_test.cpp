#include "marc/match.h"

#include <gtest/gtest.h>

#include "marc/record.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::IsoRecord;
using testing::RawField;

constexpr char kDefaultList[] = "200a,010a,010d";

std::string Book(const std::string& title, const std::string& field010) {
  std::vector<RawField> fields = {{"001", "x"}};
  if (!field010.empty()) fields.push_back({"010", field010});
  fields.push_back({"200", "1 $a" + title});
  return IsoRecord(fields);
}

// `record` with `base` written over its base address.
std::string WithBase(std::string record, const std::string& base) {
  record.replace(12, 5, base);
  return record;
}

struct Case {
  const char* name;
  std::string supplier;
  std::string buyer;
  MatchRule rule;
  std::string fields;
  int threshold;
  bool isbn_keys;
  bool match;
};

void ExpectCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MarcRecordsMatch(c.supplier, c.buyer, c.rule, c.fields,
                               c.threshold, c.isbn_keys),
              c.match);
  }
}

TEST(MarcRecordsMatchTest, IdenticalTextsMatchUnderEveryRule) {
  const std::string record = Book("A", "  $a7-5006-3772-1");
  const std::string unreadable = WithBase(record, "00x45");
  for (MatchRule rule : {MatchRule::IdenticalRecord, MatchRule::ListedFields,
                         MatchRule::SameIsbn}) {
    for (const std::string& text : {record, unreadable}) {
      EXPECT_TRUE(MarcRecordsMatch(text, text, rule, "", 10, false));
      EXPECT_TRUE(MarcRecordsMatch(text, text, rule, "999a", 10, true));
    }
  }
  EXPECT_FALSE(MarcRecordsMatch(record, Book("A", "  $a7-5006-3772-1 "),
                                MatchRule::IdenticalRecord, kDefaultList, 0,
                                true));
}

TEST(MarcRecordsMatchTest, ListedFields) {
  const MatchRule kRule = MatchRule::ListedFields;
  const std::string full = Book("A", "  $a7-5006-3772-1$dCNY25");
  const std::string no_d = Book("A", "  $a7-5006-3772-1");
  const std::string two_010 = IsoRecord({{"010", "  $a7-111-1$dCNY25"},
                                         {"010", "  $a7-5006-3772-1"},
                                         {"200", "1 $aA"}});
  const std::string buyer_two_010 =
      IsoRecord({{"010", "  $a7-5006-3772-1"}, {"010", "  $a7-5006-3772-1"}});
  const std::string thirteen = Book("A", "  $a9787500637721$dCNY25");
  std::vector<Case> cases = {
      {"empty list: only identical texts", full, no_d, kRule, "", 1, false,
       false},
      {"empty list, N 0", full, no_d, kRule, "", 0, false, true},
      {"absent $d on both sides is equal", no_d, Book("A", "  $a7-5006-3772-1"),
       kRule, kDefaultList, 3, false, true},
      {"$d on one side only", full, no_d, kRule, kDefaultList, 3, false, false},
      {"$d on one side only, N 2", full, no_d, kRule, kDefaultList, 2, false,
       true},
      {"the supplier's second 010 replaces the first", two_010, no_d, kRule,
       kDefaultList, 3, false, true},
      {"a repeated buyer field counts per occurrence", no_d, buyer_two_010,
       kRule, "010a", 2, false, true},
      {"... but not more", no_d, buyer_two_010, kRule, "010a", 3, false, false},
      {"a repeated specification counts twice", full, Book("A", ""), kRule,
       "200a,200a", 2, false, true},
      {"ISBN keys off", thirteen, full, kRule, kDefaultList, 3, false, false},
      {"ISBN keys on", thirteen, full, kRule, kDefaultList, 3, true, true},
      {"keys only for 010a, not the whole field", thirteen, full, kRule,
       "010,200a", 2, true, false},
      {"whole field compared", Book("B", "  $a7-5006-3772-1$dCNY25"), full,
       kRule, "010", 1, false, true},
      {"a tag found inside another item: 2001 gives 001", full,
       IsoRecord({{"001", "x"}}), kRule, "2001", 1, false, true},
      {"... compared as a whole field", full, IsoRecord({{"001", "y"}}), kRule,
       "2001", 1, false, false},
      {"items of other lengths are not used", full, Book("A", ""), kRule,
       "200ab,001", 2, false, false},
      {"a subfield absent on both sides", full, Book("B", "  $a1"), kRule,
       "200z", 1, false, true},
      {"fields beyond the text read as empty", WithBase(full, "99999"),
       WithBase(Book("B", "  $a1"), "99999"), kRule, "200a", 1, false, true},
      {"no directory below base 24", WithBase(full, "00023"),
       WithBase(full + " ", "00023"), kRule, "200a,010a", 1, false, false},
  };
  ExpectCases(cases);
}

TEST(MarcRecordsMatchTest, LaterEmptyValueRemovesTheStoredOne) {
  const std::string supplier =
      IsoRecord({{"200", "1 $aA"}, {"200", "1 $eOnly e"}});
  const std::string buyer_empty = IsoRecord({{"200", "1 $eB"}});
  const std::string buyer_a = IsoRecord({{"200", "1 $aA"}});
  EXPECT_TRUE(MarcRecordsMatch(supplier, buyer_empty, MatchRule::ListedFields,
                               "200a", 1, false));
  EXPECT_FALSE(MarcRecordsMatch(supplier, buyer_a, MatchRule::ListedFields,
                                "200a", 1, false));
}

TEST(MarcRecordsMatchTest, SameIsbn) {
  const MatchRule kRule = MatchRule::SameIsbn;
  const std::string ten = Book("A", "  $a7-5006-3772-1");
  const std::string thirteen = Book("B", "  $a9787500637721");
  const std::string no_010 = Book("C", "");
  const std::string no_a = Book("D", "  $dCNY20");
  const std::string second_010 =
      IsoRecord({{"010", "  $a7-111-1"}, {"010", "  $a7-5006-3772-1"}});
  std::vector<Case> cases = {
      {"equal strings", ten, Book("E", "  $a7-5006-3772-1$dCNY1"), kRule, "", 0,
       false, true},
      {"ISBN-10 and 13, keys off", ten, thirteen, kRule, "", 0, false, false},
      {"ISBN-10 and 13, keys on", ten, thirteen, kRule, "", 0, true, true},
      // A missing ISBN is shared with nothing, on either side.
      {"no supplier 010 and a buyer 010 without $a", no_010, no_a, kRule, "", 0,
       true, false},
      {"buyer without 010", no_a, no_010, kRule, "", 0, true, false},
      {"both 010s without $a", no_a, Book("F", "  $dCNY30"), kRule, "", 0, true,
       false},
      {"an empty $a", Book("G", "  $a$dCNY1"), Book("H", "  $a"), kRule, "", 0,
       true, false},
      {"only the buyer's first 010 counts", ten, second_010, kRule, "", 0,
       false, false},
      {"only the supplier's first 010 counts", second_010, ten, kRule, "", 0,
       false, false},
  };
  ExpectCases(cases);
}

TEST(MarcRecordsMatchTest, UnreadableBaseAddressThrowsWhenRead) {
  const std::string good = Book("A", "  $a7-5006-3772-1");
  for (const std::string& bad :
       {WithBase(good, "0004x"), WithBase(good, "     "), good.substr(0, 12)}) {
    EXPECT_FALSE(
        MarcRecordsMatch(good, bad, MatchRule::IdenticalRecord, "", 0, false));
    for (MatchRule rule : {MatchRule::ListedFields, MatchRule::SameIsbn}) {
      EXPECT_THROW(MarcRecordsMatch(good, bad, rule, kDefaultList, 0, false),
                   MarcFormatError);
      EXPECT_THROW(MarcRecordsMatch(bad, good, rule, kDefaultList, 0, false),
                   MarcFormatError);
    }
  }
  std::string blank_led = good;
  blank_led[12] = ' ';  // " 0061": leading blanks are allowed
  EXPECT_TRUE(
      MarcRecordsMatch(blank_led, good, MatchRule::SameIsbn, "", 0, false));
}

TEST(IsValidFieldSpecTest, ThreeOrFourBytes) {
  for (const char* valid : {"", "200", "200a", "2001", "-01"}) {
    EXPECT_TRUE(IsValidFieldSpec(valid)) << valid;
  }
  for (const char* invalid : {"20", "200A", "200ab", "a00", "2x0a", " 200"}) {
    EXPECT_FALSE(IsValidFieldSpec(invalid)) << invalid;
  }
}

}  // namespace
}  // namespace veltrane
