// Finding a project's equivalent-K definition by its code.
#pragma once

#include <string>

#include "input/units/text.h"
#include "input/zub_file.h"

namespace pelmora {

inline const TEquivKFile* FindEquivK(const TZubFile& project, const std::string& code) {
  for (const TEquivKFile& definition : project.EquivK)
    if (SameText(definition.Code, code)) return &definition;
  return nullptr;
}

}  // namespace pelmora
