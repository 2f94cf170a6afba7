#pragma once
// The one running game: the player, the world map, the action buttons, the
// four interface windows, the object held on the cursor and the keyboard
// commands. The shell's scene hooks drive it.

#include "ui/Button.h"
#include "ui/InventoryWindow.h"
#include "ui/StatWindow.h"
#include "ui/TextWindow.h"
#include "world/LoadedArea.h"

#include <array>
#include <cstdint>
#include <string>

class Being;
class Space;
class WorldObject;
struct KeyTable;

// Keyboard commands left for the next update.
enum Command : std::int32_t {
  NoCommand = 0,
  StepCommand = 1,
  GetCommand = 2,
  PushCommand = 3,
  LookCommand = 4,
  UseCommand = 5,
  AttackCommand = 6,
};

// A directed command's target: a neighbour of the player's space, or its own.
constexpr std::int32_t OWN_SPACE = 4;

class Game {
public:
  static constexpr std::int32_t MARK_CHOSEN = 1;    // a click's mark, kept until used
  static constexpr std::int32_t MARK_TEMPORARY = 2; // shown for one frame

  Game();
  ~Game();
  Game(const Game &) = delete;
  Game &operator=(const Game &) = delete;

  void setKeyTable(KeyTable *newKeys) { keys = newKeys; }
  // Builds a new game for the current client-area size; nothing of the
  // previous game survives, and its objects are destroyed.
  void setUp();
  void addMessage(std::string text);

  // Per frame.
  void update(float elapsed);
  void drawWorld();
  void drawInterface();

  // World picking.
  void drawWorldForPicking();
  void markWorldHit(std::int32_t name, std::int32_t kind);
  Space *findMarkedSpace();
  void clearMarks();

  // Interface hit tests, cursor in client pixels from the top-left corner.
  bool isOverInventory(std::int32_t x, std::int32_t y) const;
  bool isOverPile(std::int32_t x, std::int32_t y) const;
  bool isOverStats(std::int32_t x, std::int32_t y) const;
  bool isOverLog(std::int32_t x, std::int32_t y) const;
  bool isOverButtons(std::int32_t x, std::int32_t y) const;
  bool isOverInterface(std::int32_t x, std::int32_t y) const;

  // Interface picking: draws, without its frame, the first window under the
  // cursor, and hands the pass's result to the first element that applies.
  void drawWindowForPicking(std::int32_t x, std::int32_t y);
  void onInterfaceClick(std::int32_t hits, std::int32_t name, std::int32_t x, std::int32_t y);
  void onInventoryClick(std::int32_t hits, std::int32_t name);
  void onPileClick(std::int32_t hits, std::int32_t name);
  void onStatsClick(std::int32_t name);
  void onLogClick(std::int32_t name);
  void onButtonClick(std::int32_t x, std::int32_t y);
  void onWorldClick();

  // State, for the interface layer and for tests.
  Being *getPlayer() const { return player; }
  LoadedArea &getWorld() { return world; }
  WorldObject *getHeldObject() const { return heldObject; }
  void setHeldObject(WorldObject *object) { heldObject = object; }
  bool isPaused() const { return paused; }
  float getPlayerWorldX() const { return playerWorldX; }
  float getPlayerWorldY() const { return playerWorldY; }
  float getPlayerLocalX() const { return playerLocalX; }
  float getPlayerLocalY() const { return playerLocalY; }
  std::int32_t getPendingCommand() const { return pendingCommand; }
  std::int32_t getCommandDirection() const { return commandDirection; }
  // The seven buttons in field order: Get, Move, Look, Use, Attack, Inventory, Stats.
  const Button &buttonAt(int index) const;
  StatWindow &getStatsWindow() { return statsWindow; }
  TextWindow &getTextWindow() { return textWindow; }
  InventoryWindow &getInventoryWindow() { return inventoryWindow; }
  InventoryWindow &getPileWindow() { return pileWindow; }
  Space &getPlayerSpace();

  static constexpr int BUTTON_COUNT = 7;

private:
  Being *player = nullptr;
  LoadedArea world;
  float playerWorldX = 0.0f;
  float playerWorldY = 0.0f;
  float playerLocalX = 0.0f;
  float playerLocalY = 0.0f;
  KeyTable *keys = nullptr;
  WorldObject *heldObject = nullptr;
  bool paused = false;
  std::int32_t pendingCommand = NoCommand;
  std::int32_t commandDirection = OWN_SPACE;
  Button getButton;
  Button moveButton;
  Button lookButton;
  Button useButton;
  Button attackButton;
  Button inventoryButton;
  Button statsButton;
  StatWindow statsWindow;
  TextWindow textWindow;
  InventoryWindow inventoryWindow;
  InventoryWindow pileWindow;

  std::array<Button *, BUTTON_COUNT> buttonBar();

  void dropPreviousGame();
  void createPlayer();
  void layOutButtons(int width);
  void layOutWindows(int width, int height);
  void addStartUpTexts();

  // Keyboard and commands.
  void handleKeys();
  bool consumeKey(int code);
  void queueArrowCommand(std::int32_t direction);
  void handleVerbKey(std::int32_t mode, std::int32_t command);
  void runCommands();
  void runPausedCommands();
  void wanderAll();
  void doStep();
  void doGet();
  void doPush();
  void doLook();
  void doUse();
  void doAttack();
  Space &commandTarget(std::int32_t direction);
  void finishCommand();

  // Actions shared by clicks and keys.
  void getFrom(Space &space);
  std::int32_t attackDamage() const;
  void setMode(std::int32_t mode);
  std::int32_t getMode() const;
  void toggleMode(std::int32_t mode);
  void moveHeldObjectTo(Space &space);

  void setMoveOriginToPlayer();
  int viewCentreX() const;
  int viewCentreY() const;
  void drawHeldObjectOrCrosshair();
};

// The game the shell runs.
extern Game game;
