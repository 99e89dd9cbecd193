#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "common/MailFormScript.h"
#include "platform/Database.h"

namespace vendaro {

// The name the hidden trap field of a form page with a script takes.
inline constexpr const char* kFormTrapField = "homepage_url";

// The mail script of a stored form's page: to the form's address, under the
// form's name as subject (as the page's mailto: sends it, so the response
// intake takes both kinds), with the form's fields in table order, those of
// type "textarea" allowed several lines. Nothing when there is no such form.
std::optional<MailFormScript> storedFormScript(Database& database, const std::string& formName);

// The script file beside a page file: the page's name with ".php".
std::filesystem::path scriptFileOf(const std::filesystem::path& page);

}  // namespace vendaro
