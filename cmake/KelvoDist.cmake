# The release package: the module and the pilot's manual, at their places in the simulator's
# folder, as one zip archive in the tree's dist/ (`make dist` copies it to the project's dist/).
# Built when asked: `make dist`, and the install tests (tests/dist), which check the package
# that `make dist` hands out. The script takes the
# release date from CHANGELOG.md and checks that README.md shows the version.
set(KELVO_DIST_ZIP ${CMAKE_BINARY_DIR}/dist/CalculatorKelvo-${PROJECT_VERSION}.zip)
set(KELVO_DIST_SCRIPT ${CMAKE_SOURCE_DIR}/cmake/make-dist.sh)
file(GLOB manual_files ${CMAKE_SOURCE_DIR}/docs/manual/*)

add_custom_command(
    OUTPUT ${KELVO_DIST_ZIP}
    COMMAND ${KELVO_DIST_SCRIPT} ${PROJECT_VERSION} $<TARGET_FILE:CalculatorKelvo>
            ${KELVO_DIST_ZIP}
    DEPENDS CalculatorKelvo ${KELVO_DIST_SCRIPT} ${manual_files}
            ${CMAKE_SOURCE_DIR}/CHANGELOG.md ${CMAKE_SOURCE_DIR}/README.md
            ${CMAKE_SOURCE_DIR}/docs/calculator.png ${CMAKE_SOURCE_DIR}/LICENSE
    COMMENT "Release package ${KELVO_DIST_ZIP}")
add_custom_target(release_package DEPENDS ${KELVO_DIST_ZIP})
