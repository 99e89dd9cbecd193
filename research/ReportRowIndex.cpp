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

void ReportRowIndex::chooseWindows(std::string_view lowered) const {
  chosen_.clear();
  if (lowered.size() < kWindow + kRun - 1) return;
  const std::size_t windowCount = lowered.size() - kWindow + 1;
  hashes_.resize(windowCount);
  for (std::size_t i = 0; i < windowCount; ++i) hashes_[i] = mixed(windowAt(lowered, i));
  std::size_t last = windowCount;  // position chosen last
  for (std::size_t run = 0; run + kRun <= windowCount; ++run) {
    std::size_t smallest = run;
    for (std::size_t i = run + 1; i < run + kRun; ++i) {
      if (hashes_[i] < hashes_[smallest]) smallest = i;
    }
    if (smallest != last) chosen_.push_back(windowAt(lowered, smallest));
    last = smallest;
  }
}

void ReportRowIndex::rebuild(const std::vector<std::string>& rows, std::size_t moreRows) {
  rows_.clear();
  windows_.clear();
  postings_.clear();
  const std::size_t expected = rows.size() + moreRows;
  rows_.reserve(expected);
  windows_.reserve(expected * 8);
  postings_.reserve(expected * 10);
  for (const std::string& row : rows) add(row);
}

void ReportRowIndex::add(std::string_view row) {
  const auto number = static_cast<std::uint32_t>(rows_.size());
  rows_.push_back(text::lowerAscii(row));
  chooseWindows(rows_.back());
  for (std::uint64_t window : chosen_) {
    Holders& holders = windows_[window];
    if (holders.first != kNone && postings_[holders.first].row == number) continue;
    postings_.push_back({number, holders.first});
    holders.first = static_cast<std::uint32_t>(postings_.size() - 1);
    ++holders.count;
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
  const Holders* rarest = nullptr;
  chooseWindows(lowered);
  for (std::uint64_t window : chosen_) {
    const auto found = windows_.find(window);
    // A row containing the text holds every window chosen in it.
    if (found == windows_.end()) return false;
    if (!rarest || found->second.count < rarest->count) rarest = &found->second;
  }
  for (std::uint32_t at = rarest->first; at != kNone; at = postings_[at].next) {
    if (rows_[postings_[at].row].find(lowered) != std::string::npos) return true;
  }
  return false;
}

}  // namespace vendaro
