#include "app/pages/label_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "app/file_dialogs.h"
#include "app/label_list_model.h"
#include "app/label_preview.h"
#include "app/text_codec.h"
#include "ops/label_list.h"

namespace veltrane::app {
namespace {

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

}  // namespace

LabelPage::LabelPage(const PageContext& context, QWidget* parent)
    : QWidget(parent),
      file_(Named(new QLineEdit, "RzEdit47")),
      browse_(Named(new QPushButton(QStringLiteral("浏览...")), "RzButton80")),
      status_(Named(new QLabel, "Label1")),
      per_copy_(
          Named(new QCheckBox(QStringLiteral("根据905f（复本数）生成记录，")),
                "CheckBox1")),
      example_(Named(new QLabel(QStringLiteral(
                         "例如：将“L0001-3”拆为，L0001、L0002、L0003。")),
                     "Label2")),
      split_(
          Named(new QCheckBox(QStringLiteral("并将905b（登录号）进行拆分。")),
                "CheckBox4")),
      renumber_(Named(new QCheckBox(QStringLiteral(
                          "905b（登录号）根据给定起始号和905f（复本数）"
                          "重新自动生成。")),
                      "CheckBox2")),
      start_label_(Named(new QLabel(QStringLiteral("起始号：")), "RzLabel77")),
      start_(Named(new QLineEdit, "edt905Start")),
      grid_(Named(new QTableView, "DBGrid3")),
      model_(new LabelListModel(this)),
      print_(Named(new QPushButton(QStringLiteral("打印书标")), "btnPrint905")),
      runner_(this, browse_, context.progress_bar) {
  file_->setReadOnly(true);
  example_->setEnabled(false);
  split_->setEnabled(false);
  start_label_->setEnabled(false);
  start_->setEnabled(false);

  auto* file_row = new QHBoxLayout;
  file_row->addWidget(new QLabel(QStringLiteral("ISO文件：")));
  file_row->addWidget(file_, 1);
  file_row->addWidget(browse_);

  auto* options = new QGroupBox;
  auto* options_grid = new QGridLayout(options);
  options_grid->addWidget(per_copy_, 0, 0);
  options_grid->addWidget(split_, 0, 1, 1, 2);
  options_grid->addWidget(example_, 1, 0, 1, 3);
  options_grid->addWidget(renumber_, 2, 0, 1, 3);
  options_grid->addWidget(start_label_, 3, 0, Qt::AlignRight);
  options_grid->addWidget(start_, 3, 1);

  grid_->setModel(model_);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->verticalHeader()->setDefaultSectionSize(20);
  grid_->horizontalHeader()->setSectionsClickable(true);

  auto* print_row = new QHBoxLayout;
  print_row->addWidget(status_, 1);
  print_row->addWidget(print_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(file_row);
  layout->addWidget(options);
  layout->addWidget(grid_, 1);
  layout->addLayout(print_row);

  connect(browse_, &QPushButton::clicked, this, &LabelPage::RzButton80Click);
  connect(per_copy_, &QCheckBox::clicked, this, &LabelPage::CheckBox1Click);
  connect(split_, &QCheckBox::clicked, this, &LabelPage::CheckBox4Click);
  connect(renumber_, &QCheckBox::clicked, this, &LabelPage::CheckBox2Click);
  connect(renumber_, &QCheckBox::toggled, this, [this](bool on) {
    start_label_->setEnabled(on);
    start_->setEnabled(on);
  });
  connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, model_,
          &LabelListModel::SortByColumn);
  connect(print_, &QPushButton::clicked, this, &LabelPage::btnPrint905Click);

  runner_.MapInput("marc_file", file_);
  runner_.MapInput("start_number", start_);
}

void LabelPage::RzButton80Click() {
  std::optional<QString> name = Files().Choose(this, dialogs::kOpenMarc);
  if (!name) return;
  file_->setText(*name);
  Load();
}

void LabelPage::Load() {
  LabelListOptions options{ToPath(file_->text()), per_copy_->isChecked(),
                           split_->isChecked(), renumber_->isChecked(),
                           ToGbk(start_->text())};
  bool empty_file = false;
  std::optional<LabelListResult> result =
      runner_.Run<LabelListResult>([&](OperationHost& host) {
        auto outcome = LoadLabelList(options, host);
        if (const auto* problem = std::get_if<InputProblem>(&outcome)) {
          empty_file = problem->input == "marc_file";
        }
        return outcome;
      });
  if (empty_file) status_->clear();
  if (!result) return;
  model_->SetRows(std::move(result->rows));
  status_->setText(QString::fromStdString(result->status));
  if (options.regenerate) start_->setText(FromGbk(result->start_number));
}

void LabelPage::CheckBox1Click() {
  bool on = per_copy_->isChecked();
  example_->setEnabled(on);
  split_->setEnabled(on);
  if (on && split_->isChecked()) renumber_->setChecked(false);
  ForgetList();
}

void LabelPage::CheckBox4Click() {
  if (split_->isChecked()) renumber_->setChecked(false);
  ForgetList();
}

void LabelPage::CheckBox2Click() {
  if (renumber_->isChecked()) split_->setChecked(false);
  ForgetList();
}

void LabelPage::ForgetList() {
  model_->SetRows({});
  file_->clear();
}

void LabelPage::btnPrint905Click() {
  if (model_->rows().empty()) return;
  LabelPreview preview(model_->rows(), ToPath(file_->text()), this);
  preview.exec();
}

}  // namespace veltrane::app
