#include "gfx/es/Matrix.h"

#include <cmath>

namespace {

constexpr double PI = 3.14159265358979323846;

float &element(Matrix &matrix, int row, int column) {
  return matrix.values[column * 4 + row];
}

} // namespace

Matrix Matrix::identity() {
  Matrix matrix;
  for (int i = 0; i < 4; ++i) {
    element(matrix, i, i) = 1.0f;
  }
  return matrix;
}

Matrix Matrix::fromColumnMajor(const float *elements) {
  Matrix matrix;
  for (int i = 0; i < 16; ++i) {
    matrix.values[i] = elements[i];
  }
  return matrix;
}

Matrix Matrix::translation(float x, float y, float z) {
  Matrix matrix = identity();
  element(matrix, 0, 3) = x;
  element(matrix, 1, 3) = y;
  element(matrix, 2, 3) = z;
  return matrix;
}

Matrix Matrix::scaling(float x, float y, float z) {
  Matrix matrix = identity();
  element(matrix, 0, 0) = x;
  element(matrix, 1, 1) = y;
  element(matrix, 2, 2) = z;
  return matrix;
}

Matrix Matrix::rotation(float angle, float x, float y, float z) {
  const float length = std::sqrt(x * x + y * y + z * z);
  if (length == 0.0f) {
    return identity();
  }
  x /= length, y /= length, z /= length;
  const auto s = static_cast<float>(std::sin(angle * PI / 180.0));
  const auto c = static_cast<float>(std::cos(angle * PI / 180.0));
  const float t = 1.0f - c;
  Matrix matrix = identity();
  element(matrix, 0, 0) = x * x * t + c;
  element(matrix, 0, 1) = x * y * t - z * s;
  element(matrix, 0, 2) = x * z * t + y * s;
  element(matrix, 1, 0) = y * x * t + z * s;
  element(matrix, 1, 1) = y * y * t + c;
  element(matrix, 1, 2) = y * z * t - x * s;
  element(matrix, 2, 0) = z * x * t - y * s;
  element(matrix, 2, 1) = z * y * t + x * s;
  element(matrix, 2, 2) = z * z * t + c;
  return matrix;
}

Matrix Matrix::ortho(float left, float right, float bottom, float top, float nearVal,
                     float farVal) {
  Matrix matrix = identity();
  element(matrix, 0, 0) = 2.0f / (right - left);
  element(matrix, 1, 1) = 2.0f / (top - bottom);
  element(matrix, 2, 2) = -2.0f / (farVal - nearVal);
  element(matrix, 0, 3) = -(right + left) / (right - left);
  element(matrix, 1, 3) = -(top + bottom) / (top - bottom);
  element(matrix, 2, 3) = -(farVal + nearVal) / (farVal - nearVal);
  return matrix;
}

Matrix Matrix::perspective(double fovy, double aspect, double zNear, double zFar) {
  const double radians = fovy / 2.0 * PI / 180.0;
  const double sine = std::sin(radians);
  const double depth = zFar - zNear;
  // GLU leaves the matrix alone rather than divide by zero.
  if (depth == 0.0 || sine == 0.0 || aspect == 0.0) {
    return identity();
  }
  const double cotangent = std::cos(radians) / sine;
  Matrix matrix = identity();
  element(matrix, 0, 0) = static_cast<float>(cotangent / aspect);
  element(matrix, 1, 1) = static_cast<float>(cotangent);
  element(matrix, 2, 2) = static_cast<float>(-(zFar + zNear) / depth);
  element(matrix, 3, 2) = -1.0f;
  element(matrix, 2, 3) = static_cast<float>(-2.0 * zNear * zFar / depth);
  element(matrix, 3, 3) = 0.0f;
  return matrix;
}

std::vector<Matrix> Matrix::pick(double x, double y, double width, double height,
                                 const int viewport[4]) {
  if (width <= 0.0 || height <= 0.0) {
    return {};
  }
  // GLU hands these to glTranslatef and glScalef, so they round to float.
  const auto moveX = static_cast<float>((viewport[2] - 2.0 * (x - viewport[0])) / width);
  const auto moveY = static_cast<float>((viewport[3] - 2.0 * (y - viewport[1])) / height);
  const auto scaleX = static_cast<float>(viewport[2] / width);
  const auto scaleY = static_cast<float>(viewport[3] / height);
  return {translation(moveX, moveY, 0.0f), scaling(scaleX, scaleY, 1.0f)};
}

Matrix Matrix::operator*(const Matrix &right) const {
  Matrix product;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) {
        sum += at(row, k) * right.at(k, column);
      }
      element(product, row, column) = sum;
    }
  }
  return product;
}

Vector4 Matrix::transform(const Vector4 &p) const {
  return {at(0, 0) * p.x + at(0, 1) * p.y + at(0, 2) * p.z + at(0, 3) * p.w,
          at(1, 0) * p.x + at(1, 1) * p.y + at(1, 2) * p.z + at(1, 3) * p.w,
          at(2, 0) * p.x + at(2, 1) * p.y + at(2, 2) * p.z + at(2, 3) * p.w,
          at(3, 0) * p.x + at(3, 1) * p.y + at(3, 2) * p.z + at(3, 3) * p.w};
}

std::array<float, 9> Matrix::normalMatrix() const {
  // The inverse transpose of the upper 3 x 3 is its cofactor matrix over the
  // determinant.
  const float a = at(0, 0), b = at(0, 1), c = at(0, 2);
  const float d = at(1, 0), e = at(1, 1), f = at(1, 2);
  const float g = at(2, 0), h = at(2, 1), i = at(2, 2);
  const float cofactors[9] = {e * i - f * h, f * g - d * i, d * h - e * g,
                              c * h - b * i, a * i - c * g, b * g - a * h,
                              b * f - c * e, c * d - a * f, a * e - b * d};
  const float determinant = a * cofactors[0] + b * cofactors[1] + c * cofactors[2];
  std::array<float, 9> normal{};
  if (determinant == 0.0f) {
    return normal;
  }
  // Row-major: row r gives the eye-space component r of a normal.
  for (int k = 0; k < 9; ++k) {
    normal[k] = cofactors[k] / determinant;
  }
  return normal;
}
