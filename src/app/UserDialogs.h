#pragma once
// Everything a run asks of the person at the window: the file dialog, the
// one-button message boxes and the day-plan choice. The window talks to this
// interface; QtUserDialogs shows the real dialogs, tests answer in their
// place.
#include <QString>
#include <optional>
#include <string>

class QFileDialog;
class QWidget;

namespace enlazora::app {

// Caption of every message box of the program.
inline constexpr const char* kApplicationTitle = "Enlazora";

class UserDialogs {
 public:
  virtual ~UserDialogs() = default;
  // Shows the file dialog; the confirmed file (full path), nothing when
  // cancelled.
  virtual std::optional<QString> askForFile(QFileDialog& dialog) = 0;
  // A modal message with one acknowledging button.
  virtual void showMessage(QWidget* owner, const QString& text) = 0;
  // An error that stopped something, as the toolkit's error box shows it.
  virtual void showError(QWidget* owner, const QString& text) = 0;
  // The day-template dialog over the document; the chosen plan code
  // (Windows-1252).
  virtual std::string chooseDayPlan(QWidget* owner, const QString& document) = 0;
};

class QtUserDialogs : public UserDialogs {
 public:
  std::optional<QString> askForFile(QFileDialog& dialog) override;
  void showMessage(QWidget* owner, const QString& text) override;
  void showError(QWidget* owner, const QString& text) override;
  std::string chooseDayPlan(QWidget* owner, const QString& document) override;
};

}  // namespace enlazora::app
