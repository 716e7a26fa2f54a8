# `make package` (or `cpack` in the build folder): a Debian package that
# installs the program into /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${VTL_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "Quenmoor Software")
set(CPACK_PACKAGE_CONTACT "Quenmoor Software <vantorel@quenmoor.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "player name maker for Quake-engine games")
set(CPACK_PACKAGE_DESCRIPTION [=[
Vantorel G2 shows the whole 256-glyph console font of a Quake-engine game
as a 16 by 16 map. Pick a player name glyph by glyph; the program keeps the
exact bytes the console must receive for each glyph and writes the name as
a console line into a script file or the game's own configuration, or
exports it as a bitmap or to the clipboard.

It knows QuakeWorld, Quake II, Quake III: Arena, Return to Castle
Wolfenstein, Hexen II and JumpGate, and takes a character picture of your
own for other modifications.]=])
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.quenmoor.example/")
# The libraries it links are found by dpkg-shlibdeps; what it loads at run
# time as plugins (Qt's X11 platform and GIF reader) comes with libqt6gui6,
# which the linked QtGui already pulls in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so no library lookup finds them: Qt's TGA reader, for
# the charsets of the Quake III engine games, and LittleCMS, opened when the
# colour gradient first compares two colours.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins, liblcms2-2")
# Help opens the user guide and the About box the home page with xdg-open;
# without it Help says where the guide is.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
