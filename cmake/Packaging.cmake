# Installing Quillmoor as a desktop program, and its Debian package.
#
# `cmake --install` puts under the prefix, beside the two programs: the menu entry, the icon
# (SVG, and PNGs made from it), the AppStream metainfo, the .wad file type, the man pages
# (made from the programs' own --help by help2man), the bash completion of quillmoor-cli, and
# the README, licence and changelog, and the package's one lintian override. `cpack` makes the .deb from the same install rules.

include(GNUInstallDirs)

set(QUILLMOOR_APP_ID "net.brenmoth.Quillmoor" CACHE STRING
    "Reverse-DNS name of the desktop entry, the icon and the metainfo")
set(QUILLMOOR_WEBSITE "https://quillmoor.example" CACHE STRING
    "Quillmoor's web pages; the metainfo's screenshot is window.png there")
set(QUILLMOOR_MAINTAINER "Quillmoor maintainers <maintainers@quillmoor.example>" CACHE STRING
    "Maintainer of the Debian package: name <address>")
set(QUILLMOOR_PROJECT_LICENSE "LicenseRef-proprietary" CACHE STRING
    "SPDX expression for the licence in LICENSE")
set(QUILLMOOR_RELEASE_DATE "2026-12-10")
set(QUILLMOOR_RELEASE_DATE_RFC2822 "Thu, 10 Dec 2026 12:00:00 +0000")

set(quillmoor_docdir "${CMAKE_INSTALL_DATADIR}/doc/quillmoor")
set(packaging "${PROJECT_SOURCE_DIR}/packaging")
set(generated "${PROJECT_BINARY_DIR}/packaging")

find_program(HELP2MAN help2man REQUIRED)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(GZIP gzip REQUIRED)

configure_file("${packaging}/quillmoor.desktop.in" "${generated}/${QUILLMOOR_APP_ID}.desktop" @ONLY)
configure_file("${packaging}/quillmoor.metainfo.xml.in"
               "${generated}/${QUILLMOOR_APP_ID}.metainfo.xml" @ONLY)
configure_file("${packaging}/changelog.in" "${generated}/changelog" @ONLY)

# One man page per program, from its --help and --version, with the sections of its .h2m file.
set(man_pages)
foreach(program IN ITEMS quillmoor quillmoor-cli)
  set(page "${generated}/${program}.1.gz")
  add_custom_command(
    OUTPUT "${page}"
    COMMAND "${HELP2MAN}" --no-info --version-string=${PROJECT_VERSION}
            "--name=unpack, pack and update the wad archives of Grand Prix 4"
            "--include=${packaging}/${program}.h2m" "--output=${generated}/${program}.1"
            "$<TARGET_FILE:${program}>"
    COMMAND "${GZIP}" -9nf "${generated}/${program}.1"
    DEPENDS ${program} "${packaging}/${program}.h2m"
    COMMENT "Writing the man page of ${program}"
    VERBATIM)
  list(APPEND man_pages "${page}")
endforeach()

# PNG icons for the menus and file managers that don't draw SVG.
set(icon_sizes 16 22 24 32 48 64 128 256)
set(png_icons)
foreach(size IN LISTS icon_sizes)
  set(png "${generated}/icons/${size}x${size}/${QUILLMOOR_APP_ID}.png")
  add_custom_command(
    OUTPUT "${png}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${generated}/icons/${size}x${size}"
    COMMAND "${RSVG_CONVERT}" -w ${size} -h ${size} -o "${png}" "${packaging}/quillmoor.svg"
    DEPENDS "${packaging}/quillmoor.svg"
    VERBATIM)
  list(APPEND png_icons "${png}")
  install(FILES "${png}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
endforeach()

add_custom_command(
  OUTPUT "${generated}/changelog.gz"
  COMMAND "${GZIP}" -9nc "${generated}/changelog" > "${generated}/changelog.gz"
  DEPENDS "${generated}/changelog"
  VERBATIM)

add_custom_target(quillmoor_desktop_files ALL
  DEPENDS ${man_pages} ${png_icons} "${generated}/changelog.gz")

install(FILES "${generated}/${QUILLMOOR_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${generated}/${QUILLMOOR_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${packaging}/quillmoor-mime.xml" RENAME quillmoor.xml
        DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages")
install(FILES "${packaging}/quillmoor.svg" RENAME "${QUILLMOOR_APP_ID}.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(FILES ${man_pages} DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${packaging}/quillmoor-cli.bash" RENAME quillmoor-cli
        DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions")
install(FILES "${PROJECT_SOURCE_DIR}/README.md" "${generated}/changelog.gz"
        DESTINATION "${quillmoor_docdir}")
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" RENAME copyright DESTINATION "${quillmoor_docdir}")
install(FILES "${packaging}/lintian-overrides" RENAME quillmoor
        DESTINATION "${CMAKE_INSTALL_DATADIR}/lintian/overrides")

# The Debian package: dist/quillmoor_2.9_amd64.deb through scripts/package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmoor)
set(CPACK_PACKAGE_VENDOR Brenmoth)
set(CPACK_PACKAGE_CONTACT "${QUILLMOOR_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUILLMOOR_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUILLMOOR_WEBSITE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Tab completion of quillmoor-cli's commands and options.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS bash-completion)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "unpack, pack and update the wad archives of Grand Prix 4")
set(CPACK_PACKAGE_DESCRIPTION [[
Grand Prix 4 keeps its tracks, cars and other data in .wad archives.
Quillmoor lets you look into a wad, unpack it into a folder, pack a folder
into a new wad, and put your modded files into the game's wads, also into
all seventeen track wads in one go.

Quillmoor is exact to the byte, and a wad is never left half-written: if
writing fails, the old wad stays as it was. The window opens .wad files from
the file manager; quillmoor-cli does the same work from a terminal.]])
include(CPack)
