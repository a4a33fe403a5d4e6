// The header tags of the current project file, in the order the file carries them; shared by the
// reader and the writer so that both always agree.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "input/zub_file.h"

namespace pelmora {

inline constexpr const char* kHeaderLine = "<TZUB 2 3>";
inline constexpr const char* kBodyTag = "<BODY>";

// A tag holding one entry of a list per line.
struct TListTag {
  const char* Tag;
  std::vector<std::string> TZubFile::*List;
};
// A flag is written as its tag alone, closing bracket included ("<VELOCITY>").
struct TFlagTag {
  const char* Tag;
  bool TZubFile::*Flag;
};
// A unit code written as its word; an unknown word reads as the default of the fallback code.
struct TUnitTag {
  const char* Tag;
  uint8_t TUnitSet::*Code;
  uint8_t TUnitSet::*Fallback;
  std::string (*Word)(int code);
  int (*Read)(const std::string& word, int fallback);
};
struct TSystemInfoTag {
  const char* Tag;
  TSystemInfoField Field;
};
struct TNameSeedTag {
  const char* Tag;
  TNameSeed Seed;
};

const std::vector<TListTag>& ContactListTags();   // contract, project, AHJ, notes, head
const std::vector<TListTag>& OverrideListTags();  // designer and company lines of this project
const std::vector<TUnitTag>& UnitTags();
const std::vector<TFlagTag>& FlagTags();
const std::vector<TNameSeedTag>& NameSeedTags();  // after BASEOFRISER
const std::vector<TSystemInfoTag>& SystemInfoTags();

}  // namespace pelmora
