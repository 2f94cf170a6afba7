#include "gfx/es/FixedPipeline.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int MATRIX_STACK_DEPTH = 32;
// The GL reads client images in rows padded to this many bytes.
constexpr int UNPACK_ALIGNMENT = 4;

// Whether any corner lies outside the view volume.
bool needsClipping(const std::array<Vector4, 4> &corners) {
  for (const Vector4 &v : corners) {
    if (v.w <= 0.0f || v.x < -v.w || v.x > v.w || v.y < -v.w || v.y > v.w || v.z < -v.w ||
        v.z > v.w) {
      return true;
    }
  }
  return false;
}

bool isMipmapFilter(GLenum filter) {
  return filter >= GL_NEAREST_MIPMAP_NEAREST && filter <= GL_LINEAR_MIPMAP_LINEAR;
}

int componentsOf(GLenum format) {
  switch (format) {
  case GL_RGB:
  case 3:
    return 3;
  case GL_RGBA:
  case 4:
    return 4;
  default:
    return 0;
  }
}

// A client image as tightly packed texels.
PixelImage readClientImage(int width, int height, int components, const void *pixels) {
  PixelImage image{width, height, components, {}};
  const std::size_t rowBytes = static_cast<std::size_t>(width) * components;
  const std::size_t stride =
      (rowBytes + UNPACK_ALIGNMENT - 1) / UNPACK_ALIGNMENT * UNPACK_ALIGNMENT;
  const auto *bytes = static_cast<const unsigned char *>(pixels);
  image.pixels.resize(rowBytes * height);
  for (int row = 0; row < height; ++row) {
    std::memcpy(&image.pixels[row * rowBytes], bytes + row * stride, rowBytes);
  }
  return image;
}

CullMode cullModeOf(bool enabled, GLenum face) {
  if (!enabled) {
    return CullMode::None;
  }
  switch (face) {
  case GL_FRONT:
    return CullMode::Front;
  case GL_FRONT_AND_BACK:
    return CullMode::Both;
  default:
    return CullMode::Back;
  }
}

} // namespace

FixedPipeline::FixedPipeline() : modelview(MATRIX_STACK_DEPTH), projection(MATRIX_STACK_DEPTH) {}

bool FixedPipeline::TextureRecord::isComplete() const {
  if (levels.empty() || levels[0].width == 0) {
    return false;
  }
  if (!isMipmapFilter(minFilter)) {
    return true;
  }
  // Every level down to 1 x 1, each half the size of the one above.
  int width = levels[0].width;
  int height = levels[0].height;
  for (std::size_t level = 1; width > 1 || height > 1; ++level) {
    width = std::max(1, width / 2);
    height = std::max(1, height / 2);
    if (level >= levels.size() || levels[level].width != width || levels[level].height != height) {
      return false;
    }
  }
  return true;
}

// Immediate mode.

void FixedPipeline::begin(GLenum primitive) {
  if (inPrimitive) {
    setError(GL_INVALID_OPERATION);
    return;
  }
  if (primitive != GL_QUADS) {
    setError(GL_INVALID_ENUM);
    return;
  }
  inPrimitive = true;
  cornerCount = 0;
}

void FixedPipeline::end() {
  if (!inPrimitive) {
    setError(GL_INVALID_OPERATION);
    return;
  }
  // An unfinished quad is dropped, as the GL drops it.
  inPrimitive = false;
  cornerCount = 0;
}

void FixedPipeline::colour(float r, float g, float b, float a) {
  currentColour = {r, g, b, a};
  if (colourMaterial) {
    lighting.setMaterialColour(currentColour);
  }
}

void FixedPipeline::vertex(float x, float y, float z) {
  if (!inPrimitive) {
    return;
  }
  updateDerivedMatrices();
  const Vector4 object{x, y, z, 1.0f};
  // The GL transforms positions by the combined matrix in one step.
  const Vector4 clip = modelviewProjection.transform(object);
  clipCorners[cornerCount] = clip;
  if (mode == GL_RENDER) {
    quadVertices[cornerCount] = shadeVertex(object, clip);
  }
  if (++cornerCount == 4) {
    emitQuad();
    cornerCount = 0;
  }
}

