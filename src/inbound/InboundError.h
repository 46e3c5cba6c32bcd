#pragma once
// A failure that stops the inbound run; the message is the Spanish text shown
// to the user (UTF-8).
#include <stdexcept>

namespace enlazora::inbound {

class InboundError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace enlazora::inbound
