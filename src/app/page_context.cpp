#include "app/page_context.h"

#include "app/messages.h"

namespace veltrane::app {

TMainData* PageContext::RequireData(QWidget* page) const {
  TMainData* database = data ? data() : nullptr;
  if (!database) {
    Messages().Error(page, QStringLiteral("采购数据库（veldata.db）没有打开，"
                                          "无法使用现场采购数据。"));
  }
  return database;
}

}  // namespace veltrane::app
