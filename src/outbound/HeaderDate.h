#pragma once
// The moment the document was written, as its root's attribute fecha carries
// it: the date in the user's short date format, one blank, the time in the
// user's long time format.
#include <ctime>
#include <string>

namespace enlazora::outbound {

// On Windows the formats are the user's regional settings; elsewhere they are
// %x and %X of the program's LC_TIME locale. Windows-1252 text.
std::string FechaText(const std::tm& moment);

}  // namespace enlazora::outbound
