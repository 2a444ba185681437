// The shared open and save dialogs and the settings every "浏览...",
// "另存..." button uses. Tests replace the chooser.
#ifndef VELTRANE_APP_FILE_DIALOGS_H_
#define VELTRANE_APP_FILE_DIALOGS_H_

#include <QString>
#include <QStringList>
#include <optional>

class QAbstractButton;
class QLineEdit;
class QWidget;

namespace veltrane::app {

struct FileDialogSpec {
  bool save = false;
  QString file_name;       // initial name, e.g. "*.iso"
  QString filter;          // Qt form: "marc file(*.iso);;text file(*.txt)"
  QString default_suffix;  // save dialogs: "iso", "txt", "xls"
};

namespace dialogs {
extern const FileDialogSpec kOpenMarc;
extern const FileDialogSpec kSaveMarc;
extern const FileDialogSpec kSaveMarcOnly;  // de-duplication
extern const FileDialogSpec kOpenIsbn;
extern const FileDialogSpec kOpenIsbnOrMarc;  // extraction by ISBN list
extern const FileDialogSpec kSaveIsbn;
extern const FileDialogSpec kSaveIsbnOrMarc;  // purchase exports
extern const FileDialogSpec kOpenSheet;
extern const FileDialogSpec kSaveSheet;
extern const FileDialogSpec kOpenSettings;
extern const FileDialogSpec kSaveSettings;
}  // namespace dialogs

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The chosen full file name, or nullopt on Cancel.
  virtual std::optional<QString> Choose(QWidget* parent,
                                        const FileDialogSpec& spec) = 0;
  // An open dialog with multiple selection: the chosen names in the order
  // the dialog gives them, or nullopt on Cancel. By default one file.
  virtual std::optional<QStringList> ChooseMany(QWidget* parent,
                                                const FileDialogSpec& spec) {
    std::optional<QString> name = Choose(parent, spec);
    if (!name) return std::nullopt;
    return QStringList{*name};
  }
};

// The chooser in use (by default the shared Qt dialogs).
FileChooser& Files();
// Installs `chooser` (not owned); nullptr restores the dialogs.
void SetFileChooser(FileChooser* chooser);

// Makes `button` show the dialog and put the chosen name into `edit`;
// Cancel changes nothing.
void ConnectBrowse(QAbstractButton* button, QLineEdit* edit,
                   const FileDialogSpec& spec);

}  // namespace veltrane::app

#endif  // VELTRANE_APP_FILE_DIALOGS_H_
