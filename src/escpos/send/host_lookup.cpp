#include "escpos/send/host_lookup.h"

#include <mutex>
#include <thread>

namespace dotforge {
namespace {

// Shared by the waiter and the lookup thread; whichever lets go last frees it.
struct Lookup {
  Event done{ResetMode::Manual};
  std::mutex lock;
  int status = EAI_FAIL;
  HostAddresses addresses;
};

}  // namespace

LookupResult LookUpHost(const std::string& host, std::uint16_t port, Event& cancel, const Deadline& deadline) {
  auto lookup = std::make_shared<Lookup>();
  std::thread([lookup, host, service = std::to_string(port)] {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* list = nullptr;
    const int status = getaddrinfo(host.c_str(), service.c_str(), &hints, &list);
    {
      const std::lock_guard guard(lookup->lock);
      lookup->status = status;
      if (status == 0) lookup->addresses = HostAddresses(list);
    }
    lookup->done.Set();
  }).detach();

  LookupResult result;
  const WaitOutcome outcome = WaitForAny({&cancel, &lookup->done}, deadline.RemainingMs());
  if (outcome.kind == WaitOutcome::Kind::TimedOut) {
    result.status = LookupResult::Status::TimedOut;
  } else if (outcome.kind == WaitOutcome::Kind::Signaled && outcome.index == 0) {
    result.status = LookupResult::Status::Cancelled;
  } else if (outcome.kind == WaitOutcome::Kind::Signaled) {
    const std::lock_guard guard(lookup->lock);
    if (lookup->status == 0) {
      result.status = LookupResult::Status::Found;
      result.addresses = std::move(lookup->addresses);
    }
  }
  return result;
}

}  // namespace dotforge
