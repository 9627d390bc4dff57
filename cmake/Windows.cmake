# Windows additions, included from the top-level list before the sources:
# the icon and version resource of quenlory.exe, the install rules that put
# the Qt and compiler run-time DLLs next to it, and, in a cross build from
# Linux, the Wine wrapper that runs this build's tools and tests.
find_package(Qt6 ${QUENLORY_QT_MINIMUM} REQUIRED COMPONENTS Core)
find_package(Python3 3.9 REQUIRED COMPONENTS Interpreter)

# The program's one Windows icon, made from the icon's pictures in
# data/icons: compiled into quenlory.exe and shown by the installer.
set(QUENLORY_ICO ${CMAKE_BINARY_DIR}/quenlory.ico)
set(icon_pictures)
foreach(size 16 32 48 256)
    list(APPEND icon_pictures ${PROJECT_SOURCE_DIR}/data/icons/quenlory-${size}.png)
endforeach()
add_custom_command(OUTPUT ${QUENLORY_ICO}
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/packaging/windows/make_ico.py ${QUENLORY_ICO} ${icon_pictures}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/windows/make_ico.py ${icon_pictures}
    COMMENT "Making the Windows icon"
    VERBATIM)
add_custom_target(quenlory_icon DEPENDS ${QUENLORY_ICO})

