# GoogleTest: the installed package where there is one; otherwise (a cross
# build for Windows, a machine without the package) built here from its
# sources, by default Debian's copy from the googletest package.
find_package(GTest QUIET)
if(NOT GTest_FOUND)
  set(TEVRAL_GOOGLETEST_SOURCE_DIR /usr/src/googletest
      CACHE PATH "GoogleTest sources to build when no installed GoogleTest is found")
  if(NOT EXISTS ${TEVRAL_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest: install it, or set TEVRAL_GOOGLETEST_SOURCE_DIR to its sources")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)  # MSVC: the same runtime as ours
  add_subdirectory(${TEVRAL_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(target gtest gtest_main gmock gmock_main)
    # Its own code is not held to our warning flags.
    target_compile_options(${target} PRIVATE $<IF:$<CXX_COMPILER_ID:MSVC>,/w,-w>)
    if(NOT TARGET GTest::${target})
      add_library(GTest::${target} ALIAS ${target})
    endif()
  endforeach()
endif()
