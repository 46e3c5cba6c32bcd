#pragma once
// Crossing between the window's Unicode texts and the core's texts: Windows-
// 1252 for document values and table texts, UTF-8 for messages, native
// encoding for paths.
#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace enlazora::app {

QString FromAnsi(std::string_view ansi);
std::string ToAnsi(const QString& text);

// A message of the core: UTF-8, or Windows-1252 where a value of a table or
// document made its way into it undecoded.
QString FromMessage(std::string_view message);

std::filesystem::path ToPath(const QString& file);
QString FromPath(const std::filesystem::path& file);

}  // namespace enlazora::app
