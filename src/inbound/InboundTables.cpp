#include "inbound/InboundTables.h"

namespace enlazora::inbound::tables {
namespace {
using formats::FieldDef;
FieldDef C(const char* name, int width) { return FieldDef::character(name, width); }
}  // namespace

std::vector<FieldDef> AsignomtFields() {
  return {C("COD", 10), C("CODLARGO", 10), C("NOMBRE", 80), C("CODTAREA", 10), FieldDef::logical("ESTAREA")};
}

std::vector<FieldDef> Asignomt2Fields() {
  return {C("COD", 10),     C("CODLARGO", 10),    C("NOMBRE", 80),
          C("MATERIA", 20), C("OFERTAMATRI", 20), C("CODTAREA", 12),
          FieldDef::logical("ESTAREA")};
}

std::vector<FieldDef> ProftFields() {
  return {C("ABREV", 10), C("NOMBRE", 80), C("DEPART", 40), FieldDef::integer("DNI"), C("X_EMPLEADO", 10),
          C("F_TOMAPOS", 10)};
}

std::vector<FieldDef> AulatFields() {
  return {C("ABREV", 10), C("NOMBRE", 80), C("EDIFICIO", 1), FieldDef::integer("MAXALUM"), C("DEPCENTRO", 10)};
}

std::vector<FieldDef> CursostFields() {
  return {C("ABREV", 3), C("TURNO", 1), C("NIVEL", 5), C("CURSO", 3), C("CLAVE", 10), C("ESTUD", 80)};
}

std::vector<FieldDef> GrupostFields() {
  return {C("ABREV", 10), C("TURNO", 1), C("NIVEL", 5),       C("CURSO", 3),
          C("GRUPO", 2),  C("CLAVE", 10), C("CLAVECURSO", 10), C("DESCRIP", 80)};
}

std::vector<FieldDef> AsigtFields() {
  return {C("CASIG", 10), C("CPROF", 10),    C("CGRUP", 10),         C("CAULA", 10), C("TURNO", 1),
          C("NIVEL", 5),  C("CURSO", 3),     C("GRUPO", 2),          FieldDef::floating("HORAS"),
          C("SESIONES", 20), C("CLAVE", 10), C("CLAVECURSO", 10),    C("CTAREA", 10)};
}

std::vector<FieldDef> DiashorastFields() {
  return {C("DIHO", 10), C("CODDIHO", 10),  C("DIA", 20),      C("TEXTODIA", 20), C("HORA", 8),
          C("TEXTOHOR", 15), C("HORADESDE", 8), C("HORAHASTA", 8), C("MINUTOS", 8)};
}

std::vector<FieldDef> Diashorast2Fields() {
  auto fields = DiashorastFields();
  fields.push_back(FieldDef::integer("ORDEN"));
  return fields;
}

std::vector<FieldDef> PeriodosFields() {
  return {C("CJORNADA", 10), C("JORNADA", 40), C("FECINI", 10), C("FECFIN", 10)};
}

}  // namespace enlazora::inbound::tables
