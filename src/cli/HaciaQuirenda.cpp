#include <exception>
#include <iostream>

#include "cli/Commands.h"
#include "formats/Messages.h"
#include "formats/files/Locations.h"
#include "outbound/OutboundRun.h"

namespace enlazora::cli {

int RunHaciaQuirenda(const CommandLine& line) {
  outbound::OutboundRequest request;
  request.document = line.document;
  request.tableFolder = line.option("--tablas").value_or(formats::DefaultTableFolder().string());
  if (const auto resultFile = line.option("--resultado")) request.resultFile = *resultFile;
  try {
    const outbound::OutboundResult result = outbound::RunOutbound(request);
    std::cout << messages::kProcesoFinalizado << '\n'
              << "Escritos " << result.teachers << " profesores y " << result.activities << " actividades en "
              << result.resultFile.string() << '\n';
    return kCompleted;
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
    return kStopped;
  }
}

}  // namespace enlazora::cli
