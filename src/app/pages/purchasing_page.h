// The page "现场采购": the settings "现采参数", the three scanning tabs
// (one-by-one confirmation, continuous, simple reminder — the last one shown
// at start) and the export of the purchases as an ISBN list. Every scan
// field can be driven by a barcode scanner alone: the focus moves to where
// the next key belongs.
#ifndef VELTRANE_APP_PAGES_PURCHASING_PAGE_H_
#define VELTRANE_APP_PAGES_PURCHASING_PAGE_H_

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/operation_runner.h"
#include "app/page_context.h"
#include "app/scan_field.h"
#include "ops/scan_station.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace veltrane::app {

class RadioGroup;

class PurchasingPage : public QWidget {
  Q_OBJECT
 public:
  explicit PurchasingPage(const PageContext& context,
                          QWidget* parent = nullptr);
  ~PurchasingPage() override;

  // Puts the keyboard focus into the visible tab's purchase field, where
  // the barcode scanner types; run whenever the page or a tab is shown.
  void FocusScanField();

 private:
  QWidget* MakeConfirmTab();
  QWidget* MakeContinuousTab();
  QWidget* MakeRemindTab();
  QWidget* MakeSettings();
  QWidget* MakeExport();

  // The tabs' state machines, made when the database is first needed;
  // false (after telling the user) when there is none.
  bool Ready();
  void ReadSettings();
  // The scan of a field whose text is then selected for the next scan.
  void RunScan(
      const ScanField& field,
      const std::function<std::optional<ScanEffect>(const std::string&)>& scan);
  // Runs a scan step; a failure (the database's) is shown in an error box
  // and gives false.
  bool Guarded(const std::function<void()>& scan);
  // Puts a scan's effect into its field and label, and beeps.
  void Apply(const ScanField& field, const ScanEffect& effect);
  void ShowPanels();

  void edtZTCGEnter();
  void edtZTQREnter();
  void edtZTTCEnter();
  void edtLXCGEnter();
  void edtLXTCEnter();
  void edtJDEnter();
  void RzButton8Click();

  PageContext context_;
  ScanSettings settings_;
  std::unique_ptr<ConfirmTab> confirm_;
  std::unique_ptr<ContinuousTab> continuous_;
  std::unique_ptr<RemindTab> remind_;

  RadioGroup* conversion_;  // RzRadioGroup5
  QSpinBox* target_;        // spePnl2
  QCheckBox* beep_held_;    // chkRepeat
  QCheckBox* beep_new_;     // chkNotRepeat
  QTabWidget* tabs_;
  ScanField zt_buy_, zt_remove_, lx_buy_, lx_remove_, jd_;
  QLabel* zt_result_;         // pnlZT1
  QWidget* zt_quantity_box_;  // pnlZT2
  QLineEdit* zt_quantity_;    // edtZTQR
  QLabel* lx_last_code_;      // pnlEndingIsbn
  QLabel* lx_result_;         // pnlResult
  QLabel* jd_answer_;         // pnlJD
  QLineEdit* isbn_file_;      // edtFileName_Pn2_ISBN
  QCheckBox* with_copies_;    // chkPnl23
  QPushButton* export_;       // RzButton8
  QProgressBar* export_bar_;  // RzProgressBar3
  QLabel* export_total_;      // lblPrompt3
  std::unique_ptr<OperationRunner> export_runner_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGES_PURCHASING_PAGE_H_
