#include "game/Game.h"

#include "gfx/Font.h"
#include "gfx/Gl.h"
#include "gfx/Picking.h"
#include "gfx/Texture.h"
#include "objects/Being.h"
#include "objects/Item.h"
#include "objects/ObjectStore.h"
#include "shell/KeyCodes.h"
#include "shell/ShellWindow.h"
#include "ui/MessageOutput.h"
#include "world/Cell.h"
#include "world/Movement.h"
#include "world/Space.h"
#include "world/View.h"

Game game;

namespace {

constexpr int CELL_SIZE = Cell::SIZE;
constexpr float START_WORLD_POSITION = 44.0f;
constexpr float START_LOCAL_POSITION = 14.0f;
constexpr int STARTING_VASES = 50;
constexpr int CENTRE_CELL = LoadedArea::CENTRE;

constexpr int BUTTON_MARGIN = 10;
constexpr int BUTTONS_PER_WIDTH = 15;
// Slot of each button along the bar, in button widths; a gap of five
// widths separates the verbs from the window buttons.
constexpr int BUTTON_SLOTS[Game::BUTTON_COUNT] = {0, 1, 2, 3, 4, 10, 11};
constexpr int BUTTON_TEXTURES[Game::BUTTON_COUNT] = {
    GetButtonTexture,    MoveButtonTexture,      LookButtonTexture, UseButtonTexture,
    AttackButtonTexture, InventoryButtonTexture, StatsButtonTexture};

// The first five buttons choose these action modes.
constexpr int VERB_BUTTONS = 5;
constexpr ActionMode BUTTON_VERBS[VERB_BUTTONS] = {Get, Move, Look, Use, Attack};

constexpr int LOG_MARGIN = 15;
constexpr int PAUSE_INSET = 50;
constexpr float CROSSHAIR_HALF = 16.0f;
// Bright white: the GL clamps it, as everywhere in the interface layer.
constexpr float BRIGHT = 100.0f;
constexpr int ICONS_PER_ROW = 6;
constexpr std::int32_t UNARMED_DAMAGE = 1;

// The start-up lines exercise the log's wrapping and scrolling. The first
// is Windows-1252 text: 0xE9 is the accented e.
const char *const START_UP_TEXTS[] = {
    // One text split only to end the \xE9 escape before the next letter.
    ("Les Meow Mix sont une bonne source de d\xE9"
     "chets toxiques.  J'aime la pizza aux champignons avec des autobus."),
    "ANOTHER TEST",
    "MROE MORE MORE MORE MORE MORE MORE MORE ANOTHER TEST",
    "SFHFSHDFH DFHS",
    "dfgdfh df d",
    "356 56 4 656 4",
    "SDDSG FGFFGAA AAAAAAAAA        GGG TEST",
    "SDDSG FGFFG        GGG TEST",
    "DDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDTEST",
    "AAAAAAAAAAAORE MORE ANOTHERjjjjj TEST",
    "MffEST",
    "",
    "1",
    "dFSFDDF FFER TEST",
};

void deliverToLog(std::string text) {
  game.addMessage(std::move(text));
}

// Only items are ever held, carried or piled.
Item *asItem(WorldObject *object) {
  return static_cast<Item *>(object);
}

int wholeNumber(float value) {
  return static_cast<int>(value);
}

int wrapLocal(float worldPosition) {
  const int local = wholeNumber(worldPosition) % CELL_SIZE;
  return local < 0 ? local + CELL_SIZE : local;
}

// Visits every space of the loaded area: cells i, j then spaces x, y.
template <typename Visit> void forEachSpace(LoadedArea &area, Visit visit) {
  for (int i = 0; i < LoadedArea::CELLS; ++i) {
    for (int j = 0; j < LoadedArea::CELLS; ++j) {
      for (int x = 0; x < Cell::SIZE; ++x) {
        for (int y = 0; y < Cell::SIZE; ++y) {
          visit(area.getCell(i, j).getSpace(x, y), i, j, x, y);
        }
      }
    }
  }
}

} // namespace

