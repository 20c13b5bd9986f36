# embed_text_file(<target> <input file> <C++ variable name>)
# Compiles the bytes of <input file> into <target> as
#   extern const std::string_view <name>;
# declared by the caller's own header. The file is re-read whenever it changes.
function(embed_text_file target input name)
    get_filename_component(input_abs "${input}" ABSOLUTE)
    set(output "${CMAKE_CURRENT_BINARY_DIR}/embedded_${name}.cpp")
    add_custom_command(
        OUTPUT "${output}"
        COMMAND ${CMAKE_COMMAND} -DINPUT=${input_abs} -DOUTPUT=${output} -DNAME=${name}
                -P ${PROJECT_SOURCE_DIR}/cmake/WriteEmbeddedText.cmake
        DEPENDS "${input_abs}" ${PROJECT_SOURCE_DIR}/cmake/WriteEmbeddedText.cmake
        VERBATIM)
    target_sources(${target} PRIVATE "${output}")
endfunction()
