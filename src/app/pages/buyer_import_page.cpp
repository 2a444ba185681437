#include "app/pages/buyer_import_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/file_dialogs.h"
#include "app/key_filters.h"
#include "app/messages.h"
#include "app/page_layout.h"
#include "app/text_codec.h"
#include "db/main_data.h"
#include "ops/buyer_import.h"
#include "ops/input_checks.h"

namespace veltrane::app {
namespace {

QLabel* HiddenLabel(const char* name) {
  auto* label = new QLabel(QStringLiteral("共  条"));
  label->setObjectName(name);
  label->hide();
  return label;
}

}  // namespace

BuyerImportPage::BuyerImportPage(const PageContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      row_count_(HiddenLabel("lblPrompt1")),
      fixed_box_(new QCheckBox(QStringLiteral("初始复本数："))),
      fixed_copies_(new QLineEdit),
      field_box_(new QCheckBox(QStringLiteral("指定复本字段："))),
      copies_field_(new QLineEdit(QStringLiteral("905f"))),
      import_(MakeStartButton("btnPn1_Input", QStringLiteral("导  入"))),
      export_(MakeStartButton("btnPn1_Ouput", QStringLiteral("导  出"))),
      export_bar_(new QProgressBar),
      export_total_(HiddenLabel("lblPrompt2")),
      import_runner_(this, import_, context.progress_bar),
      export_runner_(this, export_, export_bar_, export_total_) {
  auto* input = new QGroupBox(QStringLiteral("导入："));
  auto* input_grid = new QGridLayout(input);
  marc_file_ = new QLineEdit;
  marc_file_->setObjectName("edtFileName_Pn1_MARC");
  auto* browse = new QPushButton(QStringLiteral("浏览..."));
  browse->setObjectName("btnPn1_Brow");
  input_grid->addWidget(new QLabel(QStringLiteral("采购方MARC")), 0, 0);
  input_grid->addWidget(marc_file_, 0, 1, 1, 2);
  input_grid->addWidget(browse, 0, 3);
  fixed_box_->setObjectName("RzCheckBox4");
  fixed_copies_->setObjectName("RzEdit17");
  fixed_copies_->setEnabled(false);
  NumKeyPress(fixed_copies_);
  field_box_->setObjectName("RzCheckBox5");
  copies_field_->setObjectName("RzEdit22");
  copies_field_->setEnabled(false);
  AddressKeyPress(copies_field_);
  input_grid->addWidget(fixed_box_, 1, 0);
  input_grid->addWidget(fixed_copies_, 1, 1);
  input_grid->addWidget(field_box_, 2, 0);
  input_grid->addWidget(copies_field_, 2, 1);
  input_grid->addWidget(row_count_, 3, 1, 1, 2);
  input_grid->addWidget(import_, 3, 3);

  auto* output = new QGroupBox(QStringLiteral("输出："));
  auto* output_grid = new QGridLayout(output);
  isbn_file_ = AddFileRow(output_grid, 0, QStringLiteral("输出ISBN"),
                          "edtFileName_Pn1_ISBN", "btnPn1_SaveAs",
                          QStringLiteral("存为..."), dialogs::kSaveIsbnOrMarc);
  export_bar_->setObjectName("RzProgressBar2");
  export_bar_->hide();
  output_grid->addWidget(export_bar_, 1, 1);
  output_grid->addWidget(export_total_, 1, 0);
  output_grid->addWidget(export_, 1, 2);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(input);
  layout->addWidget(output);
  layout->addStretch();
  layout->addWidget(MakeHelpBox(
      "Memo1",
      QStringLiteral(
          "选择采购方（图书馆）的MARC文件，设置复本选项，点\"导  入\"，"
          "采购方的馆藏书目即导入本系统的数据库，供现场采购查重使用。\n"
          "复本选项：选\"初始复本数\"时每种书都按所填的复本数入库；"
          "选\"指定复本字段\"时按记录中该字段的值入库（默认905f，即905字段"
          "$f复本数；本地自定义的数据可指定其他字段）；都不选时复本数为1。\n"
          "\"输出ISBN\"把已导入数据的ISBN逐行写入文本文件；数据库为空而"
          "指定了\"采购方MARC\"文件时，输出该文件中的ISBN。")));

  connect(browse, &QPushButton::clicked, this,
          &BuyerImportPage::btnPn1_BrowClick);
  connect(marc_file_, &QLineEdit::textChanged, this,
          &BuyerImportPage::PathEdited);
  connect(fixed_box_, &QCheckBox::clicked, this,
          [this] { CopyBoxClicked(fixed_box_); });
  connect(field_box_, &QCheckBox::clicked, this,
          [this] { CopyBoxClicked(field_box_); });
  connect(import_, &QPushButton::clicked, this,
          &BuyerImportPage::btnPn1_InputClick);
  connect(export_, &QPushButton::clicked, this,
          &BuyerImportPage::btnPn1_OuputClick);
  import_runner_.MapInput("marc_file", marc_file_);
  export_runner_.MapInput("isbn_file", isbn_file_);
  export_runner_.MapInput("marc_file", marc_file_);
}

void BuyerImportPage::btnPn1_BrowClick() {
  if (std::optional<QString> name = Files().Choose(this, dialogs::kOpenMarc)) {
    marc_file_->setText(*name);
  }
  TMainData* database = context_.RequireData(this);
  if (!database) return;
  database->BuyerTable().Reopen();
  row_count_->setText(QStringLiteral("本系统数据库中已存 %1 条记录")
                          .arg(database->BuyerTable().RecordCount()));
  row_count_->show();
}

void BuyerImportPage::PathEdited() {
  if (!IsExistingFile(ToPath(marc_file_->text().trimmed()))) row_count_->hide();
}

void BuyerImportPage::CopyBoxClicked(QCheckBox* clicked) {
  QCheckBox* other = clicked == fixed_box_ ? field_box_ : fixed_box_;
  QLineEdit* own_edit = clicked == fixed_box_ ? fixed_copies_ : copies_field_;
  QLineEdit* other_edit = clicked == fixed_box_ ? copies_field_ : fixed_copies_;
  own_edit->setEnabled(clicked->isChecked());
  if (clicked->isChecked()) {
    other->setChecked(false);
    other_edit->setEnabled(false);
  }
}

void BuyerImportPage::btnPn1_InputClick() {
  TMainData* database = context_.RequireData(this);
  if (!database) return;
  BuyerImportOptions options;
  options.marc_file = ToPath(marc_file_->text());
  if (fixed_box_->isChecked()) {
    options.copies.source = CopyOption::Source::kFixed;
  } else if (field_box_->isChecked()) {
    options.copies.source = CopyOption::Source::kField;
  }
  options.copies.fixed = fixed_copies_->text().toStdString();
  options.copies.field = copies_field_->text().toStdString();

  auto plan = PlanBuyerImport(options, *database);
  if (auto* problem = std::get_if<InputProblem>(&plan)) {
    Messages().Information(this, QString::fromStdString(problem->message));
    return;
  }
  std::string question = BuyerImportQuestion(std::get<BuyerImportPlan>(plan));
  if (!question.empty() &&
      !Messages().Question(this, QString::fromStdString(question))) {
    return;
  }
  import_runner_.Run<BuyerImportResult>([&](OperationHost& host) {
    return RunBuyerImport(options, *database, host);
  });
}

void BuyerImportPage::btnPn1_OuputClick() {
  TMainData* database = context_.RequireData(this);
  if (!database) return;
  BuyerExportOptions options{ToPath(isbn_file_->text()),
                             ToPath(marc_file_->text().trimmed())};
  export_runner_.Run<BuyerExportResult>([&](OperationHost& host) {
    return RunBuyerExport(options, *database, host);
  });
}

}  // namespace veltrane::app
