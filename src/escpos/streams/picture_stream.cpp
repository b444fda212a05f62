#include "escpos/streams/picture_stream.h"

namespace dotforge {
namespace {

constexpr std::uint8_t kEsc = 0x1B;
constexpr std::uint8_t kGs = 0x1D;
constexpr std::uint8_t kLf = 0x0A;
constexpr std::uint8_t kFeedLines = 3;
constexpr std::uint8_t kTwentyFourDotDoubleDensity = 33;

std::uint8_t Low(std::int32_t value) { return static_cast<std::uint8_t>(value & 0xFF); }
std::uint8_t High(std::int32_t value) { return static_cast<std::uint8_t>((value >> 8) & 0xFF); }

bool Black(const DotImage& picture, std::int32_t x, std::int32_t y) {
  return y < picture.height && picture.Black(x, y);
}

// Appends `header` and the dots `appendDots` writes as one command.
template <typename AppendDots>
void AppendPictureCommand(CommandStream& stream, std::initializer_list<std::uint8_t> header, const AppendDots& appendDots) {
  const std::size_t begin = stream.bytes.size();
  stream.bytes.insert(stream.bytes.end(), header);
  const std::size_t dots = stream.bytes.size();
  appendDots(stream.bytes);
  stream.commands.push_back({{begin, stream.bytes.size()}, {{dots, stream.bytes.size()}}});
}

void AppendRaster(CommandStream& stream, const DotImage& picture) {
  const std::int32_t rowBytes = (picture.width + 7) / 8;
  AppendPictureCommand(stream, {kGs, 'v', '0', 0, Low(rowBytes), High(rowBytes), Low(picture.height), High(picture.height)},
                       [&](Bytes& out) {
                         for (std::int32_t y = 0; y < picture.height; ++y) {
                           for (std::int32_t byte = 0; byte < rowBytes; ++byte) {
                             std::uint8_t bits = 0;
                             for (std::int32_t bit = 0; bit < 8 && byte * 8 + bit < picture.width; ++bit) {
                               if (picture.Black(byte * 8 + bit, y)) bits |= static_cast<std::uint8_t>(0x80 >> bit);
                             }
                             out.push_back(bits);
                           }
                         }
                       });
}

void AppendBands(CommandStream& stream, const DotImage& picture) {
  for (std::int32_t top = 0; top < picture.height; top += kBandRows) {
    AppendPictureCommand(stream, {kEsc, '*', kTwentyFourDotDoubleDensity, Low(picture.width), High(picture.width)},
                         [&](Bytes& out) {
                           for (std::int32_t x = 0; x < picture.width; ++x) {
                             for (std::int32_t byte = 0; byte < kBandRows / 8; ++byte) {
                               std::uint8_t bits = 0;
                               for (std::int32_t bit = 0; bit < 8; ++bit) {
                                 if (Black(picture, x, top + byte * 8 + bit)) bits |= static_cast<std::uint8_t>(0x80 >> bit);
                               }
                               out.push_back(bits);
                             }
                           }
                         });
    stream.bytes.push_back(kLf);
  }
}

void AppendLine(CommandStream& stream, const ReceiptLine& line, PictureMode mode) {
  if (!line.picture) {
    stream.bytes.insert(stream.bytes.end(), line.text.begin(), line.text.end());
    stream.bytes.push_back(kLf);
  } else if (mode == PictureMode::Raster) {
    AppendRaster(stream, *line.picture);
  } else {
    AppendBands(stream, *line.picture);
  }
}

}  // namespace

CommandStream BuildPictureStream(const std::vector<ReceiptLine>& lines, const PictureStreamOptions& options) {
  CommandStream stream;
  stream.AppendCommand({kEsc, '@'});
  if (options.mode == PictureMode::Column) stream.AppendCommand({kEsc, '3', kBandRows});
  for (const ReceiptLine& line : lines) AppendLine(stream, line, options.mode);
  if (options.mode == PictureMode::Column) stream.AppendCommand({kEsc, '2'});
  stream.AppendCommand({kEsc, 'd', kFeedLines});
  if (options.cut) stream.AppendCommand({kGs, 'V', 66, 0});
  return stream;
}

}  // namespace dotforge
