#include "formats/xml/BlankText.h"

#include <libxml/tree.h>

namespace enlazora::formats {
namespace {

bool isBlankText(const xmlNode* node) {
  if (node->type != XML_TEXT_NODE || node->content == nullptr) return false;
  for (const xmlChar* c = node->content; *c != 0; ++c)
    if (*c != ' ' && *c != '\t' && *c != '\r' && *c != '\n') return false;
  return true;
}

bool holdsElements(const xmlNode* node) {
  for (const xmlNode* child = node->children; child != nullptr; child = child->next)
    if (child->type == XML_ELEMENT_NODE) return true;
  return false;
}

void removeBlankChildren(xmlNode* node) {
  xmlNode* child = node->children;
  while (child != nullptr) {
    xmlNode* next = child->next;
    if (isBlankText(child)) {
      xmlUnlinkNode(child);
      xmlFreeNode(child);
    }
    child = next;
  }
}

// Depth is bounded by the parser's nesting limit, so recursion is safe.
void cleanElement(xmlNode* element) {
  if (holdsElements(element)) removeBlankChildren(element);
  for (xmlNode* child = element->children; child != nullptr; child = child->next)
    if (child->type == XML_ELEMENT_NODE) cleanElement(child);
}

}  // namespace

void RemoveBlankTextBetweenElements(xmlDoc* doc) {
  for (xmlNode* node = doc->children; node != nullptr; node = node->next)
    if (node->type == XML_ELEMENT_NODE) cleanElement(node);
}

}  // namespace enlazora::formats
