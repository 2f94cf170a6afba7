#pragma once
// OpenGL's selection mode done on the processor: the name stack, the hit
// flag with its depth range, and hit records written into the caller's
// buffer whenever the name stack changes after a hit, or the mode ends.
// Primitives arrive in clip coordinates; one that keeps any part inside the
// view volume after clipping is a hit. Nothing is rasterised.

#include "gfx/es/DrawState.h"
#include "gfx/es/Matrix.h"

#include <cstdint>
#include <vector>

class SelectionBuffer {
public:
  static constexpr int NAME_STACK_DEPTH = 64;

  void setBuffer(int size, std::uint32_t *buffer);
  // Entering selection mode: an empty buffer and name stack.
  void begin();
  // Leaving it: writes a pending hit and returns the number of hit records,
  // or -1 when they did not all fit.
  int end();

  void initNames();
  // False on overflow (push) or an empty stack (load); nothing changes then.
  bool pushName(std::uint32_t name);
  bool loadName(std::uint32_t name);

  // A quad in clip coordinates, taken as the triangles (0, 1, 3) and
  // (1, 2, 3), as the drawing splits it. A quad whose corners all lie beyond one
  // plane of the volume is dropped before any clipping.
  void addQuad(const Vector4 corners[4], CullMode cull);

private:
  std::uint32_t *buffer = nullptr;
  int size = 0;
  int count = 0;
  int hits = 0;
  std::vector<std::uint32_t> names;
  bool hitFlag = false;
  float minDepth = 1.0f;
  float maxDepth = 0.0f;

  void addTriangle(const Vector4 &a, const Vector4 &b, const Vector4 &c, CullMode cull);
  void recordHitDepth(float windowDepth);
  void writePendingHit();
  void write(std::uint32_t value);
};
