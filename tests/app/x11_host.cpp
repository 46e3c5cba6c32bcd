// A stand-in for the host program's window: a plain top-level window that
// prints its native handle in hexadecimal digits and waits to be closed.
#include <QApplication>
#include <QTextStream>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget host;
  host.setWindowTitle(QStringLiteral("Horalix"));
  host.setFixedSize(700, 320);
  host.move(40, 40);
  QPalette palette = host.palette();
  palette.setColor(QPalette::Window, QColor(0x40, 0x40, 0x60));
  host.setPalette(palette);
  host.setAutoFillBackground(true);
  host.show();
  QTextStream(stdout) << QString::number(host.winId(), 16).toUpper() << Qt::endl;
  return QApplication::exec();
}
