#pragma once

#include <string>

#include "platform/settings/SettingsFile.h"

namespace vendaro {

// [translation]: the base address of the translation service, or the whole
// request as a template with {url}, {from}, {to} and {pair}.
struct TranslationSettings {
  std::string baseUrl = "http://babelfish.example";
  std::string requestTemplate;

  static TranslationSettings read(const SettingsFile& file) {
    TranslationSettings settings;
    settings.baseUrl = file.address("translation", "base_url", settings.baseUrl);
    settings.requestTemplate = file.text("translation", "request_template", "");
    return settings;
  }
};

}  // namespace vendaro
