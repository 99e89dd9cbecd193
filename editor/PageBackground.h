#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vendaro {

// Sets attribute `name` of the page's body tag to `value`: an attribute
// already there keeps its quote and gets the new value up to its closing
// quote (or, unquoted, up to the next space or ">"); a missing one is
// written right after "<body" as ` name=QvalueQ` with the quote `quote`.
// Letter case is ignored in the search. Nothing when the page has no body tag.
std::optional<std::string> withBodyAttribute(std::string_view html, std::string_view name,
                                             std::string_view value, char quote);

}  // namespace vendaro
