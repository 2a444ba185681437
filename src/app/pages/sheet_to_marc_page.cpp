#include "app/pages/sheet_to_marc_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/messages.h"
#include "app/page_layout.h"
#include "app/settings.h"
#include "app/sheet_grids.h"
#include "app/text_codec.h"
#include "ops/sheet_to_marc.h"

namespace veltrane::app {

SheetToMarcPage::SheetToMarcPage(const PageContext& context, QWidget* parent)
    : QWidget(parent),
      start_(MakeStartButton("RzButton26", QStringLiteral("开  始"))),
      runner_(this, start_, context.progress_bar) {
  auto* open_row = new QHBoxLayout;
  open_row->addWidget(new QLabel(QStringLiteral("EXCEL文件：")));
  sheet_file_ = new QLineEdit;
  sheet_file_->setObjectName("RzEdit23");
  auto* open = MakeButton("RzButton25", QStringLiteral("打开..."));
  open_row->addWidget(sheet_file_);
  open_row->addWidget(open);
  connect(open, &QPushButton::clicked, this, &SheetToMarcPage::RzButton25Click);

  columns_ = MakeSettingsTable("asg2",
                               {QStringLiteral("列号"),
                                QStringLiteral("列名（第一行）"),
                                QStringLiteral("对应MARC字段")},
                               5, {0, 1});
  columns_->setItemDelegateForColumn(2, new FieldSpecDelegate(columns_));
  please_edit_ = new QLabel(QStringLiteral("▲ 请编辑字段\n└──────"));
  please_edit_->setObjectName("lblPleaseEdit");
  please_edit_->hide();
  auto* table_row = new QHBoxLayout;
  table_row->addWidget(columns_);
  table_row->addWidget(please_edit_, 0, Qt::AlignBottom);

  first_row_ = new QCheckBox(QStringLiteral("是否将第一行也转换为MARC"));
  first_row_->setObjectName("chkExcelToMarc");
  auto* output = new QGridLayout;
  marc_file_ = AddFileRow(output, 0, QStringLiteral("MARC文件："), "RzEdit24",
                          "RzButton27", QStringLiteral("存为..."),
                          dialogs::kSaveMarc);
  stop_ = new QCheckBox(QStringLiteral("点这里停止转换"));
  stop_->setObjectName("CheckBox5");
  stop_->hide();
  auto* start_row = new QHBoxLayout;
  start_row->addWidget(stop_);
  start_row->addStretch();
  start_row->addWidget(start_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(open_row);
  layout->addWidget(
      new QLabel(QStringLiteral("设置EXCEL表格的列与MARC的对应关系：")));
  layout->addLayout(table_row);
  layout->addWidget(first_row_);
  layout->addLayout(output);
  layout->addLayout(start_row);
  layout->addWidget(MakeHelpBox(
      "Memo4",
      QStringLiteral(
          "1、点\"打开...\"选择EXCEL文件，表格列出各列第一行的列名，并按列名"
          "自动对应MARC字段，请检查并修改\"对应MARC字段\"。\n"
          "2、书名字段200a必须指定。\n"
          "3、没有对应的字段自动生成：001（记录号）、100（通用处理数据，出版"
          "年取自210d）、101（著作语种chi）、801（记录来源，本馆名称取自首页"
          "的设置）。\n"
          "4、指定要输出的MARC文件，点\"开  始\"。")));
  connect(start_, &QPushButton::clicked, this, &SheetToMarcPage::RzButton26Click);
  runner_.MapInput("sheet_file", sheet_file_);
  runner_.MapInput("marc_file", marc_file_);
  runner_.SetStopCheck([this] { return stop_->isChecked(); });
}

void SheetToMarcPage::RzButton25Click() {
  std::optional<QString> name = Files().Choose(this, dialogs::kOpenSheet);
  if (!name) return;
  sheet_file_->setText(*name);
  OpenWorkbook(this, *name, [this](const std::string& path) {
    const std::vector<ColumnMapping> table = ProposeColumnTable(path);
    columns_->setRowCount(0);
    for (const ColumnMapping& row : table) {
      AddTableRow(columns_);
      const int r = columns_->rowCount() - 1;
      columns_->item(r, 0)->setText(QString::fromStdString(row.number));
      columns_->item(r, 1)->setText(QString::fromStdString(row.heading));
      columns_->setItem(r, 2,
                        new QTableWidgetItem(QString::fromStdString(row.spec)));
    }
    columns_->setFocus();
    columns_->setCurrentCell(0, 2);
    please_edit_->show();
  });
}

void SheetToMarcPage::RzButton26Click() {
  SheetToMarcOptions options;
  options.sheet_file = ToPath(sheet_file_->text());
  options.marc_file = ToPath(marc_file_->text());
  options.first_row_too = first_row_->isChecked();
  options.institution = InstitutionName().toStdString();
  for (int row = 0; row < columns_->rowCount(); ++row) {
    options.columns.push_back({CellText(columns_, row, 0).toStdString(),
                               CellText(columns_, row, 1).toStdString(),
                               CellText(columns_, row, 2).toStdString()});
  }
  if (!CheckSheetToMarc(options)) {
    if (std::optional<std::string> warning =
            SuggestedFieldsWarning(options.columns)) {
      Messages().Warning(this, QString::fromStdString(*warning));
    }
  }
  stop_->setChecked(false);
  stop_->show();
  runner_.Run<SheetToMarcResult>(
      [&](OperationHost& host) { return RunSheetToMarc(options, host); });
  stop_->hide();
}

}  // namespace veltrane::app
