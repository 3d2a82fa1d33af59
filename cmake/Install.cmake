# Installs the libraries, their headers, the zdz tool, a CMake package and a pkg-config file.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(ZDZ_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/zodavudaz)
foreach(folder IN LISTS LIBRARY_FOLDERS)
  file(GLOB folderHeaders CONFIGURE_DEPENDS ${folder}/*.h)
  install(FILES ${folderHeaders} DESTINATION ${ZDZ_INCLUDE_DIR}/${folder})
endforeach()

# Applications of the i386 library build 32-bit like it; the build tree sets that globally.
set(ZDZ_ARCH_FLAGS "")
if(ZDZ_ARCH STREQUAL "i386")
  set(ZDZ_ARCH_FLAGS -m32)
  target_compile_options(zodavudaz INTERFACE $<INSTALL_INTERFACE:-m32>)
  target_link_options(zodavudaz INTERFACE $<INSTALL_INTERFACE:-m32>)
endif()
# What the package tells an application of the other architecture.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(ZDZ_PACKAGE_ARCH "i386 (32-bit)")
else()
  set(ZDZ_PACKAGE_ARCH "${CMAKE_SYSTEM_PROCESSOR} (64-bit)")
endif()

set(ZDZ_INSTALLED_TARGETS zodavudaz)
if(TARGET zodavudaz-sim)
  list(APPEND ZDZ_INSTALLED_TARGETS zodavudaz-sim)
endif()
install(TARGETS ${ZDZ_INSTALLED_TARGETS} EXPORT ZoDavudazTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
if(TARGET zdz)
  install(TARGETS zdz RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

set(ZDZ_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/ZoDavudaz)
install(EXPORT ZoDavudazTargets NAMESPACE ZoDavudaz:: DESTINATION ${ZDZ_CMAKE_DIR})
configure_package_config_file(cmake/ZoDavudazConfig.cmake.in ${CMAKE_CURRENT_BINARY_DIR}/ZoDavudazConfig.cmake
  INSTALL_DESTINATION ${ZDZ_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/ZoDavudazConfigVersion.cmake
  COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/ZoDavudazConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/ZoDavudazConfigVersion.cmake
  DESTINATION ${ZDZ_CMAKE_DIR})

# The file finds the prefix from its own folder, however deep the library folder is.
file(RELATIVE_PATH ZDZ_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(cmake/zodavudaz.pc.in ${CMAKE_CURRENT_BINARY_DIR}/zodavudaz.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zodavudaz.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
