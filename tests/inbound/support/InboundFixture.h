#pragma once
// Helpers of the inbound tests: exchange documents written from a few lines,
// a level reference table, a table folder to run in, and tables read back as
// UTF-8 text.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "inbound/InboundRun.h"
#include "support/TestSupport.h"

namespace enlazora::testing {

using Values = std::vector<std::string>;  // one record's dato texts, UTF-8

// Builds an exchange document: blocks in the order they are added, each with
// its records; written as UTF-8 with an XML declaration.
class DocumentBuilder {
 public:
  DocumentBuilder& block(const std::string& seq, const std::vector<Values>& records);
  std::string xml() const;
  void write(const std::filesystem::path& file) const;

 private:
  std::vector<std::pair<std::string, std::vector<Values>>> blocks_;
};

struct LevelRow {
  int key;
  std::string level;    // UTF-8
  std::string studies;  // UTF-8
};

// A NIVELLARI.DBF with X_OFERTAMATRIG, NIVEL_ABREV and ESTUDIO.
void WriteLevelTable(const std::filesystem::path& file, const std::vector<LevelRow>& rows);

// The given fields of every row, as UTF-8 text (numbers in decimal, logicals
// as "T"/"F", blank non-character fields as "").
std::vector<Values> ReadRows(const std::filesystem::path& table, const std::vector<std::string>& fields);

// Answers the day-plan question with a fixed text and counts the questions.
class FixedDayPlan : public inbound::InboundInteraction {
 public:
  explicit FixedDayPlan(std::string answer = {}) : answer_(std::move(answer)) {}
  std::string chooseDayPlan(const std::filesystem::path& document) override;
  int questions = 0;
  std::filesystem::path askedAbout;

 private:
  std::string answer_;
};

// A scratch place to run in: the table folder "HTEMP", the level table
// "NIVELLARI.DBF" and the document "entrada.xml".
class InboundBench {
 public:
  InboundBench();
  std::filesystem::path tables() const { return folder_ / "HTEMP"; }
  std::filesystem::path table(const std::string& name) const { return tables() / name; }
  std::filesystem::path levelTable() const { return folder_ / "NIVELLARI.DBF"; }
  std::filesystem::path document() const { return folder_ / "entrada.xml"; }
  inbound::InboundRequest request() const { return {document(), tables(), levelTable()}; }

  // Writes the document and runs; the day plan, when asked, is `plan`.
  inbound::InboundResult run(const DocumentBuilder& document, const std::string& plan = {});

 private:
  TempFolder folder_;
};

// A document with one day plan "J1" and nothing else: the least a run
// completes with.
DocumentBuilder WithOneDayPlan();

// A document that every step reads something from: two courses with class
// units, subjects, an activity, teachers, rooms and one day plan "J1".
DocumentBuilder SmallSchool();
// The level table of SmallSchool.
std::vector<LevelRow> SmallSchoolLevels();

}  // namespace enlazora::testing
