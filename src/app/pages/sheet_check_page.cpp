#include "app/pages/sheet_check_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/messages.h"
#include "app/page_layout.h"
#include "app/radio_group.h"
#include "app/sheet_grids.h"
#include "app/text_codec.h"
#include "ops/sheet_check.h"
#include "ops/sheet_lists.h"
#include "sheet/workbook_io.h"

namespace veltrane::app {
namespace {

QStringList NamesOf(ListModel* list) {
  QStringList names;
  for (const std::string& name : ColumnNames(list->grid())) {
    names << QString::fromStdString(name);
  }
  return names;
}

}  // namespace

SheetCheckPage::SheetCheckPage(const PageContext& context, QWidget* parent)
    : QWidget(parent),
      start_(MakeStartButton("RzButton47", QStringLiteral("开  始"))),
      runner_(this, start_, context.progress_bar) {
  auto* sides = new QHBoxLayout;
  sides->addWidget(MakeSide(QStringLiteral("指定采购方EXCEL文件:"), "RzEdit5",
                            "RzButton10", "chk5", "asg5", buyer_file_,
                            buyer_heading_, buyer_, 0));
  sides->addWidget(MakeSide(QStringLiteral("指定供应方EXCEL文件:"), "RzEdit6",
                            "RzButton18", "chk6", "asg6", supplier_file_,
                            supplier_heading_, supplier_, 1));

  auto* match = new QGroupBox(QStringLiteral("匹配字段"));
  pairs_ = MakeSettingsTable(
      "asg7", {QStringLiteral("采购方字段"), QStringLiteral("供应方字段")}, 4);
  pairs_->setItemDelegateForColumn(
      0, new ColumnNameDelegate(pairs_, [this] { return NamesOf(buyer_); }));
  pairs_->setItemDelegateForColumn(
      1, new ColumnNameDelegate(pairs_, [this] { return NamesOf(supplier_); }));
  auto* add = MakeButton("RzButton45", QStringLiteral("增加一行"));
  auto* remove = MakeButton("RzButton46", QStringLiteral("删除当前行"));
  connect(add, &QPushButton::clicked, this, [this] { AddTableRow(pairs_); });
  connect(remove, &QPushButton::clicked, this,
          [this] { DeleteTableRow(pairs_); });
  mode_ = new RadioGroup("rdgExcel", QString(),
                         {QStringLiteral("或"), QStringLiteral("且")}, 1, 2);
  sorted_ = new QCheckBox(
      QStringLiteral("“采购”“供应”双方的EXCEL文件已经按匹配字段进行排序"));
  sorted_->setObjectName("chkOrder");
  sorted_->setToolTip(QStringLiteral(
      "为了加快查重的速度，请先排序，再打开EXCEL文件。\n"
      "双方的EXCEL文件须按相同的匹配字段、相同的先后次序、相同的方向（同为"
      "升序或同为降序）排序，\n例如：采购方按ISBN、书名排序，供应方就按对应"
      "的条码、图书名称排序。"));
  auto* match_layout = new QGridLayout(match);
  match_layout->addWidget(pairs_, 0, 0, 3, 1);
  match_layout->addWidget(add, 0, 1);
  match_layout->addWidget(remove, 1, 1);
  match_layout->addWidget(mode_, 3, 0);
  match_layout->addWidget(sorted_, 4, 0, 1, 2);

  auto* output = new QGridLayout;
  result_file_ = AddFileRow(output, 0, QStringLiteral("查重结果:"), "RzEdit4",
                            "RzButton7", QStringLiteral("存为..."),
                            dialogs::kSaveSheet);
  mark_sources_ =
      new QCheckBox(QStringLiteral("在双方原文件上增加字段标记并保存"));
  mark_sources_->setObjectName("RzCheckBox1");
  abort_ = new QCheckBox(QStringLiteral("停止"));
  abort_->setObjectName("chkAbort");
  abort_->hide();
  auto* start_row = new QHBoxLayout;
  start_row->addWidget(mark_sources_);
  start_row->addStretch();
  start_row->addWidget(abort_);
  start_row->addWidget(start_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(sides, 1);
  layout->addWidget(match);
  layout->addLayout(output);
  layout->addLayout(start_row);
  connect(start_, &QPushButton::clicked, this, &SheetCheckPage::RzButton47Click);
  runner_.MapInput("result_file", result_file_);
  runner_.SetStopCheck([this] { return abort_->isChecked(); });
}

QWidget* SheetCheckPage::MakeSide(const QString& caption, const char* edit_name,
                                  const char* button_name,
                                  const char* check_name, const char* grid_name,
                                  QLineEdit*& edit, QCheckBox*& heading,
                                  ListModel*& model, int pair_column) {
  auto* box = new QWidget;
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(new QLabel(caption), 0, 0, 1, 2);
  edit = new QLineEdit;
  edit->setObjectName(edit_name);
  auto* open = MakeButton(button_name, QStringLiteral("打开..."));
  grid->addWidget(edit, 1, 0);
  grid->addWidget(open, 1, 1);
  heading = new QCheckBox(QStringLiteral("第一行包含字段名称"));
  heading->setObjectName(check_name);
  heading->setChecked(true);
  grid->addWidget(heading, 2, 0, 1, 2);
  model = new ListModel(box);
  auto* view = new QTableView;
  view->setObjectName(grid_name);
  view->setModel(model);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->addWidget(view, 3, 0, 1, 2);
  connect(open, &QPushButton::clicked, this, [=, this] {
    std::optional<QString> name = Files().Choose(this, dialogs::kOpenSheet);
    if (!name) return;
    edit->setText(*name);
    OpenList(edit, model, pair_column);
  });
  return box;
}

void SheetCheckPage::OpenList(QLineEdit* edit, ListModel* model,
                              int pair_column) {
  OpenWorkbook(this, edit->text(), [&](const std::string& path) {
    for (int row = 0; row < pairs_->rowCount(); ++row) {
      pairs_->setItem(row, pair_column, new QTableWidgetItem);
    }
    model->Show(Grid());
    model->Show(LoadGridFromWorkbook(path));
  });
}

void SheetCheckPage::RzButton47Click() {
  SheetCheckOptions options;
  options.buyer_file = ToPath(buyer_file_->text());
  options.supplier_file = ToPath(supplier_file_->text());
  options.buyer_heading = buyer_heading_->isChecked();
  options.supplier_heading = supplier_heading_->isChecked();
  for (int row = 0; row < pairs_->rowCount(); ++row) {
    const QTableWidgetItem* b = pairs_->item(row, 0);
    const QTableWidgetItem* s = pairs_->item(row, 1);
    if (b && s && !b->text().isEmpty() && !s->text().isEmpty()) {
      options.pairs.push_back({b->data(Qt::UserRole).value<size_t>(),
                               s->data(Qt::UserRole).value<size_t>()});
    }
  }
  options.any = mode_->itemIndex() == 0;
  options.sorted = sorted_->isChecked();
  options.result_file = ToPath(result_file_->text());
  options.mark_sources = mark_sources_->isChecked();
  abort_->setChecked(false);
  abort_->show();
  runner_.Run<SheetCheckResult>([&](OperationHost& host) {
    return RunSheetCheck(options, buyer_->grid(), supplier_->grid(), host);
  });
  abort_->hide();
  abort_->setChecked(false);
  buyer_->Changed();
  supplier_->Changed();
}

}  // namespace veltrane::app
