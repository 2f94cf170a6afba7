#pragma once
// Where the game's images are looked for. The folder the user named with
// --data comes first, so that no Data/ in the working directory can override
// it; then Data/ under the working directory, Data/ beside the executable
// (the real file, when it was started through a symbolic link) and the
// installed data folder, found relative to the executable's folder so that
// an installed tree still works after a move.
// The images are read from the first of these folders that exists: one that
// exists but lacks an image is reported as lacking it, not passed over.

#include <filesystem>
#include <string>
#include <vector>

// What the search starts from; an empty path leaves its place out.
struct DataPlaces {
  std::filesystem::path workingDirectory;
  std::filesystem::path optionFolder; // given with --data, relative to the working directory
  std::filesystem::path executable;   // may be a symbolic link
  std::filesystem::path installedFromExecutableFolder;
};

class DataFolders {
public:
  enum class Source { Option, WorkingDirectory, Executable, Installed };
  struct Folder {
    std::filesystem::path path;
    Source source;
  };

  // No search: the images come from Data/ under the working directory, and
  // a failure names no folders.
  DataFolders() = default;
  explicit DataFolders(const DataPlaces &places);

  const std::vector<Folder> &searchOrder() const { return folders; }
  // The first folder of the search order that exists; when none does, the
  // first one, so that loading fails on the first image.
  std::filesystem::path chosen() const;
  // What the "Cannot load Data/<File>.tga" box says after its first line:
  // every folder tried, and what it lacked. Empty without a search.
  std::string failureDetails(const std::string &failedFile) const;
  // The search order, one folder a line with where it comes from.
  std::string describe() const;

private:
  std::vector<Folder> folders;

  void add(const std::filesystem::path &folder, Source source);
};

// The process's working directory, or an empty path when it has none.
std::filesystem::path workingDirectory();
