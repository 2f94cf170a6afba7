# The browser build (configured with emcmake): the game as WebAssembly
# drawing through the ES layer on WebGL 1, in a page of its own. The build
# folder is what a static server hosts: index.html and page.js, the
# compiled pickrpg.js and pickrpg.wasm, pickrpg.data with the images, and
# what makes the page installable and playable offline: the web app
# manifest, the game's icons and the service worker (sw.js, its cache named
# after the version).
file(GLOB WEB_SOURCES CONFIGURE_DEPENDS src/shell/web/*.cpp)
set(WEB_PAGE_FILES index.html page.js manifest.webmanifest)
set(WEB_ICONS pickrpg-48.png pickrpg-128.png pickrpg-256.png)

add_executable(pickrpg ${WEB_SOURCES})
target_link_libraries(pickrpg PRIVATE pickrpg_core)
set_target_properties(pickrpg PROPERTIES SUFFIX .js)
# Emscripten's JavaScript optimiser needs acorn, which Debian keeps outside
# node's own search path.
find_path(ACORN_MODULE_DIR acorn/package.json PATHS /usr/share/nodejs /usr/lib/nodejs
  NO_CMAKE_FIND_ROOT_PATH DOC "The folder that holds node's acorn package")
if(ACORN_MODULE_DIR)
  set_target_properties(pickrpg PROPERTIES
    CXX_LINKER_LAUNCHER "${CMAKE_COMMAND};-E;env;NODE_PATH=${ACORN_MODULE_DIR}")
endif()
# Emscripten's own WebGL (no legacy GL emulation) and HTML5 events; no
# main(): the page starts a run. The images are packed into pickrpg.data,
# under the same Data/ path the desktop reads them from; the file system is
# open to the page's scripts, where a test takes an image away.
target_link_options(pickrpg PRIVATE
  -sMIN_WEBGL_VERSION=1 -sMAX_WEBGL_VERSION=1
  -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1 --no-entry
  -sEXPORTED_RUNTIME_METHODS=UTF8ToString,FS
  # One argument, however many spaces the checkout's path holds.
  --preload-file "${CMAKE_SOURCE_DIR}/Data@Data")
file(GLOB DATA_IMAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/Data/*.tga)
set_property(TARGET pickrpg APPEND PROPERTY LINK_DEPENDS ${DATA_IMAGES})

foreach(file ${WEB_PAGE_FILES})
  configure_file(src/shell/web/${file} ${CMAKE_BINARY_DIR}/${file} COPYONLY)
endforeach()
configure_file(src/shell/web/sw.js.in ${CMAKE_BINARY_DIR}/sw.js @ONLY)
foreach(icon ${WEB_ICONS})
  configure_file(dist/icons/${icon} ${CMAKE_BINARY_DIR}/icons/${icon} COPYONLY)
endforeach()
list(TRANSFORM WEB_ICONS PREPEND ${CMAKE_BINARY_DIR}/icons/ OUTPUT_VARIABLE WEB_ICON_FILES)

# The package holds the hosted folder as it is; the executable's own rule
# (cmake/Package.cmake) brings pickrpg.js.
list(TRANSFORM WEB_PAGE_FILES PREPEND ${CMAKE_BINARY_DIR}/)
install(FILES ${CMAKE_BINARY_DIR}/pickrpg.wasm ${CMAKE_BINARY_DIR}/pickrpg.data
  ${WEB_PAGE_FILES} ${CMAKE_BINARY_DIR}/sw.js DESTINATION . COMPONENT folder)
install(FILES ${WEB_ICON_FILES} DESTINATION icons COMPONENT folder)
