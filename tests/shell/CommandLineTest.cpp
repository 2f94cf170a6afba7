// The options of both executables as the entry points hand them over: the
// arguments after the program's name, in UTF-8.

#include "shell/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Request = CommandLine::Request;

TEST(CommandLine, OptionsAreReadUntilHelpVersionOrTheFirstMistake) {
  struct Row {
    std::vector<std::string> arguments;
    Request request;
    StartMode mode;
    std::string folder;
    int exitCode;
  } rows[] = {
      {{}, Request::Play, StartMode::Ask, "", 0},
      {{"--windowed"}, Request::Play, StartMode::Windowed, "", 0},
      {{"--fullscreen"}, Request::Play, StartMode::FullScreen, "", 0},
      // Of the two display modes the last one given counts.
      {{"--windowed", "--fullscreen"}, Request::Play, StartMode::FullScreen, "", 0},
      {{"--fullscreen", "--windowed"}, Request::Play, StartMode::Windowed, "", 0},
      {{"--data", "/opt/pickrpg data"}, Request::Play, StartMode::Ask, "/opt/pickrpg data", 0},
      {{"--data", "Käse/Data", "--windowed"}, Request::Play, StartMode::Windowed, "Käse/Data", 0},
      {{"--windowed", "--data", "a", "--data", "b"}, Request::Play, StartMode::Windowed, "b", 0},
      {{"--help"}, Request::ShowHelp, StartMode::Ask, "", 0},
      {{"--version"}, Request::ShowVersion, StartMode::Ask, "", 0},
      {{"--windowed", "--version", "--bogus"}, Request::ShowVersion, StartMode::Windowed, "", 0},
      {{"--help", "--version"}, Request::ShowHelp, StartMode::Ask, "", 0},
      {{"--bogus"}, Request::Refuse, StartMode::Ask, "", 2},
      {{"--bogus", "--help"}, Request::Refuse, StartMode::Ask, "", 2},
      {{"windowed"}, Request::Refuse, StartMode::Ask, "", 2},
      {{"-h"}, Request::Refuse, StartMode::Ask, "", 2},
      {{"--data"}, Request::Refuse, StartMode::Ask, "", 2},
      {{"--data", ""}, Request::Refuse, StartMode::Ask, "", 2},
      // An option where the folder should be means the folder was forgotten.
      {{"--data", "--windowed"}, Request::Refuse, StartMode::Ask, "", 2},
  };
  for (const Row &row : rows) {
    std::string shown;
    for (const std::string &argument : row.arguments) {
      shown += "[" + argument + "]";
    }
    SCOPED_TRACE(shown);
    const CommandLine options = CommandLine::parse(row.arguments);
    EXPECT_EQ(options.request(), row.request);
    EXPECT_EQ(options.startMode(), row.mode);
    EXPECT_EQ(options.dataFolder(), row.folder);
    EXPECT_EQ(options.exitCode(), row.exitCode);
    EXPECT_EQ(options.reply(DataFolders()).empty(), row.request == Request::Play);
  }
}
