# quorvane_ship_beside_program(<files>)
# Files the program reads at run time live beside the executable (the program
# folder): copied into build/bin/ for a build and installed into the program folder.
# Their names gather in the global property QUORVANE_FILES_BESIDE_PROGRAM, for the tests
# that run the program from a folder of its own.
set(QUORVANE_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/quorvane CACHE STRING
    "Install folder of the executable and the files beside it, relative to the prefix")

function(quorvane_ship_beside_program)
    foreach(file IN LISTS ARGN)
        get_filename_component(name "${file}" NAME)
        configure_file("${file}" "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name}" COPYONLY)
        set_property(GLOBAL APPEND PROPERTY QUORVANE_FILES_BESIDE_PROGRAM ${name})
        install(FILES "${file}" DESTINATION ${QUORVANE_PROGRAM_DIR})
    endforeach()
endfunction()
