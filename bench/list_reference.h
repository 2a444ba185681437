// The plain nested-loop versions of the ISBN-file check and of the
// extraction by ISBN list: the inner file is read again from disk for every
// entry of the outer one, nothing is indexed. They are slow on purpose and
// simple enough to trust; the differential tests compare the indexed
// operations with them byte for byte and the list benchmark times both.
// Inputs are not checked: the files are expected to exist.
#ifndef VELTRANE_BENCH_LIST_REFERENCE_H_
#define VELTRANE_BENCH_LIST_REFERENCE_H_

#include <string>

#include "marc/scanner.h"

namespace veltrane {

// For each supplier line, reads the buyer file from its first line to the
// first line that equals it (or, with `isbn_keys`, whose IsbnMatchKey
// equals its key): the supplier line, with CR LF, goes to `common_file`
// when one was found, else to `lacks_file`. An output named "" is not
// written; a named one is created empty first.
void NestedIsbnCheck(const std::string& buyer_file,
                     const std::string& supplier_file, bool isbn_keys,
                     const std::string& lacks_file,
                     const std::string& common_file);

// Supplier-file order: for each record of `supplier_file`, reads
// `isbn_file` from its first line and appends the record (AppendLine) when
// some line equals its 010 $a. ISBN-file order (`isbn_order`): for each line
// of `isbn_file`, scans the whole supplier file and appends every record
// whose 010 $a equals the line. Record failures go to `listener`.
void NestedExtract(const std::string& supplier_file,
                   const std::string& isbn_file, bool isbn_order,
                   const std::string& output_file,
                   RecordFailureListener& listener);

}  // namespace veltrane

#endif  // VELTRANE_BENCH_LIST_REFERENCE_H_
