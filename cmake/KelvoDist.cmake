# The release package: the module and the pilot's manual, at their places in the simulator's
# folder, as one zip archive in dist/. Built with everything else, so that the tests check the
# package that `make dist` hands out.
set(KELVO_DIST_ZIP ${CMAKE_SOURCE_DIR}/dist/CalculatorKelvo-${PROJECT_VERSION}.zip)
set(KELVO_DIST_SCRIPT ${CMAKE_SOURCE_DIR}/cmake/make-dist.sh)
set(KELVO_MANUAL_SOURCE ${CMAKE_SOURCE_DIR}/docs/manual/CalculatorKelvo.rst)
set(KELVO_MANUAL ${CMAKE_BINARY_DIR}/manual/CalculatorKelvo.rst)

# The release date is the date of this version's changelog entry: it fixes the file times in
# the archive and the dates in the manual, so that every build gives the same bytes.
file(STRINGS ${CMAKE_SOURCE_DIR}/CHANGELOG.md release_entry
    REGEX "^## \\[${PROJECT_VERSION}\\] - [0-9]+-[0-9]+-[0-9]+$")
if(NOT release_entry MATCHES "([0-9]+-[0-9]+-[0-9]+)$")
    message(FATAL_ERROR "CHANGELOG.md has no entry \"## [${PROJECT_VERSION}] - YYYY-MM-DD\"")
endif()
set(KELVO_RELEASE_DATE ${CMAKE_MATCH_1})
# The README shows the version too.
file(STRINGS ${CMAKE_SOURCE_DIR}/README.md readme_version REGEX "^Version ${PROJECT_VERSION},")
if(NOT readme_version)
    message(FATAL_ERROR "README.md does not show the version: \"Version ${PROJECT_VERSION}, ...\"")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/CHANGELOG.md
    ${CMAKE_SOURCE_DIR}/README.md)

# The manual's version and date are filled in here.
configure_file(${KELVO_MANUAL_SOURCE} ${KELVO_MANUAL} @ONLY)
file(GLOB manual_files ${CMAKE_SOURCE_DIR}/docs/manual/*)

add_custom_command(
    OUTPUT ${KELVO_DIST_ZIP}
    COMMAND ${KELVO_DIST_SCRIPT} $<TARGET_FILE:CalculatorKelvo> ${KELVO_MANUAL}
            ${KELVO_RELEASE_DATE} ${KELVO_DIST_ZIP}
    DEPENDS CalculatorKelvo ${KELVO_DIST_SCRIPT} ${KELVO_MANUAL} ${manual_files}
            ${CMAKE_SOURCE_DIR}/docs/calculator.png ${CMAKE_SOURCE_DIR}/LICENSE
    COMMENT "Release package ${KELVO_DIST_ZIP}")
add_custom_target(release_package ALL DEPENDS ${KELVO_DIST_ZIP})
