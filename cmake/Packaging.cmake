# `make package`: a Debian package of the installed tree, built by CPack.
# Its version is the project's; its dependencies are what dpkg-shlibdeps finds
# in the binary, plus the font the program asks for by name.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kviltora)
set(CPACK_PACKAGE_VENDOR "Kviltora developers")
set(CPACK_PACKAGE_CONTACT "Kviltora developers <dev@kviltora.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://kviltora.example/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "teaching program: decimal fractions to binary by repeated doubling")
set(CPACK_PACKAGE_DESCRIPTION
    "Kviltora (Квилтора) is a small desktop teaching program with a Bulgarian
interface. It shows a pupil, step by step, how the fractional part of a decimal
number becomes a binary fraction: double it, take the integer digit 0 or 1,
remove it, repeat. It then writes the binary result and checks it by converting
back, term by term.

The arithmetic is IEEE double on purpose, so the trace also shows
representation error. The program works offline in one window.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Built in the build tree; `make package` copies the result to dist/.
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window asks for Times New Roman; Liberation Serif is its metric-compatible
# stand-in, loaded through fontconfig, so no linked library names it. (Qt's X11
# platform plugin comes with libqt6gui6, which shlibdeps finds.)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "/[.]git/" "/build[^/]*/" "/dist/" "/[.]cache/")

include(CPack)
