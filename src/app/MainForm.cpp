#include "app/MainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <exception>
#include <system_error>

#include "app/Fonts.h"
#include "app/Glyphs.h"
#include "app/GradientPanel.h"
#include "app/Labels.h"
#include "app/Help.h"
#include "app/HostEmbedding.h"
#include "app/OutcomeReport.h"
#include "app/ProgramFiles.h"
#include "app/UiText.h"
#include "app/UserDialogs.h"
#include "app/WaitCursor.h"
#include "formats/Messages.h"
#include "formats/RunStopped.h"
#include "inbound/InboundRun.h"
#include "outbound/OutboundRun.h"

namespace enlazora::app {

// F1 anywhere in the program's windows asks for help context 3.
class HelpKey : public QObject {
 public:
  explicit HelpKey(std::function<void()> onHelp) : onHelp_(std::move(onHelp)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
        onHelp_();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> onHelp_;
};

namespace {

const Qt::WindowFlags kFramedWindow = Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                                      Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// The day-plan choice of the inbound run goes to the day-template dialog.
class DayPlanChooser : public inbound::InboundInteraction {
 public:
  DayPlanChooser(QWidget& owner, UserDialogs& dialogs) : owner_(owner), dialogs_(dialogs) {}
  std::string chooseDayPlan(const std::filesystem::path& document) override {
    return dialogs_.chooseDayPlan(&owner_, FromPath(document));
  }

