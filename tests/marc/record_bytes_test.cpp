// Records keep their bytes, whatever their encoding: fixtures of the byte runs
// that used to lose delimiters, and every real sample file rebuilt and
// compared field by field with the original.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <optional>

#include "marc/record.h"
#include "marc/scanner.h"
#include "support/test_support.h"
#include "util/text.h"

namespace veltrane {
namespace {

using testing::IsoRecord;
using testing::RawField;

constexpr char kStamp[] = "20261211120000.0";

// The fields of a well-formed record straight from its directory (tag and
// bytes without the terminator), in tag order; nullopt when the directory,
// base address or field terminators do not agree.
std::optional<std::vector<RawField>> DirectoryFields(std::string_view text) {
  std::optional<int64_t> base =
      text.size() >= 24 ? ParseInteger(text.substr(12, 5)) : std::nullopt;
  if (!base || *base < 25 || (*base - 25) % 12 != 0 ||
      static_cast<size_t>(*base) > text.size() ||
      text[static_cast<size_t>(*base) - 1] != '\x1E') {
    return std::nullopt;
  }
  std::vector<RawField> fields;
  for (size_t at = 24; at + 1 < static_cast<size_t>(*base); at += 12) {
    std::string_view entry = text.substr(at, 12);
    std::optional<int64_t> length = ParseInteger(entry.substr(3, 4));
    std::optional<int64_t> start = ParseInteger(entry.substr(7, 5));
    if (!IsDirectoryEntry(entry) || *length < 1) return std::nullopt;
    size_t from = static_cast<size_t>(*base + *start);
    size_t end = from + static_cast<size_t>(*length);
    if (end > text.size() || text[end - 1] != '\x1E') return std::nullopt;
    fields.push_back({std::string(entry.substr(0, 3)),
                      std::string(text.substr(from, end - from - 1))});
  }
  std::stable_sort(fields.begin(), fields.end(),
                   [](const RawField& a, const RawField& b) {
                     return a.first < b.first;
                   });
  return fields;
}

// Bytes up to 0x20 other than the delimiter at the start of `s` dropped.
std::string_view TrimLeftKeepingDelimiter(std::string_view s) {
  while (!s.empty() && IsBlankByte(s[0]) && s[0] != '\x1F') s.remove_prefix(1);
  return s;
}

// A field's original bytes after the normalizations a rebuild documents:
// trailing blanks dropped, at most two bytes kept before the first delimiter
// (blank-padded to two for a data field), leading blanks of a field without
// such bytes dropped.
std::string Normalized(const RawField& field) {
  std::string_view raw = TrimRight(field.second);
  size_t delimiter = raw.find('\x1F');
  if (delimiter == std::string_view::npos) delimiter = 0;
  std::string indicator(raw.substr(0, std::min<size_t>(delimiter, 2)));
  if (IsDataFieldTag(field.first)) indicator.resize(2, ' ');
  return indicator + std::string(TrimLeftKeepingDelimiter(raw.substr(delimiter)));
}

// Differences between a well-formed record and its rebuild, one text each.
std::vector<std::string> RebuildDifferences(std::string_view text) {
  std::optional<std::vector<RawField>> original = DirectoryFields(text);
  if (!original) return {"not well-formed"};
  std::string rebuilt = TMarcRecord::Create(text).GetIsoText(kStamp);
  std::optional<std::vector<RawField>> again = DirectoryFields(rebuilt);
  if (!again) return {"rebuild not well-formed"};
  std::vector<std::string> out;
  if (again->size() != original->size()) {
    out.push_back("field count " + std::to_string(original->size()) + " -> " +
                  std::to_string(again->size()));
    return out;
  }
  for (size_t i = 0; i < original->size(); ++i) {
    const RawField& before = (*original)[i];
    const RawField& after = (*again)[i];
    if (before.first == "005" && after.first == "005") continue;
    if (before.first != after.first || Normalized(before) != after.second) {
      out.push_back(before.first + ": " + before.second + " -> " +
                    after.first + ": " + after.second);
    }
  }
  if (rebuilt.substr(5, 7) != text.substr(5, 7) ||
      rebuilt.substr(17, 7) != text.substr(17, 7)) {
    out.push_back("leader codes");
  }
  return out;
}

// Any record, damaged ones included: the fields read from its rebuild are
// the fields the model read from it (005 aside; compared as sets, since a
// record of over 999 fields is reordered by its text-compared Seq).
std::vector<std::string> ReadBackDifferences(std::string_view text) {
  TMarcRecord first;
  try {
    first = TMarcRecord::Create(text);
  } catch (const MarcFormatError&) {
    return {};
  }
  auto shown = [](const TMarcRecord& record) {
    std::vector<std::string> out;
    for (const TMarcFieldClass& f : record.Fields()) {
      if (f.Tag.empty() || f.Tag == "005") continue;
      std::string indicator = f.Indicator;
      if (IsDataFieldTag(f.Tag)) indicator.resize(2, ' ');
      out.push_back(f.Tag + "|" + indicator + "|" +
                    std::string(TrimLeftKeepingDelimiter(f.Data)));
    }
    std::sort(out.begin(), out.end());
    return out;
  };
  std::vector<std::string> before = shown(first);
  std::vector<std::string> after =
      shown(TMarcRecord::Create(first.GetIsoText(kStamp)));
  std::vector<std::string> out;
  std::set_symmetric_difference(before.begin(), before.end(), after.begin(),
                                after.end(), std::back_inserter(out));
  return out;
}

TEST(RecordBytesTest, DelimitersSurviveInAnyEncoding) {
  struct Case {
    const char* name;
    std::string a;  // 200 $a value; $e follows it
  };
  const std::vector<Case> cases = {
      {"UTF-8 Chinese right before a delimiter", "\xE4\xB8\xAD\xE6\x96\x87"},
      {"CP1251 text", "\xCF\xF0\xE8\xE2\xE5\xF2"},
      {"GBK field cut inside a character: stray lead byte", "\xD6\xD0\xB9"},
      {"GBK data holding the bytes of the mark", "x\xA1\xF6y"},
      {"two GBK characters running A1 F6 across them", "\xB0\xA1\xF6\xE2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = IsoRecord(
        {{"001", "id"}, {"200", "1 $a" + c.a + "$eSub"}, {"330", "  $a" + c.a}});
    TMarcRecord record = TMarcRecord::Create(text);
    EXPECT_EQ(record.GetValue("200a"), c.a);
    EXPECT_EQ(record.GetValue("200e"), "Sub");
    EXPECT_EQ(record.GetValue("330a"), c.a);
    EXPECT_EQ(RebuildDifferences(text), std::vector<std::string>{});
  }
}

TEST(RecordBytesTest, TypedMarksBecomeDelimitersOnlyOnCharacterBoundaries) {
  TMarcRecord record = TMarcRecord::Create(IsoRecord({{"001", "id"}}));
  // "■" typed before and after "啊鲡" (B0 A1 F6 E2).
  record.AddValue("200", "1 ", "\xA1\xF6" "a\xB0\xA1\xF6\xE2\xA1\xF6" "bB");
  record.ModifyValue("200b", "", "\xB0\xA1\xF6\xE2", false);
  EXPECT_EQ(record.GetValue("200"),
            "\x1F" "a\xB0\xA1\xF6\xE2\x1F" "b\xB0\xA1\xF6\xE2");
}

TEST(RecordBytesTest, RealSampleFilesKeepEveryFieldsBytes) {
  std::optional<std::string> samples = testing::SamplesDir();
  if (!samples) GTEST_SKIP() << "sample folder absent";
  int64_t well_formed = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(*samples + "/marc")) {
    std::string file = entry.path().filename().string();
    testing::RecordingHost host;
    ScanMarcFile(
        entry.path().string(),
        [&](int64_t rec_no, std::string_view text, bool&) {
          SCOPED_TRACE(file + " record " + std::to_string(rec_no));
          if (DirectoryFields(text)) {
            ++well_formed;
            EXPECT_EQ(RebuildDifferences(text), std::vector<std::string>{});
          }
          EXPECT_EQ(ReadBackDifferences(text), std::vector<std::string>{});
        },
        host);
  }
  EXPECT_GT(well_formed, 3800);
}

}  // namespace
}  // namespace veltrane
