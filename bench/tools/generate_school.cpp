// Writes a synthetic school of a given scale into a folder, so that the real
// command-line program can be run and measured on it:
//
//   escuela.xml       the exchange document the platform would export
//   NIVELLARI.DBF     the level reference table that matches it
//   tablas-horalix/   an empty table folder for hacia-horalix to fill
//   tablas-solucion/  the host's tables with SOLUC.DBF and PERIODOS.DBF, for
//                     hacia-quirenda
//   centro.xml        the small exchange document the outbound benchmark uses
//
// Usage: generate-school <carpeta> <escala>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

#include "support/DocumentGenerator.h"
#include "support/TableSetGenerator.h"

namespace {
namespace fs = std::filesystem;

bool ParseScale(std::string_view text, int& scale) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), scale);
  return error == std::errc() && end == text.data() + text.size() && scale >= 1 && scale <= 1024;
}

std::uintmax_t FolderBytes(const fs::path& folder) {
  std::uintmax_t bytes = 0;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file()) bytes += entry.file_size();
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  int scale = 0;
  if (argc != 3 || !ParseScale(argv[2], scale)) {
    std::fprintf(stderr, "Uso: generate-school <carpeta> <escala de 1 a 1024>\n");
    return 2;
  }
  const fs::path folder = argv[1];
  try {
    fs::create_directories(folder / "tablas-horalix");
    const fs::path document = folder / "escuela.xml";
    {
      std::ofstream out(document, std::ios::binary | std::ios::trunc);
      out << enlazora::bench::GenerateExchangeDocument(scale);
      if (!out.flush()) throw std::runtime_error("no se pudo escribir " + document.string());
    }
    enlazora::bench::WriteLevelTable(scale, folder / "NIVELLARI.DBF");
    const auto tables = enlazora::bench::WriteTableSet(folder / "tablas-solucion", static_cast<std::size_t>(scale));
    enlazora::bench::WriteExchangeDocument(folder / "centro.xml");

    std::printf("escuela.xml: %ju bytes, %zu registros\n", fs::file_size(document),
                enlazora::bench::SizeAtScale(scale).records());
    std::printf("tablas-solucion: %ju bytes, %zu profesores, %zu sesiones en SOLUC.DBF\n",
                FolderBytes(folder / "tablas-solucion"), tables.teachers, tables.lessons);
    std::printf("centro.xml: %ju bytes\n", fs::file_size(folder / "centro.xml"));
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
