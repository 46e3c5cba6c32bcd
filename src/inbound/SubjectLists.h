#pragma once
// The four lists of the subjects step: they belong to one run, collect the
// codes of its subjects and are released by its activities step.
#include <set>
#include <string>

#include "formats/CodeList.h"

namespace enlazora::inbound {

struct SubjectLists {
  // Every short code given to a new subject, in its final form.
  formats::CodeList ListaCodigos{formats::LetterCase::Sensitive, formats::LongCodes::Shortened};
  // Every long code seen, uncut.
  std::set<std::string> ListaCodLargos;
  // Every subject name seen, upper-cased (letters a to z only).
  std::set<std::string> ListaNombres;
  // Every long code seen followed by its subject name, uncut.
  std::set<std::string> ListaCodLargoNombre;
};

}  // namespace enlazora::inbound
