// veltrane-bench-scan: how fast the MARC scanner walks a large file, measured
// against a plain read(2) of the same bytes and against yaz-marcdump.
//
//   veltrane-bench-scan [--megabytes M] [--file PATH] [--keep]
//
// Without --file it generates a file of at least M * 10^6 bytes (default 512)
// in $TMPDIR (or /tmp) and removes it at the end unless --keep is given. Each
// figure is the best of three runs, taken after one warm-up read that brings
// the file into the page cache. It prints figures; it judges nothing.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "bench/marc_generator.h"
#include "bench/tool_main.h"
#include "marc/record.h"
#include "marc/scanner.h"
#include "util/text.h"

extern char** environ;

namespace veltrane {
namespace {

constexpr const char* kUsage =
    "usage: veltrane-bench-scan [--megabytes M] [--file PATH] [--keep]\n"
    "  --megabytes M  size of the generated file in 10^6 bytes (default 512)\n"
    "  --file PATH    measure this ISO 2709 file instead of generating one\n"
    "  --keep         keep the generated file and print its name\n";

constexpr int kRuns = 3;
constexpr double kMegabyte = 1e6;
constexpr size_t kReadChunk = size_t{1} << 20;
constexpr uint64_t kSeed = 20240101;

struct Arguments {
  int64_t megabytes = 512;
  std::string file;
  bool keep = false;
};

std::optional<Arguments> ParseArguments(int argc, char** argv) {
  Arguments args;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--keep") {
      args.keep = true;
    } else if (arg == "--megabytes" && i + 1 < argc) {
      std::optional<int64_t> megabytes = ParseInteger(argv[++i]);
      if (!megabytes || *megabytes <= 0) return std::nullopt;
      args.megabytes = *megabytes;
    } else if (arg == "--file" && i + 1 < argc) {
      args.file = argv[++i];
    } else {
      return std::nullopt;
    }
  }
  return args;
}

// Owns an open file descriptor.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Removes the generated file when the benchmark ends, however it ends.
class GeneratedFileRemover {
 public:
  explicit GeneratedFileRemover(std::string path) : path_(std::move(path)) {}
  ~GeneratedFileRemover() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  GeneratedFileRemover(const GeneratedFileRemover&) = delete;
  GeneratedFileRemover& operator=(const GeneratedFileRemover&) = delete;

 private:
  std::string path_;
};

// Reads the whole file with read(2) in 1 MiB chunks; returns the byte count.
// Throws std::system_error when it cannot be opened or read.
int64_t ReadWholeFile(const std::string& path) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    throw std::system_error(errno, std::generic_category(), path);
  }
  static std::vector<char> buffer(kReadChunk);
  int64_t total = 0;
  while (true) {
    ssize_t n = ::read(fd.get(), buffer.data(), buffer.size());
    if (n == 0) return total;
    if (n < 0) {
      if (errno == EINTR) continue;
      throw std::system_error(errno, std::generic_category(), path);
    }
    total += n;
  }
}

// The best wall time in seconds of kRuns calls of `run`, the first preceded
// by a warm-up read of `path`.
template <typename Run>
double BestSeconds(const std::string& path, Run run) {
  ReadWholeFile(path);
  double best = std::numeric_limits<double>::infinity();
  for (int i = 0; i < kRuns; ++i) {
    auto start = std::chrono::steady_clock::now();
    run();
    std::chrono::duration<double> elapsed =
        std::chrono::steady_clock::now() - start;
    best = std::min(best, elapsed.count());
  }
  return best;
}

// Counts the records the handler failed on and always goes on.
class CountingListener : public RecordFailureListener {
 public:
  bool ContinueAfterFailure(const RecordFailure&) override {
    ++failures_;
    return true;
  }
  int64_t failures() const { return failures_; }

 private:
  int64_t failures_ = 0;
};

