#include "sheet/gsf_support.h"

#include <expat.h>

#include <mutex>

namespace veltrane::sheet_internal {
namespace {

std::string_view LocalName(const char* name) {
  std::string_view s(name);
  size_t bar = s.rfind('|');
  return bar == std::string_view::npos ? s : s.substr(bar + 1);
}

}  // namespace

void EnsureGsf() {
  static std::once_flag once;
  std::call_once(once, [] {
    gsf_init();
    // libgsf reports damaged containers through GLib's log as well as through
    // its results; the results are what we report, so its log stays quiet.
    for (const char* domain : {"libgsf", "libgsf:msole", "libgsf:zip", "GLib",
                               "GLib-GObject", "GLib-GIO"}) {
      g_log_set_handler(domain,
                        static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING |
                                                    G_LOG_LEVEL_CRITICAL |
                                                    G_LOG_LEVEL_MESSAGE),
                        [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {},
                        nullptr);
    }
  });
}

void GObjectUnref::operator()(void* object) const {
  if (object) g_object_unref(object);
}

GsfPtr<GsfInput> OpenMember(GsfInfile* archive, std::string_view path) {
  GsfPtr<GsfInput> current;
  GsfInfile* dir = archive;
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    std::string part(path.substr(start, slash == std::string_view::npos
                                            ? std::string_view::npos
                                            : slash - start));
    if (!part.empty()) {
      if (!dir) return nullptr;
      GsfPtr<GsfInput> child(gsf_infile_child_by_name(dir, part.c_str()));
      if (!child) return nullptr;
      current = std::move(child);
      dir = GSF_IS_INFILE(current.get()) ? GSF_INFILE(current.get()) : nullptr;
    }
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  return current;
}

std::string TakeErrorText(GError* error, std::string_view fallback) {
  if (!error) return std::string(fallback);
  std::string text = error->message ? error->message : std::string(fallback);
  g_error_free(error);
  return text;
}

const char* Attribute(const char** attributes, std::string_view name) {
  for (const char** a = attributes; a && *a; a += 2) {
    if (LocalName(a[0]) == name) return a[1];
  }
  return nullptr;
}

std::string ParseXml(GsfInput* input, XmlHandler& handler) {
  std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(
      XML_ParserCreateNS(nullptr, '|'), XML_ParserFree);
  if (!parser) return "out of memory";
  XML_SetUserData(parser.get(), &handler);
  XML_SetElementHandler(
      parser.get(),
      [](void* data, const XML_Char* name, const XML_Char** attributes) {
        static_cast<XmlHandler*>(data)->Start(LocalName(name), attributes);
      },
      [](void* data, const XML_Char* name) {
        static_cast<XmlHandler*>(data)->End(LocalName(name));
      });
  XML_SetCharacterDataHandler(
      parser.get(), [](void* data, const XML_Char* text, int length) {
        static_cast<XmlHandler*>(data)->Text(
            std::string_view(text, static_cast<size_t>(length)));
      });
  std::string error;
  bool complete = ReadChunks(input, [&](std::string_view chunk, bool last) {
    if (XML_Parse(parser.get(), chunk.data(), static_cast<int>(chunk.size()),
                  last) != XML_STATUS_OK) {
      error = XML_ErrorString(XML_GetErrorCode(parser.get()));
      return false;
    }
    return !handler.done;
  });
  if (!complete) return "compressed data cannot be read";
  if (error.empty() && gsf_input_size(input) == 0) return "empty part";
  return error;
}

}  // namespace veltrane::sheet_internal
