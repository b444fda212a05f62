// Feeds arbitrary bytes to the simulated printer and checks that its answers
// and its memory stay within bounds.
#include <cstdint>
#include <cstdlib>

#include "printersim/printer_engine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dotforge;
  constexpr std::size_t kMemory = 4096;
  sim::PrinterEngine engine(kMemory);
  for (std::size_t i = 0; i < size; ++i) {
    Bytes reply;
    std::vector<std::string> log;
    engine.Feed(data[i], reply, log);
    // The longest answer is a font information record (15) or the memory text.
    if (reply.size() > 15 || engine.FreeMemory() > kMemory) std::abort();
  }
  std::size_t used = 0;
  for (const auto& slot : engine.Slots()) used += slot ? slot->bytes : 0;
  if (used > kMemory) std::abort();
  return 0;
}
