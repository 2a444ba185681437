// Where the MARC check takes the buyer's records from: a MARC file or table
// buyer. The records are read once, in order, into a BuyerIndex; afterwards
// single records are read again by their position (the file by the offsets
// the scan reported, the table by its snapshot of row numbers).
#ifndef VELTRANE_OPS_BUYER_RECORDS_H_
#define VELTRANE_OPS_BUYER_RECORDS_H_

#include <cstdint>
#include <memory>
#include <string>

#include "ops/buyer_index.h"
#include "ops/operation.h"

namespace veltrane {

class TMainData;

class BuyerRecords {
 public:
  virtual ~BuyerRecords() = default;

  // Adds every record to `index` in order, reporting progress (the total is
  // the number of records). A record that `index` cannot read is logged to
  // the error log and `failures` decides whether to go on. False when it
  // said stop.
  virtual bool AddTo(BuyerIndex& index, FailureTally& failures,
                     OperationHost& host) = 0;

  // The text of the record at `position` (from 0). REQUIRES: AddTo went
  // through all records.
  virtual std::string Read(uint32_t position) = 0;
};

// The records of a MARC file. Throws std::system_error when it cannot be
// opened.
std::unique_ptr<BuyerRecords> BuyerFileRecords(const std::string& path);

// The rows of table buyer in recno order, "marcdata" as the record text;
// failures are logged under the database's path and the row's recno.
// REQUIRES: `data` outlives the object.
std::unique_ptr<BuyerRecords> BuyerTableRecords(TMainData& data);

}  // namespace veltrane

#endif  // VELTRANE_OPS_BUYER_RECORDS_H_
