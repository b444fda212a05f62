#pragma once
// The abstract transport behind the communication context. A transport opens
// its device and hands over descriptors; the context's reader and writer threads
// do the reading and writing on them.

#include <atomic>
#include <cstddef>

#include "platform/overlapped_io.h"

namespace dotforge {

class CCommContext;

class CCommInfo {
 public:
  CCommInfo(CCommContext& owner, std::size_t largestWrite) : owner(owner), largestWrite(largestWrite) {}
  CCommInfo(const CCommInfo&) = delete;
  CCommInfo& operator=(const CCommInfo&) = delete;
  virtual ~CCommInfo() = default;

  // Each returns true for success, except ApplySettings.
  virtual bool CreateHandle() { return true; }
  virtual bool Open() { return true; }
  virtual bool SetDefaults() { return true; }
  virtual void ApplySettings() {}
  // Takes the transport out of service before the context closes its descriptors.
  virtual bool Close() { return true; }

  std::atomic<int> running{0};
  int readFd = -1;
  int writeFd = -1;
  CCommContext& owner;
  OverlappedIo readRecord;
  OverlappedIo writeRecord;
  std::size_t largestWrite;
};

}  // namespace dotforge
