#pragma once
// White-space-only text between elements is layout, not data: an element that
// holds elements loses its white-space-only text children, so that the first
// child of an element in an indented file is its first element. A lone text
// (the content of a value) stays whatever it holds.
using xmlDoc = struct _xmlDoc;

namespace enlazora::formats {

void RemoveBlankTextBetweenElements(xmlDoc* doc);

}  // namespace enlazora::formats
