#include "app/file_dialogs.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>

namespace veltrane::app {

namespace dialogs {
namespace {
const QString kMarcFilter =
    QStringLiteral("marc file(*.iso);;text file(*.txt)");
const QString kTextFilter = QStringLiteral("text file(*.txt)");
const QString kSheetFilter = QStringLiteral("EXCEL file(*.xls)");
}  // namespace

const FileDialogSpec kOpenMarc{false, "*.iso", kMarcFilter, ""};
const FileDialogSpec kSaveMarc{true, "", kMarcFilter, "iso"};
const FileDialogSpec kSaveMarcOnly{true, "", "marc file(*.iso)", "iso"};
const FileDialogSpec kOpenIsbn{false, "*.txt", kTextFilter, ""};
const FileDialogSpec kOpenIsbnOrMarc{false, "*.txt",
                                     "text file(*.txt);;marc file(*.iso)", ""};
const FileDialogSpec kSaveIsbn{true, "", kTextFilter, "txt"};
const FileDialogSpec kSaveIsbnOrMarc{
    true, "", "text file(*.txt);;marc file(*.iso)", "txt"};
const FileDialogSpec kOpenSheet{false, "*.xls", kSheetFilter, ""};
const FileDialogSpec kSaveSheet{true, "", kSheetFilter, "xls"};
const FileDialogSpec kOpenSettings{false, "", "*.*", ""};
const FileDialogSpec kSaveSettings{true, "", "*.*", ""};
}  // namespace dialogs

namespace {

// The two shared dialogs, kept for the program's life so that each one
// remembers its folder between uses.
class SharedDialogs : public FileChooser {
 public:
  std::optional<QString> Choose(QWidget* parent,
                                const FileDialogSpec& spec) override {
    QFileDialog& dialog = spec.save ? SaveDialog(parent) : OpenDialog(parent);
    dialog.setNameFilter(spec.filter);
    dialog.setDefaultSuffix(spec.default_suffix);
    dialog.selectFile(spec.file_name);
    if (dialog.exec() != QDialog::Accepted ||
        dialog.selectedFiles().isEmpty()) {
      return std::nullopt;
    }
    return dialog.selectedFiles().front();
  }

  // The open dialog with multiple selection, switched off again afterwards.
  std::optional<QStringList> ChooseMany(QWidget* parent,
                                        const FileDialogSpec& spec) override {
    QFileDialog& dialog = OpenDialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilter(spec.filter);
    dialog.selectFile(spec.file_name);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles();
  }

 private:
  QFileDialog& OpenDialog(QWidget* parent) {
    if (!open_) {
      open_ = new QFileDialog(parent);
      open_->setObjectName("OpenDialog1");
      open_->setAcceptMode(QFileDialog::AcceptOpen);
      open_->setFileMode(QFileDialog::ExistingFile);
    }
    return *open_;
  }
  QFileDialog& SaveDialog(QWidget* parent) {
    if (!save_) {
      save_ = new QFileDialog(parent);
      save_->setObjectName("SaveDialog1");
      save_->setAcceptMode(QFileDialog::AcceptSave);
      save_->setFileMode(QFileDialog::AnyFile);
    }
    return *save_;
  }

  // Owned by the window that first asked; made again if that one is gone.
  QPointer<QFileDialog> open_;
  QPointer<QFileDialog> save_;
};

SharedDialogs shared;
FileChooser* current = &shared;

}  // namespace

FileChooser& Files() { return *current; }

void SetFileChooser(FileChooser* chooser) {
  current = chooser ? chooser : &shared;
}

void ConnectBrowse(QAbstractButton* button, QLineEdit* edit,
                   const FileDialogSpec& spec) {
  QObject::connect(button, &QAbstractButton::clicked, edit,
                   [button, edit, spec] {
                     if (std::optional<QString> name =
                             Files().Choose(button->window(), spec)) {
                       edit->setText(*name);
                     }
                   });
}

}  // namespace veltrane::app
