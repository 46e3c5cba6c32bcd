#pragma once
// An expected condition that ends a run with one of its fixed messages (the
// document missing, a table that must be there missing). Every other failure
// reaches the caller as another exception carrying its Spanish message.
#include <stdexcept>

namespace enlazora {

enum class StopReason {
  MissingDocument,      // "No existe archivo": a hosted window reports -1 and closes
  MissingPrerequisite,  // level reference table or periods table missing
};

class RunStopped : public std::runtime_error {
 public:
  RunStopped(StopReason reason, const char* message) : std::runtime_error(message), reason_(reason) {}
  StopReason reason() const { return reason_; }

 private:
  StopReason reason_;
};

}  // namespace enlazora
