# Run by CPack once the files to pack are staged: strips the programs as Debian's own packaging
# tools do, which also drops the compiler's .comment and the .note section.
foreach(program quillrun quillrun-run)
    set(file "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/${CPACK_QUILLRUN_PROGRAM_DIR}/${program}")
    if(NOT EXISTS "${file}")
        message(FATAL_ERROR "No ${program} to strip: ${file}")
    endif()
    execute_process(
        COMMAND "${CPACK_QUILLRUN_STRIP}" --remove-section=.comment --remove-section=.note "${file}"
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
