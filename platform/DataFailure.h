#pragma once

#include <string>

#include "platform/Database.h"
#include "platform/Outcome.h"

namespace vendaro {

// A database error as a service returns it: an I/O failure with the
// database's own text, which the caller leads in with what it was doing,
// or which `lead` ("cannot read the order database: ") already leads in.
inline Error dataFailure(const DataError& error, const std::string& lead = {}) {
  return failure(ErrorKind::Io, lead + error.what());
}

}  // namespace vendaro
