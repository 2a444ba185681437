// The page "对ISBN列格式进行转换": ISBN/ISSN codes into one chosen form, in
// a column of a workbook or at a fixed position of each line of a text file.
#ifndef VELTRANE_APP_PAGES_ISBN_CONVERT_PAGE_H_
#define VELTRANE_APP_PAGES_ISBN_CONVERT_PAGE_H_

#include <QWidget>

#include "app/operation_runner.h"
#include "app/page_context.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableView;
class QVBoxLayout;

namespace veltrane::app {

class ListModel;
class RadioGroup;

class IsbnConvertPage : public QWidget {
  Q_OBJECT
 public:
  explicit IsbnConvertPage(const PageContext& context,
                           QWidget* parent = nullptr);

 private:
  QWidget* MakeSheetPart();
  QWidget* MakeTextPart();
  // The range items of the format now chosen, item 0 selected.
  void RzRadioGroup7Changing(int format);
  void RzButton73Click();
  void RzButton71Click();
  void RzButton63Click();

  RadioGroup* format_;        // RzRadioGroup7
  RadioGroup* range_ = nullptr;  // RzRadioGroup11
  QVBoxLayout* range_place_;
  QCheckBox* force_;          // chkForce
  QLineEdit* sheet_file_;     // RzEdit43
  ListModel* list_;
  QTableView* list_view_;     // asgISBN
  QLineEdit* sheet_output_;   // RzEdit37
  QCheckBox* into_source_;    // RzCheckBox2
  QPushButton* sheet_start_;  // RzButton71
  QLineEdit* text_file_;      // RzEdit38
  QLineEdit* text_output_;    // RzEdit44
  QLineEdit* start_position_;  // edtIsbnStart
  QPushButton* text_start_;   // RzButton63
  OperationRunner sheet_runner_;
  OperationRunner text_runner_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_PAGES_ISBN_CONVERT_PAGE_H_
