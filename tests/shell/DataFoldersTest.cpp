// The search for the data folder in a real tree of temporary folders: the
// working directory, the folder given with --data, the executable's folder
// reached through a symbolic link, and the installed data folder beside bin/.

#include "shell/DataFolders.h"
#include "gfx/Texture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

const fs::path INSTALLED_FROM_BIN = "../share/games/pickrpg";

// root/run is the working directory, root/chosen the folder given with
// --data, root/game/bin/pickrpg the real executable, started through the
// link root/links/pickrpg; root/links/Data is a decoy that must never count.
class DataFoldersTest : public ::testing::Test {
protected:
  fs::path root, run, chosen, beside, installed;

  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "pickrpg-data-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root = fs::canonical(pattern);
    run = root / "run" / "Data";
    chosen = root / "chosen";
    beside = root / "game" / "bin" / "Data";
    installed = root / "game" / "share" / "games" / "pickrpg" / "Data";
    fs::create_directories(root / "run");
    fs::create_directories(root / "game" / "bin");
    fs::create_directories(root / "links" / "Data");
    std::ofstream(root / "game" / "bin" / "pickrpg") << "the real executable";
    fs::create_symlink("../game/bin/pickrpg", root / "links" / "pickrpg");
  }
  void TearDown() override { fs::remove_all(root); }

  DataFolders search(bool withOption) const {
    return DataFolders({root / "run", withOption ? "../chosen" : "", root / "links" / "pickrpg",
                        INSTALLED_FROM_BIN});
  }
  static void makeFolders(std::initializer_list<fs::path> folders) {
    for (const fs::path &folder : folders) {
      fs::create_directories(folder);
    }
  }
};

} // namespace

TEST_F(DataFoldersTest, TheFirstFolderThatExistsIsChosenInTheDocumentedOrder) {
  enum Place { Run, Chosen, Beside, Installed };
  const fs::path places[] = {run, chosen, beside, installed};
  struct Row {
    const char *what;
    bool withOption;
    std::vector<Place> existing;
    Place expected;
  } rows[] = {
      {"the folder given with --data, relative to the working directory, comes first",
       true,
       {Run, Chosen, Beside, Installed},
       Chosen},
      {"then Data/ in the working directory", true, {Run, Beside, Installed}, Run},
      {"then Data/ beside the real executable, not beside its link",
       true,
       {Beside, Installed},
       Beside},
      {"then the installed data folder", false, {Installed}, Installed},
      {"none: the first folder, so that loading fails and says so", true, {}, Chosen},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.what);
    for (const fs::path &folder : places) {
      fs::remove_all(folder);
    }
    for (Place place : row.existing) {
      makeFolders({places[place]});
    }
    EXPECT_EQ(search(row.withOption).chosen(), places[row.expected]);
  }
}

// Every folder the search may use is listed once, in order, with where it
// comes from; a folder that is reached twice (the executable in the working
// directory) is tried once.
TEST_F(DataFoldersTest, TheSearchOrderNamesEachFolderOnceWithItsSource) {
  EXPECT_EQ(search(true).describe(), "  " + chosen.string() + " (given with --data)\n  " +
                                         run.string() + " (in the working directory)\n  " +
                                         beside.string() + " (beside the executable)\n  " +
                                         installed.string() + " (installed data)\n");
  const DataFolders fromItsOwnFolder(
      {root / "game" / "bin" / "", "", root / "game" / "bin" / "pickrpg", ""});
  ASSERT_EQ(fromItsOwnFolder.searchOrder().size(), 1u);
  EXPECT_EQ(fromItsOwnFolder.searchOrder()[0].path, beside);
  EXPECT_EQ(fromItsOwnFolder.searchOrder()[0].source, DataFolders::Source::WorkingDirectory);

  const DataFolders none;
  EXPECT_EQ(none.chosen(), fs::path(DATA_FOLDER_NAME));
  EXPECT_EQ(none.failureDetails("Data/Font.tga"), "") << "the plain box of a build without search";
}

// The lines under "Cannot load Data/<File>.tga": the folders tried up to the
// one the images come from, and what that one lacked.
TEST_F(DataFoldersTest, AFailureNamesEveryFolderTriedAndWhatTheChosenOneLacks) {
  const std::string noRun = "\n" + run.string() + " (in the working directory): no such folder";
  const std::string noChosen = "\n" + chosen.string() + " (given with --data): no such folder";
  const std::string besideLabel = "\n" + beside.string() + " (beside the executable)";
  EXPECT_EQ(search(true).failureDetails("Data/BlueFace.tga"),
            "\nFolders tried:" + noChosen + noRun + besideLabel + ": no such folder\n" +
                installed.string() + " (installed data): no such folder");

  makeFolders({beside, installed});
  EXPECT_EQ(search(true).failureDetails("Data/Font.tga"),
            "\nFolders tried:" + noChosen + noRun + besideLabel + ": Font.tga is missing");
  std::ofstream(beside / "Font.tga") << "not an image";
  EXPECT_EQ(search(true).failureDetails("Data/Font.tga"), "\nFolders tried:" + noChosen + noRun +
                                                              besideLabel +
                                                              ": Font.tga is not a readable image");
}
