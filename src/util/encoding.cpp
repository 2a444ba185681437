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

  // Converts `in`. At an invalid or unconvertible input sequence (or one cut
  // off at the end) `on_bad(rest, out)` appends what stands for it and returns
  // how many input bytes it took, or nullopt to give up the conversion.
  template <typename OnBad>
  std::optional<std::string> Run(std::string_view in, OnBad on_bad) {
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
      std::optional<size_t> n = on_bad(std::string_view(src, src_left), out);
      if (!n) return std::nullopt;
      src += *n;
      src_left -= *n;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t cd_;
};

Converter& Gb18030ToUtf8() {
  thread_local Converter converter("UTF-8", "GB18030");
  return converter;
}

Converter& Utf8ToGb18030() {
  thread_local Converter converter("GB18030", "UTF-8");
  return converter;
}

Converter& Utf8ToGbkOnly() {
  thread_local Converter converter("GBK", "UTF-8");
  return converter;
}

// Length of the valid UTF-8 sequence at the start of `s`, or 0 (overlong
// forms, surrogates and code points beyond U+10FFFF are invalid).
size_t ValidUtf8Length(std::string_view s) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  size_t n;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    n = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    n = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    n = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (s.size() < n || byte(1) < low || byte(1) > high) return 0;
  for (size_t i = 2; i < n; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
  }
  return n;
}

// The bytes to drop for one bad character: the lead byte and the
// continuation bytes that follow it (at most as many as the lead announces).
size_t BadUtf8Length(std::string_view rest) {
  unsigned char lead = static_cast<unsigned char>(rest[0]);
  size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  size_t i = 1;
  while (i < n && i < rest.size() &&
         (static_cast<unsigned char>(rest[i]) & 0xC0) == 0x80) {
    ++i;
  }
  return i;
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

}  // namespace

TextEncoding DetectEncoding(std::string_view bytes) {
  bool multi_byte = false;
  for (size_t i = 0; i < bytes.size();) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    size_t n = ValidUtf8Length(bytes.substr(i));
    if (n == 0) return TextEncoding::kGbk;
    multi_byte = true;
    i += n;
  }
  return multi_byte ? TextEncoding::kUtf8 : TextEncoding::kGbk;
}

std::string DecodeForDisplay(std::string_view bytes, TextEncoding encoding) {
  if (encoding == TextEncoding::kGbk) return GbkToUtf8(bytes);
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    size_t n = ValidUtf8Length(bytes.substr(i));
    if (n == 0) {
      out.append(kReplacement);
      i += BadUtf8Length(bytes.substr(i));
    } else {
      out.append(bytes.substr(i, n));
      i += n;
    }
  }
  return out;
}

std::string DecodeForDisplay(std::string_view bytes) {
  return DecodeForDisplay(bytes, DetectEncoding(bytes));
}

std::string GbkToUtf8(std::string_view gbk) {
  return *Gb18030ToUtf8().Run(gbk, [](std::string_view, std::string& out) {
    out.append(kReplacement);
    return std::optional<size_t>(1);
  });
}

std::string Utf8ToGbk(std::string_view utf8) {
  return *Utf8ToGb18030().Run(utf8, [](std::string_view rest, std::string& out) {
    out.push_back('?');
    return std::optional<size_t>(BadUtf8Length(rest));
  });
}

std::optional<std::string> StrictGbkToUtf8(std::string_view gbk) {
  return Gb18030ToUtf8().Run(gbk, [](std::string_view, std::string&) {
    return std::optional<size_t>();
  });
}

std::optional<std::string> StrictUtf8ToGbk(std::string_view utf8) {
  return Utf8ToGbkOnly().Run(
      utf8, [](std::string_view rest, std::string& out) -> std::optional<size_t> {
        // A valid character without a GBK form: its GB18030 bytes.
        size_t n = ValidUtf8Length(rest);
        if (n == 0) return std::nullopt;
        std::optional<std::string> wide = Utf8ToGb18030().Run(
            rest.substr(0, n),
            [](std::string_view, std::string&) { return std::optional<size_t>(); });
        if (!wide) return std::nullopt;
        out.append(*wide);
        return n;
      });
}

}  // namespace veltrane
