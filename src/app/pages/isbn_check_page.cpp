#include "app/pages/isbn_check_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/page_layout.h"
#include "app/text_codec.h"
#include "ops/isbn_check.h"

namespace veltrane::app {
namespace {

// A captioned group holding one file row.
QGroupBox* FileGroup(const QString& caption, QLineEdit** edit,
                     const QString& edit_name, const QString& button_name) {
  auto* box = new QGroupBox(caption);
  auto* grid = new QGridLayout(box);
  *edit = AddFileRow(grid, 0, QString(), edit_name, button_name,
                     QStringLiteral("浏览..."), dialogs::kOpenIsbn);
  return box;
}

}  // namespace

IsbnCheckPage::IsbnCheckPage(const PageContext& context, QWidget* parent)
    : QWidget(parent),
      start_(MakeStartButton("RzButton33", QStringLiteral("开  始"))),
      runner_(this, start_, context.progress_bar) {
  QGroupBox* buyer = FileGroup(QStringLiteral("指定采购方ISBN文件:"),
                               &buyer_file_, "RzEdit2", "RzButton5");
  QGroupBox* supplier = FileGroup(QStringLiteral("指定供应方ISBN文件:"),
                                  &supplier_file_, "RzEdit3", "RzButton6");
  isbn_keys_ = new QCheckBox(QStringLiteral(
      "对ISBN格式进行转换计算后再确认是否相同（非直接字符串对比）"));
  isbn_keys_->setObjectName("chkConvISBN06");

  auto* output = new QGroupBox(QStringLiteral("输出:"));
  auto* grid = new QGridLayout(output);
  lacks_file_ = AddFileRow(
      grid, 0, QStringLiteral("输出采购方没有，供应商有的图书："), "RzEdit1",
      "RzButton1", QStringLiteral("存为..."), dialogs::kSaveIsbn);
  common_file_ =
      AddFileRow(grid, 1, QStringLiteral("输出双方都有的图书："), "RzEdit7",
                 "RzButton29", QStringLiteral("存为..."), dialogs::kSaveIsbn);

  auto* start_row = new QHBoxLayout;
  start_row->addStretch();
  start_row->addWidget(start_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(buyer);
  layout->addWidget(supplier);
  layout->addWidget(isbn_keys_);
  layout->addWidget(output);
  layout->addLayout(start_row);
  layout->addStretch();
  layout->addWidget(MakeHelpBox(
      "Memo5",
      QStringLiteral(
          "用\"浏览...\"分别选择采购方和供应方的ISBN文件，指定要输出的文件"
          "（至少一个），点\"开  始\"。每一行作为一个ISBN整行比较。\n"
          "把两个文件对调，即可得到采购方有而供应方没有的图书。\n"
          "比较之前，最好先用\"数据去重\"去掉两个文件中重复的行。")));
  connect(start_, &QPushButton::clicked, this, &IsbnCheckPage::RzButton33Click);
  runner_.MapInput("buyer_file", buyer_file_);
  runner_.MapInput("supplier_file", supplier_file_);
}

void IsbnCheckPage::RzButton33Click() {
  IsbnCheckOptions options{ToPath(buyer_file_->text()),
                           ToPath(supplier_file_->text()),
                           isbn_keys_->isChecked(), ToPath(lacks_file_->text()),
                           ToPath(common_file_->text())};
  runner_.Run<IsbnCheckResult>(
      [&](OperationHost& host) { return RunIsbnCheck(options, host); });
}

}  // namespace veltrane::app
