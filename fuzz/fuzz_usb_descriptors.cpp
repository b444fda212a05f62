// Walks arbitrary bytes as a USB configuration descriptor set; whatever the
// walk reports must agree with the endpoints it found.
#include <cstdint>
#include <cstdlib>

#include "comm/usb_endpoints.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dotforge;
  BulkEndpoints found;
  const EndpointWalk walk = FindBulkEndpoints(ByteView(data, size), found);
  if ((walk == EndpointWalk::ZeroLength) != (size == 0)) std::abort();
  if (found.out >= 0x80 || (found.in != 0 && found.in < 0x80)) std::abort();
  if (walk == EndpointWalk::Found && (found.out == 0 || found.in == 0)) std::abort();
  if (walk == EndpointWalk::NotFound && found.out != 0 && found.in != 0) std::abort();
  return 0;
}
