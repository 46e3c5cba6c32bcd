// Files that are not usable exchange documents: missing, empty, binary, not
// well-formed, in an encoding they do not declare, and hostile ones that try
// to read other files or to blow up through entities or nesting. Each fails
// with a Spanish message naming the file, never with an empty document.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "formats/xml/ExchangeDocument.h"
#include "support/TestSupport.h"

namespace enlazora::formats {
namespace {

using enlazora::testing::TempFolder;
using enlazora::testing::WriteBytes;

// The message of the DocumentError that loading raises; fails the test when
// the file loads.
std::string LoadFailure(const std::filesystem::path& file) {
  try {
    ExchangeDocument::load(file);
  } catch (const DocumentError& error) {
    return error.what();
  }
  ADD_FAILURE() << "loaded " << file;
  return {};
}

struct FileCase {
  const char* name;
  std::string bytes;
  std::string expectedAfterName;  // the message after "El archivo \"<path>\""
};

void ExpectEachRefused(const std::vector<FileCase>& cases) {
  TempFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto file = folder / "entrada.xml";
    WriteBytes(file, c.bytes);
    EXPECT_EQ(LoadFailure(file), "El archivo \"" + file.string() + "\"" + c.expectedAfterName);
  }
}

TEST(XmlHostile, MalformedTextGivesLineColumnAndReason) {
  ExpectEachRefused({
      {"closing tag that does not match",
       "<SERVICIO>\n<BLOQUE_DATOS>\n  <grupo_datos seq=\"A\"></BLOQUE_DATOS>\n</SERVICIO>\n",
       " no es un documento XML válido (línea 3, columna 39): la etiqueta <grupo_datos> abierta en la línea 3 "
       "se cierra con </BLOQUE_DATOS>."},
      {"file cut short",
       "<SERVICIO>\n<BLOQUE_DATOS>\n<grupo_datos seq=\"A\">\n",
       " no es un documento XML válido (línea 4, columna 1): el documento termina sin cerrar la etiqueta "
       "<grupo_datos> abierta en la línea 3."},
      {"bare ampersand in a value",
       "<SERVICIO>\n  <dato>Lengua & Literatura</dato>\n</SERVICIO>",
       " no es un documento XML válido (línea 2, columna 17): falta un nombre donde el XML lo exige (¿hay un signo "
       "& o < sin escapar?)."},
      {"two roots", "<SERVICIO/>\n<SERVICIO/>",
       " no es un documento XML válido (línea 2, columna 1): hay contenido después del final del elemento raíz."},
      {"plain text", "Esto no es XML.\n",
       " no es un documento XML válido (línea 1, columna 1): no se encuentra la etiqueta de inicio del documento."},
      {"unknown encoding", "<?xml version=\"1.0\" encoding=\"x-desconocida\"?><SERVICIO/>",
       " no es un documento XML válido (línea 1, columna 45): declara la codificación \"x-desconocida\", que no se "
       "reconoce."},
  });
}

TEST(XmlHostile, BytesOutsideTheEncodingAreRefused) {
  ExpectEachRefused({
      {"Latin-1 bytes without declaration", "<SERVICIO>\n<dato>Educaci\xF3n</dato>\n</SERVICIO>",
       " no es un documento XML válido (línea 2, columna 14): hay bytes que no son UTF-8 válido; si el archivo usa "
       "otra codificación (por ejemplo ISO-8859-1), debe declararla en su cabecera <?xml ... encoding=\"...\"?>."},
      {"Latin-1 bytes declared as UTF-8",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SERVICIO><dato>A\xF1o</dato></SERVICIO>",
       " no es un documento XML válido (línea 2, columna 18): hay bytes que no son UTF-8 válido; si el archivo usa "
       "otra codificación (por ejemplo ISO-8859-1), debe declararla en su cabecera <?xml ... encoding=\"...\"?>."},
      {"a byte windows-1252 leaves undefined",
       "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<SERVICIO><dato>\x81</dato></SERVICIO>",
       " no es un documento XML válido (línea 2, columna 17): hay bytes que no corresponden a la codificación que "
       "declara el documento."},
  });
}

TEST(XmlHostile, EmptyAndBinaryFilesAreNamedAsSuch) {
  ExpectEachRefused({
      {"0 bytes", "", " está vacío: no es un documento XML."},
      {"image", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10", 20),
       " no es un documento XML: su contenido es binario."},
      {"XML with a NUL byte", std::string("<SERVICIO>\0</SERVICIO>", 22),
       " no es un documento XML: su contenido es binario."},
      {"only blanks", "  \n\n  ",
       " no es un documento XML válido (línea 3, columna 3): no se encuentra la etiqueta de inicio del documento."},
  });
}

TEST(XmlHostile, MissingFolderAndUnreadableFiles) {
  TempFolder folder;
  const auto missing = folder / "no_existe.xml";
  EXPECT_EQ(LoadFailure(missing), "No se puede abrir el archivo \"" + missing.string() + "\": no existe.");
  EXPECT_EQ(LoadFailure(folder.path()),
            "No se puede abrir el archivo \"" + folder.path().string() + "\": es una carpeta.");
  // Opening succeeds but reading fails: the kernel refuses to read this file
  // from its start, whoever asks.
  EXPECT_EQ(LoadFailure("/proc/self/mem"), "No se puede leer el archivo \"/proc/self/mem\": error de lectura.");
  if (geteuid() != 0) {
    const auto locked = folder / "sin_permiso.xml";
    WriteBytes(locked, "<SERVICIO/>");
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    EXPECT_EQ(LoadFailure(locked),
              "No se puede leer el archivo \"" + locked.string() + "\": no hay permiso de lectura.");
  }
}

TEST(XmlHostile, EntityDeclarationsAreRefusedAndNoOtherFileIsRead) {
  TempFolder folder;
  const std::string secret = "CLAVE-SECRETA-7f3a";
  const auto secretFile = folder / "secreto.txt";
  WriteBytes(secretFile, secret);
  const std::string secretUrl = "file://" + secretFile.string();
  const std::string body =
      "<SERVICIO><BLOQUE_DATOS><grupo_datos seq=\"B\"><grupo_datos><dato>&s;</dato></grupo_datos></grupo_datos>"
      "</BLOQUE_DATOS></SERVICIO>";
  std::string bomb = "<?xml version=\"1.0\"?>\n<!DOCTYPE SERVICIO [\n<!ENTITY l0 \"ja\">\n";
  for (int level = 1; level <= 30; ++level) {
    bomb += "<!ENTITY l" + std::to_string(level) + " \"";
    for (int copy = 0; copy < 10; ++copy) bomb += "&l" + std::to_string(level - 1) + ";";
    bomb += "\">\n";
  }
  bomb += "]>\n<SERVICIO><BLOQUE_DATOS><grupo_datos seq=\"B\"><grupo_datos><dato>&l30;</dato></grupo_datos>"
          "</grupo_datos></BLOQUE_DATOS></SERVICIO>";
  const std::string refusedAt = "), que no se admiten por seguridad.";
  ExpectEachRefused({
      {"external entity reading a local file",
       "<?xml version=\"1.0\"?>\n<!DOCTYPE SERVICIO [\n<!ENTITY s SYSTEM \"" + secretUrl + "\">\n]>\n" + body,
       " declara entidades (línea 3" + refusedAt},
      {"external entity reading /etc/passwd",
       "<!DOCTYPE SERVICIO [<!ENTITY s SYSTEM \"file:///etc/passwd\">]>" + body,
       " declara entidades (línea 1" + refusedAt},
      {"external parameter entity", "<!DOCTYPE SERVICIO [\n<!ENTITY % p SYSTEM \"" + secretUrl + "\">\n%p;\n]>" + body,
       " declara entidades (línea 2" + refusedAt},
      {"internal entity", "<!DOCTYPE SERVICIO [<!ENTITY s \"texto\">]>" + body,
       " declara entidades (línea 1" + refusedAt},
      {"unparsed entity",
       "<!DOCTYPE SERVICIO [<!NOTATION n SYSTEM \"x\">\n<!ENTITY s SYSTEM \"" + secretUrl + "\" NDATA n>]>" + body,
       " declara entidades (línea 2" + refusedAt},
      {"billion laughs", bomb, " declara entidades (línea 3" + refusedAt},
  });
}

TEST(XmlHostile, ExternalDocumentTypeIsNeverLoaded) {
  // A document type kept in another file is not read: its entity stays
  // unknown and the secret never reaches a value.
  TempFolder folder;
  const std::string secret = "CLAVE-SECRETA-7f3a";
  WriteBytes(folder / "secreto.txt", secret);
  WriteBytes(folder / "tipo.dtd", "<!ENTITY s SYSTEM \"secreto.txt\">");
  WriteBytes(folder / "entrada.xml",
             "<!DOCTYPE SERVICIO SYSTEM \"file://" + (folder / "tipo.dtd").string() +
                 "\">\n<SERVICIO><BLOQUE_DATOS><grupo_datos seq=\"B\"><grupo_datos><dato>[&s;]</dato></grupo_datos>"
                 "</grupo_datos></BLOQUE_DATOS></SERVICIO>");
  const auto records = ExchangeDocument::load(folder / "entrada.xml").records("B");
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].value(0), "[]");
}

TEST(XmlHostile, AbsurdNestingIsRefusedReasonableNestingLoads) {
  const auto nested = [](int depth) {
    std::string text = "<SERVICIO>";
    for (int level = 1; level < depth; ++level) text += "<n>";
    for (int level = 1; level < depth; ++level) text += "</n>";
    return text + "</SERVICIO>";
  };
  TempFolder folder;
  WriteBytes(folder / "hondo.xml", nested(200));
  EXPECT_NO_THROW(ExchangeDocument::load(folder / "hondo.xml"));
  WriteBytes(folder / "absurdo.xml", nested(100000));
  const std::string message = LoadFailure(folder / "absurdo.xml");
  EXPECT_NE(message.find("no es un documento XML válido (línea 1, columna "), std::string::npos) << message;
  EXPECT_NE(message.find("): anidamiento excesivo: hay elementos dentro de más de 256 niveles."), std::string::npos)
      << message;
}

}  // namespace
}  // namespace enlazora::formats
