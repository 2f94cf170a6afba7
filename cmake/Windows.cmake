# The Windows build: the Win32 + WGL executable, linked statically so that
# only opengl32, glu32 and system DLLs are needed at run time.
file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS src/shell/win32/*.cpp)
target_link_libraries(pickrpg_core PUBLIC glu32 opengl32)
add_executable(pickrpg WIN32 ${WIN32_SOURCES})
set_target_properties(pickrpg PROPERTIES OUTPUT_NAME pickrpg)
target_link_libraries(pickrpg PRIVATE pickrpg_core gdi32 user32)
target_link_options(pickrpg PRIVATE -static -static-libgcc -static-libstdc++)
