// The line format of a record, as common MARC dump tools print it: the
// leader on a line of its own, then one line per field in field order.
// Control fields (tags 001-009 and non-numeric tags): "TAG data", with the
// bytes read before a first delimiter and each delimiter as "$". Data
// fields: "TAG", the two indicators (blank-padded), then the subfields as
// "$a value", all joined by single blanks (data before the first subfield
// delimiter is printed as it is). The record's bytes are copied as they are
// (decode the result with the record's encoding to show it); lines end with
// "\n" and an empty line follows the record.
#ifndef VELTRANE_MARC_RECORD_DUMP_H_
#define VELTRANE_MARC_RECORD_DUMP_H_

#include <string>

#include "marc/record.h"

namespace veltrane {

std::string DumpRecordLines(const TMarcRecord& record);

}  // namespace veltrane

#endif  // VELTRANE_MARC_RECORD_DUMP_H_
