# `cpack -G DEB` in the build folder: a Debian package of what `cmake --install` installs,
# with its library dependencies (Qt among them) found by dpkg-shlibdeps, so apt resolves them.
set(POFSCOPE_MAINTAINER "The pofscope developers <maintainer@example.org>"
    CACHE STRING "Maintainer named in the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pofscope)
set(CPACK_PACKAGE_VENDOR "The pofscope developers")
set(CPACK_PACKAGE_CONTACT "${POFSCOPE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "read-only viewer for FreeSpace POF model files")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "pofscope opens a POF model file, the binary 3-D model format of FreeSpace 1 and\n"
    "FreeSpace 2, lists every chunk with its size and shows each chunk's fields as they are\n"
    "stored, one window per chunk type. It never writes a model file. The pofdump command\n"
    "prints the same windows as text or JSON.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Draws the visible symbol that stands for a NUL byte in file texts.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS fonts-symbola)

include(CPack)
