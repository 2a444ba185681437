#include "isbn/isbn_ranges.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>

#include "isbn/convert.h"
#include "isbn/hyphenation.h"
#include "isbn/range_message.h"
#include "isbn/range_store.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::TempDir;

// A range message in the agency's form: groups 0-5 and 7 of one digit, and
// group 1 with publishers of 2 digits below 5000000, 6 digits above; the
// rest of group 1 left unassigned (length 0).
constexpr char kMessage[] = R"(<?xml version="1.0" encoding="utf-8"?>
<ISBNRangeMessage>
  <MessageSource>International ISBN Agency</MessageSource>
  <MessageDate>Tue, 2 Jan 2024 10:00:00 GMT</MessageDate>
  <EAN.UCCPrefixes>
    <EAN.UCC><Prefix>978</Prefix><Rules>
      <Rule><Range>0000000-5999999</Range><Length>1</Length></Rule>
      <Rule><Range>6000000-6999999</Range><Length>0</Length></Rule>
      <Rule><Range>7000000-7999999</Range><Length>1</Length></Rule>
    </Rules></EAN.UCC>
    <EAN.UCC><Prefix>979</Prefix><Rules>
      <Rule><Range>0000000-9999999</Range><Length>2</Length></Rule>
    </Rules></EAN.UCC>
  </EAN.UCCPrefixes>
  <RegistrationGroups>
    <Group><Prefix>978-1</Prefix><Agency>English</Agency><Rules>
      <Rule><Range>0000000-4999999</Range><Length>2</Length></Rule>
      <Rule><Range>5000000-8999999</Range><Length>0</Length></Rule>
      <Rule><Range>9000000-9999999</Range><Length>6</Length></Rule>
    </Rules></Group>
    <Group><Prefix>979-10</Prefix><Rules>
      <Rule><Range>0000000-9999999</Range><Length>3</Length></Rule>
    </Rules></Group>
  </RegistrationGroups>
</ISBNRangeMessage>
)";

TEST(RangeMessageTest, ReadsTheAgencysXml) {
  const IsbnRanges ranges = ParseRangeMessage(kMessage);
  EXPECT_EQ(ranges.date(), "2024-01-02");
  EXPECT_EQ(ranges.GroupLength("140289462"), 1u);
  EXPECT_EQ(ranges.GroupLength("640289462"), 0u);  // length 0: unassigned
  EXPECT_EQ(ranges.GroupLength("840289462"), 0u);  // no rule at all
  EXPECT_EQ(ranges.PublisherLength("140289462", 1), 2u);
  EXPECT_EQ(ranges.PublisherLength("190289462", 1), 6u);
  EXPECT_EQ(ranges.PublisherLength("160289462", 1), 0u);
  EXPECT_EQ(ranges.PublisherLength("040289462", 1), 0u);  // group unknown
}

TEST(RangeMessageTest, RefusesWhatIsNotARangeMessage) {
  for (const char* text :
       {"", "not xml", "<a><b></a>", "<ISBNRangeMessage/>",
        "<r><EAN.UCC><Prefix>978</Prefix><Rule><Range>12-34</Range>"
        "<Length>1</Length></Rule></EAN.UCC></r>"}) {
    SCOPED_TRACE(text);
    EXPECT_THROW(ParseRangeMessage(text), std::runtime_error);
  }
}

TEST(RangeStoreTest, StoredMessageIsPreferredUntilItBreaks) {
  TempDir dir;
  ::setenv("XDG_CONFIG_HOME", dir.Path("config").c_str(), 1);
  ASSERT_EQ(ReloadActiveIsbnRanges(), "");
  EXPECT_EQ(ActiveIsbnRanges().date(), IsbnRanges::BuiltIn().date());
  EXPECT_EQ(HyphenateIsbn10("1402894627"), "1-4028-9462-7");

  testing::WriteFile(dir.Path("RangeMessage.xml"), kMessage);
  EXPECT_EQ(StoreRangeMessage(dir.Path("RangeMessage.xml")).date(),
            "2024-01-02");
  EXPECT_EQ(testing::ReadFile(StoredRangeMessagePath()), kMessage);
  EXPECT_EQ(HyphenateIsbn10("1402894627"), "1-40-289462-7");

  // A file that is not a range message is refused; the stored one stays.
  testing::WriteFile(dir.Path("bad.xml"), "<html/>");
  EXPECT_THROW(StoreRangeMessage(dir.Path("bad.xml")), std::runtime_error);
  EXPECT_EQ(ActiveIsbnRanges().date(), "2024-01-02");

  // A stored message damaged later: the built-in table answers again.
  testing::WriteFile(StoredRangeMessagePath(), "<ISBNRangeMessage>");
  EXPECT_NE(ReloadActiveIsbnRanges(), "");
  EXPECT_EQ(HyphenateIsbn10("1402894627"), "1-4028-9462-7");
  std::remove(StoredRangeMessagePath().c_str());
  ReloadActiveIsbnRanges();
}

// Random valid ISBNs of every group, formatted by python3-stdnum from the
// agency's data, must come out the same here, as ISBN-10 and as barcode.
TEST(IsbnRangesTest, AgreesWithPythonStdnumInEveryGroup) {
  const std::string command = std::string("/usr/bin/python3 ") +
                              VELTRANE_AGENCY_FORMS_SCRIPT + " 60 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"),
                                             ::pclose);
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[65536];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get())) {
    output.append(buffer, n);
  }
  if (::pclose(pipe.release()) != 0 || output.empty()) {
    GTEST_SKIP() << "/usr/bin/python3 with python3-stdnum is not available";
  }
  std::istringstream lines(output);
  std::string code10, form10, code13, form13;
  int compared = 0, differing = 0;
  while (std::getline(lines, code10, '\t') && std::getline(lines, form10, '\t') &&
         std::getline(lines, code13, '\t') && std::getline(lines, form13)) {
    ++compared;
    const std::string ours10 = HyphenateIsbn10(code10);
    const std::string ours13 = ConvertIsbn(code13, IsbnFormat::ifEan13Hyphen, false);
    const std::string ours13short = ConvertIsbn(code13, IsbnFormat::ifShortHyphen, false);
    if (ours10 != form10 || ours13 != form13 || ours13short != form10) {
      if (++differing <= 10) {
        ADD_FAILURE() << code10 << ": " << ours10 << " / " << ours13
                      << ", agency " << form10 << " / " << form13;
      }
    }
  }
  EXPECT_GT(compared, 5000);
  EXPECT_EQ(differing, 0) << "of " << compared;
}

}  // namespace
}  // namespace veltrane
