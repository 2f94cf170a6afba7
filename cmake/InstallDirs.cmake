# Where an installed game lives under its prefix, shared by the install rules
# and the executable's data search. The executable finds the installed data
# relative to its own folder, so an install under any prefix works as it is
# moved.
include(GNUInstallDirs)
set(PICKRPG_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR})
set(PICKRPG_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/games/pickrpg)
file(RELATIVE_PATH PICKRPG_DATA_FROM_BINDIR
  /prefix/${PICKRPG_INSTALL_BINDIR} /prefix/${PICKRPG_INSTALL_DATADIR})
