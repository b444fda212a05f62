#include "fuzz/reader_fuzz.h"
#include "model/download_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dotforge;
  return fuzz::FuzzReader(data, size, [](CDotforgeImportDoc& doc, ByteView bytes, Prompt& prompt) {
    ReadDdbFile(doc, bytes, prompt);
  });
}
