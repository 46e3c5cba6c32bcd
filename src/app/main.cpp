// Enlazora: carries a school's timetabling data between Horalix and Quirenda.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/UserDialogs.h"
#include "formats/files/Locations.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(enlazora::app::kApplicationTitle));

  // The toolkit's own texts (file dialog, buttons) in Spanish.
  QTranslator toolkitTexts;
  if (toolkitTexts.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&toolkitTexts);
  }

  std::vector<std::string> arguments;
  const QStringList given = QApplication::arguments();
  for (qsizetype i = 1; i < given.size(); ++i) arguments.push_back(given[i].toStdString());

  enlazora::app::MainFormSetup setup;
  setup.arguments = std::move(arguments);
  setup.programFolder = enlazora::formats::ProgramFolder();
  setup.tableFolder = enlazora::formats::DefaultTableFolder();
  enlazora::app::TMForm MForm(std::move(setup));
  QObject::connect(&MForm, &enlazora::app::TMForm::windowClosed, &application, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  MForm.show();
  // A hosted run may end, and close the window, before it is ever displayed.
  if (MForm.closed()) return 0;
  return QApplication::exec();
}
