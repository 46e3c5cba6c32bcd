// Step 1: the subjects of "MATERIAS" become ASIGNOMT.DBF (one row per distinct
// subject, with its short code) and ASIGNOMT2.DBF (one row per subject and
// course offer).
#include "formats/dbf/DbfTable.h"
#include "inbound/InboundTables.h"
#include "inbound/Steps.h"
#include "inbound/SubjectCodes.h"
#include "text/Clipper.h"

namespace enlazora::inbound {
namespace {
using formats::DbfTable;
using text::Izquierda;
using text::QuitaEspacios;

constexpr long long kCodLargoWidth = 10;
constexpr long long kNombreWidth = 80;
constexpr std::size_t kMinValues = 2;

struct Subject {
  std::string offerKey;    // position 0
  std::string subjectKey;  // position 1
  std::string name;        // position 2
};

Subject ReadSubject(const formats::Record& record) {
  return {QuitaEspacios(record.value(0)), QuitaEspacios(record.value(1)), QuitaEspacios(record.value(2))};
}

// A subject counts as seen when its name, its long code and both together are
// in the lists already.
bool SeenBefore(const SubjectLists& lists, const Subject& subject, const SubjectCode& code) {
  return lists.ListaNombres.contains(text::UpperAsciiLetters(subject.name)) &&
         lists.ListaCodLargos.contains(code.longCode) &&
         lists.ListaCodLargoNombre.contains(code.longCode + subject.name);
}

void RememberSubject(SubjectLists& lists, const Subject& subject, const SubjectCode& code) {
  lists.ListaNombres.insert(text::UpperAsciiLetters(subject.name));
  lists.ListaCodLargos.insert(code.longCode);
  lists.ListaCodLargoNombre.insert(code.longCode + subject.name);
}

// Appending a subject record: the short code, the long code, the name, and
// ESTAREA false; the offer table also gets the subject and offer keys.
void AppendSubjectRecord(DbfTable& table, const std::string& code, const std::string& longCode,
                         const std::string& name) {
  table.append();
  table.set("COD", code);
  table.set("CODLARGO", longCode);
  table.set("NOMBRE", name);
  table.setLogical("ESTAREA", false);
  table.post();
}

void AppendSubjectOffer(DbfTable& table, const std::string& code, const std::string& longCode,
                        const Subject& subject) {
  table.append();
  table.set("COD", code);
  table.set("CODLARGO", longCode);
  table.set("NOMBRE", subject.name);
  table.set("MATERIA", subject.subjectKey);
  table.set("OFERTAMATRI", subject.offerKey);
  table.setLogical("ESTAREA", false);
  table.post();
}

class SubjectTables {
 public:
  SubjectTables(DbfTable subjects, DbfTable offers) : subjects_(std::move(subjects)), offers_(std::move(offers)) {}

  // A subject seen before gets one more offer row, with the short code of its
  // first row, unless the same subject and offer keys are there already.
  void writeSeenSubject(const Subject& subject, const SubjectCode& code) {
    if (offers_.locate({"MATERIA", "OFERTAMATRI"}, {subject.subjectKey, subject.offerKey})) return;
    const auto first = subjects_.locate({"CODLARGO", "NOMBRE"},
                                        {Izquierda(code.longCode, kCodLargoWidth), Izquierda(subject.name, kNombreWidth)});
    if (!first) return;
    AppendSubjectOffer(offers_, subjects_.text(*first, "COD"), code.longCode, subject);
    ++offerRows_;
  }

  void writeNewSubject(const Subject& subject, const SubjectCode& code, const std::string& uniqueCode) {
    AppendSubjectRecord(subjects_, uniqueCode, code.longCode, subject.name);
    AppendSubjectOffer(offers_, uniqueCode, code.longCode, subject);
    ++subjectRows_;
    ++offerRows_;
  }

  void close(StepContext& context) {
    subjects_.close();
    offers_.close();
    context.noteRows(tables::kAsignomt, subjectRows_);
    context.noteRows(tables::kAsignomt2, offerRows_);
  }

 private:
  DbfTable subjects_;
  DbfTable offers_;
  std::size_t subjectRows_ = 0;
  std::size_t offerRows_ = 0;
};

}  // namespace

void SubjectsStep(StepContext& context) {
  const auto subjectsFile = context.tables.recreate(tables::kAsignomt, tables::AsignomtFields());
  const auto offersFile = context.tables.recreate(tables::kAsignomt2, tables::Asignomt2Fields());
  context.subjectLists = std::make_unique<SubjectLists>();
  SubjectLists& lists = *context.subjectLists;

  const auto& records = context.document.records("MATERIAS");
  SubjectTables tables(DbfTable::open(subjectsFile), DbfTable::open(offersFile));
  for (const auto& record : records) {
    if (record.size() < kMinValues) continue;
    const Subject subject = ReadSubject(record);
    const SubjectCode code = SubjectCodeFromName(subject.name);
    if (SeenBefore(lists, subject, code)) {
      tables.writeSeenSubject(subject, code);
    } else {
      RememberSubject(lists, subject, code);
      tables.writeNewSubject(subject, code, lists.ListaCodigos.makeUnique(code.code));
    }
  }
  tables.close(context);
}

}  // namespace enlazora::inbound
