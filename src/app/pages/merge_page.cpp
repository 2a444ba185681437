#include "app/pages/merge_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/file_dialogs.h"
#include "app/page_layout.h"
#include "app/text_codec.h"
#include "ops/merge_iso.h"

namespace veltrane::app {

MergePage::MergePage(const PageContext& context, QWidget* parent)
    : QWidget(parent),
      start_(MakeStartButton("RzButton76", QStringLiteral("开始合并"))),
      runner_(this, start_, context.progress_bar) {
  auto* list_box = new QGroupBox(QStringLiteral("要合并的MARC文件"));
  files_ = new QTreeWidget;
  files_->setObjectName("RzListView1");
  files_->setHeaderLabels({QStringLiteral("文件 ")});
  files_->setRootIsDecorated(false);
  files_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  QPushButton* add = MakeButton("RzButton75", QStringLiteral("《 浏览加入"));
  QPushButton* remove =
      MakeButton("RzButton78", QStringLiteral("剔除选择文件 》》》"));
  QPushButton* clear = MakeButton("RzButton79", QStringLiteral("清空"));
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(add);
  buttons->addWidget(remove);
  buttons->addWidget(clear);
  buttons->addStretch();
  auto* list_row = new QHBoxLayout(list_box);
  list_row->addWidget(files_);
  list_row->addLayout(buttons);

  auto* output = new QGridLayout;
  output_file_ =
      AddFileRow(output, 0, QStringLiteral("合并后的MARC文件："), "RzEdit48",
                 "RzButton77", QStringLiteral("存为..."), dialogs::kSaveMarc);
  auto* start_row = new QHBoxLayout;
  start_row->addStretch();
  start_row->addWidget(start_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_box);
  layout->addLayout(output);
  layout->addLayout(start_row);

  connect(add, &QPushButton::clicked, this, &MergePage::RzButton75Click);
  connect(remove, &QPushButton::clicked, this, &MergePage::RzButton78Click);
  connect(clear, &QPushButton::clicked, files_, &QTreeWidget::clear);
  connect(start_, &QPushButton::clicked, this, &MergePage::RzButton76Click);
  runner_.MapInput("output_file", output_file_);
}

void MergePage::RzButton75Click() {
  std::optional<QStringList> names =
      Files().ChooseMany(this, dialogs::kOpenMarc);
  if (!names) return;
  for (const QString& name : *names) {
    files_->addTopLevelItem(new QTreeWidgetItem(QStringList{name}));
  }
}

void MergePage::RzButton78Click() { qDeleteAll(files_->selectedItems()); }

void MergePage::RzButton76Click() {
  MergeIsoOptions options;
  for (int i = 0; i < files_->topLevelItemCount(); ++i) {
    options.input_files.push_back(ToPath(files_->topLevelItem(i)->text(0)));
  }
  options.output_file = ToPath(output_file_->text());
  runner_.Run<MergeIsoResult>(
      [&](OperationHost& host) { return RunMergeIso(options, host); });
}

}  // namespace veltrane::app
