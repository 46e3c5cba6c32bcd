// The day-template dialog: plan codes, the details and time slots of the plan
// in view, and the code handed back however the dialog is closed.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "app/GradientPanel.h"
#include "app/Plantihoras.h"
#include "app/UiText.h"
#include "app/support/AppTestSupport.h"
#include "inbound/support/InboundFixture.h"

using namespace enlazora;
using namespace enlazora::testing;

namespace {

// The dialog over a document, shown (which activates it).
struct OpenDialog {
  explicit OpenDialog(const DocumentBuilder& document) {
    document.write(file());
    open();
  }
  explicit OpenDialog(const std::filesystem::path& missing) : missing_(missing) { open(); }

  std::filesystem::path file() const { return missing_.empty() ? folder.path() / "centro.xml" : missing_; }
  void open() {
    dialog = std::make_unique<app::TPlantillas>(nullptr, app::FromPath(file()), dialogs);
    dialog->show();
  }

  QComboBox* combo() const { return dialog->findChild<QComboBox*>("ComboBoxPlantilla"); }
  QString label(const char* name) const { return dialog->findChild<QLabel*>(name)->text(); }
  QStringList details() const { return {label("LabelNombre"), label("LabelPlanFec1"), label("LabelPlanFec2")}; }
  QStringList codes() const {
    QStringList items;
    for (int i = 0; i < combo()->count(); ++i) items << combo()->itemText(i);
    return items;
  }
  QStringList slotLabels() const {
    QStringList items;
    auto* list = dialog->findChild<QListWidget*>("ListBox1");
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
  }
  void choose(const QString& code) const { combo()->setCurrentIndex(combo()->findText(code)); }
  void type(const QString& text) const {
    combo()->lineEdit()->selectAll();
    QTest::keyClicks(combo()->lineEdit(), text);
  }
  void continuar() const { QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtnContinuar"), Qt::LeftButton); }

  TempFolder folder;
  std::filesystem::path missing_;
  FakeDialogs dialogs;
  std::unique_ptr<app::TPlantillas> dialog;
};

DocumentBuilder TwoPlans() {
  DocumentBuilder document;
  document
      .block("JORNADAS_ESCOLARES",
             {{"A", "Jornada de mañana", "15/09/2024", "22/06/2025"}, {"B", "Jornada de tarde", "16/09/2024", "20/06/2025"}})
      .block("TRAMOS_HORARIOS",
             {{"T1", "1ª", "480", "540", "A"}, {"T2", "1ª tarde", "900", "960", "B"}, {"T3", "2ª", "540", "600", "A"}});
  return document;
}

}  // namespace

class PlantillasTest : public QObject {
  Q_OBJECT

 private slots:
  void layoutAsDesigned() {
    OpenDialog open(TwoPlans());
    app::TPlantillas& dialog = *open.dialog;
    QCOMPARE(dialog.windowTitle(), "Plantillas Horarias");
    QCOMPARE(dialog.pos(), QPoint(368, 228));
    const Qt::WindowFlags flags = dialog.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));

    struct Placement {
      const char* name;
      QRect geometry;
    };
    const Placement placements[] = {
        {"Draw3D4", {0, 0, 369, 233}},         {"LabelPlantillas", {16, 2, 321, 33}},
        {"Label2", {16, 34, 321, 33}},         {"Label1", {215, 68, 67, 18}},
        {"ComboBoxPlantilla", {8, 87, 81, 21}}, {"ListBox1", {152, 85, 193, 114}},
        {"LabelNombre", {9, 114, 120, 23}},    {"LabelPlanFec1", {9, 144, 120, 23}},
        {"LabelPlanFec2", {9, 176, 120, 23}},  {"BitBtnContinuar", {255, 203, 89, 25}},
    };
    for (const Placement& placement : placements) {
      auto* widget = dialog.findChild<QWidget*>(QString::fromLatin1(placement.name));
      QVERIFY2(widget, placement.name);
      QCOMPARE(widget->geometry(), placement.geometry);
    }
    QCOMPARE(open.label("LabelPlantillas"),
             "Seleccione la Plantilla Horaria que quiere aplicar a su Horario en Horalix.");
    QCOMPARE(open.label("Label2"), QString::fromUtf8("Las Horas de la Plantilla del día seleccionado, se propagarán "
                                                     "sobre todos los días de las Semana."));
    QCOMPARE(open.label("Label1"), "HORAS");
    const QColor maroon(0x80, 0, 0);
    for (const char* name : {"Label1", "LabelNombre", "LabelPlanFec1", "LabelPlanFec2"}) {
      auto* label = dialog.findChild<QLabel*>(name);
      QCOMPARE(label->palette().color(QPalette::WindowText), maroon);
      QCOMPARE(label->font().pixelSize(), 16);
      QVERIFY(label->font().bold());
    }
    QCOMPARE(dialog.findChild<QLabel*>("Label2")->palette().color(QPalette::WindowText), QColor(Qt::red));
    QCOMPARE(dialog.findChild<QLabel*>("LabelPlantillas")->font().pixelSize(), 13);

