# GoogleTest from Debian's source package, built in each tree with that tree's compiler.
set(KELVO_GTEST_SOURCE /usr/src/googletest/googletest)
add_library(kelvo_gtest STATIC
    ${KELVO_GTEST_SOURCE}/src/gtest-all.cc
    ${KELVO_GTEST_SOURCE}/src/gtest_main.cc)
target_include_directories(kelvo_gtest SYSTEM PUBLIC ${KELVO_GTEST_SOURCE}/include
    PRIVATE ${KELVO_GTEST_SOURCE})
target_compile_options(kelvo_gtest PRIVATE -w)
if(NOT WIN32)
    find_package(Threads REQUIRED)
    target_link_libraries(kelvo_gtest PUBLIC Threads::Threads)
endif()
include(GoogleTest)

# The GoogleTest cases of a Windows-side test program as CTest tests, which run side by side.
# Cases that need the screen to themselves, such as those that type on the real keyboard into
# the foreground window, go in a test suite whose name ends in "Serial": CTest runs them alone.
# Usage: kelvo_discover_tests(TARGET DIRECTORY TIMEOUT_SECONDS)
function(kelvo_discover_tests target directory timeout)
    set(discovery ${target} WORKING_DIRECTORY ${directory} DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 120)
    gtest_discover_tests(${discovery} TEST_FILTER "-*Serial.*" PROPERTIES TIMEOUT ${timeout})
    gtest_discover_tests(${discovery} TEST_FILTER "*Serial.*"
        PROPERTIES TIMEOUT ${timeout} RUN_SERIAL TRUE)
endfunction()
