// The record template of the grid ("填入MARC模板"): a new book's usual
// fields with empty subfields, as one ISO 2709 record text (GBK).
#ifndef VELTRANE_GRID_RECORD_TEMPLATE_H_
#define VELTRANE_GRID_RECORD_TEMPLATE_H_

#include <string>

namespace veltrane::grid {

const std::string& MarcRecordTemplate();

}  // namespace veltrane::grid

#endif  // VELTRANE_GRID_RECORD_TEMPLATE_H_
