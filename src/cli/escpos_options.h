#pragma once
// The options of 'dotforge-cli escpos': the connection (--port with its line
// settings, --host, --device), the printer font, the sample text and its code
// page.

#include <optional>
#include <set>
#include <string>

#include "cli/cli_options.h"
#include "escpos/streams/escpos_stream.h"
#include "escpos/send/escpos_target.h"
#include "escpos/streams/picture_stream.h"
#include "model/font_set.h"
#include "receipt/table_lines.h"
#include "receipt/text_lines.h"

namespace dotforge::cli {

// --port, --baud, --parity, --flow, --host, --device
const std::set<std::string>& EscPosConnectionOptions();
// --font, --text, --encoding
const std::set<std::string>& EscPosStreamOptionNames();

// escpos print: --codes, --zoom, --paper-dots, --image (besides --text and --encoding)
const std::set<std::string>& EscPosPrintOptionNames();
// escpos print's flags: --table, --cut
const std::set<std::string>& EscPosPrintFlagNames();

// What escpos print prints, and how.
struct EscPosPrintChoice {
  std::optional<TextPrintRequest> text;
  std::optional<TablePrintRequest> table;
  PictureStreamOptions stream;
};

// --text TEXT or --table [--codes LIST], --encoding (the text's, as for
// preview), --zoom 1..8, --paper-dots, --image raster|column, --cut.
std::optional<EscPosPrintChoice> EscPosPrintChoiceFrom(const ParsedArguments& parsed, std::string& error);

// The receipt lines of the choice for `doc`; nothing, with the message in `error`.
std::optional<std::vector<ReceiptLine>> EscPosPrintLines(const CDotforgeImportDoc& doc, const EscPosPrintChoice& choice,
                                                         std::string& error);

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
