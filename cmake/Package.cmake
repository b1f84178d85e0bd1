# The Debian packages (`make package`, or `cpack` in the build folder):
# trevalon_<version>_amd64.deb, installing under /usr what the install rules
# install, and, when the Python module is built, python3-trevalon_<version>_amd64.deb
# with the module in /usr/lib/python3/dist-packages (it reads the library and
# the sample of the first, on which it depends). Its Depends come from the libraries the programs actually link
# (dpkg-shlibdeps, from dpkg-dev, which `scripts/install-deps package` adds).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trevalon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Trevalon)
set(CPACK_PACKAGE_CONTACT "Trevalon support <support@trevalon.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Design of composite steel and concrete floor beams to AS/NZS 2327")
set(CPACK_PACKAGE_DESCRIPTION
  "Trevalon helps structural engineers with the preliminary design of
simply-supported composite steel and concrete floor beams, checked to
AS/NZS 2327. It analyses every beam of a floor through construction and
service (design actions, composite capacity under partial shear connection,
shear connectors, stresses, deflections, camber) and can pick the first
passing section from its library. The package holds the desktop program
trevalon-gui and the command-line program trevalon, with the section
library, a sample project and the user manual.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # trevalon_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins at run time, where dpkg-shlibdeps cannot see
# them: without the xcb plugin the desktop program does not start (libqt6gui6
# only recommends it). The SVG plugins come with libqt6svg6, which is linked.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

# One package per install component: the programs are the component of
# every install rule without one ("Unspecified"), the module is "python".
if(TARGET trevalon_python)
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_ALL Unspecified python)
  set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_NAME trevalon)
  set(CPACK_DEBIAN_UNSPECIFIED_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_DEPENDS "qt6-qpa-plugins")
  set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-trevalon)
  set(CPACK_DEBIAN_PYTHON_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
  # The module is built for one interpreter version, and reads the library
  # and the sample of the programs' package.
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
      "trevalon (= ${PROJECT_VERSION}), python3 (>= ${TREVALON_PYTHON_VERSION}), python3 (<< ${TREVALON_PYTHON_NEXT_VERSION})")
  # CPack puts the one summary of the project above each package's description.
  set(CPACK_DEBIAN_PYTHON_DESCRIPTION
      "The Python module of Trevalon: import trevalon opens, changes, analyses and designs Trevalon
projects from Python scripts and notebooks, with the results as
dicts (the same content as trevalon analyse --json).")
endif()

include(CPack)
