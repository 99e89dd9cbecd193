#pragma once

#include <string>

namespace vendaro {

// The name a save dialog returns: `path` as chosen, with the extension of
// the chosen filter's `pattern` ("*.htm") added when the file name has no
// extension of its own. A pattern without a plain extension ("*", "*.*")
// adds nothing.
std::string withFilterExtension(const std::string& path, const std::string& pattern);

}  // namespace vendaro
