#pragma once
// Help: the compiled help file "QUIRENDA.chm" beside the program, opened at
// its table of contents (help button) or at help context 3 (F1).
#include <QString>
#include <filesystem>
#include <optional>

class QWidget;

namespace enlazora::app {

inline constexpr int kHelpContext = 3;

struct HelpTopic {
  std::optional<int> context;  // nothing: the table of contents
};

// Opens the help file of the folder at the topic. On Windows the HTML Help
// viewer; elsewhere an installed viewer (xchm or kchmviewer on the PATH),
// started on its own. Gives a Spanish message when there is no help file or
// no viewer, nothing when the viewer was started.
std::optional<QString> ShowHelp(QWidget* owner, const std::filesystem::path& programFolder, HelpTopic topic);

}  // namespace enlazora::app
