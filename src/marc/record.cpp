#include "marc/record.h"

#include <algorithm>
#include <charconv>
#include <ctime>

#include "marc/accession.h"
#include "marc/subfield_mark.h"
#include "util/text.h"

namespace veltrane {
namespace {

constexpr size_t kLeaderLength = 24;
constexpr size_t kEntryLength = 12;

// Field order: tag (three blanks for a shorter tag, i.e. the leader), then
// Seq in decimal with at least three digits, compared as byte strings.
struct OrderKey {
  char bytes[3 + 12];
  size_t size;

  explicit OrderKey(const TMarcFieldClass& field) {
    if (field.Tag.size() >= 3) {
      std::copy_n(field.Tag.data(), 3, bytes);
    } else {
      std::fill_n(bytes, 3, ' ');
    }
    char digits[12];
    auto end = std::to_chars(digits, digits + sizeof digits, field.Seq).ptr;
    size_t n = static_cast<size_t>(end - digits);
    size_t pad = n < 3 ? 3 - n : 0;
    std::fill_n(bytes + 3, pad, '0');
    std::copy_n(digits, n, bytes + 3 + pad);
    size = 3 + pad + n;
  }

  std::string_view view() const { return std::string_view(bytes, size); }
};

bool FieldBefore(const TMarcFieldClass& a, const TMarcFieldClass& b) {
  std::string_view ta = a.Tag.size() >= 3 ? std::string_view(a.Tag).substr(0, 3)
                                          : std::string_view("   ");
  std::string_view tb = b.Tag.size() >= 3 ? std::string_view(b.Tag).substr(0, 3)
                                          : std::string_view("   ");
  if (int c = ta.compare(tb); c != 0) return c < 0;
  if (a.Seq < 1000 && b.Seq < 1000) return a.Seq < b.Seq;
  return OrderKey(a).view() < OrderKey(b).view();
}

bool IsValidTagByte(char c) { return IsAsciiDigit(c) || c == '-'; }

// Offset of the first delimiter followed by `code`, or npos.
size_t FindSubfield(std::string_view data, char code) {
  for (size_t i = data.find(kSubfieldDelimiter); i != std::string_view::npos;
       i = data.find(kSubfieldDelimiter, i + 1)) {
    if (i + 1 < data.size() && data[i + 1] == code) return i;
  }
  return std::string_view::npos;
}

// Replaces the value of the subfield at `at` by `value`, keeping everything
// from the next delimiter on.
std::string ReplaceSubfieldValue(std::string_view data, size_t at,
                                 std::string_view value) {
  size_t next = data.find(kSubfieldDelimiter, at + 2);
  std::string out(data.substr(0, at + 2));
  out.append(value);
  if (next != std::string_view::npos) out.append(data.substr(next));
  return out;
}

std::string CutSubfield(std::string_view data, size_t at) {
  size_t next = data.find(kSubfieldDelimiter, at + 2);
  std::string out(data.substr(0, at));
  if (next != std::string_view::npos) out.append(data.substr(next));
  return out;
}

// "0x1F + code + value" for a value typed by a person.
std::string TypedSubfield(char code, std::string_view value) {
  std::string out(1, kSubfieldDelimiter);
  out.push_back(code);
  out.append(MarksToDelimiters(value));
  return out;
}

// Data without the blanks around it, delimiters kept.
std::string_view TrimData(std::string_view data) {
  auto blank = [](char c) { return IsBlankByte(c) && c != kSubfieldDelimiter; };
  size_t begin = 0;
  while (begin < data.size() && blank(data[begin])) ++begin;
  size_t end = data.size();
  while (end > begin && blank(data[end - 1])) --end;
  return data.substr(begin, end - begin);
}

// "yyyymmddhhnnss.0" of now, cached for the current second.
std::string CurrentStamp005() {
  thread_local std::time_t cached_second = -1;
  thread_local char cached[17];
  std::time_t now = std::time(nullptr);
  if (now != cached_second) {
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(cached, sizeof cached, "%Y%m%d%H%M%S.0", &local);
    cached_second = now;
  }
  return std::string(cached, 16);
}

void AppendDigits(std::string& out, size_t value, size_t width) {
  out.append(ZeroPadded(value, width));
}

}  // namespace

bool IsDataFieldTag(std::string_view tag) {
  std::optional<int64_t> number = ParseInteger(tag);
  return number && *number >= 10;
}

bool IsDirectoryEntry(std::string_view entry) {
  if (entry.size() < kEntryLength) return false;
  for (size_t i = 3; i < kEntryLength; ++i) {
    if (!IsAsciiDigit(entry[i])) return false;
  }
  return true;
}

std::string ExtractSubfield(char code, std::string_view text) {
  for (size_t i = text.find(kSubfieldDelimiter); i != std::string_view::npos;
       i = text.find(kSubfieldDelimiter, i + 1)) {
    if (i + 1 < text.size() && text[i + 1] == code) {
      std::string_view rest = text.substr(i + 2);
      size_t end = rest.find(kSubfieldDelimiter);
      if (end == std::string_view::npos) end = rest.find(kFieldTerminator);
      return std::string(rest.substr(0, end));
    }
  }
  return std::string();
}

std::string InsertSubfield(std::string_view data, std::string_view subfield) {
  if (subfield.size() < 2 || subfield[0] != kSubfieldDelimiter) {
    return std::string(data);
  }
  std::string_view new_key = subfield.substr(0, 2);
  for (size_t p = data.find(kSubfieldDelimiter); p != std::string_view::npos;
       p = data.find(kSubfieldDelimiter, p + 1)) {
    if (p + 2 > data.size()) break;
    if (new_key <= data.substr(p, 2)) {
      std::string out(data.substr(0, p));
      out.append(subfield);
      out.append(data.substr(p));
      return out;
    }
  }
  std::string out(data);
  out.append(subfield);
  return out;
}

TMarcRecord TMarcRecord::Create(std::string_view text) {
  TMarcRecord record;
  if (text.empty()) return record;

  std::optional<int64_t> base =
      text.size() >= 17 ? ParseInteger(text.substr(12, 5)) : std::nullopt;
  if (!base) {
    throw MarcFormatError("记录的数据基地址不是数字");
  }
  const int64_t size = static_cast<int64_t>(text.size());
  auto block_at = [&](int64_t start) {
    start = std::max<int64_t>(start, 0);
    if (start >= size) return std::string_view();
    return text.substr(static_cast<size_t>(start), kEntryLength);
  };

  // Where the data begins: the base address, unless the first field
  // terminator tells a more plausible story.
  int64_t data_start = *base;
  size_t terminator = text.find(kFieldTerminator);
  int64_t t = terminator == std::string_view::npos
                  ? -1
                  : static_cast<int64_t>(terminator);
  if (t + 1 < data_start) {
    if (!IsDirectoryEntry(block_at(data_start - 13))) data_start = t + 1;
  } else if (t + 1 > data_start) {
    if (IsDirectoryEntry(block_at(t - 12))) data_start = t + 1;
  }

  // The directory is anchored on its terminator at data_start - 1.
  int64_t last = std::min<int64_t>(data_start, size - 1);
  int64_t present = std::max<int64_t>(last - 24 + 1, 0);
  int64_t entries = present / 12;
  int64_t first_entry = 22 + present % 12;

  record.fields_.reserve(static_cast<size_t>(entries) + 1);
  record.fields_.push_back(
      TMarcFieldClass{"", "", std::string(text.substr(0, kLeaderLength)), 0});
  for (int64_t i = 0; i < entries; ++i) {
    std::string_view entry =
        Trim(text.substr(static_cast<size_t>(first_entry + 12 * i), 12));
    if (!IsDirectoryEntry(entry)) break;
    int64_t length = *ParseInteger(entry.substr(3, 4));
    int64_t start = data_start + *ParseInteger(entry.substr(7, 5));
    std::string_view field;
    if (start < size) {
      field =
          text.substr(static_cast<size_t>(start), static_cast<size_t>(length));
    }
    std::string_view indicator;
    size_t delimiter = field.find(kSubfieldDelimiter);
    if (delimiter != std::string_view::npos && delimiter > 0) {
      indicator = field.substr(0, std::min<size_t>(delimiter, 2));
      field.remove_prefix(delimiter);
    }
    record.fields_.push_back(TMarcFieldClass{
        std::string(entry.substr(0, 3)), std::string(indicator),
        std::string(TrimRight(field)), static_cast<int32_t>(i + 1)});
  }
  record.Sort();
  return record;
}

void TMarcRecord::Sort() {
  if (!std::is_sorted(fields_.begin(), fields_.end(), FieldBefore)) {
    std::stable_sort(fields_.begin(), fields_.end(), FieldBefore);
  }
}

void TMarcRecord::AddElement(std::string_view tag, std::string_view indicator,
                             std::string_view data) {
  fields_.push_back(TMarcFieldClass{std::string(tag.substr(0, 3)),
                                    std::string(indicator.substr(0, 2)),
                                    std::string(data), 0});
}

std::string TMarcRecord::GetValue(std::string_view address) const {
  if (address.size() != 3 && address.size() != 4) return std::string();
  if (!std::all_of(address.begin(), address.begin() + 3, IsValidTagByte)) {
    return std::string();
  }
  if (address.size() == 4 && (address[3] < 'a' || address[3] > 'z')) {
    return std::string();
  }
  std::string_view tag = address.substr(0, 3);
  for (const TMarcFieldClass& field : fields_) {
    if (field.Tag != tag) continue;
    if (address.size() == 3) return field.Data;
    return ExtractSubfield(address[3], field.Data);
  }
  return std::string();
}

void TMarcRecord::AddValue(std::string_view address, std::string_view indicator,
                           std::string_view value) {
  if (address.empty() || address.size() == 3) {
    AddElement(address, indicator, MarksToDelimiters(value));
  } else if (address.size() >= 4) {
    std::string_view tag = address.substr(0, 3);
    std::string subfield = TypedSubfield(address[3], value);
    bool found = false;
    for (TMarcFieldClass& field : fields_) {
      if (field.Tag != tag) continue;
      field.Data = InsertSubfield(field.Data, subfield);
      found = true;
    }
    if (!found) AddElement(tag, indicator, subfield);
  }
  Sort();
}

void TMarcRecord::ModifyValue(std::string_view address,
                              std::string_view indicator,
                              std::string_view value, bool add_if_missing) {
  if (address.size() < 3) return;
  std::string_view tag = address.substr(0, 3);
  bool whole_field = address.size() == 3;
  std::string data = whole_field ? MarksToDelimiters(value)
                                 : TypedSubfield(address[3], value);
  bool found = false;
  for (TMarcFieldClass& field : fields_) {
    if (field.Tag != tag) continue;
    found = true;
    if (!indicator.empty()) field.Indicator = indicator.substr(0, 2);
    if (value.empty()) continue;
    if (whole_field) {
      field.Data = data;
    } else if (size_t at = FindSubfield(field.Data, address[3]);
               at != std::string_view::npos) {
      field.Data = ReplaceSubfieldValue(field.Data, at,
                                        std::string_view(data).substr(2));
    } else if (add_if_missing) {
      field.Data = InsertSubfield(field.Data, data);
    }
  }
  if (!found && add_if_missing && !value.empty()) {
    AddElement(tag, indicator, data);
  }
  Sort();
}

void TMarcRecord::DeleteValue(std::string_view address) {
  if (address.size() < 3) return;
  std::string_view tag = address.substr(0, 3);
  for (size_t i = fields_.size(); i-- > 0;) {
    TMarcFieldClass& field = fields_[i];
    if (field.Tag != tag) continue;
    if (address.size() == 3) {
      fields_.erase(fields_.begin() + static_cast<std::ptrdiff_t>(i));
    } else if (size_t at = FindSubfield(field.Data, address[3]);
               at != std::string_view::npos) {
      field.Data = CutSubfield(field.Data, at);
    }
  }
}

void TMarcRecord::ChangeTag(std::string_view old_tag,
                            std::string_view new_tag) {
  if (old_tag.size() != 3 || new_tag.size() != 3) return;
  for (TMarcFieldClass& field : fields_) {
    if (field.Tag == old_tag) field.Tag = new_tag;
  }
  Sort();
}

std::string TMarcRecord::GetIsoText() { return GetIsoText(CurrentStamp005()); }

std::string TMarcRecord::GetIsoText(std::string_view stamp_005) {
  Sort();
  if (fields_.empty() || !fields_.front().Tag.empty()) {
    throw MarcFormatError("记录没有头标区");
  }
  std::string leader(Trim(fields_.front().Data).substr(0, kLeaderLength));
  leader.resize(kLeaderLength, ' ');

  std::string directory;
  std::string data;
  directory.reserve(kEntryLength * fields_.size() + 1);
  for (size_t i = 1; i < fields_.size(); ++i) {
    const TMarcFieldClass& field = fields_[i];
    size_t start = data.size();
    if (field.Tag == "005") {
      data.append(stamp_005);
    } else {
      data.append(field.Indicator);
      if (IsDataFieldTag(field.Tag)) {
        data.append(2 - std::min<size_t>(field.Indicator.size(), 2), ' ');
      }
      data.append(TrimData(field.Data));
    }
    data.push_back(kFieldTerminator);
    size_t length = data.size() - start;
    if (length > 9999) {
      throw MarcFormatError("字段 " + field.Tag + " 长度 " +
                            std::to_string(length) + " 超过 9999 字节");
    }
    if (start > 99999) {
      throw MarcFormatError("字段 " + field.Tag + " 的起始位置超过 99999");
    }
    std::string tag = field.Tag.substr(0, 3);
    tag.resize(3, ' ');
    directory.append(tag);
    AppendDigits(directory, length, 4);
    AppendDigits(directory, start, 5);
  }
  directory.push_back(kFieldTerminator);
  data.push_back(kRecordTerminator);

  size_t base = kLeaderLength + directory.size();
  size_t total = base + data.size();
  if (total > 99999) {
    throw MarcFormatError("记录长度 " + std::to_string(total) +
                          " 超过 99999 字节");
  }
  std::string out;
  out.reserve(total);
  AppendDigits(out, total, 5);
  out.append(leader, 5, 7);
  AppendDigits(out, base, 5);
  out.append(leader, 17, 7);
  out.append(directory);
  out.append(data);
  return out;
}

void TMarcRecord::Regenerate905(std::string& counter, bool first) {
  bool first_range = first;
  bool found = false;
  for (TMarcFieldClass& field : fields_) {
    if (field.Tag != "905") continue;
    found = true;
    std::string copies = ExtractSubfield('f', field.Data);
    counter = NextAccessionRange(counter, copies, first_range);
    first_range = false;
    if (size_t at = FindSubfield(field.Data, 'b');
        at != std::string_view::npos) {
      field.Data = ReplaceSubfieldValue(field.Data, at, counter);
    } else {
      field.Data = InsertSubfield(field.Data, TypedSubfield('b', counter));
    }
  }
  if (!found) {
    counter = NextAccessionRange(counter, "", first);
    AddElement("905", "", TypedSubfield('b', counter));
  }
  Sort();
}

}  // namespace veltrane
