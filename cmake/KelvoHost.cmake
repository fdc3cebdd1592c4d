# Every program that loads the module must be named Orbiter.exe and export the host
# functions under their decorated names: the module imports them from "Orbiter.exe".
function(kelvo_host_executable target)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME Orbiter)
    target_link_options(${target} PRIVATE ${KELVO_HOST_EXPORTS_DEF})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${KELVO_HOST_EXPORTS_DEF})
    target_link_libraries(${target} PRIVATE kelvo_host_core)
endfunction()

# Puts a copy of the module next to a host program in dir, renewed whenever the module is
# rebuilt (not only when the program is).
function(kelvo_module_beside target dir)
    add_custom_command(OUTPUT ${dir}/CalculatorKelvo.dll
        COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:CalculatorKelvo> ${dir}/CalculatorKelvo.dll
        DEPENDS CalculatorKelvo)
    add_custom_target(${target}_module DEPENDS ${dir}/CalculatorKelvo.dll)
    add_dependencies(${target} ${target}_module)
endfunction()
