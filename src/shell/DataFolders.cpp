#include "shell/DataFolders.h"

#include "gfx/Texture.h"

namespace fs = std::filesystem;

namespace {

const char *const SOURCE_LABELS[] = {"given with --data", "in the working directory",
                                     "beside the executable", "installed data"};
const char *const FOLDERS_TRIED = "\nFolders tried:";
const char *const NO_SUCH_FOLDER = ": no such folder";
const char *const FILE_MISSING = " is missing";
const char *const FILE_UNREADABLE = " is not a readable image";

bool isFolder(const fs::path &path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

bool isPresent(const fs::path &path) {
  std::error_code error;
  return fs::exists(path, error);
}

// The folder of the file a link leads to: a symbolic link to the game in
// another folder still finds the data beside the real file.
fs::path realFolderOf(const fs::path &executable) {
  std::error_code error;
  const fs::path real = fs::canonical(executable, error);
  return (error ? executable : real).parent_path();
}

// "dir/" and "dir" are one folder; only the root keeps its separator.
fs::path normalFolder(const fs::path &folder) {
  const fs::path normal = folder.lexically_normal();
  return normal.has_filename() || !normal.has_relative_path() ? normal : normal.parent_path();
}

std::string labelled(const DataFolders::Folder &folder) {
  return folder.path.u8string() + " (" + SOURCE_LABELS[static_cast<int>(folder.source)] + ")";
}

} // namespace

DataFolders::DataFolders(const DataPlaces &places) {
  if (!places.optionFolder.empty()) {
    // A relative folder is relative to the working directory, as the user meant.
    add(places.workingDirectory / places.optionFolder, Source::Option);
  }
  add(places.workingDirectory / DATA_FOLDER_NAME, Source::WorkingDirectory);
  if (places.executable.empty()) {
    return;
  }
  const fs::path executableFolder = realFolderOf(places.executable);
  add(executableFolder / DATA_FOLDER_NAME, Source::Executable);
  if (!places.installedFromExecutableFolder.empty()) {
    add(executableFolder / places.installedFromExecutableFolder / DATA_FOLDER_NAME,
        Source::Installed);
  }
}

fs::path DataFolders::chosen() const {
  for (const Folder &folder : folders) {
    if (isFolder(folder.path)) {
      return folder.path;
    }
  }
  return folders.empty() ? fs::path(DATA_FOLDER_NAME) : folders.front().path;
}

std::string DataFolders::failureDetails(const std::string &failedFile) const {
  if (folders.empty()) {
    return "";
  }
  const fs::path fileName = fs::u8path(failedFile).filename();
  std::string details = FOLDERS_TRIED;
  for (const Folder &folder : folders) {
    details += "\n" + labelled(folder);
    if (isFolder(folder.path)) {
      // The images come from this folder only.
      details += ": " + fileName.u8string() +
                 (isPresent(folder.path / fileName) ? FILE_UNREADABLE : FILE_MISSING);
      break;
    }
    details += NO_SUCH_FOLDER;
  }
  return details;
}

std::string DataFolders::describe() const {
  std::string lines;
  for (const Folder &folder : folders) {
    lines += "  " + labelled(folder) + "\n";
  }
  return lines;
}

void DataFolders::add(const fs::path &folder, Source source) {
  const fs::path normal = normalFolder(folder);
  for (const Folder &earlier : folders) {
    if (earlier.path == normal) {
      return;
    }
  }
  folders.push_back({normal, source});
}

fs::path workingDirectory() {
  std::error_code error;
  fs::path folder = fs::current_path(error);
  return error ? fs::path() : folder;
}
