#pragma once

#include <string>

#include "platform/SettingsFile.h"

namespace vendaro {

// [translation]: the base address of the translation service.
struct TranslationSettings {
  std::string baseUrl = "http://babelfish.example";

  static TranslationSettings read(const SettingsFile& file) {
    TranslationSettings settings;
    settings.baseUrl = file.address("translation", "base_url", settings.baseUrl);
    return settings;
  }
};

}  // namespace vendaro
