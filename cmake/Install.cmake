# Installs the library and the simulated sibling libraries (component "sim"), their public headers,
# the zdz tool and the demo with their manual pages, a CMake package, pkg-config files and the documentation.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)
include(cmake/PublicHeaders.cmake)

# The library's public headers are those the umbrella header reaches; the simulation's are the
# zodavudaz/sim/ headers that declare exported names, with what they reach beyond the library's.
zdz_public_headers(ZDZ_PUBLIC_HEADERS zodavudaz/zodavudaz.h zodavudaz/zodavudaz_c.h)
file(GLOB ZDZ_SIM_HEADER_CANDIDATES RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS zodavudaz/sim/*.h)
set(ZDZ_SIM_ROOT_HEADERS)
foreach(header IN LISTS ZDZ_SIM_HEADER_CANDIDATES)
  file(STRINGS ${PROJECT_SOURCE_DIR}/${header} exports REGEX "ZODAVUDAZ_EXPORT")
  if(exports)
    list(APPEND ZDZ_SIM_ROOT_HEADERS ${header})
  endif()
endforeach()
zdz_public_headers(ZDZ_SIM_HEADERS ${ZDZ_SIM_ROOT_HEADERS})
list(REMOVE_ITEM ZDZ_SIM_HEADERS ${ZDZ_PUBLIC_HEADERS})
zdz_install_headers(library ${ZDZ_PUBLIC_HEADERS})
zdz_install_headers(sim ${ZDZ_SIM_HEADERS})
install(FILES ${ZDZ_GENERATED_INCLUDE_DIR}/zodavudaz/Version.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zodavudaz
  COMPONENT library)

# Applications of the i386 library build 32-bit like it; the build tree sets that globally.
set(ZDZ_ARCH_FLAGS "")
if(ZDZ_ARCH STREQUAL "i386")
  set(ZDZ_ARCH_FLAGS -m32)
  target_compile_options(zodavudaz INTERFACE $<INSTALL_INTERFACE:-m32>)
  target_link_options(zodavudaz INTERFACE $<INSTALL_INTERFACE:-m32>)
endif()
# The public headers need C++17 or newer; the application chooses which.
target_compile_features(zodavudaz INTERFACE cxx_std_17)
# What the package tells an application of the other architecture.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(ZDZ_PACKAGE_ARCH "i386 (32-bit)")
else()
  set(ZDZ_PACKAGE_ARCH "${CMAKE_SYSTEM_PROCESSOR} (64-bit)")
endif()

# Installed programs and libraries find the libraries beside them, wherever the prefix is.
file(RELATIVE_PATH ZDZ_BIN_TO_LIB ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
set_target_properties(zodavudaz zodavudaz-sim PROPERTIES BUILD_RPATH "$ORIGIN" INSTALL_RPATH "$ORIGIN")
set_target_properties(zdz zdz-demo PROPERTIES INSTALL_RPATH "$ORIGIN/${ZDZ_BIN_TO_LIB}")

set_target_properties(zodavudaz-sim PROPERTIES EXPORT_NAME sim)
install(TARGETS zodavudaz EXPORT ZoDavudazTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library NAMELINK_COMPONENT library)
install(TARGETS zodavudaz-sim EXPORT ZoDavudazSimTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT sim NAMELINK_COMPONENT sim)
# The i386 build installed beside the native one would replace the native tools in bin/ by 32-bit
# ones; the native tools read the same files, so the i386 build's come only with --component tools.
set(ZDZ_TOOLS_INSTALL)
if(ZDZ_ARCH STREQUAL "i386")
  set(ZDZ_TOOLS_INSTALL EXCLUDE_FROM_ALL)
endif()
install(TARGETS zdz zdz-demo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tools ${ZDZ_TOOLS_INSTALL})
install(DIRECTORY tools/demo/settings DESTINATION ${CMAKE_INSTALL_DATADIR}/zodavudaz/demo COMPONENT tools
  ${ZDZ_TOOLS_INSTALL} PATTERN ".*" EXCLUDE)
install(FILES tools/demo/VirtualStations.ini DESTINATION ${CMAKE_INSTALL_DATADIR}/zodavudaz/demo COMPONENT tools
  ${ZDZ_TOOLS_INSTALL})
# zdz-frontend, the web front end: a module of the Python package, started by this launcher in bin/.
# It is installed with the tools where the tree has it; the Debian package takes it from there.
set(ZDZ_FRONTEND_LAUNCHER ${PROJECT_SOURCE_DIR}/tools/zdz-frontend)
if(EXISTS ${ZDZ_FRONTEND_LAUNCHER})
  install(PROGRAMS ${ZDZ_FRONTEND_LAUNCHER} DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tools ${ZDZ_TOOLS_INSTALL})
endif()
include(cmake/ManPages.cmake)

set(ZDZ_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/ZoDavudaz)
install(EXPORT ZoDavudazTargets NAMESPACE ZoDavudaz:: DESTINATION ${ZDZ_CMAKE_DIR} COMPONENT library)
install(EXPORT ZoDavudazSimTargets NAMESPACE ZoDavudaz:: DESTINATION ${ZDZ_CMAKE_DIR} COMPONENT sim)
configure_package_config_file(cmake/ZoDavudazConfig.cmake.in ${CMAKE_CURRENT_BINARY_DIR}/ZoDavudazConfig.cmake
  INSTALL_DESTINATION ${ZDZ_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/ZoDavudazConfigVersion.cmake
  COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/ZoDavudazConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/ZoDavudazConfigVersion.cmake
  DESTINATION ${ZDZ_CMAKE_DIR} COMPONENT library)

# find_package searches lib/<multiarch> only where CMake knows the application's multiarch name,
# which a -m32 build without i386 multiarch does not; share/cmake is searched for every application.
# The package there hands over to the one of the application's pointer size.
set(ZDZ_SHARED_CMAKE_DIR share/cmake/ZoDavudaz)
file(RELATIVE_PATH ZDZ_SHARE_TO_PACKAGE /prefix/${ZDZ_SHARED_CMAKE_DIR} /prefix/${ZDZ_CMAKE_DIR})
math(EXPR ZDZ_PACKAGE_BITS "${CMAKE_SIZEOF_VOID_P} * 8")
configure_file(cmake/ZoDavudazArchitecture.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/ZoDavudaz-${ZDZ_PACKAGE_BITS}bit.cmake @ONLY)
# Its version file is the same bytes in every build, so that the packages of both architectures may
# install it: the package it hands over to checks the architecture.
function(zdz_write_shared_version_file file)
  unset(CMAKE_SIZEOF_VOID_P)
  write_basic_package_version_file(${file} COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
endfunction()
zdz_write_shared_version_file(${CMAKE_CURRENT_BINARY_DIR}/shared/ZoDavudazConfigVersion.cmake)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/ZoDavudaz-${ZDZ_PACKAGE_BITS}bit.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/shared/ZoDavudazConfigVersion.cmake DESTINATION ${ZDZ_SHARED_CMAKE_DIR} COMPONENT library)
install(FILES cmake/ZoDavudazArchitectureChoice.cmake DESTINATION ${ZDZ_SHARED_CMAKE_DIR}
  RENAME ZoDavudazConfig.cmake COMPONENT library)

# The file finds the prefix from its own folder, however deep the library folder is.
file(RELATIVE_PATH ZDZ_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(cmake/zodavudaz.pc.in ${CMAKE_CURRENT_BINARY_DIR}/zodavudaz.pc @ONLY)
configure_file(cmake/zodavudaz-sim.pc.in ${CMAKE_CURRENT_BINARY_DIR}/zodavudaz-sim.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zodavudaz.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
  COMPONENT library)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zodavudaz-sim.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
  COMPONENT sim)

# The README and docs/ keep their places relative to each other, so that the links between them and
# the headers' mentions of docs/... hold from the installed folder.
set(ZDZ_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/zodavudaz)
install(FILES README.md DESTINATION ${ZDZ_DOC_DIR} COMPONENT library)
install(DIRECTORY docs DESTINATION ${ZDZ_DOC_DIR} COMPONENT library FILES_MATCHING PATTERN "*.md")
