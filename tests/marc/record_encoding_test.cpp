#include "marc/record_encoding.h"

#include <gtest/gtest.h>

#include "marc/record.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::IsoRecord;

// "测试" and "■" in both encodings.
constexpr char kGbkText[] = "\xB2\xE2\xCA\xD4\xA1\xF6";
constexpr char kUtf8Text[] = "\xE6\xB5\x8B\xE8\xAF\x95\xE2\x96\xA0";

TEST(RecordEncodingTest, GbkToUtf8AndBackIsTheIdentity) {
  std::string gbk = IsoRecord({{"001", "id"},
                               {"005", "19990101000000.0"},
                               {"200", std::string("1 $a") + kGbkText + "$eSub"}});
  std::string utf8 = TranscodeRecord(gbk, TextEncoding::kUtf8);
  TMarcRecord record = TMarcRecord::Create(utf8);
  EXPECT_EQ(record.GetValue("200a"), kUtf8Text);
  EXPECT_EQ(record.GetValue("200e"), "Sub");
  EXPECT_EQ(record.GetValue("005"), "19990101000000.0");
  EXPECT_EQ(std::stoul(utf8.substr(0, 5)), utf8.size());
  EXPECT_EQ(utf8.substr(5, 7), gbk.substr(5, 7));  // CNMARC leader kept
  EXPECT_EQ(TranscodeRecord(utf8, TextEncoding::kGbk), gbk);
  EXPECT_EQ(TranscodeRecord(gbk, TextEncoding::kGbk), gbk);
}

TEST(RecordEncodingTest, Marc21LeaderSaysWhichCodingItHolds) {
  std::string gbk = IsoRecord({{"001", "id"},
                               {"008", "860627s1910    enk"},
                               {"245", std::string("10$a") + kGbkText}});
  std::string utf8 = TranscodeRecord(gbk, TextEncoding::kUtf8);
  EXPECT_EQ(utf8[9], 'a');
  EXPECT_EQ(TranscodeRecord(utf8, TextEncoding::kGbk), gbk);
}

TEST(RecordEncodingTest, CharacterWithoutGbkFormIsWrittenInGb18030) {
  std::string utf8 = IsoRecord({{"200", "1 $a\xF0\x9F\x98\x80"}});
  std::string gbk = TranscodeRecord(utf8, TextEncoding::kGbk);
  EXPECT_EQ(TMarcRecord::Create(gbk).GetValue("200a"), "\x94\x39\xFC\x36");
  EXPECT_EQ(TranscodeRecord(gbk, TextEncoding::kUtf8), utf8);
}

TEST(RecordEncodingTest, UndecodableRecordIsRefused) {
  std::string damaged = IsoRecord({{"200", "1 $a\xB2\xE2\xFF$eSub"}});
  EXPECT_THROW(TranscodeRecord(damaged, TextEncoding::kUtf8), MarcFormatError);
  EXPECT_THROW(TranscodeRecord(damaged, TextEncoding::kGbk), MarcFormatError);
}

}  // namespace
}  // namespace veltrane
