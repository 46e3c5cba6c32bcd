// The documents that the document_streaming fuzz target found
// (fixtures/fuzz), over the path it takes them: read and rewritten both as
// the element tree and by the one-pass reader and writer. Both refuse the
// same files with the same message, read the same values and write the same
// bytes.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "formats/xml/ExchangeDocument.h"
#include "formats/xml/StreamWriter.h"
#include "formats/xml/StreamedDocument.h"
#include "support/TestSupport.h"

namespace enlazora::formats {
namespace {
namespace fs = std::filesystem;
using enlazora::testing::ReadBytes;
using enlazora::testing::TempFolder;
using enlazora::testing::TestsFile;

template <typename Load>
auto Loaded(Load load, std::string& refusal) -> std::optional<decltype(load())> {
  try {
    return load();
  } catch (const DocumentError& error) {
    refusal = error.what();
    return std::nullopt;
  }
}

std::vector<std::vector<std::string>> Values(const std::vector<Record>& records) {
  std::vector<std::vector<std::string>> values;
  for (const auto& record : records) {
    values.emplace_back();
    for (std::size_t k = 0; k < record.size(); ++k) values.back().push_back(record.value(k));
  }
  return values;
}

template <typename Root>
void BuildNewContent(Root root, const std::string& schoolYear) {
  root.setAttribute("modulo", "HORARIOS");
  auto value = root.appendElement("BLOQUE_DATOS").appendElement("grupo_datos");
  value.setAttribute("seq", "ANNO_ACADEMICO");
  value.appendElement("dato").setText(schoolYear + " \x80 \x9C & <b> ]]>");
}

TEST(FuzzFindings, TreeAndStreamReadAndWriteTheSame) {
  const fs::path fixtures = TestsFile("formats/fixtures/fuzz");
  ASSERT_TRUE(fs::is_directory(fixtures));
  for (const auto& entry : fs::directory_iterator(fixtures)) {
    SCOPED_TRACE(entry.path().filename().string());
    TempFolder folder;
    const auto input = folder / "entrada.xml";
    fs::copy_file(entry.path(), input);
    std::string treeRefusal, streamRefusal;
    auto tree = Loaded([&] { return ExchangeDocument::load(input); }, treeRefusal);
    auto stream = Loaded([&] { return StreamedDocument::load(input); }, streamRefusal);
    EXPECT_EQ(treeRefusal, streamRefusal);
    if (!tree || !stream) continue;
    for (const char* block : {"ANNO_ACADEMICO", "EMPLEADOS", "MATERIAS"})
      EXPECT_EQ(Values(tree->records(block)), Values(stream->records(block))) << block;
    ASSERT_EQ(tree->firstDataChildText(), stream->firstDataChildText());

    const std::string year = tree->firstDataChildText().value_or("");
    BuildNewContent(tree->replaceRoot("SERVICIO"), year);
    tree->save(folder / "arbol.xml");
    StreamWriter writer(*stream, folder / "flujo.xml");
    BuildNewContent(writer.root("SERVICIO"), year);
    writer.finish();
    EXPECT_EQ(ReadBytes(folder / "flujo.xml"), ReadBytes(folder / "arbol.xml"));
  }
}

}  // namespace
}  // namespace enlazora::formats
