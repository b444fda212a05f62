#include "fuzz/reader_fuzz.h"
#include "model/native_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dotforge;
  return fuzz::FuzzReader(data, size, [](CDotforgeImportDoc& doc, ByteView bytes, Prompt& prompt) {
    ReadNativeFile(doc, bytes, prompt);
  });
}
