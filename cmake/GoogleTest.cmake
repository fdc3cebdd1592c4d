# GoogleTest: Debian's build of it for the native trees (the sanitizer tree leaves it
# uninstrumented: it is not under test); for the Windows trees, built from Debian's source
# package with the tree's compiler, lightly optimised (it is not what is measured).
if(WIN32)
    set(KELVO_GTEST_SOURCE /usr/src/googletest/googletest)
    add_library(kelvo_gtest STATIC
        ${KELVO_GTEST_SOURCE}/src/gtest-all.cc
        ${KELVO_GTEST_SOURCE}/src/gtest_main.cc)
    target_include_directories(kelvo_gtest SYSTEM PUBLIC ${KELVO_GTEST_SOURCE}/include
        PRIVATE ${KELVO_GTEST_SOURCE})
    target_compile_options(kelvo_gtest PRIVATE -w -O1)
else()
    find_package(GTest REQUIRED)
    add_library(kelvo_gtest INTERFACE)
    target_link_libraries(kelvo_gtest INTERFACE GTest::gtest_main)
endif()
include(GoogleTest)

# The GoogleTest cases of a Windows-side test program as CTest tests, each in a Wine session of
# its own while it runs (cmake/wine-session.sh), so that they run side by side. The cases that
# FILTER names (a GoogleTest filter) run once more under each state that a host may have set
# before loading the module (KELVO_HOST_STATE, see tests/win/win_test_support.cpp), their names
# prefixed with the state's.
# Usage: kelvo_discover_tests(TARGET DIRECTORY TIMEOUT_SECONDS [FILTER])
function(kelvo_discover_tests target directory timeout)
    if(NOT KELVO_RUNS_PROGRAMS)
        return()
    endif()
    gtest_discover_tests(${target} WORKING_DIRECTORY ${directory} DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 120 PROPERTIES TIMEOUT ${timeout} RESOURCE_GROUPS wine_session:1)
    if(ARGC GREATER 3)
        foreach(state DecimalComma ExceptionsUnmasked SinglePrecision TowardZero)
            gtest_discover_tests(${target} WORKING_DIRECTORY ${directory} DISCOVERY_MODE PRE_TEST
                DISCOVERY_TIMEOUT 120 TEST_PREFIX ${state}. TEST_FILTER ${ARGV3}
                PROPERTIES TIMEOUT ${timeout} RESOURCE_GROUPS wine_session:1
                ENVIRONMENT KELVO_HOST_STATE=${state})
        endforeach()
    endif()
endfunction()
