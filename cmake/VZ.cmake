# Shared build settings and the helpers every module's CMakeLists uses.

set(VZ_WARNINGS -Wall -Wextra
  # At -O3 GCC 12 inlines "text" + std::string and reports its own copy as overlapping
  # (a false report, fixed in GCC 13); the other configurations keep the check.
  "$<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>,$<CONFIG:Release>>:-Wno-restrict>")

# Seconds a test may run before CTest stops it and fails it; the sanitizers slow code down
# several times over.
set(VZ_TEST_TIMEOUT 120)
if(VZ_SANITIZE)
  set(VZ_TEST_TIMEOUT 480)
endif()

if(VZ_SANITIZE)
  add_compile_options(-fsanitize=${VZ_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=${VZ_SANITIZE})
endif()

# Include layering: a target sees its own module folder and those of the targets it links, and
# nothing else, so an include of an undeclared module fails to build. Each folder is exposed
# through a directory of the build tree (include/<target>/) holding one link to it, named as the
# code spells it: the folder's path below Platform/, tests/ or the source root
# ("AppKit/NSView.hpp", "Pellicot/AudioParameter.hpp", "Vantrel_Zellow_Extension/Engine/Settings.hpp").
# vz_add_library, vz_add_executable and vz_add_test do this; other targets call
# vz_module_include(<target> <dir> PUBLIC|PRIVATE|INTERFACE).
function(vz_module_include target dir scope)
  file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${dir})
  string(REGEX REPLACE "^(Platform|tests)/" "" name "${rel}")
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  get_filename_component(parent ${root}/${name} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${dir} ${root}/${name} SYMBOLIC)
  target_include_directories(${target} ${scope} ${root})
  set_property(TARGET ${target} PROPERTY VZ_MODULE_DIR ${rel})
  set_property(GLOBAL APPEND PROPERTY VZ_MODULE_TARGETS ${target})
endfunction()

# The platform never knows the product: a target under Platform/ may link only platform targets
# and outside libraries. Checked once every target exists.
function(_vz_check_layering)
  get_property(targets GLOBAL PROPERTY VZ_MODULE_TARGETS)
  foreach(t ${targets})
    get_target_property(dir ${t} VZ_MODULE_DIR)
    get_target_property(exempt ${t} VZ_LAYERING_EXEMPT)
    if(NOT dir MATCHES "^Platform/" OR exempt)
      continue()
    endif()
    get_target_property(deps ${t} LINK_LIBRARIES)
    get_target_property(interface_deps ${t} INTERFACE_LINK_LIBRARIES)
    foreach(dep ${deps} ${interface_deps})
      if(NOT TARGET ${dep})
        continue()
      endif()
      get_target_property(aliased ${dep} ALIASED_TARGET)
      if(aliased)
        set(dep ${aliased})
      endif()
      get_target_property(dep_dir ${dep} VZ_MODULE_DIR)
      if(dep_dir AND NOT dep_dir MATCHES "^(Platform|tests|tools)/")
        message(SEND_ERROR "${t} (${dir}) links ${dep} (${dep_dir}): code under Platform/ may not depend on the product")
      endif()
    endforeach()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL _vz_check_layering)

# vz_add_library(<target> [DIR <dir>] [ALIAS <name>] [DEPS <targets...>] [PRIVATE_DEPS <targets...>]
#                [SOURCES <files...>])
# Compiles every .cpp of DIR (default: the current source dir) into one shared library whose
# headers are included as "<Module>/<Type>.hpp" (see the layering above). DEPS are part of its
# interface (their headers reach its users); PRIVATE_DEPS only its own sources see.
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
    vz_module_include(${target} ${A_DIR} INTERFACE)
    target_link_libraries(${target} INTERFACE ${A_DEPS})
  else()
    add_library(${target} ${srcs})
    vz_module_include(${target} ${A_DIR} PUBLIC)
    target_compile_options(${target} PRIVATE ${VZ_WARNINGS})
    target_link_libraries(${target} PUBLIC ${A_DEPS} PRIVATE ${A_PRIVATE_DEPS})
  endif()
  if(A_ALIAS)
    add_library(${A_ALIAS} ALIAS ${target})
  endif()
endfunction()

