#pragma once
// What the seven steps of one inbound run share: the loaded document, the
// staged tables, the level reference table, the person to ask and the run's
// own state.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "formats/xml/StreamedDocument.h"
#include "inbound/InboundRun.h"
#include "inbound/StagedTables.h"
#include "inbound/SubjectLists.h"

namespace enlazora::inbound {

struct StepContext {
  // The records of every block, read once; no element tree is kept.
  const formats::StreamedDocument& document;
  std::filesystem::path documentPath;
  std::filesystem::path levelTable;
  InboundInteraction& interaction;
  StagedTables& tables;
  // Created by the subjects step, released by the activities step.
  std::unique_ptr<SubjectLists> subjectLists;
  // The code of the day plan applied (Windows-1252), set by the day-plan step.
  std::string PlantillaElegida;
  // Rows written per table, in the order the tables are first written.
  std::vector<TableRows> written;

  void noteRows(const std::string& table, std::size_t rows);
};

}  // namespace enlazora::inbound
