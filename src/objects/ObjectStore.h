#pragma once
// The one owner of every world object. Everything else (spaces, inventories,
// equipment slots, the held object, the game's player pointer) only refers
// to objects made here, which stay valid until clear().

#include "objects/WorldObject.h"

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

class ObjectStore {
public:
  // Constructs a T from the arguments, keeps it and returns it.
  // Example: ObjectStore::make<Item>(VaseKind).
  template <typename T, typename... Arguments> static T *make(Arguments &&...arguments) {
    std::unique_ptr<T> object(new T(std::forward<Arguments>(arguments)...));
    T *made = object.get();
    objects().push_back(std::move(object));
    return made;
  }

  // Destroys every object. Only for a new game, once nothing refers to the
  // old objects any more.
  static void clear();
  // Number of objects alive.
  static std::size_t count();
  // Calls visit(const WorldObject &) for every object alive, oldest first.
  // visit must neither make nor clear objects.
  template <typename Visit> static void forEach(Visit visit) {
    for (const std::unique_ptr<WorldObject> &object : objects()) {
      visit(static_cast<const WorldObject &>(*object));
    }
  }

private:
  static std::vector<std::unique_ptr<WorldObject>> &objects();
};
