#include "app/pages/isbn_convert_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "app/page_layout.h"
#include "app/radio_group.h"
#include "app/sheet_grids.h"
#include "app/text_codec.h"
#include "ops/isbn_range.h"
#include "ops/isbn_sheet_conversion.h"
#include "ops/isbn_text_conversion.h"
#include "sheet/workbook_io.h"

namespace veltrane::app {

IsbnConvertPage::IsbnConvertPage(const PageContext& context, QWidget* parent)
    : QWidget(parent),
      sheet_start_(MakeStartButton("RzButton71", QStringLiteral("开始转换"))),
      text_start_(MakeStartButton("RzButton63", QStringLiteral("开始转换"))),
      sheet_runner_(this, sheet_start_, context.progress_bar),
      text_runner_(this, text_start_, context.progress_bar) {
  format_ = new RadioGroup(
      "RzRadioGroup7", QStringLiteral("1、设置转换ISBN格式："),
      {QStringLiteral("转换为ISBN(10位)/ISSN(8位)带\"-\"符号格式"),
       QStringLiteral("转换为ISBN(10位)/ISSN(8位)不带\"-\"符号"),
       QStringLiteral("转换为13位EAN条形码"),
       QStringLiteral("转换为13位带\"-\"符号格式")},
      0, 2);
  range_place_ = new QVBoxLayout;
  RzRadioGroup7Changing(0);
  connect(format_, &RadioGroup::itemIndexChanged, this,
          &IsbnConvertPage::RzRadioGroup7Changing);
  force_ = new QCheckBox(QStringLiteral(
      "对校验码不正确和被裁掉校验码的非法ISBN进行强制转换"));
  force_->setObjectName("chkForce");

  auto* files = new QGroupBox(QStringLiteral("2、转换文件："));
  auto* files_layout = new QVBoxLayout(files);
  files_layout->addWidget(MakeSheetPart());
  files_layout->addWidget(MakeTextPart());

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(format_);
  layout->addLayout(range_place_);
  layout->addWidget(force_);
  layout->addWidget(files, 1);
}

QWidget* IsbnConvertPage::MakeSheetPart() {
  auto* box = new QGroupBox(QStringLiteral("对EXCEL文件的ISBN列进行格式转换："));
  auto* grid = new QGridLayout(box);
  grid->addWidget(new QLabel(QStringLiteral("请选择EXCEL文件：")), 0, 0);
  sheet_file_ = new QLineEdit;
  sheet_file_->setObjectName("RzEdit43");
  auto* open = MakeButton("RzButton73", QStringLiteral("浏览..."));
  grid->addWidget(sheet_file_, 0, 1);
  grid->addWidget(open, 0, 2);
  connect(open, &QPushButton::clicked, this, &IsbnConvertPage::RzButton73Click);
  grid->addWidget(new QLabel(QStringLiteral("请将表格焦点指向ISBN所在的列：")),
                  1, 0, 1, 3);
  list_ = new ListModel(box);
  list_view_ = new QTableView;
  list_view_->setObjectName("asgISBN");
  list_view_->setModel(list_);
  list_view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->addWidget(list_view_, 2, 0, 1, 3);
  sheet_output_ = AddFileRow(grid, 3, QStringLiteral("转换后EXCEL文件："),
                             "RzEdit37", "RzButton72",
                             QStringLiteral("存为..."), dialogs::kSaveSheet);
  into_source_ =
      new QCheckBox(QStringLiteral("在原文件上增加字段标记并保存"));
  into_source_->setObjectName("RzCheckBox2");
  grid->addWidget(into_source_, 4, 0, 1, 2);
  grid->addWidget(sheet_start_, 4, 2);
  connect(sheet_start_, &QPushButton::clicked, this,
          &IsbnConvertPage::RzButton71Click);
  return box;
}

QWidget* IsbnConvertPage::MakeTextPart() {
  auto* box = new QGroupBox(QStringLiteral("对文本文件的ISBN列进行格式转换："));
  auto* grid = new QGridLayout(box);
  text_file_ = AddFileRow(grid, 0, QStringLiteral("原始文件："), "RzEdit38",
                          "RzButton61", QStringLiteral("浏览..."),
                          dialogs::kOpenIsbn);
  text_output_ = AddFileRow(grid, 1, QStringLiteral("转换后的文件："),
                            "RzEdit44", "RzButton62",
                            QStringLiteral("存为..."), dialogs::kSaveIsbn);
  grid->addWidget(
      new QLabel(QStringLiteral("原始文件每行从第几个字符开始是ISBN列：")), 2,
      0);
  start_position_ = new QLineEdit(QStringLiteral("1"));
  start_position_->setObjectName("edtIsbnStart");
  grid->addWidget(start_position_, 2, 1);
  grid->addWidget(text_start_, 2, 2);
  connect(text_start_, &QPushButton::clicked, this,
          &IsbnConvertPage::RzButton63Click);
  text_runner_.MapInput("source_file", text_file_);
  text_runner_.MapInput("output_file", text_output_);
  return box;
}

void IsbnConvertPage::RzRadioGroup7Changing(int format) {
  QStringList items;
  for (const std::string& caption :
       IsbnRangeCaptions(static_cast<IsbnFormat>(format))) {
    items << QString::fromStdString(caption);
  }
  delete range_;
  range_ = new RadioGroup("RzRadioGroup11", QStringLiteral("转换范围:"), items,
                          0);
  range_place_->addWidget(range_);
}

void IsbnConvertPage::RzButton73Click() {
  std::optional<QString> name = Files().Choose(this, dialogs::kOpenSheet);
  if (!name) return;
  sheet_file_->setText(*name);
  OpenWorkbook(this, *name, [this](const std::string& path) {
    list_->Show(Grid());
    list_->Show(LoadGridFromWorkbook(path));
  });
}

void IsbnConvertPage::RzButton71Click() {
  IsbnSheetConversionOptions options;
  options.source_file = ToPath(sheet_file_->text());
  options.output_file = ToPath(sheet_output_->text());
  options.into_source = into_source_->isChecked();
  options.column = std::max(0, list_view_->currentIndex().column());
  options.format = static_cast<IsbnFormat>(format_->itemIndex());
  options.range = range_->itemIndex();
  options.force = force_->isChecked();
  std::optional<IsbnSheetConversionResult> result =
      sheet_runner_.Run<IsbnSheetConversionResult>([&](OperationHost& host) {
        return RunIsbnSheetConversion(options, list_->grid(), host);
      });
  list_->Changed();
  // The new column becomes current: a second run converts it further.
  if (result && list_->rowCount() > 0) {
    list_view_->setCurrentIndex(
        list_->index(list_->rowCount() - 1, result->new_column));
  }
}

void IsbnConvertPage::RzButton63Click() {
  IsbnTextConversionOptions options;
  options.source_file = ToPath(text_file_->text());
  options.output_file = ToPath(text_output_->text());
  options.format = static_cast<IsbnFormat>(format_->itemIndex());
  options.range = range_->itemIndex();
  options.force = force_->isChecked();
  options.start = start_position_->text().toStdString();
  text_runner_.Run<IsbnTextConversionResult>(
      [&](OperationHost& host) { return RunIsbnTextConversion(options, host); });
}

}  // namespace veltrane::app