std::optional<std::string> FindOnPath(std::string_view program) {
  const char* path = std::getenv("PATH");
  std::string_view dirs = path ? path : "";
  while (!dirs.empty()) {
    size_t colon = dirs.find(':');
    std::string_view dir = dirs.substr(0, colon);
    dirs = colon == std::string_view::npos ? "" : dirs.substr(colon + 1);
    if (dir.empty()) continue;
    std::string candidate = std::string(dir) + "/" + std::string(program);
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return std::nullopt;
}

// Runs `program` with `args`, its standard output going to /dev/null; the
// exit status, or -1 when it could not be started or was killed.
int RunToDevNull(const std::string& program, std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null",
                                   O_WRONLY, 0);
  pid_t pid = 0;
  int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(),
                       environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return -1;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

double MegabytesPerSecond(int64_t bytes, double seconds) {
  return static_cast<double>(bytes) / kMegabyte / seconds;
}

int Run(const Arguments& args) {
  std::string path = args.file;
  std::optional<int64_t> generated_records;
  std::string remove_path;
  if (path.empty()) {
    const char* tmpdir = std::getenv("TMPDIR");
    path = std::string(tmpdir && *tmpdir ? tmpdir : "/tmp") +
           "/veltrane-bench-scan-" + std::to_string(::getpid()) + ".iso";
    auto start = std::chrono::steady_clock::now();
    GeneratedFile file =
        WriteMarcFileOfSize(path, {kSeed, 0.0}, args.megabytes * 1000000);
    std::chrono::duration<double> elapsed =
        std::chrono::steady_clock::now() - start;
    std::printf("generated %s: %lld records in %.1f s\n", path.c_str(),
                static_cast<long long>(file.records), elapsed.count());
    generated_records = file.records;
    if (!args.keep) remove_path = path;
  }
  GeneratedFileRemover remover(remove_path);

  int64_t bytes = ReadWholeFile(path);
  std::printf("file: %s, %.1f MB, best of %d runs (1 MB = 10^6 bytes)\n",
              path.c_str(), static_cast<double>(bytes) / kMegabyte, kRuns);

  double read_s = BestSeconds(path, [&] { ReadWholeFile(path); });
  double read_mbs = MegabytesPerSecond(bytes, read_s);
  std::printf("(a) read(2), 1 MiB chunks: %.1f MB/s\n", read_mbs);

  int64_t counted = 0;
  double count_s = BestSeconds(path, [&] { counted = CountMarcRecords(path); });
  double count_mbs = MegabytesPerSecond(bytes, count_s);
  std::printf(
      "(b) CountMarcRecords: %.1f MB/s, %.2f of (a) (target >= 0.8), "
      "%lld records\n",
      count_mbs, count_mbs / read_mbs, static_cast<long long>(counted));
  if (generated_records && *generated_records != counted) {
    std::printf("    note: %lld records were generated\n",
                static_cast<long long>(*generated_records));
  }

  CountingListener listener;
  int64_t scanned = 0;
  double scan_s = BestSeconds(path, [&] {
    scanned = ScanMarcFile(
        path,
        [](int64_t, std::string_view text, bool&) {
          TMarcRecord record = TMarcRecord::Create(text);
          record.GetValue("010a");
          record.GetIsoText();
        },
        listener);
  });
  double scan_mbs = MegabytesPerSecond(bytes, scan_s);
  std::printf(
      "(c) ScanMarcFile + Create, GetValue(\"010a\"), GetIsoText: "
      "%.1f MB/s (target >= 150 MB/s), %.0f records/s\n",
      scan_mbs, static_cast<double>(scanned) / scan_s);
  if (listener.failures() > 0) {
    std::printf("    note: the handler failed on %lld records per run\n",
                static_cast<long long>(listener.failures() / kRuns));
  }

  std::optional<std::string> yaz = FindOnPath("yaz-marcdump");
  if (!yaz) {
    std::printf("(d) yaz-marcdump: skipped, not found on PATH\n");
    return 0;
  }
  // (d) reads and prints every record; (e) reads and rebuilds every record,
  // the same work as (c).
  struct YazRun {
    const char* line;
    const char* format;
  };
  for (const YazRun& run : {YazRun{"(d)", "line"}, YazRun{"(e)", "marc"}}) {
    int status = 0;
    double yaz_s = BestSeconds(path, [&] {
      status = RunToDevNull(*yaz, {"yaz-marcdump", "-o", run.format, path});
    });
    if (status < 0) {
      std::printf("%s yaz-marcdump: skipped, it could not run to its end\n",
                  run.line);
      continue;
    }
    double yaz_mbs = MegabytesPerSecond(bytes, yaz_s);
    std::printf(
        "%s yaz-marcdump -o %s > /dev/null: %.1f MB/s; (c) / %s = %.2f\n",
        run.line, run.format, yaz_mbs, run.line, scan_mbs / yaz_mbs);
    if (status != 0) {
      // Status 5 when it skipped bytes such as the CR LF between records; it
      // still reads every record.
      std::printf("    note: yaz-marcdump exited with status %d\n", status);
    }
  }
  return 0;
}

}  // namespace
}  // namespace veltrane

int main(int argc, char** argv) {
  return veltrane::ToolMain(argc, argv, "veltrane-bench-scan", veltrane::kUsage,
                            veltrane::ParseArguments, veltrane::Run);
}
