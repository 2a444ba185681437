// How a record is handed to a handler, shared by the scanner and by readers
// that fetch single records by offset: a handler that throws has failed on
// that record, which is logged and put to the listener; the errors that end
// a whole run (see FatalError) pass through.
#ifndef VELTRANE_MARC_HAND_RECORD_H_
#define VELTRANE_MARC_HAND_RECORD_H_

#include <cstdint>
#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <system_error>

#include "marc/error_log.h"
#include "marc/scanner.h"

namespace veltrane {

// Runs `call()` for record `rec_no` of `file_name`. When it fails, appends
// the error-log entry and sets `cont` to the listener's answer. Throws when
// the error log cannot be written.
template <typename Call>
void HandRecord(const std::string& file_name, int64_t rec_no,
                std::string_view record, RecordFailureListener& listener,
                bool& cont, Call&& call) {
  std::string message;
  try {
    call();
    return;
  } catch (const std::system_error&) {
    throw;
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const FatalError&) {
    throw;
  } catch (const std::exception& error) {
    message = error.what();
  } catch (...) {
    message = "未知错误";
  }
  AppendErrorLogEntry(file_name, rec_no, record);
  cont = listener.ContinueAfterFailure(
      RecordFailure{file_name, rec_no, record, std::move(message)});
}

}  // namespace veltrane

#endif  // VELTRANE_MARC_HAND_RECORD_H_
