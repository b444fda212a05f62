#include "comm/usb_endpoints.h"

namespace dotforge {
namespace {

constexpr std::uint8_t kEndpointType = 5;
constexpr std::uint8_t kBulkAttributes = 2;
constexpr std::uint8_t kDirectionIn = 0x80;
constexpr std::size_t kEndpointFields = 4;  // length, type, address, attributes

bool PassedOver(std::uint8_t type) {
  return (type >= 1 && type <= 4) || type == 0x21 || type == 0x24 || type == 0x25;
}

}  // namespace

EndpointWalk FindBulkEndpoints(ByteView descriptors, BulkEndpoints& found) {
  found = {};
  if (descriptors.empty()) return EndpointWalk::ZeroLength;
  std::size_t at = 0;
  while (descriptors.size() - at >= 2) {
    const std::uint8_t length = descriptors[at];
    const std::uint8_t type = descriptors[at + 1];
    if (length == 0 || length > descriptors.size() - at) break;
    if (type == kEndpointType) {
      // An endpoint descriptor too short to hold its attributes says nothing.
      if (length >= kEndpointFields && descriptors[at + 3] == kBulkAttributes) {
        const std::uint8_t address = descriptors[at + 2];
        (address < kDirectionIn ? found.out : found.in) = address;
      }
    } else if (!PassedOver(type)) {
      return EndpointWalk::UnknownDescriptor;
    }
    at += length;
  }
  return found.out != 0 && found.in != 0 ? EndpointWalk::Found : EndpointWalk::NotFound;
}

}  // namespace dotforge
