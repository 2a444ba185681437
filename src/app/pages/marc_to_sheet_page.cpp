#include "app/pages/marc_to_sheet_page.h"

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
#include "app/sheet_grids.h"
#include "app/text_codec.h"
#include "ops/marc_to_sheet.h"
#include "sheet/grid_cell_file.h"

namespace veltrane::app {

MarcToSheetPage::MarcToSheetPage(const PageContext& context, QWidget* parent)
    : QWidget(parent),
      start_(MakeStartButton("RzButton21", QStringLiteral("开  始"))),
      runner_(this, start_, context.progress_bar) {
  auto* files = new QGridLayout;
  marc_file_ = AddFileRow(files, 0, QStringLiteral("原始MARC文件："), "RzEdit20",
                          "RzButton20", QStringLiteral("浏览..."),
                          dialogs::kOpenMarc);
  sheet_file_ = AddFileRow(files, 1, QStringLiteral("输出EXCEL文件："),
                           "RzEdit21", "RzButton24", QStringLiteral("另存..."),
                           dialogs::kSaveSheet);

  fields_ = MakeSettingsTable(
      "asg3",
      {QStringLiteral("输出的MARC字段"), QStringLiteral("对应的EXCEL表头名称")},
      7);
  fields_->setItemDelegateForColumn(0, new FieldSpecDelegate(fields_));
  auto* buttons = new QHBoxLayout;
  auto button = [&](const char* name, const QString& caption) {
    QPushButton* b = MakeButton(name, caption);
    buttons->addWidget(b);
    return b;
  };
  connect(button("RzButton41", QStringLiteral("增加一行")),
          &QPushButton::clicked, this, [this] { AddTableRow(fields_); });
  connect(button("RzButton42", QStringLiteral("删除本行")),
          &QPushButton::clicked, this, [this] { DeleteTableRow(fields_); });
  connect(button("RzButton43", QStringLiteral(">>>保存表格到文件")),
          &QPushButton::clicked, this, &MarcToSheetPage::RzButton43Click);
  connect(button("RzButton44", QStringLiteral("<<从文件载入到表格")),
          &QPushButton::clicked, this, &MarcToSheetPage::RzButton44Click);
  buttons->addStretch();
  buttons->addWidget(start_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(files);
  layout->addWidget(new QLabel(QStringLiteral(
      "设置要输出的MARC字段，和对应在EXCEL表格中的表头名称：")));
  layout->addWidget(fields_);
  layout->addLayout(buttons);
  layout->addWidget(MakeHelpBox(
      "Memo8",
      QStringLiteral(
          "1、用\"浏览...\"选择原始MARC文件，用\"另存...\"指定要输出的EXCEL"
          "文件。\n"
          "2、在表格中逐行填写要输出的MARC字段和对应的EXCEL表头名称，例如"
          "010a 对应 ISBN，200a 对应 书名，200f 对应 作者，010d 对应 单价。\n"
          "3、点\"开  始\"，每条记录输出为工作表的一行。\n"
          "4、表格可以保存到文件，下次从文件载入，免得重新输入。")));
  connect(start_, &QPushButton::clicked, this, &MarcToSheetPage::RzButton21Click);
  runner_.MapInput("marc_file", marc_file_);
  runner_.MapInput("sheet_file", sheet_file_);
}

void MarcToSheetPage::RzButton43Click() {
  std::optional<QString> name = Files().Choose(this, dialogs::kSaveSettings);
  if (!name) return;
  try {
    SaveGridCellFile(GridOfTable(fields_), ToPath(*name));
  } catch (const std::exception& error) {
    Messages().Error(this, QString::fromStdString(error.what()));
  }
}

void MarcToSheetPage::RzButton44Click() {
  std::optional<QString> name = Files().Choose(this, dialogs::kOpenSettings);
  if (!name) return;
  try {
    ShowGridInTable(LoadGridCellFile(ToPath(*name)), fields_);
  } catch (const std::exception& error) {
    Messages().Error(this, QString::fromStdString(error.what()));
  }
}

void MarcToSheetPage::RzButton21Click() {
  MarcToSheetOptions options{ToPath(marc_file_->text()),
                             ToPath(sheet_file_->text()),
                             {}};
  for (int row = 0; row < fields_->rowCount(); ++row) {
    options.fields.push_back({CellText(fields_, row, 0).toStdString(),
                              CellText(fields_, row, 1).toStdString()});
  }
  runner_.Run<MarcToSheetResult>(
      [&](OperationHost& host) { return RunMarcToSheet(options, host); });
}

}  // namespace veltrane::app
