#include "gfx/es/Lighting.h"

#include <algorithm>
#include <cmath>

namespace {

// The light model's default ambient light.
const Colour MODEL_AMBIENT{0.2f, 0.2f, 0.2f, 1.0f};

Colour toColour(const float *rgba) {
  return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

// Unit vector from the vertex towards the light.
std::array<float, 3> directionToLight(const Vector4 &light, const Vector4 &vertex) {
  std::array<float, 3> direction{light.x, light.y, light.z};
  if (light.w != 0.0f) {
    direction = {light.x / light.w - vertex.x, light.y / light.w - vertex.y,
                 light.z / light.w - vertex.z};
  }
  const float length = std::sqrt(direction[0] * direction[0] + direction[1] * direction[1] +
                                 direction[2] * direction[2]);
  if (length > 0.0f) {
    for (float &component : direction) {
      component /= length;
    }
  }
  return direction;
}

} // namespace

float clampUnit(float value) {
  return std::clamp(value, 0.0f, 1.0f);
}

Lighting::Lighting() {
  // Only the first light is white by default.
  lights[0].diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
}

void Lighting::setEnabled(int light, bool enabled) {
  lights[light].enabled = enabled;
}

void Lighting::setAmbient(int light, const float *rgba) {
  lights[light].ambient = toColour(rgba);
}

void Lighting::setDiffuse(int light, const float *rgba) {
  lights[light].diffuse = toColour(rgba);
}

void Lighting::setPosition(int light, const float *xyzw, const Matrix &modelview) {
  lights[light].position = modelview.transform({xyzw[0], xyzw[1], xyzw[2], xyzw[3]});
}

void Lighting::setMaterialColour(const Colour &colour) {
  materialAmbient = colour;
  materialDiffuse = colour;
}

Colour Lighting::shade(const Vector4 &eyePosition, const std::array<float, 3> &eyeNormal) const {
  const Colour &ambient = materialAmbient;
  const Colour &diffuse = materialDiffuse;
  float r = MODEL_AMBIENT.r * ambient.r;
  float g = MODEL_AMBIENT.g * ambient.g;
  float b = MODEL_AMBIENT.b * ambient.b;
  for (const Light &light : lights) {
    if (!light.enabled) {
      continue;
    }
    const std::array<float, 3> toLight = directionToLight(light.position, eyePosition);
    const float facing = std::max(0.0f, eyeNormal[0] * toLight[0] + eyeNormal[1] * toLight[1] +
                                            eyeNormal[2] * toLight[2]);
    r += light.ambient.r * ambient.r + facing * light.diffuse.r * diffuse.r;
    g += light.ambient.g * ambient.g + facing * light.diffuse.g * diffuse.g;
    b += light.ambient.b * ambient.b + facing * light.diffuse.b * diffuse.b;
  }
  return {clampUnit(r), clampUnit(g), clampUnit(b), clampUnit(diffuse.a)};
}
