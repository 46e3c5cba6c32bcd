// enlazora-cli: the two conversions of Enlazora from the command line.
#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace {

constexpr const char* kVersion = "enlazora-cli 1.0 (Enlazora para HX30 V-1.0)";

constexpr const char* kHelp =
    "Uso:\n"
    "  enlazora-cli hacia-horalix DOCUMENTO.xml [--tablas CARPETA] [--niveles FICHERO] [--plantilla CODIGO]\n"
    "  enlazora-cli hacia-quirenda DOCUMENTO.xml [--tablas CARPETA] [--resultado FICHERO]\n"
    "  enlazora-cli --help | --version\n"
    "\n"
    "Transforma los datos de horarios entre Quirenda y Horalix.\n"
    "\n"
    "  hacia-horalix   Lee el documento XML exportado por Quirenda y rehace las tablas de\n"
    "                  Horalix (asignaturas, profesores, aulas, cursos, grupos, carga lectiva,\n"
    "                  tramos horarios y periodos).\n"
    "  hacia-quirenda  Lee las tablas de Horalix y su solución SOLUC.DBF y escribe, junto al\n"
    "                  documento elegido, el documento ResultadoHoralix<nombre> para Quirenda.\n"
    "\n"
    "Opciones:\n"
    "  --tablas CARPETA     carpeta de las tablas de Horalix (por omisión C:\\HTEMP; fuera de\n"
    "                       Windows, $ENLAZORA_TABLAS o drive_c/HTEMP de $WINEPREFIX o ~/.wine)\n"
    "  --niveles FICHERO    tabla de niveles (por omisión NIVELLARI.DBF junto al programa)\n"
    "  --plantilla CODIGO   plantilla horaria que se aplica cuando el documento trae varias\n"
    "                       (por omisión, la primera)\n"
    "  --resultado FICHERO  documento que se escribe (por omisión ResultadoHoralix<nombre>\n"
    "                       en la carpeta del documento elegido)\n"
    "\n"
    "Estado de salida: 0 proceso finalizado, 1 proceso detenido, 2 uso incorrecto.\n";

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  using namespace enlazora::cli;
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
    std::cout << kHelp;
    return kCompleted;
  }
  if (arguments.size() == 1 && arguments[0] == "--version") {
    std::cout << kVersion << '\n';
    return kCompleted;
  }
  try {
    const std::string command = arguments.empty() ? std::string() : arguments[0];
    if (command == "hacia-horalix")
      return RunHaciaHoralix(ParseCommand(arguments, {"--tablas", "--niveles", "--plantilla"}));
    if (command == "hacia-quirenda")
      return RunHaciaQuirenda(ParseCommand(arguments, {"--tablas", "--resultado"}));
    throw UsageError(arguments.empty() ? "Falta la orden (hacia-horalix o hacia-quirenda)."
                                       : "Orden desconocida: " + command);
  } catch (const UsageError& error) {
    std::cerr << error.what() << "\n\n" << kHelp;
    return kUsage;
  }
}
