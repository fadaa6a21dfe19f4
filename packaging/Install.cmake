# What `cmake --install` puts under the prefix:
#   bin/veyla, bin/veyla-cli                        the window and the command-line tool
#   share/applications/veyla.desktop               the desktop entry (menu, "Open with")
#   share/icons/hicolor/{scalable,NxN}/apps/veyla.* the application icon
#   share/man/man1/veyla-cli.1.gz                   the manual page of the command-line tool
# Installed programs carry no RPATH: they link only system libraries, and a path into the
# build tree must never leak into an installed file.

set(VEYLA_ICON_DIR "${PROJECT_SOURCE_DIR}/data/icons")
set(VEYLA_ICON_PNG_SIZES 48 128 256)

# Filled in below and handed to the install and package tests: what the package must contain.
set(VEYLA_INSTALLED_FILES "")

foreach(program IN ITEMS veyla veyla-cli)
  if(TARGET ${program})
    set_target_properties(${program} PROPERTIES INSTALL_RPATH "" INSTALL_RPATH_USE_LINK_PATH OFF)
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    list(APPEND VEYLA_INSTALLED_FILES "${CMAKE_INSTALL_BINDIR}/${program}")
  endif()
endforeach()

if(TARGET veyla)
  install(FILES veyla.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  list(APPEND VEYLA_INSTALLED_FILES "${CMAKE_INSTALL_DATADIR}/applications/veyla.desktop")

  # Icons arrive with the window; a new icon file changes the folder, which reconfigures.
  if(IS_DIRECTORY "${VEYLA_ICON_DIR}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${VEYLA_ICON_DIR}")
  endif()
  set(hicolor "${CMAKE_INSTALL_DATADIR}/icons/hicolor")
  if(EXISTS "${VEYLA_ICON_DIR}/veyla.svg")
    install(FILES "${VEYLA_ICON_DIR}/veyla.svg" DESTINATION ${hicolor}/scalable/apps)
    list(APPEND VEYLA_INSTALLED_FILES "${hicolor}/scalable/apps/veyla.svg")
  endif()
  foreach(size IN LISTS VEYLA_ICON_PNG_SIZES)
    if(EXISTS "${VEYLA_ICON_DIR}/veyla-${size}.png")
      install(FILES "${VEYLA_ICON_DIR}/veyla-${size}.png"
              DESTINATION ${hicolor}/${size}x${size}/apps RENAME veyla.png)
      list(APPEND VEYLA_INSTALLED_FILES "${hicolor}/${size}x${size}/apps/veyla.png")
    endif()
  endforeach()
endif()

if(TARGET veyla-cli)
  # Compressed the way Debian ships manual pages: maximum level, no name or time stamp,
  # so the same page always gives the same bytes.
  find_program(VEYLA_GZIP gzip REQUIRED)
  set(man_page "${CMAKE_CURRENT_SOURCE_DIR}/veyla-cli.1")
  set(man_page_gz "${CMAKE_CURRENT_BINARY_DIR}/veyla-cli.1.gz")
  add_custom_command(
    OUTPUT "${man_page_gz}"
    COMMAND "${VEYLA_GZIP}" -9 -n -c "${man_page}" > "${man_page_gz}"
    DEPENDS "${man_page}"
    COMMENT "Compressing the manual page veyla-cli.1"
    VERBATIM)
  add_custom_target(veyla-man-page ALL DEPENDS "${man_page_gz}")
  install(FILES "${man_page_gz}" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  list(APPEND VEYLA_INSTALLED_FILES "${CMAKE_INSTALL_MANDIR}/man1/veyla-cli.1.gz")
endif()
