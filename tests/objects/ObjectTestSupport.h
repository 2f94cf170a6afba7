#pragma once
// Shared by the world-object tests: a recorder for the message log, a GL
// fixture whose texture table entries are real, distinct GL textures, and
// the quads of a feedback capture.

#include "GlContext.h"
#include "MessageRecorder.h"

#include <string>
#include <vector>

// GlTest with every entry of the texture table bound to its own texture
// object, so the binding left after a draw tells which entry it used, and
// an empty object store afterwards.
class ObjectGlTest : public GlTest {
protected:
  void SetUp() override;
  void TearDown() override;

  // The table entry whose texture is bound now, or -1.
  static int boundTextureEntry();
  // A projection of 100 pixels per world unit with room in depth for the
  // heights of the 3D view.
  static void setWorldProjection();
  static constexpr float PIXELS_PER_UNIT = 100.0f;
};

struct FeedbackQuad {
  FeedbackVertex corners[4]; // in the order they were sent
};

// Reassembles the quads that GL split into triangle pairs (v0 v1 v3,
// v1 v2 v3); fails the test when the polygons do not pair up.
std::vector<FeedbackQuad> quadsOf(const std::vector<FeedbackPolygon> &polygons);

// Checks each corner's position (x, y) in pixels, within tolerance, and
// texture coordinates (s, t), in the order drawn.
void expectCorners(const FeedbackQuad &quad, const float (&expected)[4][4], float tolerance = 0.0f);

// The text drawn by a run of font glyph quads, read back from the glyph
// cells their texture coordinates select.
std::string textOf(const std::vector<FeedbackQuad> &glyphs);
