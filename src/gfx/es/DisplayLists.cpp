#include "gfx/es/DisplayLists.h"

unsigned DisplayLists::generate(int range) {
  if (range <= 0) {
    return 0;
  }
  // Names are never handed out twice, which any unused range satisfies.
  const unsigned first = nextName;
  nextName += static_cast<unsigned>(range);
  return first;
}

void DisplayLists::remove(unsigned first, int range) {
  for (int i = 0; i < range; ++i) {
    lists.erase(first + static_cast<unsigned>(i));
  }
}

bool DisplayLists::begin(unsigned list) {
  if (isCompiling() || list == 0) {
    return false;
  }
  compiling = list;
  recording.clear();
  return true;
}

bool DisplayLists::end() {
  if (!isCompiling()) {
    return false;
  }
  lists[compiling] = std::move(recording);
  recording.clear();
  compiling = 0;
  return true;
}

void DisplayLists::record(Command command) {
  recording.push_back(std::move(command));
}

void DisplayLists::call(unsigned list) {
  const auto found = lists.find(list);
  if (found == lists.end() || nesting >= MAXIMUM_NESTING) {
    return;
  }
  ++nesting;
  for (const Command &command : found->second) {
    command();
  }
  --nesting;
}
