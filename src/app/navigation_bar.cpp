#include "app/navigation_bar.h"

#include <QHeaderView>

namespace veltrane::app {
namespace {

constexpr int kCaptionRole = Qt::UserRole;
constexpr int kGroupNameRole = Qt::UserRole + 1;

struct NavItem {
  QString caption;
  QString hint;
};

struct NavGroup {
  const char* name;
  QString caption;
  std::vector<NavItem> items;
};

std::vector<NavGroup> Groups() {
  return {
      {"RzGroup1",
       QStringLiteral("现场采购"),
       {{QStringLiteral("导入采购方MARC数据"),
         QStringLiteral("导入采购方（图书馆）MARC数据")},
        {QStringLiteral("现场采购"),
         QStringLiteral("边扫ISBN，边确认是否采购。")},
        {QStringLiteral("利用ISBN输出供应商MARC数据"),
         QStringLiteral("利用ISBN输出供应商MARC数据")},
        {QStringLiteral("现场采购数据维护"), {}}}},
      {"RzGroup2",
       QStringLiteral("双方数据自动查重(批查重)"),
       {{QStringLiteral("利用双方MARC数据自动匹配查重"), {}},
        {QStringLiteral("利用双方ISBN文件自动匹配查重"), {}},
        {QStringLiteral("利用双方EXCEL文件自动匹配查重"), {}}}},
      {"RzGroup3",
       QStringLiteral("常用数据处理"),
       {{QStringLiteral("从MARC数据中输出ISBN"), {}},
        {QStringLiteral("MARC转EXCEL"), {}},
        {QStringLiteral("EXCEL转MARC"), {}},
        {QStringLiteral("对MARC文件批量修改"), {}},
        {QStringLiteral("数据去重"), {}},
        {QStringLiteral("分割MARC文件"), {}},
        {QStringLiteral("合并ISO文件"), {}},
        {QStringLiteral("对ISBN列格式进行转换"), {}},
        {QStringLiteral("查看ISO文件"), {}},
        {QStringLiteral("书标打印"), {}}}},
      {"RzGroup4",
       QStringLiteral("系统"),
       {{QStringLiteral("首页"), {}},
        {QStringLiteral("CNMARC说明"), {}},
        {kExitCaption, {}}}},
  };
}

// "退出(E&xit)" is shown without its accelerator mark.
QString Shown(const QString& caption) {
  QString text = caption;
  return text.remove(QLatin1Char('&'));
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

  for (const NavGroup& group : Groups()) {
    auto* top = new QTreeWidgetItem(this, {group.caption});
    top->setData(0, kGroupNameRole, QString(group.name));
    top->setFlags(Qt::ItemIsEnabled);
    QFont bold = top->font(0);
    bold.setBold(true);
    top->setFont(0, bold);
    top->setBackground(0, palette().alternateBase());
    for (const NavItem& item : group.items) {
      auto* child = new QTreeWidgetItem(top, {Shown(item.caption)});
      child->setData(0, kCaptionRole, item.caption);
      child->setToolTip(0, item.hint);
      if (item.caption == kExitCaption) {
        QFont font = child->font(0);
        font.setBold(true);
        font.setItalic(true);
        child->setFont(0, font);
      }
    }
  }
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
