// Shared set-up of the project-file tests: a scratch folder, a private materials database and
// data folder, and the defaults of new projects restored after each test.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "input/zub_file.h"
#include "materials/materials.h"

namespace pelmora {

class ZubFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    std::replace(name.begin(), name.end(), '/', '_');  // parameterised tests carry slashes
    FFolder = std::filesystem::temp_directory_path() / ("pelmora_zub_" + name + "_" + std::to_string(getpid()));
    std::filesystem::remove_all(FFolder);
    std::filesystem::create_directories(FFolder / "data");
    // The liquid matching saves the database: it must land in the scratch folder.
    setenv("PELMORA_DATA_DIR", (FFolder / "data").c_str(), 1);
    FSavedDefaults = FileDefaults();
    FDatabase = Materials();
    FProject.FMaterials = &FDatabase;
  }

  void TearDown() override {
    FileDefaults() = FSavedDefaults;
    unsetenv("PELMORA_DATA_DIR");
    std::filesystem::remove_all(FFolder);
  }

  std::string PathOf(const std::string& name) const { return (FFolder / name).string(); }

  std::string WriteBytes(const std::string& name, const std::string& bytes) const {
    std::ofstream(PathOf(name), std::ios::binary) << bytes;
    return PathOf(name);
  }

  static std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

  static std::string CrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
  }

  // Loads the file into a fresh project that uses the test's database.
  TZubFile& Load(const std::string& path) {
    FProject.LoadFromFile(path, true);
    return FProject;
  }

  std::string Fixture(const std::string& name) const {
    return std::string(PELMORA_TEST_DATA) + "/projects/" + name;
  }

  std::filesystem::path FFolder;
  TZubFileDefaults FSavedDefaults;
  TMaterials FDatabase;
  TZubFile FProject;
};

}  // namespace pelmora
