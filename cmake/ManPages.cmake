# The tools' manual pages: written by hand in scdoc under tools/man/, made into man(1) pages at build
# time and installed with the tools. A build without scdoc goes on without them.
find_program(ZDZ_SCDOC scdoc)
if(NOT ZDZ_SCDOC)
  message(STATUS "Manual pages left out: scdoc not found (apt-get install scdoc)")
  return()
endif()

set(ZDZ_MAN_DIR ${CMAKE_BINARY_DIR}/man)
file(GLOB ZDZ_MAN_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/man/*.1.scd)
set(ZDZ_MAN_PAGES)
foreach(source IN LISTS ZDZ_MAN_SOURCES)
  get_filename_component(page ${source} NAME_WLE)
  # Written whole or not at all, so that a failed run leaves no half page for the next build to take.
  add_custom_command(OUTPUT ${ZDZ_MAN_DIR}/${page}
    COMMAND sh -c "\"$1\" <\"$2\" >\"$3.new\" && mv \"$3.new\" \"$3\"" sh ${ZDZ_SCDOC} ${source} ${ZDZ_MAN_DIR}/${page}
    DEPENDS ${source} VERBATIM)
  list(APPEND ZDZ_MAN_PAGES ${ZDZ_MAN_DIR}/${page})
endforeach()
file(MAKE_DIRECTORY ${ZDZ_MAN_DIR})
add_custom_target(man-pages ALL DEPENDS ${ZDZ_MAN_PAGES})
install(FILES ${ZDZ_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT tools ${ZDZ_TOOLS_INSTALL})

# Each page against its tool's --help: the native build without instrumentation runs the tools.
if(NOT ZDZ_TESTS OR ZDZ_SANITIZE OR ZDZ_COVERAGE OR ZDZ_ARCH STREQUAL "i386")
  return()
endif()
set(manTest bash ${PROJECT_SOURCE_DIR}/tests/man/ManPageTest.sh)
add_test(NAME man-zdz COMMAND ${manTest} ${ZDZ_MAN_DIR}/zdz.1 $<TARGET_FILE:zdz>)
add_test(NAME man-zdz-demo COMMAND ${manTest} ${ZDZ_MAN_DIR}/zdz-demo.1 $<TARGET_FILE:zdz-demo>)
# The front end's subcommand is named: its --help need not list it in the form the test looks for.
add_test(NAME man-zdz-frontend COMMAND ${manTest} ${ZDZ_MAN_DIR}/zdz-frontend.1 ${ZDZ_FRONTEND_LAUNCHER} export)
set_tests_properties(man-zdz-frontend PROPERTIES SKIP_RETURN_CODE 77
  ENVIRONMENT "PYTHONPATH=${PROJECT_SOURCE_DIR}/python;ZDZ_LIBRARY_DIR=$<TARGET_FILE_DIR:zodavudaz>")
