// The scan loop. Records are passed on as views into the reader's window (a
// copy is made only when NULs must be blanked or the file ends early), so a
// scan runs at nearly the speed of a plain read.
//
// Re-synchronisation: when no record starts at the current position, the
// bytes of the last record (plus the first separators after it) and the
// following bytes are searched for the next record start, beginning at the
// last record's offset 5 so that a record start swallowed by a too-long
// declared length is found again. Separators beyond the first 8 after a
// record and bytes already searched are not kept: no window that passes the
// start test can begin in them, so memory stays bounded without changing
// which record start is found.
#include "marc/scanner.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <new>
#include <system_error>

#include "marc/hand_record.h"
#include "util/file_reader.h"
#include "util/text.h"

namespace veltrane {
namespace {

constexpr size_t kHeadLength = 8;
constexpr size_t kSearchChunk = 64 * 1024;
constexpr size_t kSearchKeep = 1 << 20;

bool IsRecordSeparator(char c) {
  return c == '\0' || c == '\n' || c == '\r' || c == '\x1D';
}

// The declared length of a head that passes IsLeaderStart; 0 otherwise.
int64_t DeclaredLength(std::string_view head) {
  if (!IsLeaderStart(head)) return 0;
  int64_t length = 0;
  for (size_t i = 0; i < 5; ++i) length = length * 10 + (head[i] - '0');
  return length;
}

bool IsRecordStart(std::string_view head) { return DeclaredLength(head) >= 24; }

// The file range of the last record read and the separators kept after it.
struct LastRecord {
  int64_t start = 0;
  int64_t kept_end = 0;  // 0 when no record was read yet
};

class Scan {
 public:
  // A null handler counts records without looking at their texts.
  Scan(const std::string& file_name, FileReader& reader,
       const MarcRecordHandlerAt* handler, RecordFailureListener& listener)
      : file_name_(file_name),
        reader_(reader),
        handler_(handler),
        listener_(listener) {}

  int64_t Run() {
    const int64_t size = reader_.size();
    while (cont_ && reader_.position() < size) {
      int64_t position = reader_.position();
      if (position + static_cast<int64_t>(kHeadLength) >= size) break;
      std::string_view head = reader_.Peek(kHeadLength);
      int64_t length = DeclaredLength(head);
      if (length >= 24) {
        ReadRecord(position, length);
      } else if (!FindNextRecordStart(position)) {
        break;
      }
    }
    return count_;
  }

 private:
  void ReadRecord(int64_t position, int64_t length) {
    const int64_t available = reader_.size() - position;
    std::string_view record;
    if (handler_ == nullptr) {
      // Counting only.
    } else if (length <= available) {
      record = reader_.Peek(static_cast<size_t>(length));
      if (std::memchr(record.data(), '\0', record.size()) != nullptr) {
        copy_.assign(record);
        std::replace(copy_.begin(), copy_.end(), '\0', ' ');
        record = copy_;
      }
    } else {
      copy_.assign(reader_.Peek(static_cast<size_t>(available)));
      std::replace(copy_.begin(), copy_.end(), '\0', ' ');
      copy_.resize(static_cast<size_t>(length), ' ');
      record = copy_;
    }
    ++count_;
    if (handler_ != nullptr) Hand(record, position);
    reader_.Seek(position + std::min(length, available));

    int64_t record_end = reader_.position();
    SkipSeparators();
    last_.start = position;
    last_.kept_end =
        std::min<int64_t>(reader_.position(), record_end + kHeadLength);
  }

  void Hand(std::string_view record, int64_t offset) {
    HandRecord(file_name_, count_, record, listener_, cont_,
               [&] { (*handler_)(count_, record, offset, cont_); });
  }

  void SkipSeparators() {
    size_t step = 256;  // usually a CR LF; longer runs are read in chunks
    while (true) {
      std::string_view chunk = reader_.Peek(step);
      if (chunk.empty()) return;
      size_t n = static_cast<size_t>(
          std::find_if_not(chunk.begin(), chunk.end(), IsRecordSeparator) -
          chunk.begin());
      reader_.Skip(n);
      if (n < chunk.size()) return;
      step = kSearchChunk;
    }
  }

  // Searches from offset 5 of the last record for the next record start and
  // moves the reader there. False when there is none.
  bool FindNextRecordStart(int64_t head_position) {
    std::string buffer;
    int64_t record_part = 0;
    if (last_.kept_end > 0) {
      reader_.Seek(last_.start);
      record_part = last_.kept_end - last_.start;
      reader_.AppendTo(buffer, static_cast<size_t>(record_part));
    }
    reader_.Seek(head_position);
    reader_.AppendTo(buffer, kHeadLength);
    // buffer[i] lies at file offset last_.start + i for i < record_part, and
    // at tail_origin + (i - record_part) after it.
    int64_t tail_origin = head_position;

    size_t o = 5;
    while (buffer.size() - std::min(buffer.size(), o) > kHeadLength) {
      if (IsRecordStart(std::string_view(buffer).substr(o, kHeadLength))) {
        int64_t target =
            static_cast<int64_t>(o) < record_part
                ? last_.start + static_cast<int64_t>(o)
                : tail_origin + (static_cast<int64_t>(o) - record_part);
        reader_.Seek(target);
        return true;
      }
      ++o;
      if (buffer.size() - o <= kHeadLength && !reader_.AtEnd()) {
        if (o > kSearchKeep && static_cast<int64_t>(o) >= record_part) {
          tail_origin += static_cast<int64_t>(o) - record_part;
          buffer.erase(0, o);
          record_part = 0;
          o = 0;
        }
        reader_.AppendTo(buffer, kSearchChunk);
      }
    }
    return false;
  }

  const std::string& file_name_;
  FileReader& reader_;
  const MarcRecordHandlerAt* handler_;
  RecordFailureListener& listener_;
  int64_t count_ = 0;
  bool cont_ = true;
  LastRecord last_;
  std::string copy_;
};

class NeverFails : public RecordFailureListener {
 public:
  bool ContinueAfterFailure(const RecordFailure&) override { return true; }
};

}  // namespace

bool IsLeaderStart(std::string_view head) {
  if (head.size() < kHeadLength) return false;
  for (size_t i = 0; i < 5; ++i) {
    if (!IsAsciiDigit(head[i])) return false;
  }
  if (head[5] < 'a' || head[5] > 'z') return false;
  if (std::string_view("abcdefgijklmruv").find(head[6]) ==
      std::string_view::npos) {
    return false;
  }
  return std::string_view("acms").find(head[7]) != std::string_view::npos;
}

int64_t ScanMarcFileAt(const std::string& file_name,
                       const MarcRecordHandlerAt& handler,
                       RecordFailureListener& listener) {
  std::unique_ptr<FileReader> reader = FileReader::Open(file_name);
  if (!reader) return 0;
  return Scan(file_name, *reader, &handler, listener).Run();
}

int64_t ScanMarcFile(const std::string& file_name,
                     const MarcRecordHandler& handler,
                     RecordFailureListener& listener) {
  return ScanMarcFileAt(
      file_name,
      [&handler](int64_t rec_no, std::string_view record, int64_t, bool& cont) {
        handler(rec_no, record, cont);
      },
      listener);
}

int64_t CountMarcRecords(const std::string& file_name) {
  std::unique_ptr<FileReader> reader = FileReader::Open(file_name);
  if (!reader) return 0;
  NeverFails listener;
  return Scan(file_name, *reader, nullptr, listener).Run();
}

}  // namespace veltrane
