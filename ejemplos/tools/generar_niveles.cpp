// Writes the level reference table NIVELLARI.DBF of the sample school: one
// record per course offer of the region's catalogue that the sample uses, and
// a few that it does not. The file is the same byte for byte on every build.
//
//   generar_niveles SALIDA.DBF
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "formats/Clock.h"
#include "formats/dbf/DbfTable.h"
#include "text/Windows1252.h"

namespace {
using enlazora::formats::FieldDef;

struct Level {
  int offerKey;             // X_OFERTAMATRIG
  const char* level;        // NIVEL_ABREV
  const char* studies;      // ESTUDIO
  int courseNumber;         // N_CURSO
  const char* offerName;    // D_OFERTAMATRIG
};

// UTF-8 here; stored as Windows-1252.
const std::vector<Level> kLevels = {
    {5401, "ESO", "Educación Secundaria Obligatoria", 1, "1º de E.S.O."},
    {5402, "ESO", "Educación Secundaria Obligatoria", 2, "2º de E.S.O."},
    {5403, "ESO", "Educación Secundaria Obligatoria", 3, "3º de E.S.O."},
    {5404, "ESO", "Educación Secundaria Obligatoria", 4, "4º de E.S.O."},
    {6215, "BACH", "Bachillerato de Ciencias y Tecnología", 1, "1º de Bachillerato (Ciencias y Tecnología)"},
    {6216, "BACH", "Bachillerato de Ciencias y Tecnología", 2, "2º de Bachillerato (Ciencias y Tecnología)"},
    // Offers of the catalogue that the sample school does not teach.
    {6217, "BACH", "Bachillerato de Humanidades y Ciencias Sociales", 1,
     "1º de Bachillerato (Humanidades y Ciencias Sociales)"},
    {6218, "BACH", "Bachillerato de Humanidades y Ciencias Sociales", 2,
     "2º de Bachillerato (Humanidades y Ciencias Sociales)"},
    {7301, "FPB", "Formación Profesional Básica en Informática y Comunicaciones", 1,
     "1º de F.P.B. (Informática y Comunicaciones)"},
    {7420, "CFGM", "Ciclo Formativo de Grado Medio en Sistemas Microinformáticos y Redes", 1,
     "1º de C.F.G.M. (Sistemas Microinformáticos y Redes)"},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Uso: generar_niveles SALIDA.DBF\n");
    return 2;
  }
  try {
    // The table's header carries the date of the last update.
    enlazora::formats::SetFixedClock(enlazora::formats::ParseMoment("2024-09-01 00:00:00"));
    const std::string file = argv[1];
    enlazora::formats::DbfTable::create(
        file, {FieldDef::integer("X_OFERTAMATRIG"), FieldDef::character("NIVEL_ABREV", 10),
               FieldDef::character("ESTUDIO", 120), FieldDef::integer("N_CURSO"),
               FieldDef::character("D_OFERTAMATRIG", 100)});
    auto table = enlazora::formats::DbfTable::open(file);
    for (const auto& level : kLevels) {
      table.append();
      table.setInteger("X_OFERTAMATRIG", level.offerKey);
      table.set("NIVEL_ABREV", enlazora::text::Utf8ToAnsi(level.level));
      table.set("ESTUDIO", enlazora::text::Utf8ToAnsi(level.studies));
      table.setInteger("N_CURSO", level.courseNumber);
      table.set("D_OFERTAMATRIG", enlazora::text::Utf8ToAnsi(level.offerName));
      table.post();
    }
    table.close();
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
