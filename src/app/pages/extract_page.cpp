#include "app/pages/extract_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/page_layout.h"
#include "app/radio_group.h"
#include "app/text_codec.h"
#include "ops/extract.h"

namespace veltrane::app {

ExtractPage::ExtractPage(const PageContext& context, QWidget* parent)
    : QWidget(parent),
      start_(MakeStartButton("RzButton11", QStringLiteral("开  始"))),
      runner_(this, start_, context.progress_bar) {
  auto* grid = new QGridLayout;
  supplier_file_ = AddFileRow(grid, 0, QStringLiteral("供应商的MARC文件路径："),
                              "edtFileName_Pn3_m1", "RzButton3",
                              QStringLiteral("浏览..."), dialogs::kOpenMarc);
  isbn_file_ = AddFileRow(grid, 1, QStringLiteral("要采购的ISBN文件路径："),
                          "edtFileName_Pn3_isbn", "RzButton12",
                          QStringLiteral("浏览..."), dialogs::kOpenIsbnOrMarc);
  order_ = new RadioGroup(
      "RzRadioGroup10", QStringLiteral("输出："),
      {QStringLiteral("按MARC文件顺序"), QStringLiteral("按ISBN文件顺序")}, 0,
      2);
  auto* output = new QGridLayout;
  output_file_ = AddFileRow(output, 0, QStringLiteral("要输出的MARC文件："),
                            "edtFileName_Pn3_m2", "RzButton9",
                            QStringLiteral("存为..."), dialogs::kSaveMarc);

  auto* start_row = new QHBoxLayout;
  start_row->addStretch();
  start_row->addWidget(start_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(order_);
  layout->addLayout(output);
  layout->addLayout(start_row);
  layout->addStretch();
  layout->addWidget(MakeHelpBox(
      "Memo3",
      QStringLiteral(
          "供应商一般都有所供图书的MARC数据。本功能按本次采购的ISBN文件，"
          "从供应商的MARC数据中取出所采图书的完整记录，追加到输出的MARC文件中。"
          "\n"
          "1. 点\"浏览...\"选择供应商的MARC文件；\n"
          "2. 点\"浏览...\"选择本次采购的ISBN文本；\n"
          "3. 点\"存为...\"指定输出文件；\n"
          "4. 点\"开  始\"。")));
  connect(start_, &QPushButton::clicked, this, &ExtractPage::RzButton11Click);
}

void ExtractPage::RzButton11Click() {
  ExtractOptions options{ToPath(supplier_file_->text()),
                         ToPath(isbn_file_->text()), order_->itemIndex() == 1,
                         ToPath(output_file_->text())};
  runner_.Run<ExtractResult>(
      [&](OperationHost& host) { return RunExtract(options, host); });
}

}  // namespace veltrane::app
