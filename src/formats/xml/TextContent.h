#pragma once
// The text content of one element met as a stream of parser events, as the
// loaded tree gives it: the text of all its descendants, in document order,
// once white-space-only text has been dropped from every element that also
// holds elements (as loading does, BlankText.h). Comments and processing
// instructions hold no text content but, like entity references, end the
// text before them.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace enlazora::formats {

class TextContent {
 public:
  // Begins inside the element itself.
  TextContent();

  void startElement();
  // True when the element itself has ended; text() is then complete.
  bool endElement();
  void characters(std::string_view utf8);
  void cdata(std::string_view utf8);
  // A comment, processing instruction or entity reference.
  void otherNode();

  // UTF-8.
  std::string& text() { return frames_.front().content; }

 private:
  // One open element: its content so far and, while it holds no element,
  // where its white-space-only texts lie in that content.
  struct Frame {
    std::string content;
    std::vector<std::pair<std::size_t, std::size_t>> blankTexts;
    bool holdsElements = false;
  };
  void endText();

  std::vector<Frame> frames_;
  std::string pendingText_;  // one text node, built from consecutive characters
  bool inText_ = false;
};

// Only blanks, tabs, carriage returns and line feeds (no text at all counts).
bool IsBlankText(std::string_view utf8);

}  // namespace enlazora::formats
