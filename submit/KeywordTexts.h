#pragma once

#include <string>
#include <vector>

namespace vendaro {

// The editable texts of the "Synthesis" page, composed from the harvest.
// Blocks are separated by CR LF CR LF, as "Save" cuts them; a new block
// begins once the text passes the next multiple of the block limit.
namespace keyword_texts {

inline constexpr std::size_t kTitleBlockLimit = 200;
inline constexpr std::size_t kTextBlockLimit = 1000;

// Each block begins with company + ": products and services :" and " k, "
// for every keyword k, followed by titles one per line.
std::string titles(const std::string& company, const std::vector<std::string>& keywords,
                   const std::vector<std::string>& titles);
// Each block begins with the company name, followed by descriptions one per
// line.
std::string descriptions(const std::string& company, const std::vector<std::string>& descriptions);
// The keywords separated by ", " within a block, cut into blocks.
std::string keywords(const std::vector<std::string>& entries);

}  // namespace keyword_texts
}  // namespace vendaro
