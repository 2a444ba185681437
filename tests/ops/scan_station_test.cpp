#include "ops/scan_station.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <limits>
#include <thread>

#include "db/main_data.h"
#include "db/sqlite_probe.h"
#include "support/test_support.h"

namespace veltrane {
namespace {

using testing::TempDir;

constexpr char kBarcode[] = "9787500637721";
constexpr char kKey[] = "7-5006-3772-1";  // kBarcode under option 0

TEST(PrepareScannedCodeTest, EveryConversionOption) {
  struct Case {
    std::string text;
    int conversion;
    bool valid;
    bool hide_panels;
    std::string key;
  };
  const std::vector<Case> cases = {
      {kBarcode, 0, true, false, kKey},
      {"9777500637005", 0, true, false, "7500-6375"},
      {"7500637722", 0, false, true, "7500637722"},
      {" 9787500637721", 0, false, true, " 9787500637721"},
      {kBarcode, 1, true, false, "7500637721"},
      {"7-5006-3772-1", 1, true, false, "7500637721"},
      {"7500637722", 1, false, false, "7500637722"},
      {"9787500637721 ", 1, false, false, "9787500637721 "},
      {"7-5006-3772-1", 2, true, false, kBarcode},
      {"7500637722", 2, true, false, "7500637722"},
      {"7500637721", 3, true, false, "978-7-5006-3772-1"},
      {"12345", 3, true, false, "12345"},
      {kBarcode, 4, true, false, kBarcode},
      {" 7500637722 ", 4, true, false, " 7500637722 "},
      // Outside group 7 the key takes the registration agency's form.
      {"9781402894626", 0, true, false, "1-4028-9462-7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("\"" + c.text + "\" option " + std::to_string(c.conversion));
    PreparedCode code = PrepareScannedCode(c.text, c.conversion);
    EXPECT_EQ(code.valid, c.valid);
    EXPECT_EQ(code.hide_panels, c.hide_panels);
    EXPECT_EQ(code.key, c.key);
  }
}

TEST(ShouldBeepTest, HeldSideOrNewSide) {
  for (int held : {-1, 0, 1, 5}) {
    for (bool beep_held : {false, true}) {
      for (bool beep_new : {false, true}) {
        ScanSettings settings{0, 1, beep_held, beep_new};
        EXPECT_EQ(ShouldBeep(held, settings), held > 0 ? beep_held : beep_new)
            << held;
      }
    }
  }
}

class ScanStationTest : public ::testing::Test {
 protected:
  void SetUp() override { data_ = TMainData::Open(path_); }

  // A buyer row of kKey holding `held` copies, and `bought` copies bought.
  void Seed(std::optional<int> held, int bought) {
    if (held) data_->AppendBuyerRow("Title", kKey, *held, "");
    if (bought != 0) data_->AddPurchase(kKey, bought);
  }

