#include "marc/match_fields.h"

#include <algorithm>

#include "marc/record.h"
#include "util/text.h"

namespace veltrane {
namespace {

constexpr size_t kDirectoryStart = 24;
constexpr size_t kEntryLength = 12;

// Bytes `pos` to `pos + n` of an entry, as far as it goes, read as an
// integer; 0 when they are not one.
int64_t EntryNumber(std::string_view entry, size_t pos, size_t n) {
  if (pos >= entry.size()) return 0;
  return ParseInteger(entry.substr(pos, n)).value_or(0);
}

// The `length` bytes of `record` at `position`, as far as the text goes.
std::string_view DataAt(std::string_view record, int64_t position,
                        int64_t length) {
  const int64_t size = static_cast<int64_t>(record.size());
  position = std::max<int64_t>(position, 0);
  if (position >= size || length <= 0) return {};
  return record.substr(static_cast<size_t>(position),
                       static_cast<size_t>(std::min(length, size - position)));
}

}  // namespace

std::optional<int64_t> MatchBaseAddress(std::string_view record) {
  if (record.size() <= 12) return std::nullopt;
  return ParseInteger(record.substr(12, 5));
}

std::vector<MatchField> ReadMatchFields(std::string_view record) {
  std::optional<int64_t> base = MatchBaseAddress(record);
  if (!base) throw MarcFormatError(kNoBaseAddressMessage);
  const int64_t directory =
      std::min<int64_t>(*base - 23, static_cast<int64_t>(record.size()) - 24);
  const int64_t entries = *base < 24 || directory < 0 ? 0 : directory / 12;

  std::vector<MatchField> fields;
  fields.reserve(static_cast<size_t>(entries));
  for (int64_t i = 0; i < entries; ++i) {
    std::string_view entry = Trim(record.substr(
        kDirectoryStart + kEntryLength * static_cast<size_t>(i), kEntryLength));
    int64_t length = EntryNumber(entry, 3, 4);
    int64_t start = EntryNumber(entry, 7, 5);
    fields.push_back(
        {entry.substr(0, 3), DataAt(record, *base + start, length)});
  }
  return fields;
}

std::string SpecValue(std::string_view spec, std::string_view data) {
  if (spec.size() == 4) return ExtractSubfield(spec[3], data);
  return std::string(data);
}

StoredSpecValues::StoredSpecValues(const std::vector<MatchField>& fields,
                                   std::string_view list) {
  for (const MatchField& field : fields) {
    ForEachSpecOf(field.tag, list, [&](std::string_view spec) {
      std::string value = SpecValue(spec, field.data);
      auto stored =
          std::find_if(values_.begin(), values_.end(),
                       [&](const auto& v) { return v.first == spec; });
      if (stored != values_.end()) {
        if (value.empty()) {
          values_.erase(stored);
        } else {
          stored->second = std::move(value);
        }
      } else if (!value.empty()) {
        values_.emplace_back(spec, std::move(value));
      }
    });
  }
}

std::string_view StoredSpecValues::Get(std::string_view spec) const {
  for (const auto& [name, value] : values_) {
    if (name == spec) return value;
  }
  return {};
}

std::optional<std::string> FirstIsbn(const std::vector<MatchField>& fields) {
  for (const MatchField& field : fields) {
    if (field.tag == "010") return ExtractSubfield('a', field.data);
  }
  return std::nullopt;
}

}  // namespace veltrane
