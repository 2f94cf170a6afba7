# The native build: the SDL2 executable, the asset tool, tests and benchmarks.
set(OpenGL_GL_PREFERENCE GLVND)
find_package(OpenGL REQUIRED COMPONENTS OpenGL EGL)
find_package(SDL2 REQUIRED)
target_link_libraries(pickrpg_core PUBLIC OpenGL::GLU OpenGL::OpenGL)

# The SDL2 backend minus its main(), so that tests link its pieces too.
file(GLOB SDL_SOURCES CONFIGURE_DEPENDS src/shell/sdl/*.cpp)
list(REMOVE_ITEM SDL_SOURCES ${CMAKE_SOURCE_DIR}/src/shell/sdl/main.cpp)
add_library(pickrpg_sdl STATIC ${SDL_SOURCES})
target_link_libraries(pickrpg_sdl PUBLIC pickrpg_core SDL2::SDL2)
add_executable(pickrpg src/shell/sdl/main.cpp)
target_link_libraries(pickrpg PRIVATE pickrpg_sdl)
# The installed data is looked for relative to the executable's folder.
target_compile_definitions(pickrpg PRIVATE
  PICKRPG_DATA_FROM_BINDIR="${PICKRPG_DATA_FROM_BINDIR}")

include(CTest)
if(BUILD_TESTING)
  # The game once more with the GL's own selection mode: the reference that
  # the software selection, the desktop's and the ES layer's, is proven
  # against (tests/gfx/es).
  add_library(pickrpg_core_glselect STATIC ${CORE_SOURCES})
  target_include_directories(pickrpg_core_glselect PUBLIC src)
  target_compile_definitions(pickrpg_core_glselect PUBLIC PICKRPG_GL_SELECT_MODE)
  target_link_libraries(pickrpg_core_glselect PUBLIC OpenGL::GLU OpenGL::OpenGL)
  add_subdirectory(tests)
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/tools/CMakeLists.txt)
  add_subdirectory(tools)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()
