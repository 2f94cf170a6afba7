# Release packages made with cpack from a build folder: the executable,
# Data/ and README.md side by side under one top folder, so that the game
# runs from the unpacked folder (it reads Data/ relative to its working
# directory). The Windows build gives pickrpg-<version>-win64.zip, the
# native build pickrpg-<version>-linux-<processor>.tar.gz.
install(TARGETS pickrpg RUNTIME DESTINATION .)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Data/ DESTINATION Data FILES_MATCHING PATTERN "*.tga")
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION .)

set(CPACK_PACKAGE_NAME pickrpg)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "A small single-player role-playing game prototype")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_GENERATOR TGZ)
  string(TOLOWER "linux-${CMAKE_SYSTEM_PROCESSOR}" CPACK_SYSTEM_NAME)
endif()
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-${CPACK_SYSTEM_NAME})
include(CPack)
