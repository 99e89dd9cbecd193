#include "submit/KeywordTexts.h"

#include "platform/Text.h"

namespace vendaro::keyword_texts {
namespace {

constexpr std::string_view kCrLf = text::kCrLf;

// Lines under a header repeated at the start of every block.
std::string headedBlocks(const std::string& header, const std::vector<std::string>& lines,
                         std::size_t limit) {
  std::string composed = header;
  std::size_t block = 1;
  for (const std::string& line : lines) {
    composed.append(line).append(kCrLf);
    if (composed.size() > block * limit) {
      composed.append(kCrLf).append(header);
      ++block;
    }
  }
  return composed.append(kCrLf).append(kCrLf);
}

}  // namespace

std::string titles(const std::string& company, const std::vector<std::string>& keywords,
                   const std::vector<std::string>& titles) {
  std::string header = company + ": products and services :";
  for (const std::string& keyword : keywords) header += " " + keyword + ", ";
  return headedBlocks(header, titles, kTitleBlockLimit);
}

std::string descriptions(const std::string& company, const std::vector<std::string>& descriptions) {
  return headedBlocks(company, descriptions, kTextBlockLimit);
}

std::string keywords(const std::vector<std::string>& entries) {
  std::string composed;
  std::size_t block = 1;
  bool blockStarts = true;
  for (const std::string& entry : entries) {
    if (!blockStarts) composed += ", ";
    composed += entry;
    blockStarts = false;
    if (composed.size() > block * kTextBlockLimit) {
      composed.append(kCrLf).append(kCrLf);
      ++block;
      blockStarts = true;
    }
  }
  return composed.append(kCrLf).append(kCrLf);
}

}  // namespace vendaro::keyword_texts
