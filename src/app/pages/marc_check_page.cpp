#include "app/pages/marc_check_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/key_filters.h"
#include "app/messages.h"
#include "app/page_layout.h"
#include "app/radio_group.h"
#include "app/text_codec.h"
#include "db/main_data.h"
#include "ops/marc_check.h"

namespace veltrane::app {

MarcCheckPage::MarcCheckPage(const PageContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      start_(MakeStartButton("RzButton14", QStringLiteral("开  始"))),
      runner_(this, start_, context.progress_bar) {
  auto* start_row = new QHBoxLayout;
  start_row->addStretch();
  start_row->addWidget(start_);
  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(4);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(MakeSources());
  layout->addWidget(MakeRule());
  layout->addWidget(MakeOutputs());
  layout->addLayout(start_row);
  // The page is dense: keep its groups tight so nothing is squeezed.
  for (QGroupBox* group : findChildren<QGroupBox*>()) {
    if (QLayout* inner = group->layout()) {
      inner->setContentsMargins(6, 2, 6, 2);
      inner->setSpacing(2);
    }
  }
  connect(start_, &QPushButton::clicked, this, &MarcCheckPage::RzButton14Click);
  runner_.MapInput("buyer_file", buyer_file_);
  runner_.MapInput("supplier_file", supplier_file_);
  runner_.MapInput("fields", fields_);
}

QWidget* MarcCheckPage::MakeSources() {
  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* buyer_box = new QGroupBox(QStringLiteral("指定采购方数据源"));
  buyer_source_ = new RadioGroup(
      "RzRadioGroup2", QString(),
      {QStringLiteral("使用“现场采购”模块导入的采购方MARC数据作为数据源"),
       QStringLiteral("使用指定的MARC文件作为数据源")},
      -1);
  auto* buyer_grid = new QGridLayout(buyer_box);
  buyer_grid->addWidget(buyer_source_, 0, 0, 1, 3);
  buyer_file_ = AddFileRow(buyer_grid, 1, QString(), "RzEdit14", "RzButton15",
                           QStringLiteral("浏览..."), dialogs::kOpenMarc);
  buyer_browse_ = buyer_box->findChild<QPushButton*>("RzButton15");
  buyer_file_->setEnabled(false);
  buyer_browse_->setEnabled(false);
  connect(buyer_source_, &RadioGroup::itemIndexChanged, this,
          &MarcCheckPage::RzRadioGroup2Click);

  auto* supplier_box =
      new QGroupBox(QStringLiteral("指定供应商数据源(MARC文件)"));
  supplier_box->setObjectName("RzRadioGroup1");
  auto* supplier_grid = new QGridLayout(supplier_box);
  supplier_file_ =
      AddFileRow(supplier_grid, 0, QString(), "RzEdit10", "RzButton13",
                 QStringLiteral("浏览..."), dialogs::kOpenMarc);

  layout->addWidget(buyer_box);
  layout->addWidget(supplier_box);
  return box;
}

QWidget* MarcCheckPage::MakeRule() {
  auto* box = new QGroupBox;
  rule_ = new RadioGroup("RzRadioGroup3", QString(),
                         {QStringLiteral("只有双方MARC记录完全一致才认为重复"),
                          QStringLiteral("只要这些字段："),
                          QStringLiteral("只要ISBN相同就认为重复")},
                         0, 2);
  fields_ = new QLineEdit(QStringLiteral("200a,010a,010d"));
  fields_->setObjectName("RzEdit12");
  FieldListKeyPress(fields_);
  threshold_ = new QSpinBox;
  threshold_->setObjectName("RzSpinEdit1");
  threshold_->setRange(1, 10);
  threshold_->setValue(3);
  auto* before = new QLabel(QStringLiteral("(逗号分割)，中"));
  auto* middle = new QLabel(QStringLiteral("有"));
  auto* after = new QLabel(QStringLiteral("个字段匹配即认为重复"));
  field_labels_ = {fields_, before, middle, threshold_, after};
  auto* fields_row = new QHBoxLayout;
  for (QWidget* widget : field_labels_) fields_row->addWidget(widget);
  fields_row->addStretch();
  isbn_keys_ = new QCheckBox(QStringLiteral(
      "对ISBN格式进行转换计算后再确认是否相同（非直接字符串对比）"));
  isbn_keys_->setObjectName("chkConvISBN05");
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(rule_);
  layout->addLayout(fields_row);
  layout->addWidget(isbn_keys_);
  RzRadioGroup3Click(0);
  connect(rule_, &RadioGroup::itemIndexChanged, this,
          &MarcCheckPage::RzRadioGroup3Click);
  return box;
}

QWidget* MarcCheckPage::MakeOutputs() {
  auto* box = new QGroupBox(QStringLiteral("输出(MARC)："));
  auto* grid = new QGridLayout(box);
  grid->addWidget(
      new QLabel(QStringLiteral("输出采购方没有，供应商有的图书：")), 0, 0, 1,
      3);
  lacks_file_ = AddFileRow(grid, 1, QString(), "RzEdit11", "RzButton16",
                           QStringLiteral("存为..."), dialogs::kSaveMarc);
  common_from_buyer_ = new QRadioButton(QStringLiteral("以采购方为准"));
  common_from_buyer_->setObjectName("RzRadioButton1");
  common_from_buyer_->setChecked(true);
  auto* from_supplier = new QRadioButton(QStringLiteral("以供应方为准"));
  from_supplier->setObjectName("RzRadioButton2");
  auto* common_row = new QHBoxLayout;
  common_row->addWidget(new QLabel(QStringLiteral("输出双方都有的图书：")));
  common_row->addStretch();
  common_row->addWidget(common_from_buyer_);
  common_row->addWidget(from_supplier);
  grid->addLayout(common_row, 2, 0, 1, 3);
  common_file_ = AddFileRow(grid, 3, QString(), "RzEdit16", "RzButton17",
                            QStringLiteral("存为..."), dialogs::kSaveMarc);
  return box;
}

void MarcCheckPage::RzRadioGroup2Click(int item) {
  bool from_file = item == 1;
  if (item == 0) {
    TMainData* database = context_.RequireData(this);
    std::optional<std::string> empty =
        database ? EmptyBuyerTableMessage(*database) : std::nullopt;
    if (empty) Messages().Information(this, QString::fromStdString(*empty));
    if (!database || empty) {
      buyer_source_->setItemIndex(1);
      return;
    }
  }
  buyer_file_->setEnabled(from_file);
  buyer_browse_->setEnabled(from_file);
}

void MarcCheckPage::RzRadioGroup3Click(int item) {
  for (QWidget* widget : field_labels_) widget->setEnabled(item == 1);
}

void MarcCheckPage::RzButton14Click() {
  MarcCheckOptions options;
  int source = buyer_source_->itemIndex();
  options.buyer_source = source == 0   ? BuyerSource::kDatabase
                         : source == 1 ? BuyerSource::kFile
                                       : BuyerSource::kNone;
  options.buyer_file = ToPath(buyer_file_->text());
  options.supplier_file = ToPath(supplier_file_->text());
  options.rule = static_cast<MatchRule>(rule_->itemIndex());
  options.fields = fields_->text().toStdString();
  if (options.rule == MatchRule::ListedFields) {  // shown as the check uses it
    fields_->setText(QString::fromStdString(CleanFieldList(options.fields)));
  }
  options.threshold = threshold_->value();
  options.isbn_keys = isbn_keys_->isChecked();
  options.lacks_file = ToPath(lacks_file_->text());
  options.common_file = ToPath(common_file_->text());
  options.common_from_buyer = common_from_buyer_->isChecked();
  TMainData* database = context_.data ? context_.data() : nullptr;
  runner_.Run<MarcCheckResult>([&](OperationHost& host) {
    return RunMarcCheck(options, database, host);
  });
}

}  // namespace veltrane::app
