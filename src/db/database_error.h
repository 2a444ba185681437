// DatabaseError: the purchasing database could not do what it was asked.
//
// It derives from FatalError, so a record scan that meets it ends the whole
// run instead of blaming the record at hand. what() is a Chinese message that
// names the database file (and, where there is one, SQLite's own reason).
#ifndef VELTRANE_DB_DATABASE_ERROR_H_
#define VELTRANE_DB_DATABASE_ERROR_H_

#include "marc/scanner.h"

namespace veltrane {

class DatabaseError : public FatalError {
 public:
  using FatalError::FatalError;
};

}  // namespace veltrane

#endif  // VELTRANE_DB_DATABASE_ERROR_H_
