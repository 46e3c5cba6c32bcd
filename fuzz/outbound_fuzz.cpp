// Any bytes as the host's SOLUC.DBF: the whole outbound run over a fixed table
// set either stops with an exception or writes a result that XML readers take,
// never anything worse.
#include <cstdint>
#include <exception>
#include <string>

#include "outbound/OutboundRun.h"
#include "support/FuzzSupport.h"
#include "support/SchoolTables.h"

using namespace enlazora;

namespace {

const std::filesystem::path& Document() {
  static const std::filesystem::path file = [] {
    auto path = fuzzing::ScratchFolder() / "centro.xml";
    const std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><SERVICIO><BLOQUE_DATOS>"
        "<grupo_datos seq=\"ANNO\"><dato nombre_dato=\"C_ANNO\">2026</dato></grupo_datos>"
        "</BLOQUE_DATOS></SERVICIO>";
    fuzzing::WriteFile(path, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    return path;
  }();
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto& tables = fuzzing::SchoolTableFolder();
  fuzzing::WriteFile(tables / "SOLUC.DBF", data, size);
  const auto result = fuzzing::ScratchFolder() / "resultado.xml";
  std::filesystem::remove(result);
  try {
    outbound::RunOutbound({Document(), tables, result});
  } catch (const std::exception&) {
    return 0;
  }
  fuzzing::RequireReadableResult(result);
  return 0;
}
