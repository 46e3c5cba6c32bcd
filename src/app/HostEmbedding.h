#pragma once
// Putting the main window inside a window of the host program, given that
// window's native handle.
#include <cstdint>

class QWidget;

namespace enlazora::app {

class HostEmbedding {
 public:
  virtual ~HostEmbedding() = default;
  // Makes the frameless window a child of the host window; false, leaving the
  // window as it was, when no window has that handle.
  virtual bool embed(QWidget& window, std::uint32_t hostHandle) = 0;
};

// Through the window system: QWindow::fromWinId and a native parent.
class NativeHostEmbedding : public HostEmbedding {
 public:
  bool embed(QWidget& window, std::uint32_t hostHandle) override;
};

}  // namespace enlazora::app
