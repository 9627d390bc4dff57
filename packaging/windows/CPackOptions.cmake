# Read by cpack once for each of the Windows packages: each gets its own
# file name, and the zip unpacks into one folder named like the program.
if(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME ${CPACK_QUENLORY_SETUP_NAME})
elseif(CPACK_GENERATOR STREQUAL "ZIP")
    set(CPACK_PACKAGE_FILE_NAME ${CPACK_QUENLORY_ZIP_NAME})
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
