# GoogleTest for the Windows test executables, built with the MinGW toolchain
# from the sources that Debian's googletest package ships.
set(BREVARO_GOOGLETEST_SOURCE /usr/src/googletest/googletest CACHE PATH
    "GoogleTest sources (Debian package googletest)")
if(NOT EXISTS ${BREVARO_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${BREVARO_GOOGLETEST_SOURCE}: "
        "install Debian's googletest package")
endif()
# GoogleTest uses Win32 primitives for its own locking on Windows.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${BREVARO_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
endif()
