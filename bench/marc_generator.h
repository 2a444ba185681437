// Deterministic test data for the benchmarks: CNMARC records in GBK written as
// ISO 2709 files (optionally damaged the ways real files are) and ISBN lists.
//
// Every record is a pure function of the seed and its record number, drawn
// from its own splitmix64 streams: the same arguments give the same bytes on
// every machine, and any record can be rebuilt without the ones before it.
#ifndef VELTRANE_BENCH_MARC_GENERATOR_H_
#define VELTRANE_BENCH_MARC_GENERATOR_H_

#include <cstdint>
#include <string>

namespace veltrane {

struct GeneratorOptions {
  uint64_t seed = 1;
  // Probability (0 to 1) that a record carries one of the damages below,
  // all equally likely.
  double damage_rate = 0.0;
};

// What is wrong with a record or with the bytes that follow it.
enum class Damage {
  kNone,
  kLengthShort,        // leader record length 50 below the real length
  kLengthLong,         // leader record length 30 above the real length
  kExtraLineBreaks,    // blank lines (more CR LFs) after the record
  kNulRun,             // a run of NUL bytes between the record and CR LF
  kJunkText,           // a line of text that is no record after the record
  kDirectoryLetter,    // a letter in place of a digit of a directory entry
  kBaseAddressLetter,  // a letter in the base address: the record is unreadable
};

// The damage that record `n` carries under `options`.
Damage RecordDamage(const GeneratorOptions& options, int64_t n);

// The hyphenated ISBN-10 of record `n` for `seed` (its 010 $a), such as
// "7-5006-3772-1"; group 7, the publisher's prefix, a valid check digit.
std::string GenerateIsbn(uint64_t seed, int64_t n);

// Record `n` (from 1) as it stands in a file: the ISO 2709 text, 005 stamped
// "20240101120000.0", followed by CR LF, all as changed by its damage.
std::string GenerateRecord(const GeneratorOptions& options, int64_t n);

struct GeneratedFile {
  int64_t records = 0;
  int64_t bytes = 0;
  int64_t damaged = 0;  // records whose damage is not kNone
};

// Writes records 1 to `records` to `path`, replacing it only once all is
// written. Throws std::system_error when the file cannot be written.
GeneratedFile WriteMarcFile(const std::string& path,
                            const GeneratorOptions& options, int64_t records);

// The same, writing records 1, 2, ... until the file holds at least
// `min_bytes` bytes.
GeneratedFile WriteMarcFileOfSize(const std::string& path,
                                  const GeneratorOptions& options,
                                  int64_t min_bytes);

// Writes the ISBNs of records `first` to `first + count - 1` for `seed`, one
// per line, each followed by CR LF. Throws std::system_error when the file
// cannot be written.
void WriteIsbnFile(const std::string& path, uint64_t seed, int64_t first,
                   int64_t count);

}  // namespace veltrane

#endif  // VELTRANE_BENCH_MARC_GENERATOR_H_
