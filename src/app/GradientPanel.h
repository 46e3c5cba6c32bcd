#pragma once
// A panel painted with a three-colour gradient from top to bottom, behind the
// controls it holds (decoration only).
#include <QColor>
#include <QWidget>

namespace enlazora::app {

class GradientPanel : public QWidget {
  Q_OBJECT

 public:
  GradientPanel(QColor start, QColor middle, QColor end, QWidget* parent);

  QColor startColor() const { return start_; }
  QColor middleColor() const { return middle_; }
  QColor endColor() const { return end_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor start_;
  QColor middle_;
  QColor end_;
};

}  // namespace enlazora::app
