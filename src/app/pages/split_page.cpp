#include "app/pages/split_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/file_dialogs.h"
#include "app/key_filters.h"
#include "app/page_layout.h"
#include "app/radio_group.h"
#include "app/text_codec.h"
#include "marc/scanner.h"
#include "ops/input_checks.h"
#include "ops/split_marc.h"

namespace veltrane::app {

SplitPage::SplitPage(const PageContext& context, QWidget* parent)
    : QWidget(parent),
      start_(MakeStartButton("RzButton70", QStringLiteral("开  始"))),
      runner_(this, start_, context.progress_bar) {
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("要分割的MARC文件：")), 0, 0);
  marc_file_ = new QLineEdit;
  marc_file_->setObjectName("RzEdit39");
  grid->addWidget(marc_file_, 0, 1);
  auto* browse = new QPushButton(QStringLiteral("浏览..."));
  browse->setObjectName("RzButton68");
  grid->addWidget(browse, 0, 2);

  count_ = new QLineEdit;
  count_->setObjectName("RzEdit42");
  count_->setEnabled(false);
  auto* count_row = new QHBoxLayout;
  count_row->addWidget(new QLabel(QStringLiteral("要分割的MARC文件共有")));
  count_row->addWidget(count_);
  count_row->addWidget(new QLabel(QStringLiteral("条记录")));
  count_row->addStretch();
  grid->addLayout(count_row, 1, 0, 1, 3);

  mode_ = new RadioGroup("RzRadioGroup9", QString(),
                         {QStringLiteral("按每个文件存放多少条记录分割："),
                          QStringLiteral("平均分割为多少个文件：")},
                         -1);
  per_file_ = new QLineEdit;
  per_file_->setObjectName("RzEdit40");
  file_count_ = new QLineEdit;
  file_count_->setObjectName("RzEdit46");
  for (QLineEdit* edit : {per_file_, file_count_}) {
    edit->setEnabled(false);
    NumKeyPress(edit);
    connect(edit, &QLineEdit::textChanged, this, &SplitPage::NumberChange);
  }
  auto* numbers = new QVBoxLayout;
  numbers->addWidget(per_file_);
  numbers->addWidget(file_count_);
  auto* mode_row = new QHBoxLayout;
  mode_row->addWidget(mode_);
  mode_row->addLayout(numbers);
  mode_row->addStretch();
  grid->addLayout(mode_row, 2, 0, 1, 3);

  grid->addWidget(new QLabel(QStringLiteral("请指定分割后的存放文件名：")), 3,
                  0);
  output_name_ = new QLineEdit;
  output_name_->setObjectName("RzEdit41");
  output_name_->setEnabled(false);
  grid->addWidget(output_name_, 3, 1);
  save_ = new QPushButton(QStringLiteral("存为..."));
  save_->setObjectName("RzButton69");
  save_->setEnabled(false);
  grid->addWidget(save_, 3, 2);
  grid->addWidget(
      new QLabel(QStringLiteral("（说明：分割后的存放文件名，会根据具体分割的"
                                "文件数在\n文件名的后面加上相应的数字，表示是"
                                "分割的第几个文件。）")),
      4, 0, 1, 3);
  start_->setEnabled(false);
  auto* start_row = new QHBoxLayout;
  start_row->addStretch();
  start_row->addWidget(start_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(start_row);
  layout->addStretch();
  layout->addWidget(MakeHelpBox(
      "Memo13",
      QStringLiteral(
          "把一个大的MARC文件分割为几个小文件：\n"
          "1. 点\"浏览...\"选择要分割的MARC文件，页面显示它的记录数；\n"
          "2. 选择按每个文件存放多少条记录分割，或平均分割为多少个文件，"
          "并填写数目；\n"
          "3. 点\"存为...\"指定分割后的存放文件名；\n"
          "4. 点\"开  始\"。已有的同名文件会在其后追加。")));

  connect(browse, &QPushButton::clicked, this, &SplitPage::RzButton68Click);
  connect(marc_file_, &QLineEdit::textChanged, this,
          &SplitPage::RzEdit39Change);
  connect(mode_, &RadioGroup::itemIndexChanged, this,
          &SplitPage::RzRadioGroup9Click);
  connect(save_, &QPushButton::clicked, this, &SplitPage::RzButton69Click);
  connect(start_, &QPushButton::clicked, this, &SplitPage::RzButton70Click);
  runner_.MapInput("marc_file", marc_file_);
  runner_.MapInput("records_per_file", per_file_);
  runner_.MapInput("file_count", file_count_);
  runner_.MapInput("output_name", output_name_);
}

void SplitPage::RzButton68Click() {
  if (std::optional<QString> name = Files().Choose(this, dialogs::kOpenMarc)) {
    marc_file_->setText(*name);
  }
  const std::string path = ToPath(marc_file_->text());
  if (IsExistingFile(path)) {
    count_->setText(QString::number(CountMarcRecords(path)));
  }
}

void SplitPage::RzEdit39Change() {
  if (!IsExistingFile(ToPath(marc_file_->text()))) count_->clear();
}

void SplitPage::RzRadioGroup9Click(int item) {
  QLineEdit* chosen = item == 0 ? per_file_ : file_count_;
  QLineEdit* other = item == 0 ? file_count_ : per_file_;
  other->setEnabled(false);
  chosen->setEnabled(true);
  chosen->setFocus();
  NumberChange(chosen->text());
}

void SplitPage::NumberChange(const QString& text) {
  bool number = false;
  const bool positive = text.toLongLong(&number) > 0 && number;
  output_name_->setEnabled(positive);
  save_->setEnabled(positive);
}

void SplitPage::RzButton69Click() {
  if (std::optional<QString> name = Files().Choose(this, dialogs::kSaveMarc)) {
    output_name_->setText(*name);
    start_->setEnabled(true);
  }
}

void SplitPage::RzButton70Click() {
  SplitMarcOptions options;
  options.marc_file = ToPath(marc_file_->text());
  options.mode = mode_->itemIndex() == 0   ? SplitMode::kPerFile
                 : mode_->itemIndex() == 1 ? SplitMode::kFileCount
                                           : SplitMode::kNone;
  options.records_per_file = per_file_->text().toStdString();
  options.file_count = file_count_->text().toStdString();
  options.output_name = ToPath(output_name_->text());
  runner_.Run<SplitMarcResult>(
      [&](OperationHost& host) { return RunSplitMarc(options, host); });
}

}  // namespace veltrane::app
