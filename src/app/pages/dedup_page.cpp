#include "app/pages/dedup_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/key_filters.h"
#include "app/page_layout.h"
#include "app/radio_group.h"
#include "app/text_codec.h"
#include "ops/dedup.h"
#include "ops/marc_check.h"

namespace veltrane::app {

DedupPage::DedupPage(const PageContext& context, QWidget* parent)
    : QWidget(parent),
      marc_start_(MakeStartButton("RzButton55", QStringLiteral("开  始"))),
      isbn_start_(MakeStartButton("RzButton54", QStringLiteral("开  始"))),
      marc_runner_(this, marc_start_, context.progress_bar),
      isbn_runner_(this, isbn_start_, context.progress_bar) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeMarcHalf());
  layout->addWidget(MakeIsbnHalf());
  layout->addStretch();
  layout->addWidget(MakeHelpBox(
      "Memo11",
      QStringLiteral("数据去重：去掉MARC文件或ISBN文件中重复的记录（行），"
                     "使文件中所有的记录都是唯一的。\n"
                     "每条记录（行）只保留第一次出现的，追加到去重后的文件中；"
                     "去重后的文件中原有的记录（行）也算已保留的。")));
  marc_runner_.MapInput("marc_file", marc_file_);
  marc_runner_.MapInput("fields", fields_);
  marc_runner_.MapInput("result_file", marc_result_);
  isbn_runner_.MapInput("isbn_file", isbn_file_);
  isbn_runner_.MapInput("result_file", isbn_result_);
}

QWidget* DedupPage::MakeMarcHalf() {
  auto* box = new QGroupBox(QStringLiteral("对MARC文件去重："));
  auto* grid = new QGridLayout(box);
  marc_file_ =
      AddFileRow(grid, 0, QStringLiteral("原始MARC文件："), "RzEdit32",
                 "RzButton52", QStringLiteral("浏览..."), dialogs::kOpenMarc);
  marc_result_ = AddFileRow(grid, 1, QStringLiteral("去重后MARC文件："),
                            "RzEdit33", "RzButton53", QStringLiteral("存为..."),
                            dialogs::kSaveMarcOnly);
  rule_ = new RadioGroup("RzRadioGroup4", QString(),
                         {QStringLiteral("只有双方MARC记录完全一致才认为重复"),
                          QStringLiteral("只要这些字段："),
                          QStringLiteral("只要010a（ISBN）相同就认为重复")},
                         0, 2);
  grid->addWidget(rule_, 2, 0, 1, 3);
  fields_ = new QLineEdit(QStringLiteral("200a,010a,010d"));
  fields_->setObjectName("RzEdit36");
  FieldListKeyPress(fields_);
  threshold_ = new QSpinBox;
  threshold_->setObjectName("RzSpinEdit2");
  threshold_->setRange(1, 10);
  threshold_->setValue(3);
  field_controls_ = {fields_, new QLabel(QStringLiteral("(逗号分割)，中")),
                     new QLabel(QStringLiteral("有")), threshold_,
                     new QLabel(QStringLiteral("个字段匹配即认为重复"))};
  auto* fields_row = new QHBoxLayout;
  for (QWidget* widget : field_controls_) fields_row->addWidget(widget);
  fields_row->addStretch();
  grid->addLayout(fields_row, 3, 0, 1, 3);
  isbn_keys_ = new QCheckBox(QStringLiteral(
      "对ISBN格式进行转换计算后再确认是否相同（非直接字符串对比）"));
  isbn_keys_->setObjectName("chkConvISBN12");
  grid->addWidget(isbn_keys_, 4, 0, 1, 2);
  grid->addWidget(marc_start_, 4, 2);
  RzRadioGroup4Click(0);
  connect(rule_, &RadioGroup::itemIndexChanged, this,
          &DedupPage::RzRadioGroup4Click);
  connect(marc_start_, &QPushButton::clicked, this,
          &DedupPage::RzButton55Click);
  return box;
}

QWidget* DedupPage::MakeIsbnHalf() {
  auto* box = new QGroupBox(QStringLiteral("对ISBN文件去重："));
  auto* grid = new QGridLayout(box);
  isbn_file_ =
      AddFileRow(grid, 0, QStringLiteral("原始ISBN文件："), "RzEdit35",
                 "RzButton57", QStringLiteral("浏览..."), dialogs::kOpenIsbn);
  isbn_file_->setToolTip(QStringLiteral("请指定原始ISBN文件"));
  isbn_result_ =
      AddFileRow(grid, 1, QStringLiteral("去重后ISBN文件："), "RzEdit34",
                 "RzButton56", QStringLiteral("存为..."), dialogs::kSaveIsbn);
  grid->addWidget(isbn_start_, 2, 2);
  connect(isbn_start_, &QPushButton::clicked, this,
          &DedupPage::RzButton54Click);
  return box;
}

void DedupPage::RzRadioGroup4Click(int item) {
  for (QWidget* widget : field_controls_) widget->setEnabled(item == 1);
}

void DedupPage::RzButton55Click() {
  DedupMarcOptions options;
  options.marc_file = ToPath(marc_file_->text());
  options.result_file = ToPath(marc_result_->text());
  options.rule = static_cast<MatchRule>(rule_->itemIndex());
  options.fields = fields_->text().toStdString();
  if (options.rule == MatchRule::ListedFields) {  // shown as the run uses it
    fields_->setText(QString::fromStdString(CleanFieldList(options.fields)));
  }
  options.threshold = threshold_->value();
  options.isbn_keys = isbn_keys_->isChecked();
  marc_runner_.Run<DedupResult>(
      [&](OperationHost& host) { return RunDedupMarc(options, host); });
}

void DedupPage::RzButton54Click() {
  DedupIsbnOptions options{ToPath(isbn_file_->text()),
                           ToPath(isbn_result_->text())};
  isbn_runner_.Run<DedupResult>(
      [&](OperationHost& host) { return RunDedupIsbn(options, host); });
}

}  // namespace veltrane::app
