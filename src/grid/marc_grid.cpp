#include "grid/marc_grid.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <algorithm>

#include "grid/field_descriptions.h"
#include "grid/marc_cell_delegate.h"
#include "grid/marc_grid_model.h"
#include "grid/marc_info_panel.h"
#include "grid/marc_rich_edit.h"
#include "grid/marked_text.h"
#include "marc/record.h"
#include "util/encoding.h"

namespace veltrane::grid {
namespace {

constexpr int kTagWidth = 42;
constexpr int kIndicatorWidth = 35;
constexpr int kHelpPanelGap = 20;  // between the panel and the window's edge

QString Decoded(std::string_view bytes, TextEncoding encoding) {
  return QString::fromStdString(DecodeForDisplay(bytes, encoding));
}

// Field data for a person: text by the record's encoding, delimiters as "■".
QString DataForDisplay(std::string_view data, TextEncoding encoding) {
  return Decoded(data, encoding).replace(QChar(kSubfieldDelimiter), kMark);
}

}  // namespace

TMarcGrid::TMarcGrid(QWidget* parent)
    : QTableView(parent),
      model_(new MarcGridModel(this)),
      delegate_(new MarcCellDelegate(setup_, this)),
      menu_(new QMenu(this)) {
  setObjectName("MarcGrid");
  setup_.EditFont = font();
  setModel(model_);
  setItemDelegate(delegate_);
  setEditTriggers(QAbstractItemView::DoubleClicked |
                  QAbstractItemView::SelectedClicked |
                  QAbstractItemView::AnyKeyPressed);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFrameShape(QFrame::NoFrame);
  setWordWrap(true);
  setMinimumSize(480, 240);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(kDefaultRowHeight);
  horizontalHeader()->setStretchLastSection(true);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  setColumnWidth(kRemarkColumn, kDescriptionWidth);
  setColumnWidth(kTagColumn, kTagWidth);
  setColumnWidth(kIndicatorColumn, kIndicatorWidth);
  BuildMenu();

  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { UpdateHelp(current.row()); });
  connect(delegate_, &MarcCellDelegate::editorMoveRequested, this,
          &TMarcGrid::MoveEditor);
  connect(delegate_, &MarcCellDelegate::editorHeightRequested, this,
          &TMarcGrid::GrowEditedRow);
  Clear();
}

TMarcGrid::~TMarcGrid() {
  // The panel lives on the window, which may outlive the grid.
  delete panel_;
}

void TMarcGrid::BuildMenu() {
  auto add = [this](const QString& caption, const QKeySequence& shortcut,
                    auto slot) {
    QAction* action = menu_->addAction(caption);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action, &QAction::triggered, this, slot);
    addAction(action);
    return action;
  };
  help_action_ = menu_->addAction(QStringLiteral("帮助"));
  help_action_->setShortcut(Qt::Key_F1);
  help_action_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  help_action_->setCheckable(true);
  connect(help_action_, &QAction::toggled, this, &TMarcGrid::ShowHelp);
  addAction(help_action_);
  add(QStringLiteral("隐藏显示说明栏"), QKeySequence(Qt::Key_F2),
      [this] { ToggleRemarkColumn(); });
  menu_->addSeparator();
  add(QStringLiteral("填入MARC模板"), {}, [this] { LoadTemplate(); });
  add(QStringLiteral("清空"), {}, [this] { Clear(); });
  menu_->addSeparator();
  add(QStringLiteral("当前行下插入字段"),
      QKeySequence(Qt::CTRL | Qt::Key_Insert),
      [this] { InsertRowBelow(currentIndex().row()); });
  add(QStringLiteral("删除当前字段"), QKeySequence(Qt::CTRL | Qt::Key_Delete),
      [this] { DeleteRow(currentIndex().row()); });

  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) {
            menu_->popup(viewport()->mapToGlobal(at));
          });
}

void TMarcGrid::SetShowTitle(bool show) {
  horizontalHeader()->setVisible(show);
}

void TMarcGrid::SetShowRemark(bool show) {
  setColumnHidden(kRemarkColumn, !show);
  if (show) setColumnWidth(kRemarkColumn, kDescriptionWidth);
}

bool TMarcGrid::ShowRemark() const { return !isColumnHidden(kRemarkColumn); }

