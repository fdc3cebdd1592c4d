# Checks the release package and unpacks it into an empty simulator folder, beside a copy of
# the stand-in host.
# -DZIP=package.zip -DMODULE=built.dll -DHOST=Orbiter.exe -DROOT=folder -DREPACK=command;args
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${ZIP} OUTPUT_VARIABLE entries
    COMMAND_ERROR_IS_FATAL ANY)
if(NOT entries STREQUAL "Modules/Plugin/CalculatorKelvo.dll\nDoc/CalculatorKelvo.pdf\n")
    message(FATAL_ERROR "${ZIP} holds:\n${entries}")
endif()

file(REMOVE_RECURSE ${ROOT})
file(MAKE_DIRECTORY ${ROOT})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${ZIP} WORKING_DIRECTORY ${ROOT}
    COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${MODULE}
    ${ROOT}/Modules/Plugin/CalculatorKelvo.dll RESULT_VARIABLE different)
if(different)
    message(FATAL_ERROR "the packaged module is not the built ${MODULE}")
endif()

# Made again now, later than the build made it, the package has the same bytes.
execute_process(COMMAND ${REPACK} ${ROOT}-again.zip COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${ZIP} ${ROOT}-again.zip
    RESULT_VARIABLE different)
if(different)
    message(FATAL_ERROR "a second build of the package differs from ${ZIP}")
endif()

file(COPY ${HOST} DESTINATION ${ROOT})
