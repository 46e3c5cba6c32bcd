#pragma once
// The host's tables that the inbound run rebuilds: their file names and field
// lists, in the column order of the table files.
#include <vector>

#include "formats/dbf/FieldDef.h"

namespace enlazora::inbound::tables {

inline constexpr const char* kAsignomt = "ASIGNOMT.DBF";
inline constexpr const char* kAsignomt2 = "ASIGNOMT2.DBF";
inline constexpr const char* kProft = "PROFT.DBF";
inline constexpr const char* kAulat = "AULAT.DBF";
inline constexpr const char* kCursost = "CURSOST.DBF";
inline constexpr const char* kGrupost = "GRUPOST.DBF";
inline constexpr const char* kAsigt = "ASIGT.DBF";
inline constexpr const char* kDiashorast = "DIASHORAST.DBF";
inline constexpr const char* kDiashorast2 = "DIASHORAST2.DBF";
inline constexpr const char* kPeriodos = "PERIODOS.DBF";
// Deleted by the day-plan step; nothing creates it.
inline constexpr const char* kJornadas = "JORNADAS.DBF";

std::vector<formats::FieldDef> AsignomtFields();
std::vector<formats::FieldDef> Asignomt2Fields();
std::vector<formats::FieldDef> ProftFields();
std::vector<formats::FieldDef> AulatFields();
std::vector<formats::FieldDef> CursostFields();
std::vector<formats::FieldDef> GrupostFields();
std::vector<formats::FieldDef> AsigtFields();
std::vector<formats::FieldDef> DiashorastFields();
// The nine fields of DIASHORAST.DBF, then ORDEN, the slot's start minute.
std::vector<formats::FieldDef> Diashorast2Fields();
std::vector<formats::FieldDef> PeriodosFields();

}  // namespace enlazora::inbound::tables
