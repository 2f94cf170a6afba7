# The game's code built a second time on the OpenGL ES layer, as the browser
# build uses it, so that the layer is tested on the desktop's own OpenGL ES 2
# (tests/gfx/es). Made in this directory so that it shares every source
# property of the real core.
find_library(GLESV2_LIBRARY GLESv2 REQUIRED)
add_library(pickrpg_core_es STATIC ${CORE_SOURCES} ${GLES_LAYER_SOURCES})
target_include_directories(pickrpg_core_es PUBLIC src)
target_compile_definitions(pickrpg_core_es PUBLIC PICKRPG_GL_ES)
target_link_libraries(pickrpg_core_es PUBLIC ${GLESV2_LIBRARY})
