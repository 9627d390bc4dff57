# Run by cpack after it made the zip: its entries put in order by name.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(package MATCHES "\\.zip$")
        execute_process(COMMAND python3 ${CPACK_QUENLORY_PACKAGE_FILES} zip ${package}
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()
