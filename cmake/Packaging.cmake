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

if(WIN32)
    # The Windows installer, made by NSIS (Debian's `nsis` package gives
    # makensis, so a cross build on Linux makes it too). It installs per
    # machine into "Program Files\Quenlory": CPack's installer asks for
    # administrator rights and then installs for all users, the usual place
    # for a program every account may start. It adds one Start-menu shortcut
    # with the program's icon and an entry in "Apps & features" (publisher,
    # version, icon, uninstaller); no desktop icon, no PATH change, no
    # autostart. The uninstaller removes all of it; the user's settings under
    # HKEY_CURRENT_USER\Software\quenlory stay, as the user's data.
    set(icon ${QUENLORY_ICO})
    # Beside the program's folder: the shortcut and the "Apps" entry show it.
    install(FILES ${icon} DESTINATION .)

    set(CPACK_GENERATOR NSIS)
    # A 64-bit installer for the 64-bit program: it writes the uninstall entry
    # into the registry's 64-bit view, and Wine without its 32-bit half runs
    # it. CPack pastes these arguments unquoted into the command it splits
    # again, and prefixes a "-" to any that lacks one: -V4 (makensis' default
    # verbosity) leads, so that the quoted -X command stays one argument.
    set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS [=[-V4 \"-XTarget amd64-unicode\"]=])
    set(CPACK_PACKAGE_FILE_NAME Quenlory-${PROJECT_VERSION}-setup)
    set(CPACK_PACKAGE_INSTALL_DIRECTORY Quenlory)
    set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Quenlory)
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    set(CPACK_NSIS_PACKAGE_NAME Quenlory)
    set(CPACK_NSIS_DISPLAY_NAME Quenlory)
    set(CPACK_NSIS_MUI_ICON ${icon})
    set(CPACK_NSIS_MUI_UNIICON ${icon})
    set(CPACK_NSIS_INSTALLED_ICON_NAME quenlory.ico)
    set(CPACK_NSIS_URL_INFO_ABOUT ${CPACK_PACKAGE_HOMEPAGE_URL})
    set(CPACK_NSIS_CONTACT quenlory@talvane.example)
    # A second install replaces the first instead of piling up beside it.
    set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
    # CPack's template always adds an "Uninstall" shortcut to the Start-menu
    # folder; the entry in "Apps & features" is the uninstaller's place, so
    # the shortcut goes again right after.
    set(CPACK_NSIS_CREATE_ICONS_EXTRA
        "CreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\Quenlory.lnk' '$INSTDIR\\\\bin\\\\quenlory.exe' '' '$INSTDIR\\\\quenlory.ico'")
    set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS
        "Delete '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\Uninstall.lnk'")
    # The uninstaller removes the key "Software\Talvane Softwares\Quenlory" of
    # HKEY_LOCAL_MACHINE but would leave the maker's key above it; these
    # commands run after that removal.
    set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete '$SMPROGRAMS\\\\$MUI_TEMP\\\\Quenlory.lnk'
  DeleteRegKey /ifempty SHCTX 'Software\\\\${CPACK_PACKAGE_VENDOR}'")
endif()

include(CPack)