Game::Game() {
  setMessageSink(deliverToLog);
}

Game::~Game() {
  setMessageSink(nullptr);
}

std::array<Button *, Game::BUTTON_COUNT> Game::buttonBar() {
  return {&getButton,    &moveButton,      &lookButton, &useButton,
          &attackButton, &inventoryButton, &statsButton};
}

const Button &Game::buttonAt(int index) const {
  return *const_cast<Game *>(this)->buttonBar()[static_cast<std::size_t>(index)];
}

void Game::addMessage(std::string text) {
  textWindow.addText(std::move(text));
}

// ---------------------------------------------------------------------------
// Set-up

void Game::setUp() {
  setMessageSink(deliverToLog);
  paused = false;
  pendingCommand = NoCommand;
  commandDirection = OWN_SPACE;
  const int width = currentWindow->getClientWidth();
  const int height = currentWindow->getClientHeight();

  dropPreviousGame();
  createPlayer();
  playerWorldX = playerWorldY = START_WORLD_POSITION;
  playerLocalX = playerLocalY = START_LOCAL_POSITION;
  world.loadAreaData(wholeNumber(playerWorldX), wholeNumber(playerWorldY));
  getPlayerSpace().setBeing(player);

  layOutButtons(width);
  layOutWindows(width, height);
  addStartUpTexts();
}

void Game::dropPreviousGame() {
  // Every reference into the old game goes first, then its objects.
  heldObject = nullptr;
  player = nullptr;
  statsWindow = StatWindow();
  textWindow = TextWindow();
  inventoryWindow = InventoryWindow();
  pileWindow = InventoryWindow();
  ObjectStore::clear();
}

void Game::createPlayer() {
  player = ObjectStore::make<Being>(PlayerKind);
  for (int i = 0; i < STARTING_VASES; ++i) {
    player->getInventory().add(ObjectStore::make<Item>(VaseKind));
  }
  player->getInventory().add(ObjectStore::make<Item>(AppleKind));
}

void Game::layOutButtons(int width) {
  const int size = width / BUTTONS_PER_WIDTH;
  const std::array<Button *, BUTTON_COUNT> bar = buttonBar();
  for (int k = 0; k < BUTTON_COUNT; ++k) {
    *bar[k] = Button(BUTTON_MARGIN + BUTTON_SLOTS[k] * size, BUTTON_MARGIN, size, size,
                     BUTTON_TEXTURES[k]);
  }
}

void Game::layOutWindows(int width, int height) {
  const int bar = width / BUTTONS_PER_WIDTH;
  const int halfWidth = width / 2;
  const int upperHeight = height / 2 - bar;
  const int upperY = height / 2 + bar;

  pileWindow = InventoryWindow(0, upperY, halfWidth, upperHeight);
  pileWindow.setTitle("Item pile");
  inventoryWindow = InventoryWindow(halfWidth, upperY, halfWidth, upperHeight);
  inventoryWindow.setBeing(player);
  statsWindow = StatWindow(halfWidth, 2 * bar, halfWidth, upperHeight, player);
  textWindow = TextWindow(width / 3 + LOG_MARGIN, 0, width / 3 - LOG_MARGIN, 2 * bar);
}

void Game::addStartUpTexts() {
  for (const char *text : START_UP_TEXTS) {
    textWindow.addText(text);
  }
}

Space &Game::getPlayerSpace() {
  return world.getCell(CENTRE_CELL, CENTRE_CELL)
      .getSpace(wholeNumber(playerLocalX), wholeNumber(playerLocalY));
}

// ---------------------------------------------------------------------------
// Action mode

std::int32_t Game::getMode() const {
  return player->getActionMode();
}

void Game::setMode(std::int32_t mode) {
  player->setAction(static_cast<ActionMode>(mode));
}

