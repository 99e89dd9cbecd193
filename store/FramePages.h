#pragma once

#include <string>

#include "store/StoreInput.h"

namespace vendaro {

// The inner frameset "fsecond.htm" of the "Banner and contents menu" layout.
std::string innerFramesetText(const std::string& vendorHost);
// "banner.htm", "compinfo.htm" and ols.htm: one centred line each.
std::string bannerPageText(const std::string& vendorHost);
std::string companyInfoPageText(const std::string& vendorHost);
std::string storeTitlePageText(const std::string& vendorHost);
// "mmenu.htm", the main menu of the left frame.
std::string mainMenuText(const StoreInput& input);
// "m_products.htm", the products menu with one link per category.
std::string productsMenuText(const StoreInput& input);

// `name` made safe inside a single-quoted address attribute: characters that
// would end the attribute or change the meaning of the address are encoded,
// so the link still reaches the file of that name.
std::string fileAddressAttribute(const std::string& name);

}  // namespace vendaro
