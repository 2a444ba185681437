// veltrane-cli: the command-line front end over the same operations as the
// desktop program.
#include <cstdio>
#include <exception>
#include <map>
#include <string>

#include "cli/args.h"
#include "cli/commands.h"
#include "cli/interrupt.h"
#include "cli/outcome.h"
#include "cli/std_streams.h"

namespace {

using veltrane::cli::Args;

constexpr char kUsage[] =
    "用法：veltrane-cli 命令 [子命令] [选项] [参数]\n"
    "\n"
    "ISBN 工具：\n"
    "  isbn convert|key|hyphens|recognise|check-digit|ranges\n"
    "                                   ISBN/ISSN 转换与校验，ISBN范围数据\n"
    "记录：\n"
    "  count 文件                       记录数\n"
    "  convert MARC文件 输出文件 --to utf-8|gbk   转换记录的编码\n"
    "  show 文件 [--record N] [--format line|iso|raw]   显示记录\n"
    "数据处理：\n"
    "  isbn-out MARC文件 ISBN文件 [--strip-hyphens]   从MARC数据中输出ISBN\n"
    "  extract --supplier MARC文件 --isbn-list ISBN文件 --out 输出文件\n"
    "          [--order marc|isbn]      利用ISBN输出供应商MARC数据\n"
    "  modify MARC文件 修改后的文件 --rules 规则文件 [--renumber 起始号]\n"
    "         [--add-missing]            对MARC文件批量修改\n"
    "  dedup-marc MARC文件 去重后MARC文件 [--rule identical|fields|isbn]\n"
    "             [--fields 字段表] [--min N] [--isbn-key]   对MARC文件去重\n"
    "  dedup-isbn ISBN文件 去重后ISBN文件   对ISBN文件去重\n"
    "  split MARC文件 存放文件名 (--per C | --files F)   分割MARC文件\n"
    "  merge 合并后的文件 文件...       合并ISO文件\n"
    "  labels MARC文件 [--per-copy] [--split-range] [--renumber 起始号]\n"
    "         [--sort 列[:desc]] (--list | --pdf 输出文件)   书标打印\n"
    "  marc-to-sheet MARC文件 EXCEL文件 (--table 表格文件 | --field 字段=表头 ...)\n"
    "                                   MARC转EXCEL\n"
    "  sheet-to-marc EXCEL文件 MARC文件 [--map 列号=字段 ...] [--first-row]\n"
    "                [--institution 本馆名称]   EXCEL转MARC\n"
    "  convert-isbn sheet|text ...      对ISBN列格式进行转换\n"
    "现场采购（--db 数据库文件，默认 veldata.db）：\n"
    "  buyer import|export|list|set-copies|shift-copies|clear   采购方数据\n"
    "  purchases list|set|shift|delete-zero|clear|export|export-text|\n"
    "            export-sheet"
    "                                   现采数据\n"
    "  scan [--mode confirm|continuous|remind] [--convert 0-4] [--target N]\n"
    "       [--beep-held] [--beep-new]  现场采购扫描（标准输入逐行）\n"
    "批查重：\n"
    "  check-marc --supplier 文件 (--buyer 文件 | --buyer-db)\n"
    "             [--rule identical|fields|isbn] [--fields 字段表] [--min N]\n"
    "             [--isbn-key] [--lacks 输出文件] [--common 输出文件]\n"
    "             [--common-from buyer|supplier]\n"
    "                                   利用双方MARC数据自动匹配查重\n"
    "  check-isbn --buyer 文件 --supplier 文件 [--isbn-key]\n"
    "             [--lacks 输出文件] [--common 输出文件]\n"
    "                                   利用双方ISBN文件自动匹配查重\n"
    "  check-sheet --buyer EXCEL文件 --supplier EXCEL文件 --pair 列=列 ...\n"
    "              [--any] [--sorted] [--result EXCEL文件] [--mark-sources]\n"
    "                                   利用双方EXCEL文件自动匹配查重\n"
    "工作簿：\n"
    "  sheet dump 文件 [--sheet 工作表名]   以制表符分隔输出工作表的已用区域\n"
    "\n"
    "通用选项：--help 显示用法；-q/--quiet 只输出错误；\n"
    "  --on-error continue|stop  记录出错时继续（默认）或停止。\n"
    "记录出错时写入错误日志（可执行文件旁的 ErrorLog.txt，\n"
    "或环境变量 VELTRANE_ERROR_LOG 指定的文件）。\n"
    "退出状态：0 完成；1 其他错误；2 输入问题；3 完成但有记录出错。\n";

const std::map<std::string, int (*)(const Args&)>& Commands() {
  static const std::map<std::string, int (*)(const Args&)> commands = {
      {"isbn", veltrane::cli::RunIsbnCommand},
      {"count", veltrane::cli::RunCountCommand},
      {"convert", veltrane::cli::RunConvertCommand},
      {"show", veltrane::cli::RunShowCommand},
      {"isbn-out", veltrane::cli::RunIsbnOutCommand},
      {"buyer", veltrane::cli::RunBuyerCommand},
      {"purchases", veltrane::cli::RunPurchasesCommand},
      {"scan", veltrane::cli::RunScanCommand},
      {"check-marc", veltrane::cli::RunCheckMarcCommand},
      {"check-isbn", veltrane::cli::RunCheckIsbnCommand},
      {"extract", veltrane::cli::RunExtractCommand},
      {"modify", veltrane::cli::RunModifyCommand},
      {"dedup-marc", veltrane::cli::RunDedupMarcCommand},
      {"dedup-isbn", veltrane::cli::RunDedupIsbnCommand},
      {"split", veltrane::cli::RunSplitCommand},
      {"merge", veltrane::cli::RunMergeCommand},
      {"sheet", veltrane::cli::RunSheetCommand},
      {"labels", veltrane::cli::RunLabelsCommand},
      {"marc-to-sheet", veltrane::cli::RunMarcToSheetCommand},
      {"sheet-to-marc", veltrane::cli::RunSheetToMarcCommand},
      {"convert-isbn", veltrane::cli::RunConvertIsbnCommand},
      {"check-sheet", veltrane::cli::RunCheckSheetCommand},
  };
  return commands;
}

// Runs the command and writes what stdout still buffers; a failed write
// anywhere is an error.
int Run(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return veltrane::cli::kExitInputProblem;
  }
  if (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
    return veltrane::cli::PrintUsage(kUsage);
  }
  auto command = Commands().find(argv[1]);
  if (command == Commands().end()) {
    std::fprintf(stderr, "未知命令：%s\n\n%s", argv[1], kUsage);
    return veltrane::cli::kExitInputProblem;
  }
  return command->second(Args(argv + 2, argv + argc));
}

}  // namespace

int main(int argc, char** argv) {
  veltrane::cli::InstallInterruptHandlers();
  try {
    int status = Run(argc, argv);
    veltrane::cli::FlushStdout();
    return status;
  } catch (const veltrane::cli::UsageError& error) {
    std::fprintf(stderr, "%s\n（veltrane-cli %s --help 显示用法）\n",
                 error.what(), argv[1]);
    return veltrane::cli::kExitInputProblem;
  } catch (const veltrane::cli::InputProblemError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return veltrane::cli::kExitInputProblem;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return veltrane::cli::kExitError;
  }
}
