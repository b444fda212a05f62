#include "usb/usb_requests.h"

namespace dotforge::usb {

Bytes EncodeDriverInfo(const DriverInfo& info) {
  Bytes out;
  PutU16LE(out, info.interfaceVersion);
  PutU16LE(out, info.driverVersion);
  PutU32LE(out, info.build);
  PutU32LE(out, info.flags);
  return out;
}

DriverInfo DecodeDriverInfo(ByteView bytes) {
  return {GetU16LE(bytes, 0), GetU16LE(bytes, 2), GetU32LE(bytes, 4), GetU32LE(bytes, 8)};
}

Bytes EncodeDescriptorRequest(const DescriptorRequest& request) {
  Bytes out;
  PutU32LE(out, request.recipient);
  PutU8(out, request.type);
  PutU8(out, request.index);
  PutU16LE(out, request.language);
  return out;
}

DescriptorRequest DecodeDescriptorRequest(ByteView bytes) {
  return {GetU32LE(bytes, 0), bytes[4], bytes[5], GetU16LE(bytes, 6)};
}

Bytes EncodeSetConfiguration(const SetConfigurationRequest& request) {
  Bytes out;
  PutU16LE(out, request.configurationIndex);
  PutU16LE(out, request.interfaceCount);
  for (const InterfaceSetting& entry : request.interfaces) {
    PutU16LE(out, entry.interfaceIndex);
    PutU16LE(out, entry.alternateSetting);
    PutU32LE(out, entry.maximumTransfer);
  }
  return out;
}

SetConfigurationRequest DecodeSetConfiguration(ByteView bytes) {
  SetConfigurationRequest request;
  request.configurationIndex = GetU16LE(bytes, 0);
  request.interfaceCount = GetU16LE(bytes, 2);
  for (std::size_t i = 0; i < kConfigurationEntries; ++i) {
    const std::size_t at = 4 + i * 8;
    request.interfaces[i] = {GetU16LE(bytes, at), GetU16LE(bytes, at + 2), GetU32LE(bytes, at + 4)};
  }
  return request;
}

}  // namespace dotforge::usb
