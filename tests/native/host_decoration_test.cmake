# Compiles host_api.h for the host's compiler (32-bit MSVC decoration) and checks that the
# decorated names of the six declarations are exactly the names in orbiter_host.def.
file(MAKE_DIRECTORY ${WORK_DIR})
list(TRANSFORM INCLUDES PREPEND -I)
execute_process(
    COMMAND ${CLANG} --target=i686-pc-windows-msvc -c -I${FAKE_WINDOWS} ${INCLUDES} ${PROBE}
            -o ${WORK_DIR}/probe.obj
    RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "compiling the declarations failed:\n${errors}")
endif()
execute_process(COMMAND ${LLVM_NM} --undefined-only ${WORK_DIR}/probe.obj
    OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "llvm-nm failed")
endif()
string(REGEX MATCHALL "\\?[^ \n]+" declared "${symbols}")
list(SORT declared)

file(STRINGS ${HOST_DEF} lines REGEX "==")
set(listed "")
foreach(line IN LISTS lines)
    string(REGEX REPLACE ".*== *([^ ]+).*" "\\1" name "${line}")
    list(APPEND listed "${name}")
endforeach()
list(SORT listed)

list(LENGTH declared count)
if(NOT count EQUAL 6)
    message(FATAL_ERROR "expected six host functions, found ${count}: ${declared}")
endif()
if(NOT declared STREQUAL listed)
    message(FATAL_ERROR "declarations decorate to\n  ${declared}\nbut the import list names\n  ${listed}")
endif()
message(STATUS "6 decorated names match")
