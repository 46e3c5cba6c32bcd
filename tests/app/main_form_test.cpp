// The main window driven as a person would: its layout, the host's command
// line, both runs to their end, the runs' stops and errors, the outcome
// report and help.
#include <QCursor>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "app/GradientPanel.h"
#include "app/support/AppTestSupport.h"
#include "formats/Messages.h"

using namespace enlazora;
using namespace enlazora::testing;

namespace {

QString Utf8(const char* text) { return QString::fromUtf8(text); }

QPushButton* Button(QWidget& window, const char* name) {
  auto* button = window.findChild<QPushButton*>(QString::fromLatin1(name));
  if (!button) qFatal("no button %s", name);
  return button;
}

void Click(QWidget& window, const char* name) { QTest::mouseClick(Button(window, name), Qt::LeftButton); }

bool ConversionButtonsEnabled(QWidget& window) {
  return Button(window, "BExportar")->isEnabled() && Button(window, "BImportar")->isEnabled();
}

std::string IniText(const WindowBench& bench) { return ReadBytes(bench.ini()); }

std::string ReadIfThere(const std::filesystem::path& file) {
  return std::filesystem::exists(file) ? ReadBytes(file) : std::string();
}

}  // namespace

class MainFormTest : public QObject {
  Q_OBJECT

