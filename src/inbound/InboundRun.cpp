#include "inbound/InboundRun.h"

#include <system_error>

#include "formats/Messages.h"
#include "formats/RunStopped.h"
#include "formats/xml/StreamedDocument.h"
#include "inbound/StagedTables.h"
#include "inbound/StepContext.h"
#include "inbound/Steps.h"

namespace enlazora::inbound {
namespace fs = std::filesystem;
namespace {

bool IsExistingFile(const fs::path& file) {
  std::error_code error;
  return !file.empty() && fs::is_regular_file(file, error);
}

// The preconditions, checked before anything is touched.
void CheckPreconditions(const InboundRequest& request) {
  if (!IsExistingFile(request.document))
    throw RunStopped(StopReason::MissingDocument, messages::kNoExisteArchivo);
  if (!IsExistingFile(request.levelTable))
    throw RunStopped(StopReason::MissingPrerequisite, messages::kNivellariNoEncontrado);
}

void RunSteps(StepContext& context) {
  SubjectsStep(context);
  ActivitiesStep(context);
  TeachersStep(context);
  RoomsStep(context);
  CoursesAndClassUnitsStep(context);
  SubjectLoadStep(context);
  DayPlansStep(context);
}

}  // namespace

InboundResult RunInbound(const InboundRequest& request, InboundInteraction& interaction) {
  CheckPreconditions(request);
  const auto document = formats::StreamedDocument::load(request.document);
  StagedTables tables(request.tableFolder);
  StepContext context{document, request.document, request.levelTable, interaction, tables, nullptr, {}, {}};
  RunSteps(context);
  tables.commit();
  return {std::move(context.written), std::move(context.PlantillaElegida)};
}

}  // namespace enlazora::inbound
