# Target helpers shared by every subsystem.
#
# Portable libraries are built once as they ship and, on the native build, once
# more with AddressSanitizer and UndefinedBehaviorSanitizer for the unit tests:
# the tool and the benchmarks link the plain library, the tests the checked one.

if(WIN32)
    set(BREVARO_NATIVE OFF)
else()
    set(BREVARO_NATIVE ON)
endif()

set(BREVARO_SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)

# Warnings are errors everywhere (GCC 12 also flags designated initializers
# that leave members to their defaults, which is the point of them: that one is
# off). Narrow string literals are compiled to GBK (code page 936): every
# text inside the program is a GBK byte string, so a literal like "开始监控" in
# the source holds the bytes the program compares. The compiler is told
# GB18030, which writes every GBK character with the bytes GBK gives it and
# can also hold the few characters GBK lacks that the standard library's own
# headers use (<chrono> spells "µs"); our texts keep to GBK characters.
function(brevaro_defaults target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Werror
        -Wno-missing-field-initializers
        -fexec-charset=GB18030)
    # GCC 12 at -O3 (the Release build type) reports -Wrestrict inside
    # std::string's own _M_replace wherever a text is put in front of a
    # string ("a" + text): a false positive of that compiler's library
    # (GCC bug 105329), not an overlap in our code. Off for GCC 12 alone;
    # every other compiler keeps the warning.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
       AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
    # A 32-bit program may use the whole 4 GiB a 64-bit Windows gives it, not
    # 2 GiB: a run's memory is bounded, but eight boards of long runs add up.
    if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
        target_link_options(${target} PRIVATE -Wl,--large-address-aware)
    endif()
endfunction()

# brevaro_add_library(NAME SOURCES... [LINK libs...])
# LINK names other Brevaro libraries (linked as the matching variant) or
# outside libraries (linked as given).
function(brevaro_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINK" ${ARGN})
    set(variants ${name})
    if(BREVARO_NATIVE)
        list(APPEND variants ${name}_checked)
    endif()
    foreach(variant IN LISTS variants)
        add_library(${variant} STATIC ${ARG_SOURCES})
        brevaro_defaults(${variant})
        target_include_directories(${variant} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        foreach(lib IN LISTS ARG_LINK)
            if(variant MATCHES "_checked$" AND TARGET ${lib}_checked)
                target_link_libraries(${variant} PUBLIC ${lib}_checked)
            else()
                target_link_libraries(${variant} PUBLIC ${lib})
            endif()
        endforeach()
    endforeach()
    if(BREVARO_NATIVE)
        target_compile_options(${name}_checked PUBLIC ${BREVARO_SANITIZE_FLAGS})
        target_link_options(${name}_checked PUBLIC ${BREVARO_SANITIZE_FLAGS})
    endif()
endfunction()

# The variant of a Brevaro library that tests link: the sanitized one natively.
function(brevaro_test_variant out lib)
    if(BREVARO_NATIVE AND TARGET ${lib}_checked)
        set(${out} ${lib}_checked PARENT_SCOPE)
    else()
        set(${out} ${lib} PARENT_SCOPE)
    endif()
endfunction()

# brevaro_add_test(NAME [UNREGISTERED] SOURCES... [LINK libs...])
# One GoogleTest executable, registered with CTest. In the Windows build CTest
# runs it under Wine (the toolchain's emulator). UNREGISTERED builds it only,
# for tests that a wrapper runs in its own way.
function(brevaro_add_test name)
    cmake_parse_arguments(ARG "UNREGISTERED" "" "SOURCES;LINK" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    brevaro_defaults(${name})
    foreach(lib IN LISTS ARG_LINK)
        brevaro_test_variant(resolved ${lib})
        target_link_libraries(${name} PRIVATE ${resolved})
    endforeach()
    if(WIN32)
        # Google Test's main once the threads library is ready (the file says why).
        target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/win/support/WinTestMain_win.cpp)
        target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} PRIVATE GTest::gtest)
    else()
        target_link_libraries(${name} PRIVATE GTest::gtest_main GTest::gtest)
    endif()
    target_compile_definitions(${name} PRIVATE
        BREVARO_FIXTURE_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures"
        BREVARO_SHARED_FIXTURE_DIR="${PROJECT_SOURCE_DIR}/../shared/fixtures")
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    if(ARG_UNREGISTERED)
        return()
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300
        ENVIRONMENT "UBSAN_OPTIONS=print_stacktrace=1;ASAN_OPTIONS=detect_leaks=1")
endfunction()

# brevaro_embed_companion(TARGET): carries the companion program Pellis.exe
# (built first, same architecture) inside an executable that starts it, as
# the resource that alerts/Companion.h writes out. Windows builds only.
function(brevaro_embed_companion target)
    target_link_libraries(${target} PRIVATE brevaro_companion_resource)
endfunction()
