// The options of both executables as the entry points hand them over: the
// arguments after the program's name, in UTF-8.

#include "shell/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using Request = CommandLine::Request;

TEST(CommandLine, OptionsAreReadUntilHelpVersionOrTheFirstMistake) {
  // The arguments; what they ask for, the display mode and the data folder.
  const std::tuple<std::vector<std::string>, Request, StartMode, std::string> rows[] = {
      {{}, Request::Play, StartMode::Ask, ""},
      {{"--windowed"}, Request::Play, StartMode::Windowed, ""},
      // Of the two display modes the last one given counts.
      {{"--windowed", "--fullscreen"}, Request::Play, StartMode::FullScreen, ""},
      {{"--fullscreen", "--windowed"}, Request::Play, StartMode::Windowed, ""},
      {{"--data", "/Käse d", "--windowed"}, Request::Play, StartMode::Windowed, "/Käse d"},
      {{"--windowed", "--data", "a", "--data", "b"}, Request::Play, StartMode::Windowed, "b"},
      {{"--windowed", "--version", "--bogus"}, Request::ShowVersion, StartMode::Windowed, ""},
      {{"--help", "--version"}, Request::ShowHelp, StartMode::Ask, ""},
      {{"--bogus", "--help"}, Request::Refuse, StartMode::Ask, ""},
      {{"windowed"}, Request::Refuse, StartMode::Ask, ""},
      {{"--data"}, Request::Refuse, StartMode::Ask, ""},
      {{"--data", ""}, Request::Refuse, StartMode::Ask, ""},
      // An option where the folder should be means the folder was forgotten.
      {{"--data", "--windowed"}, Request::Refuse, StartMode::Ask, ""},
  };
  for (const auto &[arguments, request, mode, folder] : rows) {
    SCOPED_TRACE(testing::PrintToString(arguments));
    const CommandLine options = CommandLine::parse(arguments);
    EXPECT_EQ(options.request(), request);
    EXPECT_EQ(options.startMode(), mode);
    EXPECT_EQ(options.dataFolder(), folder);
    // A mistake ends the run with 2, help and version with 0; only play says nothing.
    EXPECT_EQ(options.exitCode(), request == Request::Refuse ? 2 : 0);
    EXPECT_EQ(options.reply(DataFolders()).empty(), request == Request::Play);
  }
}
