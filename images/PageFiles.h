#pragma once

#include <filesystem>
#include <string>

#include "platform/Dialogs.h"

namespace vendaro {

// A page file replaces only a file of its own kind: a spill file an earlier
// spill file, a saved page a page. A missing file may always be written.
enum class PageKind { Spill, Saved };
bool mayWritePage(const std::filesystem::path& path, PageKind kind);

// The spill file numbered `counter` ("bufer0.htm", ...) in `folder`. A number
// whose file is of another kind is passed over: `counter` moves on to the
// first number that may be written.
std::filesystem::path spillFile(const std::filesystem::path& folder, int& counter);

// Asks for a file name with the save dialog (the private-zone filter while
// the zone is open) and writes `page` and a line end to it. A bare name lands
// in `folder`. Cancel writes nothing; a file of another kind is kept and the
// user is told. Other errors are ignored.
void savePageAs(Dialogs& dialogs, bool privateZone, const std::filesystem::path& folder,
                const std::string& page);

}  // namespace vendaro
