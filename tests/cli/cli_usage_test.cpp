#include <gtest/gtest.h>

#include "support/TestSupport.h"

using enlazora::testing::RunProgram;

TEST(CliUsage, HelpAndVersionAreSpanish) {
  const auto help = RunProgram(ENLAZORA_CLI, {"--help"});
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_NE(help.out.find("hacia-horalix DOCUMENTO.xml"), std::string::npos);
  EXPECT_NE(help.out.find("hacia-quirenda DOCUMENTO.xml"), std::string::npos);
  const auto version = RunProgram(ENLAZORA_CLI, {"--version"});
  EXPECT_EQ(version.exitStatus, 0);
  EXPECT_NE(version.out.find("Enlazora para HX30 V-1.0"), std::string::npos);
}

TEST(CliUsage, UsageErrorsExitWithTwo) {
  const std::vector<std::vector<std::string>> lines = {
      {},
      {"convertir", "a.xml"},
      {"hacia-horalix"},
      {"hacia-horalix", "a.xml", "b.xml"},
      {"hacia-horalix", "a.xml", "--resultado", "x.xml"},
      {"hacia-quirenda", "a.xml", "--tablas"},
      {"hacia-quirenda", "a.xml", "--tablas", "a", "--tablas", "b"},
  };
  for (const auto& line : lines) {
    const auto result = RunProgram(ENLAZORA_CLI, line);
    EXPECT_EQ(result.exitStatus, 2) << ::testing::PrintToString(line);
    EXPECT_NE(result.err.find("Uso:"), std::string::npos);
  }
}
