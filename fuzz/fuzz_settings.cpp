// Reads arbitrary text as a settings file; what was kept must be written and
// read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dotforge;
  SettingsStore store("unused");
  store.FromText(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string text = store.ToText();
  SettingsStore again("unused");
  again.FromText(text);
  if (again.ToText() != text) std::abort();
  return 0;
}
