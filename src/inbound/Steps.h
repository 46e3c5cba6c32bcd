#pragma once
// The seven steps of the inbound run, in the order the run calls them. Each
// reads its blocks of the document and rebuilds its tables in the staging
// folder; a step that fails raises an exception with its Spanish message.
#include "inbound/StepContext.h"

namespace enlazora::inbound {

// "MATERIAS" -> ASIGNOMT.DBF and ASIGNOMT2.DBF.
void SubjectsStep(StepContext& context);
// "ACTIVIDADES" -> added to ASIGNOMT.DBF; releases the subject lists.
void ActivitiesStep(StepContext& context);
// "EMPLEADOS" -> PROFT.DBF.
void TeachersStep(StepContext& context);
// "DEPENDENCIAS" -> AULAT.DBF.
void RoomsStep(StepContext& context);
// "CURSOS_DEL_CENTRO" and "UNIDADES" -> CURSOST.DBF and GRUPOST.DBF, with the
// level reference table.
void CoursesAndClassUnitsStep(StepContext& context);
// "MATERIAS" with ASIGNOMT.DBF and GRUPOST.DBF -> ASIGT.DBF.
void SubjectLoadStep(StepContext& context);
// "JORNADAS_ESCOLARES" and "TRAMOS_HORARIOS" -> DIASHORAST.DBF,
// DIASHORAST2.DBF and PERIODOS.DBF; JORNADAS.DBF deleted.
void DayPlansStep(StepContext& context);

}  // namespace enlazora::inbound
