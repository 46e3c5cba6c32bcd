#pragma once
#include "cli/CommandLine.h"

namespace enlazora::cli {

// Each returns the exit status; messages go to standard output and error.
int RunHaciaHoralix(const CommandLine& line);
int RunHaciaQuirenda(const CommandLine& line);

}  // namespace enlazora::cli
