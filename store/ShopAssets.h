#pragma once

namespace vendaro {

// The responsive shop's script and style sheet, built into the program from
// store/resources/shop.js and shop.css.
extern const char* const kShopScriptResource;
extern const char* const kShopStyleResource;

}  // namespace vendaro
