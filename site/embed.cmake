# Writes the bytes of SRC into DST as a C++ string constant NAME in namespace site.
file(READ "${SRC}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${hex}")
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
file(WRITE "${DST}" "#include <string_view>\nnamespace site {\nextern const std::string_view ${NAME};\n"
    "const std::string_view ${NAME}(\"${escaped}\", ${size});\n}\n")
