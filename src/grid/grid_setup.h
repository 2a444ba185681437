// TSetup: how the MARC grid looks and what its template holds.
#ifndef VELTRANE_GRID_GRID_SETUP_H_
#define VELTRANE_GRID_GRID_SETUP_H_

#include <QColor>
#include <QFont>
#include <string>

#include "grid/record_template.h"

namespace veltrane::grid {

struct TSetup {
  QColor MarcFieldMarkColor = Qt::red;
  // The colour and font of the data cells and of the editor.
  QColor EditFontColor = Qt::black;
  QFont EditFont;
  // One ISO 2709 record text (GBK).
  std::string MarcTemplates = MarcRecordTemplate();
};

}  // namespace veltrane::grid

#endif  // VELTRANE_GRID_GRID_SETUP_H_
