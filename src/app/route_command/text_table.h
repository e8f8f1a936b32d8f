// Text tables for a terminal: the reports of `check` line up their columns
// by the width a terminal gives each character.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnvel {

// Columns a terminal gives a UTF-8 text: two for the wide East Asian
// characters, one for the rest. Enough for the texts of the reports.
size_t DisplayWidth(std::string_view utf8);

using TextRow = std::vector<std::string>;

// The rows with every column padded to its widest cell, columns apart by two
// spaces, columns firstRight to lastRight aligned right and the others left,
// trailing spaces dropped, each line ended by CR LF.
std::string AlignedRowsText(const std::vector<TextRow>& rows, size_t firstRight, size_t lastRight);

}  // namespace tarnvel
