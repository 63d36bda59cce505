# Writes OUTPUT, a C++ source defining `extern const char NAME[]` with the
# bytes of INPUT and a terminating NUL, so that text resources live in the module.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" length)
math(EXPR size "${length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(([^,]*,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT}; do not edit.\n"
  "#include <cstddef>\n"
  "namespace registration::embedded {\n"
  "extern const char ${NAME}[] = {\n    ${bytes}'\\0'};\n"
  "extern const std::size_t ${NAME}Size = ${size};\n"
  "}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
