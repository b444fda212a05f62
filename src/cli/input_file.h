#pragma once
// Opening the input file of a command as the import command would.

#include <memory>
#include <set>
#include <string>

#include "cli/cli_options.h"
#include "framework/prompt.h"
#include "model/font_set.h"

namespace dotforge::cli {

// Options that choose how the input is read: --from, --width, --height, --word-bits.
const std::set<std::string>& InputOptions();
// The help lines describing them.
const char* InputOptionsHelp();

// The opened font set (which may hold fewer characters than the file, after a
// message through `prompt`), or nothing after a usage error in `error`.
std::unique_ptr<CDotforgeImportDoc> OpenInputFile(const std::string& file, const ParsedArguments& parsed,
                                                  Prompt& prompt, std::string& error);

}  // namespace dotforge::cli
