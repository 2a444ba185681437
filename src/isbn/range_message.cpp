#include "isbn/range_message.h"

#include <expat.h>

#include <cstdio>
#include <exception>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace veltrane {
namespace {

constexpr std::string_view kPrefix978 = "978";
constexpr size_t kLargestMessage = 64u << 20;

// "Sun, 13 Nov 2022 16:58:20 GMT" -> "2022-11-13"; other forms unchanged.
std::string IsoDate(const std::string& text) {
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr",
                                            "May", "Jun", "Jul", "Aug",
                                            "Sep", "Oct", "Nov", "Dec"};
  std::istringstream in(text);
  std::string weekday, month;
  int day = 0, year = 0;
  if (!(in >> weekday >> day >> month >> year)) return text;
  for (int m = 0; m < 12; ++m) {
    if (month == kMonths[m]) {
      char out[16];
      std::snprintf(out, sizeof out, "%04d-%02d-%02d", year, m + 1, day);
      return out;
    }
  }
  return text;
}

// "0000000-5999999" -> the rule with `length`; false when malformed.
bool ParseRule(const std::string& range, const std::string& length,
               IsbnRangeRule& rule) {
  const size_t dash = range.find('-');
  if (dash != 7 || range.size() != 15 || length.empty() || length.size() > 1 ||
      length[0] < '0' || length[0] > '7') {
    return false;
  }
  for (size_t i = 0; i < range.size(); ++i) {
    if (i != dash && (range[i] < '0' || range[i] > '9')) return false;
  }
  rule.low = static_cast<uint32_t>(std::stoul(range.substr(0, 7)));
  rule.high = static_cast<uint32_t>(std::stoul(range.substr(8)));
  rule.length = static_cast<uint8_t>(length[0] - '0');
  return rule.low <= rule.high;
}

// Collects the message's date and the rules of the 978 prefix and of every
// 978 group while expat walks the document.
class Collector {
 public:
  void Start(std::string_view name) {
    text_.clear();
    if (name == "EAN.UCC" || name == "Group") {
      prefix_.clear();
      rules_.clear();
    }
  }

  void End(std::string_view name) {
    if (name == "MessageDate") {
      date_ = IsoDate(text_);
    } else if (name == "Prefix") {
      prefix_ = text_;
    } else if (name == "Range") {
      range_ = text_;
    } else if (name == "Length") {
      IsbnRangeRule rule{};
      if (!ParseRule(range_, text_, rule)) {
        throw std::runtime_error("ISBN范围数据有误：" + range_);
      }
      // A length of 0 marks a block the agency has not assigned.
      if (rule.length > 0) rules_.push_back(rule);
    } else if (name == "EAN.UCC" && prefix_ == kPrefix978) {
      prefix_rules_ = rules_;
    } else if (name == "Group" && prefix_.size() > 4 &&
               prefix_.compare(0, 4, "978-") == 0) {
      groups_.push_back({prefix_.substr(4), rules_});
    }
    text_.clear();
  }

  void Text(std::string_view text) { text_.append(text); }

  IsbnRanges Finish() {
    if (prefix_rules_.empty() || groups_.empty()) {
      throw std::runtime_error("不是ISBN范围数据（RangeMessage.xml）");
    }
    return IsbnRanges(date_.empty() ? "?" : date_, std::move(prefix_rules_),
                      std::move(groups_));
  }

 private:
  std::string text_, prefix_, range_, date_;
  std::vector<IsbnRangeRule> rules_, prefix_rules_;
  std::vector<IsbnRanges::Group> groups_;
};

struct ParserDeleter {
  void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

// What expat's callbacks reach. Exceptions must not cross expat's C frames:
// the first one is kept, parsing stops, and it is thrown again afterwards.
struct ParseState {
  Collector collector;
  XML_Parser parser = nullptr;
  std::exception_ptr error;
};

template <typename Action>
void Guarded(void* data, Action action) {
  auto* state = static_cast<ParseState*>(data);
  if (state->error) return;
  try {
    action(state->collector);
  } catch (...) {
    state->error = std::current_exception();
    XML_StopParser(state->parser, XML_FALSE);
  }
}

}  // namespace

IsbnRanges ParseRangeMessage(std::string_view xml) {
  std::unique_ptr<XML_ParserStruct, ParserDeleter> parser(
      XML_ParserCreate("UTF-8"));
  if (!parser) throw std::bad_alloc();
  // The agency's message is well under a megabyte.
  if (xml.size() > kLargestMessage) {
    throw std::runtime_error("不是ISBN范围数据（RangeMessage.xml）");
  }
  ParseState state;
  state.parser = parser.get();
  XML_SetUserData(parser.get(), &state);
  XML_SetElementHandler(
      parser.get(),
      [](void* data, const XML_Char* name, const XML_Char**) {
        Guarded(data, [name](Collector& c) { c.Start(name); });
      },
      [](void* data, const XML_Char* name) {
        Guarded(data, [name](Collector& c) { c.End(name); });
      });
  XML_SetCharacterDataHandler(
      parser.get(), [](void* data, const XML_Char* text, int length) {
        Guarded(data, [text, length](Collector& c) {
          c.Text({text, static_cast<size_t>(length)});
        });
      });
  const XML_Status status = XML_Parse(
      parser.get(), xml.data(), static_cast<int>(xml.size()), XML_TRUE);
  if (state.error) std::rethrow_exception(state.error);
  if (status != XML_STATUS_OK) {
    throw std::runtime_error(
        std::string("不是有效的XML：") +
        XML_ErrorString(XML_GetErrorCode(parser.get())) + "，第" +
        std::to_string(XML_GetCurrentLineNumber(parser.get())) + "行");
  }
  return state.collector.Finish();
}

IsbnRanges ReadRangeMessageFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("无法读取文件：" + path);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) throw std::runtime_error("无法读取文件：" + path);
  try {
    return ParseRangeMessage(bytes.str());
  } catch (const std::runtime_error& error) {
    throw std::runtime_error(path + "：" + error.what());
  }
}

}  // namespace veltrane
