#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "formats/dbf/DbfTable.h"
#include "outbound/support/OutboundFixture.h"
#include "support/TestSupport.h"

namespace enlazora::testing {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kFixedEnvironment = {"ENLAZORA_RELOJ=2025-12-24 13:45:07", "LC_ALL=C.UTF-8"};

TEST(HaciaQuirenda, WritesTheResultBesideTheChosenDocument) {
  OutboundScene scene;
  scene.school.write(scene.tables);
  const auto run = RunProgram(ENLAZORA_CLI, {"hacia-quirenda", scene.document.string(), "--tablas",
                                             scene.tables.string()},
                              kFixedEnvironment);
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out, "Proceso finalizado\nEscritos 5 profesores y 9 actividades en " + scene.result.string() + "\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(FlattenDocument(scene.result), ExpectedDocument());
  EXPECT_NE(ReadBytes(scene.result).find("fecha=\"12/24/25 13:45:07\""), std::string::npos);
}

TEST(HaciaQuirenda, TableFolderFromTheEnvironmentAndResultWhereAsked) {
  OutboundScene scene;
  scene.school.write(scene.tables);
  const fs::path result = scene.folder / "para-quirenda.xml";
  auto environment = kFixedEnvironment;
  environment.push_back("ENLAZORA_TABLAS=" + scene.tables.string());
  const auto run =
      RunProgram(ENLAZORA_CLI, {"hacia-quirenda", scene.document.string(), "--resultado", result.string()}, environment);
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(FlattenDocument(result), ExpectedDocument());
  EXPECT_FALSE(fs::exists(scene.result));
}

TEST(HaciaQuirenda, StopsWithTheMessageOnStandardError) {
  OutboundScene scene;
  scene.school.write(scene.tables);
  fs::remove(scene.tables / "PERIODOS.DBF");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"hacia-quirenda", (scene.folder / "nada.xml").string(), "--tablas", scene.tables.string()},
       "No existe archivo\n"},
      {{"hacia-quirenda", scene.document.string(), "--tablas", scene.tables.string()},
       "ATENCIÓN - PERIODOS.DBF No encontrado - Importe de nuevo XML de QUIRENDA.\n"},
      {{"hacia-quirenda", scene.document.string(), "--tablas", scene.tables.string(), "--resultado",
        scene.document.string()},
       "El resultado no puede escribirse sobre el documento elegido " + scene.document.string() +
           ": elija otro fichero de resultado.\n"},
  };
  const std::string chosen = ReadBytes(scene.document);
  for (const auto& [arguments, message] : cases) {
    const auto run = RunProgram(ENLAZORA_CLI, arguments, kFixedEnvironment);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.err, message);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(fs::exists(scene.result));
  EXPECT_EQ(ReadBytes(scene.document), chosen);
}

// The sample school both ways: its own document through hacia-horalix, the
// bundled timetable solution, then hacia-quirenda. Every activity written
// carries keys that the original document holds, and they fit together: the
// time slot and its minutes, the class unit and its course offer, the subject
// of that offer, the room, the activity, the period of plan JORN1.
using Records = std::vector<std::vector<std::string>>;

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

Records BlockRecords(const xmlDoc* doc, const std::string& seq) {
  Records records;
  const xmlNode* container = xmlDocGetRootElement(doc)->children;
  while (container && (container->type != XML_ELEMENT_NODE ||
                       std::string(reinterpret_cast<const char*>(container->name)) != "BLOQUE_DATOS"))
    container = container->next;
  for (const xmlNode* block = container ? container->children : nullptr; block; block = block->next) {
    if (block->type != XML_ELEMENT_NODE || Attribute(block, "seq") != seq) continue;
    for (const xmlNode* record = block->children; record; record = record->next) {
      if (record->type != XML_ELEMENT_NODE) continue;
      std::vector<std::string> values;
      for (const xmlNode* value = record->children; value; value = value->next)
        if (value->type == XML_ELEMENT_NODE) values.push_back(Trimmed(Content(value)));
      records.push_back(values);
    }
  }
  return records;
}

