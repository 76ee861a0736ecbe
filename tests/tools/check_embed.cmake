# Installs the core of the build at BUILD_DIR into a scratch prefix, builds
# the embedding example at EXAMPLE_DIR against it through find_package(tesu),
# runs it, and compares its element count with the one tesu-batch (BATCH)
# reports for the same square. Run with cmake -P; WORK_DIR is emptied first.
foreach(var BUILD_DIR EXAMPLE_DIR WORK_DIR BATCH GENERATOR CXX)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "check_embed.cmake needs -D${var}=...")
  endif()
endforeach()

# Runs a command; on failure, stops with what it printed.
function(step)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN}\nfailed (${status}):\n${out}")
  endif()
endfunction()

set(prefix ${WORK_DIR}/prefix)
set(build ${WORK_DIR}/build)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

step(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --component development)
# Only the public headers, under include/tesu; the core's internals stay
# private to its build.
file(GLOB_RECURSE installed RELATIVE ${prefix}/include ${prefix}/include/*)
list(SORT installed)
set(public
  tesu/engine/error.h tesu/engine/point.h tesu/input/domain.h tesu/output/finished_mesh.h
  tesu/refine/quality_options.h tesu/run/mesh_api.h tesu/run/run_observer.h tesu/tesu.h tesu/version.h)
if(NOT installed STREQUAL public)
  message(FATAL_ERROR "installed headers:\n${installed}\nexpected only:\n${public}")
endif()
set(make_program)
if(MAKE_PROGRAM)
  set(make_program -DCMAKE_MAKE_PROGRAM=${MAKE_PROGRAM})
endif()
step(${CMAKE_COMMAND} -S ${EXAMPLE_DIR} -B ${build} -G ${GENERATOR} ${make_program}
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_PREFIX_PATH=${prefix})
# The package must have come from the scratch prefix, not from an install
# elsewhere on the machine.
file(STRINGS ${build}/CMakeCache.txt found REGEX "^tesu_DIR:")
string(FIND "${found}" "tesu_DIR:PATH=${prefix}/" at)
if(NOT at EQUAL 0)
  message(FATAL_ERROR "find_package(tesu) did not use ${prefix}: ${found}")
endif()
step(${CMAKE_COMMAND} --build ${build} -j 2)

execute_process(COMMAND ${build}/embed RESULT_VARIABLE status OUTPUT_VARIABLE embedded ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT embedded MATCHES "^elements: ([1-9][0-9]*)\n$")
  message(FATAL_ERROR "the example ended with ${status}, printing '${embedded}'\n${errors}")
endif()
set(embedded_count ${CMAKE_MATCH_1})

# The figure of embed.cpp, as a data file.
file(WRITE ${WORK_DIR}/square.DAT "0 0\n10 0\n10 10\n0 10\n0 0\nb = 1\ns = 2\n")
execute_process(COMMAND ${BATCH} --stats ${WORK_DIR}/square.DAT
  RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT report MATCHES "\nelements: ([0-9]+)\n")
  message(FATAL_ERROR "tesu-batch --stats ended with ${status}, printing:\n${report}\n${errors}")
endif()
if(NOT embedded_count EQUAL CMAKE_MATCH_1)
  message(FATAL_ERROR "the example meshed ${embedded_count} elements, tesu-batch ${CMAKE_MATCH_1}")
endif()
message(STATUS "the installed core meshed the square into ${embedded_count} elements, as tesu-batch does")
