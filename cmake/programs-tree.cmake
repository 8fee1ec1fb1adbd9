# JreSelect.exe and JreSelectCli.exe built by a tree of their own under this one
# (build/programs), with the toolchain JRESELECT_PROGRAMS_TOOLCHAIN and the same options as
# the release, into this tree's bin. Here they are imported programs: tests and benchmarks
# use them by target name as if they were built here.
include(ExternalProject)
ExternalProject_Add(jreselect_programs
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/programs
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${JRESELECT_PROGRAMS_TOOLCHAIN}
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
    -DJRESELECT_PROGRAMS_ONLY=ON
    -DBUILD_TESTING=OFF
    -DJRESELECT_BIN_DIR=${JRESELECT_BIN_DIR}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${JRESELECT_BIN_DIR}/JreSelect.exe ${JRESELECT_BIN_DIR}/JreSelectCli.exe)

foreach(program JreSelect JreSelectCli)
  add_executable(${program} IMPORTED GLOBAL)
  set_target_properties(${program} PROPERTIES IMPORTED_LOCATION ${JRESELECT_BIN_DIR}/${program}.exe)
  add_dependencies(${program} jreselect_programs)
endforeach()
