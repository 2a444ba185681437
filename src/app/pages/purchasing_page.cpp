#include "app/pages/purchasing_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/beeper.h"
#include "app/messages.h"
#include "app/page_layout.h"
#include "app/radio_group.h"
#include "app/text_codec.h"
#include "ops/purchase_data.h"

namespace veltrane::app {
namespace {

// A result panel: yellow on the caption colour, hidden until a scan.
QLabel* ResultPanel(const char* name, Qt::Alignment alignment) {
  auto* panel = new QLabel;
  panel->setObjectName(name);
  panel->setAlignment(alignment | Qt::AlignVCenter);
  panel->setMinimumHeight(28);
  panel->setStyleSheet(
      "background: #0a246a; color: #ffff00; font-weight: bold; padding: 2px "
      "6px;");
  panel->hide();
  return panel;
}

void Show(QLabel* label, const Panel& panel) {
  label->setVisible(panel.visible);
  label->setText(QString::fromStdString(panel.text));
}

// Adds a caption, the field and its red label as one row of `grid`.
void AddScanRow(QGridLayout* grid, int row, const QString& caption,
                const ScanField& field) {
  grid->addWidget(new QLabel(caption), row, 0);
  grid->addWidget(field.edit, row, 1);
  grid->addWidget(field.invalid, row, 2);
}

}  // namespace

void PurchasingPage::FocusScanField() {
  const ScanField* fields[] = {&zt_buy_, &lx_buy_, &jd_};
  fields[tabs_->currentIndex()]->edit->setFocus();
}

PurchasingPage::PurchasingPage(const PageContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  tabs_ = new QTabWidget;
  tabs_->setObjectName("RzPageControl2");
  tabs_->addTab(MakeConfirmTab(), QStringLiteral("逐条确认模式"));
  tabs_->addTab(MakeContinuousTab(), QStringLiteral("连续扫描模式"));
  tabs_->addTab(MakeRemindTab(), QStringLiteral("简单提醒模式"));
  tabs_->setCurrentIndex(2);
  connect(tabs_, &QTabWidget::currentChanged, this,
          &PurchasingPage::FocusScanField);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeSettings());
  layout->addWidget(tabs_, 1);
  layout->addWidget(MakeExport());
  layout->addWidget(
      MakeHelpBox(
          "Memo2",
          QStringLiteral(
              "在\"已有数+采购="
              "\"中设定每种书应有的总册数（馆藏已有数加上本次采购数）；"
              "在\"采购ISBN\"中扫描条码，系统按设置自动采购或提示是否已有。每笔"
              "采购"
              "（ISBN和数量）即时存入数据库，断电也不会丢失。误采的书扫入\"剔除"
              "ISBN\""
              "即删除其采购数据。最后用\"存为..."
              "\"指定文件并点\"导出\"：选\"带复本输出\""
              "时每行为\"ISBN 复本数\"，否则为纯ISBN文件。\n"
              "注意：从CNMARC数据导入的ISBN带\"-\"，扫描枪读出的条码不带，"
              "查重前须转换为馆藏数据的格式（默认的第一项即带\"-"
              "\"的10位格式）。\n"
              "逐条确认模式：每扫一本显示已有数、已采购数和建议的本次采购数，"
              "按设置发声提醒，在数量框中输入数量（或直接回车确认）后再扫下一本"
              "。\n"
              "连续扫描模式：系统按总册数自动决定并记录采购数，可连续扫描。\n"
              "简单提醒模式：不采购，只提示该书在馆藏数据中是否已有。")),
      0);
}

PurchasingPage::~PurchasingPage() = default;

QWidget* PurchasingPage::MakeSettings() {
  auto* box = new QGroupBox(QStringLiteral("现采参数"));
  conversion_ = new RadioGroup(
      "RzRadioGroup5", QString(),
      {QStringLiteral("转换为ISBN(10位)/ISSN(8位)带\"-\"符号格式"),
       QStringLiteral("转换为ISBN(10位)/ISSN(8位)不带\"-\"符号"),
       QStringLiteral("转换为13位EAN条形码"),
       QStringLiteral("转换为13位带\"-\"符号格式"),
       QStringLiteral("不作任何转换进行查重")},
      0, 2);
  target_ = new QSpinBox;
  target_->setObjectName("spePnl2");
  target_->setRange(1, 9999);
  target_->setValue(1);
  beep_held_ = new QCheckBox(QStringLiteral("重复时"));
  beep_held_->setObjectName("chkRepeat");
  beep_new_ = new QCheckBox(QStringLiteral("不重复时"));
  beep_new_->setObjectName("chkNotRepeat");

  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(QStringLiteral("已有数 + 采购 =")));
  row->addWidget(target_);
  row->addSpacing(20);
  row->addWidget(new QLabel(QStringLiteral("是否发出声音提醒：")));
  row->addWidget(beep_held_);
  row->addWidget(beep_new_);
  row->addStretch();
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(conversion_);
  layout->addLayout(row);
  return box;
}

