#include "DataImage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string runTool(const std::string &arguments) {
  return std::string("\"") + PICKRPG_ASSETS_TOOL + "\" " + arguments + " 2>/dev/null";
}

class AssetTool : public ::testing::Test {
protected:
  // ctest runs the cases of this suite in parallel: one folder each.
  std::filesystem::path output =
      std::filesystem::path(::testing::TempDir()) /
      (std::string("pickrpg_assets_") +
       ::testing::UnitTest::GetInstance()->current_test_info()->name());

  void SetUp() override { std::filesystem::remove_all(output); }
  void TearDown() override { std::filesystem::remove_all(output); }
};

} // namespace

TEST_F(AssetTool, RegeneratesEveryCommittedImageByteForByte) {
  ASSERT_EQ(std::system(runTool("\"" + output.string() + "\"").c_str()), 0);
  for (const TextureFile &entry : textureFiles) {
    const std::string name = std::filesystem::path(entry.fileName).filename().string();
    const std::vector<unsigned char> made = readBytes((output / name).string());
    const std::vector<unsigned char> committed = readBytes(sourcePath(entry.fileName));
    ASSERT_FALSE(made.empty()) << "the tool did not write " << name;
    EXPECT_TRUE(made == committed)
        << entry.fileName << " differs from what the tool makes: rerun the tool into Data/ "
        << "(build/tools/pickrpg_assets Data)";
  }
  std::size_t written = 0;
  for (const auto &file : std::filesystem::directory_iterator(output)) {
    written += file.is_regular_file();
  }
  EXPECT_EQ(written, static_cast<std::size_t>(TEXTURE_COUNT)) << "the tool writes extra files";
}

TEST_F(AssetTool, FailsWithoutAnOutputFolderOrWhenItCannotWrite) {
  EXPECT_NE(std::system(runTool("").c_str()), 0);
  // A folder below a plain file cannot be created.
  std::filesystem::create_directories(output);
  const std::filesystem::path blocker = output / "plain-file";
  std::FILE *file = std::fopen(blocker.string().c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fclose(file);
  EXPECT_NE(std::system(runTool("\"" + (blocker / "Data").string() + "\"").c_str()), 0);
}
