#pragma once
// The fixture of tests that draw text and make world objects.

#include "GlContext.h"

#include "gfx/Font.h"
#include "objects/ObjectStore.h"
#include "world/View.h"

// GlTest with the font's display lists, which text needs to produce any
// geometry (the Font image itself need not be loaded); no world object and no
// view offset outlives a test.
class ObjectGlTest : public GlTest {
protected:
  void SetUp() override {
    GlTest::SetUp();
    if (fontListBase == 0) {
      buildFontLists();
    }
  }
  void TearDown() override {
    ObjectStore::clear();
    viewOffsetX = viewOffsetY = 0.0f;
    GlTest::TearDown();
  }
};
