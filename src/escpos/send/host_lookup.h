#pragma once
// Looking a host name up without holding the caller: getaddrinfo runs on a
// thread of its own, and the caller waits for it together with its cancel.

#include <netdb.h>

#include <memory>
#include <string>

#include "platform/event.h"

namespace dotforge {

// The addresses of one lookup; freed with the object.
class HostAddresses {
 public:
  HostAddresses() = default;
  explicit HostAddresses(addrinfo* list) : list_(list, &freeaddrinfo) {}
  const addrinfo* First() const { return list_.get(); }

 private:
  std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> list_{nullptr, &freeaddrinfo};
};

struct LookupResult {
  enum class Status { Found, NotFound, Cancelled, TimedOut } status = Status::NotFound;
  HostAddresses addresses;
};

// TCP addresses of `host` and `port`. A lookup left behind (cancel, limit)
// finishes on its own thread and frees what it found.
LookupResult LookUpHost(const std::string& host, std::uint16_t port, Event& cancel, const Deadline& deadline);

}  // namespace dotforge