QWidget* PurchasingPage::MakeConfirmTab() {
  auto* tab = new QWidget;
  tab->setObjectName("TabSheet1");
  zt_buy_ = MakeScanField("edtZTCG", "lblZTCG", [this] { edtZTCGEnter(); });
  zt_remove_ = MakeScanField("edtZTTC", "lblZTTC", [this] { edtZTTCEnter(); });
  zt_result_ = ResultPanel("pnlZT1", Qt::AlignRight);
  zt_quantity_box_ = new QWidget;
  zt_quantity_box_->setObjectName("pnlZT2");
  zt_quantity_ = new QLineEdit;
  zt_quantity_->setObjectName("edtZTQR");
  zt_quantity_->setMaximumWidth(80);
  QuantityKeys(zt_quantity_, [this] { edtZTQREnter(); });
  auto* quantity_row = new QHBoxLayout(zt_quantity_box_);
  quantity_row->setContentsMargins(0, 0, 0, 0);
  quantity_row->addWidget(zt_quantity_);
  quantity_row->addWidget(new QLabel(QStringLiteral("本。")));
  quantity_row->addStretch();
  zt_quantity_box_->hide();

  auto* grid = new QGridLayout(tab);
  AddScanRow(grid, 0, QStringLiteral("采购ISBN/ISSN"), zt_buy_);
  AddScanRow(grid, 1, QStringLiteral("剔除ISBN/ISSN"), zt_remove_);
  auto* result_row = new QHBoxLayout;
  result_row->addWidget(zt_result_, 1);
  result_row->addWidget(zt_quantity_box_);
  grid->addLayout(result_row, 2, 0, 1, 3);
  grid->setRowStretch(3, 1);
  return tab;
}

QWidget* PurchasingPage::MakeContinuousTab() {
  auto* tab = new QWidget;
  tab->setObjectName("TabSheet2");
  lx_buy_ = MakeScanField("edtLXCG", "lblLXCG", [this] { edtLXCGEnter(); });
  lx_remove_ = MakeScanField("edtLXTC", "lblLXTC", [this] { edtLXTCEnter(); });
  lx_last_code_ = ResultPanel("pnlEndingIsbn", Qt::AlignLeft);
  lx_result_ = ResultPanel("pnlResult", Qt::AlignRight);
  auto* grid = new QGridLayout(tab);
  AddScanRow(grid, 0, QStringLiteral("采购ISBN/ISSN"), lx_buy_);
  AddScanRow(grid, 1, QStringLiteral("剔除ISBN/ISSN"), lx_remove_);
  auto* result_row = new QHBoxLayout;
  result_row->addWidget(lx_last_code_);
  result_row->addWidget(lx_result_, 1);
  grid->addLayout(result_row, 2, 0, 1, 3);
  grid->setRowStretch(3, 1);
  return tab;
}

QWidget* PurchasingPage::MakeRemindTab() {
  auto* tab = new QWidget;
  tab->setObjectName("TabSheet3");
  jd_ = MakeScanField("edtJD", "lblJD", [this] { edtJDEnter(); });
  jd_answer_ = ResultPanel("pnlJD", Qt::AlignLeft);
  auto* grid = new QGridLayout(tab);
  AddScanRow(grid, 0, QStringLiteral("采购ISBN/ISSN"), jd_);
  grid->addWidget(jd_answer_, 1, 0, 1, 3);
  grid->setRowStretch(2, 1);
  return tab;
}

QWidget* PurchasingPage::MakeExport() {
  auto* box = new QGroupBox(QStringLiteral("将现采结果输出"));
  auto* grid = new QGridLayout(box);
  isbn_file_ = AddFileRow(grid, 0, QStringLiteral("ISBN文件"),
                          "edtFileName_Pn2_ISBN", "RzButton2",
                          QStringLiteral("存为..."), dialogs::kSaveIsbnOrMarc);
  export_ = MakeStartButton("RzButton8", QStringLiteral("导出"));
  with_copies_ = new QCheckBox(QStringLiteral("带复本输出"));
  with_copies_->setObjectName("chkPnl23");
  export_bar_ = new QProgressBar;
  export_bar_->setObjectName("RzProgressBar3");
  export_bar_->hide();
  export_total_ = new QLabel(QStringLiteral("共  条"));
  export_total_->setObjectName("lblPrompt3");
  export_total_->hide();
  grid->addWidget(export_, 0, 3);
  grid->addWidget(with_copies_, 1, 0);
  grid->addWidget(export_total_, 1, 1);
  grid->addWidget(export_bar_, 1, 2);
  export_runner_ = std::make_unique<OperationRunner>(this, export_, export_bar_,
                                                     export_total_);
  export_runner_->MapInput("isbn_file", isbn_file_);
  connect(export_, &QPushButton::clicked, this,
          &PurchasingPage::RzButton8Click);
  return box;
}

