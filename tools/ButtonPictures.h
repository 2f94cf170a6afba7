#pragma once
// The seven action buttons of the interface bar: a raised blue tile with a
// small icon above the button's word. Buttons are the only pictures the game
// draws unmirrored, so only they carry text.

#include "GlyphRasterizer.h"
#include "Image.h"

#include <string>
#include <vector>

class ButtonPictures {
public:
  enum class Icon { Get, Move, Look, Use, Attack, Inventory, Stats };

  // labels renders the words.
  explicit ButtonPictures(GlyphRasterizer &labels) : labels(labels) {}

  // Chooses one text size for all buttons: the largest at which every word
  // fits. False, with a reason in error, when some word fits at no size.
  bool fitWords(const std::vector<std::string> &words, std::string &error);
  // Needs fitWords to have succeeded for a list holding word.
  Image paint(Icon icon, const std::string &word);

private:
  static constexpr int LARGEST_WORD_PIXELS = 13;
  static constexpr int SMALLEST_WORD_PIXELS = 8;

  GlyphRasterizer &labels;
  int wordPixels = 0;
};
