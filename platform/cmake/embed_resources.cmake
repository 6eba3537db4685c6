# Compiles the resource script with windres into its binary form (.res) and
# builds those bytes into the Linux program, so that it reads what the
# Windows executables carry. windres runs with the host's preprocessor and
# the layer's own <windows.h> (which shows a resource compiler its style
# constants only): no Windows C compiler is needed.
#
#   include(embed_resources.cmake)
#   wordoria_embed_resources(<target> SCRIPT <file.rc> [FILES <files the script names>...])
#
# adds a generated embedded_resources.cpp to <target>, defining
# EmbeddedResources() (resources.h).
#
# The same file, run with cmake -P and RES and OUTPUT set, writes that source.

if(CMAKE_SCRIPT_MODE_FILE)
    foreach(var RES OUTPUT)
        if(NOT DEFINED ${var})
            message(FATAL_ERROR "embed_resources.cmake: ${var} is not set")
        endif()
    endforeach()
    file(READ "${RES}" hex HEX)
    # Sixteen bytes to a line, as numbers.
    string(REPEAT "[0-9a-f]" 32 line_of_hex)
    string(REGEX REPLACE "(${line_of_hex})" "\\1\n    " hex "${hex}")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    get_filename_component(res_name "${RES}" NAME)
    file(CONFIGURE OUTPUT "${OUTPUT}" @ONLY CONTENT [[
// Generated from @res_name@ by embed_resources.cmake; do not edit.
#include "dialogs/resources.h"

namespace wordoria::platform {
namespace {

const unsigned char kCompiled[] = {
    @bytes@};

}  // namespace

std::string_view EmbeddedResources() {
    return std::string_view(reinterpret_cast<const char*>(kCompiled), sizeof kCompiled);
}

}  // namespace wordoria::platform
]])
    return()
endif()

find_program(WORDORIA_WINDRES NAMES x86_64-w64-mingw32-windres i686-w64-mingw32-windres windres REQUIRED)
find_program(WORDORIA_RC_PREPROCESSOR NAMES cpp REQUIRED)

function(wordoria_embed_resources target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "SCRIPT" "FILES")
    if(NOT arg_SCRIPT)
        message(FATAL_ERROR "wordoria_embed_resources: SCRIPT is required")
    endif()
    get_filename_component(script_dir "${arg_SCRIPT}" DIRECTORY)
    get_filename_component(script_name "${arg_SCRIPT}" NAME_WE)
    set(res "${CMAKE_CURRENT_BINARY_DIR}/${script_name}.res")
    set(output "${CMAKE_CURRENT_BINARY_DIR}/embedded_resources.cpp")
    set(windows_h "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../include/windows.h")
    add_custom_command(
        OUTPUT "${res}"
        COMMAND "${WORDORIA_WINDRES}" "--preprocessor=${WORDORIA_RC_PREPROCESSOR}"
                "-I${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../include" "-I${script_dir}"
                -O res "${arg_SCRIPT}" -o "${res}"
        DEPENDS "${arg_SCRIPT}" "${script_dir}/resource.h" ${arg_FILES} "${windows_h}"
        COMMENT "Compiling ${arg_SCRIPT} with windres"
        VERBATIM)
    add_custom_command(
        OUTPUT "${output}"
        COMMAND "${CMAKE_COMMAND}" "-DRES=${res}" "-DOUTPUT=${output}" -P "${CMAKE_CURRENT_FUNCTION_LIST_FILE}"
        DEPENDS "${res}" "${CMAKE_CURRENT_FUNCTION_LIST_FILE}"
        COMMENT "Embedding ${res}"
        VERBATIM)
    target_sources(${target} PRIVATE "${output}")
endfunction()
