// Reading exchange documents: encodings, which records a block path selects,
// white space between elements, and the outbound run's first data child.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/xml/ExchangeDocument.h"
#include "support/TestSupport.h"

namespace enlazora::formats {
namespace {

using enlazora::testing::TempFolder;
using enlazora::testing::TestsFile;
using enlazora::testing::WriteBytes;

ExchangeDocument LoadBytes(const std::string& bytes) {
  TempFolder folder;
  WriteBytes(folder / "documento.xml", bytes);
  return ExchangeDocument::load(folder / "documento.xml");
}

std::vector<std::vector<std::string>> ValuesOf(const std::vector<Record>& records) {
  std::vector<std::vector<std::string>> values;
  for (const auto& record : records) {
    values.emplace_back();
    for (std::size_t k = 0; k < record.size(); ++k) values.back().push_back(record.value(k));
  }
  return values;
}

// UTF-16 with its byte order mark, from UTF-8 text of the Basic Multilingual
// Plane.
std::string Utf16WithBom(const std::string& utf8, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const auto next = [&](std::size_t k) { return static_cast<unsigned>(utf8[i + k]) & 0x3Fu; };
    unsigned codePoint = lead;
    if (lead >= 0xE0) {
      codePoint = ((lead & 0x0Fu) << 12) | (next(1) << 6) | next(2);
      i += 3;
    } else if (lead >= 0xC0) {
      codePoint = ((lead & 0x1Fu) << 6) | next(1);
      i += 2;
    } else {
      i += 1;
    }
    const char high = static_cast<char>(codePoint >> 8), low = static_cast<char>(codePoint & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

// One record holding one value; the prefix carries the encoding's name.
std::string OneValueDocument(const std::string& prolog, const std::string& value) {
  return prolog + "<SERVICIO><BLOQUE_DATOS><grupo_datos seq=\"MATERIAS\"><grupo_datos><dato nombre_dato=\"D\">" +
         value + "</dato></grupo_datos></grupo_datos></BLOQUE_DATOS></SERVICIO>";
}

struct EncodingCase {
  const char* name;
  std::string bytes;
};

TEST(XmlReading, AccentedTextArrivesAsWindows1252InEveryDeclaredEncoding) {
  // "Educación Física – Año €": the dash and the euro sign exist in
  // Windows-1252 (0x96, 0x80) but not in ISO-8859-1, where the file uses
  // character references for them.
  const std::string expected = "Educaci\xF3n F\xEDsica \x96 A\xF1o \x80";
  const std::string utf8Value = "Educaci\xC3\xB3n F\xC3\xADsica \xE2\x80\x93 A\xC3\xB1o \xE2\x82\xAC";
  const std::string utf16Document = OneValueDocument("<?xml version=\"1.0\" encoding=\"UTF-16\"?>", utf8Value);
  const std::vector<EncodingCase> cases = {
      {"UTF-8 declared", OneValueDocument("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", utf8Value)},
      {"UTF-8 with BOM, no declaration", "\xEF\xBB\xBF" + OneValueDocument("", utf8Value)},
      {"UTF-8 without declaration", OneValueDocument("", utf8Value)},
      {"UTF-16 little-endian with BOM", Utf16WithBom(utf16Document, false)},
      {"UTF-16 big-endian with BOM", Utf16WithBom(utf16Document, true)},
      {"ISO-8859-1", OneValueDocument("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n",
                                      "Educaci\xF3n F\xEDsica &#8211; A\xF1o &#8364;")},
      {"windows-1252", OneValueDocument("<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n", expected)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto records = LoadBytes(c.bytes).records("MATERIAS");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].value(0), expected);
  }
}

TEST(XmlReading, BlockPathSelectsExactSeqDirectChildrenAndDirectValues) {
  const auto doc = ExchangeDocument::load(TestsFile("formats/fixtures/xml/bloques.xml"));
  // Both blocks named exactly EMPLEADOS, in document order; nested records,
  // values of a deeper element, a value straight under a block and a block
  // outside BLOQUE_DATOS all stay out. A lone white-space value is kept.
  const std::vector<std::vector<std::string>> expected = {
      {"101", "Ana Mar\xED" "a", "   ", "P\xE9rez N\xFA\xF1" "ez"},
      {"102"},
      {"103"},
  };
  EXPECT_EQ(ValuesOf(doc.records("EMPLEADOS")), expected);
  EXPECT_EQ(ValuesOf(doc.records("empleados")), (std::vector<std::vector<std::string>>{{"min\xFAsculas"}}));
  EXPECT_EQ(ValuesOf(doc.records("EMPLEADOS ")), (std::vector<std::vector<std::string>>{{"con blanco"}}));
  EXPECT_TRUE(doc.records("MATERIAS").empty());
  EXPECT_TRUE(doc.records("").empty());
}

TEST(XmlReading, PositionBeyondTheRecordReadsEmpty) {
  const auto records = ExchangeDocument::load(TestsFile("formats/fixtures/xml/bloques.xml")).records("EMPLEADOS");
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[1].size(), 1u);
  EXPECT_EQ(records[1].value(1), "");
  EXPECT_EQ(records[1].value(1000), "");
}

TEST(XmlReading, FirstDataChildText) {
  struct Case {
    const char* name;
    std::string document;
    std::optional<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"indented file: the first child is the first element",
       "<SERVICIO>\n  <BLOQUE_DATOS>\n    <grupo_datos seq=\"X\">\n      <dato>2023-24</dato>\n    </grupo_datos>\n"
       "    <grupo_datos seq=\"Y\"><dato>otro</dato></grupo_datos>\n  </BLOQUE_DATOS>\n</SERVICIO>\n",
       "2023-24"},
      {"all descendants' text of the first block", "<SERVICIO><BLOQUE_DATOS><g><dato>20</dato><dato>24</dato></g>"
                                                   "</BLOQUE_DATOS></SERVICIO>",
       "2024"},
      {"a text first child", "<SERVICIO><BLOQUE_DATOS>A\xC3\xB1o 2024<g/></BLOQUE_DATOS></SERVICIO>",
       "A\xF1o 2024"},
      {"the first container counts", "<SERVICIO><BLOQUE_DATOS/><BLOQUE_DATOS><g>1</g></BLOQUE_DATOS></SERVICIO>",
       std::nullopt},
      {"root is not SERVICIO", "<OTRO><BLOQUE_DATOS><g>2024</g></BLOQUE_DATOS></OTRO>", std::nullopt},
      {"root in a namespace", "<SERVICIO xmlns=\"urn:x\"><BLOQUE_DATOS><g>2024</g></BLOQUE_DATOS></SERVICIO>",
       std::nullopt},
      {"no BLOQUE_DATOS", "<SERVICIO><DATOS><g>2024</g></DATOS></SERVICIO>", std::nullopt},
      {"BLOQUE_DATOS deeper than the root", "<SERVICIO><x><BLOQUE_DATOS><g>1</g></BLOQUE_DATOS></x></SERVICIO>",
       std::nullopt},
      {"empty BLOQUE_DATOS", "<SERVICIO><BLOQUE_DATOS></BLOQUE_DATOS></SERVICIO>", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(LoadBytes(c.document).firstDataChildText(), c.expected);
  }
}

TEST(XmlReading, FixtureFirstDataChildIsTheSchoolYearBlock) {
  EXPECT_EQ(ExchangeDocument::load(TestsFile("formats/fixtures/xml/bloques.xml")).firstDataChildText(), "2024");
}

}  // namespace
}  // namespace enlazora::formats
