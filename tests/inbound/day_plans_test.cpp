// School days, time slots and periods: DIASHORAST.DBF, DIASHORAST2.DBF,
// PERIODOS.DBF, and the day plan asked for.
#include <gtest/gtest.h>

#include "inbound/support/InboundFixture.h"

using namespace enlazora::testing;

namespace {
const std::vector<std::string> kGridFields = {"DIHO",     "CODDIHO",   "DIA",       "TEXTODIA", "HORA",
                                              "TEXTOHOR", "HORADESDE", "HORAHASTA", "MINUTOS"};
const std::vector<std::string> kPeriodFields = {"CJORNADA", "JORNADA", "FECINI", "FECFIN"};

// Each slot once for every day of the week, days 1 to 7; `number` is the
// slot number (grid) or the slot counter (work table).
struct Slot {
  std::string number, code, label, from, to, minutes;
};
std::vector<Values> Week(const std::vector<Slot>& slots, bool withOrden = false,
                         const std::vector<std::string>& starts = {}) {
  std::vector<Values> rows;
  for (std::size_t s = 0; s < slots.size(); ++s) {
    const auto& slot = slots[s];
    for (int day = 1; day <= 7; ++day) {
      Values row = {std::to_string(day) + slot.number, slot.code, std::to_string(day), "", slot.number,
                    slot.label, slot.from, slot.to, slot.minutes};
      if (withOrden) row.push_back(starts[s]);
      rows.push_back(row);
    }
  }
  return rows;
}
}  // namespace

TEST(DayPlans, WorkedExampleNumbersSlotsByStartTime) {
  InboundBench bench;
  DocumentBuilder document;
  document.block("JORNADAS_ESCOLARES", {{"J1", "Jornada ordinaria", "15/09/2024", "22/06/2025"}})
      .block("TRAMOS_HORARIOS", {{"T2", "2a", "555", "610", "J1"},
                                 {"T1", "1a", "500", "555", "J1"},
                                 {"T3", "Recreo", "610", "640", "J1"}});
  FixedDayPlan dayPlan;
  document.write(bench.document());
  const auto result = enlazora::inbound::RunInbound(bench.request(), dayPlan);
  EXPECT_EQ(dayPlan.questions, 0);
  EXPECT_EQ(result.chosenPlan, "J1");

  EXPECT_EQ(ReadRows(bench.table("DIASHORAST.DBF"), kGridFields),
            Week({{"1", "T1", "1a", "08:20", "09:15", "55"},
                  {"2", "T2", "2a", "09:15", "10:10", "55"},
                  {"3", "T3", "Recreo", "10:10", "10:40", "30"}}));
  auto workFields = kGridFields;
  workFields.push_back("ORDEN");
  EXPECT_EQ(ReadRows(bench.table("DIASHORAST2.DBF"), workFields),
            Week({{"1", "T2", "2a", "09:15", "10:10", "55"},
                  {"2", "T1", "1a", "08:20", "09:15", "55"},
                  {"3", "T3", "Recreo", "10:10", "10:40", "30"}},
                 true, {"555", "500", "610"}));
  EXPECT_EQ(ReadRows(bench.table("PERIODOS.DBF"), kPeriodFields),
            (std::vector<Values>{{"J1", "Jornada ordinaria", "15/09/2024", "22/06/2025"}}));
}

