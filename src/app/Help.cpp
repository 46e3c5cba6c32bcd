#include "app/Help.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QWidget>
#include <system_error>

#include "app/ProgramFiles.h"
#include "app/UiText.h"

#ifdef _WIN32
#include <windows.h>
// The HTML Help API (htmlhelp.h, htmlhelp.lib).
#include <htmlhelp.h>
#endif

namespace enlazora::app {
namespace {

QString MissingHelpFile(const std::filesystem::path& file) {
  return QStringLiteral("No se encuentra el archivo de ayuda %1.").arg(FromPath(file));
}

#ifndef _WIN32
// The viewer's program and arguments for the topic, or nothing when no viewer
// is installed.
std::optional<std::pair<QString, QStringList>> ViewerCommand(const QString& helpFile, HelpTopic topic) {
  if (const QString xchm = QStandardPaths::findExecutable(QStringLiteral("xchm")); !xchm.isEmpty()) {
    QStringList arguments;
    if (topic.context) arguments << QStringLiteral("-c") << QString::number(*topic.context);
    arguments << helpFile;
    return std::make_pair(xchm, arguments);
  }
  if (const QString kchm = QStandardPaths::findExecutable(QStringLiteral("kchmviewer")); !kchm.isEmpty()) {
    return std::make_pair(kchm, QStringList{helpFile});
  }
  return std::nullopt;
}
#endif

}  // namespace

std::optional<QString> ShowHelp(QWidget* owner, const std::filesystem::path& programFolder, HelpTopic topic) {
  const std::filesystem::path file = FileInFolder(programFolder, kHelpFileName);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return MissingHelpFile(file);
#ifdef _WIN32
  const HWND window = owner ? reinterpret_cast<HWND>(owner->window()->winId()) : nullptr;
  const HWND viewer = topic.context
                          ? HtmlHelpW(window, file.c_str(), HH_HELP_CONTEXT, static_cast<DWORD_PTR>(*topic.context))
                          : HtmlHelpW(window, file.c_str(), HH_DISPLAY_TOC, 0);
  if (!viewer) return QStringLiteral("No se pudo abrir la ayuda %1.").arg(FromPath(file));
  return std::nullopt;
#else
  (void)owner;
  const auto command = ViewerCommand(FromPath(file), topic);
  if (!command) {
    return QStringLiteral(
        "No hay ningún visor de ayuda instalado para abrir %1. Instale xchm o kchmviewer.")
        .arg(FromPath(file));
  }
  if (!QProcess::startDetached(command->first, command->second)) {
    return QStringLiteral("No se pudo abrir la ayuda con %1.").arg(command->first);
  }
  return std::nullopt;
#endif
}

}  // namespace enlazora::app
