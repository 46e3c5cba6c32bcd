#include "support/DocumentGenerator.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "formats/dbf/DbfTable.h"
#include "text/Windows1252.h"

namespace enlazora::bench {
namespace {

constexpr std::array<std::string_view, 40> kSurnames = {
    "García",  "Fernández", "González", "Rodríguez", "López",   "Martínez", "Sánchez", "Pérez",
    "Gómez",   "Martín",    "Jiménez",  "Ruiz",      "Hernández", "Díaz",   "Moreno",  "Muñoz",
    "Álvarez", "Romero",    "Alonso",   "Gutiérrez", "Navarro", "Torres",   "Domínguez", "Vázquez",
    "Ramos",   "Gil",       "Ramírez",  "Serrano",   "Blanco",  "Molina",   "Morales", "Suárez",
    "Ortega",  "Delgado",   "Castro",   "Ortiz",     "Rubio",   "Marín",    "Sanz",    "Núñez"};
constexpr std::array<std::string_view, 30> kGivenNames = {
    "Ana María", "José Antonio", "Lucía",  "Javier",   "Carmen", "Francisco Javier", "Raquel", "Íñigo",
    "Elena",     "Rocío",        "Sergio", "Beatriz",  "Óscar",  "Pilar",            "Andrés", "Cristina",
    "Manuel",    "Nuria",        "Ángel",  "Marta",    "Jesús",  "Inés",             "Rubén",  "Sofía",
    "Tomás",     "Begoña",       "Adrián", "Noelia",   "Víctor", "María José"};
constexpr std::array<std::string_view, 30> kSubjects = {
    "Lengua Castellana y Literatura", "Matemáticas", "Geografía e Historia", "Biología y Geología",
    "Física y Química", "Primera Lengua Extranjera (Inglés)", "Educación Física", "Música",
    "Educación Plástica, Visual y Audiovisual", "Tecnología y Digitalización", "Religión", "Atención Educativa",
    "Segunda Lengua Extranjera (Francés)", "Latín", "Griego", "Economía y Emprendimiento", "Filosofía",
    "Historia de España", "Dibujo Técnico", "Química", "Física", "Biología", "Anatomía Aplicada",
    "Historia del Arte", "Geografía", "Educación en Valores Cívicos y Éticos", "Digitalización",
    "Tecnología e Ingeniería", "Cultura Clásica", "Oratoria"};
constexpr std::array<std::string_view, 8> kSubjectVariants = {"", " I", " II", " A", " B", " (Bilingüe)",
                                                              " de ampliación", " aplicada"};
constexpr std::array<std::string_view, 10> kOfferNames = {
    "1º de E.S.O.", "2º de E.S.O.", "3º de E.S.O.", "4º de E.S.O.", "1º de Bachillerato (Ciencias)",
    "2º de Bachillerato (Ciencias)", "1º de Bachillerato (Humanidades)", "2º de Bachillerato (Humanidades)",
    "1º de C.F.G.M. (Gestión Administrativa)", "2º de C.F.G.M. (Gestión Administrativa)"};
constexpr std::array<std::string_view, 10> kUnitStems = {"1º ESO",         "2º ESO",         "3º ESO",
                                                         "4º ESO",         "1º Bach. Cien.", "2º Bach. Cien.",
                                                         "1º Bach. Hum.",  "2º Bach. Hum.",  "1º GA",
                                                         "2º GA"};
constexpr std::array<std::string_view, 10> kRoomKinds = {
    "Aula",   "Laboratorio de Física y Química", "Laboratorio de Biología", "Aula de Informática",
    "Taller de Tecnología", "Aula de Música", "Aula de Plástica", "Gimnasio", "Biblioteca", "Aula de desdoble"};
constexpr std::array<std::string_view, 6> kActivities = {"Guardia", "Guardia de recreo", "Reunión de departamento",
                                                         "Tutoría con familias", "Biblioteca", "Coordinación TIC"};
constexpr std::array<std::string_view, 8> kSlotLabels = {"1ª hora", "2ª hora", "3ª hora", "Recreo",
                                                         "4ª hora", "5ª hora", "6ª hora", "7ª hora"};

// A small deterministic generator, the same on every platform.
class Sequence {
 public:
  explicit Sequence(std::uint64_t seed) : state_(seed) {}
  std::size_t next(std::size_t bound) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::size_t>((state_ >> 33) % bound);
  }

