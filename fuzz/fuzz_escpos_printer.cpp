// Feeds arbitrary bytes to the virtual ESC/POS printer in pieces of two sizes
// and checks that it keeps within the paper and reports every fault it counts.
#include <cstdint>
#include <cstdlib>

#include "escpos/sim/escpos_printer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dotforge;
  std::size_t reports = 0;
  EscPosPrinter printer({}, [&reports](const std::string&) { ++reports; });
  const ByteView input(data, size);
  const std::size_t piece = size > 0 ? 1 + data[0] % 7 : 1;
  for (std::size_t at = 0; at < size; at += piece) printer.Feed(input.subspan(at, std::min(piece, size - at)));
  printer.Finish();
  if (reports != printer.Faults()) std::abort();
  for (const PrintedLine& line : printer.Lines()) {
    std::int32_t width = 0;
    for (const PrintedCell& cell : line) width += cell.Width();
    if (width > kReceiptWidth) std::abort();
  }
  return 0;
}
