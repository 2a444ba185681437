// The three scanning tabs. Each scan first runs the scan-field steps
// (recognition and conversion); a blank field does nothing, an invalid code
// shows the red label and, under option 0, hides the tab's panels. Keys are
// decoded from GBK only where they appear in a panel's caption.
#include "ops/scan_station.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <limits>

#include "db/main_data.h"
#include "isbn/convert.h"
#include "isbn/hyphenation.h"
#include "isbn/scanned_code.h"
#include "ops/int_text.h"
#include "util/encoding.h"
#include "util/text.h"

namespace veltrane {
namespace {

// Runs the scan-field steps with the page's option. Returns the key of a
// valid code; otherwise nullopt, with `effect` set to what the scan returns:
// nothing for a blank field, the red label for an invalid code (whose
// `panels` are hidden first under option 0).
std::optional<std::string> ScanKey(std::string_view field_text,
                                   const ScanSettings& settings,
                                   std::initializer_list<bool*> panels,
                                   std::optional<ScanEffect>& effect) {
  if (Trim(field_text).empty()) return std::nullopt;
  PreparedCode code = PrepareScannedCode(field_text, settings.conversion);
  if (code.valid) return std::move(code.key);
  if (code.hide_panels) {
    for (bool* visible : panels) *visible = false;
  }
  effect = ScanEffect{std::move(code.key), true, false};
  return std::nullopt;
}

// How many copies are missing to reach the target (negative when there are
// more), within the range AddPurchase takes.
int Suggestion(const ScanSettings& settings, int held, int bought) {
  int64_t missing = int64_t{settings.target} - held - bought;
  return static_cast<int>(std::clamp<int64_t>(missing,
                                              std::numeric_limits<int>::min(),
                                              std::numeric_limits<int>::max()));
}

// A number shown in a caption: "[ n ]" or "[n]".
std::string Bracketed(int64_t n, bool padded) {
  return padded ? "[ " + std::to_string(n) + " ]"
                : "[" + std::to_string(n) + "]";
}

}  // namespace

PreparedCode PrepareScannedCode(std::string_view field_text, int conversion) {
  switch (conversion) {
    case 0:
    case 1: {
      ScannedCode scanned = RecogniseScannedCode(field_text);
      if (!scanned.Valid) {
        return PreparedCode{false, conversion == 0, std::string(field_text)};
      }
      return PreparedCode{
          true, false,
          conversion == 0 ? AddIsbnHyphens(scanned.Code) : scanned.Code};
    }
    case 2:
      return PreparedCode{true, false,
                          ConvertIsbn(field_text, IsbnFormat::ifEan13, false)};
    case 3:
      return PreparedCode{
          true, false,
          ConvertIsbn(field_text, IsbnFormat::ifEan13Hyphen, false)};
    default:
      return PreparedCode{true, false, std::string(field_text)};
  }
}

bool ShouldBeep(int held, const ScanSettings& settings) {
  return held <= 0 ? settings.beep_new : settings.beep_held;
}

ConfirmTab::ConfirmTab(TMainData& data, const ScanSettings& settings)
    : data_(data), settings_(settings) {}

std::optional<ScanEffect> ConfirmTab::PurchaseScan(
    std::string_view field_text) {
  std::optional<ScanEffect> effect;
  std::optional<std::string> key = ScanKey(
      field_text, settings_, {&result_.visible, &quantity_visible_}, effect);
  if (!key) return effect;
  int held = data_.HeldCopies(*key);
  int bought = data_.PurchasedCopies(*key);
  result_ = Panel{true, "已有" + Bracketed(held, true) + "本，已采购" +
                            Bracketed(bought, true) + "本，现采购："};
  quantity_visible_ = true;
  quantity_ = std::to_string(std::max(0, Suggestion(settings_, held, bought)));
  return ScanEffect{*key, false, ShouldBeep(held, settings_)};
}

void ConfirmTab::ConfirmQuantity(std::string_view quantity_text,
                                 std::string_view purchase_field_text) {
  quantity_visible_ = false;
  const std::string key = GbkToUtf8(purchase_field_text);
  std::optional<int> n = ParseIntText(quantity_text);
  if (!n) {
    result_ = Panel{true, key + "  采购数量无效，没有采购"};
  } else if (*n == 0) {
    result_ = Panel{true, key + "  确认不采购"};
  } else {
    data_.AddPurchase(purchase_field_text, *n);
    result_ = Panel{true, key + "  确认采购" + Bracketed(*n, true) + "本。"};
  }
}

std::optional<ScanEffect> ConfirmTab::RemovalScan(std::string_view field_text) {
  std::optional<ScanEffect> effect;
  std::optional<std::string> key = ScanKey(
      field_text, settings_, {&result_.visible, &quantity_visible_}, effect);
  if (!key) return effect;
  quantity_visible_ = false;
  data_.RemovePurchase(*key);
  result_ = Panel{true, "剔除 ISBN[ " + GbkToUtf8(*key) + " ] 的采购数据成功"};
  return ScanEffect{*key, false, false};
}

ContinuousTab::ContinuousTab(TMainData& data, const ScanSettings& settings)
    : data_(data), settings_(settings) {}

std::optional<ScanEffect> ContinuousTab::PurchaseScan(
    std::string_view field_text) {
  std::optional<ScanEffect> effect;
  std::optional<std::string> key = ScanKey(
      field_text, settings_, {&last_code_.visible, &result_.visible}, effect);
  if (!key) return effect;
  // Another station may scan the same title at the same moment: deciding
  // and buying are one transaction, so it sees this purchase.
  TMainData::Transaction transaction(data_);
  int held = data_.HeldCopies(*key);
  int bought = data_.PurchasedCopies(*key);
  int suggestion = Suggestion(settings_, held, bought);
  std::string text = "现有" + Bracketed(held, false) + "本，";
  if (suggestion > 0) {
    int n = data_.AddPurchase(*key, suggestion);
    text += "已采购" + Bracketed(bought, false) + "本，继续采购" +
            Bracketed(n, false) + "本";
  } else if (bought > 0) {
    text += "已采购" + Bracketed(bought, false) + "本，不做采购";
  } else {
    text += "不做采购";
  }
  transaction.Commit();
  last_code_ = Panel{true, GbkToUtf8(*key)};
  result_ = Panel{true, std::move(text)};
  return ScanEffect{*key, false, ShouldBeep(held, settings_)};
}

std::optional<ScanEffect> ContinuousTab::RemovalScan(
    std::string_view field_text) {
  std::optional<ScanEffect> effect;
  std::optional<std::string> key = ScanKey(
      field_text, settings_, {&last_code_.visible, &result_.visible}, effect);
  if (!key) return effect;
  data_.RemovePurchase(*key);
  const std::string shown = GbkToUtf8(*key);
  last_code_ = Panel{true, shown};
  result_ = Panel{true, "剔除ISBN[" + shown + "]的采购数据成功"};
  return ScanEffect{*key, false, false};
}

RemindTab::RemindTab(TMainData& data, const ScanSettings& settings)
    : data_(data), settings_(settings) {}

std::optional<ScanEffect> RemindTab::Scan(std::string_view field_text) {
  std::optional<ScanEffect> effect;
  std::optional<std::string> key =
      ScanKey(field_text, settings_, {&answer_.visible}, effect);
  if (!key) return effect;
  std::string title = data_.BuyerTitle(*key);
  const bool held = !title.empty();
  answer_ = Panel{true, held ? DecodeForDisplay(title) + ", 已有"
                             : GbkToUtf8(*key) + "  没找到！"};
  return ScanEffect{*key, false,
                    held ? settings_.beep_held : settings_.beep_new};
}

}  // namespace veltrane
