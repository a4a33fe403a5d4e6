#include "input/zub_file_io_text.h"

#include <array>
#include <stdexcept>

#include "input/line_split.h"

namespace pelmora {

namespace {

// Code points of the Windows-1252 bytes 0x80 to 0x9F; the rest of the page equals Latin-1.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes the UTF-8 sequence at pos; returns its length, or 0 when it is not well formed
// (overlong forms, surrogates and values above U+10FFFF included).
size_t DecodeUtf8(std::string_view text, size_t pos, char32_t& cp) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  size_t length = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    cp = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, cp = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, cp = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, cp = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(pos + i) & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

bool IsValidUtf8(std::string_view text) {
  char32_t cp = 0;
  for (size_t pos = 0; pos < text.size();) {
    const size_t length = DecodeUtf8(text, pos, cp);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

char Cp1252Byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (size_t i = 0; i < kCp1252High.size(); ++i)
    if (kCp1252High[i] == cp) return static_cast<char>(0x80 + i);
  return '?';
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  const auto unit = [&](size_t i) -> char32_t {
    const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
    const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
    return static_cast<char32_t>((hi << 8) | lo);
  };
  std::string out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t cp = unit(i);
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    AppendUtf8(out, cp >= 0xD800 && cp <= 0xDFFF ? char32_t{'?'} : cp);
  }
  return out;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char32_t{b});
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  char32_t cp = 0;
  for (size_t pos = 0; pos < text.size();) {
    const size_t length = DecodeUtf8(text, pos, cp);
    out += length == 0 ? '?' : Cp1252Byte(cp);
    pos += length == 0 ? 1 : length;
  }
  return out;
}

std::string DecodeText(const std::string& bytes, const std::string& fileName) {
  const std::string_view view(bytes);
  if (view.starts_with(kUtf8Bom)) return std::string(view.substr(kUtf8Bom.size()));
  if (view.starts_with(kUtf16LeBom)) return Utf16ToUtf8(view.substr(2), false);
  if (view.starts_with(kUtf16BeBom)) return Utf16ToUtf8(view.substr(2), true);
  // A text file never holds NUL; one that does is a picture, an archive or UTF-16 without a mark.
  if (view.find('\0') != std::string_view::npos)
    throw std::runtime_error("Cannot read \"" + fileName +
                             "\": it is not a project or text file (it holds binary data).");
  return IsValidUtf8(view) ? bytes : Cp1252ToUtf8(view);
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

std::vector<std::string> SplitWords(std::string_view line) {
  std::vector<std::string> words;
  for (const TLinePiece& piece : SplitLine(line)) words.emplace_back(piece.Word);
  return words;
}

std::string FirstWord(std::string_view line) {
  const std::vector<TLinePiece> pieces = SplitLine(line);
  return pieces.empty() ? std::string() : std::string(pieces.front().Word);
}

}  // namespace pelmora
