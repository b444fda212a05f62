#pragma once
// Opening the input file of a command through the import command, its dialog
// answered from the command's flags.

#include <memory>
#include <set>
#include <string>

#include "cli/cli_options.h"
#include "cli/cli_prompt.h"
#include "model/app_values.h"
#include "model/font_set.h"

namespace dotforge::cli {

// Options that choose how the input is read: --from, --width, --height,
// --word-bits, --face, --charmap, and for bitmap fonts --baseline, --codes,
// --encoding, --font-type.
const std::set<std::string>& InputOptions();
// The help lines describing them.
const char* InputOptionsHelp();
// Options and flags of commands that keep an outline font's codes: --pixel-size,
// --keep-codes; and their help lines.
const std::set<std::string>& KeepCodesOptions();
const std::set<std::string>& KeepCodesFlags();
const char* KeepCodesOptionsHelp();

// The opened font set (which may hold fewer characters than the file, after a
// message through `prompt`). Nothing either after a usage error, explained in
// `error`, or when the import reported a problem (`error` stays empty).
std::unique_ptr<CDotforgeImportDoc> OpenInputFile(const std::string& file, const ParsedArguments& parsed,
                                                  AppValues& app, CliPrompt& prompt, std::string& error);

// The font file named first, for a command whose --encoding is the code page of
// its text: that option never re-encodes the font, which is opened without it.
std::unique_ptr<CDotforgeImportDoc> OpenFontForText(const ParsedArguments& parsed, AppValues& app, CliPrompt& prompt,
                                                    std::string& error);

}  // namespace dotforge::cli