bool PurchasingPage::Ready() {
  if (confirm_) return true;
  TMainData* database = context_.RequireData(this);
  if (!database) return false;
  confirm_ = std::make_unique<ConfirmTab>(*database, settings_);
  continuous_ = std::make_unique<ContinuousTab>(*database, settings_);
  remind_ = std::make_unique<RemindTab>(*database, settings_);
  return true;
}

void PurchasingPage::ReadSettings() {
  settings_.conversion = conversion_->itemIndex();
  settings_.target = target_->value();
  settings_.beep_held = beep_held_->isChecked();
  settings_.beep_new = beep_new_->isChecked();
}

void PurchasingPage::Apply(const ScanField& field, const ScanEffect& effect) {
  field.edit->setText(FromGbk(effect.field_text));
  field.invalid->setVisible(effect.invalid);
  if (effect.beep) Beeps().Beep();
  ShowPanels();
}

void PurchasingPage::ShowPanels() {
  Show(zt_result_, confirm_->result());
  zt_quantity_box_->setVisible(confirm_->quantity_visible());
  zt_quantity_->setText(QString::fromStdString(confirm_->quantity()));
  Show(lx_last_code_, continuous_->last_code());
  Show(lx_result_, continuous_->result());
  Show(jd_answer_, remind_->answer());
}

bool PurchasingPage::Guarded(const std::function<void()>& scan) {
  try {
    scan();
    return true;
  } catch (const std::exception& error) {
    Messages().Error(this, QString::fromStdString(error.what()));
    return false;
  }
}

void PurchasingPage::edtZTCGEnter() {
  if (!Ready()) return;
  ReadSettings();
  std::optional<ScanEffect> effect;
  if (!Guarded([&] {
        effect = confirm_->PurchaseScan(ToGbk(zt_buy_.edit->text()));
      })) {
    return;
  }
  if (!effect) return;
  Apply(zt_buy_, *effect);
  if (confirm_->quantity_visible()) {
    zt_quantity_->setFocus();
    zt_quantity_->selectAll();
  }
}

void PurchasingPage::edtZTQREnter() {
  if (!Ready()) return;
  Guarded([&] {
    confirm_->ConfirmQuantity(zt_quantity_->text().toStdString(),
                              ToGbk(zt_buy_.edit->text()));
  });
  ShowPanels();
  zt_buy_.edit->setFocus();
  zt_buy_.edit->selectAll();
}

void PurchasingPage::edtZTTCEnter() {
  RunScan(zt_remove_, [this](const std::string& text) {
    return confirm_->RemovalScan(text);
  });
}

void PurchasingPage::edtLXCGEnter() {
  RunScan(lx_buy_, [this](const std::string& text) {
    return continuous_->PurchaseScan(text);
  });
}

void PurchasingPage::edtLXTCEnter() {
  RunScan(lx_remove_, [this](const std::string& text) {
    return continuous_->RemovalScan(text);
  });
}

void PurchasingPage::edtJDEnter() {
  RunScan(jd_, [this](const std::string& text) { return remind_->Scan(text); });
}

void PurchasingPage::RunScan(
    const ScanField& field,
    const std::function<std::optional<ScanEffect>(const std::string&)>& scan) {
  if (!Ready()) return;
  ReadSettings();
  std::optional<ScanEffect> effect;
  Guarded([&] { effect = scan(ToGbk(field.edit->text())); });
  if (effect) Apply(field, *effect);
  field.edit->selectAll();
}

void PurchasingPage::RzButton8Click() {
  TMainData* database = context_.RequireData(this);
  if (!database) return;
  PurchaseExportOptions options{ToPath(isbn_file_->text()),
                                with_copies_->isChecked()
                                    ? PurchaseLine::kCodeSpaceCopies
                                    : PurchaseLine::kCodeOnly};
  export_runner_->Run<PurchaseExportResult>([&](OperationHost& host) {
    return RunPurchaseExport(options, *database, host);
  });
}

}  // namespace veltrane::app
