#include "app/UiText.h"

#include <QFile>
#include <QStringDecoder>

#include "text/Windows1252.h"

namespace enlazora::app {

QString FromAnsi(std::string_view ansi) { return QString::fromStdString(text::AnsiToUtf8(ansi)); }

std::string ToAnsi(const QString& text) { return text::Utf8ToAnsi(text.toStdString()); }

QString FromMessage(std::string_view message) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString decoded = utf8.decode(QByteArrayView(message.data(), static_cast<qsizetype>(message.size())));
  if (!utf8.hasError()) return decoded;
  return FromAnsi(message);
}

std::filesystem::path ToPath(const QString& file) {
#ifdef _WIN32
  return std::filesystem::path(file.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(file).toStdString());
#endif
}

QString FromPath(const std::filesystem::path& file) {
#ifdef _WIN32
  return QString::fromStdWString(file.wstring());
#else
  return QFile::decodeName(QByteArray::fromStdString(file.string()));
#endif
}

}  // namespace enlazora::app
