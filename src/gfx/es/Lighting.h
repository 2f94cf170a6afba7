#pragma once
// OpenGL 1.1's per-vertex lighting for what the game uses: positional or
// directional lights with ambient and diffuse colours, colour material for
// ambient and diffuse, and the default light model.
// Normals are used as transformed, not normalised, as the GL does without
// GL_NORMALIZE; there is no specular term, since the default material
// reflects none.

#include "gfx/es/Matrix.h"

#include <array>

struct Colour {
  float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
};

// A colour or depth value kept within [0, 1], as the GL keeps them.
float clampUnit(float value);

class Lighting {
public:
  static constexpr int LIGHTS = 8;

  Lighting();

  void setEnabled(int light, bool enabled);
  void setAmbient(int light, const float *rgba);
  void setDiffuse(int light, const float *rgba);
  // The position is kept in eye space, carried by the modelview matrix
  // current at the call.
  void setPosition(int light, const float *xyzw, const Matrix &modelview);

  // What GL_COLOR_MATERIAL does with the current colour: it becomes the
  // material's ambient and diffuse colour, and stays so once tracking ends.
  void setMaterialColour(const Colour &colour);

  // The colour of a vertex at eyePosition with eyeNormal.
  Colour shade(const Vector4 &eyePosition, const std::array<float, 3> &eyeNormal) const;

private:
  struct Light {
    bool enabled = false;
    Colour ambient{0.0f, 0.0f, 0.0f, 1.0f};
    Colour diffuse{0.0f, 0.0f, 0.0f, 1.0f};
    Vector4 position{0.0f, 0.0f, 1.0f, 0.0f};
  };
  std::array<Light, LIGHTS> lights;
  Colour materialAmbient{0.2f, 0.2f, 0.2f, 1.0f};
  Colour materialDiffuse{0.8f, 0.8f, 0.8f, 1.0f};
};