EsVertex FixedPipeline::shadeVertex(const Vector4 &object, const Vector4 &clip) {
  Colour colour{clampUnit(currentColour.r), clampUnit(currentColour.g), clampUnit(currentColour.b),
                clampUnit(currentColour.a)};
  if (lightingEnabled) {
    const Vector4 eye = modelview.top().transform(object);
    const std::array<float, 9> &n = normalMatrix;
    const std::array<float, 3> eyeNormal{
        n[0] * currentNormal[0] + n[1] * currentNormal[1] + n[2] * currentNormal[2],
        n[3] * currentNormal[0] + n[4] * currentNormal[1] + n[5] * currentNormal[2],
        n[6] * currentNormal[0] + n[7] * currentNormal[1] + n[8] * currentNormal[2]};
    colour = lighting.shade(eye, eyeNormal);
  }
  return {{clip.x, clip.y, clip.z, clip.w},
          {colour.r, colour.g, colour.b, colour.a},
          {currentTexCoord[0], currentTexCoord[1]}};
}

void FixedPipeline::emitQuad() {
  if (mode == GL_SELECT) {
    selection.addQuad(clipCorners.data(), state.cull);
    return;
  }
  const DrawState now = drawStateNow();
  // Mesa ends a draw at a new bound texture also while texturing is off,
  // when the layer's draw range goes on.
  if (now != segmentState || boundTexture != segmentTexture) {
    endSegment();
  }
  segmentState = now;
  segmentTexture = boundTexture;
  segment.push_back(quadVertices);
  segmentClipped = segmentClipped || needsClipping(clipCorners);
}

// Mesa, the GL the layer is proven against, splits quads on the diagonal
// from the first corner to the third, except in a draw that needs clipping,
// where it takes the diagonal from the second to the fourth. Its draws end
// where the state or a matrix changes, as the layer's segments do. Colours
// interpolate across the two triangles, so the split shows where lighting
// differs from corner to corner.
void FixedPipeline::endSegment() {
  static constexpr int UNCLIPPED_SPLIT[] = {0, 1, 2, 0, 2, 3};
  static constexpr int CLIPPED_SPLIT[] = {0, 1, 3, 1, 2, 3};
  if (segment.empty()) {
    return;
  }
  const int *split = segmentClipped ? CLIPPED_SPLIT : UNCLIPPED_SPLIT;
  const auto first = static_cast<int>(frameVertices.size());
  for (const std::array<EsVertex, 4> &quad : segment) {
    for (int i = 0; i < 6; ++i) {
      frameVertices.push_back(quad[split[i]]);
    }
  }
  const int count = static_cast<int>(frameVertices.size()) - first;
  if (!draws.empty() && draws.back().state == segmentState) {
    draws.back().count += count;
  } else {
    draws.push_back({first, count, segmentState});
  }
  segment.clear();
  segmentClipped = false;
}

DrawState FixedPipeline::drawStateNow() const {
  DrawState now = state;
  const auto record = textureRecords.find(boundTexture);
  // An incomplete texture turns texturing off, as in the GL.
  now.textured = textureEnabled && record != textureRecords.end() && record->second.isComplete();
  now.texture = now.textured ? record->second.esTexture : 0;
  return now;
}

void FixedPipeline::drawQueued() {
  endSegment();
  // Shaders the driver rejects draw nothing; gpuFailureLog() says why.
  if (!renderer.draw(frameVertices, draws)) {
    setError(GL_INVALID_OPERATION);
  }
  frameVertices.clear();
  draws.clear();
}

// Matrices.

void FixedPipeline::loadMatrix(const Matrix &matrix) {
  endSegment();
  currentStack().load(matrix);
}

void FixedPipeline::multiplyMatrix(const Matrix &matrix) {
  endSegment();
  currentStack().multiply(matrix);
}

MatrixStack &FixedPipeline::currentStack() {
  return currentMatrixMode == GL_PROJECTION ? projection : modelview;
}

void FixedPipeline::updateDerivedMatrices() {
  if (derivedModelview == modelview.getVersion() && derivedProjection == projection.getVersion()) {
    return;
  }
  if (derivedModelview != modelview.getVersion()) {
    normalMatrix = modelview.top().normalMatrix();
  }
  modelviewProjection = projection.top() * modelview.top();
  derivedModelview = modelview.getVersion();
  derivedProjection = projection.getVersion();
}

void FixedPipeline::matrixMode(GLenum newMode) {
  if (newMode != GL_MODELVIEW && newMode != GL_PROJECTION) {
    setError(GL_INVALID_ENUM);
    return;
  }
  currentMatrixMode = newMode;
}

void FixedPipeline::pushMatrix() {
  endSegment();
  if (!currentStack().push()) {
    setError(GL_STACK_OVERFLOW);
  }
}

