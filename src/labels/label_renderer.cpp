#include "labels/label_renderer.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QIODevice>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cstdio>
#include <exception>
#include <stdexcept>

#include "ops/input_checks.h"
#include "util/encoding.h"
#include "util/output_file.h"

namespace veltrane {
namespace {

constexpr double kMmPerInch = 25.4;

// Hands what QPdfWriter writes to an OutputFile. A failed write is kept
// for RethrowError, since an exception must not pass through Qt's code.
class OutputFileDevice : public QIODevice {
 public:
  explicit OutputFileDevice(OutputFile& out) : out_(out) {
    open(QIODevice::WriteOnly);
  }
  bool isSequential() const override { return true; }
  void RethrowError() const {
    if (error_) std::rethrow_exception(error_);
  }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    if (error_) return -1;
    try {
      out_.Write(std::string_view(data, static_cast<size_t>(size)));
    } catch (...) {
      error_ = std::current_exception();
      return -1;
    }
    return size;
  }

 private:
  OutputFile& out_;
  std::exception_ptr error_;
};

void QuietMessages(QtMsgType type, const QMessageLogContext&,
                   const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  }
}

int g_argc = 1;
char g_arg0[] = "veltrane";
char* g_argv[] = {g_arg0, nullptr};

// Draws one label's texts with its top-left corner at `left`, `top` (mm).
class LabelPainter {
 public:
  LabelPainter(QPainter& painter, QPaintDevice& device,
               const LabelLayout& layout)
      : painter_(painter),
        layout_(layout),
        dots_per_mm_(device.logicalDpiX() / kMmPerInch),
        metrics_(LabelFont(layout), &device) {
    painter_.setFont(LabelFont(layout));
    painter_.setPen(Qt::black);
    painter_.setBackgroundMode(Qt::TransparentMode);
  }

  void Paint(const LabelRow& row, double left, double top) {
    for (const LabelText& text : layout_.texts) {
      const std::string& value = row[text.field];
      if (value.empty()) continue;
      QString shown = QString::fromStdString(GbkToUtf8(value));
      QRectF box(Dots(left + layout_.text_left), Dots(top + text.top),
                 Dots(text.width), Dots(layout_.label_height - text.top));
      QPointF baseline(box.left(), box.top() + metrics_.ascent());
      // Text wider than its box is cut off, as on the label stock.
      bool clip = metrics_.horizontalAdvance(shown) > box.width();
      if (clip) {
        painter_.save();
        painter_.setClipRect(box);
      }
      painter_.drawText(baseline, shown);
      if (clip) painter_.restore();
    }
  }

 private:
  double Dots(double mm) const { return mm * dots_per_mm_; }

  QPainter& painter_;
  const LabelLayout& layout_;
  double dots_per_mm_;
  QFontMetricsF metrics_;
};

}  // namespace

QFont LabelFont(const LabelLayout& layout) {
  // WenQuanYi before Noto: its character map sends each glyph back to one
  // character, so Chinese text copied out of a PDF stays the same text.
  QFont font(QStringList{QStringLiteral("Liberation Sans"),
                         QStringLiteral("WenQuanYi Micro Hei"),
                         QStringLiteral("Noto Sans CJK SC")});
  font.setPointSizeF(layout.font_points);
  return font;
}

void SetLabelPaper(QPagedPaintDevice& device, const LabelLayout& layout) {
  device.setPageSize(QPageSize(QSizeF(layout.paper_width, layout.paper_height),
                               QPageSize::Millimeter, QString(),
                               QPageSize::ExactMatch));
  device.setPageOrientation(QPageLayout::Portrait);
  device.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void PaintLabels(QPagedPaintDevice& device, const LabelLayout& layout,
                 std::span<const LabelRow> rows) {
  QPainter painter;
  if (!painter.begin(&device)) {
    throw std::runtime_error("无法开始打印书标");
  }
  LabelPainter labels(painter, device, layout);
  const int64_t per_page = layout.LabelsPerPage();
  for (size_t i = 0; i < rows.size(); ++i) {
    int64_t index = static_cast<int64_t>(i);
    if (index > 0 && index % per_page == 0) device.newPage();
    labels.Paint(rows[i], layout.LabelLeft(index), layout.LabelTop(index));
  }
  if (!painter.end()) throw std::runtime_error("书标打印失败");
}

void WriteLabelsPdf(const std::string& path, const LabelLayout& layout,
                    std::span<const LabelRow> rows) {
  OutputFile out(path);
  OutputFileDevice device(out);
  {
    QPdfWriter pdf(&device);
    pdf.setCreator(QStringLiteral("Veltrane"));
    pdf.setTitle(QStringLiteral("书标"));
    SetLabelPaper(pdf, layout);
    PaintLabels(pdf, layout, rows);
  }
  device.RethrowError();
  out.Commit();
}

std::optional<std::string> PdfOutputProblem(const std::string& pdf,
                                            const std::string& marc_file) {
  // The one check every run makes of its files; a clash names the PDF.
  std::optional<InputProblem> problem =
      CheckRunFiles({{{marc_file, "marc_file"}}, {{pdf, "pdf"}}});
  if (!problem) return std::nullopt;
  if (problem->input != "pdf") return problem->message;
  return "PDF文件不能是原始MARC文件本身：" + pdf;
}

HeadlessGui::HeadlessGui() {
  if (QCoreApplication::instance() != nullptr) return;
  qInstallMessageHandler(QuietMessages);
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  app_ = std::make_unique<QGuiApplication>(g_argc, g_argv);
}

HeadlessGui::~HeadlessGui() = default;

}  // namespace veltrane
