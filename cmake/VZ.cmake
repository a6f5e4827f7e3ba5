# Shared build settings and the helpers every module's CMakeLists uses.

set(VZ_WARNINGS -Wall -Wextra)

if(VZ_SANITIZE)
  add_compile_options(-fsanitize=${VZ_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=${VZ_SANITIZE})
endif()

# vz_add_library(<target> [DIR <dir>] [DEPS <targets...>] [PRIVATE_DEPS <targets...>])
# Compiles every .cpp of DIR (default: the current source dir) into one shared library.
# Headers are included as "<Module>/<Type>.hpp" from the source root.
function(vz_add_library target)
  cmake_parse_arguments(A "" "DIR;ALIAS" "DEPS;PRIVATE_DEPS;SOURCES" ${ARGN})
  if(NOT A_DIR)
    set(A_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  file(GLOB srcs CONFIGURE_DEPENDS ${A_DIR}/*.cpp)
  list(APPEND srcs ${A_SOURCES})
  if(NOT srcs)
    # A module with no code yet: headers only.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/Platform)
    target_link_libraries(${target} INTERFACE ${A_DEPS})
  else()
    add_library(${target} ${srcs})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/Platform)
    target_compile_options(${target} PRIVATE ${VZ_WARNINGS})
    target_link_libraries(${target} PUBLIC ${A_DEPS} PRIVATE ${A_PRIVATE_DEPS})
  endif()
  if(A_ALIAS)
    add_library(${A_ALIAS} ALIAS ${target})
  endif()
endfunction()

# vz_add_test(<target> [DIR <dir>] DEPS <targets...>)
# One GoogleTest binary from every .cpp of DIR, registered test by test with CTest.
function(vz_add_test target)
  cmake_parse_arguments(A "" "DIR" "DEPS;SOURCES;LABELS" ${ARGN})
  if(NOT A_DIR)
    set(A_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  file(GLOB srcs CONFIGURE_DEPENDS ${A_DIR}/*.cpp)
  list(APPEND srcs ${A_SOURCES})
  add_executable(${target} ${srcs})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/Platform ${PROJECT_SOURCE_DIR}/tests)
  target_compile_options(${target} PRIVATE ${VZ_WARNINGS})
  target_link_libraries(${target} PRIVATE ${A_DEPS} VZTestSupport GTest::gtest GTest::gmock)
  target_compile_definitions(${target} PRIVATE VZ_SOURCE_DIR="${PROJECT_SOURCE_DIR}" VZ_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    PROPERTIES LABELS "${A_LABELS}" TIMEOUT 120)
endfunction()

# vz_add_xvfb_test(<name> <test target> <gtest filter>)
# Runs the filtered tests of a test binary on a virtual X display (the real-window tests),
# requiring the display; reported as skipped where xvfb-run is not installed.
function(vz_add_xvfb_test name target filter)
  find_program(XVFB_RUN xvfb-run)
  if(XVFB_RUN)
    add_test(NAME ${name}
      COMMAND ${XVFB_RUN} -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:${target}> --gtest_filter=${filter})
    # X11's libraries keep allocations for the life of the process.
    set_tests_properties(${name} PROPERTIES TIMEOUT 120
      ENVIRONMENT "VZ_REQUIRE_DISPLAY=1;ASAN_OPTIONS=detect_leaks=0")
  else()
    add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -E echo "xvfb-run is not installed: skipped")
    set_tests_properties(${name} PROPERTIES SKIP_REGULAR_EXPRESSION "skipped")
  endif()
endfunction()
