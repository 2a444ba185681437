// A captioned group of radio buttons with an item index, the form in which
// the pages offer their options.
#ifndef VELTRANE_APP_RADIO_GROUP_H_
#define VELTRANE_APP_RADIO_GROUP_H_

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

namespace veltrane::app {

class RadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  // The buttons are named `name` + "_" + their index and laid out in
  // `columns` columns, filled column by column.
  RadioGroup(const QString& name, const QString& caption,
             const QStringList& items, int selected, int columns = 1,
             QWidget* parent = nullptr);

  int itemIndex() const;
  void setItemIndex(int index);

 signals:
  void itemIndexChanged(int index);

 private:
  QButtonGroup* buttons_;
};

}  // namespace veltrane::app

#endif  // VELTRANE_APP_RADIO_GROUP_H_
