#include "inbound/StepContext.h"

#include <algorithm>

namespace enlazora::inbound {

void StepContext::noteRows(const std::string& table, std::size_t rows) {
  auto found = std::find_if(written.begin(), written.end(), [&](const TableRows& t) { return t.table == table; });
  if (found == written.end())
    written.push_back({table, rows});
  else
    found->rows += rows;
}

}  // namespace enlazora::inbound
