// Any bytes as a saved list: read without a crash, and what is written from
// the entries reads back as the same entries.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/ListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  const vendaro::list_file::Parsed parsed = vendaro::list_file::parse(content);
  if (!parsed.isList) return 0;
  const auto back = vendaro::list_file::parse(vendaro::list_file::format(parsed.entries));
  if (!back.isList || back.entries != parsed.entries) __builtin_trap();
  (void)vendaro::list_file::split(content);
  return 0;
}
