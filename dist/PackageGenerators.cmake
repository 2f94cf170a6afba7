# Read by cpack once for each generator: which install layout the package
# holds (see cmake/Package.cmake) and its file name.
if(CPACK_GENERATOR MATCHES "^(TGZ|ZIP)$")
  # The one-folder layout, in one archive named after the package.
  set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_ALL folder)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
  # Everything `cmake --install` gives, without a choice of components.
  set(CPACK_MONOLITHIC_INSTALL ON)
endif()

if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_STRIP_FILES ON)
  set(CPACK_PRE_BUILD_SCRIPTS ${CPACK_DEBIAN_LAYOUT_SCRIPT})
elseif(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
