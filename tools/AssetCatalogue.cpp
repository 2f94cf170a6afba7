#include "AssetCatalogue.h"

#include "ButtonPictures.h"
#include "FontSheet.h"
#include "InterfacePictures.h"
#include "ItemPictures.h"
#include "TerrainPictures.h"
#include "TgaWriter.h"

#include <filesystem>
#include <functional>
#include <system_error>
#include <vector>

namespace {

struct Button {
  const char *fileName;
  ButtonPictures::Icon icon;
  const char *word;
};

const Button BUTTONS[] = {
    {"GetButton.tga", ButtonPictures::Icon::Get, "Get"},
    {"MoveButton.tga", ButtonPictures::Icon::Move, "Move"},
    {"UseButton.tga", ButtonPictures::Icon::Use, "Use"},
    {"LookButton.tga", ButtonPictures::Icon::Look, "Look"},
    {"AttackButton.tga", ButtonPictures::Icon::Attack, "Attack"},
    {"InventoryButton.tga", ButtonPictures::Icon::Inventory, "Inventory"},
    {"StatsButton.tga", ButtonPictures::Icon::Stats, "Stats"},
};

} // namespace

bool AssetCatalogue::writeAll(const std::string &folder, std::string &error) {
  std::error_code failure;
  std::filesystem::create_directories(folder, failure);
  if (failure) {
    error = "cannot create the folder " + folder + ": " + failure.message();
    return false;
  }
  Image font(1, 1, true, {});
  if (!FontSheet::paint(text, font, error)) {
    return false;
  }
  ButtonPictures buttons(labels);
  std::vector<std::string> words;
  for (const Button &button : BUTTONS) {
    words.push_back(button.word);
  }
  if (!buttons.fitWords(words, error)) {
    return false;
  }
  auto button = [&](int index) { return buttons.paint(BUTTONS[index].icon, BUTTONS[index].word); };
  // The game's load order.
  const std::pair<const char *, std::function<Image()>> images[IMAGE_COUNT] = {
      {"BlueFace.tga", ItemPictures::blueFace},
      {"Bucket.tga", ItemPictures::bucket},
      {"Target.tga", ItemPictures::target},
      {"Coke.tga", ItemPictures::sack},
      {"Vase.tga", ItemPictures::vase},
      {"Explode.tga", ItemPictures::explosion},
      {"Ground.tga", TerrainPictures::ground},
      {"Sky.tga", TerrainPictures::sky},
      {"Crosshair.tga", InterfacePictures::crosshair},
      {"Font.tga", [&] { return font; }},
      {"Crate.tga", TerrainPictures::crate},
      {"Menu.tga", InterfacePictures::menu},
      {"SelectTemp.tga", TerrainPictures::selectTemp},
      {"SelectPerm.tga", TerrainPictures::selectPerm},
      {BUTTONS[0].fileName, [&] { return button(0); }},
      {BUTTONS[1].fileName, [&] { return button(1); }},
      {BUTTONS[2].fileName, [&] { return button(2); }},
      {BUTTONS[3].fileName, [&] { return button(3); }},
      {BUTTONS[4].fileName, [&] { return button(4); }},
      {BUTTONS[5].fileName, [&] { return button(5); }},
      {"pile.tga", ItemPictures::pile},
      {BUTTONS[6].fileName, [&] { return button(6); }},
      {"CloseCase.tga", InterfacePictures::closeCase},
      {"UpCase.tga", InterfacePictures::upCase},
      {"DownCase.tga", InterfacePictures::downCase},
      {"EquipmentSlot.tga", InterfacePictures::equipmentSlot},
  };
  for (const auto &[fileName, paint] : images) {
    if (!write(paint(), folder, fileName, error)) {
      return false;
    }
  }
  return true;
}

bool AssetCatalogue::write(const Image &image, const std::string &folder, const char *fileName,
                           std::string &error) {
  const std::string path = (std::filesystem::path(folder) / fileName).string();
  if (!TgaWriter::write(image, path)) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}
