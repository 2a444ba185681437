#include "grid/marc_cell_delegate.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QTextDocument>
#include <cmath>

#include "grid/marc_grid_model.h"
#include "grid/marc_rich_edit.h"
#include "grid/marked_text.h"

namespace veltrane::grid {
namespace {

constexpr int kMargin = 2;  // between a cell's border and its text

bool IsDescription(const QModelIndex& index) {
  return index.column() == kRemarkColumn;
}

}  // namespace

MarcCellDelegate::MarcCellDelegate(const TSetup& setup, QObject* parent)
    : QStyledItemDelegate(parent), setup_(setup) {}

void MarcCellDelegate::paint(QPainter* painter,
                             const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  QStyleOptionViewItem background = option;
  initStyleOption(&background, index);
  background.text.clear();
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

  const bool selected = option.state & QStyle::State_Selected;
  const QColor ink =
      selected ? option.palette.color(QPalette::HighlightedText)
      : IsDescription(index) ? option.palette.color(QPalette::Text)
                             : setup_.EditFontColor;
  QRect text_rect = option.rect.adjusted(kMargin, kMargin, -kMargin, -kMargin);
  auto document = MarkedDocument(
      index.data().toString(), IsDescription(index) ? option.font : setup_.EditFont,
      text_rect.width(), ink, setup_.MarcFieldMarkColor);
  painter->save();
  painter->translate(text_rect.topLeft());
  document->drawContents(painter, QRectF(0, 0, text_rect.width(),
                                         text_rect.height()));
  painter->restore();
}

int MarcCellDelegate::TextHeight(const QModelIndex& index, int width,
                                 const QFont& grid_font) const {
  auto document = MarkedDocument(
      index.data().toString(), IsDescription(index) ? grid_font : setup_.EditFont,
      width - 2 * kMargin, Qt::black, Qt::black);
  return static_cast<int>(std::ceil(document->size().height())) + 2 * kMargin;
}

QWidget* MarcCellDelegate::createEditor(QWidget* parent,
                                        const QStyleOptionViewItem&,
                                        const QModelIndex&) const {
  auto* editor = new TMarcRichEdit(setup_.EditFontColor,
                                   setup_.MarcFieldMarkColor, parent);
  editor->setFont(setup_.EditFont);
  // Qt creates editors through a const function; relaying their requests is
  // the delegate's own business.
  const_cast<MarcCellDelegate*>(this)->Relay(editor);
  return editor;
}

void MarcCellDelegate::Relay(TMarcRichEdit* editor) {
  open_editor_ = editor;
  connect(editor, &TMarcRichEdit::moveRequested, this,
          [this, editor](int row_step, int column_step) {
            emit commitData(editor);
            open_editor_ = nullptr;
            emit closeEditor(editor);
            emit editorMoveRequested(row_step, column_step);
          });
  connect(editor, &TMarcRichEdit::finishRequested, this, [this, editor] {
    emit commitData(editor);
    open_editor_ = nullptr;
    emit closeEditor(editor);
  });
  connect(editor, &TMarcRichEdit::heightRequested, this,
          &MarcCellDelegate::editorHeightRequested);
}

void MarcCellDelegate::setEditorData(QWidget* editor,
                                     const QModelIndex& index) const {
  static_cast<TMarcRichEdit*>(editor)->SetMarkedText(index.data().toString());
}

void MarcCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
  model->setData(index, static_cast<TMarcRichEdit*>(editor)->toPlainText(),
                 Qt::EditRole);
}

void MarcCellDelegate::updateEditorGeometry(QWidget* editor,
                                            const QStyleOptionViewItem& option,
                                            const QModelIndex&) const {
  editor->setGeometry(option.rect);
}

bool MarcCellDelegate::eventFilter(QObject* object, QEvent* event) {
  // An editor closed by its own keys must not be committed again as its
  // focus goes.
  if (event->type() == QEvent::KeyPress || object != open_editor_) {
    return false;
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace veltrane::grid
