#include "ddb/catalog/dia_TextChannel.h"

#include <gtest/gtest.h>

#include <cstring>

#include "catalog/FortranUnits.h"

namespace {

// Flushes leave the unit as it is.
TEST(dia_TextChannel_Write, WritesOneRecordPerCallAmongFortranWritesAndFlushes) {
  FortranUnitFile file(71, "dia_TextChannel_order.txt");
  file.WriteFromFortran("from Fortran 1");
  EXPECT_EQ(dia_Write(file.Unit(), "from the library"), 0);
  dia_Flush(file.Unit());
  file.WriteFromFortran("from Fortran 2");
  int unit = file.Unit();
  dia_flushfort(&unit);
  EXPECT_EQ(dia_Write(file.Unit(), " "), 0);
  EXPECT_EQ(file.Lines(), (std::vector<std::string>{"from Fortran 1", "from the library",
                                                    "from Fortran 2", " "}));
}

TEST(dia_TextChannel_Write, CutsLongTextAt120AndWritesEmptyRecords) {
  FortranUnitFile file(72, "dia_TextChannel_lengths.txt");
  std::string long_text;
  for (int i = 0; i < 200; ++i) long_text += static_cast<char>('a' + i % 26);
  dia_Write(file.Unit(), long_text.c_str());
  dia_Write(file.Unit(), "");
  dia_Write(file.Unit(), long_text.substr(0, 120).c_str());
  int unit = file.Unit(), negative = -5, three = 3;
  dia_writefort(&unit, &negative, "ignored");
  dia_writefort(&unit, &three, "abcdef");
  dia_writefort(&unit, &three, nullptr);
  EXPECT_EQ(file.Lines(), (std::vector<std::string>{long_text.substr(0, 120), "",
                                                    long_text.substr(0, 120), "", "abc", ""}));
}

TEST(dia_TextChannel_Copy, MovesExactlyTheGivenBytes) {
  char buffer[8];
  std::memset(buffer, '*', sizeof buffer);
  dia_intbtofstr(buffer, "abcdefgh", 3);
  EXPECT_EQ(std::string(buffer, sizeof buffer), "abc*****");
  dia_intbtofstr(buffer, "xyz", 0);
  EXPECT_EQ(std::string(buffer, sizeof buffer), "abc*****");
}

}  // namespace
