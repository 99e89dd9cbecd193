#pragma once

#include <string>
#include <string_view>

namespace vendaro {

// The pattern of invoice and credit note numbers: "{year}" is the year of
// issue, "{n}" the number within that year, "{n:05}" the same padded with
// zeros to 5 digits (1 to 9). Other text stays as it is.
inline constexpr const char* kDefaultInvoiceNumberPattern = "{year}-{n:05}";

// Why `pattern` cannot number invoices; empty when it can. It must hold
// "{year}" and "{n}" (numbers start again each year, so without the year
// they would repeat) and no other placeholder.
std::string invoiceNumberPatternProblem(std::string_view pattern);

// The number for the `n`-th document of `year` ("2026-00017").
std::string invoiceNumberText(std::string_view pattern, int year, long long n);

}  // namespace vendaro
