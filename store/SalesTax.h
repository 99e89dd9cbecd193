#pragma once

#include <string>
#include <string_view>

namespace vendaro {

// The sales tax as the "Sales Tax,%" box shows it (8.25 for 8.25%) from the
// fraction the project files and the cart script keep (0.0825), and back.
// The decimal point is moved in the text, so nothing is rounded; a text that
// is not a plain decimal number comes back as it is.
std::string salesTaxPercent(std::string_view fraction);
std::string salesTaxFraction(std::string_view percent);

}  // namespace vendaro
