#include "formats/xml/TextContent.h"

namespace enlazora::formats {

bool IsBlankText(std::string_view utf8) {
  for (const char c : utf8)
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
  return true;
}

TextContent::TextContent() { frames_.emplace_back(); }

void TextContent::startElement() {
  endText();
  Frame& parent = frames_.back();
  if (!parent.holdsElements) {
    parent.holdsElements = true;
    for (auto blank = parent.blankTexts.rbegin(); blank != parent.blankTexts.rend(); ++blank)
      parent.content.erase(blank->first, blank->second);
    parent.blankTexts.clear();
  }
  frames_.emplace_back();
}

bool TextContent::endElement() {
  endText();
  if (frames_.size() == 1) return true;
  std::string ended = std::move(frames_.back().content);
  frames_.pop_back();
  frames_.back().content += ended;
  return false;
}

void TextContent::characters(std::string_view utf8) {
  pendingText_ += utf8;
  inText_ = true;
}

void TextContent::cdata(std::string_view utf8) {
  endText();
  frames_.back().content += utf8;
}

void TextContent::otherNode() { endText(); }

void TextContent::endText() {
  if (!inText_) return;
  Frame& frame = frames_.back();
  if (!IsBlankText(pendingText_)) {
    frame.content += pendingText_;
  } else if (!frame.holdsElements) {
    frame.blankTexts.emplace_back(frame.content.size(), pendingText_.size());
    frame.content += pendingText_;
  }
  pendingText_.clear();
  inText_ = false;
}

}  // namespace enlazora::formats
