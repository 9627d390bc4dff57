# Packages for users, made by CPack from the install rules: a .deb for Debian
# and Ubuntu, and in a Windows build an installer made with NSIS. In a
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
    configure_file(${PROJECT_SOURCE_DIR}/packaging/quenlory.1.in ${packaging_out}/quenlory.1 @ONLY)
    # The licence as a copyright file's paragraph: each line indented by one
    # blank, an empty line written as " .".
    file(STRINGS ${QUENLORY_LICENSE_FILE} licence_lines)
    set(QUENLORY_LICENSE_DEB)
    foreach(line IN LISTS licence_lines)
        if(line STREQUAL "")
            set(line ".")
        endif()
        string(APPEND QUENLORY_LICENSE_DEB " ${line}\n")
    endforeach()
    string(REGEX REPLACE "\n$" "" QUENLORY_LICENSE_DEB "${QUENLORY_LICENSE_DEB}")
    configure_file(${PROJECT_SOURCE_DIR}/packaging/deb/copyright.in ${packaging_out}/copyright @ONLY)
    add_custom_command(OUTPUT ${packaging_out}/changelog.Debian.gz ${packaging_out}/quenlory.1.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_out}
        COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/deb/changelog > ${packaging_out}/changelog.Debian.gz
        COMMAND gzip -9nc ${packaging_out}/quenlory.1 > ${packaging_out}/quenlory.1.gz
        DEPENDS ${PROJECT_SOURCE_DIR}/packaging/deb/changelog ${packaging_out}/quenlory.1
        COMMENT "Compressing the changelog and the manual page"
        VERBATIM)
    add_custom_target(quenlory_package_docs ALL
        DEPENDS ${packaging_out}/changelog.Debian.gz ${packaging_out}/quenlory.1.gz)
    install(FILES ${packaging_out}/copyright ${packaging_out}/changelog.Debian.gz
            DESTINATION ${CMAKE_INSTALL_DOCDIR})
    install(FILES ${packaging_out}/quenlory.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    # Where lintian looks for the package's overrides, each with its reason.
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/deb/lintian-overrides
            DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME quenlory)

    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    # The Debian revision from the changelog's top entry. The package is not
    # Debian-native (its changelog is changelog.Debian.gz beside an upstream
    # release), so the version carries a revision, and the file is named the
    # Debian way, quenlory_VERSION-REVISION_ARCH.deb.
    set(CPACK_DEBIAN_PACKAGE_RELEASE ${QUENLORY_DEB_REVISION})
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    # "misc", not "games": Debian's games install into /usr/games, but
    # Quenlory is an amusement, not a game, and lives in /usr/bin like every
    # other install of it.
    set(CPACK_DEBIAN_PACKAGE_SECTION misc)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    # The dependencies are those dpkg-shlibdeps finds for the binary. The
    # links to the maker's pages go through xdg-open: without it they open
    # nothing, but the program works, so it is recommended, not required.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
    set(CPACK_QUENLORY_INSTALLED_SIZE ${PROJECT_SOURCE_DIR}/packaging/deb/installed_size.py)
    set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/deb/InstalledSize.cmake)
endif()

if(WIN32)
    # Two packages of the same stripped install tree (bin/ and licenses/):
    # Quenlory-<version>-setup.exe, made by NSIS (Debian's makensis, so a
    # cross build on Linux makes it too) from packaging/windows's own script,
    # and the portable Quenlory-<version>-win64.zip. The installer installs
    # for the current user without administrator rights, or with /AllUsers
    # into Program Files; it replaces an earlier install in place, refuses
    # while Quenlory runs, and adds one Start-menu shortcut and an entry in
    # "Apps"; no desktop icon, no PATH change, no autostart. Uninstalling
    # removes all of it; the user's settings under
    # HKEY_CURRENT_USER\Software\quenlory stay, as the user's data.
    set(CPACK_GENERATOR NSIS ZIP)
    set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/windows/CPackOptions.cmake)
    # CPack looks for NSIS.template.in on this path before its own.
    set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/packaging/windows)
    # A 64-bit installer for the 64-bit program: it writes the uninstall entry
    # into the registry's 64-bit view, and Wine without its 32-bit half runs
    # it. CPack pastes these arguments unquoted into the command it splits
    # again, and prefixes a "-" to any that lacks one: -V4 (makensis' default
    # verbosity) leads, so that the quoted -X command stays one argument.
    set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS [=[-V4 \"-XTarget amd64-unicode\"]=])
    # One solid LZMA stream with a dictionary that holds the whole program.
    set(CPACK_NSIS_COMPRESSOR "/SOLID lzma\nSetCompressorDictSize 64")
    set(CPACK_PACKAGE_INSTALL_DIRECTORY Quenlory)
    set(CPACK_RESOURCE_FILE_LICENSE ${QUENLORY_LICENSE_FILE})
    set(CPACK_QUENLORY_ICON ${QUENLORY_ICO})
    set(CPACK_QUENLORY_COPYRIGHT "Copyright 2026 ${CPACK_PACKAGE_VENDOR}")
    set(CPACK_QUENLORY_SETUP_NAME Quenlory-${PROJECT_VERSION}-setup)
    set(CPACK_QUENLORY_ZIP_NAME Quenlory-${PROJECT_VERSION}-win64)
    set(CPACK_QUENLORY_SOURCE_DATE_EPOCH ${QUENLORY_SOURCE_DATE_EPOCH})
    set(CPACK_QUENLORY_SIGN_SCRIPT ${PROJECT_SOURCE_DIR}/scripts/sign.sh)
    set(CPACK_QUENLORY_PACKAGE_FILES ${PROJECT_SOURCE_DIR}/packaging/windows/package_files.py)
    set(CPACK_QUENLORY_SORT_ZIP ${PROJECT_SOURCE_DIR}/packaging/windows/SortZip.cmake)
    # The program itself and the DLLs are stripped by the install rules
    # (cmake/Windows.cmake).
    set(CPACK_STRIP_FILES OFF)
endif()

include(CPack)
