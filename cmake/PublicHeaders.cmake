# zdz_public_headers(OUT HEADER...): the given headers (paths from the top of the source tree) and
# every <zodavudaz/...> header they include, followed to the end. Editing one of them configures
# again, so that a header newly included is installed too.
function(zdz_public_headers out)
  set(pending ${ARGN})
  set(found)
  while(pending)
    list(POP_FRONT pending header)
    if(header IN_LIST found OR NOT EXISTS ${PROJECT_SOURCE_DIR}/${header})
      continue()
    endif()
    list(APPEND found ${header})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${header})
    file(STRINGS ${PROJECT_SOURCE_DIR}/${header} includes REGEX "^#include <zodavudaz/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include <(zodavudaz/[^>]+)>.*" "\\1" included "${line}")
      list(APPEND pending ${included})
    endforeach()
  endwhile()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# zdz_install_headers(COMPONENT HEADER...): installs each header under include/ at its place in the
# source tree.
function(zdz_install_headers component)
  foreach(header IN LISTS ARGN)
    get_filename_component(folder ${header} DIRECTORY)
    install(FILES ${PROJECT_SOURCE_DIR}/${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${folder}
      COMPONENT ${component})
  endforeach()
endfunction()
