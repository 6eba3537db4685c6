# Builds the resource script and its header into the Linux program, so that it
# reads the very files windres compiles for Windows.
#
#   include(embed_resources.cmake)
#   wordoria_embed_resources(<target> SCRIPT <file.rc> HEADER <file.h>)
#
# adds a generated embedded_resources.cpp to <target>, defining
# EmbeddedResourceScript() and EmbeddedResourceHeader() (resource_script.h).
# It is written again whenever either file changes.
#
# The same file, run with cmake -P and SCRIPT, HEADER and OUTPUT set, writes
# that source.

if(CMAKE_SCRIPT_MODE_FILE)
    # The bytes as numbers: a string literal would go through the compiler's
    # Shift-JIS conversion and no longer be the UTF-8 of the file.
    function(_wordoria_bytes_of path out_var)
        file(READ "${path}" hex HEX)
        # Sixteen bytes to a line.
        string(REPEAT "[0-9a-f]" 32 line_of_hex)
        string(REGEX REPLACE "(${line_of_hex})" "\\1\n    " hex "${hex}")
        string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
        set(${out_var} "${bytes}" PARENT_SCOPE)
    endfunction()

    foreach(var SCRIPT HEADER OUTPUT)
        if(NOT DEFINED ${var})
            message(FATAL_ERROR "embed_resources.cmake: ${var} is not set")
        endif()
    endforeach()
    _wordoria_bytes_of("${SCRIPT}" script_bytes)
    _wordoria_bytes_of("${HEADER}" header_bytes)
    get_filename_component(script_name "${SCRIPT}" NAME)
    get_filename_component(header_name "${HEADER}" NAME)
    # Each array ends in an extra 0 so that an empty file still makes one.
    file(CONFIGURE OUTPUT "${OUTPUT}" @ONLY CONTENT [[
// Generated from @script_name@ and @header_name@ by embed_resources.cmake; do not edit.
#include "resource_script.h"

namespace wordoria::platform {
namespace {

const unsigned char kScript[] = {
    @script_bytes@0x00};

const unsigned char kHeader[] = {
    @header_bytes@0x00};

}  // namespace

std::string_view EmbeddedResourceScript() {
    return std::string_view(reinterpret_cast<const char*>(kScript), sizeof kScript - 1);
}

std::string_view EmbeddedResourceHeader() {
    return std::string_view(reinterpret_cast<const char*>(kHeader), sizeof kHeader - 1);
}

}  // namespace wordoria::platform
]])
    return()
endif()

function(wordoria_embed_resources target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "SCRIPT;HEADER" "")
    if(NOT arg_SCRIPT OR NOT arg_HEADER)
        message(FATAL_ERROR "wordoria_embed_resources: SCRIPT and HEADER are required")
    endif()
    set(output "${CMAKE_CURRENT_BINARY_DIR}/embedded_resources.cpp")
    add_custom_command(
        OUTPUT "${output}"
        COMMAND "${CMAKE_COMMAND}" "-DSCRIPT=${arg_SCRIPT}" "-DHEADER=${arg_HEADER}" "-DOUTPUT=${output}"
                -P "${CMAKE_CURRENT_FUNCTION_LIST_FILE}"
        DEPENDS "${arg_SCRIPT}" "${arg_HEADER}" "${CMAKE_CURRENT_FUNCTION_LIST_FILE}"
        COMMENT "Embedding ${arg_SCRIPT} and ${arg_HEADER}"
        VERBATIM)
    target_sources(${target} PRIVATE "${output}")
endfunction()
