# Turns a binary file into a C++ source that defines one function returning
# the file's bytes. Run with cmake -P:
#   -DINPUT=<file> -DOUTPUT=<source> -DHEADER=<header to include>
#   -DNAMESPACE=<namespace> -DFUNCTION=<function name>
foreach(var INPUT OUTPUT HEADER NAMESPACE FUNCTION)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "embed_file.cmake: ${var} is not set")
    endif()
endforeach()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
if(hex_length EQUAL 0)
    message(FATAL_ERROR "embed_file.cmake: ${INPUT} is empty")
endif()
math(EXPR size "${hex_length} / 2")

# Sixteen bytes a line: break after every 32 hex digits, then write each pair
# as 0xNN. Every line holds whole pairs, so the pairing is not disturbed.
string(REPEAT "[0-9a-f]" 32 line_pattern)
string(REGEX REPLACE "(${line_pattern})" "\\1\n" hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
string(REGEX REPLACE ",\n" ",\n    " hex "${hex}")
string(REGEX REPLACE "[ \n]+$" "" hex "${hex}")

get_filename_component(input_name "${INPUT}" NAME)
set(source "// Generated from ${input_name} at build time; do not edit.
#include \"${HEADER}\"

namespace ${NAMESPACE} {
namespace {

constexpr unsigned char bytes[${size}] = {
    ${hex}
};

}  // namespace

std::span<const unsigned char> ${FUNCTION}()
{
    return bytes;
}

}  // namespace ${NAMESPACE}
")

# Rewrite only on change, so an unchanged picture rebuilds nothing.
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" old)
    if(old STREQUAL source)
        return()
    endif()
endif()
file(WRITE "${OUTPUT}" "${source}")