 private slots:
  void layoutAsDesigned() {
    WindowBench bench;
    auto window = bench.window();
    QCOMPARE(window->objectName(), "MForm");
    QCOMPARE(window->windowTitle(), "Exportar e importar datos entre Horalix y Quirenda");
    QCOMPARE(window->size(), QSize(632, 266));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & Qt::FramelessWindowHint));
    const QPoint offCentre = window->geometry().center() - window->screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 2, "not centred on the screen");

    struct Placement {
      const char* name;
      const char* parent;
      QRect geometry;
    };
    const Placement placements[] = {
        {"Draw3D1", "MForm", {0, 168, 633, 97}},   {"Draw3D2", "MForm", {1, 0, 315, 169}},
        {"BExportar", "Draw3D2", {96, 120, 89, 25}}, {"BClose", "Draw3D1", {256, 32, 89, 25}},
        {"Label3", "Draw3D2", {24, 24, 265, 57}},  {"Draw3D3", "MForm", {316, 0, 317, 169}},
        {"Label4", "Draw3D3", {8, 24, 305, 57}},   {"BImportar", "Draw3D3", {96, 120, 89, 25}},
        {"Label1", "Draw3D1", {8, 72, 226, 13}},   {"Button1", "Draw3D1", {263, 64, 75, 25}},
    };
    for (const Placement& placement : placements) {
      auto* widget = window->findChild<QWidget*>(QString::fromLatin1(placement.name));
      QVERIFY2(widget, placement.name);
      QCOMPARE(widget->parentWidget()->objectName(), QString::fromLatin1(placement.parent));
      QCOMPARE(widget->geometry(), placement.geometry);
    }

    QCOMPARE(Button(*window, "BExportar")->text(), "Aceptar");
    QVERIFY(!Button(*window, "BExportar")->icon().isNull());
    QCOMPARE(Button(*window, "BImportar")->text(), "Aceptar");
    QCOMPARE(Button(*window, "BClose")->text(), "&Salir");
    QCOMPARE(Button(*window, "Button1")->text(), "F1 Ayuda");

    auto* label3 = window->findChild<QLabel*>("Label3");
    QCOMPARE(label3->text(), "Transformar datos desde Quirenda hacia Horalix ");
    QCOMPARE(window->findChild<QLabel*>("Label4")->text(), "Transformar datos desde Horalix hacia Quirenda");
    for (const char* name : {"Label3", "Label4"}) {
      auto* label = window->findChild<QLabel*>(name);
      QCOMPARE(label->font().pixelSize(), 16);
      QVERIFY(label->font().bold());
      QVERIFY(label->wordWrap());
      QCOMPARE(label->font().families().value(0), "Arial");
    }
    auto* version = window->findChild<QLabel*>("Label1");
    QCOMPARE(version->text(), "Enlazora para HX30 V-1.0");
    QVERIFY(version->font().bold());
    QCOMPARE(version->palette().color(QPalette::WindowText), QColor(Qt::red));

    auto* bottom = window->findChild<app::GradientPanel*>("Draw3D1");
    QCOMPARE(bottom->startColor(), QColor("#C2CDFE"));
    QCOMPARE(bottom->middleColor(), QColor("#CFF2FE"));
    QCOMPARE(bottom->endColor(), QColor("#CCD8E6"));
    for (const char* name : {"Draw3D2", "Draw3D3"}) {
      auto* panel = window->findChild<app::GradientPanel*>(name);
      QCOMPARE(panel->startColor(), QColor("#F9D37D"));
      QCOMPARE(panel->middleColor(), QColor(Qt::white));
      QCOMPARE(panel->endColor(), QColor("#FFEEDD"));
    }

    auto* dialog = window->findChild<QFileDialog*>("OpenDialogXML");
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), "Archivo XML");
    QCOMPARE(dialog->nameFilters(), QStringList{"*.xml"});
    QCOMPARE(dialog->defaultSuffix(), "xml");
    QCOMPARE(dialog->fileMode(), QFileDialog::AnyFile);
  }

  void closeButtonClosesTheWindow() {
    WindowBench bench;
    auto window = bench.window();
    window->show();
    Click(*window, "BClose");
    QVERIFY(window->closed());
    QVERIFY(!window->isVisible());
  }

  // The command line decides whether the window is hosted and what runs when
  // it is shown. Every run here meets a cancelled file dialog.
  void commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("hostExists");
    QTest::addColumn<bool>("hosted");
    QTest::addColumn<qlonglong>("handle");  // -1: no embedding tried
    QTest::addColumn<bool>("runs");
    QTest::addColumn<QString>("error");
    QTest::newRow("no arguments") << QStringList{} << true << false << -1LL << false << "";
    QTest::newRow("one argument") << QStringList{"exportar"} << true << false << -1LL << false << "";
    QTest::newRow("three arguments") << QStringList{"exportar", "1A2B", "x"} << true << false << -1LL << false << "";
    QTest::newRow("EXPORTAR 1A2B") << QStringList{"EXPORTAR", "1A2B"} << true << true << 0x1A2BLL << true << "";
    QTest::newRow("12345 is hexadecimal") << QStringList{"importar", "12345"} << true << true << 0x12345LL << true
                                          << "";
    QTest::newRow("blank before the word") << QStringList{" exportar", "1A2B"} << true << true << 0x1A2BLL << false
                                           << "";
    QTest::newRow("blank after the word") << QStringList{"importar ", "1A2B"} << true << true << 0x1A2BLL << false
                                          << "";
    QTest::newRow("other word") << QStringList{"convertir", "1A2B"} << true << true << 0x1A2BLL << false << "";
    QTest::newRow("bad handle") << QStringList{"exportar", "XYZ"} << true << false << -1LL << true
                                << Utf8("'$XYZ' no es un valor entero válido");
    QTest::newRow("no such host window")
        << QStringList{"exportar", "1A2B"} << false << false << 0x1A2BLL << true
        << Utf8("No se encuentra la ventana 1A2B de Horalix: Enlazora trabaja como ventana independiente.");
  }
  void commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, hostExists);
    QFETCH(bool, hosted);
    QFETCH(qlonglong, handle);
    QFETCH(bool, runs);
    QFETCH(QString, error);
    WindowBench bench;
    bench.embedding->hostExists = hostExists;
    auto window = bench.window(arguments);

    QCOMPARE(window->hosted(), hosted);
    QCOMPARE(window->hostedIndicator(), hosted ? 2 : 0);
    QCOMPARE(bool(window->windowFlags() & Qt::FramelessWindowHint), hosted);
    QCOMPARE(bench.embedding->handle ? qlonglong(*bench.embedding->handle) : -1LL, handle);
    QCOMPARE(bench.dialogs->errors, error.isEmpty() ? QStringList{} : QStringList{error});
    QCOMPARE(window->outcome(), 0);

    bool visibleDuringRun = true;
    bench.dialogs->whileFileDialog = [&](QFileDialog&) { visibleDuringRun = window->isVisible(); };
    window->show();
    QCOMPARE(bench.dialogs->fileQuestions, runs ? 1 : 0);
    if (runs) {
      QVERIFY(!visibleDuringRun);  // the run takes place before the window is displayed
      QCOMPARE(bench.dialogs->messages, QStringList{Utf8(messages::kNoExisteArchivo)});
    }
    // A hosted run that finds no file reports -1 and closes the window, which
    // is then never displayed.
    const bool closedByRun = runs && hosted;
    QCOMPARE(window->closed(), closedByRun);
    QCOMPARE(window->isVisible(), !closedByRun);
    if (!closedByRun) window->close();
    QCOMPARE(std::filesystem::exists(bench.ini()), hosted);
    if (hosted) {
      QCOMPARE(IniText(bench), std::string("[Transformadores]\r\nTransformado=") + (runs ? "-1" : "0") + "\r\n");
    }
  }

  void standaloneInboundRunCompletes() {
    WindowBench bench;
    bench.writeSchoolWithTwoPlans();
    bench.dialogs->files = {bench.documentName()};
    bench.dialogs->dayPlan = "J2";
    bool hourglassWhileAsked = false;
    bench.dialogs->whileDayPlan = [&] {
      hourglassWhileAsked = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    };
    auto window = bench.window();
    window->show();
    Click(*window, "BExportar");

    QCOMPARE(bench.dialogs->errors, QStringList{});
    QCOMPARE(bench.dialogs->messages, QStringList{"Proceso finalizado"});
    QCOMPARE(bench.dialogs->dayPlanQuestions, 1);
    QCOMPARE(bench.dialogs->dayPlanDocument, bench.documentName());
    QVERIFY(hourglassWhileAsked);
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(window->outcome(), 1);
    QCOMPARE(window->PlantillaElegida(), std::string("J2"));
    QCOMPARE(window->ArchivoXML(), bench.documentName());
    QVERIFY(!Button(*window, "BExportar")->isEnabled());
    QVERIFY(!Button(*window, "BImportar")->isEnabled());
    QVERIFY(Button(*window, "BClose")->isEnabled());
    QVERIFY(Button(*window, "Button1")->isEnabled());
    for (const char* table : {"ASIGNOMT.DBF", "ASIGNOMT2.DBF", "PROFT.DBF", "AULAT.DBF", "CURSOST.DBF", "GRUPOST.DBF",
                              "ASIGT.DBF", "DIASHORAST.DBF", "DIASHORAST2.DBF", "PERIODOS.DBF"}) {
      QVERIFY2(std::filesystem::exists(bench.tables() / table), table);
    }
    QVERIFY(window->isVisible());  // stand-alone: the window stays
    window->close();
    QVERIFY(!std::filesystem::exists(bench.ini()));
  }

  void hostedInboundRunReportsOneAndCloses() {
    WindowBench bench;
    bench.writeSchoolWithTwoPlans();
    bench.dialogs->files = {bench.documentName()};
    bench.dialogs->dayPlan = "J1";
    auto window = bench.window({"exportar", "1A2B"});
    window->show();
    QCOMPARE(bench.dialogs->messages, QStringList{"Proceso finalizado"});
    QVERIFY(window->closed());
    QCOMPARE(IniText(bench), "[Transformadores]\r\nTransformado=1\r\n");
  }

  void outboundRunCompletes() {
    WindowBench bench;
    bench.writeOutboundInputs();
    bench.dialogs->files = {bench.documentName()};
    auto window = bench.window({"importar", "5"});
    window->show();
    QCOMPARE(bench.dialogs->errors, QStringList{});
    QCOMPARE(bench.dialogs->messages, QStringList{"Proceso finalizado"});
    QVERIFY(std::filesystem::exists(bench.document().parent_path() / "ResultadoHoralixcentro.xml"));
    QVERIFY(window->closed());
    QCOMPARE(IniText(bench), "[Transformadores]\r\nTransformado=1\r\n");
  }

  void cancelledFirstDialogStandalone() {
    WindowBench bench;
    auto window = bench.window();
    window->show();
    for (const char* button : {"BExportar", "BImportar"}) {
      bench.dialogs->messages.clear();
      Click(*window, button);
      QCOMPARE(bench.dialogs->messages, QStringList{Utf8(messages::kNoExisteArchivo)});
      QCOMPARE(window->outcome(), 0);
      QVERIFY(window->isVisible());
      QVERIFY(ConversionButtonsEnabled(*window));
      QVERIFY(window->ArchivoXML().isEmpty());
    }
  }

  void typedNameThatDoesNotExist() {
    WindowBench bench;
    bench.dialogs->files = {bench.documentName()};  // never written
    auto window = bench.window();
    window->show();
    Click(*window, "BExportar");
    QCOMPARE(bench.dialogs->messages, QStringList{Utf8(messages::kNoExisteArchivo)});
    QCOMPARE(window->ArchivoXML(), bench.documentName());
  }

  void missingLevelTableLeavesHostedWindowOpen() {
    WindowBench bench;
    bench.writeSchoolWithTwoPlans();
    std::filesystem::remove(bench.programFolder() / "NIVELLARI.DBF");
    const auto tablesBefore = SnapshotFolder(bench.tables());
    bench.dialogs->files = {bench.documentName()};
    auto window = bench.window({"exportar", "1A2B"});
    window->show();
    QCOMPARE(bench.dialogs->messages, QStringList{Utf8(messages::kNivellariNoEncontrado)});
    QCOMPARE(SnapshotFolder(bench.tables()), tablesBefore);
    QVERIFY(!window->closed());
    QVERIFY(window->isVisible());
    QVERIFY(ConversionButtonsEnabled(*window));
    window->close();
    QCOMPARE(IniText(bench), "[Transformadores]\r\nTransformado=0\r\n");
  }

  void missingPeriodsTableStopsOutbound() {
    WindowBench bench;
    bench.writeOutboundInputs();
    std::filesystem::remove(bench.tables() / "PERIODOS.DBF");
    bench.dialogs->files = {bench.documentName()};
    auto window = bench.window();
    window->show();
    Click(*window, "BImportar");
    QCOMPARE(bench.dialogs->messages, QStringList{Utf8(messages::kPeriodosNoEncontrado)});
    QVERIFY(ConversionButtonsEnabled(*window));
    QCOMPARE(window->outcome(), 0);
  }

  // An error stops the run and is shown; the window stays as it was, and a
  // later run, with the dialog cancelled, converts the file chosen before.
  void stoppingErrorThenLaterRunStartsAfresh() {
    WindowBench bench;
    WriteBytes(bench.document(), "<SERVICIO><BLOQUE_DATOS>");  // not well-formed
    bench.dialogs->files = {bench.documentName()};
    auto window = bench.window({"exportar", "1A2B"});
    window->show();
    QCOMPARE(bench.dialogs->errors.size(), 1);
    QVERIFY(!bench.dialogs->errors.front().isEmpty());
    QCOMPARE(bench.dialogs->messages, QStringList{});
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(window->outcome(), 0);
    QVERIFY(!window->closed());
    QVERIFY(ConversionButtonsEnabled(*window));

    bench.writeSchoolWithTwoPlans();
    bench.dialogs->dayPlan = "J1";
    Click(*window, "BExportar");  // dialog cancelled: the earlier file
    QCOMPARE(bench.dialogs->fileQuestions, 2);
    QCOMPARE(bench.dialogs->errors.size(), 1);
    QCOMPARE(bench.dialogs->messages, QStringList{"Proceso finalizado"});
    QVERIFY(window->closed());
    QCOMPARE(IniText(bench), "[Transformadores]\r\nTransformado=1\r\n");
  }

  void fileDialogOffersTheLastFile() {
    WindowBench bench;
    bench.dialogs->files = {bench.documentName()};
    auto window = bench.window();
    window->show();
    Click(*window, "BExportar");
    QStringList offered;
    bench.dialogs->whileFileDialog = [&](QFileDialog& dialog) { offered = dialog.selectedFiles(); };
    Click(*window, "BImportar");
    QCOMPARE(offered, QStringList{bench.documentName()});
  }

  void existingIniKeepsItsOtherSections() {
    WindowBench bench;
    WriteBytes(bench.ini(), "; Horalix\r\n[Horalix]\r\nRuta=C:\\HTEMP\r\n[Transformadores]\r\nTransformado=1\r\nOtro=x\r\n");
    auto window = bench.window({"exportar", "1A2B"});
    window->show();  // dialog cancelled
    QCOMPARE(IniText(bench),
             "; Horalix\r\n[Horalix]\r\nRuta=C:\\HTEMP\r\n[Transformadores]\r\nTransformado=-1\r\nOtro=x\r\n");
  }

  void unwritableReportIsShownNotFatal() {
    WindowBench bench;
    std::filesystem::remove_all(bench.programFolder());
    auto window = bench.window({"convertir", "1A2B"});
    window->show();
    window->close();
    QCOMPARE(bench.dialogs->errors.size(), 1);
    QVERIFY(bench.dialogs->errors.front().startsWith("No se pudo escribir el archivo "));
    QVERIFY(window->closed());
  }

  void helpWithoutHelpFile() {
    WindowBench bench;
    auto window = bench.window();
    window->show();
    Click(*window, "Button1");
    QCOMPARE(bench.dialogs->errors.size(), 1);
    QVERIFY(bench.dialogs->errors.front().startsWith("No se encuentra el archivo de ayuda "));
    QVERIFY(bench.dialogs->errors.front().contains("QUIRENDA.chm"));
  }

  void helpWithoutViewer() {
    WindowBench bench;
    WriteBytes(bench.programFolder() / "QUIRENDA.chm", "ITSF");
    TempFolder emptyPath;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(emptyPath.path().string()));
    auto window = bench.window();
    window->show();
    Click(*window, "Button1");
    qputenv("PATH", path);
    QCOMPARE(bench.dialogs->errors.size(), 1);
    QVERIFY(bench.dialogs->errors.front().contains("xchm"));
  }

  // The viewer opens the help file at its contents (button) or at context 3
  // (F1, wherever the focus is).
  void helpOpensTheViewer() {
    WindowBench bench;
    WriteBytes(bench.programFolder() / "QUIRENDA.chm", "ITSF");
    TempFolder viewerFolder;
    const auto record = viewerFolder / "arguments.txt";
    WriteBytes(viewerFolder / "xchm", "#!/bin/sh\necho \"$@\" >> '" + record.string() + "'\n");
    std::filesystem::permissions(viewerFolder / "xchm", std::filesystem::perms::owner_all);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(viewerFolder.path().string()) + ":" + path);
    auto window = bench.window();
    window->show();
    const std::string helpFile = (bench.programFolder() / "QUIRENDA.chm").string();
    Click(*window, "Button1");
    QTRY_COMPARE(ReadIfThere(record), helpFile + "\n");
    QTest::keyClick(Button(*window, "BImportar"), Qt::Key_F1);
    QTRY_COMPARE(ReadIfThere(record), helpFile + "\n-c 3 " + helpFile + "\n");
    qputenv("PATH", path);
    QCOMPARE(bench.dialogs->errors, QStringList{});
  }

  // The real dialogs: the file dialog as set up, the message box with the
  // program's title and one button.
  void realDialogsOfACancelledRun() {
    WindowBench bench;
    app::MainFormSetup setup;
    setup.programFolder = bench.programFolder();
    setup.tableFolder = bench.tables();
    app::TMForm window(std::move(setup));
    window.show();
    QString title;
    QStringList filters;
    QString boxTitle;
    QString boxText;
    int boxButtons = 0;
    QString buttonText;
    AnswerNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      QVERIFY(dialog);
      title = dialog->windowTitle();
      filters = dialog->nameFilters();
      AnswerNextModal(
          [&](QWidget* next) {
            auto* box = qobject_cast<QMessageBox*>(next);
            QVERIFY(box);
            boxTitle = box->windowTitle();
            boxText = box->text();
            boxButtons = int(box->buttons().size());
            buttonText = box->buttons().value(0)->text();
            box->buttons().value(0)->click();
          },
          dialog);
      dialog->reject();
    });
    Click(window, "BExportar");
    QCOMPARE(title, "Archivo XML");
    QCOMPARE(filters, QStringList{"*.xml"});
    QCOMPARE(boxTitle, "Enlazora");
    QCOMPARE(boxText, "No existe archivo");
    QCOMPARE(boxButtons, 1);
    QCOMPARE(buttonText, "Aceptar");
  }

  // The bundled sample school through both runs, when the build has made it.
  void sampleSchoolBothWays() {
    const std::filesystem::path sample = std::filesystem::path(ENLAZORA_SOURCE_DIR) / "ejemplos" / "instituto.xml";
    const std::filesystem::path built = std::filesystem::path(ENLAZORA_BUILD_DIR) / "ejemplos";
    if (!std::filesystem::exists(sample) || !std::filesystem::exists(built / "NIVELLARI.DBF") ||
        !std::filesystem::exists(built / "SOLUC.DBF")) {
      QSKIP("the sample school is not built");
    }
    WindowBench bench;
    std::filesystem::copy_file(built / "NIVELLARI.DBF", bench.programFolder() / "NIVELLARI.DBF",
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy_file(sample, bench.document());
    bench.dialogs->files = {bench.documentName()};
    bench.dialogs->dayPlan = "JORN2";
    auto importing = bench.window();
    importing->show();
    Click(*importing, "BExportar");
    QCOMPARE(bench.dialogs->errors, QStringList{});
    QCOMPARE(bench.dialogs->messages, QStringList{"Proceso finalizado"});
    QCOMPARE(bench.dialogs->dayPlanQuestions, 1);
    QCOMPARE(importing->PlantillaElegida(), std::string("JORN2"));

    std::filesystem::copy_file(built / "SOLUC.DBF", bench.tables() / "SOLUC.DBF",
                               std::filesystem::copy_options::overwrite_existing);
    bench.dialogs->messages.clear();
    bench.dialogs->files = {bench.documentName()};
    auto exporting = bench.window();
    exporting->show();
    Click(*exporting, "BImportar");
    QCOMPARE(bench.dialogs->errors, QStringList{});
    QCOMPARE(bench.dialogs->messages, QStringList{"Proceso finalizado"});
    QVERIFY(std::filesystem::exists(bench.document().parent_path() / "ResultadoHoralixcentro.xml"));
  }
};

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
