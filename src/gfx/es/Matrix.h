#pragma once
// A 4 x 4 matrix in OpenGL's column-major order, with the products OpenGL 1.1
// and GLU build. Arithmetic is in single precision, as the GL keeps its
// matrices, so that the layer's transforms round as the real ones do.

#include <array>
#include <vector>

struct Vector4 {
  float x = 0.0f, y = 0.0f, z = 0.0f, w = 1.0f;
};

class Matrix {
public:
  // Element (row, column) is values[column * 4 + row].
  std::array<float, 16> values{};

  static Matrix identity();
  static Matrix fromColumnMajor(const float *elements);
  static Matrix translation(float x, float y, float z);
  static Matrix scaling(float x, float y, float z);
  // Rotation by angle degrees about (x, y, z), which need not be unit length.
  static Matrix rotation(float angle, float x, float y, float z);
  static Matrix ortho(float left, float right, float bottom, float top, float nearVal,
                      float farVal);
  // gluPerspective's matrix, computed in double precision as GLU does.
  static Matrix perspective(double fovy, double aspect, double zNear, double zFar);
  // gluPickMatrix's two steps, a translation and a scaling that GLU
  // multiplies in one after the other, for a viewport (x, y, width, height).
  // Empty for a region without area, which GLU ignores.
  static std::vector<Matrix> pick(double x, double y, double width, double height,
                                  const int viewport[4]);

  float at(int row, int column) const { return values[column * 4 + row]; }
  Matrix operator*(const Matrix &right) const;
  Vector4 transform(const Vector4 &point) const;
  // The upper-left 3 x 3 of the inverse transpose, which carries normals to
  // eye space; a singular matrix gives zero.
  std::array<float, 9> normalMatrix() const;
};