    auto* panel = dialog.findChild<app::GradientPanel*>("Draw3D4");
    QCOMPARE(panel->startColor(), QColor(166, 202, 240));
    QCOMPARE(panel->middleColor(), QColor(Qt::white));

    QComboBox* combo = open.combo();
    QVERIFY(combo->isEditable());
    QVERIFY(!combo->completer());
    QCOMPARE(combo->palette().color(QPalette::Base), QColor(Qt::yellow));
    QVERIFY(combo->font().bold());
    auto* continuar = dialog.findChild<QPushButton*>("BitBtnContinuar");
    QCOMPARE(continuar->text(), "Continuar");
    QVERIFY(continuar->isDefault());
    QVERIFY(!continuar->icon().isNull());
  }

  void untouchedDialogHandsBackTheFirstPlan() {
    OpenDialog open(TwoPlans());
    QCOMPARE(open.codes(), (QStringList{"A", "B"}));
    QCOMPARE(open.combo()->currentText(), "A");
    QCOMPARE(open.details(), (QStringList{QString::fromUtf8("Jornada de mañana"), "15/09/2024", "22/06/2025"}));
    QCOMPARE(open.slotLabels(), (QStringList{QString::fromUtf8("1ª"), QString::fromUtf8("2ª")}));
    open.dialog->close();
    QCOMPARE(open.dialog->PlantillaElegida(), std::string("A"));
  }

  void choosingAPlanShowsItsSlotsInDocumentOrder() {
    OpenDialog open(TwoPlans());
    open.choose("B");
    QCOMPARE(open.details(), (QStringList{"Jornada de tarde", "16/09/2024", "20/06/2025"}));
    QCOMPARE(open.slotLabels(), QStringList{QString::fromUtf8("1ª tarde")});
    open.choose("A");
    QCOMPARE(open.slotLabels(), (QStringList{QString::fromUtf8("1ª"), QString::fromUtf8("2ª")}));
    open.choose("B");
    open.continuar();
    QCOMPARE(open.dialog->result(), int(QDialog::Accepted));
    QCOMPARE(open.dialog->PlantillaElegida(), std::string("B"));
  }

  // Typing compares whole texts exactly while the dialog is open; what is
  // handed back loses its surrounding blanks and control characters.
  void typedCodes_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("matches");
    QTest::addColumn<QByteArray>("handedBack");
    QTest::newRow("unknown code") << " ZZ  " << false << QByteArray("ZZ");
    QTest::newRow("other letter case") << "a" << false << QByteArray("a");
    QTest::newRow("trailing blank") << "B " << false << QByteArray("B");
    QTest::newRow("leading blank") << " B" << false << QByteArray("B");
    QTest::newRow("exact") << "B" << true << QByteArray("B");
  }
  void typedCodes() {
    QFETCH(QString, typed);
    QFETCH(bool, matches);
    QFETCH(QByteArray, handedBack);
    OpenDialog open(TwoPlans());
    open.type(typed);
    QCOMPARE(open.combo()->currentText(), typed);
    if (matches) {
      QCOMPARE(open.details().value(0), "Jornada de tarde");
      QCOMPARE(open.slotLabels().size(), 1);
    } else {
      QCOMPARE(open.details(), (QStringList{"-", "-", "-"}));
      QCOMPARE(open.slotLabels(), QStringList{});
    }
    QCOMPARE(open.codes(), (QStringList{"A", "B"}));  // typing adds no entry
    open.continuar();
    QCOMPARE(QByteArray::fromStdString(open.dialog->PlantillaElegida()), handedBack);
  }

  void repeatedCodeShowsTheLaterRecord() {
    DocumentBuilder document;
    document.block("JORNADAS_ESCOLARES",
                   {{"A", "Primera", "01/09/2024", "30/06/2025"}, {"A", "Segunda", "02/09/2024", "29/06/2025"}});
    OpenDialog open(document);
    QCOMPARE(open.details(), (QStringList{"Segunda", "02/09/2024", "29/06/2025"}));
  }

  void singleTimeSlotIsListed() {
    DocumentBuilder document;
    document.block("JORNADAS_ESCOLARES", {{"A", "Uno", "x", "y"}, {"B", "Dos", "x", "y"}})
        .block("TRAMOS_HORARIOS", {{"T1", "Única", "480", "540", "A"}});
    OpenDialog open(document);
    QCOMPARE(open.slotLabels(), QStringList{QString::fromUtf8("Única")});
  }

  // Records short of values read the missing positions as empty text.
  void recordsWithTooFewValues() {
    DocumentBuilder document;
    document.block("JORNADAS_ESCOLARES", {{"A"}, {}, {"B", "Dos", "x", "y"}})
        .block("TRAMOS_HORARIOS", {{"T1", "Sin plan"}, {"T2", "De B", "1", "2", "B"}, {}});
    OpenDialog open(document);
    QCOMPARE(open.codes(), (QStringList{"A", "", "B"}));
    QCOMPARE(open.details(), (QStringList{"", "", ""}));
    QCOMPARE(open.slotLabels(), QStringList{});
    open.choose("B");
    QCOMPARE(open.slotLabels(), QStringList{"De B"});
  }

  void accentedCodeIsShownAndHandedBackInWindows1252() {
    DocumentBuilder document;
    document.block("JORNADAS_ESCOLARES", {{"Mañana", "Jornada", "x", "y"}, {"Tarde", "Jornada", "x", "y"}})
        .block("TRAMOS_HORARIOS", {{"T1", "1ª", "480", "540", "Mañana"}});
    OpenDialog open(document);
    QCOMPARE(open.combo()->currentText(), QString::fromUtf8("Mañana"));
    QCOMPARE(open.slotLabels(), QStringList{QString::fromUtf8("1ª")});
    open.continuar();
    QCOMPARE(open.dialog->PlantillaElegida(), std::string("Ma\xF1" "ana"));
  }

  void documentThatFailsToLoad() {
    TempFolder folder;
    OpenDialog open(folder / "no-existe.xml");
    QCOMPARE(open.dialogs.errors.size(), 1);
    QVERIFY(!open.dialogs.errors.front().isEmpty());
    QCOMPARE(open.codes(), QStringList{});
    QCOMPARE(open.details(), (QStringList{"-", "-", "-"}));
    QCOMPARE(open.slotLabels(), QStringList{});
    open.dialog->close();
    QCOMPARE(open.dialog->PlantillaElegida(), std::string());
  }

  // Enter on the combo box presses the default button; Escape and the close
  // box close too; every way hands back the text.
  void everyWayOfClosingHandsBackTheText_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("enter") << "enter";
    QTest::newRow("escape") << "escape";
    QTest::newRow("close box") << "close";
  }
  void everyWayOfClosingHandsBackTheText() {
    QFETCH(QString, how);
    OpenDialog open(TwoPlans());
    open.combo()->setEditText(" B\t");
    if (how == "enter") QTest::keyClick(open.combo()->lineEdit(), Qt::Key_Return);
    if (how == "escape") QTest::keyClick(open.combo()->lineEdit(), Qt::Key_Escape);
    if (how == "close") open.dialog->close();
    QVERIFY(!open.dialog->isVisible());
    QCOMPARE(open.dialog->PlantillaElegida(), std::string("B"));
    if (how == "enter") QCOMPARE(open.dialog->result(), int(QDialog::Accepted));
  }

  // Shown modally by the real dialogs, as the inbound run shows it.
  void shownModallyByTheRealDialogs() {
    TempFolder folder;
    TwoPlans().write(folder / "centro.xml");
    app::QtUserDialogs dialogs;
    AnswerNextModal([](QWidget* modal) {
      auto* dialog = qobject_cast<app::TPlantillas*>(modal);
      QVERIFY(dialog);
      auto* combo = dialog->findChild<QComboBox*>("ComboBoxPlantilla");
      combo->setCurrentIndex(1);
      QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtnContinuar"), Qt::LeftButton);
    });
    QCOMPARE(dialogs.chooseDayPlan(nullptr, app::FromPath(folder / "centro.xml")), std::string("B"));
  }
};

QTEST_MAIN(PlantillasTest)
#include "plantillas_test.moc"
