#pragma once
// Display lists as recorded calls: between begin and end every call the
// layer can record is stored as a command instead of being run, and calling
// a list runs its commands in order.

#include <functional>
#include <unordered_map>
#include <vector>

class DisplayLists {
public:
  using Command = std::function<void()>;

  // The first of `range` new consecutive names, or 0 when range is not
  // positive.
  unsigned generate(int range);
  void remove(unsigned first, int range);

  // False when already compiling or for the name 0.
  bool begin(unsigned list);
  // False when not compiling.
  bool end();
  bool isCompiling() const { return compiling != 0; }
  void record(Command command);

  // Runs the list's commands; an unknown list, or one that would nest
  // deeper than the GL allows, runs nothing.
  void call(unsigned list);

private:
  static constexpr int MAXIMUM_NESTING = 64;

  std::unordered_map<unsigned, std::vector<Command>> lists;
  unsigned nextName = 1;
  unsigned compiling = 0;
  std::vector<Command> recording;
  int nesting = 0;
};
