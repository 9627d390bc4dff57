# Run by cpack after it made the .deb: its Installed-Size reckoned from the
# files themselves, whatever file system the package was staged on.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(package MATCHES "\\.deb$")
        execute_process(COMMAND python3 ${CPACK_QUENLORY_INSTALLED_SIZE} ${package} COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()
