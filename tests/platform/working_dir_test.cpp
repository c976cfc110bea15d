#include "platform/working_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace {

TEST(WorkingDirectory, FullPathsInTheFolderAndBareNamesOnceItIsRemoved) {
  const std::filesystem::path old = std::filesystem::current_path();
  TempDir dir;
  const std::string gone = dir.File("gone");
  std::filesystem::create_directory(gone);
  std::filesystem::current_path(gone);
  const std::string full = std::filesystem::canonical(gone).string();
  const std::string before = WorkingDirectory();
  const std::string picture = WorkingDirectoryPath("Bitmap/Player.bmp");
  std::filesystem::remove(gone);
  const std::string after = WorkingDirectory();
  const std::string bare = WorkingDirectoryPath("SLD.ini");
  std::filesystem::current_path(old);

  EXPECT_EQ(before, full);
  EXPECT_EQ(picture, full + "/Bitmap/Player.bmp");
  EXPECT_EQ(after, "");
  EXPECT_EQ(bare, "SLD.ini") << "never /SLD.ini";
}

}  // namespace
