#include "marc/record_encoding.h"

#include <algorithm>
#include <optional>

#include "marc/record.h"

namespace veltrane {
namespace {

constexpr size_t kCharacterCoding = 9;  // leader position of MARC 21

std::optional<std::string> Transcode(std::string_view bytes, TextEncoding from,
                                     TextEncoding to) {
  if (from == TextEncoding::kUtf8) {
    // DetectEncoding has checked the whole record already.
    if (to == TextEncoding::kUtf8) return std::string(bytes);
    return StrictUtf8ToGbk(bytes);
  }
  std::optional<std::string> utf8 = StrictGbkToUtf8(bytes);
  if (!utf8 || to == TextEncoding::kUtf8) return utf8;
  return StrictUtf8ToGbk(*utf8);
}

}  // namespace

std::string TranscodeRecord(std::string_view record_text, TextEncoding target) {
  const TextEncoding source = DetectEncoding(record_text);
  TMarcRecord record = TMarcRecord::Create(record_text);
  record.RecodeFields([&](const std::string& bytes) {
    std::optional<std::string> out = Transcode(bytes, source, target);
    if (!out) {
      throw MarcFormatError(source == TextEncoding::kUtf8
                                ? "记录中有无法按 UTF-8 解码的字节"
                                : "记录中有无法按 GBK（GB18030）解码的字节");
    }
    return *out;
  });
  std::string text = record.GetIsoText(record.GetValue("005"));
  const auto& fields = record.Fields();
  if (std::any_of(fields.begin(), fields.end(),
                  [](const TMarcFieldClass& f) { return f.Tag == "008"; })) {
    text[kCharacterCoding] = target == TextEncoding::kUtf8 ? 'a' : ' ';
  }
  return text;
}

}  // namespace veltrane