# vz_add_executable(<target> [DIR <dir>] [SOURCES <files...>] [DEPS <targets...>])
# A program from SOURCES, or else from every .cpp of DIR (default: the current source dir),
# layered as a library is.
function(vz_add_executable target)
  cmake_parse_arguments(A "" "DIR" "DEPS;SOURCES" ${ARGN})
  if(NOT A_DIR)
    set(A_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  set(srcs ${A_SOURCES})
  if(NOT srcs)
    file(GLOB srcs CONFIGURE_DEPENDS ${A_DIR}/*.cpp)
  endif()
  add_executable(${target} ${srcs})
  vz_module_include(${target} ${A_DIR} PRIVATE)
  target_compile_options(${target} PRIVATE ${VZ_WARNINGS})
  target_link_libraries(${target} PRIVATE ${A_DEPS})
endfunction()

# Headers nearly every test file includes, parsed once per test binary instead of once per file:
# over half of a clean build is compiling tests, mostly the same library headers again.
set(VZ_TEST_PRECOMPILED_HEADERS
  <gtest/gtest.h> <algorithm> <atomic> <cmath> <cstdint> <filesystem> <fstream> <functional> <map>
  <memory> <sstream> <string> <thread> <vector>)

function(_vz_test_precompiled_headers target)
  target_precompile_headers(${target} PRIVATE ${VZ_TEST_PRECOMPILED_HEADERS})
  # With the header precompiled, GCC 12 inlines std::string's concatenation differently and
  # reports its known false out-of-bounds copy and overflow (fixed in GCC 13).
  target_compile_options(${target} PRIVATE
    "$<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-array-bounds;-Wno-stringop-overflow;-Wno-stringop-overread>")
  # ccache caches nothing compiled with a precompiled header unless told the header's macros
  # and time stamps are safe to ignore.
  if(CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache")
    set_property(TARGET ${target} PROPERTY CXX_COMPILER_LAUNCHER
      ${CMAKE_COMMAND} -E env CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
      ${CMAKE_CXX_COMPILER_LAUNCHER})
  endif()
endfunction()

# vz_add_test(<target> [DIR <dir>] DEPS <targets...> [SOURCES <files...>] [LABELS <label>])
# One GoogleTest binary from every .cpp of DIR, registered test by test with CTest. Its own
# folder is included as "<Folder>/<File>.hpp"; TestSupport comes with every test binary. Every
# test gets a time limit, so a hang fails the run instead of stalling it.
function(vz_add_test target)
  cmake_parse_arguments(A "" "DIR" "DEPS;SOURCES;LABELS" ${ARGN})
  if(NOT A_DIR)
    set(A_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  file(GLOB srcs CONFIGURE_DEPENDS ${A_DIR}/*.cpp)
  list(APPEND srcs ${A_SOURCES})
  add_executable(${target} ${srcs})
  vz_module_include(${target} ${A_DIR} PRIVATE)
  target_compile_options(${target} PRIVATE ${VZ_WARNINGS})
  target_link_libraries(${target} PRIVATE ${A_DEPS} VZTestSupport GTest::gtest GTest::gmock)
  target_compile_definitions(${target} PRIVATE VZ_SOURCE_DIR="${PROJECT_SOURCE_DIR}" VZ_BINARY_DIR="${PROJECT_BINARY_DIR}")
  _vz_test_precompiled_headers(${target})
  set(properties TIMEOUT ${VZ_TEST_TIMEOUT})
  if(A_LABELS)
    # The discovered tests' properties pass through GoogleTest's scripts as a flat list, where
    # a list value cannot survive.
    list(LENGTH A_LABELS count)
    if(count GREATER 1)
      message(FATAL_ERROR "vz_add_test(${target}): one label at most, got \"${A_LABELS}\"")
    endif()
    list(APPEND properties LABELS ${A_LABELS})
  endif()
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    PROPERTIES ${properties})
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
    set_tests_properties(${name} PROPERTIES TIMEOUT ${VZ_TEST_TIMEOUT}
      ENVIRONMENT "VZ_REQUIRE_DISPLAY=1;ASAN_OPTIONS=detect_leaks=0")
  else()
    add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -E echo "xvfb-run is not installed: skipped")
    set_tests_properties(${name} PROPERTIES TIMEOUT ${VZ_TEST_TIMEOUT} SKIP_REGULAR_EXPRESSION "skipped")
  endif()
endfunction()
