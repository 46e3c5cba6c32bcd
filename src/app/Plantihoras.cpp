#include "app/Plantihoras.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <exception>

#include "app/Fonts.h"
#include "app/Glyphs.h"
#include "app/GradientPanel.h"
#include "app/Labels.h"
#include "app/UiText.h"
#include "app/UserDialogs.h"
#include "formats/xml/StreamedDocument.h"
#include "text/Clipper.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace enlazora::app {
namespace {

constexpr const char* kPlansBlock = "JORNADAS_ESCOLARES";
constexpr const char* kSlotsBlock = "TRAMOS_HORARIOS";

// Value positions of a day plan and of a time slot.
constexpr std::size_t kPlanCode = 0;
constexpr std::size_t kPlanName = 1;
constexpr std::size_t kPlanStart = 2;
constexpr std::size_t kPlanEnd = 3;
constexpr std::size_t kSlotLabel = 1;
constexpr std::size_t kSlotPlanCode = 4;

const QColor kMaroon(0x80, 0x00, 0x00);

QColor InactiveCaptionTextColour() {
#ifdef _WIN32
  const DWORD colour = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
  return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
#else
  return QColor(216, 228, 248);
#endif
}

}  // namespace

TPlantillas::TPlantillas(QWidget* owner, QString archivoXML, UserDialogs& dialogs)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      archivoXML_(std::move(archivoXML)),
      dialogs_(dialogs) {
  setObjectName(QStringLiteral("Plantillas"));
  setWindowTitle(QStringLiteral("Plantillas Horarias"));
  setFont(WindowFont());
  resize(370, 235);
  move(368, 228);
  buildControls();
}

void TPlantillas::buildControls() {
  Draw3D4 = new GradientPanel(QColor(166, 202, 240), Qt::white, InactiveCaptionTextColour(), this);
  Draw3D4->setObjectName(QStringLiteral("Draw3D4"));
  Draw3D4->setGeometry(0, 0, 369, 233);

  const QColor windowText = palette().color(QPalette::WindowText);
  LabelPlantillas = MakeLabel(
      Draw3D4, "LabelPlantillas",
      QStringLiteral("Seleccione la Plantilla Horaria que quiere aplicar a su Horario en Horalix."),
      QRect(16, 2, 321, 33), ArialBold(13), windowText);
  Label2 = MakeLabel(Draw3D4, "Label2",
                     QStringLiteral("Las Horas de la Plantilla del día seleccionado, se propagarán sobre todos "
                                    "los días de las Semana."),
                     QRect(16, 34, 321, 33), ArialBold(13), Qt::red);
  Label1 = MakeLabel(Draw3D4, "Label1", QStringLiteral("HORAS"), QRect(215, 68, 67, 18), ArialBold(16), kMaroon);

  ComboBoxPlantilla = new QComboBox(Draw3D4);
  ComboBoxPlantilla->setObjectName(QStringLiteral("ComboBoxPlantilla"));
  ComboBoxPlantilla->setEditable(true);
  ComboBoxPlantilla->setCompleter(nullptr);  // no automatic completion
  ComboBoxPlantilla->setInsertPolicy(QComboBox::NoInsert);
  ComboBoxPlantilla->setGeometry(8, 87, 81, 21);
  ComboBoxPlantilla->setFont(WindowFont(true));
  QPalette yellow = ComboBoxPlantilla->palette();
  yellow.setColor(QPalette::Base, Qt::yellow);
  yellow.setColor(QPalette::Button, Qt::yellow);
  ComboBoxPlantilla->setPalette(yellow);

  ListBox1 = new QListWidget(Draw3D4);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->setGeometry(152, 85, 193, 114);

  LabelNombre = MakeLabel(Draw3D4, "LabelNombre", QStringLiteral("-"), QRect(9, 114, 120, 23), ArialBold(16), kMaroon);
  LabelPlanFec1 =
      MakeLabel(Draw3D4, "LabelPlanFec1", QStringLiteral("-"), QRect(9, 144, 120, 23), ArialBold(16), kMaroon);
  LabelPlanFec2 =
      MakeLabel(Draw3D4, "LabelPlanFec2", QStringLiteral("-"), QRect(9, 176, 120, 23), ArialBold(16), kMaroon);

  BitBtnContinuar = new QPushButton(CheckMarkGlyph(), QStringLiteral("Continuar"),
                                    Draw3D4);
  BitBtnContinuar->setObjectName(QStringLiteral("BitBtnContinuar"));
  BitBtnContinuar->setGeometry(255, 203, 89, 25);
  BitBtnContinuar->setFont(WindowFont(true));
  BitBtnContinuar->setDefault(true);
  BitBtnContinuar->setAutoDefault(true);

  setTabOrder(BitBtnContinuar, ComboBoxPlantilla);
  setTabOrder(ComboBoxPlantilla, ListBox1);

  connect(ComboBoxPlantilla, &QComboBox::currentTextChanged, this, [this] { ComboBoxPlantillaChange(); });
  connect(BitBtnContinuar, &QPushButton::clicked, this, [this] { BitBtnContinuarClick(); });
}

void TPlantillas::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  BitBtnContinuar->setFocus();
  FormActivate();
}

void TPlantillas::FormActivate() {
  plans_.clear();
  slots_.clear();
  try {
    // Only the two blocks the dialog shows are kept of its own copy.
    const auto document = formats::StreamedDocument::load(ToPath(archivoXML_), {kPlansBlock, kSlotsBlock});
    plans_ = document.records(kPlansBlock);
    slots_ = document.records(kSlotsBlock);
  } catch (const std::exception& error) {
    dialogs_.showError(this, FromMessage(error.what()));
  }
  {
    const QSignalBlocker quiet(ComboBoxPlantilla);
    if (!plans_.empty()) {
      ComboBoxPlantilla->clear();
      for (const formats::Record& plan : plans_) ComboBoxPlantilla->addItem(FromAnsi(plan.value(kPlanCode)));
    }
    ComboBoxPlantilla->setCurrentIndex(0);
  }
  ComboBoxPlantillaChange();
}

void TPlantillas::ComboBoxPlantillaChange() {
  const QString code = ComboBoxPlantilla->currentText();
  LabelNombre->setText(QStringLiteral("-"));
  LabelPlanFec1->setText(QStringLiteral("-"));
  LabelPlanFec2->setText(QStringLiteral("-"));
  // Every plan with that exact code is visited: with repeated codes the last
  // one's texts remain.
  for (const formats::Record& plan : plans_) {
    if (FromAnsi(plan.value(kPlanCode)) != code) continue;
    LabelNombre->setText(FromAnsi(plan.value(kPlanName)));
    LabelPlanFec1->setText(FromAnsi(plan.value(kPlanStart)));
    LabelPlanFec2->setText(FromAnsi(plan.value(kPlanEnd)));
  }
  ListBox1->clear();
  for (const formats::Record& slot : slots_) {
    if (FromAnsi(slot.value(kSlotPlanCode)) == code) ListBox1->addItem(FromAnsi(slot.value(kSlotLabel)));
  }
}

void TPlantillas::BitBtnContinuarClick() {
  FormClose();
  accept();
}

void TPlantillas::FormClose() {
  PlantillaElegida_ = text::TrimControlAndBlanks(ToAnsi(ComboBoxPlantilla->currentText()));
}

void TPlantillas::done(int result) {
  // However the dialog closes (Continuar, Enter, Escape, the close box), the
  // combo box's text is the choice.
  FormClose();
  QDialog::done(result);
}

}  // namespace enlazora::app
