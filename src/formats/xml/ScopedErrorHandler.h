#pragma once
// Routes libxml2's error reports on this thread to a handler of ours while it
// lives, so that nothing is printed and every fault can become a message.
#include <libxml/xmlerror.h>

namespace enlazora::formats {

class ScopedErrorHandler {
 public:
  ScopedErrorHandler(void* data, xmlStructuredErrorFunc handler)
      : previousHandler_(xmlStructuredError), previousData_(xmlStructuredErrorContext) {
    xmlSetStructuredErrorFunc(data, handler);
  }
  ~ScopedErrorHandler() { xmlSetStructuredErrorFunc(previousData_, previousHandler_); }
  ScopedErrorHandler(const ScopedErrorHandler&) = delete;
  ScopedErrorHandler& operator=(const ScopedErrorHandler&) = delete;

  // For callers that learn of failures by other means.
  static void Ignore(void*, xmlErrorPtr) {}

 private:
  xmlStructuredErrorFunc previousHandler_;
  void* previousData_;
};

}  // namespace enlazora::formats
