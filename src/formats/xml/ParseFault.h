#pragma once
// The first fault that the parser met in a file, kept apart from libxml2's own
// error record so that it outlives the parse, and its Spanish wording.
#include <string>

namespace enlazora::formats {

struct ParseFault {
  int domain = 0;
  int code = 0;
  int line = 0;
  int column = 0;
  int relatedLine = 0;     // the line of the element a fault refers to
  std::string subject;     // the name or bytes the fault refers to (UTF-8)
  std::string otherName;   // a second name (the closing tag of a mismatch)
  std::string parserText;  // libxml2's English message, to tell faults apart
  bool tooDeep = false;    // the parser's nesting limit was reached
};

// Why the text is not XML, in Spanish, without a final full stop.
std::string ParseFaultReason(const ParseFault& fault);

// Whether the fault is about bytes that do not fit the document's encoding.
bool IsEncodingFault(const ParseFault& fault);

}  // namespace enlazora::formats
