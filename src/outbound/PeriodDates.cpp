#include "outbound/PeriodDates.h"

#include "formats/Messages.h"
#include "formats/RunStopped.h"
#include "formats/dbf/DbfTable.h"
#include "outbound/TableFiles.h"

namespace enlazora::outbound {

PeriodDates ReadPeriodDates(const std::filesystem::path& tableFolder) {
  const auto file = FindTableFile(tableFolder, "PERIODOS");
  if (!file) throw RunStopped(StopReason::MissingPrerequisite, messages::kPeriodosNoEncontrado);
  auto table = formats::DbfTable::open(*file, formats::Access::Shared);
  PeriodDates dates;
  if (table.size() > 0) {
    dates.start = table.text(0, "FECINI");
    dates.end = table.text(0, "FECFIN");
  }
  table.close();
  return dates;
}

}  // namespace enlazora::outbound
