#pragma once

#include <cstddef>

namespace vendaro {

// For a short-lived command that builds much data in memory: the next
// `bytes` of the heap are backed by large pages where the system offers
// them on request, and memory freed is kept for the next blocks instead of
// being returned, so the command takes a small part of the page faults it
// would. Memory not touched is not used. Does nothing where the C library
// or the system cannot do it.
void prepareLargeHeap(std::size_t bytes);

}  // namespace vendaro