 private:
  QWidget& owner_;
  UserDialogs& dialogs_;
};

bool IsExistingFile(const QString& file) {
  if (file.isEmpty()) return false;
  std::error_code error;
  return std::filesystem::is_regular_file(ToPath(file), error);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QIcon& icon, const QString& text, QRect geometry) {
  auto* button = new QPushButton(icon, text, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry);
  return button;
}

}  // namespace

TMForm::TMForm(MainFormSetup setup, QWidget* parent) : QWidget(parent, kFramedWindow), setup_(std::move(setup)) {
  if (!setup_.dialogs) setup_.dialogs = std::make_shared<QtUserDialogs>();
  if (!setup_.embedding) setup_.embedding = std::make_shared<NativeHostEmbedding>();
  setObjectName(QStringLiteral("MForm"));
  setWindowTitle(QStringLiteral("Exportar e importar datos entre Horalix y Quirenda"));
  setFont(WindowFont());
  setFixedSize(632, 266);
  buildControls();
  helpKey_ = std::make_unique<HelpKey>([this] { showHelp(kHelpContext); });
  qApp->installEventFilter(helpKey_.get());
  FormCreate();
}

TMForm::~TMForm() { qApp->removeEventFilter(helpKey_.get()); }

void TMForm::buildControls() {
  const QColor gold(0xF9, 0xD3, 0x7D);
  const QColor peach(0xFF, 0xEE, 0xDD);

  Draw3D1 = new GradientPanel(QColor(0xC2, 0xCD, 0xFE), QColor(0xCF, 0xF2, 0xFE), QColor(0xCC, 0xD8, 0xE6), this);
  Draw3D1->setObjectName(QStringLiteral("Draw3D1"));
  Draw3D1->setGeometry(0, 168, 633, 97);

  Draw3D2 = new GradientPanel(gold, Qt::white, peach, this);
  Draw3D2->setObjectName(QStringLiteral("Draw3D2"));
  Draw3D2->setGeometry(1, 0, 315, 169);

  const QIcon okGlyph = CheckMarkGlyph();
  BExportar = MakeButton(Draw3D2, "BExportar", okGlyph, QStringLiteral("Aceptar"), QRect(96, 120, 89, 25));
  BClose = MakeButton(Draw3D1, "BClose", style()->standardIcon(QStyle::SP_DialogCloseButton),
                      QStringLiteral("&Salir"), QRect(256, 32, 89, 25));
  Label3 = MakeLabel(Draw3D2, "Label3", QStringLiteral("Transformar datos desde Quirenda hacia Horalix "),
                     QRect(24, 24, 265, 57), ArialBold(16), Qt::black);

  Draw3D3 = new GradientPanel(gold, Qt::white, peach, this);
  Draw3D3->setObjectName(QStringLiteral("Draw3D3"));
  Draw3D3->setGeometry(316, 0, 317, 169);
  Label4 = MakeLabel(Draw3D3, "Label4", QStringLiteral("Transformar datos desde Horalix hacia Quirenda"),
                     QRect(8, 24, 305, 57), ArialBold(16), Qt::black);
  BImportar = MakeButton(Draw3D3, "BImportar", okGlyph, QStringLiteral("Aceptar"), QRect(96, 120, 89, 25));

  OpenDialogXML = new QFileDialog(this, QStringLiteral("Archivo XML"));
  OpenDialogXML->setObjectName(QStringLiteral("OpenDialogXML"));
  OpenDialogXML->setAcceptMode(QFileDialog::AcceptOpen);
  OpenDialogXML->setFileMode(QFileDialog::AnyFile);  // a typed name that does not exist is accepted
  OpenDialogXML->setNameFilter(QStringLiteral("*.xml"));
  OpenDialogXML->setDefaultSuffix(QStringLiteral("xml"));

  QFont versionFont = WindowFont(true);
  Label1 = MakeLabel(Draw3D1, "Label1", QStringLiteral("Enlazora para HX30 V-1.0"), QRect(8, 72, 226, 13),
                     versionFont, Qt::red);
  Button1 = MakeButton(Draw3D1, "Button1", QIcon(), QStringLiteral("F1 Ayuda"), QRect(263, 64, 75, 25));

  connect(BExportar, &QPushButton::clicked, this, [this] { BExportarClick(); });
  connect(BImportar, &QPushButton::clicked, this, [this] { BImportarClick(); });
  connect(BClose, &QPushButton::clicked, this, &QWidget::close);
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TMForm::FormCreate() {
  outcome_ = kOutcomeNone;
  command_ = HostCommandFrom(setup_.arguments);
  if (!command_) {
    placeOnScreen();
    return;
  }
  embedInHost(*command_);
  if (!hosted()) placeOnScreen();
}

void TMForm::embedInHost(const HostCommand& command) {
  std::uint32_t handle = 0;
  try {
    handle = ParseHostHandle(command.handleText);
  } catch (const HandleError& error) {
    setup_.dialogs->showError(this, FromMessage(error.what()));
    return;
  }
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  if (!setup_.embedding->embed(*this, handle)) {
    setWindowFlags(kFramedWindow);
    setup_.dialogs->showError(
        this, QStringLiteral("No se encuentra la ventana %1 de Horalix: Enlazora trabaja como ventana independiente.")
                  .arg(QString::fromStdString(command.handleText)));
    return;
  }
  hostedIndicator_ = 2;
}

void TMForm::placeOnScreen() {
  if (const QScreen* display = screen()) {
    const QRect area = display->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
}

void TMForm::setVisible(bool visible) {
  // The show handler runs before the window is displayed; a hosted run that
  // closes the window there keeps it from ever being displayed.
  if (visible && !showHandled_) {
    showHandled_ = true;
    FormShow();
    if (closed_) return;
  }
  QWidget::setVisible(visible);
}

void TMForm::FormShow() {
  if (!command_) return;
  if (command_->action() == HostAction::Importar) BImportarClick();
  if (command_->action() == HostAction::Exportar) BExportarClick();
}

void TMForm::closeEvent(QCloseEvent* event) {
  FormClose();
  closed_ = true;
  event->accept();
  emit windowClosed();
}

void TMForm::FormClose() {
  if (!hosted()) return;
  try {
    WriteOutcomeReport(setup_.programFolder, outcome_);
  } catch (const std::exception& error) {
    setup_.dialogs->showError(this, FromMessage(error.what()));
  }
}

void TMForm::askForExchangeFile() {
  if (!ArchivoXML_.isEmpty()) OpenDialogXML->selectFile(ArchivoXML_);
  if (const std::optional<QString> file = setup_.dialogs->askForFile(*OpenDialogXML)) ArchivoXML_ = *file;
}

void TMForm::BExportarClick() {
  askForExchangeFile();
  runConversion([this] {
    DayPlanChooser chooser(*this, *setup_.dialogs);
    const inbound::InboundRequest request{ToPath(ArchivoXML_), setup_.tableFolder,
                                          FileInFolder(setup_.programFolder, kLevelTableName)};
    const WaitCursor wait;
    PlantillaElegida_ = inbound::RunInbound(request, chooser).chosenPlan;
  });
}

void TMForm::BImportarClick() {
  askForExchangeFile();
  runConversion([this] {
    const outbound::OutboundRequest request{ToPath(ArchivoXML_), setup_.tableFolder, std::nullopt};
    const WaitCursor wait;
    outbound::RunOutbound(request);
  });
}

void TMForm::runConversion(const std::function<void()>& conversion) {
  if (!IsExistingFile(ArchivoXML_)) {
    reportMissingFile(QString::fromUtf8(messages::kNoExisteArchivo));
    return;
  }
  try {
    conversion();
  } catch (const RunStopped& stop) {
    stopRun(stop);
    return;
  } catch (const std::exception& error) {
    setup_.dialogs->showError(this, FromMessage(error.what()));
    return;
  } catch (...) {
    setup_.dialogs->showError(this, QStringLiteral("Error inesperado: la conversión se ha detenido."));
    return;
  }
  finishRun();
}

void TMForm::finishRun() {
  outcome_ = kOutcomeCompleted;
  setup_.dialogs->showMessage(this, QString::fromUtf8(messages::kProcesoFinalizado));
  BExportar->setEnabled(false);
  BImportar->setEnabled(false);
  if (hosted()) close();
}

void TMForm::stopRun(const RunStopped& stop) {
  if (stop.reason() == StopReason::MissingDocument) {
    reportMissingFile(FromMessage(stop.what()));
    return;
  }
  setup_.dialogs->showMessage(this, FromMessage(stop.what()));
}

void TMForm::reportMissingFile(const QString& message) {
  setup_.dialogs->showMessage(this, message);
  if (!hosted()) return;
  outcome_ = kOutcomeNoFile;
  close();
}

void TMForm::Button1Click() { showHelp(std::nullopt); }

void TMForm::showHelp(std::optional<int> context) {
  if (const std::optional<QString> problem = ShowHelp(this, setup_.programFolder, HelpTopic{context})) {
    setup_.dialogs->showError(this, *problem);
  }
}

}  // namespace enlazora::app