void Game::toggleMode(std::int32_t mode) {
  setMode(getMode() == None ? mode : None);
}

// ---------------------------------------------------------------------------
// World view and picking

void Game::setMoveOriginToPlayer() {
  setMoveOrigin(playerLocalX, playerLocalY, playerWorldX, playerWorldY);
}

int Game::viewCentreX() const {
  return wholeNumber(playerLocalX);
}

int Game::viewCentreY() const {
  return wholeNumber(playerLocalY);
}

void Game::drawWorld() {
  setMoveOriginToPlayer();
  world.drawGrid(viewCentreX(), viewCentreY());
  world.draw(viewCentreX(), viewCentreY());
  world.drawSelected(viewCentreX(), viewCentreY());
}

void Game::drawWorldForPicking() {
  setMoveOriginToPlayer();
  world.drawGrid(viewCentreX(), viewCentreY());
}

void Game::markWorldHit(std::int32_t name, std::int32_t kind) {
  setMoveOriginToPlayer();
  world.selectSpace(viewCentreX(), viewCentreY(), name, kind);
}

Space *Game::findMarkedSpace() {
  Space *marked = nullptr;
  forEachSpace(world, [&marked](Space &space, int, int, int, int) {
    if (marked == nullptr && space.isSelected() && space.getSelected() == MARK_CHOSEN) {
      marked = &space;
    }
  });
  return marked;
}

void Game::clearMarks() {
  forEachSpace(world, [](Space &space, int, int, int, int) {
    if (space.getSelected() == MARK_CHOSEN) {
      space.setSelected(0);
    }
  });
}

// ---------------------------------------------------------------------------
// Interface hit tests and clicks

bool Game::isOverInventory(std::int32_t x, std::int32_t y) const {
  return inventoryWindow.isOpen() && inventoryWindow.contains(x, y);
}

bool Game::isOverPile(std::int32_t x, std::int32_t y) const {
  return pileWindow.isOpen() && pileWindow.contains(x, y);
}

bool Game::isOverStats(std::int32_t x, std::int32_t y) const {
  return statsWindow.isOpen() && statsWindow.contains(x, y);
}

bool Game::isOverLog(std::int32_t x, std::int32_t y) const {
  // The log takes clicks whether or not it is open.
  return textWindow.contains(x, y);
}

bool Game::isOverButtons(std::int32_t x, std::int32_t y) const {
  for (int k = 0; k < BUTTON_COUNT; ++k) {
    if (buttonAt(k).contains(x, y)) {
      return true;
    }
  }
  return false;
}

bool Game::isOverInterface(std::int32_t x, std::int32_t y) const {
  return isOverInventory(x, y) || isOverPile(x, y) || isOverStats(x, y) || isOverLog(x, y) ||
         isOverButtons(x, y);
}

void Game::drawWindowForPicking(std::int32_t x, std::int32_t y) {
  if (isOverInventory(x, y)) {
    inventoryWindow.draw(false);
  } else if (isOverPile(x, y)) {
    pileWindow.draw(false);
  } else if (isOverStats(x, y)) {
    statsWindow.draw(false);
  } else if (isOverLog(x, y)) {
    textWindow.draw(false);
  }
}

void Game::onInterfaceClick(std::int32_t hits, std::int32_t name, std::int32_t x, std::int32_t y) {
  if (isOverInventory(x, y)) {
    onInventoryClick(hits, name);
  } else if (isOverPile(x, y)) {
    onPileClick(hits, name);
  } else if (isOverStats(x, y)) {
    onStatsClick(name);
  } else if (isOverLog(x, y)) {
    onLogClick(name);
  } else if (isOverButtons(x, y)) {
    onButtonClick(x, y);
  }
}

void Game::onInventoryClick(std::int32_t hits, std::int32_t name) {
  heldObject = inventoryWindow.selectItemInInvent(hits, name, heldObject, player);
}

