// TfrmMessageBox: the dialog that asks, after a record failed and was
// written to the error log, whether to go on ("继续") or stop ("取消").
// Created on first use and kept until the program ends.
#ifndef VELTRANE_APP_RECORD_ERROR_DIALOG_H_
#define VELTRANE_APP_RECORD_ERROR_DIALOG_H_

#include <QDialog>

#include "marc/scanner.h"

class QLineEdit;
class QPlainTextEdit;

namespace veltrane::app {

class TfrmMessageBox : public QDialog {
  Q_OBJECT
 public:
  // Shows the failure modally; true when the user chose "继续".
  static bool Ask(const RecordFailure& failure);

 private:
  TfrmMessageBox();
  void Show(const RecordFailure& failure);

  QLineEdit* file_name_;
  QLineEdit* rec_no_;
  QPlainTextEdit* marc_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_RECORD_ERROR_DIALOG_H_
