#include "model/new_font.h"

#include <cctype>
#include <string>

#include "model/character_record.h"
#include "model/dialog_numbers.h"
#include "model/model_messages.h"

namespace dotforge {
namespace {

constexpr std::size_t kMostFileNameCharacters = 8;
constexpr std::int32_t kFirstCode = 0x20;
constexpr std::int32_t kSingleByteLastCode = 0xFF;
constexpr std::int32_t kFirstSingleByteFontId = 48;  // '0'
constexpr std::int32_t kLastSingleByteFontId = 51;   // '3'
constexpr char kDoubleByteFontId = '4';

constexpr const char* kFontIdLabel = "Font ID";
constexpr const char* kStartLabel = "Start (hex)";
constexpr const char* kDefaultFontId = "48";
constexpr const char* kDefaultStartCode = "0020";

struct Limits {
  std::int32_t lowest;
  std::int32_t highest;
  bool Contain(std::int32_t value) const { return value >= lowest && value <= highest; }
};

struct TypeLimits {
  Limits width;
  Limits height;
};

bool IsDoubleByte(const NewFontFields& fields) { return fields.fontType == kDoubleByteFont; }

TypeLimits LimitsFor(const NewFontFields& fields) {
  if (IsDoubleByte(fields)) return {{8, 32}, {8, 32}};
  return {{1, 48}, {1, 64}};
}

// The range check the dialog makes as it reads a number field.
bool CheckRange(std::int32_t value, Limits limits, Prompt& prompt) {
  if (limits.Contain(value)) return true;
  prompt.ShowMessage(std::string(msg::kIntegerRangePrefix) + std::to_string(limits.lowest) + " and " +
                     std::to_string(limits.highest) + ".");
  return false;
}

bool IsLetterOrDigit(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u < 0x80 && std::isalnum(u) != 0;
}

bool CheckFileName(const std::string& name, Prompt& prompt) {
  const char* refusal = nullptr;
  if (name.size() > kMostFileNameCharacters) {
    refusal = msg::kFileNameTooLong;
  } else if (name.empty()) {
    refusal = msg::kEnterFileName;
  } else {
    for (const char c : name) {
      if (!IsLetterOrDigit(c)) refusal = msg::kInvalidFileName;
    }
  }
  if (refusal != nullptr) prompt.ShowMessage(refusal, MessageKind::Warning);
  return refusal == nullptr;
}

bool CheckNonZeroSize(const NewFontFields& fields, Prompt& prompt) {
  const char* refusal = nullptr;
  if (fields.width == 0) {
    refusal = fields.height == 0 ? msg::kWidthAndHeightZero : msg::kWidthZero;
  } else if (fields.height == 0) {
    refusal = msg::kHeightZero;
  }
  if (refusal != nullptr) prompt.ShowMessage(refusal, MessageKind::Warning);
  return refusal == nullptr;
}

// A start code that cannot be read is refused like one below the range.
std::optional<std::int32_t> ReadStartCode(const std::string& text, Prompt& prompt) {
  const std::optional<std::uint32_t> code = ParseLabelCode(text, 4);
  if (code && static_cast<std::int32_t>(*code) >= kFirstCode) return static_cast<std::int32_t>(*code);
  prompt.ShowMessage(msg::kStartCodeTooLow, MessageKind::Warning);
  return std::nullopt;
}

// A font id that cannot be read is refused like one outside the range.
std::optional<char> ReadSingleByteFontId(const std::string& text, Prompt& prompt) {
  const std::optional<std::int32_t> id = ScanDecimal(text);
  if (id && *id >= kFirstSingleByteFontId && *id <= kLastSingleByteFontId) return static_cast<char>(*id);
  prompt.ShowMessage(msg::kFontIdRange);
  return std::nullopt;
}

std::string UpperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

NewFontFields NewFontDialogDefaults() {
  NewFontFields fields;
  fields.fontType = kSingleByteFont;
  fields.width = 1;
  fields.height = 1;
  fields.idOrStart = kDefaultFontId;
  fields.idOrStartLabel = kFontIdLabel;
  return fields;
}

void ChangeNewFontType(NewFontFields& fields) {
  const TypeLimits limits = LimitsFor(fields);
  fields.idOrStart = IsDoubleByte(fields) ? kDefaultStartCode : kDefaultFontId;
  fields.idOrStartLabel = IsDoubleByte(fields) ? kStartLabel : kFontIdLabel;
  if (!limits.height.Contain(fields.height)) fields.height = limits.height.lowest;
  if (!limits.width.Contain(fields.width)) fields.width = limits.width.lowest;
}

std::optional<NewFontRequest> CheckNewFontFields(const NewFontFields& fields, Prompt& prompt) {
  const TypeLimits limits = LimitsFor(fields);
  if (!CheckRange(fields.width, limits.width, prompt) || !CheckRange(fields.height, limits.height, prompt)) {
    return std::nullopt;
  }
  if (!CheckFileName(fields.fileName, prompt) || !CheckNonZeroSize(fields, prompt)) return std::nullopt;

  NewFontRequest request;
  request.width = fields.width;
  request.height = fields.height;
  if (IsDoubleByte(fields)) {
    const std::optional<std::int32_t> start = ReadStartCode(fields.idOrStart, prompt);
    if (!start) return std::nullopt;
    request.fontType = kDoubleByteFont;
    request.startCode = *start;
    request.fontId = kDoubleByteFontId;
    request.name = fields.fileName + ".DDB";
  } else {
    const std::optional<char> id = ReadSingleByteFontId(fields.idOrStart, prompt);
    if (!id) return std::nullopt;
    request.fontType = kSingleByteFont;
    request.startCode = kFirstCode;
    request.fontId = *id;
    request.name = fields.fileName + ".DSB";
  }
  return request;
}

std::optional<NewFontRequest> RunNewFontDialog(Prompt& prompt) {
  NewFontFields fields = NewFontDialogDefaults();
  std::optional<NewFontRequest> request;
  const NewFontDialogLogic logic{
      [&request, &prompt](const NewFontFields& f) {
        request = CheckNewFontFields(f, prompt);
        return request.has_value();
      },
      &ChangeNewFontType,
  };
  if (!prompt.RequestNewFont(fields, logic)) return std::nullopt;
  return request;
}

void CreateNewFontSet(CDotforgeImportDoc& doc, const NewFontRequest& request) {
  doc.width = request.width;
  doc.height = request.height;
  doc.name = UpperCase(request.name);
  doc.fontId = request.fontId;
  doc.fontType = request.fontType;
  doc.selected = nullptr;
  if (request.fontType == kDoubleByteFont) {
    doc.startCode = request.startCode;
    doc.AppendCharacter(request.startCode, doc.width, doc.height);
  } else if (request.fontType == kSingleByteFont) {
    for (std::int32_t code = kFirstCode; code <= kSingleByteLastCode; ++code) {
      doc.AppendCharacter(code, doc.width, doc.height);
    }
  } else {
    return;
  }
  doc.characterCount = static_cast<std::int32_t>(doc.characters.size());
  doc.SetTitle(doc.name);
}

}  // namespace dotforge
