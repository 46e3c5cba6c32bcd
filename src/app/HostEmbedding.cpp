#include "app/HostEmbedding.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#elif defined(ENLAZORA_HAVE_XCB)
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

namespace enlazora::app {
namespace {

// Whether a window with that handle exists right now.
bool HostWindowExists(std::uint32_t hostHandle) {
  if (hostHandle == 0) return false;
#ifdef _WIN32
  return IsWindow(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(hostHandle))) != FALSE;
#elif defined(ENLAZORA_HAVE_XCB)
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) return true;  // another window system: let it judge
  xcb_connection_t* connection = x11->connection();
  xcb_generic_error_t* error = nullptr;
  xcb_get_window_attributes_reply_t* reply = xcb_get_window_attributes_reply(
      connection, xcb_get_window_attributes(connection, hostHandle), &error);
  const bool exists = reply != nullptr;
  std::free(reply);
  std::free(error);
  return exists;
#else
  return true;
#endif
}

}  // namespace

bool NativeHostEmbedding::embed(QWidget& window, std::uint32_t hostHandle) {
  if (!HostWindowExists(hostHandle)) return false;
  QWindow* host = QWindow::fromWinId(static_cast<WId>(hostHandle));
  if (!host) return false;
  // The foreign window stands for the host's window for the rest of the
  // process; it is never destroyed by us.
  window.setAttribute(Qt::WA_NativeWindow);
  window.winId();  // creates the native window
  window.windowHandle()->setParent(host);
  window.move(0, 0);
  return true;
}

}  // namespace enlazora::app
