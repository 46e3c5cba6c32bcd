// Reading an exchange document in one pass (StreamedDocument) gives exactly
// what the loaded tree (ExchangeDocument) gives: the same records of every
// block, the same first data child, the same refusal of every bad file, and
// the nodes outside the root kept in order.
#include <gtest/gtest.h>
#include <libxml/tree.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "formats/xml/ExchangeDocument.h"
#include "formats/xml/StreamedDocument.h"
#include "support/TestSupport.h"

namespace enlazora::formats {
namespace {

namespace fs = std::filesystem;
using enlazora::testing::TempFolder;
using enlazora::testing::TestsFile;
using enlazora::testing::WriteBytes;

// The block names the cases use, and the inbound run's.
const std::vector<std::string> kBlocks = {"MATERIAS",  "ACTIVIDADES",       "EMPLEADOS",          "DEPENDENCIAS",
                                          "UNIDADES",  "CURSOS_DEL_CENTRO", "JORNADAS_ESCOLARES", "TRAMOS_HORARIOS",
                                          "B",         "b",                 "A&B",                "",
                                          "Se\xC3\xB1" "al", "ANNO_ACADEMICO"};

std::vector<std::vector<std::string>> ValuesOf(const std::vector<Record>& records) {
  std::vector<std::vector<std::string>> values;
  for (const auto& record : records) {
    values.emplace_back();
    for (std::size_t k = 0; k < record.size(); ++k) values.back().push_back(record.value(k));
  }
  return values;
}

// Both readings of one file agree on every block and the first data child.
void ExpectSameReading(const fs::path& file) {
  const auto tree = ExchangeDocument::load(file);
  const auto stream = StreamedDocument::load(file);
  for (const auto& block : kBlocks) EXPECT_EQ(ValuesOf(stream.records(block)), ValuesOf(tree.records(block))) << block;
  EXPECT_EQ(stream.firstDataChildText(), tree.firstDataChildText());
}

std::string Document(const std::string& containerContent) {
  return "<SERVICIO><BLOQUE_DATOS>" + containerContent + "</BLOQUE_DATOS></SERVICIO>";
}

std::string OneBlock(const std::string& records) { return Document("<grupo_datos seq=\"B\">" + records + "</grupo_datos>"); }

std::string OneValue(const std::string& value) { return OneBlock("<grupo_datos><dato>" + value + "</dato></grupo_datos>"); }

// One record per value, each value the given XML text.
std::string Values(const std::vector<std::string>& values) {
  std::string records;
  for (const auto& value : values) records += "<grupo_datos><dato>" + value + "</dato></grupo_datos>";
  return OneBlock(records);
}

// ISO-8859-1 text as UTF-16 little-endian with its byte order mark.
std::string Utf16LittleEndian(const std::string& latin1) {
  std::string bytes = "\xFF\xFE";
  for (const char c : latin1) bytes += std::string{c, '\0'};
  return bytes;
}

TEST(XmlStreamReading, ReadsWhatTheTreeReads) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const std::vector<Case> cases = {
      {"indented, values and records in order",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SERVICIO modulo=\"X\">\n  <BLOQUE_DATOS>\n"
       "    <grupo_datos seq=\"ANNO_ACADEMICO\">\n      <dato nombre_dato=\"C_ANNO\">2024</dato>\n    </grupo_datos>\n"
       "    <grupo_datos seq=\"B\">\n      <grupo_datos seq=\"R1\">\n        <dato>uno</dato>\n        <dato>  </dato>\n"
       "        <dato/>\n        <dato>A\xC3\xB1o \xE2\x82\xAC</dato>\n      </grupo_datos>\n"
       "      <grupo_datos><dato>dos</dato></grupo_datos>\n      <grupo_datos/>\n    </grupo_datos>\n"
       "  </BLOQUE_DATOS>\n</SERVICIO>\n"},
      {"blank text dropped only beside elements",
       Values({" <b>x</b> <c/> y ", " <!-- c --> ", "<x/><![CDATA[ ]]>", "\n\t \r\n", "a<b> <c>d</c> </b>e",
               "a<![CDATA[b]]>c", " <![CDATA[ ]]> <x/>",
               "a <!--c--> <x/>", "a <?pi?> <x/>"})},
      {"text split by comments and instructions", OneValue("a<!--x-->b<?pi data?>c<x> </x> <!--y--> ")},
      {"references and line ends", OneValue("&amp;&lt;&gt;&quot;&apos; &#233;&#x20AC; l1\r\nl2&#13;&#10;fin")},
      {"only direct children count",
       OneBlock("<grupo_datos><dato>1</dato><x><dato>no</dato></x><grupo_datos><dato>no</dato></grupo_datos>"
                "<dato>2</dato></grupo_datos><x><grupo_datos><dato>no</dato></grupo_datos></x>")},
      {"names in namespaces are other names",
       "<SERVICIO xmlns:p=\"urn:p\"><BLOQUE_DATOS><grupo_datos seq=\"B\"><grupo_datos><dato>1</dato>"
       "<dato xmlns=\"urn:x\">no</dato><p:dato>no</p:dato><q:dato>sin prefijo declarado</q:dato></grupo_datos>"
       "<p:grupo_datos><dato>no</dato></p:grupo_datos></grupo_datos>"
       "<grupo_datos p:seq=\"B\"><grupo_datos><dato>no</dato></grupo_datos></grupo_datos>"
       "<grupo_datos q:seq=\"B\"><grupo_datos><dato>no</dato></grupo_datos></grupo_datos></BLOQUE_DATOS></SERVICIO>"},
      {"seq matched exactly, blocks of the same name joined",
       Document("<grupo_datos seq=\"B\"><grupo_datos><dato>1</dato></grupo_datos></grupo_datos>"
                "<grupo_datos seq=\"b\"><grupo_datos><dato>min</dato></grupo_datos></grupo_datos>"
                "<grupo_datos seq=\"B \"><grupo_datos><dato>blanco</dato></grupo_datos></grupo_datos>"
                "<grupo_datos><grupo_datos><dato>sin seq</dato></grupo_datos></grupo_datos>"
                "<grupo_datos seq=\"\"><grupo_datos><dato>seq vacío</dato></grupo_datos></grupo_datos>"
                "<grupo_datos seq=\"A&amp;B\"><grupo_datos><dato>amp</dato></grupo_datos></grupo_datos>"
                "<grupo_datos seq=\"Se&#241;al\"><grupo_datos><dato>eñe</dato></grupo_datos></grupo_datos>") +
           "<!-- fin -->"},
      {"several containers",
       "<SERVICIO><BLOQUE_DATOS><grupo_datos seq=\"B\"><grupo_datos><dato>1</dato></grupo_datos></grupo_datos>"
       "</BLOQUE_DATOS><otro/><BLOQUE_DATOS><grupo_datos seq=\"B\"><grupo_datos><dato>2</dato></grupo_datos>"
       "</grupo_datos></BLOQUE_DATOS></SERVICIO>"},
      {"seq given by the document type's default",
       "<!DOCTYPE SERVICIO [<!ATTLIST grupo_datos seq CDATA \"B\">]>" +
           Document("<grupo_datos><grupo_datos><dato>por omisión</dato></grupo_datos></grupo_datos>")},
      {"reference to an entity never declared",
       "<!DOCTYPE SERVICIO SYSTEM \"no_se_lee.dtd\">" +
           Document("&nada;<grupo_datos seq=\"B\"><grupo_datos><dato>[&nada;]</dato><dato>&nada;</dato>"
                    "</grupo_datos></grupo_datos>")},
      {"root is not SERVICIO", "<OTRO><BLOQUE_DATOS><grupo_datos seq=\"B\"><grupo_datos><dato>1</dato>"
                               "</grupo_datos></grupo_datos></BLOQUE_DATOS></OTRO>"},
      {"ISO-8859-1", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + OneValue("A\xF1o \xBD")},
      {"UTF-16", Utf16LittleEndian(OneValue("A\xF1o \xBD"))},
  };
  TempFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(folder / "entrada.xml", c.bytes);
    ExpectSameReading(folder / "entrada.xml");
  }
  ExpectSameReading(TestsFile("formats/fixtures/xml/bloques.xml"));
  ExpectSameReading(fs::path(ENLAZORA_SOURCE_DIR) / "ejemplos" / "instituto.xml");
}