void TMarcGrid::LoadRecord(std::string_view record_text) {
  const int column = std::max(currentIndex().column(), int{kTagColumn});
  model_->SetRows({MarcGridRow{}});
  setCurrentIndex(model_->index(0, column));
  if (record_text.empty()) {
    AutoRowHeights();
    return;
  }
  TMarcRecord record = TMarcRecord::Create(record_text);
  const TextEncoding encoding = DetectEncoding(record_text);
  const FieldDescriptions& tables = FieldDescriptions::Cnmarc();
  std::vector<MarcGridRow> rows;
  rows.reserve(record.Fields().size());
  for (const TMarcFieldClass& field : record.Fields()) {
    QString tag = Decoded(field.Tag, encoding);
    QString name = field.Tag.empty() ? QString() : tables.FieldName(tag);
    rows.push_back({name, tag, Decoded(field.Indicator, encoding),
                    DataForDisplay(field.Data, encoding)});
  }
  if (rows.empty()) rows.push_back({});
  model_->SetRows(std::move(rows));
  setCurrentIndex(model_->index(0, column));
  AutoRowHeights();
}

void TMarcGrid::LoadTemplate() { LoadRecord(setup_.MarcTemplates); }

void TMarcGrid::Clear() { LoadRecord({}); }

void TMarcGrid::AutoRowHeights(int extra) {
  if (TMarcRichEdit* editor = delegate_->OpenEditor();
      editor && IsEditing()) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
  for (int row = 0; row < RowCount(); ++row) {
    FitRow(row);
    if (extra != 0) {
      setRowHeight(row, std::max(rowHeight(row) + extra, kDefaultRowHeight));
    }
  }
}

void TMarcGrid::FitRow(int row) {
  int height = 0;
  for (int column = 0; column < kMarcGridColumns; ++column) {
    if (isColumnHidden(column)) continue;
    height = std::max(height, delegate_->TextHeight(model_->index(row, column),
                                                    columnWidth(column),
                                                    font()));
  }
  // Below the text: the cell's border and the grid line.
  setRowHeight(row, std::max(height + 2 + 2 * lineWidth(), kDefaultRowHeight));
}

void TMarcGrid::InsertRowBelow(int row) {
  if (row < 0 || row >= RowCount()) return;
  model_->InsertEmptyRow(row + 1);
  FitRow(row + 1);
  QModelIndex cell = model_->index(
      row + 1, std::max(currentIndex().column(), int{kTagColumn}));
  setCurrentIndex(cell);
  setFocus();
  edit(cell);
}

void TMarcGrid::DeleteRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  model_->RemoveRowAt(row);
}

void TMarcGrid::ToggleHelp() { help_action_->toggle(); }

bool TMarcGrid::HelpChecked() const { return help_action_->isChecked(); }

void TMarcGrid::ShowHelp(bool checked) {
  HelpPanel()->setVisible(checked);
  UpdateHelp(currentIndex().row());
}

TfraMMarcInfo* TMarcGrid::HelpPanel() {
  if (!panel_) {
    QWidget* form = window();
    panel_ = new TfraMMarcInfo(form);
    panel_->move(form->width() - TfraMMarcInfo::kWidth - kHelpPanelGap,
                 form == this ? 0 : mapTo(form, QPoint(0, 0)).y());
    panel_->hide();
    connect(panel_, &TfraMMarcInfo::closeClicked, this,
            [this] { help_action_->setChecked(false); });
  }
  return panel_;
}

void TMarcGrid::UpdateHelp(int row) {
  if (!HelpChecked()) return;
  TfraMMarcInfo* panel = HelpPanel();
  if (row == 0) {
    panel->SetContent(QStringLiteral("字段说明"),
                      QStringLiteral("MARC记录头标"));
  } else {
    QString tag = Cell(row, kTagColumn).trimmed();
    panel->SetContent(tag + QStringLiteral("字段说明及其子字段"),
                      FieldHelpText(tag));
  }
  panel->show();
  panel->raise();
}

void TMarcGrid::ToggleRemarkColumn() {
  SetShowRemark(!ShowRemark());
  AutoRowHeights();
  setFocus();
}

int TMarcGrid::RowCount() const { return model_->rowCount(); }

QString TMarcGrid::Cell(int row, int column) const {
  return model_->index(row, column).data().toString();
}

void TMarcGrid::SetCell(int row, int column, const QString& text) {
  model_->setData(model_->index(row, column), text, Qt::EditRole);
}

void TMarcGrid::MoveEditor(int row_step, int column_step) {
  QModelIndex from = currentIndex();
  int row = std::clamp(from.row() + row_step, 0, RowCount() - 1);
  int column = std::clamp(from.column() + column_step, int{kTagColumn},
                          int{kDataColumn});
  QModelIndex to = model_->index(row, column);
  setCurrentIndex(to);
  edit(to);
}

void TMarcGrid::GrowEditedRow(int height) {
  if (!IsEditing()) return;
  int row = currentIndex().row();
  if (height + 5 > rowHeight(row)) {
    setRowHeight(row, height + 5);
    updateEditorGeometries();
  }
}

void TMarcGrid::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  if (!IsEditing()) AutoRowHeights();
}

}  // namespace veltrane::grid