if(CMAKE_CROSSCOMPILING)
    # Wine hands the program no QT_* variable of its own and finds DLLs only
    # on WINEPATH; the wrapper does both, and prepares the Wine prefix once.
    set(QUENLORY_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH
        "The Wine prefix the tests run in unless WINEPREFIX is set")
    # Every prefix of the tests starts as a copy of this one, made once.
    set(QUENLORY_WINE_MODEL "${CMAKE_BINARY_DIR}/wineprefix-model")
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-libgcc-file-name
                    OUTPUT_VARIABLE mingw_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(QUENLORY_MINGW_RUNTIME_DIR "${mingw_libgcc}" DIRECTORY)
    find_file(QUENLORY_WINPTHREAD_DLL libwinpthread-1.dll
              PATHS /usr/x86_64-w64-mingw32/lib NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    get_filename_component(QUENLORY_MINGW_PTHREAD_DIR "${QUENLORY_WINPTHREAD_DLL}" DIRECTORY)
    set(QUENLORY_QT_BIN "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
    set(QUENLORY_QT_PLUGINS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}")
    configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
                   @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                   GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
endif()

# The rest needs the program's target, so it runs once the whole tree is read.
function(quenlory_windows_program)
    configure_file(${PROJECT_SOURCE_DIR}/data/windows/quenlory.rc.in
                   ${CMAKE_BINARY_DIR}/quenlory.rc @ONLY)
    target_sources(quenlory PRIVATE ${CMAKE_BINARY_DIR}/quenlory.rc)
    set_property(SOURCE ${CMAKE_BINARY_DIR}/quenlory.rc APPEND PROPERTY OBJECT_DEPENDS ${QUENLORY_ICO})
    add_dependencies(quenlory quenlory_icon)

    if(NOT CMAKE_CROSSCOMPILING)
        return()    # a native build deploys with windeployqt (src/CMakeLists.txt)
    endif()
    # What quenlory.exe loads, installed beside it: Qt's libraries, the
    # windows platform plugin, and the compiler's C++, GCC and threads
    # run-time libraries. No style plugin: the program draws with its own
    # style, made from Fusion, which is part of Qt Widgets.
    include(GNUInstallDirs)
    foreach(module Core Gui Widgets)
        install(FILES ${QUENLORY_QT_BIN}/Qt6${module}.dll DESTINATION ${CMAKE_INSTALL_BINDIR})
    endforeach()
    install(FILES ${QUENLORY_QT_PLUGINS}/platforms/qwindows.dll
            DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll)
        install(FILES ${QUENLORY_MINGW_RUNTIME_DIR}/${dll} DESTINATION ${CMAKE_INSTALL_BINDIR})
    endforeach()
    install(FILES ${QUENLORY_WINPTHREAD_DLL} DESTINATION ${CMAKE_INSTALL_BINDIR})
    # Qt's and the compiler's libraries come with their debug data, most of
    # their size (libstdc++-6.dll is 23.7 MB, 1.9 MB without): every PE file
    # of the install is stripped of it, for the folder, the zip and the
    # installer alike. CPack's own stripping reaches install(TARGETS) only.
    install(CODE "
        file(GLOB_RECURSE shipped \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/*.dll\"
                                  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/*.exe\")
        foreach(file IN LISTS shipped)
            # strip writes SOURCE_DATE_EPOCH into the PE header as the build time.
            execute_process(COMMAND \"${CMAKE_COMMAND}\" -E env SOURCE_DATE_EPOCH=${QUENLORY_SOURCE_DATE_EPOCH}
                                    \"${CMAKE_STRIP}\" --strip-all \"\${file}\" COMMAND_ERROR_IS_FATAL ANY)
        endforeach()
        # With the maker's certificate in the environment the program is
        # signed (scripts/sign.sh), in the folder, the zip and the installer.
        execute_process(COMMAND bash \"${PROJECT_SOURCE_DIR}/scripts/sign.sh\" --given RESULT_VARIABLE unsigned)
        if(NOT unsigned)
            execute_process(COMMAND bash \"${PROJECT_SOURCE_DIR}/scripts/sign.sh\"
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quenlory.exe\" COMMAND_ERROR_IS_FATAL ANY)
        endif()")
    quenlory_windows_licences()
    # Last: every file and folder installed is dated to the release, which
    # the zip and the installer carry for each file.
    install(CODE "
        execute_process(COMMAND find \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\" -exec
                                touch -h -d @${QUENLORY_SOURCE_DATE_EPOCH} {} +
                        COMMAND_ERROR_IS_FATAL ANY)")

    if(QUENLORY_BUILD_TESTS)
        quenlory_wine_journeys()
    endif()
endfunction()

# The licences of what the program is made of, in licenses/ beside bin/: the
# program's own, Qt's with the notices of what its DLLs contain and how they
# were built (collected into the cross-built Qt by scripts/windows-qt.sh),
# and those of the compiler's run-time libraries from their Debian packages.
function(quenlory_windows_licences)
    set(qt_build ${QT6_INSTALL_PREFIX}/share/quenlory-qt-build)
    if(NOT EXISTS ${qt_build}/licenses/THIRD-PARTY.txt)
        message(FATAL_ERROR "${QT6_INSTALL_PREFIX} has no licence notices: run scripts/windows-qt.sh")
    endif()
    file(STRINGS ${qt_build}/BUILD.txt source_line REGEX "^Source: " LIMIT_COUNT 1)
    string(REGEX MATCH "qt6-base ([^ ]+)" _ "${source_line}")
    set(QUENLORY_QT_SOURCE_VERSION ${CMAKE_MATCH_1})
    foreach(package gcc-mingw-w64-x86-64-posix-runtime mingw-w64-x86-64-dev)
        execute_process(COMMAND dpkg-query -W "-f=\${source:Package} \${source:Version}" ${package}
                        OUTPUT_VARIABLE source_${package} RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "dpkg-query knows no ${package}")
        endif()
    endforeach()
    set(QUENLORY_GCC_SOURCE ${source_gcc-mingw-w64-x86-64-posix-runtime})
    set(QUENLORY_MINGW_SOURCE ${source_mingw-w64-x86-64-dev})
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/licenses-README.txt.in
                   ${CMAKE_BINARY_DIR}/licenses/README.txt @ONLY)

    install(FILES ${CMAKE_BINARY_DIR}/licenses/README.txt DESTINATION licenses)
    install(FILES ${QUENLORY_LICENSE_FILE} DESTINATION licenses RENAME Quenlory.txt)
    install(DIRECTORY ${qt_build}/licenses/ DESTINATION licenses/Qt)
    install(FILES ${qt_build}/BUILD.txt ${qt_build}/mingw-w64.cmake DESTINATION licenses/Qt)
    install(DIRECTORY ${qt_build}/patches DESTINATION licenses/Qt)
    install(FILES /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright
            DESTINATION licenses/GCC RENAME copyright.txt)
    install(FILES /usr/share/common-licenses/GPL-3 DESTINATION licenses/GCC RENAME GPL-3.0.txt)
    install(FILES /usr/share/doc/mingw-w64-x86-64-dev/copyright
            DESTINATION licenses/mingw-w64 RENAME copyright.txt)
endfunction()

# The journeys of tests/e2e/journeys.py under Wine: the installed quenlory.exe (so the
# DLLs beside it are what it loads) under Wine on a private X server. They
# share one Wine prefix, made afresh by the first test of a run, and run one
# at a time: a running copy's mark is visible to every program of a prefix.
function(quenlory_wine_journeys)
    set(prefix ${CMAKE_BINARY_DIR}/wineprefix-journeys)
    set(program ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quenlory.exe)
    add_test(NAME wine_prefix
             COMMAND bash -c "rm -rf --one-file-system \"$1\" \"$1.lock\" && exec bash \"$2\" \"$1\" \"$3\""
                     wine_prefix ${prefix} ${PROJECT_SOURCE_DIR}/scripts/wine-prefix.sh ${QUENLORY_WINE_MODEL})
    set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix LABELS "e2e;wine"
                         TIMEOUT 300)
    execute_process(COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/e2e/journeys.py --list --wine
                    OUTPUT_VARIABLE journeys OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                 ${PROJECT_SOURCE_DIR}/tests/e2e/journeys.py)
    foreach(journey IN LISTS journeys)
        add_test(NAME wine_${journey}
                 COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/e2e/journeys.py
                         ${journey} ${program} --wine ${prefix})
        set_tests_properties(wine_${journey} PROPERTIES FIXTURES_REQUIRED wine_prefix
                             LABELS "e2e;wine" RESOURCE_LOCK wine_journeys TIMEOUT 180 ENVIRONMENT
                             "QUENLORY_VERSION=${PROJECT_VERSION};QUENLORY_SITE=${QUENLORY_SITE_BASE}/${QUENLORY_SITE_FOLDER}")
    endforeach()
    # Windows set to dark mode: every window and message box as in light mode.
    add_test(NAME wine_dark_mode
             COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/e2e/dark_mode.py ${program} ${prefix}
                     $<TARGET_FILE:quenlory_theme>)
    set_tests_properties(wine_dark_mode PROPERTIES FIXTURES_REQUIRED wine_prefix
                         LABELS "e2e;wine" RESOURCE_LOCK wine_journeys TIMEOUT 300)
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL quenlory_windows_program)
