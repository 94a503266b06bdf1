# The Debian package quorbel_<version>-1_<arch>.deb (`cpack` in the build
# folder): everything `cmake --install` puts in place, under /usr. dpkg-shlibdeps
# computes its dependencies from the programs and libraries it holds.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorbel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quorbel")
set(CPACK_PACKAGE_CONTACT "Quorbel maintainers <quorbel@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn Visual Basic 6 sources into syntax-coloured HTML")
# One string: its lines become the continuation lines of the description.
set(CPACK_PACKAGE_DESCRIPTION "Quorbel turns Visual Basic 6 modules, classes and forms into syntax-coloured
HTML: one page, or a frame set whose header page jumps to every Sub and
Function. It comes as the command line quorbel, the add-in library
libquorbel.so with its host quorbel-host, and the progress bar control
library libzentrim.so with its headers and CMake package configuration.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A shlibs file for the package's own libraries, so that dpkg-shlibdeps of a
# package built on Zentrim finds them (and ldconfig runs on installation).
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
include(CPack)
