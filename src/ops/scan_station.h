// On-site scanning: what each scan field of the page "现场采购" does when a
// scanner (or a person) types a code and Enter, as UI-free state machines,
// one per tab. Each returns what the tab shows afterwards; the page (or the
// command line) only moves the focus and sounds the beep.
//
// Every purchase or removal is written to the database before the call
// returns. Display texts are UTF-8; codes and keys are GBK bytes as typed.
// A database that fails (a lookup included) throws DatabaseError out of the
// scan; nothing is recorded for that scan and the panels stay as they were.
#ifndef VELTRANE_OPS_SCAN_STATION_H_
#define VELTRANE_OPS_SCAN_STATION_H_

#include <optional>
#include <string>
#include <string_view>

namespace veltrane {

class TMainData;

// The page's settings (group "现采参数").
struct ScanSettings {
  // 0-3: convert to that IsbnFormat; 4: "不作任何转换进行查重".
  int conversion = 0;
  int target = 1;          // "已有数 + 采购 =", at least 1
  bool beep_held = false;  // "重复时"
  bool beep_new = false;   // "不重复时"
};

// The result of the steps every scan field runs on Enter.
struct PreparedCode {
  bool valid = true;         // false: the field's red "非法ISBN/ISSN" shows
  bool hide_panels = false;  // an invalid code under option 0 hides the panels
  std::string key;           // the field's new text, the code looked up
};

// Recognises and converts `field_text` by the conversion option (0 and 1:
// RecogniseScannedCode, then AddIsbnHyphens for 0; 2 and 3: ConvertIsbn to
// 13 digits; 4: as it is). REQUIRES: `field_text` is not blank.
PreparedCode PrepareScannedCode(std::string_view field_text, int conversion);

// True when a scan whose buyer holds `held` copies beeps.
bool ShouldBeep(int held, const ScanSettings& settings);

// A result panel: shown or not, and its caption.
struct Panel {
  bool visible = false;
  std::string text;
};

// What one scan did to its field. Nothing at all happens (nullopt from the
// scan functions) when the field is blank.
struct ScanEffect {
  std::string field_text;  // the field's new text
  bool invalid = false;    // the field's red label
  bool beep = false;
};

// "逐条确认模式": a purchase scan shows held and bought and suggests a
// quantity; Enter in the quantity field confirms it.
class ConfirmTab {
 public:
  ConfirmTab(TMainData& data, const ScanSettings& settings);

  // Enter in edtZTCG. Valid: pnlZT1 "已有[ h ]本，已采购[ b ]本，现采购：",
  // pnlZT2 shown, quantity = target - h - b, never below 0 (a habitual Enter
  // must not lower the purchases); the page moves the focus to the quantity
  // field.
  std::optional<ScanEffect> PurchaseScan(std::string_view field_text);
  // Enter in edtZTQR: `quantity_text` (the field's text: the suggestion as
  // shown, or digits typed) read as a whole number buys that many of
  // `purchase_field_text` (the purchase field's text) and pnlZT1 becomes
  // "KEY  确认采购[ n ]本。"; 0 gives "KEY  确认不采购"; text that is no
  // number, or a number beyond the 32-bit range, writes nothing and says so.
  // pnlZT2 is hidden.
  void ConfirmQuantity(std::string_view quantity_text,
                       std::string_view purchase_field_text);
  // Enter in edtZTTC: removes every purchase of the code; pnlZT1 "剔除
  // ISBN[ KEY ] 的采购数据成功", pnlZT2 hidden.
  std::optional<ScanEffect> RemovalScan(std::string_view field_text);

  const Panel& result() const { return result_; }              // pnlZT1
  bool quantity_visible() const { return quantity_visible_; }  // pnlZT2
  const std::string& quantity() const { return quantity_; }    // edtZTQR

 private:
  TMainData& data_;
  const ScanSettings& settings_;
  Panel result_;
  bool quantity_visible_ = false;
  std::string quantity_;
};

// "连续扫描模式": every purchase scan buys what is missing to reach the
// target, at once.
class ContinuousTab {
 public:
  ContinuousTab(TMainData& data, const ScanSettings& settings);

  // Enter in edtLXCG: pnlResult "现有[h]本，已采购[b]本，继续采购[n]本",
  // "现有[h]本，已采购[b]本，不做采购" or "现有[h]本，不做采购". The lookups
  // and the purchase are one transaction.
  std::optional<ScanEffect> PurchaseScan(std::string_view field_text);
  // Enter in edtLXTC: pnlResult "剔除ISBN[KEY]的采购数据成功".
  std::optional<ScanEffect> RemovalScan(std::string_view field_text);

  const Panel& last_code() const { return last_code_; }  // pnlEndingIsbn
  const Panel& result() const { return result_; }        // pnlResult

 private:
  TMainData& data_;
  const ScanSettings& settings_;
  Panel last_code_;
  Panel result_;
};

// "简单提醒模式": only tells whether the buyer holds the book.
class RemindTab {
 public:
  RemindTab(TMainData& data, const ScanSettings& settings);

  // Enter in edtJD: pnlJD "TITLE, 已有" or "KEY  没找到！".
  std::optional<ScanEffect> Scan(std::string_view field_text);

  const Panel& answer() const { return answer_; }  // pnlJD

 private:
  TMainData& data_;
  const ScanSettings& settings_;
  Panel answer_;
};

}  // namespace veltrane

#endif  // VELTRANE_OPS_SCAN_STATION_H_
