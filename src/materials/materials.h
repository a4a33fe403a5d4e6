// The database of liquids, pipe materials and fittings shared by the whole program.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace pelmora {

using TSizeValues = std::array<double, 30>;  // one value per nominal size index

struct TLiquid {
  double DensityUS = 62.34;   // lb/ft3
  double DensitySI = 998.8;   // kg/m3
  double Viscosity = 1.1;     // centipoise
  double KMultiplier = 1.0;   // default sprinkler K-factor multiplier for this liquid
  std::string Name = "60F Water";
};

struct TFitting {
  std::string Code;
  std::string Description;
  TSizeValues K{};         // loss coefficient, 0 = none
  TSizeValues LengthUS{};  // equivalent length, ft, 0 = none
  TSizeValues LengthSI{};  // equivalent length, m, 0 = none
};

struct TMaterialObject {
  std::string Code;
  std::string Description;
  int CWet = 0;
  int CDry = 0;
  double RoughnessIn = 0;  // absolute roughness, in
  double RoughnessMm = 0;  // absolute roughness, mm
  TSizeValues IdUS{};      // inside diameter, in; 0 = size not made
  TSizeValues IdSI{};      // inside diameter, mm
  std::vector<TFitting> Fittings;
};

class TMaterials {
 public:
  std::vector<std::string> Lines;
  std::vector<TMaterialObject> Materials;
  std::vector<TLiquid> Liquids;
  bool MaterialFittings = true;  // use material-specific fitting lengths when available
  bool UseFittingK = false;      // use fitting K instead of equivalent lengths when available

  // The built-in data set, used when no database file exists.
  static const std::string& BuiltInText();

  // Folder that holds ZUB20.PIT and the other data files (created on save):
  // $PELMORA_DATA_DIR when set, else the user's data folder followed by Tolvane/Zub2/Data.
  static std::filesystem::path DataFolder();

  // Loads a file of the data folder ("\ZUB20.PIT"; a leading slash or backslash is optional).
  // A missing file is not an error: without merging the built-in text is loaded instead.
  // Returns false with a message naming the file when it cannot be read or is damaged
  // (binary bytes, cut off, no MATERIAL line); the data in use then stays as it was, or
  // becomes the built-in data when nothing had been loaded yet.
  bool LoadFromFile(const std::string& fileName, bool merge, std::string* message = nullptr);
  // Loads from text lines (the file format) without touching the disk.
  void LoadFromLines(const std::vector<std::string>& lines, bool merge);
  // Writes ZUB20.PIT through a temporary file and a rename; false with a message on failure.
  bool SaveToFile(std::string* message = nullptr) const;
  std::vector<std::string> SaveToLines() const;

  int FindMaterial(const std::string& code) const;
  bool MaterialExists(const std::string& code) const;
  int FindFitting(const std::string& fittingCode, int materialIndex) const;
  static int SizeIndex(int diameterUnit, double nominalSize);
  double DiameterOf(const std::string& materialCode, int diameterUnit, double nominalSize) const;
  bool IsValidSize(const std::string& materialCode, const std::string& sizeText, int unitCode) const;
  // Equivalent length (0 or more, in the length unit) or minus a K coefficient.
  double FittingLoss(const std::string& fittingText, const std::string& materialCode, int lengthUnit,
                     int diameterUnit, double cFactor, double nominalSize) const;
  std::vector<std::string> MaterialList() const;
  std::vector<std::string> ValidSizes(int materialIndex, int diameterUnit) const;

  // 0 added, 1 the code exists already, 2 the record is unusable (empty code or code with blanks).
  int AddMaterial(const TMaterialObject& material);
  // 0 replaced or added, 2 the record is unusable.
  int StoreMaterial(const TMaterialObject& material);
  // 0 replaced or appended, 1 no such material, 2 the record is unusable.
  int StoreFitting(int materialIndex, const TFitting& fitting);
  void AddLiquid(const TLiquid& liquid);
  void StoreLiquid(const TLiquid& liquid);
  int FindLiquid(const std::string& name) const;
};

// The program's one database, filled from the built-in text on first use.
TMaterials& Materials();

}  // namespace pelmora
