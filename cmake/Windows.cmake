# The Windows build: the Win32 + WGL executable, linked statically so that
# only opengl32, glu32 and system DLLs are needed at run time.
file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS src/shell/win32/*.cpp)
target_link_libraries(pickrpg_core PUBLIC glu32 opengl32)
add_executable(pickrpg WIN32 ${WIN32_SOURCES})
set_target_properties(pickrpg PROPERTIES OUTPUT_NAME pickrpg)
target_link_libraries(pickrpg PRIVATE pickrpg_core gdi32 user32 shell32 shcore)
target_link_options(pickrpg PRIVATE -static -static-libgcc -static-libstdc++)
# The executable's icon and version information (from the project version).
enable_language(RC)
set(PICKRPG_WINDOWS_ICON ${CMAKE_SOURCE_DIR}/dist/icons/pickrpg.ico)
set(PICKRPG_WINDOWS_MANIFEST ${CMAKE_SOURCE_DIR}/dist/windows/pickrpg.exe.manifest)
configure_file(dist/windows/pickrpg.rc.in ${CMAKE_BINARY_DIR}/pickrpg.rc @ONLY)
target_sources(pickrpg PRIVATE ${CMAKE_BINARY_DIR}/pickrpg.rc)
set_source_files_properties(${CMAKE_BINARY_DIR}/pickrpg.rc PROPERTIES
  OBJECT_DEPENDS "${PICKRPG_WINDOWS_ICON};${PICKRPG_WINDOWS_MANIFEST}")
