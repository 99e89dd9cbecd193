#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vendaro {

// Answers "does any report row contain this text?" (ASCII letter case
// ignored) without scanning every row. Rows are indexed by a sample of their
// eight-character windows: in every run of eight neighbouring windows the
// one with the smallest hash ("winnowing"). A text of 15 characters or more
// holds a whole run, so its run minimum is indexed for every row containing
// the text; only the rows holding the rarest such window are compared.
// Shorter texts are compared with every row.
class ReportRowIndex {
 public:
  // Indexes `rows` afresh, with room for `moreRows` to be added.
  void rebuild(const std::vector<std::string>& rows, std::size_t moreRows = 0);
  void add(std::string_view row);
  bool anyRowContains(std::string_view text) const;

 private:
  static constexpr std::size_t kWindow = 8;
  static constexpr std::size_t kRun = 8;
  static constexpr std::uint32_t kNone = 0xFFFFFFFF;

  // The rows holding one window: a chain through `postings_`, newest first.
  struct Holders {
    std::uint32_t first = kNone;
    std::uint32_t count = 0;
  };
  struct Posting {
    std::uint32_t row;
    std::uint32_t next;
  };

  // Puts the windows chosen for `lowered` (the smallest-hash window of every
  // run) into `chosen_`.
  void chooseWindows(std::string_view lowered) const;
  bool anyRowHolds(const std::string& lowered) const;

  std::vector<std::string> rows_;  // lower case
  std::unordered_map<std::uint64_t, Holders> windows_;
  std::vector<Posting> postings_;
  // Scratch space of `chooseWindows`.
  mutable std::vector<std::uint64_t> hashes_;
  mutable std::vector<std::uint64_t> chosen_;
};

}  // namespace vendaro
