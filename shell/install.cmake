# Installation of the desktop program: the executables, its desktop entry,
# icon and project file type, and the help pages.
#
# The directories are plain "bin" and "share", not the GNUInstallDirs
# variables: the program finds its help at <exe dir>/../share/gallorim/aide,
# so the two must stay siblings whatever the cache says.

install(TARGETS gallorim RUNTIME DESTINATION bin)
if(TARGET gallorim-cli)
  install(TARGETS gallorim-cli RUNTIME DESTINATION bin)
endif()

# The desktop entry, the icon and the file type carry the program's
# desktop id; the PNG sizes of the icon come with the packaging files.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/desktop/${GALLORIM_APP_ID}.desktop
        DESTINATION share/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/resources/icons/gallorim.svg
        DESTINATION share/icons/hicolor/scalable/apps RENAME ${GALLORIM_APP_ID}.svg)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/desktop/${GALLORIM_APP_ID}.xml
        DESTINATION share/mime/packages)
install(DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/help/
        DESTINATION share/gallorim/aide
        FILES_MATCHING PATTERN "*.html" PATTERN "*.css")

# Refresh the desktop's caches so that .glr files and the menu entry show up
# at once. Skipped for staged installs (DESTDIR): packages run these from
# their own triggers. A missing tool or a failure never fails the install.
install(CODE [[
  if("$ENV{DESTDIR}" STREQUAL "")
    set(_gallorim_share "${CMAKE_INSTALL_PREFIX}/share")
    find_program(_gallorim_update_mime update-mime-database)
    if(_gallorim_update_mime AND IS_DIRECTORY "${_gallorim_share}/mime/packages")
      execute_process(COMMAND "${_gallorim_update_mime}" "${_gallorim_share}/mime"
                      RESULT_VARIABLE _gallorim_ignored OUTPUT_QUIET ERROR_QUIET)
    endif()
    find_program(_gallorim_update_desktop update-desktop-database)
    if(_gallorim_update_desktop AND IS_DIRECTORY "${_gallorim_share}/applications")
      execute_process(COMMAND "${_gallorim_update_desktop}" -q "${_gallorim_share}/applications"
                      RESULT_VARIABLE _gallorim_ignored OUTPUT_QUIET ERROR_QUIET)
    endif()
    find_program(_gallorim_update_icons gtk-update-icon-cache)
    if(_gallorim_update_icons AND IS_DIRECTORY "${_gallorim_share}/icons/hicolor")
      execute_process(COMMAND "${_gallorim_update_icons}" -q -t -f "${_gallorim_share}/icons/hicolor"
                      RESULT_VARIABLE _gallorim_ignored OUTPUT_QUIET ERROR_QUIET)
    endif()
  endif()
]])

# The placement control beside the program, registered for the installing
# user so that "Placement Visuel..." finds it (a staged install leaves the
# registration to the package).
if(TARGET glrplace AND TARGET glrplace-regsvr)
  install(TARGETS glrplace LIBRARY DESTINATION lib/gallorim)
  install(TARGETS glrplace-regsvr RUNTIME DESTINATION lib/gallorim)
  install(CODE [[
    if("$ENV{DESTDIR}" STREQUAL "")
      execute_process(COMMAND "${CMAKE_INSTALL_PREFIX}/lib/gallorim/glrplace-regsvr" -s
                              "${CMAKE_INSTALL_PREFIX}/lib/gallorim/libglrplace.so"
                      RESULT_VARIABLE _gallorim_ignored OUTPUT_QUIET ERROR_QUIET)
    endif()
  ]])
endif()
