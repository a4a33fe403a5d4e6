#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "materials/materials.h"
#include "materials/pit_words.h"

namespace pelmora {
namespace {

namespace fs = std::filesystem;

// Points the data folder at a fresh temporary folder for each test.
class MaterialsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("pelmora_materials_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    setenv("PELMORA_DATA_DIR", folder.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("PELMORA_DATA_DIR");
    fs::remove_all(folder);
  }
  void Write(const std::string& name, const std::string& content) {
    std::ofstream(folder / name, std::ios::binary) << content;
  }
  std::string Read(const std::string& name) {
    std::ifstream in(folder / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  fs::path folder;
};

const std::string kUserDatabase =
    "2 0\r\nLIQUID 62.4 999 1 1 Own water\r\nMATERIAL OWN 130 110 0.002 0.05 Own pipe\r\nID US 1 1.1\r\n";

// Restores an environment variable when the test ends.
class SavedVariable {
 public:
  explicit SavedVariable(const char* name) : name_(name) {
    const char* value = std::getenv(name);
    if (value != nullptr) value_ = value;
    had_ = value != nullptr;
  }
  ~SavedVariable() {
    if (had_) {
      setenv(name_, value_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::string value_;
  bool had_ = false;
};

TEST_F(MaterialsFile, DataFolderFollowsTheEnvironment) {
  const SavedVariable home("HOME");
  const SavedVariable xdg("XDG_DATA_HOME");
  EXPECT_EQ(TMaterials::DataFolder(), folder);
  unsetenv("PELMORA_DATA_DIR");
  setenv("XDG_DATA_HOME", "/xdg", 1);
  EXPECT_EQ(TMaterials::DataFolder(), fs::path("/xdg/Tolvane/Zub2/Data"));
  unsetenv("XDG_DATA_HOME");
  setenv("HOME", "/home/designer", 1);
  EXPECT_EQ(TMaterials::DataFolder(), fs::path("/home/designer/.local/share/Tolvane/Zub2/Data"));
}

TEST_F(MaterialsFile, MissingFileLoadsTheBuiltInDataUnlessMerging) {
  TMaterials db;
  EXPECT_TRUE(db.LoadFromFile("\\ZUB237.PIT", true));
  EXPECT_TRUE(db.Materials.empty());
  EXPECT_TRUE(db.LoadFromFile("\\ZUB20.PIT", false));
  ASSERT_FALSE(db.Materials.empty());
  EXPECT_EQ(db.Materials[0].Code, "S40");
}

TEST_F(MaterialsFile, LoadsAndMergesFilesOfTheDataFolder) {
  Write("ZUB20.PIT", kUserDatabase);
  Write("ZUB237.PIT", "2 0\nLIQUID 70 1100 2 1 Old brine\nMATERIAL OWN 1 1 1 1 Same code\nMATERIAL OLD 100 100 0 0 Old\n");
  TMaterials db;
  ASSERT_TRUE(db.LoadFromFile("\\ZUB20.PIT", false));
  ASSERT_TRUE(db.LoadFromFile("/ZUB237.PIT", true));
  ASSERT_EQ(db.Materials.size(), 2u);
  EXPECT_EQ(db.Materials[0].CWet, 130);
  EXPECT_EQ(db.Materials[1].Code, "OLD");
  EXPECT_EQ(db.Liquids.size(), 2u);
}

TEST_F(MaterialsFile, DamagedFileIsRefusedWithAMessageAndTheDataKept) {
  struct Case {
    std::string content;
    std::string problem;
  };
  const std::vector<Case> cases{
      {kUserDatabase + std::string("MATERIAL BIN 1 1 1 1 x\r\nID US 1 \0\x01\x02\r\n", 39), "line 6 holds binary data"},
      {kUserDatabase + "ID US 2 2.0", "the last line is cut off"},
      {"2 0\r\nLIQUID 62.4 999 1 1 Only water\r\n", "it holds no MATERIAL line"},
      {"", "the file is empty"},
  };
  for (const Case& c : cases) {
    Write("ZUB20.PIT", c.content);
    TMaterials db;
    db.LoadFromLines(SplitPitLines(kUserDatabase), false);
    std::string message;
    EXPECT_FALSE(db.LoadFromFile("\\ZUB20.PIT", false, &message)) << c.problem;
    EXPECT_NE(message.find((folder / "ZUB20.PIT").string()), std::string::npos) << message;
    EXPECT_NE(message.find(c.problem), std::string::npos) << message;
    ASSERT_EQ(db.Materials.size(), 1u);
    EXPECT_EQ(db.Materials[0].Code, "OWN");
    EXPECT_EQ(db.Liquids.size(), 1u);
  }
}

TEST_F(MaterialsFile, DamagedFileOnAFreshDatabaseLeavesTheBuiltInData) {
  Write("ZUB20.PIT", "2 0\r\nLIQUID 62.4 999 1 1 Only water\r\n");
  TMaterials db;
  std::string message;
  EXPECT_FALSE(db.LoadFromFile("\\ZUB20.PIT", false, &message));
  ASSERT_FALSE(db.Materials.empty());
  EXPECT_EQ(db.Materials[0].Code, "S40");
}

TEST_F(MaterialsFile, SaveWritesTheWholeFileAndLeavesNoTemporaryFile) {
  TMaterials db;
  db.LoadFromLines(SplitPitLines(kUserDatabase), false);
  Write("ZUB20.PIT", "old content that must be replaced\r\n");
  std::string message;
  ASSERT_TRUE(db.SaveToFile(&message)) << message;
  EXPECT_EQ(Read("ZUB20.PIT"), kUserDatabase + "ID SI 25 27.94\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

  TMaterials again;
  ASSERT_TRUE(again.LoadFromFile("\\ZUB20.PIT", false));
  EXPECT_EQ(again.SaveToLines(), db.SaveToLines());
}

TEST_F(MaterialsFile, SaveCreatesTheDataFolder) {
  const fs::path nested = folder / "Tolvane" / "Zub2" / "Data";
  setenv("PELMORA_DATA_DIR", nested.c_str(), 1);
  const TMaterials empty;
  ASSERT_TRUE(empty.SaveToFile());
  TMaterials db;
  ASSERT_TRUE(db.LoadFromFile("\\ZUB20.PIT", false));
  EXPECT_EQ(db.SaveToLines(), Materials().SaveToLines());
}

TEST_F(MaterialsFile, SaveFailureIsReportedAndLeavesNoTemporaryFile) {
  fs::create_directories(folder / "ZUB20.PIT" / "blocked");  // the database name cannot become a file
  TMaterials db;
  db.LoadFromLines({"2 0", "MATERIAL NEW 120 100 0 0 New"}, false);
  std::string message;
  EXPECT_FALSE(db.SaveToFile(&message));
  EXPECT_NE(message.find("ZUB20.PIT"), std::string::npos) << message;
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace pelmora
