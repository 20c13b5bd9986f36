# Script half of embed_text_file(): writes INPUT's bytes as a C++ array named NAME.
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(LENGTH "${hex}" hex_length)
math(EXPR length "${hex_length} / 2")
file(WRITE "${OUTPUT}"
    "#include <string_view>\n"
    "namespace quorvane {\n"
    "static const char ${NAME}_bytes[] = {${bytes} 0};\n"
    "extern const std::string_view ${NAME}(${NAME}_bytes, ${length});\n"
    "}  // namespace quorvane\n")
