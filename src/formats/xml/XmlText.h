#pragma once
// Text and names on their way into a written document: the program's
// Windows-1252 text becomes the UTF-8 that libxml2 holds.
#include <string>
#include <string_view>

namespace enlazora::formats {

// Characters that XML 1.0 cannot hold at all (C0 controls other than tab,
// line feed and carriage return) are dropped rather than written into a file
// that no reader would accept.
std::string XmlTextOf(std::string_view ansi);

// A tag or attribute name as UTF-8. A name that XML does not allow raises
// DocumentError with the text that `message` makes of it.
std::string XmlNameOf(std::string_view ansiName, std::string (*message)(std::string_view));

}  // namespace enlazora::formats
