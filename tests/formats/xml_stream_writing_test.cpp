// Writing a document as a stream (StreamWriter) gives byte for byte the file
// that building the tree and saving it gives (ExchangeDocument::replaceRoot,
// then save), for every kind of input prolog and every awkward value; and it
// fails the same way, leaving nothing behind.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "formats/xml/ExchangeDocument.h"
#include "formats/xml/StreamWriter.h"
#include "formats/xml/StreamedDocument.h"
#include "support/FileSizeLimit.h"
#include "support/TestSupport.h"

namespace enlazora::formats {
namespace {

namespace fs = std::filesystem;
using enlazora::testing::FileSizeLimit;
using enlazora::testing::ReadBytes;
using enlazora::testing::SnapshotFolder;
using enlazora::testing::TempFolder;
using enlazora::testing::WriteBytes;

const std::string kBody =
    "<SERVICIO modulo=\"EXPORTACION\"><BLOQUE_DATOS><grupo_datos seq=\"ANNO_ACADEMICO\"><dato>2024</dato>"
    "</grupo_datos><grupo_datos seq=\"MATERIAS\"><grupo_datos><dato>Matem\xC3\xA1ticas</dato></grupo_datos>"
    "</grupo_datos></BLOQUE_DATOS></SERVICIO>";

// Windows-1252 values that escaping, encodings and the dropped control
// characters all meet.
const std::vector<std::string> kAwkwardValues = {
    "Lengua & Literatura",
    "a<b>c</b> &amp; ]]> \"q\" 'a' &#13;",
    "A\xF1o \x80 \x96 \x93" "comillas\x94 \xBD \xFF",
    "",
    "l1\r\nl2\tfin\r",
    "a\x01" "b\x1F",
    "  blancos  ",
    "\x01",
};

// The same calls on the tree's elements and on the stream's: the outbound
// document's shape, with attributes replaced, elements left empty, text set
// empty, values and attributes of every awkward kind, and enough records to
// pass through the encoder's buffer many times.
template <typename Element>
void Build(Element root) {
  root.setAttribute("modulo", "HORARIOS");
  root.setAttribute("tipo", "provisional");
  root.setAttribute("autor", "HORARIOS");
  root.setAttribute("tipo", "I");
  root.setAttribute("fecha", "11/12/2025 15:10:57");
  Element container = root.appendElement("BLOQUE_DATOS");
  Element year = container.appendElement("grupo_datos");
  year.setAttribute("seq", "ANNO_ACADEMICO");
  Element value = year.appendElement("dato");
  value.setAttribute("nombre_dato", "C_ANNO");
  value.setText("2024");
  Element block = container.appendElement("grupo_datos");
  block.setAttribute("seq", "HORARIOS_REGULARES");
  block.setAttribute("registros", "300");
  for (int teacher = 1; teacher <= 300; ++teacher) {
    Element record = block.appendElement("grupo_datos");
    record.setAttribute("seq", "HORARIO_REGULAR_PROFESOR_" + std::to_string(teacher));
    record.setAttribute("registros", std::to_string(teacher % 3));
    for (std::size_t k = 0; k < kAwkwardValues.size(); ++k) {
      Element dato = record.appendElement("dato");
      dato.setAttribute("nombre_dato", kAwkwardValues[(k + 1) % kAwkwardValues.size()]);
      dato.setText(kAwkwardValues[(k + static_cast<std::size_t>(teacher)) % kAwkwardValues.size()]);
    }
    for (int activity = 1; activity <= teacher % 3; ++activity) {
      Element inner = record.appendElement("grupo_datos");
      inner.setAttribute("seq", "ACTIVIDAD_" + std::to_string(activity));
      inner.appendElement("dato").setText("");
      inner.appendElement("vacio").setAttribute("nombre_dato", "");
    }
  }
  container.appendElement("grupo_datos").setText("\xE9ltimo");
}

// The file the tree saves, and the file the stream writes, from one input.
struct TwoWays {
  std::string tree;
  std::string stream;
};

// Where two files part, with a little of each from there; empty when equal.
std::string FirstDifference(const std::string& written, const std::string& expected) {
  if (written == expected) return {};
  std::size_t at = 0;
  while (at < written.size() && at < expected.size() && written[at] == expected[at]) ++at;
  const std::size_t from = at < 40 ? 0 : at - 40;
  return "byte " + std::to_string(at) + " of " + std::to_string(expected.size()) + ": written \"" +
         written.substr(from, 80) + "\", saved \"" + expected.substr(from, 80) + "\"";
}

TwoWays WriteBothWays(const std::string& input) {
  TempFolder folder;
  WriteBytes(folder / "entrada.xml", input);
  auto document = ExchangeDocument::load(folder / "entrada.xml");
  Build(document.replaceRoot("SERVICIO"));
  document.save(folder / "arbol.xml");

  const auto source = StreamedDocument::load(folder / "entrada.xml", {});
  StreamWriter writer(source, folder / "flujo.xml");
  Build(writer.root("SERVICIO"));
  writer.finish();
  return {ReadBytes(folder / "arbol.xml"), ReadBytes(folder / "flujo.xml")};
}

std::string Utf16LittleEndian(const std::string& ascii) {
  std::string bytes = "\xFF\xFE";
  for (const char c : ascii) bytes += std::string{c, '\0'};
  return bytes;
}

TEST(XmlStreamWriting, SameBytesAsTheSavedTree) {
  struct Case {
    const char* name;
    std::string input;
  };
  const std::string xhtml =
      "<!DOCTYPE SERVICIO PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
      "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\n";
  const std::vector<Case> cases = {
      {"UTF-8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + kBody},
      {"utf-8 in lower case", "<?xml version=\"1.0\" encoding=\"utf-8\"?>" + kBody},
      {"ISO-8859-1, standalone", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\"?>\n" + kBody},
      {"windows-1252, not standalone", "<?xml version=\"1.0\" encoding=\"windows-1252\" standalone='no'?>" + kBody},
      {"declaration without encoding", "<?xml version='1.0'?>\n" + kBody},
      {"no declaration", kBody},
      {"UTF-8 byte order mark, no declaration", "\xEF\xBB\xBF" + kBody},
      {"UTF-16", Utf16LittleEndian("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n" + std::string(
                                       "<SERVICIO><BLOQUE_DATOS><g>2024</g></BLOQUE_DATOS></SERVICIO>"))},
      {"nodes around the root",
       "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<!DOCTYPE SERVICIO [\n<!ATTLIST grupo_datos seq CDATA "
       "\"B\">\n<!-- en el tipo -->\n<!ELEMENT dato (#PCDATA)>\n]>\n<!-- antes \xF1 -->\n<?origen sistema=\"pruebas\"?>\n" +
           kBody + "\n<!-- despu\xE9s -->\n<?fin?>\n"},
      {"document type kept elsewhere", "<!DOCTYPE SERVICIO SYSTEM \"servicio.dtd\">" + kBody},
      {"XHTML document type", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + xhtml + kBody},
      {"XHTML document type, no encoding", "<?xml version=\"1.0\"?>\n" + xhtml + kBody},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TwoWays written = WriteBothWays(c.input);
    EXPECT_GT(written.tree.size(), 40000u);
    EXPECT_EQ(FirstDifference(written.stream, written.tree), "");
  }
}

// The message of the DocumentError that the call raises, or "".
template <typename Call>
std::string Failure(Call call) {
  try {
    call();
  } catch (const DocumentError& error) {
    return error.what();
  }
  return {};
}

TEST(XmlStreamWriting, RefusedTargetsGiveTheSaveMessagesAndLeaveNothing) {
  TempFolder folder;
  WriteBytes(folder / "entrada.xml", kBody);
  auto tree = ExchangeDocument::load(folder / "entrada.xml");
  tree.replaceRoot("SERVICIO");
  const auto source = StreamedDocument::load(folder / "entrada.xml", {});
  fs::create_directory(folder / "carpeta");
  const bool superuser = geteuid() == 0;
  std::vector<fs::path> targets = {folder / "no_existe" / "salida.xml", folder / "carpeta",
                                   superuser ? fs::path("/sys/salida.xml") : folder / "bloqueada" / "salida.xml"};
  if (!superuser) {
    fs::create_directory(folder / "bloqueada");
    fs::permissions(folder / "bloqueada", fs::perms::owner_read | fs::perms::owner_exec);
    WriteBytes(folder / "protegido.xml", "original");
    fs::permissions(folder / "protegido.xml", fs::perms::owner_read);
    targets.push_back(folder / "protegido.xml");
  }
  const auto before = SnapshotFolder(folder.path());
  for (const auto& target : targets) {
    SCOPED_TRACE(target.string());
    const std::string expected = Failure([&] { tree.save(target); });
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(Failure([&] { StreamWriter writer(source, target); }), expected);
  }
  EXPECT_EQ(SnapshotFolder(folder.path()), before);

}

TEST(XmlStreamWriting, AStreamThatFailsOrStopsLeavesThePreviousFile) {
  TempFolder folder;
  WriteBytes(folder / "entrada.xml", kBody);
  const auto source = StreamedDocument::load(folder / "entrada.xml", {});
  WriteBytes(folder / "salida.xml", "resultado anterior");
  const auto before = SnapshotFolder(folder.path());

  std::string message;
  {
    FileSizeLimit limit(8192);
    message = Failure([&] {
      StreamWriter writer(source, folder / "salida.xml");
      Build(writer.root("SERVICIO"));
      writer.finish();
    });
  }
  EXPECT_EQ(message, "No se puede guardar el archivo \"" + (folder / "salida.xml").string() +
                         "\": supera el tamaño de archivo permitido.");
  EXPECT_EQ(SnapshotFolder(folder.path()), before);

  // Stopped by the caller's own error half-way: as if never begun.
  EXPECT_THROW(
      {
        StreamWriter writer(source, folder / "salida.xml");
        Build(writer.root("SERVICIO"));
        throw std::runtime_error("detenido");
      },
      std::runtime_error);
  EXPECT_EQ(SnapshotFolder(folder.path()), before);
}

TEST(XmlStreamWriting, CallsOutOfDocumentOrderAreRefused) {
  TempFolder folder;
  WriteBytes(folder / "entrada.xml", kBody);
  const auto source = StreamedDocument::load(folder / "entrada.xml", {});
  StreamWriter writer(source, folder / "salida.xml");
  StreamElement root = writer.root("SERVICIO");
  EXPECT_THROW(writer.root("OTRO"), std::logic_error);
  StreamElement first = root.appendElement("a");
  first.setText("texto");
  EXPECT_THROW(first.setAttribute("tarde", "1"), std::logic_error);
  EXPECT_THROW(first.setText("otra vez"), std::logic_error);
  StreamElement second = root.appendElement("b");  // ends a
  EXPECT_THROW(first.appendElement("c"), std::logic_error);
  EXPECT_THROW(first.setText("x"), std::logic_error);
  second.appendElement("c");
  EXPECT_THROW(second.setAttribute("tarde", "1"), std::logic_error);
  EXPECT_EQ(Failure([&] { root.appendElement("mal nombre"); }),
            "\"mal nombre\" no es un nombre válido para un elemento XML.");
  EXPECT_EQ(Failure([&] { root.appendElement("d").setAttribute("1x", "v"); }),
            "\"1x\" no es un nombre válido para un atributo XML.");
  writer.finish();
  EXPECT_THROW(root.appendElement("e"), std::logic_error);
  EXPECT_EQ(ReadBytes(folder / "salida.xml"), "<SERVICIO><a>texto</a><b><c/></b><d/></SERVICIO>\n");
}

}  // namespace
}  // namespace enlazora::formats
