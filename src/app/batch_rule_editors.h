// The cell editors of the batch rule table (字段, 操作, 指示符, 内容): the
// operation as a drop-down of the four operations only; an indicator of
// digits and blanks, not editable at all on a "改字段号" row; content in
// which the backslash types "■" on the rows of data fields (a 3-digit tag
// from 009 up).
#ifndef VELTRANE_APP_BATCH_RULE_EDITORS_H_
#define VELTRANE_APP_BATCH_RULE_EDITORS_H_

#include <QStyledItemDelegate>

class QTableWidget;

namespace veltrane::app {

// The columns of the rule table.
enum BatchRuleColumn {
  kFieldColumn,
  kOperationColumn,
  kIndicatorColumn,
  kContentColumn
};

// Installs the editors on `table` and keeps each row's indicator cell grey
// while its operation is "改字段号", white otherwise.
void InstallBatchRuleEditors(QTableWidget* table);

// Shows every row's indicator cell as its operation asks (after a load).
void ShadeIndicatorCells(QTableWidget* table);

// True when a backslash typed into the content of a row with this 字段
// types "■": the field is a number of 9 or more written with 3 digits.
bool BackslashTypesMark(const QString& field);

}  // namespace veltrane::app

#endif  // VELTRANE_APP_BATCH_RULE_EDITORS_H_
