#pragma once
// The mipmap levels gluBuild2DMipmaps makes from a power-of-two image: each
// level averages 2 x 2 texels of the one above (2 x 1 once a side is 1
// texel), with GLU's rounding, down to 1 x 1.

#include <vector>

struct PixelImage {
  int width = 0;
  int height = 0;
  int components = 0;
  std::vector<unsigned char> pixels;
};

bool isPowerOfTwo(int size);
// Level 0 is the image itself.
std::vector<PixelImage> buildMipmaps(const PixelImage &base);
// The first `components` components of every texel (RGBA to RGB), or each
// texel made opaque (RGB to RGBA), as the GL widens images.
PixelImage keepComponents(const PixelImage &image, int components);