TEST(XmlStreamReading, FirstDataChildAsTheTreeLeavesIt) {
  const std::vector<std::string> containers = {
      "",
      "   ",
      "\n  <g>2024</g>\n",
      "\n  <!-- año -->\n  <g>2024</g>",
      "  <!-- año -->  ",
      "<![CDATA[ ]]><g>1</g>",
      "  <![CDATA[2024]]>",
      "<?pi 2024?><g/>",
      "<?pi?><g/>",
      "texto<g>1</g>",
      "  texto  <g>1</g>",
      "<g> <a>20</a> <b>24</b> </g>",
      "<g> </g>",
      "<g/>",
      " \n <g><x><y>2</y>0</x>24</g> texto",
  };
  TempFolder folder;
  for (const auto& content : containers) {
    SCOPED_TRACE(content);
    WriteBytes(folder / "entrada.xml", Document(content) + "<!-- y luego -->");
    ExpectSameReading(folder / "entrada.xml");
    WriteBytes(folder / "entrada.xml", "<SERVICIO><BLOQUE_DATOS>" + content +
                                           "</BLOQUE_DATOS><BLOQUE_DATOS><g>no</g></BLOQUE_DATOS></SERVICIO>");
    ExpectSameReading(folder / "entrada.xml");
  }
}

