#include "app/pages/maintenance_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/cursor_table_model.h"
#include "app/file_dialogs.h"
#include "app/key_filters.h"
#include "app/messages.h"
#include "app/operation_runner.h"
#include "app/page_layout.h"
#include "app/text_codec.h"
#include "db/main_data.h"
#include "ops/purchase_data.h"
#include "ops/purchase_sheet_export.h"

namespace veltrane::app {
namespace {

QTableView* Grid(const char* name, CursorTableModel* model) {
  auto* grid = new QTableView;
  grid->setObjectName(name);
  grid->setModel(model);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->verticalHeader()->hide();
  grid->horizontalHeader()->setStretchLastSection(true);
  QObject::connect(grid->selectionModel(),
                   &QItemSelectionModel::currentRowChanged, model,
                   [model](const QModelIndex& now, const QModelIndex& before) {
                     if (now.row() != before.row()) model->PostPending();
                   });
  return grid;
}

// A "将...重新设为：" or "统一增减：" row: its number edit and button.
struct NumberRow {
  QLineEdit* edit;
  QPushButton* button;
};

NumberRow AddNumberRow(QGridLayout* grid, int row, const QString& label,
                       const char* edit_name, const char* button_name,
                       const QString& caption) {
  NumberRow result{new QLineEdit, MakeButton(button_name, caption)};
  result.edit->setObjectName(edit_name);
  result.edit->setMaximumWidth(60);
  NumKeyPress(result.edit);
  grid->addWidget(new QLabel(label), row, 0);
  grid->addWidget(result.edit, row, 1);
  grid->addWidget(new QLabel(QStringLiteral("本")), row, 2);
  grid->addWidget(result.button, row, 3);
  grid->setColumnStretch(4, 1);
  return result;
}

}  // namespace

MaintenancePage::MaintenancePage(const PageContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      tabs_(new QTabWidget),
      buyer_model_(new CursorTableModel(kBuyerGrid, this)),
      purchase_model_(new CursorTableModel(kPurchaseGrid, this)) {
  tabs_->setObjectName("RzPageControl3");
  tabs_->addTab(MakeBuyerTab(), QStringLiteral("浏览采购方数据"));
  tabs_->addTab(MakePurchaseTab(), QStringLiteral("浏览现采数据"));
  tabs_->setCurrentIndex(1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addWidget(MakeHelpBox(
      "Memo6", QStringLiteral("维护导入的采购方数据和现场采购数据：清空、浏览、"
                              "批量修改复本数或采购数量。表格中修改的内容在离开"
                              "该行时存入数据库。")));
}

QWidget* MaintenancePage::MakeTableTab(const TableTab& names,
                                       CursorTableModel* model,
                                       QTableView*& grid, QLayout* buttons) {
  auto* tab = new QWidget;
  tab->setObjectName(names.tab);
  grid = Grid(names.grid, model);
  auto* controls = new QGridLayout;
  NumberRow set = AddNumberRow(controls, 0, names.set_label, names.set_edit,
                               names.set_button, QStringLiteral("设置"));
  NumberRow shift =
      AddNumberRow(controls, 1, names.shift_label, names.shift_edit,
                   names.shift_button, QStringLiteral("增减"));
  controls->addLayout(buttons, 2, 0, 1, 5);
  connect(set.button, &QPushButton::clicked, this, [this, set, model] {
    int64_t number = EditNumber(set.edit->text().toStdString());
    Change(model, [number](TableCursor& t) { SetAllCopies(t, number); });
  });
  connect(shift.button, &QPushButton::clicked, this, [this, shift, model] {
    int64_t number = EditNumber(shift.edit->text().toStdString());
    Change(model, [number](TableCursor& t) { ShiftAllCopies(t, number); });
  });

  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(grid, 1);
  layout->addLayout(controls);
  return tab;
}

QWidget* MaintenancePage::MakeBuyerTab() {
  auto* clear = MakeButton("RzButton28", QStringLiteral("清空所有采购方数据"));
  connect(clear, &QPushButton::clicked, this, [this] { Clear(true); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(clear);
  return MakeTableTab(
      {"TabSheet4", "DBGrid1", QStringLiteral("将采购方复本重新设为："),
       "RzEdit28", "RzButton4", QStringLiteral("将采购方复本统一增减："),
       "RzEdit29", "RzButton48"},
      buyer_model_, buyer_grid_, buttons);
}

QWidget* MaintenancePage::MakePurchaseTab() {
  auto* delete_row = MakeButton("RzButton51", QStringLiteral("<<删除当前行"));
  auto* clear = MakeButton("RzButton32", QStringLiteral("*清空所有现采数据"));
  auto* delete_zero =
      MakeButton("RzButton58", QStringLiteral("删除所有数量为零的行"));
  auto* export_text = MakeButton("RzButton59", QStringLiteral("导出文本 >>>"));
  auto* export_sheet =
      MakeButton("RzButton60", QStringLiteral("导出EXCEL >>>"));
  auto* buttons = new QGridLayout;
  buttons->addWidget(delete_row, 0, 0);
  buttons->addWidget(delete_zero, 0, 1);
  buttons->addWidget(clear, 0, 2);
  buttons->addWidget(export_text, 1, 1);
  buttons->addWidget(export_sheet, 1, 2);

  connect(delete_row, &QPushButton::clicked, this,
          &MaintenancePage::RzButton51Click);
  connect(clear, &QPushButton::clicked, this, [this] { Clear(false); });
  connect(delete_zero, &QPushButton::clicked, this, [this] {
    Change(purchase_model_, [](TableCursor& t) { DeleteZeroQuantityRows(t); });
  });
  connect(export_text, &QPushButton::clicked, this,
          &MaintenancePage::RzButton59Click);
  connect(export_sheet, &QPushButton::clicked, this,
          &MaintenancePage::RzButton60Click);
  return MakeTableTab(
      {"TabSheet5", "DBGrid2", QStringLiteral("将采购数量重新设为："),
       "RzEdit30", "RzButton49", QStringLiteral("将采购数量统一增减："),
       "RzEdit31", "RzButton50"},
      purchase_model_, purchase_grid_, buttons);
}

void MaintenancePage::Refresh() {
  TMainData* database = context_.data ? context_.data() : nullptr;
  try {
    if (!database) {
      buyer_model_->Show(nullptr);
      purchase_model_->Show(nullptr);
      return;
    }
    buyer_model_->Show(&database->BuyerTable());
    purchase_model_->Show(&database->LocaleTable());
  } catch (const std::exception& error) {
    Messages().Error(this, QString::fromStdString(error.what()));
  }
}

void MaintenancePage::hideEvent(QHideEvent* event) {
  try {
    buyer_model_->PostPending();
    purchase_model_->PostPending();
  } catch (const std::exception& error) {
    Messages().Error(this, QString::fromStdString(error.what()));
  }
  QWidget::hideEvent(event);
}

void MaintenancePage::Change(CursorTableModel* model,
                             const std::function<void(TableCursor&)>& change) {
  TMainData* database = context_.RequireData(this);
  if (!database) return;
  try {
    model->PostPending();
    if (model->cursor()) {
      TMainData::Batch batch(*database);  // one commit, not one per row
      change(*model->cursor());
      batch.Commit();
    }
    model->Refresh();
  } catch (const std::exception& error) {
    Messages().Error(this, QString::fromStdString(error.what()));
  }
}

void MaintenancePage::Clear(bool buyer) {
  TMainData* database = context_.RequireData(this);
  if (!database) return;
  CursorTableModel* model = buyer ? buyer_model_ : purchase_model_;
  int64_t rows = model->rowCount();
  if (rows == 0) return;
  std::string question =
      buyer ? ClearBuyerQuestion(rows) : ClearPurchaseQuestion(rows);
  if (!Messages().Question(this, QString::fromStdString(question))) return;
  try {
    std::optional<std::string> done =
        buyer ? ClearBuyerData(*database) : ClearPurchaseData(*database);
    model->Refresh();
    if (done) Messages().Information(this, QString::fromStdString(*done));
  } catch (const std::exception& error) {
    Messages().Error(this, QString::fromStdString(error.what()));
  }
}

void MaintenancePage::RzButton51Click() {
  const int row = purchase_grid_->currentIndex().row();
  if (row < 0) return;  // no current row: nothing to delete
  Change(purchase_model_, [row](TableCursor& table) {
    table.MoveTo(row);
    DeleteCurrentRow(table);
  });
  // The next row, or the last, is current and visibly selected.
  const int rows = purchase_model_->rowCount();
  if (rows == 0) return;
  purchase_grid_->setCurrentIndex(
      purchase_model_->index(std::min(row, rows - 1), 0));
  purchase_grid_->selectRow(std::min(row, rows - 1));
}

void MaintenancePage::ExportPurchases(
    const FileDialogSpec& spec,
    const std::function<void(const std::string&, TMainData&,
                             OperationRunner&)>& run) {
  TMainData* database = context_.RequireData(this);
  if (!database) return;
  if (purchase_model_->rowCount() == 0) {
    Messages().Information(this, QStringLiteral("现采数据为空，没有可导出的数据。"));
    return;
  }
  std::optional<QString> name = Files().Choose(this, spec);
  if (!name) return;
  try {
    purchase_model_->PostPending();
  } catch (const std::exception& error) {
    Messages().Error(this, QString::fromStdString(error.what()));
    return;
  }
  OperationRunner runner(this, nullptr, context_.progress_bar);
  run(ToPath(*name), *database, runner);
  purchase_model_->Refresh();
}

void MaintenancePage::RzButton59Click() {
  ExportPurchases(dialogs::kSaveIsbnOrMarc, [](const std::string& path,
                                               TMainData& database,
                                               OperationRunner& runner) {
    runner.Run<PurchaseExportResult>([&](OperationHost& host) {
      return RunPurchaseExport({path, PurchaseLine::kCodeTwoSpacesCopies},
                               database, host);
    });
  });
}

void MaintenancePage::RzButton60Click() {
  ExportPurchases(dialogs::kSaveSheet, [](const std::string& path,
                                          TMainData& database,
                                          OperationRunner& runner) {
    runner.Run<PurchaseSheetExportResult>([&](OperationHost& host) {
      return RunPurchaseSheetExport({path}, database, host);
    });
  });
}

}  // namespace veltrane::app
