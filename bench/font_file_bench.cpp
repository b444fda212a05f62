// Reading and writing a full double-byte font (every code 0x20..0xFFFF, 24 x 24
// dots: about 4.7 MB of cells) in the DAT and DDB formats. Bytes processed are
// the cell bytes, so the rates compare with the 200 MB/s target.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "bench_fonts.h"
#include "framework/scripted_prompt.h"
#include "model/download_file.h"
#include "model/file_access.h"
#include "model/native_file.h"

namespace dotforge {
namespace {

constexpr std::int32_t kSide = 24;

const CDotforgeImportDoc& BigFont() {
  static const auto doc = bench::PatternedFont(kSide, kSide, bench::kFullFontFirstCode, bench::kFullFontCount);
  return *doc;
}

std::int64_t CellBytes() { return static_cast<std::int64_t>(BigFont().characters.size() * CellSize(kSide, kSide)); }

using Encoder = std::optional<Bytes> (*)(const CDotforgeImportDoc&, Prompt&);
using Reader = void (*)(CDotforgeImportDoc&, ByteView, Prompt&);

std::optional<Bytes> EncodeDdb(const CDotforgeImportDoc& doc, Prompt& prompt) {
  return EncodeDdbFile(doc, "BENCH   ", prompt);
}

void Encode(benchmark::State& state, Encoder encode) {
  ScriptedPrompt prompt;
  for (auto _ : state) benchmark::DoNotOptimize(encode(BigFont(), prompt));
  state.SetBytesProcessed(state.iterations() * CellBytes());
}

void Read(benchmark::State& state, Encoder encode, Reader read) {
  ScriptedPrompt prompt;
  const Bytes file = *encode(BigFont(), prompt);
  for (auto _ : state) {
    CDotforgeImportDoc doc;
    read(doc, file, prompt);
    benchmark::DoNotOptimize(doc.characters.data());
  }
  state.SetBytesProcessed(state.iterations() * CellBytes());
}

// Encoding plus the atomic replace of a file on disk (written, flushed, renamed).
void Save(benchmark::State& state, Encoder encode) {
  ScriptedPrompt prompt;
  const auto path = std::filesystem::temp_directory_path() / "dotforge-bench.font";
  for (auto _ : state) {
    const std::optional<Bytes> file = encode(BigFont(), prompt);
    benchmark::DoNotOptimize(SaveFontFile(path, *file, prompt));
  }
  std::filesystem::remove(path);
  state.SetBytesProcessed(state.iterations() * CellBytes());
}

BENCHMARK_CAPTURE(Encode, Dat, &EncodeNativeFile)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Read, Dat, &EncodeNativeFile, static_cast<Reader>(&ReadNativeFile))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Save, Dat, &EncodeNativeFile)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Encode, Ddb, &EncodeDdb)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Read, Ddb, &EncodeDdb, &ReadDdbFile)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Save, Ddb, &EncodeDdb)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dotforge
