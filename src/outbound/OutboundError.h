#pragma once
// A run that cannot go on for a reason of the outbound conversion itself (an
// input without the container it needs, a result that would overwrite the
// chosen document); the message is the Spanish text shown to the user.
#include <stdexcept>

namespace enlazora::outbound {

class OutboundError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace enlazora::outbound
