#pragma once
// Synthetic schools for the benchmarks: an exchange document as the platform
// exports it, and the level reference table that matches its course offers.
// At scale 1 a school has 150 staff, 600 subject records over 40 course
// offers, 30 activities, 60 rooms, 40 class units and 3 day plans with 8 time
// slots each; every count grows with the scale. Names are Spanish, with
// accents; the same scale always gives the same document.
#include <cstddef>
#include <filesystem>
#include <string>

namespace enlazora::bench {

struct SchoolSize {
  std::size_t staff, subjectRecords, courseOffers, activities, rooms, classUnits, dayPlans, slotsPerPlan;
  std::size_t records() const {
    return staff + subjectRecords + courseOffers + activities + rooms + classUnits + dayPlans + dayPlans * slotsPerPlan;
  }
};

SchoolSize SizeAtScale(int scale);

// The document's XML text (UTF-8, with its declaration).
std::string GenerateExchangeDocument(int scale);

// Writes NIVELLARI.DBF for the course offers of that scale (a few offers are
// left out, as in a real catalogue that lags behind).
void WriteLevelTable(int scale, const std::filesystem::path& file);

// The code of the first day plan, "JORN1".
std::string FirstDayPlan();

}  // namespace enlazora::bench
