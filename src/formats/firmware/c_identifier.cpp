#include "formats/firmware/c_identifier.h"

namespace dotforge {
namespace {

constexpr const char* kNameless = "font";

bool IsIdentifierCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

std::string CIdentifierOf(const std::filesystem::path& path) {
  std::string name = path.stem().string();
  if (name.empty()) return kNameless;
  for (char& c : name) {
    if (!IsIdentifierCharacter(c)) c = '_';
  }
  if (name.front() >= '0' && name.front() <= '9') name.insert(name.begin(), '_');
  return name;
}

}  // namespace dotforge
