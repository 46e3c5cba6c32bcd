// The chosen documents that the outbound_document fuzz target found
// (fixtures/fuzz), over the path it takes them: the outbound run with table
// values that need escaping and characters some encodings lack. Each run
// either stops with its message or writes a result that libxml2 reads and
// that gives those values back.
#include <gtest/gtest.h>

#include <algorithm>
#include <exception>
#include <string>

#include "outbound/support/OutboundFixture.h"

namespace enlazora::testing {
namespace {
namespace fs = std::filesystem;

TEST(FuzzFindings, OutboundDocumentsWriteReadableResultsOrStop) {
  const fs::path fixtures = TestsFile("outbound/fixtures/fuzz");
  ASSERT_TRUE(fs::is_directory(fixtures));
  for (const auto& entry : fs::directory_iterator(fixtures)) {
    SCOPED_TRACE(entry.path().filename().string());
    OutboundScene scene;
    // Windows-1252: an ampersand, a less-than sign, a quote and the euro
    // sign; an o-e ligature, a control character and a CDATA end.
    scene.school.tables["PROFT"].rows[0] = {{"ABREV", "GLA"}, {"X_EMPLEADO", "E1&<\"\x80"}, {"F_TOMAPOS", "01"}};
    scene.school.tables["PROFT"].rows[1] = {{"ABREV", "MPR"}, {"X_EMPLEADO", "\x9C\x01]]>"}, {"F_TOMAPOS", "02"}};
    fs::copy_file(entry.path(), scene.document, fs::copy_options::overwrite_existing);
    try {
      scene.run();
    } catch (const std::exception& stopped) {
      EXPECT_FALSE(fs::exists(scene.result)) << stopped.what();
      continue;
    }
    const auto lines = FlattenDocument(scene.result);
    for (const std::string value : {"X_EMPLEADO=E1&<\"\xE2\x82\xAC", "X_EMPLEADO=\xC5\x93]]>"})
      EXPECT_NE(std::find(lines.begin(), lines.end(), value), lines.end()) << value;
  }
}

}  // namespace
}  // namespace enlazora::testing
