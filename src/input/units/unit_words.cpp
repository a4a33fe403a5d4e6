#include <array>

#include "input/units/text.h"
#include "input/units/units.h"

namespace pelmora {

namespace {

struct TLengthWords {
  const char* Long;
  const char* Short;
};
// Code 1 (feet and inches) has no word of its own.
constexpr std::array<TLengthWords, 6> kLengthWords{{
    {"feet", "ft"},
    {"", ""},
    {"inch", "in"},
    {"millimeter", "mm"},
    {"centimeter", "cm"},
    {"meter", "M"},
}};
constexpr std::array<const char*, 3> kPressureWords{"psi", "bar", "kPa"};
constexpr std::array<const char*, 4> kFlowWords{"gpm", "lpm", "IMP gpm", "m3/hr"};
constexpr std::array<const char*, 7> kKWords{"gpm/psi",  "lpm/bar",    "lpm/kPa",   "m3hr/bar",
                                             "m3hr/kPa", "IMPgpm/bar", "IMPgpm/kpa"};
constexpr std::array<const char*, 4> kFrictionWords{"Hazen-Williams", "Darcy-Weisbach / Nfpa 750",
                                                    "Darcy-Weisbach / Colebrook", "Darcy-Weisbach / Serghide"};

struct TWordCode {
  const char* Word;
  int Code;
};
// Words the code readers accept beyond the written words.
constexpr std::array<TWordCode, 1> kExtraPressureWords{{{"kilopascal", 2}}};

template <size_t N>
std::string WordOf(const std::array<const char*, N>& words, int code) {
  return code >= 0 && code < static_cast<int>(N) ? words[code] : "";
}

template <size_t N>
int CodeOf(const std::array<const char*, N>& words, const std::string& word, int fallback) {
  for (size_t code = 0; code < N; ++code)
    if (SameText(word, words[code])) return static_cast<int>(code);
  return fallback;
}

}  // namespace

std::string LengthWord(int code, bool longWord) {
  if (code < 0 || code >= static_cast<int>(kLengthWords.size())) return "";
  return longWord ? kLengthWords[code].Long : kLengthWords[code].Short;
}

std::string PressureWord(int code) { return WordOf(kPressureWords, code); }
std::string FlowWord(int code) { return WordOf(kFlowWords, code); }
std::string KWord(int code) { return WordOf(kKWords, code); }
std::string FrictionWord(int code) { return WordOf(kFrictionWords, code); }

int LengthCode(const std::string& word, int fallback) {
  if (word.empty()) return fallback;  // the empty word of feet and inches is written, never read
  for (size_t code = 0; code < kLengthWords.size(); ++code)
    if (SameText(word, kLengthWords[code].Long) || SameText(word, kLengthWords[code].Short))
      return static_cast<int>(code);
  return fallback;
}

int PressureCode(const std::string& word, int fallback) {
  for (const TWordCode& extra : kExtraPressureWords)
    if (SameText(word, extra.Word)) return extra.Code;
  return CodeOf(kPressureWords, word, fallback);
}

int FlowCode(const std::string& word, int fallback) { return CodeOf(kFlowWords, word, fallback); }
int KCode(const std::string& word, int fallback) { return CodeOf(kKWords, word, fallback); }
int FrictionCode(const std::string& word, int fallback) { return CodeOf(kFrictionWords, word, fallback); }

int LengthCode(const std::string& word) { return LengthCode(word, UnitDefaults().Length); }
int SizeCode(const std::string& word) { return LengthCode(word, UnitDefaults().Size); }
int ElevationCode(const std::string& word) { return LengthCode(word, UnitDefaults().Elevation); }
int PressureCode(const std::string& word) { return PressureCode(word, UnitDefaults().Pressure); }
int FlowCode(const std::string& word) { return FlowCode(word, UnitDefaults().Flow); }
int KCode(const std::string& word) { return KCode(word, UnitDefaults().KFactor); }

}  // namespace pelmora
