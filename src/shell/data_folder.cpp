#include "shell/data_folder.h"

#include <filesystem>
#include <system_error>

#include "materials/materials.h"

namespace pelmora {

std::vector<std::string> PrepareDataFolder() {
  std::vector<std::string> problems;
  const std::filesystem::path folder = TMaterials::DataFolder();
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) problems.push_back("Cannot create the data folder " + folder.string() + ": " + error.message());
  TMaterials& materials = Materials();
  std::string message;
  if (!materials.LoadFromFile("ZUB20.PIT", false, &message)) problems.push_back(message);
  if (std::filesystem::exists(folder / "ZUB237.PIT") && !materials.LoadFromFile("ZUB237.PIT", true, &message))
    problems.push_back(message);
  if (!error && !materials.SaveToFile(&message)) problems.push_back(message);
  return problems;
}

}  // namespace pelmora
