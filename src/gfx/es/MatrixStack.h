#pragma once
// One of OpenGL's matrix stacks: the top is the current matrix, operations
// multiply it on the right as glMultMatrix does, and a push beyond the depth
// or a pop of the last matrix changes nothing and reports the GL error.

#include "gfx/es/Matrix.h"

#include <vector>

class MatrixStack {
public:
  explicit MatrixStack(int maximumDepth);

  const Matrix &top() const { return stack.back(); }
  void load(const Matrix &matrix);
  void multiply(const Matrix &matrix);
  // Both return false on overflow or underflow.
  bool push();
  bool pop();
  // Counts every change of the top, so users can tell when to recompute
  // what they derive from it.
  unsigned getVersion() const { return version; }

private:
  int maximumDepth;
  std::vector<Matrix> stack;
  unsigned version = 0;
};
