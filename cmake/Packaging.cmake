# Packages for users, made by CPack from the install rules: a .deb for Debian
# and Ubuntu. In a
# configured tree, `cpack` (or the `package` target) writes them into
# <build>/packages.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME quenlory)
set(CPACK_PACKAGE_VENDOR "Talvane Softwares")
set(CPACK_PACKAGE_CONTACT "Talvane Softwares <quenlory@talvane.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.talvane.example/quenlory/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "how well you get along with your brother or sister")
# The long description: Debian shows it under the summary, lines of at most
# 80 characters, a paragraph break as a lone dot.
set(CPACK_PACKAGE_DESCRIPTION [=[Quenlory tells two siblings how well they get along, judged by their sun
signs. Type your name, pick your own date of birth and your brother's or
sister's, and press one button. A second window then shows both sun signs,
a profile of each sign as a child, a sentence about the pair and one of
three verdicts.
.
Everything is worked out inside the program; nothing is sent over the
network. Menu items and banner links open pages of the maker's web site in
the browser.]=])
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)
# Folders the packages create are 0755 whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(UNIX AND NOT APPLE)
    # What Debian wants besides the program: the licence in machine-readable
    # form, the package's changelog, a manual page and lintian's overrides;
    # the changelog and the manual page compressed without a time stamp so
    # that rebuilds give the same bytes.
    # They belong to every Linux install, so the package holds exactly the
    # tree `cmake --install` makes.
    set(packaging_out ${CMAKE_BINARY_DIR}/packaging)
    add_custom_command(OUTPUT ${packaging_out}/changelog.Debian.gz ${packaging_out}/quenlory.1.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_out}
        COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/deb/changelog > ${packaging_out}/changelog.Debian.gz
        COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/quenlory.1 > ${packaging_out}/quenlory.1.gz
        DEPENDS ${PROJECT_SOURCE_DIR}/packaging/deb/changelog ${PROJECT_SOURCE_DIR}/packaging/quenlory.1
        COMMENT "Compressing the changelog and the manual page"
        VERBATIM)
    add_custom_target(quenlory_package_docs ALL
        DEPENDS ${packaging_out}/changelog.Debian.gz ${packaging_out}/quenlory.1.gz)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/deb/copyright ${packaging_out}/changelog.Debian.gz
            DESTINATION ${CMAKE_INSTALL_DOCDIR})
    install(FILES ${packaging_out}/quenlory.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    # Where lintian looks for the package's overrides, each with its reason.
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/deb/lintian-overrides
            DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME quenlory)

    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    # 1.25-1: the first Debian revision of release 1.25. The package is not
    # Debian-native (its changelog is changelog.Debian.gz beside an upstream
    # release), so the version carries a revision, and the file is named the
    # Debian way, quenlory_1.25-1_amd64.deb.
    set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    # "misc", not "games": Debian's games install into /usr/games, but
    # Quenlory is an amusement, not a game, and lives in /usr/bin like every
    # other install of it.
    set(CPACK_DEBIAN_PACKAGE_SECTION misc)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    # The dependencies are those dpkg-shlibdeps finds for the binary.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

include(CPack)
