// Character operations on the fullest double-byte set there can be: every code
// 0x20..0xFFFF (65,504 characters of 24 x 24 dots). Single-character operations
// (Add, Delete, Map, an editor's write-back) walk the whole lists, so they show
// the worst case against a 16 ms frame; the font-wide shift and rotate touch
// every glyph.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

#include "bench_fonts.h"
#include "edit/edit_doc.h"
#include "edit/font_transform.h"
#include "model/character_operations.h"

namespace dotforge {
namespace {

constexpr std::int32_t kSide = 24;
constexpr std::int32_t kMovingCode = 0x8000;  // a code in the middle of the lists
constexpr Rect kMovingCell{1, 1, 2, 2};

// Answers the Character Position dialog with one code; nothing else is asked.
class BenchPrompt : public Prompt {
 public:
  explicit BenchPrompt(std::string code) : code_(std::move(code)) {}
  void ShowMessage(std::string_view, MessageKind) override {}
  Answer Ask(std::string_view, Buttons) override { return Answer::Ok; }
  bool RequestCodeEntry(CodeEntryFields& fields, const DialogCheck<CodeEntryFields>& ok) override {
    fields.code = code_;
    return ok(fields);
  }
  bool RequestNewFont(NewFontFields&, const NewFontDialogLogic&) override { return false; }
  bool RequestFontProperties(FontPropertiesFields&, const DialogCheck<FontPropertiesFields>&) override {
    return false;
  }
  std::optional<ExportDialogAnswer> RunExportFileDialog(const ExportDialogRequest&) override { return {}; }
  std::optional<ImportDialogAnswer> RunImportFileDialog(const ImportDialogRequest&) override { return {}; }
  std::optional<FontFacesAnswer> RunFontFacesDialog(const FontFacesRequest&) override { return {}; }

 private:
  std::string code_;
};

std::unique_ptr<CDotforgeImportDoc> FullFont(std::int32_t width, std::int32_t height) {
  return bench::PatternedFont(width, height, bench::kFullFontFirstCode, bench::kFullFontCount);
}

CharacterRecord& RecordOf(CDotforgeImportDoc& font, std::int32_t code) {
  const auto at = std::lower_bound(font.codes.begin(), font.codes.end(), code) - font.codes.begin();
  return *font.characters[static_cast<std::size_t>(at)];
}

// The full set without kMovingCode, which Add puts back in the middle.
std::unique_ptr<CDotforgeImportDoc> FontWithAGap() {
  auto font = FullFont(kSide, kSide);
  RecordOf(*font, kMovingCode).cellRect = kMovingCell;
  DeleteCharacter(*font, kMovingCell);
  return font;
}

void AddThenDelete(benchmark::State& state) {
  auto font = FontWithAGap();
  BenchPrompt prompt(FormatLabel(kMovingCode));
  for (auto _ : state) {
    AddCharacter(*font, prompt);
    RecordOf(*font, kMovingCode).cellRect = kMovingCell;
    DeleteCharacter(*font, kMovingCell);
  }
}

void Add(benchmark::State& state) {
  auto font = FontWithAGap();
  BenchPrompt prompt(FormatLabel(kMovingCode));
  for (auto _ : state) {
    AddCharacter(*font, prompt);
    state.PauseTiming();
    RecordOf(*font, kMovingCode).cellRect = kMovingCell;
    DeleteCharacter(*font, kMovingCell);
    state.ResumeTiming();
  }
}

void Delete(benchmark::State& state) {
  auto font = FontWithAGap();
  BenchPrompt prompt(FormatLabel(kMovingCode));
  for (auto _ : state) {
    state.PauseTiming();
    AddCharacter(*font, prompt);
    RecordOf(*font, kMovingCode).cellRect = kMovingCell;
    state.ResumeTiming();
    DeleteCharacter(*font, kMovingCell);
  }
}

// Moves the first character to the gap in the middle and back: two Maps.
void MapThereAndBack(benchmark::State& state) {
  auto font = FontWithAGap();
  BenchPrompt there(FormatLabel(kMovingCode));
  BenchPrompt back(FormatLabel(0x20));
  for (auto _ : state) {
    RecordOf(*font, 0x20).cellRect = kMovingCell;
    MapCharacter(*font, kMovingCell, there);
    RecordOf(*font, kMovingCode).cellRect = kMovingCell;
    MapCharacter(*font, kMovingCell, back);
  }
  if (font->codes.front() != 0x20 || RecordOf(*font, kMovingCode).label == "8000") state.SkipWithError("map failed");
}

// An editor on the last character: write-back finds it by its label at the end of the list.
void WriteBackLastCharacter(benchmark::State& state) {
  auto font = FullFont(kSide, kSide);
  CharacterRecord& last = *font->characters.back();
  CDotforgeEditDoc editor(PendingEdit{font.get(), EditorTitle(*font, last), &last.bitmap, kSide, kSide});
  for (auto _ : state) editor.WriteBack();
}

void ShiftWholeFont(benchmark::State& state) {
  auto font = FullFont(kSide, kSide);
  for (auto _ : state) ShiftFontSet(*font, ShiftDirection::Right);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(font->characters.size()));
}

void RotateWholeFont(benchmark::State& state) {
  auto font = FullFont(static_cast<std::int32_t>(state.range(0)), static_cast<std::int32_t>(state.range(1)));
  for (auto _ : state) RotateFontSet(*font);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(font->characters.size()));
}

BENCHMARK(AddThenDelete)->Unit(benchmark::kMicrosecond);
BENCHMARK(Add)->Unit(benchmark::kMicrosecond);
BENCHMARK(Delete)->Unit(benchmark::kMicrosecond);
BENCHMARK(MapThereAndBack)->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteBackLastCharacter)->Unit(benchmark::kMicrosecond);
BENCHMARK(ShiftWholeFont)->Unit(benchmark::kMillisecond);
BENCHMARK(RotateWholeFont)->Args({24, 24})->Args({12, 24})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dotforge
