# The Debian package (`make package`, or `cpack` in the build folder):
# trevalon_<version>_amd64.deb, installing under /usr what the install rules
# install. Its Depends come from the libraries the programs actually link
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

include(CPack)
