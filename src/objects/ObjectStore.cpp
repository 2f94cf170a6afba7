#include "objects/ObjectStore.h"

std::vector<std::unique_ptr<WorldObject>> &ObjectStore::objects() {
  // Made on first use, so objects can be made from any static initialiser.
  static std::vector<std::unique_ptr<WorldObject>> store;
  return store;
}

void ObjectStore::clear() {
  // Taken out first: a destructor that made or counted objects would
  // otherwise meet a half-cleared store.
  std::vector<std::unique_ptr<WorldObject>> doomed;
  doomed.swap(objects());
}

std::size_t ObjectStore::count() {
  return objects().size();
}
