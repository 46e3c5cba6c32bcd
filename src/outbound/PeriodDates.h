#pragma once
// The dates of the chosen day plan, from PERIODOS.DBF, which the inbound
// conversion wrote: every activity of the written document carries them.
#include <filesystem>
#include <string>

namespace enlazora::outbound {

struct PeriodDates {
  std::string start;  // FECINI
  std::string end;    // FECFIN
};

// FECINI and FECFIN of the table's first record, as read back; both empty when
// the table holds no record. A missing table stops the run with
// "ATENCIÓN - PERIODOS.DBF No encontrado - Importe de nuevo XML de QUIRENDA.".
PeriodDates ReadPeriodDates(const std::filesystem::path& tableFolder);

}  // namespace enlazora::outbound
