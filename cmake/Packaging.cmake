# The Debian package (cpack -G DEB, see scripts/package). Its dependencies come
# from the shared libraries the programs load (dpkg-shlibdeps, from dpkg-dev).

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dotforge)
set(CPACK_PACKAGE_VENDOR "Dotforge")
set(CPACK_PACKAGE_CONTACT "Dotforge maintainers <maintainers@users.noreply.c-seed-22ca4a69.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for the bitmap fonts of thermal receipt printers")
set(CPACK_PACKAGE_DESCRIPTION
    "Dotforge draws the bitmap fonts of thermal receipt printers pixel by pixel,\n\
keeps them in its own and the printers' download font files, exports and\n\
imports C source, assembler text and printer streams, renders characters from\n\
outline fonts and downloads font sets to a printer over a serial line.\n\
dotforge-cli does the same from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Staged through DESTDIR, so that the install leaves registering file types and the
# menu entry to the system (see data/CMakeLists.txt).
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX ${CPACK_PACKAGING_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
set(CPACK_STRIP_FILES ON)
include(CPack)
