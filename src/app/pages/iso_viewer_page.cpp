#include "app/pages/iso_viewer_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/file_dialogs.h"
#include "app/messages.h"
#include "app/text_codec.h"
#include "grid/marc_grid.h"

namespace veltrane::app {
namespace {

QPushButton* Button(const char* name, const QString& caption) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  return button;
}

// Runs a handler only when no other step of the page is running (the
// window keeps processing clicks while a file is read).
class Guard {
 public:
  explicit Guard(bool& busy) : busy_(busy), entered_(!busy) { busy_ = true; }
  ~Guard() {
    if (entered_) busy_ = false;
  }
  Guard(const Guard&) = delete;
  Guard& operator=(const Guard&) = delete;
  bool entered() const { return entered_; }

 private:
  bool& busy_;
  bool entered_;
};

}  // namespace

IsoViewerPage::IsoViewerPage(const PageContext& context, QWidget* parent)
    : QWidget(parent),
      file_(new QLineEdit),
      position_(new QLabel(QStringLiteral("记录：0/0"))),
      grid_(new grid::TMarcGrid),
      go_to_(new QLineEdit),
      find_(new QLineEdit),
      stop_find_(Button("btnStopFind", QStringLiteral("停止"))),
      runner_(this, nullptr, context.progress_bar) {
  file_->setObjectName("RzEdit45");
  position_->setObjectName("RzLabel74");
  grid_->setObjectName("MarcGrid1");
  go_to_->setObjectName("edtGoTo");
  go_to_->setValidator(new QIntValidator(1, INT_MAX, go_to_));
  go_to_->setMaximumWidth(80);
  find_->setObjectName("edtFind");
  find_->setPlaceholderText(QStringLiteral("ISBN或题名"));
  stop_find_->hide();
  runner_.SetStopCheck([this] { return stop_requested_; });

  QPushButton* browse = Button("RzButton64", QStringLiteral("浏览..."));
  auto* file_row = new QHBoxLayout;
  file_row->addWidget(new QLabel(QStringLiteral("ISO文件：")));
  file_row->addWidget(file_, 1);
  file_row->addWidget(browse);
  connect(browse, &QPushButton::clicked, this, &IsoViewerPage::RzButton64Click);

  auto* steps = new QHBoxLayout;
  steps->addWidget(position_);
  steps->addStretch();
  const std::pair<const char*, QString> captions[] = {
      {"RzButton65", QStringLiteral("|<< 首条")},
      {"RzButton66", QStringLiteral(" << 前条")},
      {"RzButton67", QStringLiteral("后条 >> ")},
      {"RzButton74", QStringLiteral("最后 >>| ")}};
  const std::function<int64_t(int64_t)> moves[] = {
      [](int64_t) { return int64_t{1}; },
      [](int64_t current) { return current - 1; },
      [](int64_t current) { return current + 1; },
      [](int64_t) { return INT64_MAX; }};
  for (int i = 0; i < 4; ++i) {
    QPushButton* button = Button(captions[i].first, captions[i].second);
    steps->addWidget(button);
    connect(button, &QPushButton::clicked, this,
            [this, move = moves[i]] { Navigate(move); });
  }

  auto* jump = new QHBoxLayout;
  QPushButton* go_to = Button("btnGoTo", QStringLiteral("转到"));
  QPushButton* find = Button("btnFind", QStringLiteral("查找下一条"));
  jump->addWidget(new QLabel(QStringLiteral("记录号：")));
  jump->addWidget(go_to_);
  jump->addWidget(go_to);
  jump->addSpacing(16);
  jump->addWidget(new QLabel(QStringLiteral("查找：")));
  jump->addWidget(find_, 1);
  jump->addWidget(find);
  jump->addWidget(stop_find_);
  connect(go_to, &QPushButton::clicked, this, &IsoViewerPage::GoToClick);
  connect(go_to_, &QLineEdit::returnPressed, this, &IsoViewerPage::GoToClick);
  connect(find, &QPushButton::clicked, this, &IsoViewerPage::FindClick);
  connect(find_, &QLineEdit::returnPressed, this, &IsoViewerPage::FindClick);
  connect(stop_find_, &QPushButton::clicked, this,
          [this] { stop_requested_ = true; });

  grid_->setColumnWidth(3, 302);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(file_row);
  layout->addWidget(grid_, 1);
  layout->addLayout(steps);
  layout->addLayout(jump);
}

std::string IsoViewerPage::FileName() const { return ToPath(file_->text()); }

void IsoViewerPage::UpdateLabel() {
  position_->setText(
      QStringLiteral("记录：%1/%2").arg(current_).arg(total_));
}

void IsoViewerPage::RzButton64Click() {
  if (std::optional<QString> name = Files().Choose(this, dialogs::kOpenMarc)) {
    OpenFile(*name);
  }
}

void IsoViewerPage::OpenFile(const QString& file_name) {
  Guard guard(busy_);
  if (!guard.entered()) return;
  file_->setText(file_name);
  runner_.Attempt([&](OperationHost& host) {
    index_ = IsoFileIndex::Build(FileName(), host);
    total_ = index_.Total();
    current_ = 1;
    UpdateLabel();
    ShowCurrent(host);
  });
}

void IsoViewerPage::ShowCurrent(OperationHost& host) {
  index_.Show(
      FileName(), current_,
      [this](int64_t, std::string_view record, bool& cont) {
        cont = false;
        grid_->LoadRecord(record);
      },
      host);
}

void IsoViewerPage::Navigate(const std::function<int64_t(int64_t)>& to) {
  Guard guard(busy_);
  if (!guard.entered()) return;
  if (total_ == 0 || !IsoFileIndex::FileExists(FileName())) return;
  current_ = std::clamp<int64_t>(to(current_), 1, total_);
  UpdateLabel();
  runner_.Attempt([&](OperationHost& host) { ShowCurrent(host); });
}

void IsoViewerPage::GoToClick() {
  bool number = false;
  int64_t wanted = go_to_->text().toLongLong(&number);
  if (total_ > 0 && (!number || wanted < 1 || wanted > total_)) {
    Messages().Information(
        this, QStringLiteral("请输入1到%1之间的记录号。").arg(total_));
    return;
  }
  Navigate([wanted](int64_t) { return wanted; });
}

void IsoViewerPage::FindClick() {
  Guard guard(busy_);
  if (!guard.entered()) return;
  const QString needle = find_->text().trimmed();
  if (needle.isEmpty()) {
    Messages().Information(this, QStringLiteral("请输入要查找的ISBN或题名。"));
    find_->setFocus();
    return;
  }
  if (total_ == 0 || !IsoFileIndex::FileExists(FileName())) return;
  stop_requested_ = false;
  stop_find_->show();
  std::optional<int64_t> found;
  runner_.Attempt([&](OperationHost& host) {
    found = index_.Find(FileName(), current_, needle.toStdString(), host);
    if (!found) return;
    current_ = *found;
    UpdateLabel();
    ShowCurrent(host);
  });
  stop_find_->hide();
  if (!found && !stop_requested_) {
    Messages().Information(
        this, QStringLiteral("第%1条之后没有找到“%2”。").arg(current_).arg(needle));
  }
}

}  // namespace veltrane::app
