#include "gfx/Picking.h"

#include "gfx/Gl.h"

std::int32_t pickingPass = 0;

void loadPickName(std::int32_t name) {
  if (pickingPass != 0) {
    glLoadName(static_cast<GLuint>(name));
  }
}

void loadNextListName() {
  if (pickingPass != 0) {
    glLoadName(static_cast<GLuint>(pickingPass - 1));
    ++pickingPass;
  }
}
