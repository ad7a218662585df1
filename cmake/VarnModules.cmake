# add_vessel_module(<deliverable> SOURCES <files...> [DEFINITIONS <defs...>])
# Builds the deliverable as a shared library "<deliverable>.so" in the modules folder, with the
# vessel module frame linked in and the host interface library as its only dependency.
function(add_vessel_module name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEFINITIONS;LIBRARIES" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE varn_frame ${ARG_LIBRARIES})
  target_compile_definitions(${name} PRIVATE ${ARG_DEFINITIONS})
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY ${VARN_MODULES_DIR}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_link_options(${name} PRIVATE -Wl,--no-undefined)
endfunction()

# add_varn_tests(<name> SOURCES <files...> [LIBRARIES <libs...>])
# One GoogleTest program per subsystem, registered with CTest. Tests that load module
# libraries find them through VARN_MODULES_DIR and VARN_CONFIG_DIR.
function(add_varn_tests name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE varn_testkit ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "VARN_MODULES_DIR=${VARN_MODULES_DIR};VARN_CONFIG_DIR=${VARN_CONFIG_DIR};VARN_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
