// Any bytes as an exchange document, read and rewritten both ways: the
// element tree (ExchangeDocument) and the one-pass reader and writer
// (StreamedDocument, StreamWriter). Both must refuse the same files with the
// same message, read the same values, and write the same bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "formats/xml/ExchangeDocument.h"
#include "formats/xml/StreamWriter.h"
#include "formats/xml/StreamedDocument.h"
#include "support/FuzzSupport.h"

using namespace enlazora;
using formats::DocumentError;

namespace {

const char* const kBlocks[] = {"ANNO_ACADEMICO", "MATERIAS", "ACTIVIDADES", "EMPLEADOS", "DEPENDENCIAS",
                               "CURSOS_DEL_CENTRO", "UNIDADES", "JORNADAS_ESCOLARES", "TRAMOS_HORARIOS"};

[[noreturn]] void Differ(const char* what) {
  std::fprintf(stderr, "tree and stream differ: %s\n", what);
  std::abort();
}

template <typename Load>
auto Loaded(Load load, std::string& refusal) -> std::optional<decltype(load())> {
  try {
    return load();
  } catch (const DocumentError& error) {
    refusal = error.what();
    return std::nullopt;
  }
}

bool SameValues(const std::vector<formats::Record>& tree, const std::vector<formats::Record>& stream) {
  if (tree.size() != stream.size()) return false;
  for (std::size_t record = 0; record < tree.size(); ++record) {
    if (tree[record].size() != stream[record].size()) return false;
    for (std::size_t value = 0; value < tree[record].size(); ++value)
      if (tree[record].value(value) != stream[record].value(value)) return false;
  }
  return true;
}

// The same calls on a tree element or a streamed one: a header, the school
// year, and values that need escaping, that some encodings lack, or that no
// XML document can hold.
template <typename Root>
void BuildNewContent(Root root, const std::string& schoolYear) {
  root.setAttribute("modulo", "HORARIOS");
  root.setAttribute("fecha", "24/12/2025 13:45:07 & <\"'>");
  auto container = root.appendElement("BLOQUE_DATOS");
  auto year = container.appendElement("grupo_datos");
  year.setAttribute("seq", "ANNO_ACADEMICO");
  auto value = year.appendElement("dato");
  value.setAttribute("nombre_dato", "C_ANNO");
  value.setText(schoolYear);
  auto block = container.appendElement("grupo_datos");
  block.setAttribute("seq", "HORARIOS_REGULARES");
  block.setAttribute("registros", "1");
  auto record = block.appendElement("grupo_datos");
  record.appendElement("dato").setText("Matem\xE1ticas \x80 \x9C & <b> ]]> \x01\t\r\n");
  record.appendElement("dato");
  record.appendElement("dato").setText("");
}

std::string Bytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What the write raises, or "" when it completes.
template <typename Write>
std::string WriteRefusal(Write write) {
  try {
    write();
    return {};
  } catch (const DocumentError& error) {
    return error.what();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto input = fuzzing::ScratchFolder() / "entrada.xml";
  const auto treeFile = fuzzing::ScratchFolder() / "arbol.xml";
  const auto streamFile = fuzzing::ScratchFolder() / "flujo.xml";
  fuzzing::WriteFile(input, data, size);

  std::string treeRefusal, streamRefusal;
  auto tree = Loaded([&] { return formats::ExchangeDocument::load(input); }, treeRefusal);
  auto stream = Loaded([&] { return formats::StreamedDocument::load(input); }, streamRefusal);
  if (treeRefusal != streamRefusal) Differ("refusal");
  if (!tree) return 0;

  for (const char* block : kBlocks)
    if (!SameValues(tree->records(block), stream->records(block))) Differ("records");
  const auto schoolYear = tree->firstDataChildText();
  if (schoolYear != stream->firstDataChildText()) Differ("first data child");

  std::filesystem::remove(treeFile);
  std::filesystem::remove(streamFile);
  const std::string year = schoolYear.value_or("");
  const auto treeWrite = WriteRefusal([&] {
    BuildNewContent(tree->replaceRoot("SERVICIO"), year);
    tree->save(treeFile);
  });
  const auto streamWrite = WriteRefusal([&] {
    formats::StreamWriter writer(*stream, streamFile);
    BuildNewContent(writer.root("SERVICIO"), year);
    writer.finish();
  });
  // Messages name the file written: compare them without it.
  const auto withoutFile = [](std::string message, const std::filesystem::path& file) {
    const auto at = message.find(file.string());
    if (at != std::string::npos) message.erase(at, file.string().size());
    return message;
  };
  if (withoutFile(treeWrite, treeFile) != withoutFile(streamWrite, streamFile)) Differ("write refusal");
  if (treeWrite.empty() && Bytes(treeFile) != Bytes(streamFile)) Differ("written bytes");
  return 0;
}
