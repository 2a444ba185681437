#include "marc/record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::IsoRecord;

// The field list as "TAG|IND|DATA" strings, 0x1F shown as "$".
std::vector<std::string> Layout(const TMarcRecord& record) {
  std::vector<std::string> out;
  for (const TMarcFieldClass& f : record.Fields()) {
    std::string data = f.Data;
    std::replace(data.begin(), data.end(), kSubfieldDelimiter, '$');
    out.push_back(f.Tag + "|" + f.Indicator + "|" + data);
  }
  return out;
}

// `s` with "$" replaced by `by`: "■" as a person types it, or 0x1F.
std::string Marked(std::string s, std::string_view by = kSubfieldMark) {
  for (size_t p; (p = s.find('$')) != std::string::npos;) {
    s.replace(p, 1, by);
  }
  return s;
}

std::string Delimited(std::string s) {
  return Marked(std::move(s), std::string_view("\x1F", 1));
}

const char kStamp[] = "20261211120000.0";

TEST(RecordTest, WorkedExampleEncodesExactBytes) {
  TMarcRecord record = TMarcRecord::Create("");
  record.AddValue("", "", "00000nam0 2200000   450 ");
  record.AddValue("001", "", "123");
  record.AddValue("200", "1", Marked("$aABC"));
  std::string iso = record.GetIsoText(kStamp);
  EXPECT_EQ(iso,
            "00062nam0 2200049   450 "
            "001000400000200000800004\x1E"
            "123\x1E"
            "1 \x1F"
            "aABC\x1E\x1D");
}

TEST(RecordTest, RoundTripKeepsBytesExceptDocumentedChanges) {
  // Fields out of tag order in the file, trailing blanks, a control field
  // with leading blanks and a data field without indicators.
  std::string text = IsoRecord({{"200", "1 $aTitle  $fAuthor"},
                                {"001", "  id7"},
                                {"010", "$a7-5006-3772-1"},
                                {"005", "19990101000000.0"}});
  TMarcRecord record = TMarcRecord::Create(text);
  std::string expected = IsoRecord({{"001", "id7"},
                                    {"005", kStamp},
                                    {"010", "  $a7-5006-3772-1"},
                                    {"200", "1 $aTitle  $fAuthor"}});
  EXPECT_EQ(record.GetIsoText(kStamp), expected);
}

TEST(RecordTest, GetIsoTextStampsCurrentTimeAndConsistentLeader) {
  TMarcRecord record = TMarcRecord::Create(
      IsoRecord({{"001", "1"}, {"005", "x"}, {"200", "1 $aA"}}));
  std::string iso = record.GetIsoText();
  EXPECT_EQ(std::stoi(iso.substr(0, 5)), static_cast<int>(iso.size()));
  size_t base = std::stoul(iso.substr(12, 5));
  EXPECT_EQ(iso[base - 1], '\x1E');
  std::string value005 = TMarcRecord::Create(iso).GetValue("005");
  EXPECT_TRUE(std::regex_match(value005, std::regex(R"(20\d{12}\.0)")))
      << value005;
}

TEST(RecordTest, TolerantDirectoryReading) {
  const std::string good =
      IsoRecord({{"001", "a"}, {"010", "  $a111"}, {"200", "1 $aT"}});
  const std::vector<std::string> fields = {"001||a", "010|  |$a111",
                                           "200|1 |$aT"};
  auto expect = [](const std::string& text, std::vector<std::string> rest) {
    rest.insert(rest.begin(), "||" + text.substr(0, 24));
    EXPECT_EQ(Layout(TMarcRecord::Create(text)), rest);
  };
  {
    SCOPED_TRACE("base address 10 too large: read through the 0x1E");
    std::string text = good;
    text.replace(12, 5, "00071");
    expect(text, fields);
  }
  {
    SCOPED_TRACE("stray 0x1E before the directory: the base address wins");
    std::string text = good;
    text[20] = '\x1E';
    expect(text, fields);
  }
  {
    SCOPED_TRACE("two stray bytes between leader and directory");
    std::string text = good.substr(0, 24) + "xx" + good.substr(24);
    text.replace(12, 5, "00063");
    expect(text, fields);
  }
  {
    SCOPED_TRACE("leader two bytes short");
    std::string text = good.substr(0, 22) + good.substr(24);
    text.replace(12, 5, "00059");
    expect(text, fields);
  }
  {
    SCOPED_TRACE("letter in an entry's length ends the directory");
    std::string text = good;
    text[24 + 12 + 4] = 'x';
    expect(text, {"001||a"});
  }
}

TEST(RecordTest, NonNumericBaseAddressFails) {
  std::string text = IsoRecord({{"001", "a"}});
  text.replace(12, 5, "00a49");
  EXPECT_THROW(TMarcRecord::Create(text), MarcFormatError);
  EXPECT_THROW(TMarcRecord::Create("0001"), MarcFormatError);
  EXPECT_TRUE(TMarcRecord::Create("").empty());
}