  TempDir dir_;
  std::string path_ = dir_.Path("veldata.db");
  std::unique_ptr<TMainData> data_;
  ScanSettings settings_;
};

TEST_F(ScanStationTest, ConfirmSuggestsThenBuysWhatIsConfirmed) {
  struct Case {
    int target;
    std::optional<int> held;
    int bought;
    std::string result;                // pnlZT1 after the scan
    std::string quantity;              // edtZTQR after the scan
    std::optional<std::string> typed;  // nullopt: confirm the suggestion
    std::string confirmed;             // pnlZT1 after the confirmation
    int bought_after;
  };
  const std::vector<Case> cases = {
      {1, std::nullopt, 0, "已有[ 0 ]本，已采购[ 0 ]本，现采购：", "1",
       std::nullopt, "7-5006-3772-1  确认采购[ 1 ]本。", 1},
      {3, 1, 1, "已有[ 1 ]本，已采购[ 1 ]本，现采购：", "1", "2",
       "7-5006-3772-1  确认采购[ 2 ]本。", 3},
      {1, 2, 0, "已有[ 2 ]本，已采购[ 0 ]本，现采购：", "0", std::nullopt,
       "7-5006-3772-1  确认不采购", 0},
      {1, 1, 2, "已有[ 1 ]本，已采购[ 2 ]本，现采购：", "0", std::nullopt,
       "7-5006-3772-1  确认不采购", 2},
      {1, 1, 2, "已有[ 1 ]本，已采购[ 2 ]本，现采购：", "0", "-2",
       "7-5006-3772-1  确认采购[ -2 ]本。", 0},
      {1, 0, 0, "已有[ 0 ]本，已采购[ 0 ]本，现采购：", "1", "",
       "7-5006-3772-1  采购数量无效，没有采购", 0},
      {2, 0, 0, "已有[ 0 ]本，已采购[ 0 ]本，现采购：", "2", "2\xB1\xBE",
       "7-5006-3772-1  采购数量无效，没有采购", 0},
      {2, 0, 0, "已有[ 0 ]本，已采购[ 0 ]本，现采购：", "2", kBarcode,
       "7-5006-3772-1  采购数量无效，没有采购", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.result + c.quantity);
    data_->ClearBuyerTable();
    data_->ClearLocaleTable();
    Seed(c.held, c.bought);
    settings_.target = c.target;
    ConfirmTab tab(*data_, settings_);
    std::optional<ScanEffect> effect = tab.PurchaseScan(kBarcode);
    ASSERT_TRUE(effect);
    EXPECT_EQ(effect->field_text, kKey);
    EXPECT_FALSE(effect->invalid);
    EXPECT_TRUE(tab.result().visible);
    EXPECT_EQ(tab.result().text, c.result);
    EXPECT_TRUE(tab.quantity_visible());
    EXPECT_EQ(tab.quantity(), c.quantity);
    EXPECT_EQ(data_->PurchasedCopies(kKey), c.bought);  // nothing written yet

    tab.ConfirmQuantity(c.typed.value_or(tab.quantity()), effect->field_text);
    EXPECT_FALSE(tab.quantity_visible());
    EXPECT_TRUE(tab.result().visible);
    EXPECT_EQ(tab.result().text, c.confirmed);
    EXPECT_EQ(data_->PurchasedCopies(kKey), c.bought_after);
  }
}

TEST_F(ScanStationTest, ConfirmRemovalAlwaysReportsSuccess) {
  settings_ = {0, 1, true, true};
  ConfirmTab tab(*data_, settings_);
  for (int bought : {2, 0}) {
    Seed(std::nullopt, bought);
    ASSERT_TRUE(tab.PurchaseScan(kBarcode));
    std::optional<ScanEffect> effect = tab.RemovalScan(kBarcode);
    ASSERT_TRUE(effect);
    EXPECT_FALSE(effect->beep);
    EXPECT_FALSE(tab.quantity_visible());
    EXPECT_EQ(tab.result().text, "剔除 ISBN[ 7-5006-3772-1 ] 的采购数据成功");
    EXPECT_EQ(data_->PurchasedCopies(kKey), 0);
  }
}

TEST_F(ScanStationTest, ContinuousBuysWhatIsMissingToReachTheTarget) {
  data_->AppendBuyerRow("Held one", "7-111-22222-9", 1, "");
  data_->AppendBuyerRow("Held one", "7-02-004567-7", 1, "");
  data_->AddPurchase("7-02-004567-7", 1);
  settings_.beep_held = true;
  ContinuousTab tab(*data_, settings_);
  struct Step {
    int target;
    bool removal;
    std::string scan;
    std::string last_code;
    std::string result;
    bool beep;
  };
  const std::vector<Step> steps = {
      {2, false, kBarcode, kKey, "现有[0]本，已采购[0]本，继续采购[2]本",
       false},
      {2, false, kBarcode, kKey, "现有[0]本，已采购[2]本，不做采购", false},
      {3, false, kBarcode, kKey, "现有[0]本，已采购[2]本，继续采购[1]本",
       false},
      {3, true, kBarcode, kKey, "剔除ISBN[7-5006-3772-1]的采购数据成功", false},
      {3, false, kBarcode, kKey, "现有[0]本，已采购[0]本，继续采购[3]本",
       false},
      {1, false, "9787111222224", "7-111-22222-9", "现有[1]本，不做采购", true},
      {3, false, "7020045677", "7-02-004567-7",
       "现有[1]本，已采购[1]本，继续采购[1]本", true},
      {1, true, "7500637721", kKey, "剔除ISBN[7-5006-3772-1]的采购数据成功",
       false},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.result);
    settings_.target = step.target;
    std::optional<ScanEffect> effect =
        step.removal ? tab.RemovalScan(step.scan) : tab.PurchaseScan(step.scan);
    ASSERT_TRUE(effect);
    EXPECT_EQ(effect->beep, step.beep);
    EXPECT_TRUE(tab.last_code().visible);
    EXPECT_TRUE(tab.result().visible);
    EXPECT_EQ(tab.last_code().text, step.last_code);
    EXPECT_EQ(tab.result().text, step.result);
  }
  EXPECT_EQ(data_->PurchasedCopies(kKey), 0);
  EXPECT_EQ(data_->PurchasedCopies("7-111-22222-9"), 0);
  EXPECT_EQ(data_->PurchasedCopies("7-02-004567-7"), 2);
}

TEST_F(ScanStationTest, UnconvertedCodeIsBoughtAsScannedBlanksIncluded) {
  settings_.conversion = 4;
  ContinuousTab tab(*data_, settings_);
  ASSERT_TRUE(tab.PurchaseScan(" 9787500637721 "));
  EXPECT_EQ(tab.result().text, "现有[0]本，已采购[0]本，继续采购[1]本");
  EXPECT_EQ(data_->PurchasedCopies(" 9787500637721 "), 1);
  EXPECT_EQ(data_->PurchasedCopies(kBarcode), 0);
}

TEST_F(ScanStationTest, RemindTellsByTitleOnly) {
  data_->AppendBuyerRow("\xB2\xE2\xCA\xD4", kKey, 0, "");  // "测试", 0 copies
  data_->AppendBuyerRow("", "7-111-22222-9", 2, "");
  settings_ = {0, 1, true, false};
  RemindTab tab(*data_, settings_);
  struct Case {
    int conversion;
    std::string scan;
    std::string answer;
    bool beep;
  };
  const std::vector<Case> cases = {
      {0, kBarcode, "测试, 已有", true},
      {1, "7500637721", "7500637721  没找到！", false},
      {0, "9787111222224", "7-111-22222-9  没找到！", false},
  };
  for (const Case& c : cases) {
    settings_.conversion = c.conversion;
    std::optional<ScanEffect> effect = tab.Scan(c.scan);
    ASSERT_TRUE(effect);
    EXPECT_EQ(effect->beep, c.beep);
    EXPECT_TRUE(tab.answer().visible);
    EXPECT_EQ(tab.answer().text, c.answer);
  }
  settings_.beep_new = true;
  EXPECT_TRUE(tab.Scan("7020045677")->beep);
  EXPECT_EQ(data_->LocaleTable().RecordCount(), 0);
}

TEST_F(ScanStationTest, FailedLookupIsAnErrorAndBuysNothing) {
  testing::ExecSql(path_, "DROP TABLE buyer");
  ConfirmTab confirm(*data_, settings_);
  EXPECT_THROW(confirm.PurchaseScan(kBarcode), DatabaseError);
  EXPECT_FALSE(confirm.quantity_visible());
  ContinuousTab continuous(*data_, settings_);
  EXPECT_THROW(continuous.PurchaseScan(kBarcode), DatabaseError);
  RemindTab remind(*data_, settings_);
  EXPECT_THROW(remind.Scan(kBarcode), DatabaseError);
  EXPECT_TRUE(testing::QueryColumn(path_, "SELECT isbn FROM locale").empty());
}

TEST_F(ScanStationTest, CountsNeverLeaveThe32BitRange) {
  Seed(0, std::numeric_limits<int>::max());
  EXPECT_THROW(data_->AddPurchase(kKey, 1), DatabaseError);
  EXPECT_EQ(data_->PurchasedCopies(kKey), std::numeric_limits<int>::max());
  // A value another program stored beyond the range is an error, not -2.
  testing::ExecSql(path_, "UPDATE locale SET rsnumber = 6442450941");
  EXPECT_THROW(data_->PurchasedCopies(kKey), DatabaseError);
}

// Two stations on one file: the second one's decision waits for the first
// one's purchase and sees it.
TEST_F(ScanStationTest, ContinuousDecisionAndPurchaseAreOneTransaction) {
  std::unique_ptr<TMainData> other = TMainData::Open(path_);
  ContinuousTab first(*data_, settings_);
  ContinuousTab second(*other, settings_);
  std::string second_result;
  {
    TMainData::Transaction held_by_first(*data_);
    std::thread station([&] {
      second.PurchaseScan(kBarcode);
      second_result = second.result().text;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    first.PurchaseScan(kBarcode);  // joins the open transaction
    held_by_first.Commit();
    station.join();
  }
  EXPECT_EQ(first.result().text, "现有[0]本，已采购[0]本，继续采购[1]本");
  EXPECT_EQ(second_result, "现有[0]本，已采购[1]本，不做采购");
  EXPECT_EQ(data_->PurchasedCopies(kKey), 1);
}

// Every scan field of the three tabs: its scan function and its panels.
struct ScanField {
  std::string name;
  std::function<std::optional<ScanEffect>(std::string_view)> scan;
  std::function<std::vector<bool>()> panels_visible;
};

TEST_F(ScanStationTest, BlankAndInvalidCodesInEveryField) {
  settings_.beep_new = true;
  ConfirmTab confirm(*data_, settings_);
  ContinuousTab continuous(*data_, settings_);
  RemindTab remind(*data_, settings_);
  auto confirm_panels = [&] {
    return std::vector<bool>{confirm.result().visible,
                             confirm.quantity_visible()};
  };
  auto continuous_panels = [&] {
    return std::vector<bool>{continuous.last_code().visible,
                             continuous.result().visible};
  };
  const std::vector<ScanField> fields = {
      {"edtZTCG", [&](auto t) { return confirm.PurchaseScan(t); },
       confirm_panels},
      {"edtZTTC", [&](auto t) { return confirm.RemovalScan(t); },
       confirm_panels},
      {"edtLXCG", [&](auto t) { return continuous.PurchaseScan(t); },
       continuous_panels},
      {"edtLXTC", [&](auto t) { return continuous.RemovalScan(t); },
       continuous_panels},
      {"edtJD", [&](auto t) { return remind.Scan(t); },
       [&] { return std::vector<bool>{remind.answer().visible}; }},
  };
  for (const ScanField& field : fields) {
    for (int conversion : {0, 1}) {
      SCOPED_TRACE(field.name + " option " + std::to_string(conversion));
      settings_.conversion = conversion;
      // A purchase scan shows the panels of every tab (pnlZT2 included).
      ASSERT_TRUE(confirm.PurchaseScan(kBarcode));
      ASSERT_TRUE(continuous.RemovalScan(kBarcode));
      ASSERT_TRUE(remind.Scan(kBarcode));
      std::vector<bool> before = field.panels_visible();
      EXPECT_FALSE(field.scan(""));
      EXPECT_FALSE(field.scan("  "));
      EXPECT_EQ(field.panels_visible(), before);

      std::optional<ScanEffect> effect = field.scan("7500637722");
      ASSERT_TRUE(effect);
      EXPECT_TRUE(effect->invalid);
      EXPECT_FALSE(effect->beep);
      EXPECT_EQ(effect->field_text, "7500637722");
      EXPECT_EQ(
          field.panels_visible(),
          conversion == 0 ? std::vector<bool>(before.size(), false) : before);
    }
  }
  EXPECT_EQ(data_->LocaleTable().RecordCount(), 0);
}

}  // namespace
}  // namespace veltrane
