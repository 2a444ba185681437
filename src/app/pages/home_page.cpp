#include "app/pages/home_page.h"

#include <QGraphicsDropShadowEffect>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/messages.h"
#include "app/settings.h"

namespace veltrane::app {
namespace {

// A row of book spines on a shelf, drawn rather than loaded.
class BookshelfPicture : public QWidget {
 public:
  BookshelfPicture() { setFixedSize(400, 170); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colours[] = {{176, 48, 48},  {46, 92, 150},  {214, 160, 46},
                              {60, 130, 84},  {120, 72, 140}, {190, 96, 40},
                              {40, 110, 120}, {150, 40, 70}};
    const int shelf_y = height() - 24;
    int x = 24;
    for (int i = 0; i < 14; ++i) {
      int w = 16 + (i * 7) % 11;
      int h = 90 + (i * 37) % 50;
      QRectF spine(x, shelf_y - h, w, h);
      painter.setBrush(colours[i % 8]);
      painter.setPen(QPen(colours[i % 8].darker(140), 1));
      if (i == 11) {  // one book leans on its neighbour
        painter.save();
        painter.translate(spine.bottomLeft());
        painter.rotate(-14);
        painter.drawRoundedRect(QRectF(0, -h, w, h), 2, 2);
        painter.restore();
        x += w + 16;
        continue;
      }
      painter.drawRoundedRect(spine, 2, 2);
      painter.setPen(QPen(QColor(255, 255, 255, 150), 2));
      painter.drawLine(QPointF(x + 3, shelf_y - h + 12),
                       QPointF(x + w - 3, shelf_y - h + 12));
      x += w + 2;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(120, 84, 50));
    painter.drawRect(QRectF(10, shelf_y, width() - 20, 10));
  }
};

}  // namespace

HomePage::HomePage(QWidget* parent) : QWidget(parent) {
  auto* greeting = new QLabel(QStringLiteral("欢迎使用："));
  auto* title = new QLabel(QStringLiteral("《Veltrane V3.2》"));
  title->setObjectName("lblTitle");
  QFont font = title->font();
  font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                    QStringLiteral("Noto Serif CJK SC"),
                    QStringLiteral("WenQuanYi Micro Hei")});
  font.setPixelSize(27);
  font.setBold(true);
  title->setFont(font);
  title->setStyleSheet("color: #d00000;");
  auto* shadow = new QGraphicsDropShadowEffect(title);
  shadow->setOffset(2, 2);
  shadow->setBlurRadius(3);
  shadow->setColor(QColor(0, 0, 0, 110));
  title->setGraphicsEffect(shadow);

  auto* library = new QGroupBox(QStringLiteral("本馆"));
  auto* library_row = new QHBoxLayout(library);
  institution_ = new QLineEdit(InstitutionName());
  institution_->setObjectName("edtInstitution");
  institution_->setPlaceholderText(
      QStringLiteral("图书馆名称，用于生成的801字段$b"));
  auto* save = new QPushButton(QStringLiteral("保存"));
  save->setObjectName("btnInstitution");
  library_row->addWidget(new QLabel(QStringLiteral("本馆名称：")));
  library_row->addWidget(institution_, 1);
  library_row->addWidget(save);
  connect(save, &QPushButton::clicked, this, [this] {
    SetInstitutionName(institution_->text());
    institution_->setText(InstitutionName());
    emit institutionChanged(InstitutionName());
    Messages().Information(this, QStringLiteral("本馆名称已保存。"));
  });

  auto* layout = new QVBoxLayout(this);
  layout->addSpacing(30);
  layout->addWidget(greeting);
  layout->addWidget(title, 0, Qt::AlignHCenter);
  layout->addSpacing(20);
  layout->addWidget(new BookshelfPicture, 0, Qt::AlignHCenter);
  layout->addStretch();
  layout->addWidget(library);
}

}  // namespace veltrane::app
