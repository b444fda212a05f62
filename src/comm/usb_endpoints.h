#pragma once
// Finding the bulk endpoints in a configuration descriptor set.

#include <cstdint>

#include "platform/bytes.h"

namespace dotforge {

struct BulkEndpoints {
  std::uint8_t out = 0;  // below 0x80: the write side; 0 = not found
  std::uint8_t in = 0;   // 0x80 and above: the read side; 0 = not found
};

enum class EndpointWalk {
  Found,              // both endpoints found
  NotFound,           // the walk ended without both
  ZeroLength,         // the device returned no descriptors
  UnknownDescriptor,  // a descriptor of a type that has no place here
};

// Walks the descriptors in order. Interface-level types (device, configuration,
// string, interface, class-specific 0x21, 0x24, 0x25) are passed over; a bulk
// endpoint sets the address of its direction, a later one replacing an earlier
// one; any other type ends the walk as UnknownDescriptor. A descriptor claiming
// no length or more bytes than remain ends the walk.
EndpointWalk FindBulkEndpoints(ByteView descriptors, BulkEndpoints& found);

}  // namespace dotforge
