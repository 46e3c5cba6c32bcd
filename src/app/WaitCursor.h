#pragma once
// The hourglass pointer for the whole application while this object lives;
// the pointer before it comes back however the scope is left.
#include <QApplication>
#include <QCursor>

namespace enlazora::app {

class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace enlazora::app