void FixedPipeline::popMatrix() {
  endSegment();
  if (!currentStack().pop()) {
    setError(GL_STACK_UNDERFLOW);
  }
}

void FixedPipeline::viewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  if (width < 0 || height < 0) {
    setError(GL_INVALID_VALUE);
    return;
  }
  drawQueued();
  viewportBox = {x, y, width, height};
  renderer.setViewport(x, y, width, height);
}

// Fixed state.

void FixedPipeline::setCapability(GLenum capability, bool enabled) {
  switch (capability) {
  case GL_TEXTURE_2D:
    textureEnabled = enabled;
    break;
  case GL_BLEND:
    state.blend = enabled;
    break;
  case GL_DEPTH_TEST:
    state.depthTest = enabled;
    break;
  case GL_CULL_FACE:
    cullEnabled = enabled;
    state.cull = cullModeOf(cullEnabled, cullMode);
    break;
  case GL_LIGHTING:
    lightingEnabled = enabled;
    break;
  case GL_COLOR_MATERIAL:
    colourMaterial = enabled;
    if (colourMaterial) {
      lighting.setMaterialColour(currentColour);
    }
    break;
  default:
    if (capability >= GL_LIGHT0 && capability < GL_LIGHT0 + Lighting::LIGHTS) {
      lighting.setEnabled(static_cast<int>(capability - GL_LIGHT0), enabled);
    } else {
      // Alpha testing and the rest of OpenGL 1.1's switches are not part of
      // the subset: the game never turns them on.
      setError(GL_INVALID_ENUM);
    }
  }
}

void FixedPipeline::light(GLenum light, GLenum name, const GLfloat *params) {
  if (light < GL_LIGHT0 || light >= GL_LIGHT0 + Lighting::LIGHTS) {
    setError(GL_INVALID_ENUM);
    return;
  }
  const int index = static_cast<int>(light - GL_LIGHT0);
  switch (name) {
  case GL_AMBIENT:
    lighting.setAmbient(index, params);
    break;
  case GL_DIFFUSE:
    lighting.setDiffuse(index, params);
    break;
  case GL_POSITION:
    lighting.setPosition(index, params, modelview.top());
    break;
  default:
    setError(GL_INVALID_ENUM);
  }
}

void FixedPipeline::blendFunction(GLenum source, GLenum destination) {
  state.blendSource = source;
  state.blendDestination = destination;
}

void FixedPipeline::depthFunction(GLenum function) {
  if (function < GL_NEVER || function > GL_ALWAYS) {
    setError(GL_INVALID_ENUM);
    return;
  }
  state.depthFunction = function;
}

void FixedPipeline::cullFace(GLenum face) {
  if (face != GL_FRONT && face != GL_BACK && face != GL_FRONT_AND_BACK) {
    setError(GL_INVALID_ENUM);
    return;
  }
  cullMode = face;
  state.cull = cullModeOf(cullEnabled, cullMode);
}

void FixedPipeline::clearColour(float r, float g, float b, float a) {
  clearColourValue = {clampUnit(r), clampUnit(g), clampUnit(b), clampUnit(a)};
  renderer.setClearColour(clearColourValue[0], clearColourValue[1], clearColourValue[2],
                          clearColourValue[3]);
}

void FixedPipeline::clearDepth(float depth) {
  clearDepthValue = clampUnit(depth);
  renderer.setClearDepth(clearDepthValue);
}

void FixedPipeline::clear(GLbitfield mask) {
  drawQueued();
  renderer.clear(mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));
}

void FixedPipeline::flush() {
  drawQueued();
  renderer.flush();
}

void FixedPipeline::finish() {
  drawQueued();
  renderer.finish();
}

// Textures.

// The game's names are the layer's own, so that they outlive the ES
// textures behind them.
void FixedPipeline::generateTextures(GLsizei count, GLuint *names) {
  for (GLsizei i = 0; i < count; ++i) {
    while (textureRecords.count(nextTextureName) != 0) {
      ++nextTextureName;
    }
    names[i] = nextTextureName;
    makeTexture(names[i]);
  }
}

FixedPipeline::TextureRecord &FixedPipeline::makeTexture(GLuint name) {
  const auto made = textureRecords.emplace(name, TextureRecord());
  TextureRecord &record = made.first->second;
  // The name 0 is the default texture, which ES has as well.
  if (made.second && name != 0) {
    record.esTexture = renderer.createTexture();
  }
  return record;
}

