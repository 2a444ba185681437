#include "support/pdf_text.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <regex>
#include <stdexcept>

namespace veltrane::testing {
namespace {

constexpr double kMmPerPoint = 25.4 / 72;

std::string RunCommand(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"),
                                             pclose);
  if (!pipe) throw std::runtime_error("cannot run " + command);
  std::string out;
  char buffer[4096];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get())) {
    out.append(buffer, n);
  }
  return out;
}

}  // namespace

std::optional<PdfWord> PdfText::Find(const std::string& text) const {
  for (const PdfWord& word : words) {
    if (word.text == text) return word;
  }
  return std::nullopt;
}

bool HavePdfToText() {
  return std::system("pdftotext -v >/dev/null 2>&1") == 0;
}

PdfText ReadPdfText(const std::string& path) {
  std::string xml = RunCommand("pdftotext -bbox '" + path + "' - 2>&1");
  static const std::regex page(
      R"re(<page width="([\d.]+)" height="([\d.]+)">)re");
  static const std::regex word(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re");
  PdfText text;
  size_t next_page = xml.find("<page ");
  if (next_page == std::string::npos) {
    throw std::runtime_error("pdftotext: " + xml);
  }
  while (next_page != std::string::npos) {
    size_t end = xml.find("</page>", next_page);
    std::string body = xml.substr(next_page, end - next_page);
    std::smatch size;
    std::regex_search(body, size, page);
    text.pages.emplace_back(std::stod(size[1]) * kMmPerPoint,
                            std::stod(size[2]) * kMmPerPoint);
    for (std::sregex_iterator it(body.begin(), body.end(), word), last;
         it != last; ++it) {
      text.words.push_back({static_cast<int>(text.pages.size()) - 1,
                            (*it)[3].str(), std::stod((*it)[1]) * kMmPerPoint,
                            std::stod((*it)[2]) * kMmPerPoint});
    }
    next_page = xml.find("<page ", end);
  }
  return text;
}

}  // namespace veltrane::testing