 private:
  std::uint64_t state_;
};

void AppendEscaped(std::string& xml, std::string_view value) {
  for (char c : value) {
    if (c == '&') xml += "&amp;";
    else if (c == '<') xml += "&lt;";
    else xml += c;
  }
}

class Writer {
 public:
  void openBlock(std::string_view seq) { (xml_ += "    <grupo_datos seq=\"").append(seq) += "\">\n"; }
  void closeBlock() { xml_ += "    </grupo_datos>\n"; }
  void record(std::string_view seq, std::size_t number,
              std::initializer_list<std::pair<std::string_view, std::string>> values) {
    (xml_ += "      <grupo_datos seq=\"").append(seq) += std::to_string(number) + "\">";
    for (const auto& [name, value] : values) {
      (xml_ += "<dato nombre_dato=\"").append(name) += "\">";
      AppendEscaped(xml_, value);
      xml_ += "</dato>";
    }
    xml_ += "</grupo_datos>\n";
  }
  std::string& text() { return xml_; }

 private:
  std::string xml_;
};

std::string OfferKey(std::size_t offer) { return std::to_string(10000 + offer); }
std::string Text(std::string_view text) { return std::string(text); }

void WriteSubjects(Writer& out, const SchoolSize& size) {
  out.openBlock("MATERIAS");
  const std::size_t perOffer = size.subjectRecords / size.courseOffers;
  std::size_t number = 0;
  for (std::size_t offer = 0; offer < size.courseOffers; ++offer)
    for (std::size_t j = 0; j < perOffer; ++j) {
      const std::string name = Text(kSubjects[(offer * 3 + j) % kSubjects.size()]) +
                               Text(kSubjectVariants[(offer / kOfferNames.size() + j) % kSubjectVariants.size()]);
      ++number;
      out.record("MATERIA_", number,
                 {{"X_OFERTAMATRIG", OfferKey(offer)}, {"X_MATERIAOMG", std::to_string(400000 + number)},
                  {"D_MATERIAC", name}});
    }
  out.closeBlock();
}

void WriteActivities(Writer& out, const SchoolSize& size) {
  out.openBlock("ACTIVIDADES");
  for (std::size_t i = 0; i < size.activities; ++i)
    out.record("ACTIVIDAD_", i + 1,
               {{"N_TIPO", std::to_string(2 + i % 4)}, {"X_ACTIVIDAD", std::to_string(20 + i)},
                {"D_ACTIVIDAD", Text(kActivities[i % kActivities.size()]) + " " + std::to_string(i / kActivities.size() + 1)}});
  out.closeBlock();
}

void WriteStaff(Writer& out, const SchoolSize& size) {
  Sequence random(150);
  out.openBlock("EMPLEADOS");
  for (std::size_t i = 0; i < size.staff; ++i)
    out.record("EMPLEADO_", i + 1,
               {{"X_EMPLEADO", std::to_string(100000 + i * 7)},
                {"F_TOMAPOS", "01/09/" + std::to_string(1995 + random.next(30))},
                {"X_PUESTO", "Profesor/a de Enseñanza Secundaria"},
                {"APELLIDO1", Text(kSurnames[random.next(kSurnames.size())])},
                {"APELLIDO2", Text(kSurnames[random.next(kSurnames.size())])},
                {"NOMBRE", Text(kGivenNames[random.next(kGivenNames.size())])}});
  out.closeBlock();
}

void WriteRooms(Writer& out, const SchoolSize& size) {
  out.openBlock("DEPENDENCIAS");
  for (std::size_t i = 0; i < size.rooms; ++i) {
    // One room in twenty has no key of its own: its name gives the code.
    const std::string key = i % 20 == 19 ? std::string() : std::to_string(4500 + i);
    out.record("DEPENDENCIA_", i + 1,
               {{"X_DEPENDENCIA", key},
                {"D_DEPENDENCIA", Text(kRoomKinds[i % kRoomKinds.size()]) + " " + std::to_string(i / 10 + 1)}});
  }
  out.closeBlock();
}

void WriteCourses(Writer& out, const SchoolSize& size) {
  out.openBlock("CURSOS_DEL_CENTRO");
  for (std::size_t offer = 0; offer < size.courseOffers; ++offer)
    out.record("CURSO_", offer + 1,
               {{"X_OFERTAMATRIG", OfferKey(offer)}, {"D_OFERTAMATRIG", Text(kOfferNames[offer % kOfferNames.size()])}});
  out.closeBlock();
}

void WriteClassUnits(Writer& out, const SchoolSize& size) {
  out.openBlock("UNIDADES");
  for (std::size_t i = 0; i < size.classUnits; ++i) {
    const std::size_t offer = i % size.courseOffers;
    const char letter = static_cast<char>('A' + (i / kUnitStems.size()) % 6);
    out.record("UNIDAD_", i + 1,
               {{"X_UNIDAD", std::to_string(30000 + i)},
                {"T_NOMBRE", Text(kUnitStems[offer % kUnitStems.size()]) + " " + letter},
                {"X_OFERTAMATRIG", OfferKey(offer)}});
  }
  out.closeBlock();
}

void WriteDayPlans(Writer& out, const SchoolSize& size) {
  out.openBlock("JORNADAS_ESCOLARES");
  for (std::size_t plan = 0; plan < size.dayPlans; ++plan)
    out.record("JORNADA_", plan + 1,
               {{"X_JORNADA", "JORN" + std::to_string(plan + 1)},
                {"D_JORNADA", plan % 3 == 0 ? "Jornada ordinaria de mañana" : "Jornada de tarde"},
                {"F_INICIO", "16/09/2024"},
                {"F_FIN", "20/06/2025"}});
  out.closeBlock();
  out.openBlock("TRAMOS_HORARIOS");
  std::size_t number = 0;
  for (std::size_t plan = 0; plan < size.dayPlans; ++plan) {
    const int firstStart = plan % 3 == 0 ? 480 : 930;
    for (std::size_t slot = 0; slot < size.slotsPerPlan; ++slot) {
      const int start = firstStart + static_cast<int>(slot) * 55;
      ++number;
      out.record("TRAMO_", number,
                 {{"X_TRAMO", std::to_string(7000 + number)},
                  {"T_HORCEN", Text(kSlotLabels[slot % kSlotLabels.size()])},
                  {"N_INICIO", std::to_string(start)},
                  {"N_FIN", std::to_string(start + 55)},
                  {"X_JORNADA", "JORN" + std::to_string(plan + 1)}});
    }
  }
  out.closeBlock();
}

}  // namespace

