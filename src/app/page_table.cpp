#include "app/page_table.h"

#include "app/pages/batch_modify_page.h"
#include "app/pages/buyer_import_page.h"
#include "app/pages/dedup_page.h"
#include "app/pages/extract_page.h"
#include "app/pages/help_page.h"
#include "app/pages/home_page.h"
#include "app/pages/isbn_check_page.h"
#include "app/pages/isbn_convert_page.h"
#include "app/pages/isbn_out_page.h"
#include "app/pages/iso_viewer_page.h"
#include "app/pages/label_page.h"
#include "app/pages/maintenance_page.h"
#include "app/pages/marc_check_page.h"
#include "app/pages/marc_to_sheet_page.h"
#include "app/pages/merge_page.h"
#include "app/pages/purchasing_page.h"
#include "app/pages/sheet_check_page.h"
#include "app/pages/sheet_to_marc_page.h"
#include "app/pages/split_page.h"

namespace veltrane::app {
namespace {

const PageGroup kPurchasing{"RzGroup1", QStringLiteral("现场采购")};
const PageGroup kBatchChecks{"RzGroup2",
                             QStringLiteral("双方数据自动查重(批查重)")};
const PageGroup kDataTools{"RzGroup3", QStringLiteral("常用数据处理")};
const PageGroup kSystem{"RzGroup4", QStringLiteral("系统")};

}  // namespace

const std::vector<PageRow>& PageTable() {
  static const std::vector<PageRow> table = {
      {&kPurchasing,
       QStringLiteral("导入采购方MARC数据"),
       QStringLiteral("导入采购方（图书馆）MARC数据"),
       Make<BuyerImportPage>(),
       {}},
      {&kPurchasing,
       QStringLiteral("现场采购"),
       QStringLiteral("边扫ISBN，边确认是否采购。"),
       Make<PurchasingPage>(),
       OnShown<PurchasingPage, &PurchasingPage::FocusScanField>()},
      {&kPurchasing,
       QStringLiteral("利用ISBN输出供应商MARC数据"),
       QStringLiteral("利用ISBN输出供应商MARC数据"),
       Make<ExtractPage>(),
       {}},
      {&kPurchasing,
       QStringLiteral("现场采购数据维护"),
       {},
       Make<MaintenancePage>(),
       OnShown<MaintenancePage, &MaintenancePage::Refresh>()},

      {&kBatchChecks,
       QStringLiteral("利用双方MARC数据自动匹配查重"),
       {},
       Make<MarcCheckPage>(),
       {}},
      {&kBatchChecks,
       QStringLiteral("利用双方ISBN文件自动匹配查重"),
       {},
       Make<IsbnCheckPage>(),
       {}},
      {&kBatchChecks,
       QStringLiteral("利用双方EXCEL文件自动匹配查重"),
       {},
       Make<SheetCheckPage>(),
       {}},

      {&kDataTools,
       QStringLiteral("从MARC数据中输出ISBN"),
       {},
       Make<IsbnOutPage>(),
       {}},
      {&kDataTools, QStringLiteral("MARC转EXCEL"), {}, Make<MarcToSheetPage>(),
       {}},
      {&kDataTools, QStringLiteral("EXCEL转MARC"), {}, Make<SheetToMarcPage>(),
       {}},
      {&kDataTools, QStringLiteral("对MARC文件批量修改"), {},
       Make<BatchModifyPage>(), {}},
      {&kDataTools, QStringLiteral("数据去重"), {}, Make<DedupPage>(), {}},
      {&kDataTools, QStringLiteral("分割MARC文件"), {}, Make<SplitPage>(), {}},
      {&kDataTools, QStringLiteral("合并ISO文件"), {}, Make<MergePage>(), {}},
      {&kDataTools, QStringLiteral("对ISBN列格式进行转换"), {},
       Make<IsbnConvertPage>(), {}},
      {&kDataTools, QStringLiteral("查看ISO文件"), {}, Make<IsoViewerPage>(),
       {}},
      {&kDataTools, QStringLiteral("书标打印"), {}, Make<LabelPage>(), {}},

      {&kSystem, QStringLiteral("首页"), {}, Make<HomePage>(), {}},
      {&kSystem,
       QStringLiteral("CNMARC说明"),
       {},
       Make<HelpPage>(),
       OnShown<HelpPage, &HelpPage::Load>()},
  };
  return table;
}

}  // namespace veltrane::app
