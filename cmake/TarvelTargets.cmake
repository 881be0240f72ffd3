# Warnings are set per target so that only our own code is held to them.
function(tarvel_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
endfunction()

# tarvel_add_library(<name> SOURCES ... [DEPS ...]) makes tarvel_<name> with the alias tarvel::<name>.
function(tarvel_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(tarvel_${name} STATIC ${ARG_SOURCES})
  add_library(tarvel::${name} ALIAS tarvel_${name})
  target_include_directories(tarvel_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(tarvel_${name} PUBLIC ${ARG_DEPS})
  tarvel_set_warnings(tarvel_${name})
endfunction()

# tarvel_add_test(<name> SOURCES ... [DEPS ...] [LABELS ...] [WHOLE_PROGRAM]) builds one GoogleTest
# program and registers its cases with CTest. WHOLE_PROGRAM registers the program as one CTest test
# instead, for programs whose fixture (a PostgreSQL cluster) is worth starting only once.
function(tarvel_add_test name)
  cmake_parse_arguments(ARG "WHOLE_PROGRAM" "TIMEOUT" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  tarvel_set_warnings(${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 600)
  endif()
  set(properties TIMEOUT ${ARG_TIMEOUT})
  if(ARG_LABELS)
    list(APPEND properties LABELS "${ARG_LABELS}")
  endif()
  if(ARG_WHOLE_PROGRAM)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ${properties})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
  endif()
endfunction()
