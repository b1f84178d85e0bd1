# The `install` test: installs the build into a scratch DESTDIR under the
# prefix /usr, as the Debian package does, checks the files land where the
# freedesktop menu and man expect them, and runs the installed trevalon on the
# installed sample from an unrelated folder. The installed program has no
# library beside it, so the run passes only if it finds share/trevalon.
#
#   cmake -DBUILD_DIR=build -DWORK_DIR=scratch [-DPYTHON=python3 -DPYTHON_MODULE=trevalon.*.so] -P InstallTest.cmake
#
# With the Python module built, it must land in Debian's folder of packages
# under /usr and, imported from there, analyse the installed sample.
cmake_minimum_required(VERSION 3.25)
foreach(var BUILD_DIR WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "InstallTest.cmake: -D${var}=... is required")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK_DIR})
set(root ${WORK_DIR}/root)
set(elsewhere ${WORK_DIR}/elsewhere)
file(MAKE_DIRECTORY ${root} ${elsewhere})

execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${root}
                        ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
  RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc})")
endif()

set(expected
  usr/bin/trevalon
  usr/bin/trevalon-gui
  usr/share/trevalon/Trevalon.tvl
  usr/share/trevalon/Trevalon-Design.tvl
  usr/share/trevalon/SampleAnalysis.tva
  usr/share/trevalon/Trevalon.pdf
  usr/share/trevalon/ReadMe.txt
  usr/share/trevalon/LICENSES-data.md
  usr/share/trevalon/trevalon-results.schema.json
  usr/share/applications/trevalon.desktop
  usr/share/icons/hicolor/scalable/apps/trevalon.svg
  usr/share/mime/packages/trevalon.xml
  usr/share/man/man1/trevalon.1.gz)
if(DEFINED PYTHON_MODULE)
  list(APPEND expected usr/lib/python3/dist-packages/${PYTHON_MODULE})
endif()
foreach(f IN LISTS expected)
  if(NOT EXISTS ${root}/${f})
    message(FATAL_ERROR "not installed: /${f}")
  endif()
endforeach()
# Nothing else: no tests, tools or build files slip into an install.
file(GLOB_RECURSE installed RELATIVE ${root} ${root}/*)
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "installed files differ from the expected list:\n  ${installed}")
endif()

# The menu entry starts the program on the PATH and names the icon by its
# theme name; a path into the build folder would break on every other machine.
file(READ ${root}/usr/share/applications/trevalon.desktop desktop)
string(FIND "${desktop}" "${BUILD_DIR}" build_path)
if(NOT desktop MATCHES "\nExec=trevalon-gui %f\n" OR NOT desktop MATCHES "\nIcon=trevalon\n"
   OR NOT build_path EQUAL -1)
  message(FATAL_ERROR "the installed desktop entry does not name the installed program:\n${desktop}")
endif()

# The installed program on the installed sample, from an unrelated folder.
set(report ${WORK_DIR}/SampleAnalysis.csv)
execute_process(COMMAND ${root}/usr/bin/trevalon analyse --report ${report}
  WORKING_DIRECTORY ${elsewhere} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "installed trevalon analyse exited ${rc}:\n${out}${err}")
endif()
file(SIZE ${report} size)
if(size EQUAL 0 OR NOT out MATCHES "Results report written to")
  message(FATAL_ERROR "installed trevalon analyse wrote no report:\n${out}${err}")
endif()
# It read the installed sample, not one from the build or source folder.
file(STRINGS ${report} input_line REGEX "^Input file," LIMIT_COUNT 1)
string(STRIP "${input_line}" input_line)
if(NOT input_line STREQUAL "Input file,${root}/usr/share/trevalon/SampleAnalysis.tva")
  message(FATAL_ERROR "the report is not of the installed sample: ${input_line}")
endif()

# The installed module on the installed library and sample, from an unrelated folder.
if(DEFINED PYTHON_MODULE)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env PYTHONPATH=${root}/usr/lib/python3/dist-packages PYTHONNOUSERSITE=1
                          ${PYTHON} -c "import trevalon; p = trevalon.Project.sample(); r = p.analyse(); print(p.file); print(p.library); print(len(r.beams))"
    WORKING_DIRECTORY ${elsewhere} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the installed Python module failed (${rc}):\n${out}${err}")
  endif()
  if(NOT out STREQUAL "${root}/usr/share/trevalon/SampleAnalysis.tva\n${root}/usr/share/trevalon/Trevalon.tvl\n2\n")
    message(FATAL_ERROR "the installed Python module did not read the installed files:\n${out}")
  endif()
endif()

# The installed module on the installed library and sample, from an unrelated folder.
if(DEFINED PYTHON_MODULE)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env PYTHONPATH=${root}/usr/lib/python3/dist-packages PYTHONNOUSERSITE=1
                          ${PYTHON} -c "import trevalon; p = trevalon.Project.sample(); r = p.analyse(); print(p.file); print(p.library); print(len(r.beams))"
    WORKING_DIRECTORY ${elsewhere} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the installed Python module failed (${rc}):\n${out}${err}")
  endif()
  if(NOT out STREQUAL "${root}/usr/share/trevalon/SampleAnalysis.tva\n${root}/usr/share/trevalon/Trevalon.tvl\n2\n")
    message(FATAL_ERROR "the installed Python module did not read the installed files:\n${out}")
  endif()
endif()

file(REMOVE_RECURSE ${WORK_DIR})