void Game::onPileClick(std::int32_t hits, std::int32_t name) {
  heldObject = pileWindow.selectItemInInvent(hits, name, heldObject, player);
}

void Game::onStatsClick(std::int32_t name) {
  statsWindow.clickIn(name);
}

void Game::onLogClick(std::int32_t name) {
  textWindow.clickIn(name);
}

void Game::onButtonClick(std::int32_t x, std::int32_t y) {
  const std::array<Button *, BUTTON_COUNT> bar = buttonBar();
  for (int k = 0; k < VERB_BUTTONS; ++k) {
    if (bar[k]->contains(x, y)) {
      toggleMode(BUTTON_VERBS[k]);
    }
  }
  if (inventoryButton.contains(x, y)) {
    inventoryWindow.setOpen(!inventoryWindow.isOpen());
  }
  if (statsButton.contains(x, y)) {
    statsWindow.setOpen(!statsWindow.isOpen());
  }
  clearMarks();
}

void Game::onWorldClick() {
  Space *space = findMarkedSpace();
  switch (getMode()) {
  case Get:
    if (space != nullptr) {
      getFrom(*space);
    }
    break;
  case Look:
    if (space != nullptr) {
      space->look();
    }
    break;
  case Use:
    if (space != nullptr) {
      space->use();
    }
    break;
  case Attack:
    if (space != nullptr) {
      space->hit(attackDamage());
    }
    break;
  case None:
    if (space != nullptr) {
      moveHeldObjectTo(*space);
    }
    return;
  default:
    // Move only marks the space: the arrow keys push from it.
    return;
  }
  setMode(None);
  clearMarks();
}

void Game::getFrom(Space &space) {
  Inventory &pile = space.getItemPile();
  if (pile.size() == 1) {
    // Taking an item while another is held would lose the held one.
    if (heldObject == nullptr && asItem(pile.at(0))->isPortable()) {
      heldObject = space.removeTop();
    }
  } else if (pile.size() >= 2) {
    pileWindow.setSpace(&space);
    pileWindow.setOpen(true);
  }
}

std::int32_t Game::attackDamage() const {
  const Equipment &equipment = player->getEquipment();
  if (equipment.isWearing(PickLeftHandSlot)) {
    return equipment.get(PickLeftHandSlot)->getDamage();
  }
  if (equipment.isWearing(PickRightHandSlot)) {
    return equipment.get(PickRightHandSlot)->getDamage();
  }
  return UNARMED_DAMAGE;
}

void Game::moveHeldObjectTo(Space &space) {
  if (heldObject == nullptr) {
    return;
  }
  if (space.hasBeing() && space.getBeing()->getKind() == player->getKind()) {
    player->getInventory().add(heldObject);
    heldObject = nullptr;
  } else if (!space.isOccupied()) {
    space.addItem(heldObject);
    heldObject = nullptr;
  }
}

// ---------------------------------------------------------------------------
// Per-frame update

void Game::update(float elapsed) {
  if (paused) {
    handleKeys();
    runPausedCommands();
    return;
  }
  runCommands();
  wanderAll();
  setMoveOriginToPlayer();
  handleKeys();
  world.update(elapsed);
  viewOffsetX = player->getOffsetX();
  viewOffsetY = player->getOffsetY();
}

bool Game::consumeKey(int code) {
  if (keys == nullptr || !keys->down[code]) {
    return false;
  }
  keys->down[code] = false;
  return true;
}

void Game::queueArrowCommand(std::int32_t direction) {
  const std::int32_t mode = getMode();
  pendingCommand = (mode >= Get && mode <= Attack) ? mode : StepCommand;
  commandDirection = direction;
}

void Game::handleVerbKey(std::int32_t mode, std::int32_t command) {
  if (getMode() == None) {
    setMode(mode);
    clearMarks();
  } else if (getMode() == mode) {
    pendingCommand = command;
    commandDirection = OWN_SPACE;
  }
}

