#include "shell/CommandLine.h"

namespace {

const std::string OPTION_PREFIX = "--";
const std::string WINDOWED = "--windowed";
const std::string FULL_SCREEN = "--fullscreen";
const std::string DATA = "--data";
const std::string HELP = "--help";
const std::string VERSION = "--version";

constexpr int EXIT_REPLIED = 0;
constexpr int EXIT_MISTAKE = 2;

const char *const USAGE =
    "Usage: pickrpg [--windowed | --fullscreen] [--data DIR]\n"
    "\n"
    "Options:\n"
    "  --windowed    start in a window, without the start-up question\n"
    "  --fullscreen  start in full screen, without the start-up question\n"
    "  --data DIR    look for the images in DIR first\n"
    "  --help        print this text and exit\n"
    "  --version     print the version and exit\n"
    "\n"
    "Controls:\n"
    "  left click    on a button: choose an action; on a square: carry it out there\n"
    "  G, L, U, A    choose Get, Look, Use, Attack; the same key again acts on your square\n"
    "  M             choose Move; an arrow key then pushes an item off the clicked square\n"
    "  arrow keys    step, or carry out the chosen action on the neighbouring square\n"
    "  I, S          open or close the inventory and statistics windows\n"
    "  Space         pause\n"
    "  F1            switch between full screen and a window (starts a new game)\n"
    "  Escape        quit\n"
    "\n"
    "Window: the game's 1024 x 768 picture fills the window at any size, kept in\n"
    "shape with black bars beside it; resize or maximise it as you like. Full\n"
    "screen covers the whole monitor without changing its display mode.\n"
    "\n"
    "The images are read from the first of these folders that exists:\n";

bool startsWith(const std::string &text, const std::string &prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

CommandLine CommandLine::parse(const std::vector<std::string> &arguments) {
  CommandLine options;
  std::size_t index = 0;
  while (index < arguments.size() && options.read(arguments, index)) {
    ++index;
  }
  return options;
}

std::string CommandLine::reply(const DataFolders &folders) const {
  const std::string usage = USAGE + folders.describe();
  switch (wanted) {
  case Request::ShowHelp:
    return usage;
  case Request::ShowVersion:
    return std::string(PROGRAM_NAME) + " " + PICKRPG_VERSION + "\n";
  case Request::Refuse:
    return std::string(PROGRAM_NAME) + ": " + mistake + "\n\n" + usage;
  case Request::Play:
    break;
  }
  return "";
}

int CommandLine::exitCode() const {
  return wanted == Request::Refuse ? EXIT_MISTAKE : EXIT_REPLIED;
}

bool CommandLine::read(const std::vector<std::string> &arguments, std::size_t &index) {
  const std::string &argument = arguments[index];
  if (argument == WINDOWED) {
    mode = StartMode::Windowed;
  } else if (argument == FULL_SCREEN) {
    mode = StartMode::FullScreen;
  } else if (argument == DATA) {
    // An option after --data means its value was forgotten.
    const bool hasValue = index + 1 < arguments.size() && !arguments[index + 1].empty() &&
                          !startsWith(arguments[index + 1], OPTION_PREFIX);
    if (!hasValue) {
      refuse(DATA + " needs a folder");
      return false;
    }
    folder = arguments[++index];
  } else if (argument == HELP) {
    wanted = Request::ShowHelp;
    return false;
  } else if (argument == VERSION) {
    wanted = Request::ShowVersion;
    return false;
  } else {
    refuse("unknown option \"" + argument + "\"");
    return false;
  }
  return true;
}

void CommandLine::refuse(const std::string &why) {
  wanted = Request::Refuse;
  mistake = why;
}
