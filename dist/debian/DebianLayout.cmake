# Run by cpack for the Debian package only, on the installed tree before it
# is packed: what Debian's policy asks beyond the system layout. The game
# goes to /usr/games (one folder under /usr, like bin/, so the data is found
# as from bin/), and the manual page and the changelog are compressed as
# gzip -9n does, without a name or a time stamp.
set(root "${CPACK_TEMPORARY_DIRECTORY}/usr")
file(MAKE_DIRECTORY "${root}/games")
file(RENAME "${root}/bin/pickrpg" "${root}/games/pickrpg")
file(REMOVE_RECURSE "${root}/bin")
foreach(file "${root}/share/man/man6/pickrpg.6" "${root}/share/doc/pickrpg/changelog")
  execute_process(COMMAND gzip -9n "${file}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip -9n ${file} failed")
  endif()
endforeach()
