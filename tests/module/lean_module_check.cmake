# The module carries only what it uses: CalculatorKelvo.dll stays within its size limit, and
# its link map shows no member of the C++ runtime, unwinder or thread libraries and none of
# their symbols.
# (The import table is checked by the Wine suite's ModuleImage tests.)
# Usage: cmake -DMODULE=<dll> -DMAP=<link map> -P lean_module_check.cmake
set(limit_kib 96)
math(EXPR limit "${limit_kib} * 1024")
file(SIZE ${MODULE} size)
if(size GREATER limit)
    message(SEND_ERROR "${MODULE} is ${size} bytes, more than ${limit_kib} KiB")
endif()

file(READ ${MAP} map)
# Members of these archives that the linker took in, and symbols of these families anywhere.
foreach(library libstdc++ libsupc++ libgcc_eh libwinpthread libpthread)
    string(FIND "${map}" "${library}.a(" at)
    if(NOT at EQUAL -1)
        message(SEND_ERROR "the module links members of ${library}")
    endif()
endforeach()
foreach(family __cxa_demangle d_print pthread_ _Unwind_ __gxx_personality)
    string(FIND "${map}" "${family}" at)
    if(NOT at EQUAL -1)
        message(SEND_ERROR "the module's link map names ${family}")
    endif()
endforeach()
