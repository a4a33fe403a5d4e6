#include "input/legacy_format.h"
#include "input/units/text.h"
#include "input/zub_file.h"
#include "input/zub_file_io.h"
#include "input/zub_file_io_text.h"

namespace pelmora {

namespace {

// The U.S. units of the old program: decimal feet, not feet and inches.
constexpr TUnitSet kOldUsUnits{0, 2, 0, 0, 0, 0};

const std::array<std::string, nsCount> kLegacyNameSeeds = {"M1A", "M2A", "L1A", "L2A", "D1A", "R1A"};

// Commands of the old language that became project settings.
struct TRetiredSwitch {
  const char* Command;
  bool TZubFile::*Flag;
  bool Value;
};
const TRetiredSwitch kRetiredSwitches[] = {{"VEL", &TZubFile::UseVelocity, true},
                                           {"NOVEL", &TZubFile::UseVelocity, false},
                                           {"ALL", &TZubFile::SourceCalc, true}};

void UpgradeCommandLine(TZubFile& project, std::string& line) {
  const std::string command = UpperCase(FirstWord(line));
  for (const TRetiredSwitch& retired : kRetiredSwitches) {
    if (command != retired.Command) continue;
    project.*retired.Flag = retired.Value;
    line = "// " + line;
    return;
  }
  if (command == "ENGLISH") {
    SetCommandUnits(project.Units, kOldUsUnits);
    line = "// " + line;
  } else if (command == "METRIC") {
    SetCommandUnits(project.Units, MetricUnits());
  }
}

}  // namespace

void UpgradeLegacyProject(TZubFile& project, const TLegacyStorage& storage) {
  for (const std::string& note : StorageNotes(storage)) project.Notes.push_back(note);
  // A non-zero pressure code marked a metric file.
  SetCommandUnits(project.Units, project.Units.Pressure != 0 ? MetricUnits() : kOldUsUnits);
  for (std::string& line : project.Body) UpgradeCommandLine(project, line);
  project.NameSeeds = kLegacyNameSeeds;
}

}  // namespace pelmora
