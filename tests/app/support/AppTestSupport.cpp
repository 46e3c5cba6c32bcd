#include "app/support/AppTestSupport.h"

#include "app/UiText.h"
#include "inbound/support/InboundFixture.h"
#include "outbound/support/OutboundFixture.h"

namespace enlazora::testing {

WindowBench::WindowBench() {
  std::filesystem::create_directories(programFolder());
  std::filesystem::create_directories(tables());
  WriteLevelTable(programFolder() / "NIVELLARI.DBF", SmallSchoolLevels());
}

QString WindowBench::documentName() const { return app::FromPath(document()); }

std::unique_ptr<app::TMForm> WindowBench::window(const QStringList& arguments) const {
  app::MainFormSetup setup;
  for (const QString& argument : arguments) setup.arguments.push_back(argument.toStdString());
  setup.programFolder = programFolder();
  setup.tableFolder = tables();
  setup.dialogs = dialogs;
  setup.embedding = embedding;
  return std::make_unique<app::TMForm>(std::move(setup));
}

void WindowBench::writeSchoolWithTwoPlans() const {
  DocumentBuilder document;
  document.block("MATERIAS", {{"100", "1", "Lengua"}, {"100", "2", "Matemáticas"}})
      .block("ACTIVIDADES", {{"0", "A1", "Guardia"}})
      .block("EMPLEADOS", {{"E1", "01/09/2020", "x", "García", "López", "Ana"}})
      .block("DEPENDENCIAS", {{"1001", "Aula 1"}})
      .block("CURSOS_DEL_CENTRO", {{"100", "1º ESO"}, {"200", "2º ESO"}})
      .block("UNIDADES", {{"U1", "1º ESO A", "100"}, {"U3", "2º ESO A", "200"}})
      .block("JORNADAS_ESCOLARES", {{"J1", "Jornada de mañana", "15/09/2024", "22/06/2025"},
                                    {"J2", "Jornada de tarde", "15/09/2024", "22/06/2025"}})
      .block("TRAMOS_HORARIOS", {{"T1", "1ª", "480", "540", "J1"}, {"T2", "1ª tarde", "900", "960", "J2"}});
  document.write(this->document());
}

void WindowBench::writeOutboundInputs() const {
  SchoolTables().write(tables());
  WriteBytes(document(), ExchangeDocumentText());
}

}  // namespace enlazora::testing
