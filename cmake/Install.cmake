# Installing the programs the way other programs on the machine are installed
# (`make install`, `cmake --install build --prefix P`, DESTDIR for staging):
#
#   bin/                          trevalon, trevalon-gui
#   share/trevalon/               library files, sample project, user manual,
#                                 ReadMe.txt, licence notices of the library data,
#                                 the JSON Schema of the results
#   share/applications/           trevalon.desktop
#   share/icons/hicolor/scalable/apps/trevalon.svg
#   share/mime/packages/trevalon.xml   .tva files as Trevalon projects
#   share/man/man1/trevalon.1.gz  from `trevalon --help`
#   lib/python3.../trevalon.*.so  the Python module, when it is built (below)
#
# The programs look for their files beside themselves first (a build folder),
# then in ../share/trevalon (GetShippedFile), so the folders are fixed here,
# not taken from GNUInstallDirs: bin and share must stay siblings.
set(TREVALON_INSTALL_BINDIR bin)
set(TREVALON_INSTALL_DATADIR share/trevalon)

install(TARGETS trevalon trevalon-gui RUNTIME DESTINATION ${TREVALON_INSTALL_BINDIR})

install(FILES
  ${TREVALON_OUTPUT_DIR}/Trevalon.tvl
  ${TREVALON_OUTPUT_DIR}/Trevalon-Design.tvl
  ${TREVALON_OUTPUT_DIR}/SampleAnalysis.tva
  ${TREVALON_OUTPUT_DIR}/Trevalon.pdf
  ${TREVALON_OUTPUT_DIR}/ReadMe.txt
  ${TREVALON_OUTPUT_DIR}/LICENSES-data.md
  ${TREVALON_OUTPUT_DIR}/trevalon-results.schema.json
  DESTINATION ${TREVALON_INSTALL_DATADIR})

# The desktop entry beside the built program names it by its full path; the
# installed one names the program on the PATH and the icon by its theme name,
# as the freedesktop menu expects. Both come from the one template.
set(TREVALON_DESKTOP_TEMPLATE ${PROJECT_SOURCE_DIR}/docs/trevalon.desktop.in)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TREVALON_DESKTOP_TEMPLATE})
file(READ ${TREVALON_DESKTOP_TEMPLATE} TREVALON_DESKTOP)
string(REPLACE "\"@TREVALON_OUTPUT_DIR@/trevalon-gui\"" "trevalon-gui" TREVALON_DESKTOP "${TREVALON_DESKTOP}")
string(REPLACE "@TREVALON_OUTPUT_DIR@/trevalon.svg" "trevalon" TREVALON_DESKTOP "${TREVALON_DESKTOP}")
if(TREVALON_DESKTOP MATCHES "@" OR NOT TREVALON_DESKTOP MATCHES "\nExec=trevalon-gui" OR NOT TREVALON_DESKTOP MATCHES "\nIcon=trevalon\n")
  message(FATAL_ERROR "docs/trevalon.desktop.in changed shape: update the installed entry in cmake/Install.cmake")
endif()
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/install/trevalon.desktop CONTENT "${TREVALON_DESKTOP}")
install(FILES ${CMAKE_BINARY_DIR}/install/trevalon.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/src/ui/resources/icons/trevalon.svg
  DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/trevalon-mime.xml
  DESTINATION share/mime/packages RENAME trevalon.xml)

# The manual page, written from the program's own --help at build time, so it
# never falls behind the options. gzip is part of every Debian system.
find_program(TREVALON_GZIP gzip REQUIRED)
set(TREVALON_MAN_PAGE ${CMAKE_BINARY_DIR}/man/trevalon.1)
add_custom_command(
  OUTPUT ${TREVALON_MAN_PAGE} ${TREVALON_MAN_PAGE}.gz
  COMMAND ${CMAKE_COMMAND} -DTREVALON=$<TARGET_FILE:trevalon> -DOUTPUT=${TREVALON_MAN_PAGE}
          -DVERSION=${PROJECT_VERSION} -P ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
  COMMAND ${TREVALON_GZIP} -9nkf ${TREVALON_MAN_PAGE}
  DEPENDS trevalon ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
  COMMENT "Writing the manual page trevalon.1 from trevalon --help"
  VERBATIM)
add_custom_target(trevalon_man_page ALL DEPENDS ${TREVALON_MAN_PAGE}.gz)
install(FILES ${TREVALON_MAN_PAGE}.gz DESTINATION share/man/man1)

# The Python module (when built) into the interpreter's own folder of
# packages under the prefix, worked out when installing, since
# `cmake --install --prefix` may name another prefix than the build's:
# /usr (the Debian package python3-trevalon) lib/python3/dist-packages,
# /usr/local lib/python3.X/dist-packages, any other prefix (such as
# $HOME/.local) lib/python3.X/site-packages, where Debian's python3 looks.
if(TARGET trevalon_python)
  install(CODE "
    if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
      set(trevalon_site lib/python3/dist-packages)
    elseif(CMAKE_INSTALL_PREFIX STREQUAL \"/usr/local\")
      set(trevalon_site lib/python${TREVALON_PYTHON_VERSION}/dist-packages)
    else()
      set(trevalon_site lib/python${TREVALON_PYTHON_VERSION}/site-packages)
    endif()
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/\${trevalon_site}\" TYPE MODULE
         FILES \"$<TARGET_FILE:trevalon_python>\")
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${trevalon_site}/$<TARGET_FILE_NAME:trevalon_python>\")
    endif()
    " COMPONENT python)
endif()

# Everything the install rules above take from the build folder, for
# `cmake --build build --target trevalon_programs` (what `make run`,
# `make install` and `make package` build; no tests).
add_custom_target(trevalon_programs)
add_dependencies(trevalon_programs
  trevalon trevalon-gui trevalon_library trevalon_sample trevalon_results_schema trevalon_documents trevalon_man_page)
if(TARGET trevalon_python)
  add_dependencies(trevalon_programs trevalon_python)
endif()
