# Installed as share/cmake/ZoDavudaz/ZoDavudazConfig.cmake, the same file from every build. An
# application reaches it where CMake searches no lib/<multiarch> folder of its architecture (a -m32
# application on a machine without i386 multiarch), or finds none there. It hands over to the
# package of the application's pointer size, which each build names in ZoDavudaz-<BITS>bit.cmake
# beside this file, or says which architectures the prefix holds.
math(EXPR zdzAppBits "${CMAKE_SIZEOF_VOID_P} * 8")
if(EXISTS "${CMAKE_CURRENT_LIST_DIR}/ZoDavudaz-${zdzAppBits}bit.cmake")
  include("${CMAKE_CURRENT_LIST_DIR}/ZoDavudaz-${zdzAppBits}bit.cmake")
  include("${zdzPackageDir}/ZoDavudazConfig.cmake")
  return()
endif()

file(GLOB zdzArchitectureFiles "${CMAKE_CURRENT_LIST_DIR}/ZoDavudaz-*bit.cmake")
set(zdzArchitectures)
foreach(zdzArchitectureFile IN LISTS zdzArchitectureFiles)
  include("${zdzArchitectureFile}")
  list(APPEND zdzArchitectures "${zdzPackageArch}")
endforeach()
list(JOIN zdzArchitectures " and " zdzArchitectures)
get_filename_component(zdzPrefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
if(zdzAppBits EQUAL 32)
  set(zdzRemedy "install the i386 build there (cmake -DZDZ_ARCH=i386), or build the application 64-bit")
else()
  string(CONCAT zdzRemedy "install the native build there, or build the application 32-bit (-m32 in "
    "CMAKE_C_FLAGS and CMAKE_CXX_FLAGS before project())")
endif()
set(ZoDavudaz_FOUND FALSE)
string(CONCAT ZoDavudaz_NOT_FOUND_MESSAGE "the ZoDavudaz library in ${zdzPrefix} is built for "
  "${zdzArchitectures}, but the application builds ${zdzAppBits}-bit: ${zdzRemedy}")
