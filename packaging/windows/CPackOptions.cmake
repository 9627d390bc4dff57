# Read by cpack once for each of the Windows packages: each gets its own
# file name, and the zip unpacks into one folder named like the program.
if(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME ${CPACK_QUENLORY_SETUP_NAME})
elseif(CPACK_GENERATOR STREQUAL "ZIP")
    set(CPACK_PACKAGE_FILE_NAME ${CPACK_QUENLORY_ZIP_NAME})
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
    # The entries put in order by name once the zip is made (the installer
    # lists its files by name itself).
    set(CPACK_POST_BUILD_SCRIPTS ${CPACK_QUENLORY_SORT_ZIP})
endif()

# The zip's entries (CPack) and the installer's files are dated to the
# release, whatever the clock says.
if(CPACK_QUENLORY_SOURCE_DATE_EPOCH)
    set(ENV{SOURCE_DATE_EPOCH} ${CPACK_QUENLORY_SOURCE_DATE_EPOCH})
endif()

# With the maker's certificate in the environment (scripts/sign.sh), makensis
# signs the uninstaller before it packs it, and the installer when it is made.
set(CPACK_QUENLORY_SIGNING "")
if(CPACK_GENERATOR STREQUAL "NSIS")
    execute_process(COMMAND bash ${CPACK_QUENLORY_SIGN_SCRIPT} --given RESULT_VARIABLE unsigned)
    if(NOT unsigned)
        set(sign "bash \"${CPACK_QUENLORY_SIGN_SCRIPT}\" \"%1\"")
        set(CPACK_QUENLORY_SIGNING "!uninstfinalize '${sign}' = 0\n!finalize '${sign}' = 0")
    endif()
endif()
