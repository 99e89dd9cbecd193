#pragma once

#include <string>
#include <vector>

namespace vendaro {

// The values of a form's fields in a response mail's body (name=value lines
// as a browser sends a text/plain form). A field starts only at the start of
// a line with its name and "=" (letter case ignored) and runs to the start
// of the next line that starts another field of the form, so the line break
// before that line stays in the value; the field that comes last runs to the
// end of the body, without the line breaks that end it. A field that is not
// in the body gets an empty value. Values come in the order of `fields`.
std::vector<std::string> responseFieldValues(const std::string& mail,
                                             const std::vector<std::string>& fields);

}  // namespace vendaro
