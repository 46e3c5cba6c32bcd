// enlazora-cli over hostile and damaged inputs, both ways: documents that try
// to blow up or to read other files, that are empty, binary or in another
// encoding than they say, and dBase tables whose header lies about what the
// file holds. Each run stops with exit status 1 and a Spanish message naming
// the file, and leaves every byte of the scene as it was, with no result.
#include <gtest/gtest.h>
#include <libxml/parserInternals.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cli/support/CliScene.h"
#include "support/TestSupport.h"

namespace enlazora::testing {
namespace {
namespace fs = std::filesystem;

std::size_t Read16(const std::string& bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<std::size_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

std::size_t Read32(const std::string& bytes, std::size_t at) { return Read16(bytes, at) | Read16(bytes, at + 2) << 16; }

std::string With16(std::string bytes, std::size_t at, std::size_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>(value >> 8 & 0xFF);
  return bytes;
}

std::string With32(std::string bytes, std::size_t at, std::size_t value) {
  return With16(With16(std::move(bytes), at, value & 0xFFFF), at + 2, value >> 16);
}

// Level-7 header: record count at 4, header length at 8, record length at 10;
// the first field descriptor at 68, its width at 68 + 33.
constexpr std::size_t kCount = 4, kHeaderLength = 8, kRecordLength = 10, kFirstWidth = 68 + 33;

struct DocumentCase {
  const char* name;
  std::string bytes;
  std::string afterName;  // the message after "El archivo \"<path>\""
};

std::vector<DocumentCase> HostileDocuments(const fs::path& secretFile) {
  std::string bomb = "<?xml version=\"1.0\"?>\n<!DOCTYPE SERVICIO [\n<!ENTITY l0 \"ja\">\n";
  for (int level = 1; level <= 30; ++level) {
    bomb += "<!ENTITY l" + std::to_string(level) + " \"";
    for (int copy = 0; copy < 10; ++copy) bomb += "&l" + std::to_string(level - 1) + ";";
    bomb += "\">\n";
  }
  const std::string body =
      "<SERVICIO><BLOQUE_DATOS><grupo_datos seq=\"ANNO_ACADEMICO\"><dato>&s;</dato></grupo_datos>"
      "<grupo_datos seq=\"DEPENDENCIAS\"><grupo_datos><dato>1</dato><dato>&s;</dato></grupo_datos></grupo_datos>"
      "</BLOQUE_DATOS></SERVICIO>\n";
  const std::string opening = "<SERVICIO><BLOQUE_DATOS>";
  std::string deep = opening;
  for (int level = 0; level < 100000; ++level) deep += "<a>";
  for (int level = 0; level < 100000; ++level) deep += "</a>";
  deep += "</BLOQUE_DATOS></SERVICIO>";
  // libxml2 stops at the first element past its nesting limit.
  const auto deepColumn = opening.size() + 3 * (xmlParserMaxDepth - 1) + 1;
  const std::string notUtf8 =
      "hay bytes que no son UTF-8 válido; si el archivo usa otra codificación (por ejemplo ISO-8859-1), debe "
      "declararla en su cabecera <?xml ... encoding=\"...\"?>.";
  return {
      {"entity expansion bomb", bomb + "]>\n" + "<SERVICIO><BLOQUE_DATOS><dato>&l30;</dato></BLOQUE_DATOS></SERVICIO>",
       " declara entidades (línea 3), que no se admiten por seguridad."},
      {"external entity naming a local file",
       "<?xml version=\"1.0\"?>\n<!DOCTYPE SERVICIO [\n\n<!ENTITY s SYSTEM \"file://" + secretFile.string() +
           "\">\n]>\n" + body,
       " declara entidades (línea 4), que no se admiten por seguridad."},
      {"nested 100,000 levels deep", deep,
       " no es un documento XML válido (línea 1, columna " + std::to_string(deepColumn) +
           "): anidamiento excesivo: hay elementos dentro de más de " + std::to_string(xmlParserMaxDepth) +
           " niveles."},
      {"0 bytes", "", " está vacío: no es un documento XML."},
      {"binary file named .xml", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\x01\0", 20),
       " no es un documento XML: su contenido es binario."},
      {"Latin-1 without a declaration",
       "<SERVICIO>\n<BLOQUE_DATOS><grupo_datos seq=\"ANNO_ACADEMICO\"><dato>A\xF1o</dato></grupo_datos></BLOQUE_DATOS>"
       "</SERVICIO>\n",
       " no es un documento XML válido (línea 2, columna 56): " + notUtf8},
      {"Latin-1 declared as UTF-8",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SERVICIO><BLOQUE_DATOS><grupo_datos seq=\"MATERIAS\">"
       "<grupo_datos><dato>5401</dato><dato>1</dato><dato>Educaci\xF3n</dato></grupo_datos></grupo_datos>"
       "</BLOQUE_DATOS></SERVICIO>\n",
       " no es un documento XML válido (línea 2, columna 110): " + notUtf8},
      {"UTF-16 declared, 8-bit bytes", "<?xml version=\"1.0\" encoding=\"UTF-16\"?><SERVICIO/>",
       " no es un documento XML válido (línea 1, columna 38): hay bytes que no corresponden a la codificación que "
       "declara el documento."},
  };
}

TEST(HostileInputs, DocumentsStopBothWaysNamingTheFile) {
  CliScene scene;
  const fs::path secret = scene.place() / "secreto.txt";
  WriteBytes(secret, "CLAVE-SECRETA-7f3a");
  const fs::path document = scene.place() / "entrada.xml";
  for (const auto& c : HostileDocuments(secret)) {
    SCOPED_TRACE(c.name);
    WriteBytes(document, c.bytes);
    const std::string message = "El archivo \"" + document.string() + "\"" + c.afterName;
    {
      SCOPED_TRACE("hacia-horalix");
      ExpectStop(scene, scene.inbound(document), message);
    }
    {
      SCOPED_TRACE("hacia-quirenda");
      ExpectStop(scene, scene.outbound(document), message);
      EXPECT_FALSE(fs::exists(scene.place() / "ResultadoHoralixentrada.xml"));
    }
  }
}

struct TableCase {
  const char* name;
  std::string table;                      // file in the table folder, or NIVELLARI.DBF
  std::string (*damage)(const std::string&);
  std::string (*message)(const std::string& table, const std::string& original);
};

std::string Damaged(const std::string& table, const std::string& detail) {
  return "La tabla " + table + " está dañada: " + detail;
}

// Damages a table can come with, and the message each gives.
const TableCase kMoreRecordsThanTheFileHolds = {
    "more records than the file holds", "",
    [](const std::string& bytes) { return With32(bytes, kCount, Read32(bytes, kCount) + 1000); },
    [](const std::string& table, const std::string& bytes) {
      const auto count = Read32(bytes, kCount);
      return Damaged(table, "la cabecera anuncia " + std::to_string(count + 1000) +
                                " registros y el archivo solo contiene " + std::to_string(count));
    }};
const TableCase kRecordLongerThanItsFields = {
    "record length longer than its fields", "",
    [](const std::string& bytes) { return With16(bytes, kRecordLength, Read16(bytes, kRecordLength) + 40); },
    [](const std::string& table, const std::string& bytes) {
      const auto length = Read16(bytes, kRecordLength);
      return Damaged(table, "la longitud de registro de la cabecera (" + std::to_string(length + 40) +
                                ") no coincide con la suma de sus campos (" + std::to_string(length) + ")");
    }};
const TableCase kRecordsLongerThanTheFileHolds = {
    "a field and its records wider than the file holds", "",
    [](const std::string& bytes) {
      auto widened = bytes;
      widened[kFirstWidth] = static_cast<char>(static_cast<unsigned char>(bytes[kFirstWidth]) + 200);
      return With16(widened, kRecordLength, Read16(bytes, kRecordLength) + 200);
    },
    [](const std::string& table, const std::string& bytes) {
      const auto room = (bytes.size() - Read16(bytes, kHeaderLength)) / (Read16(bytes, kRecordLength) + 200);
      return Damaged(table, "la cabecera anuncia " + std::to_string(Read32(bytes, kCount)) +
                                " registros y el archivo solo contiene " + std::to_string(room));
    }};
const TableCase kHeaderShorterThanItsFields = {
    "header shorter than its field list", "",
    [](const std::string& bytes) { return With16(bytes, kHeaderLength, 68 + 48 * 2); },
    [](const std::string& table, const std::string&) {
      return Damaged(table, "la cabecera dice medir 164 bytes, menos de lo que ocupa su lista de campos");
    }};
const TableCase kNoBytes = {"0 bytes", "", [](const std::string&) { return std::string(); },
                            [](const std::string& table, const std::string&) {
                              return Damaged(table, "el archivo está vacío (0 bytes)");
                            }};
const TableCase kCutShort = {
    "file cut inside its header", "", [](const std::string& bytes) { return bytes.substr(0, 50); },
    [](const std::string& table, const std::string&) {
      return Damaged(table, "la cabecera está incompleta (el archivo solo tiene 50 bytes)");
    }};

TableCase On(const std::string& table, TableCase damage) {
  damage.table = table;
  return damage;
}

// Writes each damaged table into the scene, runs, and puts the table back.
void ExpectEachStops(const CliScene& scene, const std::vector<TableCase>& cases,
                     std::vector<std::string> (CliScene::*command)(const fs::path&, const fs::path&) const) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.table + ": " + c.name);
    const fs::path file = c.table == "NIVELLARI.DBF" ? scene.levels() : scene.table(c.table);
    const std::string original = ReadBytes(file);
    WriteBytes(file, c.damage(original));
    ExpectStop(scene, (scene.*command)({}, {}), c.message(c.table, original));
    WriteBytes(file, original);
  }
}

