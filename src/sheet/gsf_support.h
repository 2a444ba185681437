// Small owners and helpers around libgsf and expat for the workbook readers
// and writers (not part of the public interface of sheet/).
#ifndef VELTRANE_SHEET_GSF_SUPPORT_H_
#define VELTRANE_SHEET_GSF_SUPPORT_H_

#include <gsf/gsf.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane::sheet_internal {

// Calls gsf_init once per process.
void EnsureGsf();

struct GObjectUnref {
  void operator()(void* object) const;
};
template <typename T>
using GsfPtr = std::unique_ptr<T, GObjectUnref>;

// The member at a '/'-separated path of an archive ("xl/workbook.xml"), or
// nullptr.
GsfPtr<GsfInput> OpenMember(GsfInfile* archive, std::string_view path);

// Feeds the input to `sink` in chunks; false when the input could not be
// read to its end (a damaged archive).
template <typename Sink>
bool ReadChunks(GsfInput* input, Sink&& sink) {
  constexpr gsf_off_t kChunk = 64 * 1024;
  for (;;) {
    gsf_off_t remaining = gsf_input_remaining(input);
    gsf_off_t n = remaining < kChunk ? remaining : kChunk;
    if (n <= 0) return true;
    const guint8* data = gsf_input_read(input, static_cast<size_t>(n), nullptr);
    if (!data) return false;
    if (!sink(std::string_view(reinterpret_cast<const char*>(data),
                               static_cast<size_t>(n)),
              remaining == n)) {
      return true;
    }
  }
}

// The error text of a GError (and frees it), or `fallback` without one.
std::string TakeErrorText(GError* error, std::string_view fallback);

// A streaming XML parse with namespaces stripped: element and attribute
// names are the local parts ("c", "r", "id"). Subclasses handle the events.
class XmlHandler {
 public:
  virtual ~XmlHandler() = default;
  // attributes: name, value, name, value, ..., nullptr.
  virtual void Start(std::string_view name, const char** attributes) = 0;
  virtual void End(std::string_view name) = 0;
  virtual void Text(std::string_view text) = 0;
  // Set by a handler to end the parse early (it has what it needs).
  bool done = false;
};

// Parses the whole input with `handler`; returns an error text, empty on
// success (also when the handler stopped early).
std::string ParseXml(GsfInput* input, XmlHandler& handler);

// The value of attribute `name` (local part), or nullptr.
const char* Attribute(const char** attributes, std::string_view name);

}  // namespace veltrane::sheet_internal

#endif  // VELTRANE_SHEET_GSF_SUPPORT_H_
