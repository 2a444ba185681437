// TMarcRecord: one MARC record in memory, read from and written to ISO 2709.
//
// The record is a list of fields kept in field order: the leader (empty tag)
// first, then fields by tag, fields of one tag in the order of the directory
// they were read from, fields added by an edit (Seq 0) before those read from
// the file.
//
// Bytes. The model holds the record's own bytes, whatever their encoding
// (GBK, UTF-8, a single-byte code page, damaged text): TMarcFieldClass::Data
// and GetValue carry subfield delimiters as the byte 0x1F, and every other
// byte as it stood in the file. A record read and rebuilt without edits gives
// back every field's bytes, except for these normalizations of GetIsoText:
//   - field 005 gets a fresh time stamp;
//   - reading drops the bytes up to 0x20 at the end of each field (trailing
//     blanks, and a bare 0x1F with no code after it);
//   - writing drops the bytes up to 0x20 other than 0x1F at both ends of Data
//     (so a control field loses its leading blanks);
//   - a field keeps at most two bytes before its first 0x1F (the Indicator);
//     data fields (tag 010 and up) are written with exactly two, blank-padded,
//     other fields with the bytes they were read with;
//   - fields are written in field order.
// Bytes A1 F6 in a file's data are data, never a delimiter.
//
// People. "■" (kSubfieldMark, GBK A1 F6) is how a person writes and sees a
// delimiter. Values given to AddValue and ModifyValue are taken as typed by
// a person: each "■" character in them (found on GBK character boundaries)
// becomes 0x1F, and a 0x1F in them stays one. To show a field to a person,
// decode its bytes by the record's encoding and show each 0x1F as "■"
// (DelimitersToMarks in subfield_mark.h does the latter for GBK text); never
// feed bytes read from a file through MarksToDelimiters.
//
// The reader is tolerant (wrong base address, surplus or missing bytes before
// the directory, a damaged directory entry ends the directory); the only
// reading error is a base address that is not a number.
#ifndef VELTRANE_MARC_RECORD_H_
#define VELTRANE_MARC_RECORD_H_

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

// "■" in GBK: the delimiter as people type and see it.
inline constexpr std::string_view kSubfieldMark = "\xA1\xF6";
inline constexpr char kSubfieldDelimiter = '\x1F';
inline constexpr char kFieldTerminator = '\x1E';
inline constexpr char kRecordTerminator = '\x1D';

// A record text that cannot be read or written.
class MarcFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One element of a record: the leader (empty Tag, Data = the 24 leader bytes)
// or a field (Data = the field's bytes without indicators and terminator,
// delimiters as 0x1F).
struct TMarcFieldClass {
  std::string Tag;        // at most 3 bytes
  std::string Indicator;  // at most 2 bytes
  std::string Data;
  int32_t Seq = 0;  // 1-based directory position when read; 0 when added
};

class TMarcRecord {
 public:
  // Builds the record from one ISO 2709 record text; empty text gives a
  // record without any element. Throws MarcFormatError when offsets 12-16 do
  // not hold an integer.
  static TMarcRecord Create(std::string_view record_text);

  // The value of a field ("200") or subfield ("200a") of the first field
  // with that tag, delimiters as 0x1F. Empty for an invalid address (length
  // not 3 or 4, tag bytes other than digits and "-", a subfield code other
  // than a-z), an absent field or an absent subfield.
  std::string GetValue(std::string_view address) const;

  // Empty or 3-byte address: always adds a new element (the empty address
  // adds a leader) with `value` as its data. "tagc": inserts subfield c with
  // `value` into every field with the tag, or adds one new field when none
  // has it. "■" in `value` becomes a delimiter (see the top of this file).
  void AddValue(std::string_view address, std::string_view indicator,
                std::string_view value);

  // Changes the indicators (when not empty), a field's data or the first
  // occurrence of a subfield (when value is not empty) of every field with the
  // tag; with add_if_missing adds the missing subfield or field. "■" in
  // `value` becomes a delimiter, as in AddValue.
  void ModifyValue(std::string_view address, std::string_view indicator,
                   std::string_view value, bool add_if_missing);

  // "tag": removes every field with the tag. "tagc": cuts the first
  // occurrence of subfield c out of every field with the tag.
  void DeleteValue(std::string_view address);

  // Renames every field tagged old_tag; both must be exactly 3 bytes.
  void ChangeTag(std::string_view old_tag, std::string_view new_tag);

  // The record as ISO 2709 text; field 005 gets the current local time.
  // Throws MarcFormatError when a field (over 9999 bytes), a start offset or
  // the record (over 99999 bytes) does not fit its digits.
  std::string GetIsoText();
  // The same, with `stamp_005` written into field 005 instead of the time.
  std::string GetIsoText(std::string_view stamp_005);

  // Gives every 905 a new $b accession range continuing from `counter`
  // (adds a 905 when the record has none); `first` marks the first record
  // of a run, whose first range starts at the counter itself.
  void Regenerate905(std::string& counter, bool first);

  // Replaces the Indicator and Data of every field but the leader by
  // `recode` of them (for turning a record into another encoding); tags,
  // order and Seq stay.
  template <typename Recode>
  void RecodeFields(Recode recode) {
    for (TMarcFieldClass& field : fields_) {
      if (field.Tag.empty()) continue;
      field.Indicator = recode(field.Indicator);
      field.Data = recode(field.Data);
    }
  }

  const std::vector<TMarcFieldClass>& Fields() const { return fields_; }
  bool empty() const { return fields_.empty(); }

 private:
  void Sort();
  void AddElement(std::string_view tag, std::string_view indicator,
                  std::string_view data);

  std::vector<TMarcFieldClass> fields_;
};

// Value of the first subfield `code` in a field text with 0x1F delimiters, up
// to the next 0x1F or 0x1E or the end; empty when absent. Not trimmed.
std::string ExtractSubfield(char code, std::string_view field_text);

// Field data with 0x1F delimiters, `subfield` (0x1F + code + value) inserted
// before the first subfield whose code is not below its code; appended when
// there is none. Returns `data` unchanged when `subfield` is not at least
// 0x1F + code.
std::string InsertSubfield(std::string_view data, std::string_view subfield);

// True for tags written with indicators: a decimal number of 10 or more
// ("-01" and other non-numeric tags are written like control fields).
bool IsDataFieldTag(std::string_view tag);

// True when bytes 3 to 11 of `entry` are ASCII digits (a shorter entry fails).
bool IsDirectoryEntry(std::string_view entry);

}  // namespace veltrane

#endif  // VELTRANE_MARC_RECORD_H_
