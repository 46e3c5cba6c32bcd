#include <iostream>

#include "cli/Commands.h"

namespace enlazora::cli {

int RunHaciaQuirenda(const CommandLine&) {
  std::cerr << "La conversión hacia Quirenda aún no está disponible.\n";
  return kStopped;
}

}  // namespace enlazora::cli
