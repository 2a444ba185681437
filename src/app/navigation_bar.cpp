#include "app/navigation_bar.h"

#include <QHeaderView>

#include "app/page_table.h"

namespace veltrane::app {
namespace {

constexpr int kCaptionRole = Qt::UserRole;
constexpr int kGroupNameRole = Qt::UserRole + 1;

// "退出(E&xit)" is shown without its accelerator mark.
QString Shown(const QString& caption) {
  QString text = caption;
  return text.remove(QLatin1Char('&'));
}

QTreeWidgetItem* AddGroup(QTreeWidget* bar, const PageGroup& group) {
  auto* top = new QTreeWidgetItem(bar, {group.caption});
  top->setData(0, kGroupNameRole, QString(group.object_name));
  top->setFlags(Qt::ItemIsEnabled);
  QFont bold = top->font(0);
  bold.setBold(true);
  top->setFont(0, bold);
  top->setBackground(0, bar->palette().alternateBase());
  return top;
}

}  // namespace

NavigationBar::NavigationBar(QWidget* parent) : QTreeWidget(parent) {
  setObjectName("RzGroupBar1");
  setFixedWidth(249);
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setIndentation(12);

  const PageGroup* group_shown = nullptr;
  QTreeWidgetItem* top = nullptr;
  for (const PageRow& row : PageTable()) {
    if (row.group != group_shown) {
      group_shown = row.group;
      top = AddGroup(this, *row.group);
    }
    auto* child = new QTreeWidgetItem(top, {row.caption});
    child->setData(0, kCaptionRole, row.caption);
    child->setToolTip(0, row.hint);
  }
  auto* exit = new QTreeWidgetItem(top, {Shown(kExitCaption)});
  exit->setData(0, kCaptionRole, kExitCaption);
  QFont font = exit->font(0);
  font.setBold(true);
  font.setItalic(true);
  exit->setFont(0, font);
  expandAll();
  if (QTreeWidgetItem* home = Item(QStringLiteral("首页"))) {
    home->setSelected(true);
  }

  connect(this, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item, int) {
            QString caption = item->data(0, kCaptionRole).toString();
            if (!caption.isEmpty()) emit itemChosen(caption);
          });
}

QTreeWidgetItem* NavigationBar::Item(const QString& caption) const {
  for (int g = 0; g < topLevelItemCount(); ++g) {
    QTreeWidgetItem* group = topLevelItem(g);
    for (int i = 0; i < group->childCount(); ++i) {
      if (group->child(i)->data(0, kCaptionRole).toString() == caption) {
        return group->child(i);
      }
    }
  }
  return nullptr;
}

QString NavigationBar::HighlightedCaption() const {
  QList<QTreeWidgetItem*> selected = selectedItems();
  return selected.size() == 1
             ? selected.front()->data(0, kCaptionRole).toString()
             : QString();
}

}  // namespace veltrane::app
