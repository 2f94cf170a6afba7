#pragma once
// What the layer's triangles are drawn under, and the runs of the frame's
// vertices that share it. GL enum values are the same in OpenGL 1.1 and
// ES 2 for everything here.

#include <cstdint>

enum class CullMode { None, Back, Front, Both };

struct DrawState {
  bool textured = false;
  // The ES texture; 0 whenever `textured` is false, so that untextured
  // quads share a draw whatever texture is bound.
  std::uint32_t texture = 0;
  bool blend = false;
  std::uint32_t blendSource = 1;      // GL_ONE
  std::uint32_t blendDestination = 0; // GL_ZERO
  bool depthTest = false;
  std::uint32_t depthFunction = 0x0201; // GL_LESS
  CullMode cull = CullMode::None;

  bool operator==(const DrawState &other) const {
    return textured == other.textured && texture == other.texture && blend == other.blend &&
           blendSource == other.blendSource && blendDestination == other.blendDestination &&
           depthTest == other.depthTest && depthFunction == other.depthFunction &&
           cull == other.cull;
  }
  bool operator!=(const DrawState &other) const { return !(*this == other); }
};

// Triangles first to first + count - 1 of the frame's vertices.
struct DrawRange {
  int first = 0;
  int count = 0;
  DrawState state;
};
