#include "GlContext.h"
#include "SoakParameters.h"

#include "gfx/Font.h"
#include "gfx/Gl.h"
#include "gfx/Texture.h"
#include "objects/ObjectStore.h"
#include "shell/Scene.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define PICKRPG_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PICKRPG_ADDRESS_SANITIZER 1
#endif
#endif

#ifdef PICKRPG_ADDRESS_SANITIZER
// From the sanitizer runtime; GCC ships no header that declares them.
extern "C" void __sanitizer_purge_allocator();
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

constexpr std::uint32_t CI_RESTARTS = 200;
// Allocators keep some slack; a leak of one game's images or objects per
// switch would pass this within a few dozen switches.
constexpr double GROWTH_ALLOWED = 0.05;
// The first switches fill the GL driver's caches and the allocator's free
// lists; memory is compared from the end of this share of the run on.
constexpr std::uint32_t WARM_UP_SHARE = 4;

struct MemoryReading {
  long residentKilobytes = 0; // VmRSS, 0 when /proc cannot tell
  // Allocated and not yet freed, as AddressSanitizer counts it; 0 without
  // it (glibc's counts leave out the GL driver threads' arenas).
  double liveBytes = 0.0;
};

long readResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string field;
  while (status >> field) {
    if (field == "VmRSS:") {
      long kilobytes = 0;
      status >> kilobytes;
      return kilobytes;
    }
  }
  return 0;
}

MemoryReading readMemory() {
  MemoryReading reading;
#ifdef PICKRPG_ADDRESS_SANITIZER
  // AddressSanitizer keeps freed blocks (up to 256 MB) in a quarantine to
  // catch late uses; emptied, only live memory stays resident.
  __sanitizer_purge_allocator();
  reading.liveBytes = static_cast<double>(__sanitizer_get_current_allocated_bytes());
#endif
  reading.residentKilobytes = readResidentKilobytes();
  return reading;
}

class SoakRestart : public GlTest {
protected:
  KeyTable keys;

  void SetUp() override {
    GlTest::SetUp();
    // The scene loads its images from Data/ under the working directory.
    ASSERT_EQ(chdir(PICKRPG_SOURCE_DIR), 0);
  }

  // What the shell does on F1: stop, forget the keys, start a new game.
  void modeSwitch() {
    stopScene();
    keys.clear();
    ASSERT_TRUE(startScene(&window, &keys));
    advanceScene(16);
    renderScene();
    // Stands in for the shell's buffer swap, which waits for the frame:
    // without it llvmpipe queues frames and holds their memory.
    glFinish();
  }
};

// One context outlives every start here, as it does in the headless harness,
// so whatever a start made and its stop kept would pile up.
TEST_F(SoakRestart, StopSceneDeletesTheImagesAndFontOfItsStart) {
  ASSERT_TRUE(startScene(&window, &keys));
  std::vector<GLuint> names;
  for (const Texture &texture : textures) {
    ASSERT_TRUE(glIsTexture(texture.textureId));
    names.push_back(texture.textureId);
  }
  const GLuint font = fontListBase;
  ASSERT_TRUE(glIsList(font));

  stopScene();
  for (int i = 0; i < TEXTURE_COUNT; ++i) {
    EXPECT_FALSE(glIsTexture(names[static_cast<std::size_t>(i)])) << textureFiles[i].fileName;
    EXPECT_EQ(textures[i].textureId, 0u) << textureFiles[i].fileName;
  }
  EXPECT_FALSE(glIsList(font));

  // The next start, as after a mode switch, has every image again.
  ASSERT_TRUE(startScene(&window, &keys));
  for (const Texture &texture : textures) {
    EXPECT_TRUE(glIsTexture(texture.textureId));
  }
  stopScene();
}

// PICKRPG_RESTARTS sets the number of switches. Under LeakSanitizer the
// process's exit also proves that no switch leaked a block.
TEST_F(SoakRestart, ModeSwitchesLeaveTheObjectsAndResidentMemoryFlat) {
  const std::uint32_t restarts = soakParameter("PICKRPG_RESTARTS", CI_RESTARTS);
  const std::uint32_t warmUp = std::max<std::uint32_t>(1, restarts / WARM_UP_SHARE);
  ASSERT_TRUE(startScene(&window, &keys));
  const std::size_t objectsPerGame = ObjectStore::count();
  MemoryReading first;
  MemoryReading warm;
  for (std::uint32_t i = 1; i <= restarts; ++i) {
    ASSERT_NO_FATAL_FAILURE(modeSwitch()) << "switch " << i;
    ASSERT_EQ(ObjectStore::count(), objectsPerGame) << "switch " << i;
    if (i == 1) {
      first = readMemory();
    }
    if (i == warmUp) {
      warm = readMemory();
    }
  }
  const MemoryReading last = readMemory();
  stopScene();

  std::printf("restarts: %u mode switches; resident %ld kB after the first, %ld kB after "
              "switch %u, %ld kB after the last\n",
              restarts, first.residentKilobytes, warm.residentKilobytes, warmUp,
              last.residentKilobytes);
  if (last.liveBytes > 0.0) {
    std::printf("restarts: live heap %.0f bytes after the first, %.0f after switch %u, %.0f "
                "after the last\n",
                first.liveBytes, warm.liveBytes, warmUp, last.liveBytes);
  }
  ASSERT_GT(warm.residentKilobytes, 0) << "no VmRSS in /proc/self/status";
  EXPECT_LE(static_cast<double>(last.residentKilobytes),
            static_cast<double>(warm.residentKilobytes) * (1.0 + GROWTH_ALLOWED));
  EXPECT_LE(last.liveBytes, warm.liveBytes * (1.0 + GROWTH_ALLOWED));
}

} // namespace
