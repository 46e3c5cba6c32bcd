#include "app/UserDialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "app/Plantihoras.h"

namespace enlazora::app {
namespace {

void ShowBox(QWidget* owner, QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, QString::fromUtf8(kApplicationTitle), text, QMessageBox::Ok, owner);
  box.button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
  box.exec();
}

}  // namespace

std::optional<QString> QtUserDialogs::askForFile(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return files.front();
}

void QtUserDialogs::showMessage(QWidget* owner, const QString& text) { ShowBox(owner, QMessageBox::NoIcon, text); }

void QtUserDialogs::showError(QWidget* owner, const QString& text) { ShowBox(owner, QMessageBox::Critical, text); }

std::string QtUserDialogs::chooseDayPlan(QWidget* owner, const QString& document) {
  TPlantillas Plantillas(owner, document, *this);
  Plantillas.exec();
  return Plantillas.PlantillaElegida();
}

}  // namespace enlazora::app
