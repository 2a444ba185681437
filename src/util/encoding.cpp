// iconv-based conversion; one converter per direction per thread, reset per
// call, so repeated small conversions cost no iconv_open.
#include "util/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace veltrane {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert ") + from +
                               " to " + to);
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `in`; an invalid or unconvertible input sequence is replaced by
  // `replacement` and `skip(rest)` input bytes are dropped.
  template <typename SkipFn>
  std::string Run(std::string_view in, std::string_view replacement,
                  SkipFn skip) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    out.reserve(in.size() * 3 / 2 + 8);
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    char buffer[1024];
    while (src_left > 0) {
      char* dst = buffer;
      size_t dst_left = sizeof buffer;
      size_t rc = iconv(cd_, &src, &src_left, &dst, &dst_left);
      out.append(buffer, static_cast<size_t>(dst - buffer));
      if (rc != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (truncated sequence at the end).
      out.append(replacement);
      size_t n = skip(std::string_view(src, src_left));
      src += n;
      src_left -= n;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t cd_;
};

// The bytes to drop for one bad character: the lead byte and the
// continuation bytes that follow it (at most as many as the lead announces).
size_t Utf8SequenceLength(std::string_view rest) {
  unsigned char lead = static_cast<unsigned char>(rest[0]);
  size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  size_t i = 1;
  while (i < n && i < rest.size() &&
         (static_cast<unsigned char>(rest[i]) & 0xC0) == 0x80) {
    ++i;
  }
  return i;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  thread_local Converter converter("UTF-8", "GBK");
  return converter.Run(gbk, "\xEF\xBF\xBD",
                       [](std::string_view) { return size_t{1}; });
}

std::string Utf8ToGbk(std::string_view utf8) {
  thread_local Converter converter("GBK", "UTF-8");
  return converter.Run(utf8, "?", Utf8SequenceLength);
}

}  // namespace veltrane
