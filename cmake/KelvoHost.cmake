# Every program that loads the module must be named Orbiter.exe and export the host
# functions under their decorated names: the module imports them from "Orbiter.exe".
function(kelvo_host_executable target)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME Orbiter)
    target_link_options(${target} PRIVATE ${KELVO_HOST_EXPORTS_DEF})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${KELVO_HOST_EXPORTS_DEF})
    target_link_libraries(${target} PRIVATE kelvo_host_core)
endfunction()
