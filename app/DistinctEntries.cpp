#include "app/DistinctEntries.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace vendaro {
namespace {

// An open-addressing set of texts that live elsewhere: each slot holds the
// position of a text (plus one; 0 is empty) and its hash.
class TextSet {
 public:
  explicit TextSet(std::size_t capacity) {
    std::size_t size = 16;
    while (size < capacity * 2) size *= 2;
    slots_.resize(size);
    mask_ = size - 1;
  }

  // Adds the text at `position` of `texts`; false when an equal one is in.
  bool insert(const std::vector<const std::string*>& texts, std::uint32_t position) {
    const std::string& text = *texts[position];
    const std::size_t hash = std::hash<std::string_view>{}(text);
    for (std::size_t slot = hash & mask_;; slot = (slot + 1) & mask_) {
      Slot& current = slots_[slot];
      if (current.position == 0) {
        current = {position + 1, hash};
        return true;
      }
      if (current.hash == hash && *texts[current.position - 1] == text) return false;
    }
  }

 private:
  struct Slot {
    std::uint32_t position = 0;
    std::size_t hash = 0;
  };
  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
};

}  // namespace

std::vector<std::string> distinctEntries(std::vector<std::string> entries,
                                         const std::vector<std::string>& present) {
  std::vector<const std::string*> texts;
  texts.reserve(present.size() + entries.size());
  for (const auto& text : present) texts.push_back(&text);
  for (const auto& text : entries) texts.push_back(&text);
  TextSet seen(texts.size());
  for (std::uint32_t i = 0; i < present.size(); ++i) seen.insert(texts, i);
  std::vector<bool> keep(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    keep[i] = seen.insert(texts, static_cast<std::uint32_t>(present.size() + i));
  }
  // Only now that the set is done may the texts move.
  std::size_t kept = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!keep[i]) continue;
    if (kept != i) entries[kept] = std::move(entries[i]);
    ++kept;
  }
  entries.resize(kept);
  return entries;
}

}  // namespace vendaro