TEST(DayPlans, ThePersonChoosesAmongSeveralPlans) {
  InboundBench bench;
  DocumentBuilder document;
  document
      .block("JORNADAS_ESCOLARES", {{"A", "Mañana", "01/09/2024", "30/06/2025"},
                                    {"B", "Tarde", "01/09/2024", "30/06/2025"},
                                    {"A", "Mañana bis", "02/09/2024"}})  // three values: no end date
      .block("TRAMOS_HORARIOS", {
                                    {"S1", "1a", "540", "600", "A"},
                                    {"S2", "x", "no", "número", "B"},  // not converted: another plan
                                    {"S3", "3a", " 480 ", "540", " A "},
                                    {"S4", "4a", "540", "545", "A"},  // same start as S1
                                    {"S5", "neg", "600", "590", "A"},
                                    {"S6", "Etiqueta de veinte c", "0", "1439", "A"},
                                    {"S7"},          // one value: skipped, the counter stays
                                    {"S8", "solo"},  // two values: no plan code
                                    {"S9", "cuatro", "600", "660"},  // four values: no plan code
                                });
  document.write(bench.document());
  FixedDayPlan dayPlan(" \tA\r\n");
  const auto result = enlazora::inbound::RunInbound(bench.request(), dayPlan);
  EXPECT_EQ(dayPlan.questions, 1);
  EXPECT_EQ(dayPlan.askedAbout, bench.document());
  EXPECT_EQ(result.chosenPlan, "A");

  EXPECT_EQ(ReadRows(bench.table("DIASHORAST.DBF"), kGridFields),
            Week({{"1", "S6", "Etiqueta de vei", "00:00", "23:59", "1439"},
                  {"2", "S3", "3a", "08:00", "09:00", "60"},
                  {"3", "S1", "1a", "09:00", "10:00", "60"},
                  {"3", "S4", "4a", "09:00", "09:05", "5"},
                  {"4", "S5", "neg", "10:00", "09:50", "-10"}}));
  EXPECT_EQ(ReadRows(bench.table("DIASHORAST2.DBF"), {"HORA", "CODDIHO", "ORDEN"}).size(), 35u);
  const auto counters = ReadRows(bench.table("DIASHORAST2.DBF"), {"HORA", "CODDIHO"});
  EXPECT_EQ(counters[7], (Values{"3", "S3"}));   // S2 advanced the counter
  EXPECT_EQ(counters[28], (Values{"6", "S6"}));  // S7 did not
  EXPECT_EQ(ReadRows(bench.table("PERIODOS.DBF"), kPeriodFields),
            (std::vector<Values>{{"A", "Mañana", "01/09/2024", "30/06/2025"}, {"A", "Mañana bis", "02/09/2024", ""}}));
}

TEST(DayPlans, ChoicesThatMatchLittle) {
  struct Case {
    std::string name;
    std::vector<Values> plans, slots;
    std::string answer;
    std::size_t gridRows, periodRows;
    int questions;
  };
  const std::vector<Case> cases = {
      // One plan: no question, and only its own slots are copied.
      {"one plan", {{"J1", "N", "a", "b"}}, {{"T1", "1a", "480", "540", "J2"}}, "", 0, 1, 0},
      // A plan without slots still gets its period row.
      {"no slots", {{"J1", "N", "a", "b"}, {"J2", "M", "a", "b"}}, {}, "J2", 0, 1, 1},
      // A typed code that no plan has: no period, its slots all the same.
      {"typed code", {{"A", "N", "a", "b"}, {"B", "M", "a", "b"}}, {{"T1", "1a", "480", "540", "Z"}}, "Z", 7, 0, 1},
      // The person's answer is Windows-1252 text, like the document's values.
      {"accented code", {{"MAÑANA", "N", "a", "b"}, {"TARDE", "M", "a", "b"}},
       {{"T1", "1a", "480", "540", "MAÑANA"}}, "MA\xD1" "ANA", 7, 1, 1},
      // Codes differ in letter case.
      {"letter case", {{"A", "N", "a", "b"}, {"B", "M", "a", "b"}}, {{"T1", "1a", "480", "540", "A"}}, "a", 0, 0, 1},
  };
  for (const auto& c : cases) {
    InboundBench bench;
    DocumentBuilder document;
    document.block("JORNADAS_ESCOLARES", c.plans).block("TRAMOS_HORARIOS", c.slots);
    document.write(bench.document());
    FixedDayPlan dayPlan(c.answer);
    enlazora::inbound::RunInbound(bench.request(), dayPlan);
    EXPECT_EQ(ReadRows(bench.table("DIASHORAST.DBF"), {"DIHO"}).size(), c.gridRows) << c.name;
    EXPECT_EQ(ReadRows(bench.table("DIASHORAST2.DBF"), {"DIHO"}).size(), c.gridRows) << c.name;
    EXPECT_EQ(ReadRows(bench.table("PERIODOS.DBF"), {"CJORNADA"}).size(), c.periodRows) << c.name;
    EXPECT_EQ(dayPlan.questions, c.questions) << c.name;
  }
}
