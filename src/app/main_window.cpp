#include "app/main_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStackedWidget>
#include <QStatusBar>

#include "app/idle_flag.h"
#include "app/messages.h"
#include "app/navigation_bar.h"
#include "app/page_table.h"
#include "app/pages/home_page.h"
#include "app/pages/iso_viewer_page.h"
#include "app/pages/unavailable_page.h"
#include "app/settings.h"
#include "app/text_codec.h"
#include "db/main_data.h"

namespace veltrane::app {
namespace {

QString InstitutionPanelText(const QString& name) {
  return name.isEmpty() ? QString() : QStringLiteral("本馆：") + name;
}

const QString kViewerCaption = QStringLiteral("查看ISO文件");

QLabel* StatusPanel(int width) {
  auto* panel = new QLabel;
  panel->setFrameShape(QFrame::StyledPanel);
  if (width > 0) panel->setFixedWidth(width);
  return panel;
}

}  // namespace

TfrmMain::TfrmMain(QWidget* parent)
    : QMainWindow(parent),
      navigation_(new NavigationBar),
      notebook_(new QStackedWidget),
      progress_bar_(new QProgressBar),
      institution_panel_(StatusPanel(0)) {
  setObjectName("frmMain");
  setWindowTitle(QStringLiteral("Veltrane V3.2"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::CustomizeWindowHint);
  setFixedSize(779, 600);

  notebook_->setObjectName("Notebook1");
  auto* central = new QWidget;
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(navigation_);
  layout->addWidget(notebook_, 1);
  setCentralWidget(central);

  QStatusBar* status = statusBar();
  status->setObjectName("SuStatusBar1");
  status->setFixedHeight(23);
  progress_bar_->setObjectName("prgBar");
  progress_bar_->setFixedWidth(320);
  progress_bar_->hide();
  status->addWidget(StatusPanel(75));
  status->addWidget(progress_bar_);
  status->addWidget(StatusPanel(350));
  status->addWidget(institution_panel_, 1);
  institution_panel_->setText(InstitutionPanelText(InstitutionName()));

  PageContext context{progress_bar_, [this] { return data_.get(); }};
  for (const PageRow& row : PageTable()) AddPage(row, context);
  if (auto* home = notebook_->findChild<HomePage*>()) {
    connect(home, &HomePage::institutionChanged, this,
            [this](const QString& name) {
              institution_panel_->setText(InstitutionPanelText(name));
            });
  }
  notebook_->setCurrentWidget(pages_.at(QStringLiteral("首页")).widget);

  connect(navigation_, &NavigationBar::itemChosen, this,
          &TfrmMain::EnterOperator);
}

TfrmMain::~TfrmMain() {
  // The pages show and post to the database: they go before it does.
  delete takeCentralWidget();
}

void TfrmMain::AddPage(const PageRow& row, const PageContext& context) {
  QWidget* page =
      row.make ? row.make(context) : new UnavailablePage(row.caption);
  page->setProperty("pageName", row.caption);
  notebook_->addWidget(page);
  pages_[row.caption] = {page, &row};
}

void TfrmMain::OpenDatabase(const std::string& path) {
  try {
    data_ = TMainData::Open(path);
  } catch (const std::exception& error) {
    Messages().Error(this, QString::fromStdString(error.what()));
  }
}

void TfrmMain::EnterOperator(const QString& caption) {
  if (caption == kExitCaption) {
    ExitSystem();
    return;
  }
  if (QTreeWidgetItem* item = navigation_->Item(caption)) {
    navigation_->setCurrentItem(item);
  }
  // While an operation runs the page stays, and so does the data it walks.
  auto page = pages_.find(caption);
  if (page == pages_.end() || !IsIdle()) return;
  notebook_->setCurrentWidget(page->second.widget);
  if (page->second.row->shown) page->second.row->shown(page->second.widget);
}

void TfrmMain::RunStartupSteps(const QStringList& arguments) {
  const QString file_name = arguments.join(' ').trimmed();
  if (file_name.isEmpty()) return;
  EnterOperator(kViewerCaption);
  auto* viewer =
      qobject_cast<IsoViewerPage*>(pages_.at(kViewerCaption).widget);
  viewer->OpenFile(file_name);
}

void TfrmMain::ExitSystem() { close(); }

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (IsIdle()) {
    event->accept();
  } else {
    event->ignore();
  }
}

QString TfrmMain::CurrentPage() const {
  QWidget* page = notebook_->currentWidget();
  return page ? page->property("pageName").toString() : QString();
}

}  // namespace veltrane::app
