# Compile options every target of ours shares, on all three builds.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    message(FATAL_ERROR "Wordoria needs GCC: only it can turn UTF-8 sources into Shift-JIS literals")
endif()

add_library(wordoria_options INTERFACE)
target_compile_options(wordoria_options INTERFACE
    # Sources are UTF-8; every narrow literal becomes Shift-JIS bytes, as the program expects.
    -finput-charset=UTF-8 -fexec-charset=CP932
    -Wall -Wextra -Wno-unused-parameter)

if(WIN32)
    # One self-contained .exe: no MinGW runtime DLLs to ship next to it or to find under Wine.
    target_link_options(wordoria_options INTERFACE -static -static-libgcc -static-libstdc++)
    target_compile_definitions(wordoria_options INTERFACE WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0501)
else()
    # Debian's hardening, as the package ships these programs: checked libc
    # calls (they need optimisation), a stack protector, and relocations made
    # read-only before the program runs.
    target_compile_options(wordoria_options INTERFACE
        -fstack-protector-strong -Wformat -Werror=format-security
        $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
    target_link_options(wordoria_options INTERFACE -Wl,-z,relro -Wl,-z,now)
endif()
