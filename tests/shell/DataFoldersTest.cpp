// The search for the data folder in a real tree of temporary folders: the
// working directory, the folder given with --data, the executable's folder
// reached through a symbolic link, and the installed data folder beside bin/.
// (The options session runs the executables on it: --help's listing, --data
// over a broken Data/, a copy with Data/ beside it, the box when none exists.)

#include "shell/DataFolders.h"
#include "gfx/Texture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

// root/run is the working directory, root/chosen the folder given with
// --data, root/game/bin/pickrpg the real executable, started through the
// link root/links/pickrpg; root/links/Data is a decoy that must never count.
class DataFoldersTest : public ::testing::Test {
protected:
  fs::path root, run, chosen, beside, installed;

  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "pickrpg-data-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root = fs::canonical(pattern), run = root / "run" / "Data", chosen = root / "chosen";
    beside = root / "game" / "bin" / "Data";
    installed = root / "game" / "share" / "games" / "pickrpg" / "Data";
    for (const fs::path &folder : {root / "run", root / "game" / "bin", root / "links" / "Data"}) {
      fs::create_directories(folder);
    }
    std::ofstream(root / "game" / "bin" / "pickrpg") << "the real executable";
    fs::create_symlink("../game/bin/pickrpg", root / "links" / "pickrpg");
  }
  void TearDown() override { fs::remove_all(root); }

  DataFolders search(bool withOption) const {
    return DataFolders({root / "run", withOption ? "../chosen" : "", root / "links" / "pickrpg",
                        "../share/games/pickrpg"});
  }
};

} // namespace

// The folder given with --data (relative to the working directory), then
// Data/ in the working directory, then beside the real executable (not
// beside its link), then the installed one; when none exists, the first, so
// that loading fails and says so.
TEST_F(DataFoldersTest, TheFirstFolderThatExistsIsChosenInTheDocumentedOrder) {
  enum Place { Run, Chosen, Beside, Installed };
  const fs::path places[] = {run, chosen, beside, installed};
  const struct Row {
    bool withOption;
    std::vector<Place> existing;
    Place expected;
  } rows[] = {{true, {Run, Chosen, Beside, Installed}, Chosen},
              {true, {Run, Beside, Installed}, Run},
              {true, {Beside, Installed}, Beside},
              {false, {Installed}, Installed},
              {true, {}, Chosen}};
  for (const Row &row : rows) {
    std::for_each(std::begin(places), std::end(places),
                  [](auto &folder) { fs::remove_all(folder); });
    for (Place place : row.existing) {
      fs::create_directories(places[place]);
    }
    EXPECT_EQ(search(row.withOption).chosen(), places[row.expected]) << row.existing.size();
  }
}

// The lines under "Cannot load Data/<File>.tga" name what the chosen folder
// lacked, and a folder reached twice (the executable in the working
// directory) once. (The options session checks the whole list of folders
// tried, and a missing image.)
TEST_F(DataFoldersTest, AFailureNamesEveryFolderTriedOnceAndWhatTheChosenOneLacks) {
  fs::create_directories(beside);
  std::ofstream(beside / "Font.tga") << "not an image";
  const DataFolders fromItsOwnFolder(
      {root / "game" / "bin" / "", "", root / "game" / "bin" / "pickrpg", ""});
  EXPECT_EQ(fromItsOwnFolder.failureDetails("Data/Font.tga"),
            "\nFolders tried:\n" + beside.string() +
                " (in the working directory): Font.tga is not a readable image");
  EXPECT_EQ(DataFolders().chosen(), fs::path(DATA_FOLDER_NAME));
  EXPECT_EQ(DataFolders().failureDetails("Data/Font.tga"), "") << "a build without search";
}
