#pragma once
// The main window MForm: one button per conversion direction, close and help;
// stand-alone, or hosted inside a window of the host program when started
// with an action word and that window's handle.
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/HostCommand.h"

class QFileDialog;
class QLabel;
class QPushButton;

namespace enlazora {
class RunStopped;
}

namespace enlazora::app {

class GradientPanel;
class HelpKey;
class HostEmbedding;
class UserDialogs;

// Where the window finds its files and whom it asks; the program fills it from
// its command line and location, tests from their own scratch folders.
struct MainFormSetup {
  std::vector<std::string> arguments;  // without the program's own path, UTF-8
  std::filesystem::path programFolder;
  std::filesystem::path tableFolder;
  std::shared_ptr<UserDialogs> dialogs;         // the real dialogs when empty
  std::shared_ptr<HostEmbedding> embedding;     // the window system when empty
};

// The outcome flag reported to the host.
inline constexpr int kOutcomeNone = 0;
inline constexpr int kOutcomeCompleted = 1;
inline constexpr int kOutcomeNoFile = -1;

class TMForm : public QWidget {
  Q_OBJECT

 public:
  explicit TMForm(MainFormSetup setup, QWidget* parent = nullptr);
  ~TMForm() override;

  void BExportarClick();
  void BImportarClick();
  void Button1Click();

  int outcome() const { return outcome_; }
  int hostedIndicator() const { return hostedIndicator_; }
  bool hosted() const { return hostedIndicator_ == 2; }
  const QString& ArchivoXML() const { return ArchivoXML_; }
  const std::string& PlantillaElegida() const { return PlantillaElegida_; }
  // Whether the window has been closed (possibly before it was ever shown,
  // by a hosted run that ended inside the show handler).
  bool closed() const { return closed_; }

  void setVisible(bool visible) override;

 signals:
  // The window has closed: the program ends (a window inside a host's window
  // is no top-level window, so the toolkit would not end it by itself).
  void windowClosed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void FormShow();
  void FormClose();
  void buildControls();
  void placeOnScreen();
  void embedInHost(const HostCommand& command);

  // Shows the file dialog; a confirmed file becomes ArchivoXML.
  void askForExchangeFile();
  // Runs a conversion and ends it as the window ends every run.
  void runConversion(const std::function<void()>& conversion);
  void finishRun();
  void stopRun(const RunStopped& stop);
  void reportMissingFile(const QString& message);
  void showHelp(std::optional<int> context);

  MainFormSetup setup_;
  std::optional<HostCommand> command_;
  int hostedIndicator_ = 0;
  int outcome_ = kOutcomeNone;
  QString ArchivoXML_;
  std::string PlantillaElegida_;
  bool showHandled_ = false;
  bool closed_ = false;
  std::unique_ptr<HelpKey> helpKey_;

  GradientPanel* Draw3D1 = nullptr;
  GradientPanel* Draw3D2 = nullptr;
  QPushButton* BExportar = nullptr;
  QPushButton* BClose = nullptr;
  QLabel* Label3 = nullptr;
  GradientPanel* Draw3D3 = nullptr;
  QLabel* Label4 = nullptr;
  QPushButton* BImportar = nullptr;
  QFileDialog* OpenDialogXML = nullptr;
  QLabel* Label1 = nullptr;
  QPushButton* Button1 = nullptr;
};

}  // namespace enlazora::app