std::set<std::string> Position(const Records& records, std::size_t position) {
  std::set<std::string> values;
  for (const auto& record : records)
    if (record.size() > position) values.insert(record[position]);
  return values;
}

// The written activities: one map of value name to text per activity.
std::vector<std::map<std::string, std::string>> WrittenActivities(const fs::path& file) {
  std::vector<std::map<std::string, std::string>> activities;
  const auto doc = ParseWithLibxml2(file);
  std::function<void(const xmlNode*)> visit = [&](const xmlNode* node) {
    for (const xmlNode* child = node->children; child; child = child->next) {
      if (child->type != XML_ELEMENT_NODE) continue;
      if (Attribute(child, "seq").starts_with("ACTIVIDAD_")) {
        std::map<std::string, std::string> values;
        for (const xmlNode* value = child->children; value; value = value->next)
          if (value->type == XML_ELEMENT_NODE) values[Attribute(value, "nombre_dato")] = Content(value);
        activities.push_back(values);
      } else {
        visit(child);
      }
    }
  };
  visit(xmlDocGetRootElement(doc.get()));
  return activities;
}

TEST(HaciaQuirenda, SampleSchoolRoundTripKeepsThePlatformKeys) {
  const fs::path sample = fs::path(ENLAZORA_SOURCE_DIR) / "ejemplos" / "instituto.xml";
  const fs::path levels = fs::path(ENLAZORA_BUILD_DIR) / "ejemplos" / "NIVELLARI.DBF";
  const fs::path solution = fs::path(ENLAZORA_BUILD_DIR) / "ejemplos" / "SOLUC.DBF";
  ASSERT_TRUE(fs::exists(sample));
  ASSERT_TRUE(fs::exists(levels)) << "build the sample's tables first";
  ASSERT_TRUE(fs::exists(solution)) << "build the sample's tables first";
  TempFolder folder;
  const fs::path document = folder / "instituto.xml";
  const fs::path tables = folder / "HTEMP";
  fs::create_directories(tables);
  fs::copy_file(sample, document);

  const auto inbound = RunProgram(ENLAZORA_CLI, {"hacia-horalix", document.string(), "--tablas", tables.string(),
                                                 "--niveles", levels.string(), "--plantilla", "JORN1"},
                                  kFixedEnvironment);
  ASSERT_EQ(inbound.exitStatus, 0) << inbound.err;
  fs::copy_file(solution, tables / "SOLUC.DBF");
  const auto outbound =
      RunProgram(ENLAZORA_CLI, {"hacia-quirenda", document.string(), "--tablas", tables.string()}, kFixedEnvironment);
  ASSERT_EQ(outbound.exitStatus, 0) << outbound.err;
  EXPECT_EQ(ReadBytes(document), ReadBytes(sample));

  const auto original = ParseWithLibxml2(sample);
  const Records staff = BlockRecords(original.get(), "EMPLEADOS");
  const Records slots = BlockRecords(original.get(), "TRAMOS_HORARIOS");
  const Records units = BlockRecords(original.get(), "UNIDADES");
  const Records subjects = BlockRecords(original.get(), "MATERIAS");
  const Records rooms = BlockRecords(original.get(), "DEPENDENCIAS");
  const Records plans = BlockRecords(original.get(), "JORNADAS_ESCOLARES");
  std::map<std::string, std::string> courseOfUnit;
  for (const auto& unit : units) courseOfUnit[unit.at(0)] = unit.at(2);
  std::set<std::pair<std::string, std::string>> subjectOffers;
  for (const auto& subject : subjects) subjectOffers.emplace(subject.at(0), subject.at(1));
  std::map<std::string, std::pair<std::string, std::string>> slotMinutes;
  for (const auto& slot : slots)
    if (slot.at(4) == "JORN1") slotMinutes[slot.at(0)] = {slot.at(2), slot.at(3)};
  std::set<std::string> roomCodes{""};
  for (const auto& room : rooms) roomCodes.insert(room.at(0).size() > 4 ? room.at(0).substr(room.at(0).size() - 4) : room.at(0));
  std::set<std::string> activityKeys = Position(BlockRecords(original.get(), "ACTIVIDADES"), 1);
  activityKeys.insert("1");
  std::string periodStart, periodEnd;
  for (const auto& plan : plans)
    if (plan.at(0) == "JORN1") std::tie(periodStart, periodEnd) = std::tie(plan.at(2), plan.at(3));

  auto placed = formats::DbfTable::open(tables / "SOLUC.DBF", formats::Access::Shared);
  std::size_t placedLessons = 0;
  for (std::size_t row = 0; row < placed.size(); ++row) placedLessons += placed.integer(row, "DIA") != 0;
  placed.close();

  const std::set<std::string> schoolDays{"1", "2", "3", "4", "5"};
  const fs::path result = document.parent_path() / "ResultadoHoralixinstituto.xml";
  const std::set<std::string> employees = Position(staff, 0);
  std::size_t teachers = 0;
  for (const auto& line : FlattenDocument(result)) {
    if (!line.starts_with("X_EMPLEADO=")) continue;
    ++teachers;
    EXPECT_TRUE(employees.contains(line.substr(11))) << line;
  }
  EXPECT_EQ(teachers, staff.size());
  const auto activities = WrittenActivities(result);
  ASSERT_GT(activities.size(), 100u);
  EXPECT_EQ(activities.size(), placedLessons);
  EXPECT_NE(outbound.out.find("Escritos " + std::to_string(staff.size()) + " profesores y " +
                              std::to_string(placedLessons) + " actividades"),
            std::string::npos)
      << outbound.out;
  std::size_t duties = 0;
  for (const auto& activity : activities) {
    const std::string described = ::testing::PrintToString(activity);
    ASSERT_TRUE(slotMinutes.contains(activity.at("X_TRAMO"))) << described;
    EXPECT_EQ(activity.at("N_HORINI"), slotMinutes[activity.at("X_TRAMO")].first) << described;
    EXPECT_EQ(activity.at("N_HORFIN"), slotMinutes[activity.at("X_TRAMO")].second) << described;
    EXPECT_TRUE(schoolDays.contains(activity.at("N_DIASEMANA"))) << described;
    if (activity.at("X_UNIDAD").empty()) {
      // A duty of an activity (a guard), taught to no class unit.
      ++duties;
      EXPECT_EQ(activity.at("X_OFERTAMATRIG"), "") << described;
      EXPECT_EQ(activity.at("X_MATERIAOMG"), "") << described;
      EXPECT_NE(activity.at("X_ACTIVIDAD"), "1") << described;
    } else {
      ASSERT_TRUE(courseOfUnit.contains(activity.at("X_UNIDAD"))) << described;
      EXPECT_EQ(activity.at("X_OFERTAMATRIG"), courseOfUnit[activity.at("X_UNIDAD")]) << described;
      EXPECT_TRUE(subjectOffers.contains({activity.at("X_OFERTAMATRIG"), activity.at("X_MATERIAOMG")})) << described;
    }
    EXPECT_TRUE(roomCodes.contains(activity.at("X_DEPENDENCIA"))) << described;
    EXPECT_TRUE(activityKeys.contains(activity.at("X_ACTIVIDAD"))) << described;
    EXPECT_EQ(activity.at("F_INICIO"), periodStart) << described;
    EXPECT_EQ(activity.at("F_FIN"), periodEnd) << described;
  }
  EXPECT_GT(duties, 0u);
  EXPECT_LT(duties, activities.size() / 2);
}

}  // namespace
}  // namespace enlazora::testing
