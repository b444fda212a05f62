#include "formats/firmware/firmware_files.h"

#include "formats/codepages/code_ranges.h"
#include "formats/firmware/carray_reader.h"
#include "formats/firmware/carray_writer.h"
#include "formats/firmware/firmware_options.h"
#include "formats/firmware/gfx_writer.h"

namespace dotforge {

bool WriteGfxFont(const FormatWrite& write) {
  // The codes were checked where they were given; empty writes every code.
  const GfxOptions options{write.answer.baseline,
                           ParseCodeRanges(write.answer.codes).value_or(std::vector<CodeRange>{})};
  return WriteGfxFile(write.doc, write.path, options, write.prompt);
}

bool WriteCArray(const FormatWrite& write) {
  return WriteCArrayFile(write.doc, write.path, CArrayOptionsOf(write.answer.carray), write.prompt);
}

bool ReadCArray(const FormatRead& read) { return ImportCArray(read.request, read.prompt); }

}  // namespace dotforge
