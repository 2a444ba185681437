// Direct SQLite access for the database tests: looks at and tampers with a
// database file through a connection of its own, independent of src/db.
#ifndef VELTRANE_TESTS_DB_SQLITE_PROBE_H_
#define VELTRANE_TESTS_DB_SQLITE_PROBE_H_

#include <string>
#include <vector>

namespace veltrane::testing {

// Runs `sql` on the file at `path`; throws std::runtime_error on failure.
void ExecSql(const std::string& path, const std::string& sql);

// The first column of every result row of `sql`, as text ("" for NULL).
std::vector<std::string> QueryColumn(const std::string& path,
                                     const std::string& sql);

}  // namespace veltrane::testing

#endif  // VELTRANE_TESTS_DB_SQLITE_PROBE_H_
