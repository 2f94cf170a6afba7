# How the game is installed and packaged. There are two layouts:
#
# - One folder (install component "folder"): the executable, Data/,
#   README.md and LICENSE side by side, so that the game runs from the
#   folder. The tarball, the zip and the Windows installer hold it, and it
#   is what `cmake --install` gives on every system but Linux.
# - The system layout (component "system", Linux only): bin/pickrpg, the
#   images under share/games/pickrpg/Data (found relative to the
#   executable), the desktop entry, the icons, the AppStream metadata, the
#   manual page and the docs. `cmake --install` gives it on Linux, and the
#   Debian package holds it under /usr. The executable goes to bin/ rather
#   than games/ so that an install under ~/.local is on the PATH.
#
# The packages come from cpack in a build folder; which layout and file
# name each generator gets is decided in dist/PackageGenerators.cmake.

# The desktop's name for the game: the desktop entry, the icons and the
# AppStream metadata are installed under it.
set(PICKRPG_APP_ID org.pickrpg.pickrpg)
# The day PROJECT_VERSION was released, for the AppStream release entry and
# the manual page.
set(PICKRPG_RELEASE_DATE 2026-12-07)
set(PICKRPG_HOMEPAGE_URL "https://pickrpg.example/"
  CACHE STRING "The game's home page, named by the packages")
set(PICKRPG_MAINTAINER_EMAIL "authors@pickrpg.example"
  CACHE STRING "Where the packages' users write to the game's authors")
set(PICKRPG_SCREENSHOT_URL "${PICKRPG_HOMEPAGE_URL}docs/game.png"
  CACHE STRING "Where the README's picture of the game in play is published")
set(PICKRPG_ICON_DIR ${CMAKE_SOURCE_DIR}/dist/icons)
set(PICKRPG_ICON_SIZES 48 128 256)

if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  # The one-folder layout only on request: `cmake --install` gives the
  # system layout.
  set(FOLDER_ONLY_ON_REQUEST EXCLUDE_FROM_ALL)
endif()
install(TARGETS pickrpg RUNTIME DESTINATION . COMPONENT folder ${FOLDER_ONLY_ON_REQUEST})
# The browser build carries the images in pickrpg.data instead.
if(NOT EMSCRIPTEN)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/Data/ DESTINATION Data COMPONENT folder
    ${FOLDER_ONLY_ON_REQUEST} FILES_MATCHING PATTERN "*.tga")
endif()
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION .
  COMPONENT folder ${FOLDER_ONLY_ON_REQUEST})

if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  set(LINUX_DIST ${CMAKE_SOURCE_DIR}/dist/linux)
  set(GENERATED ${CMAKE_BINARY_DIR}/dist)
  configure_file(${LINUX_DIST}/pickrpg.desktop.in ${GENERATED}/${PICKRPG_APP_ID}.desktop @ONLY)
  configure_file(${LINUX_DIST}/pickrpg.metainfo.xml.in
    ${GENERATED}/${PICKRPG_APP_ID}.metainfo.xml @ONLY)
  configure_file(${LINUX_DIST}/pickrpg.6.in ${GENERATED}/pickrpg.6 @ONLY)
  # The changelog's date as Debian writes it (RFC 2822, in English whatever
  # the locale).
  execute_process(COMMAND date -u -R -d ${PICKRPG_RELEASE_DATE}
    OUTPUT_VARIABLE PICKRPG_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  configure_file(${CMAKE_SOURCE_DIR}/dist/debian/changelog.in ${GENERATED}/changelog @ONLY)
  configure_file(${CMAKE_SOURCE_DIR}/dist/debian/copyright.in ${GENERATED}/copyright @ONLY)

  install(TARGETS pickrpg RUNTIME DESTINATION ${PICKRPG_INSTALL_BINDIR} COMPONENT system)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/Data/ DESTINATION ${PICKRPG_INSTALL_DATADIR}/Data
    COMPONENT system FILES_MATCHING PATTERN "*.tga")
  install(FILES ${GENERATED}/${PICKRPG_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT system)
  foreach(size ${PICKRPG_ICON_SIZES})
    install(FILES ${PICKRPG_ICON_DIR}/pickrpg-${size}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
      RENAME ${PICKRPG_APP_ID}.png COMPONENT system)
  endforeach()
  install(FILES ${GENERATED}/${PICKRPG_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT system)
  install(FILES ${GENERATED}/pickrpg.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6
    COMPONENT system)
  install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE ${GENERATED}/changelog
    ${GENERATED}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT system)
endif()

set(CPACK_PACKAGE_NAME pickrpg)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The pickrpg authors")
set(CPACK_PACKAGE_CONTACT "The pickrpg authors <${PICKRPG_MAINTAINER_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Small single-player role-playing game prototype")
set(CPACK_PACKAGE_DESCRIPTION [[One window shows a top-down 3D view of a tile world around the player and an
interface over it: seven action buttons, a message log, a statistics window,
an inventory window with five equipment slots and an item pile window. You
carry, drop, equip and eat items, look at things and fight another person.]])
set(CPACK_PACKAGE_HOMEPAGE_URL ${PICKRPG_HOMEPAGE_URL})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/dist/PackageGenerators.cmake)

# The Debian package: its dependencies are read from the libraries the
# executable links (dpkg-shlibdeps, from dpkg-dev).
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL opens libGL.so.1 only at run time, out of dpkg-shlibdeps' sight.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libgl1)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# Debian's own layout on top of the system layout (see the script).
set(CPACK_DEBIAN_LAYOUT_SCRIPT ${CMAKE_SOURCE_DIR}/dist/debian/DebianLayout.cmake)

# The Windows installer: a 64-bit installer (the game is 64-bit, and so
# runs where it runs) into Program Files, with a Start-menu shortcut whose
# icon is the executable's, and an uninstaller registered with Windows.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY pickrpg)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY pickrpg)
set(CPACK_NSIS_PACKAGE_NAME pickrpg)
set(CPACK_NSIS_DISPLAY_NAME pickrpg)
set(CPACK_NSIS_MENU_LINKS pickrpg.exe pickrpg)
set(CPACK_NSIS_INSTALLED_ICON_NAME pickrpg.exe)
set(CPACK_NSIS_MUI_ICON ${PICKRPG_ICON_DIR}/pickrpg.ico)
set(CPACK_NSIS_MUI_UNIICON ${PICKRPG_ICON_DIR}/pickrpg.ico)
set(CPACK_NSIS_URL_INFO_ABOUT ${PICKRPG_HOMEPAGE_URL})

if(WIN32)
  set(CPACK_GENERATOR ZIP NSIS)
  set(CPACK_SYSTEM_NAME win64)
elseif(EMSCRIPTEN)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME web)
else()
  set(CPACK_GENERATOR TGZ DEB)
  string(TOLOWER "linux-${CMAKE_SYSTEM_PROCESSOR}" CPACK_SYSTEM_NAME)
endif()
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-${CPACK_SYSTEM_NAME})
include(CPack)
