// The project file of today's tag format: its lines, its tag reader and the helpers that loading,
// saving and resetting a project share.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace pelmora {

class TMaterials;
class TZubFile;
struct TLegacyStorage;
struct TLiquid;
struct TUnitSet;

// Project file formats by age; only the current one is written.
enum class TZubFileFormat { PlainText = 0, Binary = 1, OldTags = 2, OldTags4 = 4, Current = 5 };

// Format of a text file from its first line. Throws std::runtime_error naming the file when the
// header names a format version that this program does not know.
TZubFileFormat TextFileFormat(const std::vector<std::string>& lines, const std::string& fileName);

// Every line of the project file in the current format, with the given command lines as body.
std::vector<std::string> ProjectFileLines(const TZubFile& project, const std::vector<std::string>& body);

struct TTagReading {
  bool BodyFound = false;
  size_t BodyStart = 0;  // index of the first command line
  bool LiquidNamed = false;
};
// Reads the header tags up to "<BODY>" into the project and the old storage description.
TTagReading ReadProjectTags(TZubFile& project, const std::vector<std::string>& lines, TLegacyStorage& storage);

// A liquid named by the file but unknown to the database is added to it and the database saved;
// when the file named none, the project takes the database's first liquid.
void MatchLiquidWithDatabase(TZubFile& project, bool liquidNamed);

// Takes the length, size, elevation, pressure, flow and K-factor codes; head area and density stay.
void SetCommandUnits(TUnitSet& units, const TUnitSet& from);

// The liquid of new projects: the database's third liquid, its first when it holds fewer.
TLiquid DefaultLiquid(const TMaterials& materials);

}  // namespace pelmora