TEST(HostileInputs, DamagedLevelTableStopsTheInboundRun) {
  CliScene scene;
  ExpectEachStops(scene,
                  {On("NIVELLARI.DBF", kNoBytes), On("NIVELLARI.DBF", kMoreRecordsThanTheFileHolds),
                   On("NIVELLARI.DBF", kRecordsLongerThanTheFileHolds),
                   On("NIVELLARI.DBF", kHeaderShorterThanItsFields), On("NIVELLARI.DBF", kCutShort)},
                  &CliScene::inbound);
}

TEST(HostileInputs, DamagedTablesStopTheOutboundRun) {
  CliScene scene;
  ExpectEachStops(scene,
                  {On("SOLUC.DBF", kMoreRecordsThanTheFileHolds), On("SOLUC.DBF", kRecordLongerThanItsFields),
                   On("SOLUC.DBF", kRecordsLongerThanTheFileHolds), On("SOLUC.DBF", kHeaderShorterThanItsFields),
                   On("SOLUC.DBF", kNoBytes), On("PROFT.DBF", kNoBytes),
                   On("GRUPOST.DBF", kMoreRecordsThanTheFileHolds), On("DIASHORAST.DBF", kCutShort),
                   On("ASIGT.DBF", kHeaderShorterThanItsFields), On("PERIODOS.DBF", kRecordLongerThanItsFields),
                   On("PERIODOS.DBF", kNoBytes)},
                  &CliScene::outbound);
}

TEST(HostileInputs, NumericGarbageInTheSolutionStopsTheOutboundRun) {
  CliScene scene;
  const std::string solution = ReadBytes(scene.table("SOLUC.DBF"));
  struct Garbage {
    const char* field;
    std::string bytes;
    std::string shown;
  };
  for (const auto& g : {Garbage{"DIA", "x1", "x1"}, Garbage{"DIA", "1-", "1-"}, Garbage{"HORA", "**", "**"},
                        Garbage{"HORA", "\xF1" "3", "ñ3"}}) {
    SCOPED_TRACE(std::string(g.field) + " " + g.bytes);
    WriteBytes(scene.table("SOLUC.DBF"), WithFieldBytes(solution, 0, g.field, g.bytes));
    ExpectStop(scene, scene.outbound(),
               "'" + g.shown + "' no es un valor entero válido (campo " + g.field + " de la tabla SOLUC.DBF)");
  }
}

}  // namespace
}  // namespace enlazora::testing
