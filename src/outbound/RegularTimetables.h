#pragma once
// The block HORARIOS_REGULARES: one record per teacher of PROFT.DBF, each with
// one activity per lesson that SOLUC.DBF places for the teacher.
#include <cstddef>

#include "formats/xml/StreamWriter.h"
#include "outbound/OutboundTables.h"
#include "outbound/PeriodDates.h"

namespace enlazora::outbound {

struct TimetableCounts {
  std::size_t teachers = 0;
  std::size_t activities = 0;
};

// Appends the block to BLOQUE_DATOS. Teachers are numbered from 1 in table
// order, activities from 1 within each teacher; a lesson whose DIA is 0 is no
// activity. Two teachers with the same code both receive its lessons. Each
// teacher record is written out as soon as it is complete.
TimetableCounts AppendRegularTimetables(formats::StreamElement dataContainer, const OutboundTables& tables,
                                        const PeriodDates& periods);

}  // namespace enlazora::outbound
