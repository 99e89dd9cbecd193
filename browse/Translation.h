#pragma once

#include <array>
#include <string>

#include "browse/TranslationSettings.h"
#include "common/ports/PaneNavigator.h"
#include "platform/controls/ListControl.h"

namespace vendaro {

// A language pair of the "Translation" menu: its entry's designer name is
// its code.
struct TranslationPair {
  const char* code;
  const char* caption;
};

inline constexpr std::array<TranslationPair, 10> kTranslationPairs{{
    {"pt_en", "Portuguese to English"},
    {"es_en", "Spanish to English"},
    {"it_en", "Italian to English"},
    {"de_en", "German to English"},
    {"fr_en", "French to English"},
    {"en_es", "English to Spanish"},
    {"en_pt", "English to Portuguese"},
    {"en_it", "English to Italian"},
    {"en_de", "English to German"},
    {"en_fr", "English to French"},
}};

// The request that translates `pageAddress` with pair `code` ("de_en"): the
// settings' template with {url}, {from}, {to} and {pair} filled in, or the
// translation base address with "/cgi-bin/translate?urltext=", the address
// and "&lp=<code>&doit=done". The page address is always percent-encoded.
std::string translationRequest(const TranslationSettings& settings, const std::string& code,
                               const std::string& pageAddress);

// Translates the address bar's text into the pane that is not shown.
void translateAddressBar(const ListControl& addressBar, PaneNavigator& panes,
                         const TranslationSettings& settings, const std::string& code);

}  // namespace vendaro
