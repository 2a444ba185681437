// Draws and edits the cells of the MARC grid: texts wrap inside a 2-pixel
// margin, "■" in the mark colour; every editable cell is edited in a
// TMarcRichEdit, whose requests (move on, grow) are passed on as signals.
#ifndef VELTRANE_GRID_MARC_CELL_DELEGATE_H_
#define VELTRANE_GRID_MARC_CELL_DELEGATE_H_

#include <QPointer>
#include <QStyledItemDelegate>

#include "grid/grid_setup.h"

namespace veltrane::grid {

class TMarcRichEdit;

class MarcCellDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  MarcCellDelegate(const TSetup& setup, QObject* parent);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
  void updateEditorGeometry(QWidget* editor,
                            const QStyleOptionViewItem& option,
                            const QModelIndex& index) const override;

  // The editor open now, if any.
  TMarcRichEdit* OpenEditor() const { return open_editor_; }

  // The height the cell's text needs at `width` pixels.
  int TextHeight(const QModelIndex& index, int width,
                 const QFont& grid_font) const;

 signals:
  void editorMoveRequested(int row_step, int column_step);
  void editorHeightRequested(int height);

 protected:
  // Keys go to the editor itself; focus changes end the edit as usual.
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  void Relay(TMarcRichEdit* editor);

  const TSetup& setup_;
  QPointer<TMarcRichEdit> open_editor_;
};

}  // namespace veltrane::grid

#endif  // VELTRANE_GRID_MARC_CELL_DELEGATE_H_
