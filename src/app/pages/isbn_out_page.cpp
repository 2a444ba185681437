#include "app/pages/isbn_out_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/page_layout.h"
#include "app/radio_group.h"
#include "app/text_codec.h"
#include "ops/isbn_out.h"

namespace veltrane::app {

IsbnOutPage::IsbnOutPage(const PageContext& context, QWidget* parent)
    : QWidget(parent),
      start_(MakeStartButton("RzButton22", QStringLiteral("开  始"))),
      runner_(this, start_, context.progress_bar) {
  auto* input = new QGridLayout;
  marc_file_ =
      AddFileRow(input, 0, QStringLiteral("MARC文件"), "RzEdit18", "RzButton19",
                 QStringLiteral("浏览..."), dialogs::kOpenMarc);

  auto* output = new QGroupBox(QStringLiteral("输出："));
  auto* output_grid = new QGridLayout(output);
  isbn_file_ =
      AddFileRow(output_grid, 0, QStringLiteral("ISBN文件"), "RzEdit19",
                 "RzButton23", QStringLiteral("另存..."), dialogs::kSaveIsbn);

  option_ = new RadioGroup(
      "radIsbn", QStringLiteral("输出选项:"),
      {QStringLiteral("按在MARC数据中的原样输出（例：7-5006-3772-1）"),
       QStringLiteral("将\"-\"号去除后输出（例：7500637721）")},
      0);

  auto* start_row = new QHBoxLayout;
  start_row->addStretch();
  start_row->addWidget(start_);
  connect(start_, &QPushButton::clicked, this, &IsbnOutPage::RzButton22Click);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(input);
  layout->addWidget(output);
  layout->addWidget(option_);
  layout->addLayout(start_row);
  layout->addStretch();
  layout->addWidget(MakeHelpBox(
      "Memo7",
      QStringLiteral(
          "把MARC文件中每条记录的ISBN（010字段$a）逐行写入文本文件，"
          "每条记录一行，没有ISBN的记录写一个空行，行号与记录号一致。\n"
          "1. 点\"浏览...\"选择MARC文件；\n"
          "2. 点\"另存...\"指定输出的ISBN文件；\n"
          "3. 选择输出选项：原样输出，或去掉\"-\"号后输出；\n"
          "4. 点\"开  始\"。")));

  runner_.MapInput("marc_file", marc_file_);
  runner_.MapInput("isbn_file", isbn_file_);
}

void IsbnOutPage::RzButton22Click() {
  IsbnOutOptions options{ToPath(marc_file_->text()), ToPath(isbn_file_->text()),
                         option_->itemIndex() == 1};
  runner_.Run<IsbnOutResult>(
      [&](OperationHost& host) { return RunIsbnOut(options, host); });
}

}  // namespace veltrane::app
