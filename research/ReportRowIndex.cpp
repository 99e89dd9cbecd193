#include "research/ReportRowIndex.h"

#include <cstring>

#include "platform/Text.h"

namespace vendaro {
namespace {

std::uint64_t windowAt(std::string_view text, std::size_t position) {
  std::uint64_t window = 0;
  std::memcpy(&window, text.data() + position, sizeof window);
  return window;
}

// A well-mixed order of windows, so the chosen ones are spread evenly.
std::uint64_t mixed(std::uint64_t window) {
  window ^= window >> 33;
  window *= 0xff51afd7ed558ccdULL;
  window ^= window >> 33;
  return window;
}

}  // namespace

std::vector<std::uint64_t> ReportRowIndex::chosenWindows(std::string_view lowered) {
  std::vector<std::uint64_t> chosen;
  if (lowered.size() < kWindow + kRun - 1) return chosen;
  const std::size_t windowCount = lowered.size() - kWindow + 1;
  std::vector<std::uint64_t> hashes(windowCount);
  for (std::size_t i = 0; i < windowCount; ++i) hashes[i] = mixed(windowAt(lowered, i));
  std::size_t last = windowCount;  // position chosen last
  for (std::size_t run = 0; run + kRun <= windowCount; ++run) {
    std::size_t smallest = run;
    for (std::size_t i = run + 1; i < run + kRun; ++i) {
      if (hashes[i] < hashes[smallest]) smallest = i;
    }
    if (smallest != last) chosen.push_back(windowAt(lowered, smallest));
    last = smallest;
  }
  return chosen;
}

void ReportRowIndex::rebuild(const std::vector<std::string>& rows) {
  rows_.clear();
  windows_.clear();
  windows_.reserve(rows.size() * 4);
  for (const std::string& row : rows) add(row);
}

void ReportRowIndex::add(std::string_view row) {
  const auto number = static_cast<std::uint32_t>(rows_.size());
  rows_.push_back(text::lowerAscii(row));
  for (std::uint64_t window : chosenWindows(rows_.back())) {
    RowNumbers& holders = windows_[window];
    if (holders.empty() || holders.back() != number) holders.push_back(number);
  }
}

bool ReportRowIndex::anyRowContains(std::string_view text) const {
  const std::string lowered = text::lowerAscii(text);
  if (lowered.size() >= kWindow + kRun - 1) return anyRowHolds(lowered);
  for (const std::string& row : rows_) {
    if (row.find(lowered) != std::string::npos) return true;
  }
  return false;
}

bool ReportRowIndex::anyRowHolds(const std::string& lowered) const {
  const RowNumbers* rarest = nullptr;
  for (std::uint64_t window : chosenWindows(lowered)) {
    const auto found = windows_.find(window);
    // A row containing the text holds every window chosen in it.
    if (found == windows_.end()) return false;
    if (!rarest || found->second.size() < rarest->size()) rarest = &found->second;
  }
  for (std::uint32_t number : *rarest) {
    if (rows_[number].find(lowered) != std::string::npos) return true;
  }
  return false;
}

}  // namespace vendaro
