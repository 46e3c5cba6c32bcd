#include "outbound/OutboundRun.h"

#include <system_error>

#include "formats/Clock.h"
#include "formats/Messages.h"
#include "formats/RunStopped.h"
#include "formats/xml/StreamWriter.h"
#include "formats/xml/StreamedDocument.h"
#include "outbound/DocumentValues.h"
#include "outbound/HeaderDate.h"
#include "outbound/OutboundError.h"
#include "outbound/OutboundTables.h"
#include "outbound/PeriodDates.h"
#include "outbound/RegularTimetables.h"
#include "outbound/SchoolYear.h"
#include "outbound/TableFiles.h"

namespace enlazora::outbound {
namespace fs = std::filesystem;

namespace {

// A path that is a file: not empty, present, and no folder.
bool DocumentExists(const fs::path& document) {
  std::error_code error;
  return !document.empty() && fs::is_regular_file(document, error);
}

// Whether two paths name the same file, also through links or different
// spellings of the same folder.
bool SameFile(const fs::path& first, const fs::path& second) {
  std::error_code error;
  if (fs::equivalent(first, second, error)) return true;
  const auto firstFull = fs::weakly_canonical(first, error);
  if (error) return false;
  const auto secondFull = fs::weakly_canonical(second, error);
  return !error && firstFull == secondFull;
}

}  // namespace

fs::path ResultFileFor(const fs::path& document) {
  return document.parent_path() / ("ResultadoHoralix" + document.filename().string());
}

OutboundResult RunOutbound(const OutboundRequest& request) {
  if (!DocumentExists(request.document)) throw RunStopped(StopReason::MissingDocument, messages::kNoExisteArchivo);
  OutboundResult result;
  result.resultFile = request.resultFile.value_or(ResultFileFor(request.document));
  if (SameFile(result.resultFile, request.document))
    throw OutboundError("El resultado no puede escribirse sobre el documento elegido " + PathText(request.document) +
                        ": elija otro fichero de resultado.");

  OutboundTables tables = OutboundTables::Open(request.tableFolder);
  // Of the chosen document only what is kept of it is read: the nodes outside
  // its root and the school year; none of its blocks.
  const auto document = formats::StreamedDocument::load(request.document, {});
  const std::string schoolYear = SchoolYearOf(document, PathText(request.document));
  const PeriodDates periods = ReadPeriodDates(request.tableFolder);

  // The result is written as it is built; it takes its place only when
  // complete, and nothing of it remains when the run stops on the way.
  formats::StreamWriter written(document, result.resultFile);
  formats::StreamElement dataContainer = BuildNewRoot(written, FechaText(formats::Now()));
  AppendSchoolYearBlock(dataContainer, schoolYear);
  const TimetableCounts counts = AppendRegularTimetables(dataContainer, tables, periods);
  tables.close();

  written.finish();
  result.teachers = counts.teachers;
  result.activities = counts.activities;
  return result;
}

}  // namespace enlazora::outbound
