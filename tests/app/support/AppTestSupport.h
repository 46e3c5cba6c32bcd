#pragma once
// Helpers of the desktop program's tests: dialogs answered by the test, an
// embedding that only records the host handle, answering the real modal
// dialogs, and a scratch place for a window to work in.
#include <QApplication>
#include <QFileDialog>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "app/HostEmbedding.h"
#include "app/MainForm.h"
#include "app/UserDialogs.h"
#include "support/TestSupport.h"

namespace enlazora::testing {

class FakeDialogs : public app::UserDialogs {
 public:
  // Answers of the file dialog in order; none left means "cancelled".
  std::deque<std::optional<QString>> files;
  std::string dayPlan;
  // Run while the file dialog or the day-plan question is "open".
  std::function<void(QFileDialog&)> whileFileDialog;
  std::function<void()> whileDayPlan;

  QStringList messages;
  QStringList errors;
  int fileQuestions = 0;
  int dayPlanQuestions = 0;
  QString dayPlanDocument;

  std::optional<QString> askForFile(QFileDialog& dialog) override {
    ++fileQuestions;
    if (whileFileDialog) whileFileDialog(dialog);
    std::optional<QString> answer;
    if (!files.empty()) {
      answer = std::move(files.front());
      files.pop_front();
    }
    return answer;
  }
  void showMessage(QWidget*, const QString& text) override { messages << text; }
  void showError(QWidget*, const QString& text) override { errors << text; }
  std::string chooseDayPlan(QWidget*, const QString& document) override {
    ++dayPlanQuestions;
    dayPlanDocument = document;
    if (whileDayPlan) whileDayPlan();
    return dayPlan;
  }
};

class FakeEmbedding : public app::HostEmbedding {
 public:
  bool hostExists = true;
  std::optional<std::uint32_t> handle;
  bool embed(QWidget&, std::uint32_t hostHandle) override {
    handle = hostHandle;
    return hostExists;
  }
};

// Calls `answer` with the next modal widget that opens (polling the modal
// stack), so that a test can drive the real dialogs of a run.
inline void AnswerNextModal(std::function<void(QWidget*)> answer, QWidget* previous = nullptr) {
  QTimer::singleShot(20, qApp, [answer = std::move(answer), previous]() mutable {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == previous) {
      AnswerNextModal(std::move(answer), previous);
      return;
    }
    answer(modal);
  });
}

// A place for a window to work: the program's folder (with its level
// reference table), the table folder and the exchange document.
class WindowBench {
 public:
  WindowBench();
  std::filesystem::path programFolder() const { return folder_ / "programa"; }
  std::filesystem::path tables() const { return folder_ / "HTEMP"; }
  std::filesystem::path document() const { return folder_ / "centro.xml"; }
  std::filesystem::path ini() const { return programFolder() / "Horalix.ini"; }
  QString documentName() const;

  std::shared_ptr<FakeDialogs> dialogs = std::make_shared<FakeDialogs>();
  std::shared_ptr<FakeEmbedding> embedding = std::make_shared<FakeEmbedding>();

  // A window with these arguments working in this place.
  std::unique_ptr<app::TMForm> window(const QStringList& arguments = {}) const;

  // Writes a document that every inbound step reads something from, with two
  // day plans (J1 and J2), so that the day plan is asked for.
  void writeSchoolWithTwoPlans() const;
  // Writes the host's tables and a document for the outbound run.
  void writeOutboundInputs() const;

 private:
  TempFolder folder_;
};

}  // namespace enlazora::testing
