// Any bytes as vendaro.toml: a settings error or the sections, never a crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/AppContext.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    vendaro::AppContext context;
    context.settings = vendaro::SettingsFile::parse(text, "vendaro.toml");
    vendaro::readSections(context);
    (void)context.settings.unreadKeys();
  } catch (const vendaro::SettingsError&) {
  }
  return 0;
}
