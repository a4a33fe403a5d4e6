#include "input/legacy_format.h"

namespace pelmora {

namespace {

struct TStorageWord {
  bool TLegacyStorage::*Flag;
  const char* Word;
};

// Solid pile has no word of its own: the old program never printed it.
const std::vector<TStorageWord> kFeatureWords = {
    {&TLegacyStorage::WoodPallets, "wood pallets"}, {&TLegacyStorage::PlasticPallets, "plastic pallets"},
    {&TLegacyStorage::Encapsulated, "encapsulated"}, {&TLegacyStorage::BinBoxes, "bin boxes"},
    {&TLegacyStorage::Racks, "racks"},               {&TLegacyStorage::Shelves, "shelves"}};

const std::vector<TStorageWord> kRackWords = {
    {&TLegacyStorage::SingleRow, "single row"},
    {&TLegacyStorage::DoubleRow, "double row"},
    {&TLegacyStorage::MultipleRow, "multiple row"},
    {&TLegacyStorage::SolidShelves, "solid shelves"},
    {&TLegacyStorage::AutomaticStorage, "automatic storage"},
    {&TLegacyStorage::SlavePallet, "slave pallet"},
    {&TLegacyStorage::ConventionalPallet, "conventional pallet"}};

const std::vector<TStorageWord> kPlasticWords = {
    {&TLegacyStorage::Expanded, "expanded"},      {&TLegacyStorage::NonExpanded, "non-expanded"},
    {&TLegacyStorage::FreeFlowing, "free flowing"}, {&TLegacyStorage::Cartoned, "cartoned"},
    {&TLegacyStorage::Exposed, "exposed"},        {&TLegacyStorage::SolidLoad, "solid load"},
    {&TLegacyStorage::StablePile, "stable pile"}, {&TLegacyStorage::UnstablePile, "unstable pile"}};

std::vector<std::string> WordsOfFlags(const TLegacyStorage& storage, const std::vector<TStorageWord>& words) {
  std::vector<std::string> items;
  for (const TStorageWord& word : words)
    if (storage.*word.Flag) items.emplace_back(word.Word);
  return items;
}

void AppendListLine(std::vector<std::string>& notes, const std::string& title,
                    const std::vector<std::string>& items) {
  if (items.empty()) return;
  std::string line = title;
  for (size_t i = 0; i < items.size(); ++i) line += (i ? ", " : "") + items[i];
  notes.push_back(line);
}

std::string CommodityLine(const TLegacyStorage& storage) {
  std::string line = storage.Commodity;
  if (!storage.StorageHeight.empty()) line += " stored " + storage.StorageHeight + " high";
  if (!storage.RoofHeight.empty()) line += " with a roof height of " + storage.RoofHeight;
  return line;
}

}  // namespace

const std::vector<TLegacyFlagTag>& LegacyStorageFlagTags() {
  static const std::vector<TLegacyFlagTag> tags = {
      {"<SOLIDPILE>", &TLegacyStorage::SolidPile},
      {"<WOODPALLET>", &TLegacyStorage::WoodPallets},
      {"<PLASPALLET>", &TLegacyStorage::PlasticPallets},
      {"<ENCAPSULATED>", &TLegacyStorage::Encapsulated},
      {"<BINBOXSTOR>", &TLegacyStorage::BinBoxes},
      {"<RACKSTOR>", &TLegacyStorage::Racks},
      {"<SHELFSTOR>", &TLegacyStorage::Shelves},
      {"<EXPANDPLAS>", &TLegacyStorage::Expanded},
      {"<NONEXPPLAS>", &TLegacyStorage::NonExpanded},
      {"<FREEFLOWPLAS>", &TLegacyStorage::FreeFlowing},
      {"<CARTONPLAS>", &TLegacyStorage::Cartoned},
      {"<EXPOSEPLAS>", &TLegacyStorage::Exposed},
      {"<SOLIDPLAS>", &TLegacyStorage::SolidLoad},
      {"<STABLEPLAS>", &TLegacyStorage::StablePile},
      {"<UNSTABLEPLAS>", &TLegacyStorage::UnstablePile},
      {"<SINGROWRACK>", &TLegacyStorage::SingleRow},
      {"<DBLROWRACK>", &TLegacyStorage::DoubleRow},
      {"<MULROWRACK>", &TLegacyStorage::MultipleRow},
      {"<SOLIDSHELFRACK>", &TLegacyStorage::SolidShelves},
      {"<AUTORACK>", &TLegacyStorage::AutomaticStorage},
      {"<SLAVERACK>", &TLegacyStorage::SlavePallet},
      {"<CONVTRACK>", &TLegacyStorage::ConventionalPallet}};
  return tags;
}

const std::vector<TLegacyTextTag>& LegacyStorageTextTags() {
  static const std::vector<TLegacyTextTag> tags = {
      {"<COMMODITY", &TLegacyStorage::Commodity},         {"<STORHEIGHT", &TLegacyStorage::StorageHeight},
      {"<ROOFHEIGHT", &TLegacyStorage::RoofHeight},       {"<AISLEWIDTH", &TLegacyStorage::AisleWidth},
      {"<LONGFLUERACK", &TLegacyStorage::LongitudinalFlue}, {"<TRANSFLUERACK", &TLegacyStorage::TransverseFlue}};
  return tags;
}

// The feature, rack and plastic lines are written even without a commodity, so that no storage
// detail of an old file is lost.
std::vector<std::string> StorageNotes(const TLegacyStorage& storage) {
  std::vector<std::string> notes;
  if (!storage.Commodity.empty()) notes.push_back(CommodityLine(storage));
  AppendListLine(notes, "Storage features: ", WordsOfFlags(storage, kFeatureWords));
  std::vector<std::string> rack = WordsOfFlags(storage, kRackWords);
  if (!storage.LongitudinalFlue.empty()) rack.push_back("longitudinal flue space " + storage.LongitudinalFlue);
  if (!storage.TransverseFlue.empty()) rack.push_back("transverse flue space " + storage.TransverseFlue);
  AppendListLine(notes, "Rack storage: ", rack);
  AppendListLine(notes, "Group A Plastic: ", WordsOfFlags(storage, kPlasticWords));
  return notes;
}

}  // namespace pelmora