SchoolSize SizeAtScale(int scale) {
  const auto s = static_cast<std::size_t>(scale < 1 ? 1 : scale);
  return {150 * s, 600 * s, 40 * s, 30 * s, 60 * s, 40 * s, 3 * s, 8};
}

std::string GenerateExchangeDocument(int scale) {
  const SchoolSize size = SizeAtScale(scale);
  Writer out;
  out.text() +=
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<SERVICIO modulo=\"HORARIOS\" tipo=\"E\" autor=\"QUIRENDA\" fecha=\"02/09/2024 10:15:32\">\n"
      "  <BLOQUE_DATOS>\n"
      "    <grupo_datos seq=\"ANNO_ACADEMICO\"><dato nombre_dato=\"C_ANNO\">2024</dato></grupo_datos>\n";
  WriteSubjects(out, size);
  WriteActivities(out, size);
  WriteStaff(out, size);
  WriteRooms(out, size);
  WriteCourses(out, size);
  WriteClassUnits(out, size);
  WriteDayPlans(out, size);
  out.text() += "  </BLOQUE_DATOS>\n</SERVICIO>\n";
  return std::move(out.text());
}

void WriteLevelTable(int scale, const std::filesystem::path& file) {
  using formats::FieldDef;
  const SchoolSize size = SizeAtScale(scale);
  formats::DbfTable::create(file, {FieldDef::integer("X_OFERTAMATRIG"), FieldDef::character("NIVEL_ABREV", 10),
                                   FieldDef::character("ESTUDIO", 120)});
  auto table = formats::DbfTable::open(file);
  for (std::size_t offer = 0; offer < size.courseOffers; ++offer) {
    if (offer % 17 == 16) continue;
    const bool secondary = offer % kOfferNames.size() < 4;
    table.append();
    table.setInteger("X_OFERTAMATRIG", static_cast<long long>(10000 + offer));
    table.set("NIVEL_ABREV", secondary ? "ESO" : "BACH");
    table.set("ESTUDIO", text::Utf8ToAnsi(secondary ? "Educación Secundaria Obligatoria" : "Bachillerato"));
    table.post();
  }
  table.close();
}

std::string FirstDayPlan() { return "JORN1"; }

}  // namespace enlazora::bench
