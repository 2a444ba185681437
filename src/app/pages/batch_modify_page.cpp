#include "app/pages/batch_modify_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/batch_rule_editors.h"
#include "app/file_dialogs.h"
#include "app/messages.h"
#include "app/page_layout.h"
#include "app/sheet_grids.h"
#include "app/text_codec.h"
#include "ops/batch_modify.h"
#include "ops/input_checks.h"
#include "sheet/grid_cell_file.h"

namespace veltrane::app {
namespace {

const QString kHelp = QStringLiteral(
    "对MARC文件中的每条记录，按表格中的内容逐行修改字段，修改后的记录写入新文件"
    "。\n"
    "例1：增加字段801，指示符0，内容：■aCN■b某某图书馆■c20240101\n"
    "例2：增加子字段210c，内容为出版社名称，如：某某出版社\n"
    "例3：修改101a，指示符0，内容：chi\n"
    "例4：删除905a\n"
    "例5：删除字段-01（某些图书馆系统写入的自定义字段）\n"
    "在“内容”中按反斜杠键“\\”输入子字段符“■”。\n"
    "表格内容可以保存到文件，下次从文件载入，不必重新输入。\n"
    "表格中的各行按顺序执行，对同一字段有多行操作时，以最后一行的结果为准。");

}  // namespace

BatchModifyPage::BatchModifyPage(const PageContext& context, QWidget* parent)
    : QWidget(parent),
      start_(MakeStartButton("RzButton37", QStringLiteral("开  始"))),
      runner_(this, start_, context.progress_bar) {
  auto* files = new QGridLayout;
  marc_file_ =
      AddFileRow(files, 0, QStringLiteral("原始MARC文件："), "RzEdit8",
                 "RzButton34", QStringLiteral("浏览..."), dialogs::kOpenMarc);
  output_file_ =
      AddFileRow(files, 1, QStringLiteral("修改后的文件："), "RzEdit9",
                 "RzButton35", QStringLiteral("另存..."), dialogs::kSaveMarc);

  renumber_ = new QCheckBox(QStringLiteral(
      "905b（登录号）根据给定起始号和905f（复本数）重新自动生成。"));
  renumber_->setObjectName("CheckBox3");
  start_label_ = new QLabel(QStringLiteral("起始号："));
  start_label_->setObjectName("RzLabel78");
  start_number_ = new QLineEdit;
  start_number_->setObjectName("RzEdit49");
  CheckBox3Click();
  auto* renumber_row = new QHBoxLayout;
  renumber_row->addWidget(renumber_);
  renumber_row->addWidget(start_label_);
  renumber_row->addWidget(start_number_);
  renumber_row->addStretch();
  add_missing_ = new QCheckBox(QStringLiteral(
      "操作是“修改”时，“字段”在原始MARC文件中不存在，采取增加处理    "
      "(默认是只有原字段有内容，才会修改，如果不存原字段，则放弃修改)。"));
  add_missing_->setObjectName("chkModif_Mode");
  auto* start_row = new QHBoxLayout;
  start_row->addStretch();
  start_row->addWidget(start_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(files);
  layout->addWidget(MakeTable());
  layout->addLayout(renumber_row);
  layout->addWidget(add_missing_);
  layout->addLayout(start_row);
  layout->addWidget(MakeHelpBox("Memo9", kHelp));

  connect(renumber_, &QCheckBox::toggled, this,
          &BatchModifyPage::CheckBox3Click);
  connect(start_, &QPushButton::clicked, this,
          &BatchModifyPage::RzButton37Click);
  runner_.MapInput("marc_file", marc_file_);
  runner_.MapInput("output_file", output_file_);
  runner_.MapInput("start_number", start_number_);
}

QWidget* BatchModifyPage::MakeTable() {
  auto* box = new QGroupBox(QStringLiteral("修改内容:"));
  rules_ = MakeSettingsTable("asg",
                             {QStringLiteral("字段"), QStringLiteral("操作"),
                              QStringLiteral("指示符"), QStringLiteral("内容")},
                             7);
  const int widths[] = {48, 53, 46, 197};
  for (int column = 0; column < 4; ++column) {
    rules_->setColumnWidth(column, widths[column]);
  }
  InstallBatchRuleEditors(rules_);
  QPushButton* add = MakeButton("RzButton36", QStringLiteral("增加一行"));
  QPushButton* remove = MakeButton("RzButton38", QStringLiteral("删除本行"));
  QPushButton* save =
      MakeButton("RzButton39", QStringLiteral("保存内容至文件"));
  QPushButton* load =
      MakeButton("RzButton40", QStringLiteral("从文件载入内容"));
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {add, remove, save, load}) {
    buttons->addWidget(button);
  }
  buttons->addStretch();
  auto* row = new QHBoxLayout(box);
  row->addWidget(rules_);
  row->addLayout(buttons);
  connect(add, &QPushButton::clicked, this, [this] { AddTableRow(rules_); });
  connect(remove, &QPushButton::clicked, this,
          [this] { DeleteTableRow(rules_); });
  connect(save, &QPushButton::clicked, this, &BatchModifyPage::RzButton39Click);
  connect(load, &QPushButton::clicked, this, &BatchModifyPage::RzButton40Click);
  return box;
}

void BatchModifyPage::RzButton39Click() {
  std::optional<QString> name = Files().Choose(this, dialogs::kSaveSettings);
  if (!name) return;
  try {
    SaveGridCellFile(GridOfTable(rules_), ToPath(*name));
  } catch (const GridFileError& error) {
    Messages().Error(this, QString::fromStdString(error.what()));
  }
}

void BatchModifyPage::RzButton40Click() {
  std::optional<QString> name = Files().Choose(this, dialogs::kOpenSettings);
  if (!name || !IsExistingFile(ToPath(*name))) return;
  try {
    ShowGridInTable(LoadGridCellFile(ToPath(*name)), rules_);
    ShadeIndicatorCells(rules_);
  } catch (const GridFileError& error) {
    Messages().Error(this, QString::fromStdString(error.what()));
  }
}

void BatchModifyPage::CheckBox3Click() {
  start_label_->setEnabled(renumber_->isChecked());
  start_number_->setEnabled(renumber_->isChecked());
}

void BatchModifyPage::RzButton37Click() {
  BatchModifyOptions options;
  options.marc_file = ToPath(marc_file_->text());
  options.output_file = ToPath(output_file_->text());
  options.rules = BatchRulesFromGrid(GridOfTable(rules_));
  options.renumber = renumber_->isChecked();
  options.start_number = ToGbk(start_number_->text());
  options.add_when_missing = add_missing_->isChecked();
  std::optional<BatchModifyResult> result = runner_.Run<BatchModifyResult>(
      [&](OperationHost& host) { return RunBatchModify(options, host); });
  if (result && options.renumber) {
    start_number_->setText(FromGbk(result->counter));
  }
}

}  // namespace veltrane::app
