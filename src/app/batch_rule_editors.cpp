#include "app/batch_rule_editors.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTableWidget>

#include "app/sheet_grids.h"
#include "ops/batch_modify.h"

namespace veltrane::app {
namespace {

QString ChangeTagName() { return QString::fromUtf8(kBatchOperations[3]); }

bool IsChangeTagRow(const QModelIndex& index) {
  return index.siblingAtColumn(kOperationColumn).data().toString() ==
         ChangeTagName();
}

class OperationDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex&) const override {
    auto* box = new QComboBox(parent);
    for (const char* name : kBatchOperations) {
      box->addItem(QString::fromUtf8(name));
    }
    return box;
  }
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    auto* box = static_cast<QComboBox*>(editor);
    box->setCurrentIndex(box->findText(index.data().toString()));
  }
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override {
    auto* box = static_cast<QComboBox*>(editor);
    if (box->currentIndex() >= 0) model->setData(index, box->currentText());
  }
};

class IndicatorDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex& index) const override {
    if (IsChangeTagRow(index)) return nullptr;
    auto* editor = new QLineEdit(parent);
    editor->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9 ]*")), editor));
    return editor;
  }
};

// Types "■" for a backslash in a content editor of a data-field row.
class MarkTyping : public QObject {
 public:
  explicit MarkTyping(QLineEdit* editor) : QObject(editor), editor_(editor) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress ||
        static_cast<QKeyEvent*>(event)->text() != QStringLiteral("\\")) {
      return false;
    }
    editor_->insert(QStringLiteral("■"));
    return true;
  }

 private:
  QLineEdit* editor_;
};

class ContentDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex& index) const override {
    auto* editor = new QLineEdit(parent);
    if (BackslashTypesMark(
            index.siblingAtColumn(kFieldColumn).data().toString())) {
      editor->installEventFilter(new MarkTyping(editor));
    }
    return editor;
  }
};

void ShadeRow(QTableWidget* table, int row) {
  QTableWidgetItem* item = table->item(row, kIndicatorColumn);
  if (!item) {
    item = new QTableWidgetItem;
    table->setItem(row, kIndicatorColumn, item);
  }
  const bool grey = CellText(table, row, kOperationColumn) == ChangeTagName();
  item->setBackground(grey ? QBrush(Qt::lightGray) : QBrush(Qt::white));
}

}  // namespace

bool BackslashTypesMark(const QString& field) {
  if (field.size() != 3) return false;
  for (QChar c : field) {
    if (c < u'0' || c > u'9') return false;
  }
  return field.toInt() >= 9;
}

void InstallBatchRuleEditors(QTableWidget* table) {
  table->setItemDelegateForColumn(kFieldColumn, new FieldSpecDelegate(table));
  table->setItemDelegateForColumn(kOperationColumn,
                                  new OperationDelegate(table));
  table->setItemDelegateForColumn(kIndicatorColumn,
                                  new IndicatorDelegate(table));
  table->setItemDelegateForColumn(kContentColumn, new ContentDelegate(table));
  QObject::connect(table, &QTableWidget::itemChanged, table,
                   [table](QTableWidgetItem* item) {
                     if (item->column() == kOperationColumn) {
                       ShadeRow(table, item->row());
                     }
                   });
}

void ShadeIndicatorCells(QTableWidget* table) {
  for (int row = 0; row < table->rowCount(); ++row) ShadeRow(table, row);
}

}  // namespace veltrane::app
