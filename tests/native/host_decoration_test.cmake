# Compiles host_api.h for the host's compiler (MSVC decoration), for each processor that has an
# import list, and checks that the decorated names of the six declarations are exactly the
# names in that list (HOST_DEFS/orbiter_host_<processor>.def).
list(TRANSFORM INCLUDES PREPEND -I)
foreach(processor i686 x86_64)
    set(work ${WORK_DIR}/${processor})
    file(MAKE_DIRECTORY ${work})
    execute_process(
        COMMAND ${CLANG} --target=${processor}-pc-windows-msvc -c -I${FAKE_WINDOWS} ${INCLUDES}
                ${PROBE} -o ${work}/probe.obj
        RESULT_VARIABLE result ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "compiling the declarations for ${processor} failed:\n${errors}")
    endif()
    execute_process(COMMAND ${LLVM_NM} --undefined-only ${work}/probe.obj
        OUTPUT_VARIABLE symbols RESULT_VARIABLE result ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "llvm-nm failed on the ${processor} object:\n${errors}")
    endif()
    string(REGEX MATCHALL "\\?[^ \n]+" declared "${symbols}")
    list(SORT declared)

    file(STRINGS ${HOST_DEFS}/orbiter_host_${processor}.def lines REGEX "==")
    set(listed "")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE ".*== *([^ ]+).*" "\\1" name "${line}")
        list(APPEND listed "${name}")
    endforeach()
    list(SORT listed)

    list(LENGTH declared count)
    if(NOT count EQUAL 6)
        message(FATAL_ERROR "${processor}: expected six host functions, found ${count}: ${declared}")
    endif()
    if(NOT declared STREQUAL listed)
        message(FATAL_ERROR "${processor}: declarations decorate to\n  ${declared}\n"
                            "but the import list names\n  ${listed}")
    endif()
    message(STATUS "${processor}: 6 decorated names match")
endforeach()
