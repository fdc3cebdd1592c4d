# Runs the stand-in host on a script under Wine and checks what it printed, line by line,
# against an expected file, and its exit code.
#
# -DRUNNER=wine-run.sh -DPREFIX=wineprefix -DHOST=Orbiter.exe -DSCRIPT=x.script
# -DEXPECTED=x.expected -DWORKDIR=dir [-DEXIT=0] [-DERROR_REGEX=...] [-DPNG=file.png]
# [-DMODULES=a.dll,b.dll]
#
# An expected line is compared literally, unless it starts with "~ ": then the rest is a
# regular expression that the whole line must match. With PNG, the file must be a PNG whose
# header holds the size that the host printed for its screenshot.
if(NOT DEFINED EXIT)
    set(EXIT 0)
endif()
string(REPLACE "," ";" modules "${MODULES}")
file(MAKE_DIRECTORY ${WORKDIR})
if(PNG)
    file(REMOVE ${WORKDIR}/${PNG})
endif()
# Into files, not pipes: Wine's own background processes, started by the first program of a
# session, can keep inherited pipes open long after the host has ended.
execute_process(
    COMMAND ${RUNNER} ${PREFIX} ${HOST} --script ${SCRIPT} ${modules}
    WORKING_DIRECTORY ${WORKDIR}
    OUTPUT_FILE ${WORKDIR}/stdout.txt
    ERROR_FILE ${WORKDIR}/stderr.txt
    RESULT_VARIABLE result
    TIMEOUT 50)
file(READ ${WORKDIR}/stdout.txt output)
file(READ ${WORKDIR}/stderr.txt errors)
message("--- host output ---\n${output}--- host errors ---\n${errors}---")

if(NOT "${result}" STREQUAL "${EXIT}")
    message(FATAL_ERROR "exit code ${result}, expected ${EXIT}")
endif()
if(DEFINED ERROR_REGEX AND NOT errors MATCHES "${ERROR_REGEX}")
    message(FATAL_ERROR "standard error does not match: ${ERROR_REGEX}")
endif()

file(READ ${EXPECTED} expected)
string(REPLACE "\r" "" output "${output}")
set(full_output "${output}")
set(line_number 0)
while(NOT expected STREQUAL "")
    math(EXPR line_number "${line_number} + 1")
    string(FIND "${expected}" "\n" end)
    if(end EQUAL -1)
        set(want "${expected}")
        set(expected "")
    else()
        string(SUBSTRING "${expected}" 0 ${end} want)
        math(EXPR end "${end} + 1")
        string(SUBSTRING "${expected}" ${end} -1 expected)
    endif()
    string(FIND "${output}" "\n" end)
    if(end EQUAL -1)
        message(FATAL_ERROR "output ends before expected line ${line_number}: ${want}")
    endif()
    string(SUBSTRING "${output}" 0 ${end} got)
    math(EXPR end "${end} + 1")
    string(SUBSTRING "${output}" ${end} -1 output)
    string(SUBSTRING "${want}" 0 2 marker)
    if(marker STREQUAL "~ ")
        string(SUBSTRING "${want}" 2 -1 pattern)
        if(NOT got MATCHES "^${pattern}$")
            message(FATAL_ERROR "line ${line_number}: got\n  ${got}\nwhich does not match\n  ${pattern}")
        endif()
    elseif(NOT got STREQUAL want)
        message(FATAL_ERROR "line ${line_number}: got\n  ${got}\nexpected\n  ${want}")
    endif()
endwhile()
if(NOT output STREQUAL "")
    message(FATAL_ERROR "unexpected further output:\n${output}")
endif()

if(PNG)
    if(NOT EXISTS ${WORKDIR}/${PNG})
        message(FATAL_ERROR "no screenshot ${PNG}")
    endif()
    file(READ ${WORKDIR}/${PNG} head HEX LIMIT 24)
    string(SUBSTRING "${head}" 0 16 signature)
    string(SUBSTRING "${head}" 24 8 first_chunk)
    if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT first_chunk STREQUAL "49484452")
        message(FATAL_ERROR "${PNG} is not a PNG file: ${head}")
    endif()
    string(SUBSTRING "${head}" 32 8 width_hex)
    string(SUBSTRING "${head}" 40 8 height_hex)
    math(EXPR width "0x${width_hex}")
    math(EXPR height "0x${height_hex}")
    if(NOT full_output MATCHES "screenshot: ${PNG} \\(([0-9]+)x([0-9]+)\\)")
        message(FATAL_ERROR "the host printed no size for ${PNG}")
    endif()
    if(NOT width EQUAL CMAKE_MATCH_1 OR NOT height EQUAL CMAKE_MATCH_2)
        message(FATAL_ERROR "${PNG} is ${width}x${height}, the host said "
                            "${CMAKE_MATCH_1}x${CMAKE_MATCH_2}")
    endif()
endif()