void Game::handleKeys() {
  if (keys == nullptr) {
    return;
  }
  // Escape and F1 stay down: the run ends, or the new window clears them.
  if (keys->down[KeyEscape]) {
    currentWindow->requestQuit();
  }
  if (consumeKey(KeySpace)) {
    paused = !paused;
  }
  if (keys->down[KeyF1]) {
    currentWindow->requestModeToggle();
  }
  if (consumeKey(KeyUp)) {
    queueArrowCommand(Up);
  }
  if (consumeKey(KeyDown)) {
    queueArrowCommand(Down);
  }
  if (consumeKey(KeyRight)) {
    queueArrowCommand(Right);
  }
  if (consumeKey(KeyLeft)) {
    queueArrowCommand(Left);
  }
  if (consumeKey(KeyI)) {
    inventoryWindow.setOpen(!inventoryWindow.isOpen());
  }
  if (consumeKey(KeyG)) {
    if (getMode() == None && heldObject == nullptr) {
      setMode(Get);
      clearMarks();
    } else if (getMode() == Get) {
      pendingCommand = GetCommand;
      commandDirection = OWN_SPACE;
    }
  }
  if (consumeKey(KeyS)) {
    statsWindow.setOpen(!statsWindow.isOpen());
  }
  if (consumeKey(KeyM)) {
    setMode(Move);
    clearMarks();
  }
  if (consumeKey(KeyL)) {
    handleVerbKey(Look, LookCommand);
  }
  if (consumeKey(KeyU)) {
    handleVerbKey(Use, UseCommand);
  }
  if (consumeKey(KeyA)) {
    handleVerbKey(Attack, AttackCommand);
  }
}

void Game::runCommands() {
  doStep();
  doGet();
  doPush();
  doLook();
  doUse();
  doAttack();
}

void Game::runPausedCommands() {
  doGet();
  doLook();
  doUse();
}

void Game::wanderAll() {
  forEachSpace(world, [this](Space &space, int i, int j, int x, int y) {
    if (space.hasBeing()) {
      setMoveOrigin(static_cast<float>(x), static_cast<float>(y),
                    static_cast<float>(i * CELL_SIZE + x), static_cast<float>(j * CELL_SIZE + y));
      wander(world, space.getBeing());
    }
  });
}

void Game::finishCommand() {
  pendingCommand = NoCommand;
  commandDirection = OWN_SPACE;
}

Space &Game::commandTarget(std::int32_t direction) {
  int x = wholeNumber(playerLocalX);
  int y = wholeNumber(playerLocalY);
  switch (direction) {
  case Up:
    y = wholeNumber(wrapToCell(playerWorldY + 1));
    break;
  case Left:
    x = wholeNumber(wrapToCell(playerWorldX - 1));
    break;
  case Right:
    x = wholeNumber(wrapToCell(playerWorldX + 1));
    break;
  case Down:
    y = wholeNumber(wrapToCell(playerWorldY - 1));
    break;
  default:
    break;
  }
  return world.getCell(CENTRE_CELL, CENTRE_CELL).getSpace(x, y);
}

void Game::doStep() {
  if (pendingCommand != StepCommand) {
    return;
  }
  const std::int32_t direction = commandDirection;
  if (direction >= Up && direction <= Down && moveBeing(world, player, direction)) {
    if (direction == Left || direction == Right) {
      playerWorldX += direction == Left ? -1.0f : 1.0f;
      playerLocalX = static_cast<float>(wrapLocal(playerWorldX));
    } else {
      playerWorldY += direction == Down ? -1.0f : 1.0f;
      playerLocalY = static_cast<float>(wrapLocal(playerWorldY));
    }
  }
  finishCommand();
}

void Game::doGet() {
  if (pendingCommand != GetCommand) {
    return;
  }
  Space &target = commandTarget(commandDirection);
  setMode(None);
  getFrom(target);
  finishCommand();
}

