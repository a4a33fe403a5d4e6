// Files that cannot be read and saves that cannot be completed: a clear message naming the file,
// and the designer's previous file left whole.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <ostream>
#include <stdexcept>

#include "zub_file_test_support.h"

namespace pelmora {
namespace {

using ::testing::HasSubstr;

// The message of the runtime_error the action throws, or a failure when it throws nothing.
template <typename Action>
std::string ErrorOf(Action action) {
  try {
    action();
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  ADD_FAILURE() << "no std::runtime_error was thrown";
  return "";
}

struct TBadFileCase {
  const char* Name;
  std::string Bytes;
  const char* Reason;
};

void PrintTo(const TBadFileCase& file, std::ostream* out) { *out << file.Name; }

class ZubFileBadInputTest : public ZubFileTest, public ::testing::WithParamInterface<TBadFileCase> {};

TEST_P(ZubFileBadInputTest, IsRefusedWithTheFileAndTheReason) {
  const std::string path = WriteBytes("bad.zub", GetParam().Bytes);
  const std::string message = ErrorOf([&] { FProject.LoadFromFile(path, true); });
  EXPECT_THAT(message, HasSubstr(path));
  EXPECT_THAT(message, HasSubstr(GetParam().Reason));
}

INSTANTIATE_TEST_SUITE_P(
    Files, ZubFileBadInputTest,
    ::testing::Values(
        TBadFileCase{"HeaderCutShort", "<TZUB 2 3>\r\n<JOBNO 12-345>\r\n<PROJECT Ware", "incomplete"},
        TBadFileCase{"BinaryData", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), "binary data"},
        TBadFileCase{"LaterFormat", "<TZUB 3 0>\r\n<BODY>\r\nHead H1 10 15 5.6\r\n", "unknown format 3"},
        TBadFileCase{"BinaryProjectCutShort", std::string("\x34\x12\xCB\xED\x03QOR\0\0\0\0\0\0\0\0\x05", 17),
                     "incomplete"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ZubFileTest, MissingFileFolderAndHugeFileAreRefused) {
  EXPECT_THAT(ErrorOf([&] { Load(PathOf("absent.zub")); }), HasSubstr("does not exist"));
  EXPECT_THAT(ErrorOf([&] { Load(PathOf("data")); }), HasSubstr("is a folder"));

  const std::string huge = WriteBytes("huge.zub", CrLf({"<TZUB 2 3>", "<BODY>"}));
  std::filesystem::resize_file(huge, 50u * 1024u * 1024u);
  const std::string message = ErrorOf([&] { Load(huge); });
  EXPECT_THAT(message, HasSubstr(huge));
  EXPECT_THAT(message, HasSubstr("too large"));
}

TEST_F(ZubFileTest, SaveToAMissingFolderOrOntoAFolderFails) {
  const std::string noFolder = PathOf("no/such/folder/job.zub");
  EXPECT_THAT(ErrorOf([&] { FProject.SaveToFile(noFolder); }), HasSubstr("does not exist"));
  EXPECT_THAT(ErrorOf([&] { FProject.SaveToFile(PathOf("data")); }), HasSubstr("is a folder"));
  EXPECT_TRUE(std::filesystem::is_directory(PathOf("data")));
}

// A disk that fills up in the middle of the save, simulated by a file-size limit.
TEST_F(ZubFileTest, SaveThatFailsHalfWayLeavesThePreviousFileWhole) {
  TZubFile previous;
  previous.Body = {"Head H1 10 15 5.6"};
  const std::string path = PathOf("job.zub");
  previous.SaveToFile(path);
  const std::string before = ReadBytes(path);

  TZubFile larger;
  larger.Body.assign(500, "Pipe P1 W N1 100 4 E T // a long enough line");
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  const std::string message = ErrorOf([&] { larger.SaveToFile(path); });
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_THAT(message, HasSubstr(path));
  EXPECT_EQ(ReadBytes(path), before);
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(FFolder)) files += entry.is_regular_file();
  EXPECT_EQ(files, 1u) << "the temporary file is removed";
}

TEST_F(ZubFileTest, SaveReplacesTheFileAndKeepsItsPermissions) {
  const std::string path = WriteBytes("job.zub", "old text");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_read);
  FProject.Body = {"Head H1 10 15 5.6"};
  FProject.SaveToFile(path);
  EXPECT_EQ(Load(path).Body, std::vector<std::string>{"Head H1 10 15 5.6"});
  EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read);
}

}  // namespace
}  // namespace pelmora
