#pragma once
// The nine tables of the host's folder that the outbound run holds open, each
// exclusively, from its start until its document is built. Whatever stops the
// run, the tables opened so far are closed as it unwinds.
#include <filesystem>

#include "formats/dbf/DbfTable.h"

namespace enlazora::outbound {

struct OutboundTables {
  // Opens SOLUC, GRUPOST, CURSOST, PROFT, AULAT, ASIGNOMT, ASIGNOMT2,
  // DIASHORAST and ASIGT, in this order. A table that is missing, damaged,
  // held by another program or lacking a field the run reads stops the run
  // with a message naming the table.
  static OutboundTables Open(const std::filesystem::path& tableFolder);

  // Releases all nine tables; nothing is written to them.
  void close();

  formats::DbfTable solution;          // SOLUC
  formats::DbfTable classUnits;        // GRUPOST
  formats::DbfTable courses;           // CURSOST, opened and closed only
  formats::DbfTable teachers;          // PROFT
  formats::DbfTable rooms;             // AULAT, opened and closed only
  formats::DbfTable subjects;          // ASIGNOMT
  formats::DbfTable subjectOfferings;  // ASIGNOMT2
  formats::DbfTable timeSlots;         // DIASHORAST
  formats::DbfTable subjectLoad;       // ASIGT
};

}  // namespace enlazora::outbound