TEST(RecordTest, FieldShorterThanDeclaredIsTakenAsFarAsTextGoes) {
  std::string text = IsoRecord({{"001", "a"}, {"200", "1 $aLong title"}});
  text.resize(text.size() - 6);  // cut into the last field
  TMarcRecord record = TMarcRecord::Create(text);
  EXPECT_EQ(record.GetValue("200a"), "Long t");
}

TEST(RecordTest, GetValueFirstFieldAndAddressRules) {
  TMarcRecord record = TMarcRecord::Create(IsoRecord(
      {{"200", "1 $aFirst$3x"}, {"200", "1 $aSecond$bOnly"}, {"-01", "neg"}}));
  EXPECT_EQ(record.GetValue("200a"), "First");
  EXPECT_EQ(record.GetValue("200b"), "");  // only the first 200 is consulted
  EXPECT_EQ(record.GetValue("200"),
            "\x1F"
            "aFirst\x1F"
            "3x");
  EXPECT_EQ(record.GetValue("-01"), "neg");
  for (const char* bad : {"200A", "2003", "20", "200ab", "2x0a"}) {
    EXPECT_EQ(record.GetValue(bad), "") << bad;
  }
}

TEST(RecordTest, FieldOrderByTagThenSeqAsText) {
  std::vector<testing::RawField> fields;
  fields.push_back({"300", "  $aX"});
  fields.push_back({"-01", "n"});
  fields.push_back({"001", "a"});
  TMarcRecord record = TMarcRecord::Create(IsoRecord(fields));
  record.AddValue("300", "", Marked("$aAdded"));
  std::vector<std::string> tags;
  for (const auto& f : record.Fields())
    tags.push_back(f.Tag + ":" + std::to_string(f.Seq));
  EXPECT_EQ(tags, (std::vector<std::string>{":0", "-01:2", "001:3", "300:0",
                                            "300:1"}));

  // Seq compared as text: 1000 sorts right after 100.
  std::vector<testing::RawField> many(1000, {"900", "  $ax"});
  many.push_back({"900", "  $alast"});
  TMarcRecord big = TMarcRecord::Create(IsoRecord(many));
  std::vector<int32_t> seqs;
  for (const auto& f : big.Fields()) seqs.push_back(f.Seq);
  auto at100 = std::find(seqs.begin(), seqs.end(), 100);
  ASSERT_NE(at100, seqs.end());
  EXPECT_EQ(*(at100 + 1), 1000);
  EXPECT_EQ(*(at100 + 2), 1001);
  EXPECT_EQ(*(at100 + 3), 101);
}

