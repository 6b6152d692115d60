# The Debian package: `cpack -G DEB` in a build folder configured by the "package" preset
# (CMAKE_INSTALL_PREFIX=/usr, the program in /usr/games; scripts/build-deb.sh runs it) makes
# quorrin_<version>-<revision>_<arch>.deb.
#
# It holds the Runtime component only: the program, its sounds, desktop entry, icons, AppStream
# metainfo, manual page, copyright and changelog. The board libraries, their headers and the
# CMake package (the Development component) stay out of it; `cmake --install` still installs
# everything for those who build against the board.
include(GNUInstallDirs)

set(QUORRIN_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(QUORRIN_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quorrin)

# Debian ships manual pages and changelogs compressed at the highest level, without a time
# stamp in the gzip header (so that the same sources give the same package).
set(compressed)
foreach(file IN ITEMS quorrin.6 changelog)
  set(plain ${CMAKE_CURRENT_BINARY_DIR}/packaging/${file})
  add_custom_command(OUTPUT ${plain}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${QUORRIN_PACKAGING_DIR}/${file} ${plain}
    COMMAND gzip -9nf ${plain}
    DEPENDS ${QUORRIN_PACKAGING_DIR}/${file} VERBATIM)
  list(APPEND compressed ${plain}.gz)
endforeach()
add_custom_target(quorrin_packaging_files DEPENDS ${compressed})
# Built with the program, so that building only the target quorrin is enough to install it.
add_dependencies(quorrin quorrin_packaging_files)

install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/quorrin.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT Runtime)
install(FILES ${QUORRIN_PACKAGING_DIR}/org.example.quorrin.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT Runtime)
install(FILES ${QUORRIN_PACKAGING_DIR}/copyright DESTINATION ${QUORRIN_DOC_DIR} COMPONENT Runtime)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${QUORRIN_DOC_DIR} RENAME changelog.Debian.gz COMPONENT Runtime)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorrin)
set(CPACK_PACKAGE_VENDOR "Quorrin Workshop")
set(CPACK_PACKAGE_CONTACT "Quorrin Workshop <support@quorrin.example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
# Only the Runtime component goes into the package.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};Runtime;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Keep in step with the top entry of packaging/changelog.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quorrin.example.org")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "chess board for two players at one computer")
# The summary above is the first line; this text follows it, line by line as written here.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quorrin is the board and the referee for two people sharing one computer; it
does not play chess itself. It judges every move (castling, en passant,
promotion), reports check, checkmate, stalemate and the draws by rule, and
keeps a chess clock with increments, delays and stages, each side its own.
.
Moves are taken back and made again, and the game can be stepped through.
Games are opened and saved as PGN files, also from the file manager, and
positions copied and pasted as FEN. Every game played is kept by itself and
comes back after a crash.")
# The libraries the program links come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What dpkg-shlibdeps cannot see, since it is loaded at run time rather than linked:
# - Qt Multimedia's backends (plugins/multimedia: GStreamer and FFmpeg) ship inside
#   libqt6multimedia6 itself on Debian 12, which the program links; no other package is needed
#   for them, and QSoundEffect loads neither (QT_DEBUG_PLUGINS shows no multimedia plugin): it
#   plays through libpulse, linked by libQt6Multimedia, which needs a PulseAudio server
#   (PulseAudio itself or PipeWire's). Without one the program plays silently, so it is only
#   recommended.
# - Qt's own dialog strings (the file dialog, the message boxes' buttons) in the player's
#   language come from qt6-translations-l10n.
# - The X11 platform plugin ships in libqt6gui6; on Wayland without qt6-wayland Qt uses X11
#   (Xwayland), so the native one is only suggested.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, pulseaudio | pipewire-pulse")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")

include(CPack)
