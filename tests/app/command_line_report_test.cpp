// The window's plain rules: the host's command line and the ini writer.
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/HostCommand.h"
#include "app/OutcomeReport.h"
#include "app/ProfileFile.h"
#include "support/TestSupport.h"

using namespace enlazora::app;
using enlazora::testing::ReadBytes;
using enlazora::testing::TempFolder;
using enlazora::testing::WriteBytes;

class CommandLineReportTest : public QObject {
  Q_OBJECT

 private slots:
  void onlyTwoArgumentsCount_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("counts");
    QTest::newRow("none") << QStringList{} << false;
    QTest::newRow("one") << QStringList{"exportar"} << false;
    QTest::newRow("three") << QStringList{"exportar", "1A2B", "x"} << false;
    QTest::newRow("two") << QStringList{"exportar", "1A2B"} << true;
  }
  void onlyTwoArgumentsCount() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, counts);
    std::vector<std::string> given;
    for (const QString& argument : arguments) given.push_back(argument.toStdString());
    QCOMPARE(HostCommandFrom(given).has_value(), counts);
  }

  void actionWord_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("action");
    QTest::newRow("exportar") << "exportar" << int(HostAction::Exportar);
    QTest::newRow("upper case") << "EXPORTAR" << int(HostAction::Exportar);
    QTest::newRow("mixed importar") << "ImPortar" << int(HostAction::Importar);
    QTest::newRow("leading blank") << " exportar" << int(HostAction::None);
    QTest::newRow("trailing blank") << "importar " << int(HostAction::None);
    QTest::newRow("other word") << "convertir" << int(HostAction::None);
    // Only A to Z are lowered: a dotted capital I is no "i".
    QTest::newRow("not A-Z") << QString::fromUtf8("\u0130MPORTAR") << int(HostAction::None);
  }
  void actionWord() {
    QFETCH(QString, word);
    QFETCH(int, action);
    const auto command = HostCommandFrom({word.toStdString(), "1A2B"});
    QVERIFY(command.has_value());
    QCOMPARE(int(command->action()), action);
  }

  void handleIsHexadecimal_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qlonglong>("handle");
    QTest::newRow("1A2B") << "1A2B" << qlonglong(0x1A2B);
    QTest::newRow("digits only read as hex") << "12345" << qlonglong(0x12345);
    QTest::newRow("lower case") << "abcdef" << qlonglong(0xABCDEF);
    QTest::newRow("32 bits") << "FFFFFFFF" << qlonglong(0xFFFFFFFF);
    QTest::newRow("leading zeros") << "000000001A2B" << qlonglong(0x1A2B);
  }
  void handleIsHexadecimal() {
    QFETCH(QString, text);
    QFETCH(qlonglong, handle);
    QCOMPARE(qlonglong(ParseHostHandle(text.toStdString())), handle);
  }

  void badHandleGivesParserMessage_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("letters") << "XYZ";
    QTest::newRow("empty") << "";
    QTest::newRow("blank before") << " 1A";
    QTest::newRow("blank after") << "1A ";
    QTest::newRow("sign") << "-1";
    QTest::newRow("0x prefix") << "0x1A";
    QTest::newRow("over 32 bits") << "100000000";
  }
  void badHandleGivesParserMessage() {
    QFETCH(QString, text);
    try {
      ParseHostHandle(text.toStdString());
      QFAIL("no error");
    } catch (const HandleError& error) {
      QCOMPARE(QString::fromUtf8(error.what()), "'$" + text + QString::fromUtf8("' no es un valor entero válido"));
    }
  }

  void profileValueIsSetWithEverythingElseKept_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("empty file") << QByteArray() << QByteArray("[Transformadores]\r\nTransformado=1\r\n");
    QTest::newRow("other section, CRLF")
        << QByteArray("[Horalix]\r\nRuta=C:\\HTEMP\r\n")
        << QByteArray("[Horalix]\r\nRuta=C:\\HTEMP\r\n[Transformadores]\r\nTransformado=1\r\n");
    QTest::newRow("LF file keeps LF")
        << QByteArray("; host settings\n[Horalix]\nRuta=x\n")
        << QByteArray("; host settings\n[Horalix]\nRuta=x\n[Transformadores]\nTransformado=1\n");
    QTest::newRow("no line end at the end")
        << QByteArray("[Horalix]\r\nRuta=x") << QByteArray("[Horalix]\r\nRuta=x\r\n[Transformadores]\r\nTransformado=1\r\n");
    QTest::newRow("key replaced, other keys and sections kept")
        << QByteArray("[A]\r\nk=v\r\n[Transformadores]\r\nOtro=7\r\nTransformado=-1\r\n; nota\r\n[B]\r\nz=1\r\n")
        << QByteArray("[A]\r\nk=v\r\n[Transformadores]\r\nOtro=7\r\nTransformado=1\r\n; nota\r\n[B]\r\nz=1\r\n");
    QTest::newRow("section and key found without regard to case")
        << QByteArray("[ transformadores ]\r\n  TRANSFORMADO = 0\r\n")
        << QByteArray("[ transformadores ]\r\nTRANSFORMADO=1\r\n");
    QTest::newRow("key added after the section's last line, before blank lines")
        << QByteArray("[Transformadores]\r\nOtro=7\r\n\r\n[B]\r\nz=1\r\n")
        << QByteArray("[Transformadores]\r\nOtro=7\r\nTransformado=1\r\n\r\n[B]\r\nz=1\r\n");
    QTest::newRow("same key in a later section untouched")
        << QByteArray("[B]\r\nTransformado=5\r\n[Transformadores]\r\n")
        << QByteArray("[B]\r\nTransformado=5\r\n[Transformadores]\r\nTransformado=1\r\n");
  }
  void profileValueIsSetWithEverythingElseKept() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QCOMPARE(QByteArray::fromStdString(WithProfileValue(before.toStdString(), "Transformadores", "Transformado", "1")),
             after);
  }

  void reportCreatesTheFile() {
    TempFolder folder;
    WriteOutcomeReport(folder.path(), -1);
    QCOMPARE(QByteArray::fromStdString(ReadBytes(folder / "Horalix.ini")),
             QByteArray("[Transformadores]\r\nTransformado=-1\r\n"));
    WriteOutcomeReport(folder.path(), 1);
    QCOMPARE(QByteArray::fromStdString(ReadBytes(folder / "Horalix.ini")),
             QByteArray("[Transformadores]\r\nTransformado=1\r\n"));
    QCOMPARE(std::distance(std::filesystem::directory_iterator(folder.path()), std::filesystem::directory_iterator()),
             1);  // nothing left beside it
  }

  void reportUsesTheFileWhateverItsLetterCase() {
    TempFolder folder;
    WriteBytes(folder / "HORALIX.INI", "[Horalix]\r\nRuta=x\r\n");
    WriteOutcomeReport(folder.path(), 0);
    QVERIFY(!std::filesystem::exists(folder / "Horalix.ini"));
    QCOMPARE(QByteArray::fromStdString(ReadBytes(folder / "HORALIX.INI")),
             QByteArray("[Horalix]\r\nRuta=x\r\n[Transformadores]\r\nTransformado=0\r\n"));
  }

  void unwritableFolderGivesSpanishMessage() {
    TempFolder folder;
    const auto missing = folder / "no-such-folder";
    try {
      WriteOutcomeReport(missing, 1);
      QFAIL("no error");
    } catch (const ProfileError& error) {
      QVERIFY(QString::fromUtf8(error.what()).startsWith("No se pudo escribir el archivo "));
      QVERIFY(QString::fromUtf8(error.what()).contains("Horalix.ini"));
    }
  }
};

QTEST_APPLESS_MAIN(CommandLineReportTest)
#include "command_line_report_test.moc"