TEST(RecordTest, EditOperations) {
  auto make = [] {
    return TMarcRecord::Create(IsoRecord({{"001", "a"},
                                          {"101", "1 $aeng$afre"},
                                          {"200", "1 $aTitle$fAuthor"},
                                          {"200", "1 $aOther"},
                                          {"905", "  $aLIB$bA1$aX"},
                                          {"-01", "n1"},
                                          {"-01", "n2"}}));
  };
  struct Case {
    const char* name;
    void (*edit)(TMarcRecord&);
    std::vector<std::string> changed;  // layout entries that must be present
    std::vector<std::string> gone;     // layout entries that must be absent
  };
  std::vector<Case> cases = {
      {"AddValue inserts in code order in every field",
       [](TMarcRecord& r) { r.AddValue("200e", "", "x"); },
       {"200|1 |$aTitle$ex$fAuthor", "200|1 |$aOther$ex"},
       {}},
      {"AddValue equal code goes before the existing one",
       [](TMarcRecord& r) { r.AddValue("200a", "", "New"); },
       {"200|1 |$aNew$aTitle$fAuthor"},
       {}},
      {"AddValue of a missing tag adds one field",
       [](TMarcRecord& r) { r.AddValue("330a", "  ", "Sum"); },
       {"330|  |$aSum"},
       {}},
      {"AddValue 3-byte address adds another field",
       [](TMarcRecord& r) { r.AddValue("101", "0 ", Marked("$achi")); },
       {"101|0 |$achi", "101|1 |$aeng$afre"},
       {}},
      {"ModifyValue replaces first subfield and sets indicators",
       [](TMarcRecord& r) { r.ModifyValue("101a", "0", "chi", false); },
       {"101|0|$achi$afre"},
       {"101|1 |$aeng$afre"}},
      {"ModifyValue without the subfield and without adding",
       [](TMarcRecord& r) { r.ModifyValue("200b", "", "x", false); },
       {"200|1 |$aTitle$fAuthor"},
       {}},
      {"ModifyValue adds the missing subfield",
       [](TMarcRecord& r) { r.ModifyValue("200b", "", "x", true); },
       {"200|1 |$aTitle$bx$fAuthor", "200|1 |$aOther$bx"},
       {}},
      {"ModifyValue of a whole field",
       [](TMarcRecord& r) { r.ModifyValue("001", "", "b", false); },
       {"001||b"},
       {"001||a"}},
      {"DeleteValue of a subfield keeps the rest",
       [](TMarcRecord& r) { r.DeleteValue("905a"); },
       {"905|  |$bA1$aX"},
       {}},
      {"DeleteValue of the last subfield leaves an empty field",
       [](TMarcRecord& r) {
         r.DeleteValue("200a");
         r.DeleteValue("200f");
       },
       {"200|1 |"},
       {}},
      {"DeleteValue of a tag removes every such field",
       [](TMarcRecord& r) { r.DeleteValue("-01"); },
       {},
       {"-01||n1", "-01||n2"}},
      {"ChangeTag renames",
       [](TMarcRecord& r) { r.ChangeTag("905", "906"); },
       {"906|  |$aLIB$bA1$aX"},
       {"905|  |$aLIB$bA1$aX"}},
      {"ChangeTag with a 2-byte tag does nothing",
       [](TMarcRecord& r) { r.ChangeTag("905", "96"); },
       {"905|  |$aLIB$bA1$aX"},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMarcRecord record = make();
    c.edit(record);
    std::vector<std::string> layout = Layout(record);
    for (const std::string& want : c.changed) {
      EXPECT_NE(std::find(layout.begin(), layout.end(), want), layout.end())
          << want;
    }
    for (const std::string& absent : c.gone) {
      EXPECT_EQ(std::find(layout.begin(), layout.end(), absent), layout.end())
          << absent;
    }
  }
}

TEST(RecordTest, ModifyValueAddsMissingFieldOnlyWhenAsked) {
  TMarcRecord record = TMarcRecord::Create(IsoRecord({{"001", "a"}}));
  record.ModifyValue("101a", "0", "chi", false);
  EXPECT_EQ(record.Fields().size(), 2u);
  record.ModifyValue("101a", "0", "chi", true);
  EXPECT_EQ(Layout(record).back(), "101|0|$achi");
  EXPECT_EQ(record.Fields().size(), 3u);
}

TEST(RecordTest, SubfieldMarkIsFoundOnlyAtCharacterBoundaries) {
  // "啊" is B0 A1 and "鲡" is F6 A1 in GBK: together they hold A1 F6, which
  // must not become a delimiter on the way out.
  std::string title = "\xB0\xA1\xF6\xA1";
  TMarcRecord record =
      TMarcRecord::Create(IsoRecord({{"200", "1 $a" + title}}));
  EXPECT_EQ(record.GetValue("200a"), title);
  std::string again = record.GetIsoText(kStamp);
  EXPECT_EQ(TMarcRecord::Create(again).GetValue("200a"), title);
}

TEST(RecordTest, OversizedFieldOrRecordIsRefused) {
  TMarcRecord field = TMarcRecord::Create(IsoRecord({{"001", "a"}}));
  field.AddValue("330a", "", std::string(9999, 'x'));
  EXPECT_THROW(field.GetIsoText(kStamp), MarcFormatError);

  TMarcRecord record = TMarcRecord::Create(IsoRecord({{"001", "a"}}));
  for (int i = 0; i < 12; ++i)
    record.AddValue("330", "", std::string(9000, 'y'));
  EXPECT_THROW(record.GetIsoText(kStamp), MarcFormatError);

  EXPECT_THROW(TMarcRecord::Create("").GetIsoText(kStamp), MarcFormatError);
}

TEST(RecordTest, Regenerate905ContinuesCounterAcrossRecords) {
  TMarcRecord first = TMarcRecord::Create(
      IsoRecord({{"001", "1"}, {"905", "  $aLIB$f2"}, {"905", "  $bOLD$f3"}}));
  std::string counter = "A00001";
  first.Regenerate905(counter, true);
  EXPECT_EQ(first.GetValue("905b"), "A00001-02");
  EXPECT_EQ(Layout(first)[3], "905|  |$bA00003-05$f3");
  EXPECT_EQ(counter, "A00003-05");

  TMarcRecord second = TMarcRecord::Create(IsoRecord({{"001", "2"}}));
  second.Regenerate905(counter, false);
  EXPECT_EQ(Layout(second).back(), "905||$bA00006");
  EXPECT_EQ(counter, "A00006");
}

TEST(RecordTest, HelperFunctions) {
  EXPECT_EQ(ExtractSubfield('a',
                            "\x1F"
                            "aOne\x1F"
                            "bTwo"),
            "One");
  EXPECT_EQ(ExtractSubfield('b',
                            "\x1F"
                            "aOne\x1F"
                            "bTwo\x1E"
                            "x"),
            "Two");
  EXPECT_EQ(ExtractSubfield('c',
                            "\x1F"
                            "aOne"),
            "");
  EXPECT_EQ(ExtractSubfield('a',
                            "\x1F"
                            "a value "),
            " value ");
  EXPECT_EQ(InsertSubfield(Delimited("$aA$fF"), Delimited("$eE")),
            Delimited("$aA$eE$fF"));
  EXPECT_EQ(InsertSubfield("plain", Delimited("$aA")), Delimited("plain$aA"));
  EXPECT_EQ(InsertSubfield(Delimited("$aA"), Marked("$aB")), Delimited("$aA"));
  EXPECT_TRUE(IsDirectoryEntry("ab0001200000"));
  EXPECT_FALSE(IsDirectoryEntry("20000120000"));
  EXPECT_FALSE(IsDirectoryEntry("2000012000x0"));
}

}  // namespace
}  // namespace veltrane
