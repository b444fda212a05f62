#pragma once
// The options of 'dotforge-cli escpos': the connection (--port with its line
// settings, --host, --device), the printer font, the sample text and its code
// page.

#include <optional>
#include <set>
#include <string>

#include "cli/cli_options.h"
#include "escpos/escpos_stream.h"
#include "escpos/escpos_target.h"
#include "model/font_set.h"

namespace dotforge::cli {

// --port, --baud, --parity, --flow, --host, --device
const std::set<std::string>& EscPosConnectionOptions();
// --font, --text, --encoding
const std::set<std::string>& EscPosStreamOptionNames();

// The one connection the options name; nothing, with the reason in `error`,
// when there is none, more than one, or a value is wrong.
std::optional<EscPosTarget> EscPosTargetFrom(const ParsedArguments& parsed, std::string& error);

// HOST, HOST:PORT, [IPv6] or [IPv6]:PORT; a bare IPv6 address takes the
// default port.
std::optional<EscPosTarget> ParseHost(const std::string& text, std::string& error);

// The stream options for `doc`: --font (default: the smallest printer font
// whose cell holds the set's), --text, --encoding (default CP437).
std::optional<EscPosStreamOptions> EscPosStreamOptionsFrom(const ParsedArguments& parsed,
                                                           const CDotforgeImportDoc& doc, std::string& error);

}  // namespace dotforge::cli