void Game::doPush() {
  if (pendingCommand != PushCommand) {
    return;
  }
  Space *chosen = nullptr;
  forEachSpace(world, [&chosen](Space &space, int i, int j, int x, int y) {
    if (space.getSelected() == MARK_CHOSEN) {
      chosen = &space;
      setMoveOrigin(static_cast<float>(x), static_cast<float>(y),
                    static_cast<float>(i * CELL_SIZE + x), static_cast<float>(j * CELL_SIZE + y));
    }
  });
  if (chosen != nullptr && !chosen->getItemPile().isEmpty() && commandDirection != OWN_SPACE) {
    pushItem(world, asItem(chosen->getItemPile().at(0)), commandDirection);
  }
  setMode(None);
  finishCommand();
}

void Game::doLook() {
  if (pendingCommand != LookCommand) {
    return;
  }
  Space &target = commandTarget(commandDirection);
  setMode(None);
  target.look();
  finishCommand();
}

void Game::doUse() {
  if (pendingCommand != UseCommand) {
    return;
  }
  Space &target = commandTarget(commandDirection);
  setMode(None);
  target.use();
  finishCommand();
}

void Game::doAttack() {
  if (pendingCommand != AttackCommand) {
    return;
  }
  Space &target = commandTarget(commandDirection);
  setMode(None);
  target.hit(attackDamage());
  finishCommand();
}

// ---------------------------------------------------------------------------
// Interface layer

void Game::drawInterface() {
  const int height = currentWindow->getClientHeight();
  glPushMatrix();
  glLoadIdentity();
  const std::int32_t mode = getMode();
  const bool activeFlags[BUTTON_COUNT] = {mode == Get,         mode == Move,
                                          mode == Look,        mode == Use,
                                          mode == Attack,      inventoryWindow.isOpen(),
                                          statsWindow.isOpen()};
  const std::array<Button *, BUTTON_COUNT> bar = buttonBar();
  for (int k = 0; k < BUTTON_COUNT; ++k) {
    bar[k]->setActive(activeFlags[k]);
    bar[k]->draw();
  }
  if (inventoryWindow.isOpen()) {
    inventoryWindow.draw(true);
  }
  if (pileWindow.isOpen()) {
    pileWindow.draw(true);
  }
  if (statsWindow.isOpen()) {
    statsWindow.draw(true);
  }
  textWindow.draw(true);
  glPopMatrix();

  glColor3f(BRIGHT, BRIGHT, BRIGHT);
  drawHeldObjectOrCrosshair();
  glColor3f(1.0f, 1.0f, 1.0f);
  if (paused) {
    glColor3f(BRIGHT, BRIGHT, BRIGHT);
    printText(PAUSE_INSET, height - PAUSE_INSET, "PAUSE");
    glColor3f(1.0f, 1.0f, 1.0f);
  }
}

void Game::drawHeldObjectOrCrosshair() {
  if (heldObject != nullptr) {
    // The icon is as large as a grid cell of the inventory window.
    const int half = ((inventoryWindow.getWidth() / 2) / ICONS_PER_ROW) / 2;
    asItem(heldObject)
        ->drawIcon(static_cast<float>(-half), static_cast<float>(-half),
                   static_cast<float>(2 * half));
    return;
  }
  bindTexture(CrosshairTexture);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(-CROSSHAIR_HALF, -CROSSHAIR_HALF);
  glTexCoord2f(1, 0);
  glVertex2f(CROSSHAIR_HALF, -CROSSHAIR_HALF);
  glTexCoord2f(1, 1);
  glVertex2f(CROSSHAIR_HALF, CROSSHAIR_HALF);
  glTexCoord2f(0, 1);
  glVertex2f(-CROSSHAIR_HALF, CROSSHAIR_HALF);
  glEnd();
}