void FixedPipeline::deleteTextures(GLsizei count, const GLuint *names) {
  drawQueued();
  for (GLsizei i = 0; i < count; ++i) {
    if (names[i] == 0) {
      continue;
    }
    const auto record = textureRecords.find(names[i]);
    if (record == textureRecords.end()) {
      continue;
    }
    renderer.deleteTexture(record->second.esTexture);
    textureRecords.erase(record);
    // Deleting the bound texture binds the default one.
    if (boundTexture == names[i]) {
      boundTexture = 0;
    }
  }
}

void FixedPipeline::bindTexture(GLenum target, GLuint name) {
  if (target != GL_TEXTURE_2D) {
    setError(GL_INVALID_ENUM);
    return;
  }
  // Binding an unused name makes the texture, as in the GL.
  makeTexture(name);
  boundTexture = name;
}

void FixedPipeline::textureParameter(GLenum target, GLenum name, GLint value) {
  TextureRecord &record = makeTexture(boundTexture);
  const auto filter = static_cast<GLenum>(value);
  const bool validMin = filter == GL_NEAREST || filter == GL_LINEAR || isMipmapFilter(filter);
  const bool validMag = filter == GL_NEAREST || filter == GL_LINEAR;
  if (target != GL_TEXTURE_2D || (name == GL_TEXTURE_MIN_FILTER && !validMin) ||
      (name == GL_TEXTURE_MAG_FILTER && !validMag) ||
      (name != GL_TEXTURE_MIN_FILTER && name != GL_TEXTURE_MAG_FILTER)) {
    setError(GL_INVALID_ENUM);
    return;
  }
  drawQueued();
  (name == GL_TEXTURE_MIN_FILTER ? record.minFilter : record.magFilter) = filter;
  renderer.setTextureFilters(record.esTexture, record.minFilter, record.magFilter);
}

void FixedPipeline::textureImage(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                                 GLsizei height, GLint border, GLenum format, GLenum type,
                                 const GLvoid *pixels) {
  const int components = componentsOf(static_cast<GLenum>(internalFormat));
  const int sourceComponents = componentsOf(format);
  if (target != GL_TEXTURE_2D || type != GL_UNSIGNED_BYTE || components == 0 ||
      sourceComponents == 0 || (format != GL_RGB && format != GL_RGBA)) {
    setError(GL_INVALID_ENUM);
    return;
  }
  // OpenGL 1.1 takes only power-of-two sizes without a border.
  if (level < 0 || border != 0 || !isPowerOfTwo(width) || !isPowerOfTwo(height) ||
      pixels == nullptr) {
    setError(GL_INVALID_VALUE);
    return;
  }
  const PixelImage image = readClientImage(width, height, sourceComponents, pixels);
  uploadLevel(level, keepComponents(image, components));
}

void FixedPipeline::uploadLevel(int level, const PixelImage &image) {
  drawQueued();
  TextureRecord &record = makeTexture(boundTexture);
  renderer.uploadTextureLevel(record.esTexture, level, image);
  if (record.levels.size() <= static_cast<std::size_t>(level)) {
    record.levels.resize(level + 1);
  }
  record.levels[level] = image;
}

GLint FixedPipeline::buildMipmaps(GLenum target, GLint components, GLsizei width, GLsizei height,
                                  GLenum format, GLenum type, const void *pixels) {
  const int sourceComponents = componentsOf(format);
  // GLU would first scale other sizes to a power of two; the layer takes
  // only images that need no scaling, as WebGL mipmaps must be.
  if (!isPowerOfTwo(width) || !isPowerOfTwo(height) || sourceComponents == 0 ||
      componentsOf(static_cast<GLenum>(components)) == 0 || type != GL_UNSIGNED_BYTE ||
      pixels == nullptr || target != GL_TEXTURE_2D) {
    return GLU_INVALID_VALUE;
  }
  const PixelImage base = readClientImage(width, height, sourceComponents, pixels);
  const int kept = componentsOf(static_cast<GLenum>(components));
  const std::vector<PixelImage> levels = ::buildMipmaps(keepComponents(base, kept));
  for (std::size_t level = 0; level < levels.size(); ++level) {
    uploadLevel(static_cast<int>(level), levels[level]);
  }
  return 0;
}

// Display lists.

void FixedPipeline::newList(GLuint list, GLenum listMode) {
  if (listMode != GL_COMPILE) {
    setError(GL_INVALID_ENUM);
  } else if (list == 0) {
    setError(GL_INVALID_VALUE);
  } else if (!lists.begin(list)) {
    setError(GL_INVALID_OPERATION);
  }
}