TEST(XmlStreamReading, KeepsOnlyTheBlocksAsked) {
  TempFolder folder;
  WriteBytes(folder / "entrada.xml",
             Document("<grupo_datos seq=\"ANNO_ACADEMICO\"><dato>2024</dato></grupo_datos>"
                      "<grupo_datos seq=\"MATERIAS\"><grupo_datos><dato>m</dato></grupo_datos></grupo_datos>"
                      "<grupo_datos seq=\"EMPLEADOS\"><grupo_datos><dato>e</dato></grupo_datos></grupo_datos>"));
  const auto some = StreamedDocument::load(folder / "entrada.xml", {"EMPLEADOS"});
  EXPECT_TRUE(some.records("MATERIAS").empty());
  ASSERT_EQ(some.records("EMPLEADOS").size(), 1u);
  EXPECT_EQ(some.records("EMPLEADOS")[0].value(0), "e");
  const auto none = StreamedDocument::load(folder / "entrada.xml", {});
  EXPECT_TRUE(none.records("EMPLEADOS").empty());
  EXPECT_EQ(none.firstDataChildText(), "2024");
}

// The message of the DocumentError that a load raises, or "" when it loads.
template <typename Load>
std::string Failure(Load load) {
  try {
    load();
  } catch (const DocumentError& error) {
    return error.what();
  }
  return {};
}

TEST(XmlStreamReading, RefusesWhatTheTreeRefusesWithTheSameMessage) {
  std::string deep = "<SERVICIO>";
  for (int level = 0; level < 3000; ++level) deep += "<n>";
  const std::vector<std::string> files = {
      "",
      std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16),
      "  \n ",
      "Esto no es XML.",
      "<SERVICIO>\n<BLOQUE_DATOS>\n  <grupo_datos seq=\"A\"></BLOQUE_DATOS>\n</SERVICIO>\n",
      "<SERVICIO>\n<BLOQUE_DATOS>\n<grupo_datos seq=\"A\">\n",
      "<SERVICIO>\n  <dato>Lengua & Literatura</dato>\n</SERVICIO>",
      "<SERVICIO/>\n<SERVICIO/>",
      "<SERVICIO><dato a=\"1\" a=\"2\"/></SERVICIO>",
      "<?xml version=\"1.0\" encoding=\"x-desconocida\"?><SERVICIO/>",
      "<SERVICIO>\n<dato>Educaci\xF3n</dato>\n</SERVICIO>",
      "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<SERVICIO><dato>\x81</dato></SERVICIO>",
      "<!DOCTYPE SERVICIO [<!ENTITY s \"texto\">]>" + OneValue("&s;"),
      "<!DOCTYPE SERVICIO [\n<!ENTITY % p SYSTEM \"file:///etc/passwd\">\n%p;\n]>" + OneValue("x"),
      OneValue("&nada;"),
      deep,
  };
  TempFolder folder;
  for (const auto& bytes : files) {
    SCOPED_TRACE(bytes.substr(0, 60));
    WriteBytes(folder / "entrada.xml", bytes);
    const auto expected = Failure([&] { ExchangeDocument::load(folder / "entrada.xml"); });
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(Failure([&] { StreamedDocument::load(folder / "entrada.xml"); }), expected);
  }
  for (const fs::path& missing : {folder / "no_existe.xml", folder.path()}) {
    const auto expected = Failure([&] { ExchangeDocument::load(missing); });
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(Failure([&] { StreamedDocument::load(missing); }), expected);
  }
}

TEST(XmlStreamReading, KeepsWhatStandsOutsideTheRootAndNothingOfIt) {
  TempFolder folder;
  WriteBytes(folder / "entrada.xml",
             "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"no\"?>\n<!DOCTYPE SERVICIO>\n"
             "<!-- antes -->\n<?origen sistema=\"pruebas\"?>\n" +
                 OneValue("<!-- dentro --><?dentro?>x") + "\n<!-- después -->\n");
  const auto document = StreamedDocument::load(folder / "entrada.xml");
  EXPECT_TRUE(document.hadDeclaration());
  const xmlDoc* doc = document.outsideRoot();
  EXPECT_STREQ(reinterpret_cast<const char*>(doc->encoding), "ISO-8859-1");
  EXPECT_EQ(doc->standalone, 0);
  std::vector<std::string> nodes;
  for (const xmlNode* node = doc->children; node != nullptr; node = node->next)
    nodes.push_back(std::to_string(node->type) + ":" + reinterpret_cast<const char*>(node->name));
  EXPECT_EQ(nodes, (std::vector<std::string>{"14:SERVICIO", "8:comment", "7:origen", "8:comment"}));
  EXPECT_EQ(xmlDocGetRootElement(doc), nullptr);

  WriteBytes(folder / "entrada.xml", OneValue("x"));
  EXPECT_FALSE(StreamedDocument::load(folder / "entrada.xml").hadDeclaration());
}

}  // namespace
}  // namespace enlazora::formats
