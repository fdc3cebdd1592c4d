# Runs the stand-in host on a script under Wine: what it writes (standard output and error
# together) must equal the expected file, and it must end with exit code EXIT.
#
# -DRUNNER="wine-run.sh;build dir" -DHOST=Orbiter.exe -DSCRIPT=x.script
# -DEXPECTED=x.expected -DWORKDIR=dir -DEXIT=0 [-DMODULES=a.dll,b.dll] [-DWRITES=file]: the
# file that the script must write in WORKDIR.
string(REPLACE "," ";" modules "${MODULES}")
file(MAKE_DIRECTORY ${WORKDIR})
if(WRITES)
    file(REMOVE ${WORKDIR}/${WRITES})
endif()
# Into a file, not a pipe: Wine's own background processes, started by the first program of
# a session, can keep inherited pipes open long after the host has ended.
execute_process(COMMAND ${RUNNER} ${HOST} --script ${SCRIPT} ${modules}
    WORKING_DIRECTORY ${WORKDIR} OUTPUT_FILE ${WORKDIR}/output.txt
    ERROR_FILE ${WORKDIR}/output.txt RESULT_VARIABLE result TIMEOUT 50)
file(READ ${WORKDIR}/output.txt output)
message("--- host output ---\n${output}---")
if(NOT result STREQUAL EXIT)
    message(FATAL_ERROR "exit code ${result}, expected ${EXIT}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files --ignore-eol ${WORKDIR}/output.txt
    ${EXPECTED} RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "the output differs from ${EXPECTED}")
endif()
if(WRITES AND NOT EXISTS ${WORKDIR}/${WRITES})
    message(FATAL_ERROR "the script did not write ${WRITES}")
endif()
