# The Debian package, built by CPack from the install rules (`make package`).
# Its prefix is /usr, the DEB generator's own default (the source package has none);
# dpkg-shlibdeps works out the library dependencies from the programs.

set(VEYLA_PACKAGE_MAINTAINER "Veyla maintainers <maintainers@veyla.example>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veyla)
set(CPACK_PACKAGE_VENDOR "Veyla")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "hide a short message inside a JPEG picture")
set(CPACK_PACKAGE_DESCRIPTION
    "Veyla encrypts a short text message with a password and appends it to the end\n"
    "of a JPEG file, so that picture viewers go on showing the picture. The package\n"
    "holds the window (veyla) and a command-line tool (veyla-cli) that checks, hides\n"
    "and reads messages.\n"
    "\n"
    "The cipher is DES with a 56-bit key: it keeps a message from casual eyes, not\n"
    "from a determined attacker.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/package")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VEYLA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the linked libraries: the CJK font the window's Chinese texts need and, for the
# window, Qt's platform plugins (libqt6gui6 only recommends them, and without one no window
# can open).
set(veyla_extra_depends fonts-noto-cjk)
if(TARGET veyla)
  list(APPEND veyla_extra_depends qt6-qpa-plugins)
endif()
list(JOIN veyla_extra_depends ", " CPACK_DEBIAN_PACKAGE_DEPENDS)

# `package_source`: the sources only, never a build tree or the git store.
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "/build/" "/\\\\.git(/|$)" "/fuzz/corpus-work/" "\\\\.swp$")

include(CPack)
