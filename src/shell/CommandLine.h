#pragma once
// The options both executables take. --windowed and --fullscreen skip the
// start-up question (the last one given counts); --data DIR names a folder
// to look for the images in; --help and --version print and end the run.
// Reading stops at --help, --version or the first mistake.

#include "shell/DataFolders.h"
#include "shell/StartMode.h"

#include <string>
#include <vector>

class CommandLine {
public:
  enum class Request { Play, ShowHelp, ShowVersion, Refuse };

  static constexpr const char *PROGRAM_NAME = "pickrpg";

  // Reads the arguments that follow the program's name, in UTF-8.
  static CommandLine parse(const std::vector<std::string> &arguments);

  Request request() const { return wanted; }
  StartMode startMode() const { return mode; }
  // The folder given with --data, in UTF-8; empty when none was.
  const std::string &dataFolder() const { return folder; }

  // What to print instead of playing: the usage with this run's data
  // folders, the version, or the mistake followed by the usage.
  std::string reply(const DataFolders &folders) const;
  // 0 after --help and --version, 2 after a mistake.
  int exitCode() const;

private:
  Request wanted = Request::Play;
  StartMode mode = StartMode::Ask;
  std::string folder;
  std::string mistake;

  // Handles one argument; true while reading goes on. index moves past a
  // value the option takes.
  bool read(const std::vector<std::string> &arguments, std::size_t &index);
  void refuse(const std::string &why);
};
