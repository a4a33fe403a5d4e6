// Project files as text: code page conversion, encoding recognition, lines and words.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pelmora {

// Windows-1252 bytes to UTF-8 (the five unassigned bytes map to the C1 controls, so they survive).
std::string Cp1252ToUtf8(std::string_view bytes);
// UTF-8 to Windows-1252; a character without a Windows-1252 form, or a broken UTF-8 sequence,
// becomes "?".
std::string Utf8ToCp1252(std::string_view text);

// File bytes to UTF-8 text: a UTF-8 or UTF-16 byte-order mark is honoured, text that is valid
// UTF-8 is taken as UTF-8, anything else is Windows-1252. Throws std::runtime_error naming the
// file when the bytes are binary data rather than text.
std::string DecodeText(const std::string& bytes, const std::string& fileName);

// Lines ended by CR LF, LF or CR; a final line break does not add an empty line.
std::vector<std::string> SplitLines(std::string_view text);

// Words of a line as the command scan cuts them (NUL, TAB, LF, CR and blank separate words).
std::vector<std::string> SplitWords(std::string_view line);
// The first word of a line, or empty.
std::string FirstWord(std::string_view line);

}  // namespace pelmora
