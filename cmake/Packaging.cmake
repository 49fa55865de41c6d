# The Debian package of the program (scripts/package makes it): cpack -G DEB in a Release build
# configured with CMAKE_INSTALL_PREFIX=/usr. Dependencies come from the shared libraries the
# program links (dpkg-shlibdeps), the version from project().
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quelp)
set(CPACK_PACKAGE_VENDOR ZR-N)
set(CPACK_PACKAGE_CONTACT "ZR-N <quelp@zr-n.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tile map editor for 2D games")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Quelp paints the maps of 2D games from tile sheets: eight layers of up to
512 x 512 cells, selections and floating blocks, undo, transfer events and
text labels. Maps are saved as .mpx text files and exported to a compact
binary file for the game, to pictures and to paper; the same program exports
maps headless on the command line.
.
The user interface and the manual are in Japanese.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Japanese interface needs a font with its characters (IPA Gothic is the one tested); Help
# and opening an event's destination go through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
