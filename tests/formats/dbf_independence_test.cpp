// Our tables checked by readers and writers that are not ours: what we write,
// TDbf reads field for field; what TDbf (levels 3, 4, 7) and python3-dbf
// (dBase III/IV, FoxPro, Visual FoxPro) write, we read the same way.
#include <gtest/gtest.h>

#include <cmath>

#include "formats/dbf/DbfTable.h"
#include "support/IndependentReaders.h"
#include "support/TestSupport.h"

namespace enlazora::formats {
namespace {
using testing::DumpWithTDbf;
using testing::TempFolder;

// Our reading of a table in the text form of the independent tools (without
// their "level" line). Floats print like TDbf prints them.
std::string DumpWithOurs(const std::filesystem::path& file) {
  auto table = DbfTable::open(file, Access::Shared);
  std::string dump;
  for (const auto& field : table.fields())
    dump += "field " + field.name + " " + field.type + " " + std::to_string(field.length) + " " +
            std::to_string(field.decimals) + "\n";
  for (std::size_t row = 0; row < table.size(); ++row) {
    dump += "record\n";
    for (const auto& field : table.fields()) {
      std::string value;
      if (table.isBlank(row, field.name)) value = "<blank>";
      else if ((field.type == 'N' || field.type == 'F') && field.decimals > 0) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.15g", table.number(row, field.name));
        value = buffer;
      } else value = table.text(row, field.name);
      dump += field.name + "=" + value + "\n";
    }
  }
  return dump;
}

std::string WithoutFirstLine(const std::string& dump) { return dump.substr(dump.find('\n') + 1); }

TEST(DbfIndependence, TDbfReadsEveryFieldAndValueWeWrite) {
  TempFolder folder;
  const auto file = folder / "ASIGNOMT2.DBF";
  DbfTable::create(file, {FieldDef::character("OFERTAMATRI", 20), FieldDef::character("COD", 10),
                          FieldDef::integer("DNI"), FieldDef::floating("HORAS"), FieldDef::logical("ESTAREA")});
  auto table = DbfTable::open(file);
  table.append();
  table.set("OFERTAMATRI", "Educaci\xF3n f\xEDsica 1\xBA");
  table.set("COD", "ABCDEFGHIJKLMNOP");  // cut to 10
  table.setInteger("DNI", -12);
  table.setNumber("HORAS", 4.0);
  table.setLogical("ESTAREA", true);
  table.post();
  table.append();  // everything blank
  table.post();
  table.append();
  table.set("OFERTAMATRI", "  \xD1" "and\xFA  ");
  table.setInteger("DNI", 2147483647);
  table.setNumber("HORAS", -2.5);
  table.setLogical("ESTAREA", false);
  table.post();
  table.append();
  table.set("COD", "x");
  table.setInteger("DNI", 0);  // zero is a value, not a blank
  table.setNumber("HORAS", 0.0);
  table.set("ESTAREA", "T");
  table.post();
  table.append();
  table.setInteger("DNI", -2147483647);
  table.setNumber("HORAS", 1e-3);
  table.post();
  table.close();

  const std::string expected =
      "field OFERTAMATRI C 20 0\n"
      "field COD C 10 0\n"
      "field DNI I 4 0\n"
      "field HORAS O 8 0\n"
      "field ESTAREA L 1 0\n"
      "record\nOFERTAMATRI=Educaci\xF3n f\xEDsica 1\xBA\nCOD=ABCDEFGHIJ\nDNI=-12\nHORAS=4\nESTAREA=T\n"
      "record\nOFERTAMATRI=<blank>\nCOD=<blank>\nDNI=<blank>\nHORAS=<blank>\nESTAREA=<blank>\n"
      "record\nOFERTAMATRI=  \xD1" "and\xFA\nCOD=<blank>\nDNI=2147483647\nHORAS=-2.5\nESTAREA=F\n"
      "record\nOFERTAMATRI=<blank>\nCOD=x\nDNI=0\nHORAS=0\nESTAREA=T\n"
      "record\nOFERTAMATRI=<blank>\nCOD=<blank>\nDNI=-2147483647\nHORAS=0.001\nESTAREA=<blank>\n";
  EXPECT_EQ(DumpWithTDbf(file), "level 7\n" + expected);
  EXPECT_EQ(DumpWithOurs(file), expected);
}

struct TDbfCase {
  int level;
  unsigned char expectedVersion;
  std::string description;
};

class TDbfWrites : public ::testing::TestWithParam<TDbfCase> {};

// Whatever TDbf writes at a level, we read field for field as TDbf reads it.
TEST_P(TDbfWrites, WeReadWhatTDbfReads) {
  TempFolder folder;
  const auto file = folder / "SOLUC.DBF";
  testing::WriteWithTDbf(file, GetParam().level, GetParam().description);
  const auto byTDbf = DumpWithTDbf(file);
  EXPECT_EQ(static_cast<unsigned char>(testing::ReadBytes(file).at(0)), GetParam().expectedVersion);
  EXPECT_EQ(DumpWithOurs(file), WithoutFirstLine(byTDbf));
  EXPECT_NE(byTDbf.find("record\n"), std::string::npos);
}

const std::string kLevel7Description =
    "field PROF C 10 0\nfield OFERTAMATRI C 20 0\nfield DIA I 4 0\nfield HORAS O 8 0\nfield ESTAREA L 1 0\n"
    "field FECHA D 8 0\nfield HORA N 5 0\nfield PESO N 8 2\nfield MOMENTO @ 8 0\n"
    "record\nPROF=Mar\xEDn\nOFERTAMATRI=12345678901234567890\nDIA=3\nHORAS=-2.5\nESTAREA=T\nFECHA=20240305\n"
    "HORA=-7\nPESO=3.5\n"
    "record\nPROF=gone\ndelete\n"
    "record\nDIA=-480\nHORAS=4\nESTAREA=F\n"
    "record\n";
const std::string kLevel4Description =
    "field PROF C 10 0\nfield DIA N 4 0\nfield PESO N 8 2\nfield OK L 1 0\nfield FECHA D 8 0\n"
    "record\nPROF=Mar\xEDn\nDIA=-12\nPESO=-0.25\nOK=T\nFECHA=19991231\n"
    "record\nPROF=gone\ndelete\n"
    "record\nDIA=0\n";

INSTANTIATE_TEST_SUITE_P(Levels, TDbfWrites,
                         ::testing::Values(TDbfCase{7, 0x04, kLevel7Description}, TDbfCase{4, 0x03, kLevel4Description},
                                           TDbfCase{3, 0x03, kLevel4Description}));

TEST(DbfIndependence, Level7ValuesFromTDbfReadAsTheyWereWritten) {
  TempFolder folder;
  const auto file = folder / "SOLUC.DBF";
  testing::WriteWithTDbf(file, 7, kLevel7Description);
  auto table = DbfTable::open(file);
  ASSERT_EQ(table.size(), 3u);  // the deleted record is not visited
  EXPECT_EQ(table.text(0, "PROF"), "Mar\xEDn");
  EXPECT_EQ(table.text(0, "OFERTAMATRI"), "12345678901234567890");
  EXPECT_EQ(table.integer(0, "DIA"), 3);
  EXPECT_EQ(table.number(0, "HORAS"), -2.5);
  EXPECT_TRUE(table.logical(0, "ESTAREA"));
  EXPECT_EQ(table.text(0, "FECHA"), "20240305");
  EXPECT_EQ(table.integer(0, "HORA"), -7);
  EXPECT_EQ(table.number(0, "PESO"), 3.5);
  EXPECT_EQ(table.text(0, "MOMENTO"), "");  // a type we do not read is blank
  EXPECT_EQ(table.integer(1, "DIA"), -480);
  EXPECT_EQ(table.text(1, "HORAS"), "4");
  EXPECT_FALSE(table.logical(1, "ESTAREA"));
  EXPECT_TRUE(table.isBlank(2, "DIA"));
  EXPECT_EQ(table.integer(2, "DIA"), 0);
}

struct PythonCase {
  std::string name;
  std::string flavour;
  int versionByte;  // forced afterwards, 0 to keep what python3-dbf wrote
  unsigned char expectedVersion;
  std::string description;
  std::string ourDump;
};

class PythonDbfWrites : public ::testing::TestWithParam<PythonCase> {};

TEST_P(PythonDbfWrites, WeReadEveryValueAndSkipDeletedRecords) {
  TempFolder folder;
  const auto file = folder / "NIVELLARI.DBF";
  testing::WriteWithPythonDbf(file, GetParam().flavour, GetParam().description, GetParam().versionByte);
  EXPECT_EQ(static_cast<unsigned char>(testing::ReadBytes(file).at(0)), GetParam().expectedVersion);
  EXPECT_EQ(DumpWithOurs(file), GetParam().ourDump);
}

const std::string kDBaseDescription =
    "field X_OFERTAMA N 10 0\nfield NIVEL_ABRE C 12 0\nfield PESO N 8 2\nfield OK L 1 0\nfield FECHA D 8 0\n"
    "record\nX_OFERTAMA=1234567890\nNIVEL_ABRE=Educaci\xF3n\nPESO=-3.25\nOK=T\nFECHA=20240305\n"
    "record\nX_OFERTAMA=7\ndelete\n"
    "record\nX_OFERTAMA=-12\nOK=F\n";
const std::string kDBaseDump =
    "field X_OFERTAMA N 10 0\nfield NIVEL_ABRE C 12 0\nfield PESO N 8 2\nfield OK L 1 0\nfield FECHA D 8 0\n"
    "record\nX_OFERTAMA=1234567890\nNIVEL_ABRE=Educaci\xF3n\nPESO=-3.25\nOK=T\nFECHA=20240305\n"
    "record\nX_OFERTAMA=-12\nNIVEL_ABRE=<blank>\nPESO=<blank>\nOK=F\nFECHA=<blank>\n";
const std::string kMemoDescription =
    "field NOMBRE C 12 0\nfield DIA N 4 0\nfield PESO F 8 2\nfield NOTA M 10 0\n"
    "record\nNOMBRE=Espa\xF1" "a\nDIA=5\nPESO=0.5\nNOTA=memo text\n"
    "record\nNOMBRE=gone\ndelete\n"
    "record\nNOMBRE=Last\n";
const std::string kMemoDump =
    "field NOMBRE C 12 0\nfield DIA N 4 0\nfield PESO F 8 2\nfield NOTA M 10 0\n"
    "record\nNOMBRE=Espa\xF1" "a\nDIA=5\nPESO=0.5\nNOTA=<blank>\n"
    "record\nNOMBRE=Last\nDIA=<blank>\nPESO=<blank>\nNOTA=<blank>\n";
const std::string kVisualFoxDescription =
    "field NOMBRE C 12 0\nfield DIA I 4 0\nfield HORAS B 8 0\nfield OK L 1 0\nfield NUM N 5 0\n"
    "record\nNOMBRE=\xC1lvaro\nDIA=-480\nHORAS=-2.5\nOK=T\nNUM=42\n"
    "record\nNOMBRE=gone\nDIA=1\ndelete\n"
    "record\nDIA=2000000000\nHORAS=4\n";
const std::string kVisualFoxDump =
    "field NOMBRE C 12 0\nfield DIA I 4 0\nfield HORAS B 8 0\nfield OK L 1 0\nfield NUM N 5 0\n"
    "record\nNOMBRE=\xC1lvaro\nDIA=-480\nHORAS=-2.5\nOK=T\nNUM=42\n"
    "record\nNOMBRE=<blank>\nDIA=2000000000\nHORAS=4\nOK=<blank>\nNUM=<blank>\n";

INSTANTIATE_TEST_SUITE_P(
    Flavours, PythonDbfWrites,
    ::testing::Values(PythonCase{"dBaseIII", "db3", 0, 0x03, kDBaseDescription, kDBaseDump},
                      PythonCase{"dBaseIIIMemo", "db3", 0, 0x83, kMemoDescription, kMemoDump},
                      PythonCase{"dBaseIVMemo", "db3", 0x8B, 0x8B, kMemoDescription, kMemoDump},
                      PythonCase{"FoxPro", "fp", 0, 0xF5, kMemoDescription, kMemoDump},
                      PythonCase{"VisualFoxPro", "vfp", 0, 0x30, kVisualFoxDescription, kVisualFoxDump},
                      PythonCase{"VisualFoxPro31", "vfp", 0x31, 0x31, kVisualFoxDescription, kVisualFoxDump}),
    [](const auto& testInfo) { return testInfo.param.name; });

TEST(DbfIndependence, ElevenLetterNameFillingItsWholeSlotAtLevel3IsReadWhole) {
  TempFolder folder;
  const auto file = folder / "ASIGNOMT2.DBF";
  testing::WriteWithPythonDbf(file, "db3", "field OFERTAMATR C 20 0\nrecord\nOFERTAMATR=100\n");
  auto bytes = testing::ReadBytes(file);
  ASSERT_EQ(bytes.substr(32, 11), std::string("OFERTAMATR\0", 11));
  bytes[32 + 10] = 'I';  // no NUL left between the name and the type letter
  testing::WriteBytes(file, bytes);
  auto table = DbfTable::open(file);
  ASSERT_EQ(table.fields().size(), 1u);
  EXPECT_EQ(table.fields()[0].name, "OFERTAMATRI");
  EXPECT_EQ(table.text(0, "OFERTAMATRI"), "100");
}

}  // namespace
}  // namespace enlazora::formats
