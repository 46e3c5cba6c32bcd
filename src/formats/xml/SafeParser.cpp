#include "formats/xml/SafeParser.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

#include <memory>
#include <mutex>
#include <optional>

#include "formats/xml/BlankText.h"
#include "formats/xml/DocumentMessages.h"
#include "formats/xml/EncodingNames.h"
#include "formats/xml/ExchangeDocument.h"
#include "formats/xml/FileSource.h"
#include "formats/xml/ParseFault.h"
#include "formats/xml/ScopedErrorHandler.h"

namespace enlazora::formats {
namespace {

// No network, no DTD loading, no entity substitution, no XInclude, and no
// XML_PARSE_HUGE: libxml2's limits on nesting and text size stay in force.
// Faults are collected through the error handler below, not printed.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

// What one parse has met, reached from libxml2's callbacks.
struct ParseState {
  std::optional<ParseFault> firstFault;
  std::optional<ParseFault> encodingFault;
  std::optional<int> entityLine;
  bool reachedOutside = false;
};

// Set while this thread parses an exchange file: the entity loader then
// refuses every external resource.
thread_local ParseState* tParsing = nullptr;
xmlExternalEntityLoader gOtherLoader = nullptr;

std::string textOf(const char* text) { return text != nullptr ? std::string(text) : std::string(); }

xmlParserInputPtr refuseExternalResources(const char* url, const char* id, xmlParserCtxtPtr context) {
  if (tParsing != nullptr) {
    tParsing->reachedOutside = true;
    return nullptr;
  }
  return gOtherLoader != nullptr ? gOtherLoader(url, id, context) : nullptr;
}

void prepareLibxml2() {
  static std::once_flag once;
  std::call_once(once, [] {
    xmlInitParser();
    gOtherLoader = xmlGetExternalEntityLoader();
    xmlSetExternalEntityLoader(refuseExternalResources);
  });
}

ParseFault faultOf(const xmlError& error) {
  ParseFault fault;
  fault.domain = error.domain;
  fault.code = error.code;
  fault.line = error.line;
  fault.column = error.int2;
  fault.relatedLine = error.int1;
  fault.subject = textOf(error.str1);
  fault.otherName = textOf(error.str2);
  fault.parserText = textOf(error.message);
  return fault;
}

bool nestingLimitReached(const xmlError& error) {
  const auto* context = static_cast<const xmlParserCtxt*>(error.ctxt);
  return error.code == XML_ERR_INTERNAL_ERROR && context != nullptr &&
         static_cast<unsigned>(context->nameNr) >= xmlParserMaxDepth;
}

void collectFault(void* data, xmlErrorPtr error) {
  auto* state = static_cast<ParseState*>(data);
  if (error == nullptr || error->level != XML_ERR_FATAL) return;
  ParseFault fault = faultOf(*error);
  fault.tooDeep = nestingLimitReached(*error);
  if (IsEncodingFault(fault)) {
    if (!state->encodingFault) state->encodingFault = std::move(fault);
  } else if (!state->firstFault) {
    state->firstFault = std::move(fault);
  }
}

void stopAtEntity(xmlParserCtxtPtr context) {
  auto* state = static_cast<ParseState*>(context->_private);
  if (!state->entityLine) state->entityLine = context->input != nullptr ? context->input->line : 0;
  xmlStopParser(context);
}

void refuseEntityDeclaration(void* context, const xmlChar*, int, const xmlChar*, const xmlChar*, xmlChar*) {
  stopAtEntity(static_cast<xmlParserCtxtPtr>(context));
}

void refuseUnparsedEntity(void* context, const xmlChar*, const xmlChar*, const xmlChar*, const xmlChar*) {
  stopAtEntity(static_cast<xmlParserCtxtPtr>(context));
}

// While it lives, this thread's libxml2 faults go to the parse state and the
// entity loader refuses every external resource.
class ParseGuard {
 public:
  explicit ParseGuard(ParseState& state) : errors_(&state, collectFault) { tParsing = &state; }
  ~ParseGuard() { tParsing = nullptr; }
  ParseGuard(const ParseGuard&) = delete;
  ParseGuard& operator=(const ParseGuard&) = delete;

 private:
  ScopedErrorHandler errors_;
};

struct ContextDeleter {
  void operator()(xmlParserCtxtPtr context) const { xmlFreeParserCtxt(context); }
};
struct DocDeleter {
  void operator()(xmlDocPtr doc) const { xmlFreeDoc(doc); }
};
using ContextHandle = std::unique_ptr<xmlParserCtxt, ContextDeleter>;
using DocHandle = std::unique_ptr<xmlDoc, DocDeleter>;

ContextHandle newGuardedContext(ParseState& state) {
  ContextHandle context(xmlNewParserCtxt());
  if (!context || context->sax == nullptr) throw std::bad_alloc();
  context->sax->entityDecl = refuseEntityDeclaration;
  context->sax->unparsedEntityDecl = refuseUnparsedEntity;
  context->_private = &state;
  return context;
}

void rejectFaults(const std::filesystem::path& file, const ParseState& state, const FileSource& source) {
  if (state.entityLine) throw DocumentError(messages::DeclaresEntities(file, *state.entityLine));
  if (source.readErrorNumber() != 0) throw DocumentError(messages::FileNotReadable(file, source.readErrorNumber()));
  if (state.reachedOutside) throw DocumentError(messages::ReachesOutside(file));
  // A byte that does not fit the encoding makes the parser stop further on
  // with a fault of its own; the encoding is the reason to report, at the
  // position where the parser stopped.
  ParseFault fault = state.encodingFault.value_or(state.firstFault.value_or(ParseFault{}));
  if (fault.line == 0 && state.firstFault) {
    fault.line = state.firstFault->line;
    fault.column = state.firstFault->column;
  }
  throw DocumentError(messages::NotWellFormed(file, fault.line, fault.column, ParseFaultReason(fault)));
}

}  // namespace

xmlDoc* ParseExchangeFile(const std::filesystem::path& file, AdaptHandlers adapt) {
  prepareLibxml2();
  FileSource source(file);
  if (source.empty()) throw DocumentError(messages::FileEmpty(file));
  if (source.looksBinary()) throw DocumentError(messages::FileBinary(file));
  if (const auto encoding = DeclaredEncoding(source.head())) PreferSystemConverter(*encoding);

  ParseState state;
  ContextHandle context = newGuardedContext(state);
  if (adapt != nullptr) adapt(*context->sax);
  DocHandle doc;
  {
    ParseGuard guard(state);
    doc.reset(xmlCtxtReadIO(context.get(), FileSource::Read, nullptr, &source, nullptr, nullptr, kParseOptions));
  }
  const bool wellFormed = doc && context->wellFormed != 0;
  if (!wellFormed || state.entityLine || state.reachedOutside || state.encodingFault || source.readErrorNumber() != 0)
    rejectFaults(file, state, source);
  RequireSystemConverter(file, doc.get());
  RemoveBlankTextBetweenElements(doc.get());
  return doc.release();
}

}  // namespace enlazora::formats
