#include "input/zub_file.h"

namespace pelmora {

TZubFileDefaults& FileDefaults() {
  static TZubFileDefaults defaults;
  return defaults;
}

TZubFile::TZubFile() : FMaterials(&Materials()) { ResetProject(); }

TZubFile::~TZubFile() = default;

}  // namespace pelmora
