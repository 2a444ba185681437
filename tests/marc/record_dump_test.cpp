#include "marc/record_dump.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace veltrane {
namespace {

TEST(RecordDumpTest, LineFormat) {
  std::string text = testing::IsoRecord({{"001", "id1"},
                                         {"-01", "local"},
                                         {"CAT", "  $aSDR"},
                                         {"010", "  $a7-5006-3772-1$dCNY25.00"},
                                         {"200", "1$aTitle$f"},
                                         {"330", "  no subfields"}});
  TMarcRecord record = TMarcRecord::Create(text);
  record.AddValue("300", "  ",
                  std::string("pre") + std::string(kSubfieldMark) + "aX");
  EXPECT_EQ(DumpRecordLines(record), text.substr(0, 24) +
                                         "\n"
                                         "-01 local\n"
                                         "001 id1\n"
                                         "010    $a 7-5006-3772-1 $d CNY25.00\n"
                                         "200 1  $a Title $f \n"
                                         "300    pre $a X\n"
                                         "330      no subfields\n"
                                         "CAT   $aSDR\n"
                                         "\n");
}

}  // namespace
}  // namespace veltrane
