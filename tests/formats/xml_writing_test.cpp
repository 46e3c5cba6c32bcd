// Building and saving exchange documents: the kept prolog, the declared
// encoding, escaping, and files that are either written whole or not at all.
// Saved files are read back by Python's XML parser as well as by our own.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/xml/ExchangeDocument.h"
#include "support/FileSizeLimit.h"
#include "support/TestSupport.h"

namespace enlazora::formats {
namespace {

namespace fs = std::filesystem;
using enlazora::testing::FileSizeLimit;
using enlazora::testing::ReadBytes;
using enlazora::testing::RunProgram;
using enlazora::testing::SnapshotFolder;
using enlazora::testing::TempFolder;
using enlazora::testing::WriteBytes;

const std::string kInputBody =
    "<SERVICIO modulo=\"EXPORTACION\"><BLOQUE_DATOS><grupo_datos seq=\"ANNO_ACADEMICO\"><dato>2024</dato>"
    "</grupo_datos></BLOQUE_DATOS></SERVICIO>";

ExchangeDocument LoadBytes(const TempFolder& folder, const std::string& bytes) {
  WriteBytes(folder / "entrada.xml", bytes);
  return ExchangeDocument::load(folder / "entrada.xml");
}

// The save failure's message; fails the test when the save succeeds.
std::string SaveFailure(const ExchangeDocument& doc, const fs::path& file) {
  try {
    doc.save(file);
  } catch (const DocumentError& error) {
    return error.what();
  }
  ADD_FAILURE() << "saved " << file;
  return {};
}

// Python's own parser: the declaration it saw, then every dato as
// "nombre_dato=text" and every seq, one a line, in UTF-8.
std::string ReadWithPython(const fs::path& file) {
  static const char* kScript =
      "import sys\n"
      "from xml.dom import minidom\n"
      "d = minidom.parse(sys.argv[1])\n"
      "print(d.encoding, d.version, d.standalone)\n"
      "for e in d.getElementsByTagName('*'):\n"
      "    if e.hasAttribute('seq'): print('seq=' + e.getAttribute('seq'))\n"
      "    if e.tagName == 'dato':\n"
      "        print(e.getAttribute('nombre_dato') + '=' + ''.join(n.data for n in e.childNodes))\n";
  const auto result = RunProgram("/usr/bin/python3", {"-c", kScript, file.string()}, {"PYTHONIOENCODING=utf-8"});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  return result.out;
}

// The outbound run's shape: a new root with header attributes, BLOQUE_DATOS,
// one block, one record with the given values (Windows-1252).
void BuildTimetable(ExchangeDocument& doc, const std::vector<std::pair<std::string, std::string>>& values) {
  Element root = doc.replaceRoot("SERVICIO");
  root.setAttribute("modulo", "HORARIOS");
  root.setAttribute("tipo", "provisional");
  root.setAttribute("autor", "HORARIOS");
  root.setAttribute("tipo", "I");  // replaced where it stands
  Element block = root.appendElement("BLOQUE_DATOS").appendElement("grupo_datos");
  block.setAttribute("seq", "HORARIOS_REGULARES");
  Element record = block.appendElement("grupo_datos");
  record.setAttribute("seq", "ACTIVIDAD_1");
  for (const auto& [name, value] : values) {
    Element dato = record.appendElement("dato");
    dato.setAttribute("nombre_dato", name);
    dato.setText(value);
  }
}

TEST(XmlWriting, BuiltDocumentIsWrittenExactlyAndReadsBackUnchanged) {
  TempFolder folder;
  auto doc = LoadBytes(folder, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + kInputBody);
  BuildTimetable(doc, {{"AMP", "Lengua & Literatura"},
                       {"LT", "a<b>c</b> &amp; ]]> \"q\" 'a'"},
                       {"ANSI", "A\xF1o \x80 \x96"},
                       {"VACIO", ""},
                       {"LINEAS", "l1\r\nl2\tfin"},
                       {"CONTROL", "a\x01" "b"}});
  doc.save(folder / "salida.xml");
  EXPECT_EQ(ReadBytes(folder / "salida.xml"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<SERVICIO modulo=\"HORARIOS\" tipo=\"I\" autor=\"HORARIOS\"><BLOQUE_DATOS>"
            "<grupo_datos seq=\"HORARIOS_REGULARES\"><grupo_datos seq=\"ACTIVIDAD_1\">"
            "<dato nombre_dato=\"AMP\">Lengua &amp; Literatura</dato>"
            "<dato nombre_dato=\"LT\">a&lt;b&gt;c&lt;/b&gt; &amp;amp; ]]&gt; \"q\" 'a'</dato>"
            "<dato nombre_dato=\"ANSI\">A\xC3\xB1o \xE2\x82\xAC \xE2\x80\x93</dato>"
            "<dato nombre_dato=\"VACIO\"/>"
            "<dato nombre_dato=\"LINEAS\">l1&#13;\nl2\tfin</dato>"
            "<dato nombre_dato=\"CONTROL\">ab</dato>"
            "</grupo_datos></grupo_datos></BLOQUE_DATOS></SERVICIO>\n");

  const auto records = ExchangeDocument::load(folder / "salida.xml").records("HORARIOS_REGULARES");
  ASSERT_EQ(records.size(), 1u);
  const std::vector<std::string> expected = {"Lengua & Literatura", "a<b>c</b> &amp; ]]> \"q\" 'a'",
                                             "A\xF1o \x80 \x96",    "",
                                             "l1\r\nl2\tfin",       "ab"};
  for (std::size_t k = 0; k < expected.size(); ++k) EXPECT_EQ(records[0].value(k), expected[k]) << k;
  EXPECT_EQ(ReadWithPython(folder / "salida.xml"),
            "UTF-8 1.0 None\nseq=HORARIOS_REGULARES\nseq=ACTIVIDAD_1\nAMP=Lengua & Literatura\n"
            "LT=a<b>c</b> &amp; ]]> \"q\" 'a'\nANSI=Año € –\nVACIO=\nLINEAS=l1\r\nl2\tfin\nCONTROL=ab\n");
}

TEST(XmlWriting, SavedFileKeepsTheInputDeclarationAndIsEncodedAsItSays) {
  struct Case {
    const char* name;
    std::string inputProlog;
    std::string expectedStart;  // the saved file's first bytes
    std::string expectedValue;  // the value's bytes in the saved file
    std::string pythonDeclaration;
  };
  // "Año € –" in a block named "Señal ½€": the euro sign and the dash are
  // missing from ISO-8859-1 and become character references there.
  const std::vector<Case> cases = {
      {"ISO-8859-1 with standalone", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\"?>\n",
       "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\"?>\n<SERVICIO",
       ">A\xF1o &#8364; &#8211;</dato>", "ISO-8859-1 1.0 True"},
      {"windows-1252", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n",
       "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<SERVICIO", ">A\xF1o \x80 \x96</dato>",
       "windows-1252 1.0 None"},
      {"UTF-8", "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n", "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<SERVICIO",
       ">A\xC3\xB1o \xE2\x82\xAC \xE2\x80\x93</dato>", "utf-8 1.0 None"},
      // Plain ASCII, every other character as a reference: the declaration
      // stays as it was, naming no encoding.
      {"declaration without encoding", "<?xml version=\"1.0\"?>\n", "<?xml version=\"1.0\"?>\n<SERVICIO",
       ">A&#xF1;o &#x20AC; &#x2013;</dato>", "None 1.0 None"},
      {"no declaration: UTF-8 without one", "", "<SERVICIO", ">A\xC3\xB1o \xE2\x82\xAC \xE2\x80\x93</dato>",
       "None None None"},
      {"UTF-16", std::string("\xFF\xFE<\0?\0x\0m\0l\0 \0v\0e\0r\0s\0i\0o\0n\0=\0\"\0" "1\0.\0" "0\0\"\0 \0e\0n\0c\0o\0"
                             "d\0i\0n\0g\0=\0\"\0U\0T\0F\0-\0" "1\0" "6\0\"\0?\0>\0\n\0", 80),
       std::string("\xFF\xFE<\0?\0x\0m\0l\0 \0", 14), std::string("A\0\xF1\0o\0 \0\xAC\x20 \0\x13\x20", 14),
       "UTF-16 1.0 None"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    std::string input = c.inputProlog;
    if (c.inputProlog.starts_with("\xFF\xFE")) {
      for (const char ch : kInputBody) input += std::string{ch, '\0'};
    } else {
      input += kInputBody;
    }
    auto doc = LoadBytes(folder, input);
    Element root = doc.replaceRoot("SERVICIO");
    Element block = root.appendElement("BLOQUE_DATOS").appendElement("grupo_datos");
    block.setAttribute("seq", "Se\xF1" "al \xBD\x80");
    block.appendElement("dato").setText("A\xF1o \x80 \x96");
    doc.save(folder / "salida.xml");

    const std::string saved = ReadBytes(folder / "salida.xml");
    EXPECT_TRUE(saved.starts_with(c.expectedStart)) << saved;
    EXPECT_NE(saved.find(c.expectedValue), std::string::npos) << saved;
    EXPECT_EQ(ReadWithPython(folder / "salida.xml"), c.pythonDeclaration + "\nseq=Señal ½€\n=Año € –\n");
    const auto records = ExchangeDocument::load(folder / "salida.xml");
    EXPECT_EQ(records.firstDataChildText(), "A\xF1o \x80 \x96");
  }
}

TEST(XmlWriting, NodesOutsideTheRootStayAheadOfTheNewRoot) {
  TempFolder folder;
  auto doc = LoadBytes(folder,
                       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE SERVICIO>\n<!-- antes -->\n"
                       "<?origen sistema=\"pruebas\"?>\n" +
                           kInputBody + "\n<!-- despues -->\n");
  doc.replaceRoot("SERVICIO").setAttribute("modulo", "HORARIOS");
  doc.save(folder / "salida.xml");
  EXPECT_EQ(ReadBytes(folder / "salida.xml"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE SERVICIO>\n<!-- antes -->\n"
            "<?origen sistema=\"pruebas\"?>\n<!-- despues -->\n<SERVICIO modulo=\"HORARIOS\"/>\n");
}

TEST(XmlWriting, SavingReplacesTheTargetAndLeavesNoOtherFile) {
  TempFolder folder;
  auto doc = LoadBytes(folder, kInputBody);
  WriteBytes(folder / "salida.xml", "contenido anterior, más largo que el documento nuevo de la prueba");
  doc.replaceRoot("SERVICIO");
  doc.save(folder / "salida.xml");
  const auto after = SnapshotFolder(folder.path());
  EXPECT_EQ(after.size(), 2u);
  EXPECT_EQ(after.at("salida.xml"), "<SERVICIO/>\n");
}

TEST(XmlWriting, SaveFailuresNameTheFileAndLeaveNothingBehind) {
  TempFolder folder;
  auto doc = LoadBytes(folder, kInputBody);
  const auto failure = [](const fs::path& file) {
    return "No se puede guardar el archivo \"" + file.string() + "\": ";
  };
  fs::create_directory(folder / "carpeta");
  // A folder the program may not write in: a locked folder of our own, or
  // for the superuser, who may write anywhere, the kernel's /sys.
  const bool superuser = geteuid() == 0;
  const fs::path locked = superuser ? fs::path("/sys") : folder / "bloqueada";
  if (!superuser) {
    fs::create_directory(locked);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    WriteBytes(folder / "protegido.xml", "original");
    fs::permissions(folder / "protegido.xml", fs::perms::owner_read);
  }
  const auto before = SnapshotFolder(folder.path());

  const auto missing = folder / "no_existe" / "salida.xml";
  EXPECT_EQ(SaveFailure(doc, missing), failure(missing) + "la carpeta no existe.");
  EXPECT_EQ(SaveFailure(doc, folder / "carpeta"), failure(folder / "carpeta") + "es una carpeta.");
  EXPECT_EQ(SaveFailure(doc, locked / "salida.xml"), failure(locked / "salida.xml") + "no hay permiso de escritura.");
  if (!superuser) {
    EXPECT_EQ(SaveFailure(doc, folder / "protegido.xml"),
              failure(folder / "protegido.xml") + "no hay permiso de escritura.");
  }
  EXPECT_EQ(SnapshotFolder(folder.path()), before);
}

TEST(XmlWriting, AWriteFailingHalfWayKeepsThePreviousFile) {
  TempFolder folder;
  auto doc = LoadBytes(folder, kInputBody);
  Element block = doc.replaceRoot("SERVICIO").appendElement("BLOQUE_DATOS").appendElement("grupo_datos");
  for (int k = 0; k < 2000; ++k) block.appendElement("dato").setText("valor de relleno " + std::to_string(k));
  WriteBytes(folder / "salida.xml", "resultado anterior");
  const auto before = SnapshotFolder(folder.path());
  std::string message;
  {
    FileSizeLimit limit(8192);
    message = SaveFailure(doc, folder / "salida.xml");
  }
  EXPECT_EQ(message, "No se puede guardar el archivo \"" + (folder / "salida.xml").string() +
                         "\": supera el tamaño de archivo permitido.");
  EXPECT_EQ(SnapshotFolder(folder.path()), before);
}

}  // namespace
}  // namespace enlazora::formats
