#include "app/label_preview.h"

#include <QAction>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>
#include <exception>

#include "app/file_dialogs.h"
#include "app/label_layout_dialog.h"
#include "app/messages.h"
#include "app/settings.h"
#include "app/text_codec.h"
#include "labels/label_renderer.h"

namespace veltrane::app {
namespace {

const FileDialogSpec kSavePdf{true, "*.pdf", "PDF file(*.pdf)", "pdf"};

QAction* AddAction(QToolBar* bar, const char* name, const QString& caption) {
  QAction* action = bar->addAction(caption);
  action->setObjectName(name);
  return action;
}

}  // namespace

LabelPreview::LabelPreview(const std::vector<LabelRow>& rows,
                           std::string marc_file, QWidget* parent)
    : QDialog(parent),
      rows_(rows),
      marc_file_(std::move(marc_file)),
      layout_(SavedLabelLayout()),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setObjectName("frmLabelPreview");
  setWindowTitle(QStringLiteral("书标打印"));
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
  resize(600, 400);
  printer_->setFullPage(true);
  SetLabelPaper(*printer_, layout_);

  preview_ = new QPrintPreviewWidget(printer_.get());
  preview_->setObjectName("previewLabels");
  connect(preview_, &QPrintPreviewWidget::paintRequested, this,
          [this](QPrinter* printer) { Paint(*printer); });

  auto* bar = new QToolBar;
  connect(AddAction(bar, "actPrint", QStringLiteral("打印...")),
          &QAction::triggered, this, &LabelPreview::Print);
  connect(AddAction(bar, "actPdf", QStringLiteral("导出PDF...")),
          &QAction::triggered, this, &LabelPreview::ExportPdf);
  connect(AddAction(bar, "actLayout", QStringLiteral("版式...")),
          &QAction::triggered, this, &LabelPreview::EditLayout);
  bar->addSeparator();
  connect(AddAction(bar, "actZoomIn", QStringLiteral("放大")),
          &QAction::triggered, preview_, [this] { preview_->zoomIn(); });
  connect(AddAction(bar, "actZoomOut", QStringLiteral("缩小")),
          &QAction::triggered, preview_, [this] { preview_->zoomOut(); });
  connect(AddAction(bar, "actFitWidth", QStringLiteral("适合宽度")),
          &QAction::triggered, preview_, &QPrintPreviewWidget::fitToWidth);
  bar->addSeparator();
  connect(AddAction(bar, "actClose", QStringLiteral("关闭")),
          &QAction::triggered, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(bar);
  layout->addWidget(preview_, 1);

  if (QScreen* screen = this->screen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

LabelPreview::~LabelPreview() = default;

int LabelPreview::PageCount() const { return preview_->pageCount(); }

bool LabelPreview::Paint(QPrinter& printer) {
  try {
    PaintLabels(printer, layout_, rows_);
    return true;
  } catch (const std::exception& error) {
    Messages().Error(this, QString::fromStdString(error.what()));
    return false;
  }
}

void LabelPreview::Print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setFullPage(true);
  SetLabelPaper(printer, layout_);
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(QStringLiteral("书标打印"));
  if (dialog.exec() != QDialog::Accepted) return;
  // The dialog may have chosen another paper; the labels need theirs.
  SetLabelPaper(printer, layout_);
  Paint(printer);
}

void LabelPreview::ExportPdf() {
  std::optional<QString> name = Files().Choose(this, kSavePdf);
  if (!name) return;
  if (auto problem = PdfOutputProblem(ToPath(*name), marc_file_)) {
    Messages().Information(this, QString::fromStdString(*problem));
    return;
  }
  try {
    WriteLabelsPdf(ToPath(*name), layout_, rows_);
  } catch (const std::exception& error) {
    Messages().Error(this, QString::fromStdString(error.what()));
  }
}

void LabelPreview::EditLayout() {
  LabelLayoutDialog dialog(layout_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  layout_ = dialog.layout();
  SaveLabelLayout(layout_);
  SetLabelPaper(*printer_, layout_);
  preview_->updatePreview();
}

}  // namespace veltrane::app
