// Documents whose declared encoding has a spelling that only ICU's loose
// matching knows ("ISO8859_1", "Latin-1", "windows1252"): a value with
// characters the encoding lacks is written as character references in a
// file that XML readers take, by the tree and by the stream writer alike.
// A name that no converter but ICU's knows is refused as not recognised.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <string>

#include "formats/xml/ExchangeDocument.h"
#include "formats/xml/StreamWriter.h"
#include "formats/xml/StreamedDocument.h"
#include "support/TestSupport.h"

namespace enlazora::formats {
namespace {

using enlazora::testing::ReadBytes;
using enlazora::testing::TempFolder;
using enlazora::testing::WriteBytes;

// Windows-1252: euro sign, o-e ligature, one half, n with tilde, ampersand.
const std::string kValue = "\x80 \x9C \xBD \xF1 &";
const std::string kValueUtf8 = "\xE2\x82\xAC \xC5\x93 \xC2\xBD \xC3\xB1 &";

std::string InputWithEncoding(const std::string& encoding) {
  return "<?xml version=\"1.0\" encoding=\"" + encoding +
         "\"?>\n<SERVICIO><BLOQUE_DATOS><grupo_datos seq=\"ANNO_ACADEMICO\"><dato>2025</dato></grupo_datos>"
         "</BLOQUE_DATOS></SERVICIO>\n";
}

// The text of the written document's first dato as libxml2 reads it, or
// "<not XML>".
std::string WrittenValue(const std::filesystem::path& file) {
  xmlDocPtr doc = xmlReadFile(file.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (doc == nullptr) return "<not XML>";
  const xmlNode* root = xmlDocGetRootElement(doc);
  xmlChar* content = root->children != nullptr ? xmlNodeGetContent(root->children) : nullptr;
  std::string value = content != nullptr ? reinterpret_cast<const char*>(content) : "";
  xmlFree(content);
  xmlFreeDoc(doc);
  return value;
}

TEST(XmlEncodingNames, LooseSpellingsWriteWhatTheyLackAsReferences) {
  for (const char* encoding : {"ISO8859_1", "ISO_8859_1", "Latin-1", "ISO-885-91", "windows1252", "iso8859_15"}) {
    SCOPED_TRACE(encoding);
    TempFolder folder;
    const auto input = folder / "entrada.xml";
    WriteBytes(input, InputWithEncoding(encoding));

    auto tree = ExchangeDocument::load(input);
    tree.replaceRoot("SERVICIO").appendElement("dato").setText(kValue);
    tree.save(folder / "arbol.xml");
    EXPECT_EQ(WrittenValue(folder / "arbol.xml"), kValueUtf8);

    const auto streamed = StreamedDocument::load(input);
    StreamWriter writer(streamed, folder / "flujo.xml");
    writer.root("SERVICIO").appendElement("dato").setText(kValue);
    writer.finish();
    EXPECT_EQ(ReadBytes(folder / "flujo.xml"), ReadBytes(folder / "arbol.xml"));
    EXPECT_NE(ReadBytes(folder / "flujo.xml").find(std::string("encoding=\"") + encoding + "\""), std::string::npos);
  }
}

// The message of the DocumentError that loading raises, or "" when it loads.
std::string LoadFailure(const std::filesystem::path& file) {
  try {
    ExchangeDocument::load(file);
  } catch (const DocumentError& error) {
    return error.what();
  }
  return {};
}

TEST(XmlEncodingNames, LooseSpellingsReadAsTheSystemSpellingDoes) {
  // 0x81 is undefined in Windows-1252 and 0x8E in Windows-1253.
  struct Case {
    const char* loose;
    const char* system;
    std::string bytes;
  };
  for (const auto& c : {Case{"windows1252", "windows-1252", "A\x81o"}, Case{"win--dows_1253", "windows-1253", "A\x8Eo"},
                        Case{"ISO8859_1", "ISO-8859-1", "A\xF1o"}}) {
    SCOPED_TRACE(c.loose);
    TempFolder folder;
    const auto file = folder / "entrada.xml";
    const auto document = [&](const char* encoding) {
      return "<?xml version=\"1.0\" encoding=\"" + std::string(encoding) +
             "\"?>\n<SERVICIO><BLOQUE_DATOS><dato>" + c.bytes + "</dato></BLOQUE_DATOS></SERVICIO>\n";
    };
    WriteBytes(file, document(c.system));
    const std::string expected = LoadFailure(file);
    WriteBytes(file, document(c.loose));
    EXPECT_EQ(LoadFailure(file), expected);
  }
}

TEST(XmlEncodingNames, NameOnlyIcuKnowsIsNotRecognised) {
  TempFolder folder;
  const auto input = folder / "entrada.xml";
  WriteBytes(input, InputWithEncoding("ibm-5348_P100-1997"));
  const std::string message =
      "El archivo \"" + input.string() + "\" declara la codificación \"ibm-5348_P100-1997\", que no se reconoce.";
  try {
    ExchangeDocument::load(input);
    ADD_FAILURE() << "loaded";
  } catch (const DocumentError& error) {
    EXPECT_EQ(error.what(), message);
  }
  try {
    StreamedDocument::load(input);
    ADD_FAILURE() << "loaded";
  } catch (const DocumentError& error) {
    EXPECT_EQ(error.what(), message);
  }
}

}  // namespace
}  // namespace enlazora::formats
