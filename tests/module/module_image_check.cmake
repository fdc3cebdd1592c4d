# The built CalculatorKelvo.dll as a file, read with the tree's own binutils, so that it runs
# on any machine, whether or not it can run the module:
# - a Windows GUI DLL for the tree's processor, named CalculatorKelvo.dll, that exports the four
#   module functions by their plain names and imports from nothing but the system's libraries
#   and the host, whose test program exports exactly what the module imports from it;
# - lean: within LIMIT_KIB (when given), and no member of the C++ runtime, unwinder or thread
#   libraries nor any of their symbols in its link map;
# - its version resource, as the resource compiler reads it back, shows VERSION.
# Usage: cmake -DMODULE=<dll> -DMAP=<link map> -DHOST=<Orbiter.exe> -DOBJDUMP=<objdump>
#        -DWINDRES=<windres> -DFORMAT=<pei-i386|pei-x86-64> -DVERSION=<x.y.z> [-DLIMIT_KIB=<n>]
#        -P module_image_check.cmake
function(run output)
    execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE errors
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed (${result}):\n${errors}")
    endif()
    set(${output} "${out}" PARENT_SCOPE)
endfunction()

function(expect text pattern what)
    if(NOT text MATCHES "${pattern}")
        message(SEND_ERROR "${MODULE}: ${what} (no match for \"${pattern}\")")
    endif()
endfunction()

# The names that objdump -p lists in an image's export table.
function(exported_names image output)
    run(headers ${OBJDUMP} -p ${image})
    string(REGEX REPLACE ".*\\[Ordinal/Name Pointer\\] Table\n" "" table "${headers}")
    string(REGEX MATCHALL "\t\\[ *[0-9]+\\] [^\n]+" entries "${table}")
    list(TRANSFORM entries REPLACE "\t\\[ *[0-9]+\\] " "")
    list(SORT entries)
    set(${output} "${entries}" PARENT_SCOPE)
endfunction()

run(headers ${OBJDUMP} -p ${MODULE})
expect("${headers}" "file format ${FORMAT}\n" "not a ${FORMAT} image")
expect("${headers}" "\n\tDLL\n" "not a DLL")
expect("${headers}" "Subsystem\t+0+2\t\\(Windows GUI\\)" "not for the Windows GUI subsystem")
expect("${headers}" "\nName[ \t]+[0-9a-f]+ CalculatorKelvo.dll\n" "exports under another name")

exported_names(${MODULE} exports)
if(NOT exports STREQUAL "ExitModule;GetModuleVersion;InitModule;ModuleDate")
    message(SEND_ERROR "${MODULE} exports ${exports}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" libraries "${headers}")
list(TRANSFORM libraries REPLACE "DLL Name: " "")
list(TRANSFORM libraries TOUPPER)
list(REMOVE_ITEM libraries KERNEL32.DLL USER32.DLL GDI32.DLL MSVCRT.DLL ORBITER.EXE)
if(libraries)
    message(SEND_ERROR "${MODULE} imports from ${libraries}")
endif()

# What it imports from Orbiter.exe: the lines after that library's "DLL Name", up to the blank
# line, each "vma hint name".
string(REGEX MATCH "DLL Name: Orbiter.exe\n[^\n]*\n([^\n]+\n)+" host_block "${headers}")
string(REGEX MATCHALL "[^ \t\n]+\n" imported "${host_block}")
list(TRANSFORM imported STRIP)
list(REMOVE_AT imported 0 1) # "Orbiter.exe" and the column titles' last word
list(SORT imported)
exported_names(${HOST} host_exports)
list(LENGTH imported count)
if(NOT count EQUAL 6 OR NOT imported STREQUAL host_exports)
    message(SEND_ERROR "the module imports ${imported} from Orbiter.exe, the test host exports "
                       "${host_exports}")
endif()

if(LIMIT_KIB)
    file(SIZE ${MODULE} size)
    math(EXPR limit "${LIMIT_KIB} * 1024")
    if(size GREATER limit)
        message(SEND_ERROR "${MODULE} is ${size} bytes, more than ${LIMIT_KIB} KiB")
    endif()
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

run(resources ${WINDRES} --input-format=coff --output-format=rc ${MODULE})
string(REPLACE "." ", " numbers "${VERSION}")
expect("${resources}" "\n FILEVERSION ${numbers}, 0\n" "wrong file version")
expect("${resources}" "\n PRODUCTVERSION ${numbers}, 0\n" "wrong product version")
expect("${resources}" "\n FILETYPE 0x2\n" "the version resource is not a DLL's")
foreach(field "FileVersion\", \"${VERSION}" "ProductVersion\", \"${VERSION}"
        "ProductName\", \"Calculator Kelvo" "OriginalFilename\", \"CalculatorKelvo.dll"
        "FileDescription\", \"[^\"]")
    expect("${resources}" "VALUE \"${field}" "wrong or missing version text")
endforeach()
