// Builds the generated records with TMarcRecord from word pools that are
// written here in UTF-8 and turned into GBK once, on first use.
//
// Only explicitly sequenced draws from SplitMix64 decide anything, so the
// output does not depend on the compiler's evaluation order or on any
// library's random distributions.
#include "bench/marc_generator.h"

#include <array>
#include <string_view>
#include <vector>

#include "isbn/check_digit.h"
#include "isbn/hyphenation.h"
#include "marc/accession.h"
#include "marc/record.h"
#include "util/encoding.h"
#include "util/output_file.h"
#include "util/text.h"

namespace veltrane {
namespace {

constexpr std::string_view kLeader = "00000nam0 2200000   450 ";
constexpr std::string_view kStamp005 = "20240101120000.0";

// The independent random streams of one record.
enum class Stream : uint64_t { kContent, kIsbn, kDamage, kDamageDetail };

uint64_t Mix(uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

class SplitMix64 {
 public:
  explicit SplitMix64(uint64_t state) : state_(state) {}

  uint64_t Next() { return Mix(state_ += 0x9E3779B97F4A7C15ULL); }
  // Uniform enough in [0, n) for test data. REQUIRES: n > 0.
  uint64_t Below(uint64_t n) { return Next() % n; }
  // In [lo, hi]. REQUIRES: lo <= hi.
  int Between(int lo, int hi) {
    return lo + static_cast<int>(Below(static_cast<uint64_t>(hi - lo) + 1));
  }
  // True with probability p.
  bool Chance(double p) {
    return static_cast<double>(Next() >> 11) * 0x1.0p-53 < p;
  }
  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[Below(items.size())];
  }

 private:
  uint64_t state_;
};

SplitMix64 StreamFor(uint64_t seed, int64_t n, Stream stream) {
  uint64_t key = static_cast<uint64_t>(n) * 4 + static_cast<uint64_t>(stream);
  return SplitMix64(Mix(seed) ^ Mix(key + 0x9E3779B97F4A7C15ULL));
}

// Word pools in UTF-8, words separated by blanks.
struct CategorySource {
  std::string_view class_number;  // 690 $a
  std::string_view field606;      // whole 606 data, "■" marks the subfields
  std::string_view heads;         // first halves of titles
  std::string_view tails;         // second halves of titles
};

constexpr std::array<CategorySource, 7> kCategories = {{
    {"I247.5", "■a长篇小说■y中国■z当代",
     "春天 故乡 长河 远方 山城 平原 城南 夜航 大地 明月 海风 星空 小镇 黄土 "
     "江南 草原 雪山 古道 灯火 岁月 少年 老街 青春 白杨",
     "的故事 往事 纪事 之歌 旧梦 的秘密 人家 的世界 风云 传奇 三部曲 年代"},
    {"I267", "■a散文集■y中国■z当代",
     "山水 故园 茶香 书房 旅途 四季 乡愁 秋声 雨巷 晚霞 童年 人间",
     "笔记 札记 随笔 漫记 散文选 小品 杂记 闲话"},
    {"TP312", "■a程序设计■x教材",
     "C++ Java Python Go 数据库 算法 操作系统 网络 编译原理 数据结构",
     "程序设计 实用教程 从入门到精通 原理与实践 基础教程 案例精讲"},
    {"K207", "■a中国历史■x研究",
     "宋代 明清 唐朝 近代中国 丝绸之路 长江流域 秦汉 魏晋",
     "社会生活史 文化史 研究 考古发现 通史 十讲"},
    {"F272", "■a企业管理■x研究",
     "现代企业 中小企业 数字经济 供应链 人力资源 品牌 财务",
     "管理 战略 案例分析 实务 导论 精要"},
    {"I287.5", "■a童话■y中国■z当代",
     "小熊 小兔子 森林 彩虹 月亮 小蝌蚪 狐狸 小猫",
     "的冒险 找朋友 的梦 回家 的礼物 去旅行"},
    {"H319.4", "■a英语■x教材",
     "大学英语 英语阅读 英语写作 英语听力 英语口语 新编英语",
     "教程 训练 精讲 一本通 指导"},
}};

struct PublisherSource {
  std::string_view name;
  std::string_view place;
  std::string_view isbn_prefix;  // publisher code after group 7, of the
                                 // length HyphenateIsbn10 cuts
};

constexpr std::array<PublisherSource, 12> kPublishers = {{
    {"人民文学出版社", "北京", "02"},
    {"商务印书馆", "北京", "100"},
    {"中华书局", "北京", "101"},
    {"作家出版社", "北京", "5063"},
    {"上海译文出版社", "上海", "5327"},
    {"译林出版社", "南京", "80567"},
    {"清华大学出版社", "北京", "302"},
    {"机械工业出版社", "北京", "111"},
    {"高等教育出版社", "北京", "04"},
    {"长江文艺出版社", "武汉", "5354"},
    {"浙江少年儿童出版社", "杭州", "5342"},
    {"中国青年出版社", "北京", "5006"},
}};

struct LibrarySource {
  std::string_view name;  // 801 $b
  std::string_view code;  // 905 $a
};

constexpr std::array<LibrarySource, 4> kLibraries = {{
    {"东湖市图书馆", "DHSTSG"},
    {"青川大学图书馆", "QCDXTSG"},
    {"南屿区图书馆", "NYQTSG"},
    {"西岭师范学院图书馆", "XLSFTSG"},
}};

constexpr std::string_view kSurnames =
    "王 李 张 刘 陈 杨 赵 黄 周 吴 徐 孙 胡 朱 高 林 何 郭 马 罗";
constexpr std::string_view kGivenNames =
    "伟 芳 娜 敏 静 丽 强 磊 军 洋 勇 艳 杰 娟 涛 明 超 秀 霞 平 刚 桂 英 华 "
    "文 海 云 志 建 国";
constexpr std::string_view kRoles = "著 编著 主编 编";
constexpr std::string_view kSubtitles =
    "一部家族的百年史诗 附习题解答 图文版 典藏本 青少年版 修订本 "
    "插图本";
constexpr std::string_view kEditions = "第2版 第3版 修订版 2版 增订本";
constexpr std::string_view kSeries =
    "当代名家文丛 世界文学名著 计算机科学丛书 高等学校教材 儿童文学经典 "
    "历史文化丛书 经济管理文库";
constexpr std::string_view kSentences =
    "本书是作者多年研究成果的总结 全书共分十二章，结构清晰，层次分明 "
    "内容丰富，语言生动，通俗易懂 适合广大读者阅读 "
    "书中收录了大量珍贵的图片和资料 "
    "作者以细腻的笔触描写了普通人的生活和情感 "
    "对相关领域的研究具有重要的参考价值 可供高等院校师生和科研人员参考 "
    "故事讲述了一个小镇上三代人的命运变迁 "
    "本书从实际出发，注重理论与实践相结合 每章后附有练习题和参考答案 "
    "作品展现了时代的风貌和人物的精神世界 书中介绍了大量实用的方法和技巧 "
    "本版在前一版的基础上做了全面修订 作者用朴实的语言讲述了自己的成长经历 "
    "全书图文并茂，深入浅出 本书获得了多项国家级奖励 书后附有索引和参考文献 "
    "这是一部充满温情和力量的作品 "
    "本书系统地阐述了该学科的基本概念和基本原理";
// Lines that sit between records in damaged files; none looks like a leader.
constexpr std::string_view kJunkLines =
    "====第二批订单==== <<<end-of-batch>>> 文件结束 page-17-of-40 "
    "--以下为补充数据--";
constexpr std::array<std::string_view, 5> kSizes = {"19cm", "21cm", "23cm",
                                                    "24cm", "26cm"};
constexpr std::array<std::string_view, 4> kCents = {"00", "50", "80", "90"};

std::vector<std::string> GbkWords(std::string_view utf8) {
  std::vector<std::string> words;
  size_t pos = 0;
  while (pos < utf8.size()) {
    size_t end = utf8.find(' ', pos);
    if (end == std::string_view::npos) end = utf8.size();
    if (end > pos) words.push_back(Utf8ToGbk(utf8.substr(pos, end - pos)));
    pos = end + 1;
  }
  return words;
}

struct Category {
  std::string class_number;
  std::string field606;
  std::vector<std::string> heads;
  std::vector<std::string> tails;
};

struct Publisher {
  std::string name;
  std::string place;
};

struct Library {
  std::string name;
  std::string code;
};

// The word pools in GBK.
struct Pools {
  std::vector<Category> categories;
  std::vector<Publisher> publishers;
  std::vector<Library> libraries;
  std::vector<std::string> surnames = GbkWords(kSurnames);
  std::vector<std::string> given_names = GbkWords(kGivenNames);
  std::vector<std::string> roles = GbkWords(kRoles);
  std::vector<std::string> subtitles = GbkWords(kSubtitles);
  std::vector<std::string> editions = GbkWords(kEditions);
  std::vector<std::string> series = GbkWords(kSeries);
  std::vector<std::string> sentences = GbkWords(kSentences);
  std::vector<std::string> junk_lines = GbkWords(kJunkLines);
  std::string full_stop = Utf8ToGbk("。");
  std::string pages_unit = Utf8ToGbk("页");

