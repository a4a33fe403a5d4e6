// Words and numbers of the materials database text: full-stop numbers whatever the locale.
#pragma once

#include <string>
#include <vector>

namespace pelmora {

// The text split into lines at CR LF, LF or CR (no empty last line for a final line end).
std::vector<std::string> SplitPitLines(const std::string& text);

// The words of a line, split at runs of blank, tab, CR, LF and NUL.
std::vector<std::string> PitWords(const std::string& line);
// The words from index `first` on, joined with single spaces ("" when there are none).
std::string JoinWords(const std::vector<std::string>& words, size_t first);

// Whole-word number readers; false (value untouched) when the word is not a number.
bool ReadPitNumber(const std::string& word, double& value);
bool ReadPitInteger(const std::string& word, int& value);

// Shortest general decimal form with up to 15 significant digits and a full stop.
std::string WritePitNumber(double value);

}  // namespace pelmora
