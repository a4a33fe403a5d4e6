// Older project formats: their storage description, the binary format, the old command language
// and the upgrade that turns them into a project of today.
#pragma once

#include <string>
#include <vector>

namespace pelmora {

class TZubFile;

// Storage arrangement of old files; it is kept only as NOTES lines after the upgrade.
struct TLegacyStorage {
  std::string Commodity;
  std::string StorageHeight;
  std::string RoofHeight;
  std::string AisleWidth;
  bool SolidPile = false, WoodPallets = false, PlasticPallets = false, Encapsulated = false,
       BinBoxes = false, Racks = false, Shelves = false;
  // Group A plastic commodity.
  bool Expanded = false, NonExpanded = false, FreeFlowing = false, Cartoned = false, Exposed = false,
       SolidLoad = false, StablePile = false, UnstablePile = false;
  // Rack storage.
  std::string LongitudinalFlue;
  std::string TransverseFlue;
  bool SingleRow = false, DoubleRow = false, MultipleRow = false, SolidShelves = false,
       AutomaticStorage = false, SlavePallet = false, ConventionalPallet = false;
};

// Tag of a storage flag ("<WOODPALLET>") or storage text ("<COMMODITY") of the old tag formats.
struct TLegacyFlagTag {
  const char* Tag;
  bool TLegacyStorage::*Flag;
};
struct TLegacyTextTag {
  const char* Tag;
  std::string TLegacyStorage::*Text;
};
const std::vector<TLegacyFlagTag>& LegacyStorageFlagTags();
const std::vector<TLegacyTextTag>& LegacyStorageTextTags();

// The storage description as NOTES lines ("Rack storage: double row, longitudinal flue space 6in").
std::vector<std::string> StorageNotes(const TLegacyStorage& storage);

// The binary format: a 16-byte header, a fixed record and the command lines.
bool IsBinaryProject(const std::string& bytes);
// Reads the record and the command lines into the (reset) project. Throws std::runtime_error
// naming the file when the file ends inside the record.
void ReadBinaryProject(TZubFile& project, const std::string& bytes, TLegacyStorage& storage,
                       const std::string& fileName);

// Rewrites a command text of the old language (more than five lines) in today's commands.
std::vector<std::string> ConvertOldCommands(const std::vector<std::string>& lines);

// Storage notes, units from the old pressure code, the retired switch commands and the name seeds.
void UpgradeLegacyProject(TZubFile& project, const TLegacyStorage& storage);

}  // namespace pelmora
