#include <iostream>

#include "cli/Commands.h"

namespace enlazora::cli {

int RunHaciaHoralix(const CommandLine&) {
  std::cerr << "La conversión hacia Horalix aún no está disponible.\n";
  return kStopped;
}

}  // namespace enlazora::cli
