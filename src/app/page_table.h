// The pages of the main window, in navigation order. The navigation bar and
// the page area are both built from PageTable(): one row per navigation item
// with its group, caption, hint, how to make its page and what to do each
// time the page is shown. Adding a page to the program is adding (or filling
// in) its row in page_table.cpp; a row without a maker shows a page saying
// that the function is not available yet. The exit item is not a page: the
// navigation bar adds it at the end of the last group.
#ifndef VELTRANE_APP_PAGE_TABLE_H_
#define VELTRANE_APP_PAGE_TABLE_H_

#include <QString>
#include <functional>
#include <vector>

#include "app/page_context.h"

class QWidget;

namespace veltrane::app {

struct PageGroup {
  const char* object_name;  // RzGroup1 ... RzGroup4
  QString caption;
};

struct PageRow {
  const PageGroup* group;
  QString caption;  // the navigation item's caption and the page's name
  QString hint;     // the item's tool tip (may be empty)
  // Makes the page (owned by the caller); empty for a function not built yet.
  std::function<QWidget*(const PageContext&)> make;
  // Runs on the page each time its item is clicked (may be empty).
  std::function<void(QWidget*)> shown;
};

// Every navigation item but the exit, groups in order.
const std::vector<PageRow>& PageTable();

// The makers of a row: `Make<Page>()` for a page constructed from the
// context (or from nothing), `OnShown<Page, &Page::Method>()` for the
// action when it is shown.
template <typename Page>
std::function<QWidget*(const PageContext&)> Make() {
  return [](const PageContext& context) -> QWidget* {
    if constexpr (std::is_constructible_v<Page, const PageContext&>) {
      return new Page(context);
    } else {
      return new Page;
    }
  };
}

template <typename Page, void (Page::*Action)()>
std::function<void(QWidget*)> OnShown() {
  return [](QWidget* page) { (static_cast<Page*>(page)->*Action)(); };
}

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGE_TABLE_H_
