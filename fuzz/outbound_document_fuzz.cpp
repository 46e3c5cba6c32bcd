// Any bytes as the chosen exchange document of the outbound run, over a fixed
// table set whose values need escaping and characters that some encodings
// lack: the run either stops with an exception or writes a result, in the
// document's own declared encoding, that XML readers take and that gives
// the values back.
#include <cstdint>
#include <exception>

#include "outbound/OutboundRun.h"
#include "support/FuzzSupport.h"
#include "support/SchoolTables.h"

using namespace enlazora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto& tables = fuzzing::SchoolTableFolder();
  const auto document = fuzzing::ScratchFolder() / "centro.xml";
  const auto result = fuzzing::ScratchFolder() / "ResultadoHoralixcentro.xml";
  fuzzing::WriteFile(document, data, size);
  std::filesystem::remove(result);
  try {
    outbound::RunOutbound({document, tables, std::nullopt});
  } catch (const std::exception&) {
    return 0;
  }
  fuzzing::RequireReadableResult(result);
  return 0;
}