void FixedPipeline::endList() {
  if (!lists.end()) {
    setError(GL_INVALID_OPERATION);
  }
}

void FixedPipeline::callLists(GLsizei count, GLenum type, const GLvoid *names) {
  if (type != GL_UNSIGNED_BYTE) {
    setError(GL_INVALID_ENUM);
    return;
  }
  const auto *offsets = static_cast<const GLubyte *>(names);
  for (GLsizei i = 0; i < count; ++i) {
    lists.call(currentListBase + offsets[i]);
  }
}

// The selection buffer.

void FixedPipeline::selectBuffer(GLsizei size, GLuint *buffer) {
  if (mode == GL_SELECT) {
    setError(GL_INVALID_OPERATION);
    return;
  }
  if (size < 0) {
    setError(GL_INVALID_VALUE);
    return;
  }
  selection.setBuffer(size, buffer);
}

GLint FixedPipeline::renderMode(GLenum newMode) {
  if (newMode != GL_RENDER && newMode != GL_SELECT) {
    setError(GL_INVALID_ENUM);
    return 0;
  }
  drawQueued();
  const GLint result = mode == GL_SELECT ? selection.end() : 0;
  mode = newMode;
  if (mode == GL_SELECT) {
    selection.begin();
  }
  return result;
}

// Outside selection mode the GL ignores the name stack.
void FixedPipeline::initNames() {
  if (mode == GL_SELECT) {
    selection.initNames();
  }
}

void FixedPipeline::pushName(GLuint name) {
  if (mode == GL_SELECT && !selection.pushName(name)) {
    setError(GL_STACK_OVERFLOW);
  }
}

void FixedPipeline::loadName(GLuint name) {
  if (mode == GL_SELECT && !selection.loadName(name)) {
    setError(GL_INVALID_OPERATION);
  }
}

// Queries.

void FixedPipeline::getIntegerv(GLenum name, GLint *values) {
  if (name != GL_VIEWPORT) {
    setError(GL_INVALID_ENUM);
    return;
  }
  std::copy(viewportBox.begin(), viewportBox.end(), values);
}

void FixedPipeline::getFloatv(GLenum name, GLfloat *values) {
  switch (name) {
  case GL_MODELVIEW_MATRIX:
    std::copy(modelview.top().values.begin(), modelview.top().values.end(), values);
    break;
  case GL_PROJECTION_MATRIX:
    std::copy(projection.top().values.begin(), projection.top().values.end(), values);
    break;
  case GL_CURRENT_COLOR:
    values[0] = currentColour.r, values[1] = currentColour.g;
    values[2] = currentColour.b, values[3] = currentColour.a;
    break;
  default:
    setError(GL_INVALID_ENUM);
  }
}

GLenum FixedPipeline::takeError() {
  const GLenum own = error;
  error = GL_NO_ERROR;
  return own != GL_NO_ERROR ? own : renderer.takeError();
}

void FixedPipeline::readPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                               GLenum type, GLvoid *pixels) {
  drawQueued();
  renderer.readPixels(x, y, width, height, format, type, pixels);
}

// What was queued for the lost context is dropped, as the context dropped
// what it had; the state the layer keeps goes to the new one.
bool FixedPipeline::restoreGpuObjects() {
  segment.clear();
  segmentClipped = false;
  frameVertices.clear();
  draws.clear();
  const bool built = renderer.restore();
  // A context starts with the viewport of its surface until one is set.
  if (viewportBox[2] > 0 || viewportBox[3] > 0) {
    renderer.setViewport(viewportBox[0], viewportBox[1], viewportBox[2], viewportBox[3]);
  }
  renderer.setClearColour(clearColourValue[0], clearColourValue[1], clearColourValue[2],
                          clearColourValue[3]);
  renderer.setClearDepth(clearDepthValue);
  for (auto &[name, record] : textureRecords) {
    record.esTexture = name != 0 ? renderer.createTexture() : 0;
    renderer.setTextureFilters(record.esTexture, record.minFilter, record.magFilter);
    for (std::size_t level = 0; level < record.levels.size(); ++level) {
      if (record.levels[level].width > 0) {
        renderer.uploadTextureLevel(record.esTexture, static_cast<int>(level),
                                    record.levels[level]);
      }
    }
  }
  if (!built) {
    setError(GL_INVALID_OPERATION);
  }
  return built;
}

// The first error stays until it is read, as in the GL.
void FixedPipeline::setError(GLenum newError) {
  if (error == GL_NO_ERROR) {
    error = newError;
  }
}
