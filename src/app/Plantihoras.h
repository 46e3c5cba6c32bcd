#pragma once
// The day-template dialog "Plantillas Horarias": the person chooses which day
// plan of the exchange document applies to the host's timetable.
#include <QDialog>
#include <QString>
#include <string>
#include <vector>

#include "formats/xml/ExchangeDocument.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace enlazora::app {

class GradientPanel;
class UserDialogs;

class TPlantillas : public QDialog {
  Q_OBJECT

 public:
  // archivoXML: the exchange document, loaded anew at each activation.
  TPlantillas(QWidget* owner, QString archivoXML, UserDialogs& dialogs);

  // The chosen plan code (Windows-1252), set when the dialog closes.
  const std::string& PlantillaElegida() const { return PlantillaElegida_; }

  void FormActivate();
  void ComboBoxPlantillaChange();
  void BitBtnContinuarClick();
  void FormClose();

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void buildControls();

  QString archivoXML_;
  UserDialogs& dialogs_;
  std::string PlantillaElegida_;
  // The dialog's own copy of the document's day plans and time slots.
  std::vector<formats::Record> plans_;
  std::vector<formats::Record> slots_;

  GradientPanel* Draw3D4 = nullptr;
  QLabel* LabelPlantillas = nullptr;
  QLabel* LabelPlanFec1 = nullptr;
  QLabel* LabelPlanFec2 = nullptr;
  QPushButton* BitBtnContinuar = nullptr;
  QComboBox* ComboBoxPlantilla = nullptr;
  QLabel* LabelNombre = nullptr;
  QListWidget* ListBox1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
};

}  // namespace enlazora::app