  Pools() {
    for (const CategorySource& c : kCategories) {
      categories.push_back({std::string(c.class_number), Utf8ToGbk(c.field606),
                            GbkWords(c.heads), GbkWords(c.tails)});
    }
    for (const PublisherSource& p : kPublishers) {
      publishers.push_back({Utf8ToGbk(p.name), Utf8ToGbk(p.place)});
    }
    for (const LibrarySource& l : kLibraries) {
      libraries.push_back({Utf8ToGbk(l.name), std::string(l.code)});
    }
  }
};

const Pools& GetPools() {
  static const Pools pools;
  return pools;
}

struct IsbnChoice {
  size_t publisher;
  std::string text;
};

IsbnChoice ChooseIsbn(uint64_t seed, int64_t n) {
  SplitMix64 rng = StreamFor(seed, n, Stream::kIsbn);
  size_t publisher = rng.Below(kPublishers.size());
  std::string digits = "7";
  digits += kPublishers[publisher].isbn_prefix;
  while (digits.size() < 9) digits += static_cast<char>('0' + rng.Below(10));
  return {publisher, HyphenateIsbn10(digits + Isbn10CheckDigit(digits))};
}

std::string Sub(char code, std::string_view value) {
  std::string subfield(kSubfieldMark);
  subfield += code;
  subfield += value;
  return subfield;
}

// The 905 $b range of `copies` accession numbers for record `n`; four
// numbers per record keep the ranges of different records apart.
std::string AccessionRange(int64_t n, int copies) {
  uint64_t first = static_cast<uint64_t>(n % 25000) * 4 + 1;
  uint64_t last = first + static_cast<uint64_t>(copies) - 1;
  std::string start = "A";
  start += ZeroPadded(first, 5);
  std::string end = "A";
  end += ZeroPadded(last, 5);
  return JoinRange(start, end);
}

// 100 $a, 36 bytes: entry date, "d" and publication year, a blank second
// date, then fixed audience, government, language and script codes.
std::string GeneralData(std::string_view entered, int year) {
  return std::string(entered) + "d" + std::to_string(year) +
         "    em y0chiy50      ea";
}

// Whole sentences up to a length drawn from 100 to 600 bytes.
std::string Summary(SplitMix64& rng, const Pools& pools) {
  size_t target = static_cast<size_t>(rng.Between(100, 600));
  std::string summary;
  while (true) {
    const std::string& sentence = rng.Pick(pools.sentences);
    size_t grown = summary.size() + sentence.size() + pools.full_stop.size();
    if (grown > target && summary.size() >= 100) return summary;
    summary += sentence;
    summary += pools.full_stop;
  }
}

std::string BuildIsoText(uint64_t seed, int64_t n) {
  const Pools& pools = GetPools();
  IsbnChoice isbn = ChooseIsbn(seed, n);
  const Publisher& publisher = pools.publishers[isbn.publisher];
  SplitMix64 rng = StreamFor(seed, n, Stream::kContent);

  const Category& category = rng.Pick(pools.categories);
  const Library& library = rng.Pick(pools.libraries);
  std::string price = "CNY";
  price += std::to_string(rng.Between(8, 198));
  price += ".";
  price += kCents[rng.Below(kCents.size())];
  int year = rng.Between(1995, 2024);
  std::string entered = std::to_string(rng.Between(year, 2024));
  entered += ZeroPadded(static_cast<uint64_t>(rng.Between(1, 12)), 2);
  entered += ZeroPadded(static_cast<uint64_t>(rng.Between(1, 28)), 2);
  std::string author = rng.Pick(pools.surnames);
  author += rng.Pick(pools.given_names);
  if (rng.Chance(0.6)) author += rng.Pick(pools.given_names);
  const std::string& role = rng.Pick(pools.roles);
  std::string title = rng.Pick(category.heads);
  title += rng.Pick(category.tails);

  TMarcRecord record = TMarcRecord::Create("");
  record.AddValue("", "", kLeader);
  record.AddValue("001", "", ZeroPadded(static_cast<uint64_t>(n), 10));
  record.AddValue("005", "", kStamp005);
  record.AddValue("010", "", Sub('a', isbn.text) + Sub('d', price));
  record.AddValue("100", "", Sub('a', GeneralData(entered, year)));
  record.AddValue("101", "0 ", Sub('a', "chi"));
  std::string field200 = Sub('a', title);
  if (rng.Chance(0.3)) field200 += Sub('e', rng.Pick(pools.subtitles));
  field200 += Sub('f', author + role);
  record.AddValue("200", "1 ", field200);
  if (rng.Chance(0.4)) {
    record.AddValue("205", "", Sub('a', rng.Pick(pools.editions)));
  }
  record.AddValue("210", "",
                  Sub('a', publisher.place) + Sub('c', publisher.name) +
                      Sub('d', std::to_string(year)));
  std::string pages = std::to_string(rng.Between(96, 800)) + pools.pages_unit;
  std::string_view size = kSizes[rng.Below(kSizes.size())];
  record.AddValue("215", "", Sub('a', pages) + Sub('d', size));
  if (rng.Chance(0.3)) {
    record.AddValue("225", "2 ", Sub('a', rng.Pick(pools.series)));
  }
  record.AddValue("330", "", Sub('a', Summary(rng, pools)));
  record.AddValue("606", "0 ", category.field606);
  record.AddValue("690", "", Sub('a', category.class_number) + Sub('v', "5"));
  record.AddValue("701", " 0", Sub('a', author) + Sub('4', role));
  record.AddValue("801", " 0",
                  Sub('a', "CN") + Sub('b', library.name) + Sub('c', entered));
  int copies = rng.Between(1, 3);
  record.AddValue("905", "",
                  Sub('a', library.code) + Sub('b', AccessionRange(n, copies)) +
                      Sub('f', std::to_string(copies)));
  return record.GetIsoText(kStamp005);
}

void SetRecordLength(std::string& text, size_t length) {
  text.replace(0, 5, ZeroPadded(length, 5));
}

// Applies `damage` to the record text and appends what follows the record.
void ApplyDamage(std::string& text, Damage damage, SplitMix64& rng) {
  switch (damage) {
    case Damage::kLengthShort:
      SetRecordLength(text, text.size() - 50);
      break;
    case Damage::kLengthLong:
      SetRecordLength(text, text.size() + 30);
      break;
    case Damage::kDirectoryLetter: {
      size_t base = static_cast<size_t>(*ParseInteger(text.substr(12, 5)));
      size_t entries = (base - 25) / 12;
      size_t entry = rng.Below(entries);
      text[24 + entry * 12 + static_cast<size_t>(rng.Between(3, 11))] = 'O';
      break;
    }
    case Damage::kBaseAddressLetter:
      text[12 + rng.Below(5)] = 'X';
      break;
    case Damage::kNulRun:
      text.append(static_cast<size_t>(rng.Between(1, 512)), '\0');
      break;
    case Damage::kNone:
    case Damage::kExtraLineBreaks:
    case Damage::kJunkText:
      break;
  }
  text += "\r\n";
  if (damage == Damage::kExtraLineBreaks) {
    for (int i = rng.Between(1, 3); i > 0; --i) text += "\r\n";
  } else if (damage == Damage::kJunkText) {
    text += rng.Pick(GetPools().junk_lines);
    text += "\r\n";
  }
}

template <typename Done>
GeneratedFile WriteRecords(const std::string& path,
                           const GeneratorOptions& options, Done done) {
  OutputFile out(path);
  GeneratedFile file;
  while (!done(file)) {
    ++file.records;
    std::string text = GenerateRecord(options, file.records);
    out.Write(text);
    file.bytes += static_cast<int64_t>(text.size());
    if (RecordDamage(options, file.records) != Damage::kNone) ++file.damaged;
  }
  out.Commit();
  return file;
}

}  // namespace

Damage RecordDamage(const GeneratorOptions& options, int64_t n) {
  if (options.damage_rate <= 0) return Damage::kNone;
  SplitMix64 rng = StreamFor(options.seed, n, Stream::kDamage);
  if (!rng.Chance(options.damage_rate)) return Damage::kNone;
  return static_cast<Damage>(1 + rng.Below(7));
}

std::string GenerateIsbn(uint64_t seed, int64_t n) {
  return ChooseIsbn(seed, n).text;
}

std::string GenerateRecord(const GeneratorOptions& options, int64_t n) {
  std::string text = BuildIsoText(options.seed, n);
  SplitMix64 rng = StreamFor(options.seed, n, Stream::kDamageDetail);
  ApplyDamage(text, RecordDamage(options, n), rng);
  return text;
}

GeneratedFile WriteMarcFile(const std::string& path,
                            const GeneratorOptions& options, int64_t records) {
  return WriteRecords(path, options, [records](const GeneratedFile& file) {
    return file.records >= records;
  });
}

GeneratedFile WriteMarcFileOfSize(const std::string& path,
                                  const GeneratorOptions& options,
                                  int64_t min_bytes) {
  return WriteRecords(path, options, [min_bytes](const GeneratedFile& file) {
    return file.bytes >= min_bytes;
  });
}

void WriteIsbnFile(const std::string& path, uint64_t seed, int64_t first,
                   int64_t count) {
  OutputFile out(path);
  for (int64_t n = first; n < first + count; ++n) {
    out.WriteLine(GenerateIsbn(seed, n));
  }
  out.Commit();
}

}  // namespace veltrane
