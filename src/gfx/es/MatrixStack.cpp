#include "gfx/es/MatrixStack.h"

MatrixStack::MatrixStack(int maximumDepth)
    : maximumDepth(maximumDepth), stack{Matrix::identity()} {}

void MatrixStack::load(const Matrix &matrix) {
  stack.back() = matrix;
  ++version;
}

void MatrixStack::multiply(const Matrix &matrix) {
  stack.back() = stack.back() * matrix;
  ++version;
}

bool MatrixStack::push() {
  if (static_cast<int>(stack.size()) >= maximumDepth) {
    return false;
  }
  stack.push_back(stack.back());
  return true;
}

bool MatrixStack::pop() {
  if (stack.size() <= 1) {
    return false;
  }
  stack.pop_back();
  ++version;
  return true;
}
