#include "app/OutcomeReport.h"

#include <string>

#include "app/ProfileFile.h"
#include "app/ProgramFiles.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace enlazora::app {

void WriteOutcomeReport(const std::filesystem::path& programFolder, int outcome) {
  const std::filesystem::path file = FileInFolder(programFolder, kReportFileName);
#ifdef _WIN32
  // The host reads the file through the same profile interface.
  const std::wstring value = std::to_wstring(outcome);
  if (!WritePrivateProfileStringW(L"Transformadores", L"Transformado", value.c_str(), file.c_str())) {
    const std::u8string name = file.u8string();
    throw ProfileError("No se pudo escribir el archivo " + std::string(name.begin(), name.end()) +
                       " (compruebe que la carpeta del programa admite escritura).");
  }
#else
  WriteProfileValue(file, kReportSection, kReportKey, std::to_string(outcome));
#endif
}

}  // namespace enlazora::app
