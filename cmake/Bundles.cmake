# Lays out the product's bundles in the build tree as the platform does:
#   X.app/Contents/{Info.plist, MacOS/<exe>, Resources/, Frameworks/<libraries>,
#                   PlugIns/Y.appex/Contents/{Info.plist, MacOS/<module>.so, Resources/}}
#   Module_Module.bundle/{Info.plist, Resources/{<fonts>, fonts.txt, Assets/}}, beside its library
# Each bundle target carries its directory in the VZ_BUNDLE_DIR property and its resource
# directory in VZ_BUNDLE_RESOURCES.

set(VZ_INFO_PLIST_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/Info.plist.in)

# Font files from Debian packages that bundles may ship (fonts-dosis, fonts-play).
find_file(VZ_FONT_DOSIS_LIGHT Dosis-Light.otf PATHS /usr/share/fonts/opentype/dosis NO_DEFAULT_PATH)
find_file(VZ_FONT_DOSIS_MEDIUM Dosis-Medium.otf PATHS /usr/share/fonts/opentype/dosis NO_DEFAULT_PATH)
find_file(VZ_FONT_ROCKET Play-Bold.ttf PATHS /usr/share/fonts/truetype/play NO_DEFAULT_PATH)

# _vz_info_plist(<out file> NAME <n> IDENTIFIER <id> TYPE <APPL|XPC!|BNDL> [EXECUTABLE <file name>]
#                [DISPLAY_NAME <n>] [EXTRA <plist xml>] [TEMPLATE <file>])
function(_vz_info_plist out)
  cmake_parse_arguments(A "" "NAME;IDENTIFIER;TYPE;EXECUTABLE;DISPLAY_NAME;EXTRA;TEMPLATE" "" ${ARGN})
  if(NOT A_IDENTIFIER)
    message(FATAL_ERROR "bundle ${A_NAME}: IDENTIFIER is required")
  endif()
  set(VZ_PLIST_NAME ${A_NAME})
  set(VZ_PLIST_IDENTIFIER ${A_IDENTIFIER})
  set(VZ_PLIST_PACKAGE_TYPE ${A_TYPE})
  set(VZ_PLIST_DISPLAY_NAME ${A_NAME})
  if(A_DISPLAY_NAME)
    set(VZ_PLIST_DISPLAY_NAME ${A_DISPLAY_NAME})
  endif()
  set(VZ_PLIST_EXECUTABLE_ENTRY "")
  if(A_EXECUTABLE)
    set(VZ_PLIST_EXECUTABLE_ENTRY "\t<key>CFBundleExecutable</key>\n\t<string>${A_EXECUTABLE}</string>\n")
  endif()
  set(VZ_PLIST_EXTRA "${A_EXTRA}")
  if(NOT A_TEMPLATE)
    set(A_TEMPLATE ${VZ_INFO_PLIST_TEMPLATE})
  endif()
  configure_file(${A_TEMPLATE} ${out} @ONLY)
endfunction()

# _vz_copy_resources(<target> <destination dir> <files or directories...>) after the target builds.
function(_vz_copy_resources target dest)
  add_custom_command(TARGET ${target} POST_BUILD COMMAND ${CMAKE_COMMAND} -E make_directory ${dest} VERBATIM)
  foreach(res ${ARGN})
    if(IS_DIRECTORY ${res})
      get_filename_component(leaf ${res} NAME)
      add_custom_command(TARGET ${target} POST_BUILD COMMAND ${CMAKE_COMMAND} -E copy_directory ${res} ${dest}/${leaf} VERBATIM)
    else()
      add_custom_command(TARGET ${target} POST_BUILD COMMAND ${CMAKE_COMMAND} -E copy_if_different ${res} ${dest} VERBATIM)
    endif()
  endforeach()
endfunction()

# _vz_code_bundle(<target> <bundle dir> <output directory property> <package type> <executable file> [<extra dirs>...])
# The layout apps and extensions share: <dir>/Contents/{Info.plist, MacOS/<executable>, Resources/}.
# Reads the caller's parsed A_NAME, A_IDENTIFIER, A_DISPLAY_NAME, A_INFO_EXTRA, A_INFO_PLIST, A_RESOURCES.
function(_vz_code_bundle target dir output_property type executable)
  set_target_properties(${target} PROPERTIES
    ${output_property} ${dir}/Contents/MacOS
    VZ_BUNDLE_DIR ${dir}
    VZ_BUNDLE_RESOURCES ${dir}/Contents/Resources)
  get_filename_component(leaf ${dir} NAME)
  set(plist ${CMAKE_CURRENT_BINARY_DIR}/${leaf}.Info.plist)
  _vz_info_plist(${plist} NAME ${A_NAME} IDENTIFIER ${A_IDENTIFIER} TYPE ${type} EXECUTABLE ${executable}
    DISPLAY_NAME "${A_DISPLAY_NAME}" EXTRA "${A_INFO_EXTRA}" TEMPLATE "${A_INFO_PLIST}")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}/Contents/Resources ${ARGN}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${plist} ${dir}/Contents/Info.plist
    VERBATIM)
  _vz_copy_resources(${target} ${dir}/Contents/Resources ${A_RESOURCES})
endfunction()

function(_vz_output_name target var)
  get_target_property(out ${target} OUTPUT_NAME)
  if(NOT out)
    set(out ${target})
  endif()
  set(${var} ${out} PARENT_SCOPE)
endfunction()

# vz_add_app_bundle(<executable target> IDENTIFIER <id> [NAME <n>] [DISPLAY_NAME <n>]
#                   [DESTINATION <dir>] [INFO_PLIST <template>] [INFO_EXTRA <plist xml>] [RESOURCES <files...>])
# Builds the executable into <dir>/<n>.app/Contents/MacOS/ (dir: the current binary dir;
# n: the target's name) beside a generated Info.plist and the copied resources.
function(vz_add_app_bundle target)
  cmake_parse_arguments(A "" "NAME;IDENTIFIER;DISPLAY_NAME;DESTINATION;INFO_PLIST;INFO_EXTRA" "RESOURCES" ${ARGN})
  if(NOT A_NAME)
    set(A_NAME ${target})
  endif()
  if(NOT A_DESTINATION)
    set(A_DESTINATION ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  set(dir ${A_DESTINATION}/${A_NAME}.app)
  _vz_output_name(${target} exe)
  _vz_code_bundle(${target} ${dir} RUNTIME_OUTPUT_DIRECTORY APPL ${exe} ${dir}/Contents/PlugIns)
endfunction()

# vz_add_appex_bundle(<module target> IDENTIFIER <id> [APP <app target> | DESTINATION <dir>] [NAME <n>]
#                     [DISPLAY_NAME <n>] [INFO_PLIST <template>] [INFO_EXTRA <plist xml>] [RESOURCES <files...>])
# Builds a loadable module as <n>.appex/Contents/MacOS/<target>.so, inside the app's
# Contents/PlugIns/ when APP is given.
function(vz_add_appex_bundle target)
  cmake_parse_arguments(A "" "APP;NAME;IDENTIFIER;DISPLAY_NAME;DESTINATION;INFO_PLIST;INFO_EXTRA" "RESOURCES" ${ARGN})
  if(NOT A_NAME)
    set(A_NAME ${target})
  endif()
  if(A_APP)
    get_target_property(app_dir ${A_APP} VZ_BUNDLE_DIR)
    if(NOT app_dir)
      message(FATAL_ERROR "vz_add_appex_bundle(${target}): ${A_APP} is not an app bundle target")
    endif()
    set(A_DESTINATION ${app_dir}/Contents/PlugIns)
    add_dependencies(${A_APP} ${target})
  elseif(NOT A_DESTINATION)
    set(A_DESTINATION ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  set_target_properties(${target} PROPERTIES PREFIX "")
  _vz_output_name(${target} base)
  _vz_code_bundle(${target} ${A_DESTINATION}/${A_NAME}.appex LIBRARY_OUTPUT_DIRECTORY XPC! ${base}${CMAKE_SHARED_MODULE_SUFFIX})
endfunction()

# vz_add_resource_bundle(<name> IDENTIFIER <id> [OWNER <library target>] [DESTINATION <dir>]
#                        [FONTS <PostScriptName>=<file>...] [RESOURCES <files...>])
# A target <name>_bundle that lays out <dir>/<name>.bundle/{Info.plist, Resources/} (dir: where
# the owner's library is built, else the current binary dir), copies the fonts into Resources/
# and lists them in Resources/fonts.txt for registration under their PostScript names. The
# owner library depends on it. A missing font file is left out with a warning.
function(vz_add_resource_bundle name)
  cmake_parse_arguments(A "" "OWNER;IDENTIFIER;DESTINATION" "FONTS;RESOURCES" ${ARGN})
  if(NOT A_DESTINATION AND A_OWNER)
    # Wherever the library ends up (a bundle's Frameworks/): its code looks for it beside itself.
    set(A_DESTINATION $<TARGET_FILE_DIR:${A_OWNER}>)
  elseif(NOT A_DESTINATION)
    set(A_DESTINATION ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  set(dir ${A_DESTINATION}/${name}.bundle)
  _vz_info_plist(${CMAKE_CURRENT_BINARY_DIR}/${name}.bundle.Info.plist NAME ${name} IDENTIFIER ${A_IDENTIFIER} TYPE BNDL)
  set(fonts_txt "")
  set(commands
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}/Resources/Assets
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_CURRENT_BINARY_DIR}/${name}.bundle.Info.plist ${dir}/Info.plist)
  foreach(font ${A_FONTS})
    string(FIND "${font}" "=" eq)
    if(eq LESS 1)
      message(FATAL_ERROR "vz_add_resource_bundle(${name}): FONTS entries are <PostScriptName>=<file>, got \"${font}\"")
    endif()
    string(SUBSTRING "${font}" 0 ${eq} ps)
    math(EXPR from "${eq} + 1")
    string(SUBSTRING "${font}" ${from} -1 file)
    if(NOT file OR NOT EXISTS "${file}")
      message(WARNING "${name}: font file for \"${ps}\" not found (\"${file}\"); text falls back to DejaVu Sans")
      continue()
    endif()
    get_filename_component(ext ${file} EXT)
    string(APPEND fonts_txt "${ps} ${ps}${ext}\n")
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${dir}/Resources/${ps}${ext})
  endforeach()
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${name}.bundle.fonts.txt "${fonts_txt}")
  list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_CURRENT_BINARY_DIR}/${name}.bundle.fonts.txt ${dir}/Resources/fonts.txt)
  foreach(res ${A_RESOURCES})
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy_if_different ${res} ${dir}/Resources/)
  endforeach()
  add_custom_target(${name}_bundle ALL ${commands} VERBATIM)
  set_target_properties(${name}_bundle PROPERTIES VZ_BUNDLE_DIR ${dir} VZ_BUNDLE_RESOURCES ${dir}/Resources)
  if(A_OWNER)
    add_dependencies(${A_OWNER} ${name}_bundle)
  endif()
endfunction()

# vz_bundle_frameworks(<app target> [<module targets>...])
# Builds every shared library of the project that the app or the modules load, directly or
# through other libraries, into the app's Contents/Frameworks/ (those already built inside the
# app stay where they are), and gives each of them, the app and the modules run paths relative
# to themselves: the bundle carries its libraries and a copy of it anywhere loads nothing from
# outside it. Libraries outside the project (the system's) are not copied.
function(vz_bundle_frameworks app)
  get_target_property(app_dir ${app} VZ_BUNDLE_DIR)
  if(NOT app_dir)
    message(FATAL_ERROR "vz_bundle_frameworks(${app}): not an app bundle target")
  endif()
  set(frameworks ${app_dir}/Contents/Frameworks)
  set(seen "")
  set(pending ${app} ${ARGN})
  while(pending)
    list(POP_FRONT pending t)
    if(NOT TARGET ${t})
      continue()  # a system library by name (dl, pthread)
    endif()
    get_target_property(aliased ${t} ALIASED_TARGET)
    if(aliased)
      set(t ${aliased})
    endif()
    get_target_property(imported ${t} IMPORTED)
    if(imported OR t IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${t})
    get_target_property(type ${t} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(deps ${t} INTERFACE_LINK_LIBRARIES)
    else()
      get_target_property(deps ${t} LINK_LIBRARIES)
      set_target_properties(${t} PROPERTIES BUILD_RPATH_USE_ORIGIN ON)
    endif()
    if(type STREQUAL "SHARED_LIBRARY")
      get_target_property(placed ${t} LIBRARY_OUTPUT_DIRECTORY)
      string(FIND "${placed}/" "${app_dir}/" inside)
      if(NOT inside EQUAL 0)
        set_target_properties(${t} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${frameworks})
      endif()
    endif()
    if(deps)
      list(APPEND pending ${deps})
    endif()
  endwhile()
endfunction()

# vz_embed_bundles(<app target> <bundle targets...>)
# Copies finished resource bundles into the app's Contents/Resources/ (where the platform's
# package manager puts a program's library bundles).
function(vz_embed_bundles app)
  get_target_property(app_res ${app} VZ_BUNDLE_RESOURCES)
  foreach(b ${ARGN})
    get_target_property(src ${b} VZ_BUNDLE_DIR)
    get_filename_component(leaf ${src} NAME)
    add_custom_target(${app}_embed_${b} ALL
      COMMAND ${CMAKE_COMMAND} -E copy_directory ${src} ${app_res}/${leaf} VERBATIM)
    add_dependencies(${app}_embed_${b} ${b} ${app})
  endforeach()
endfunction()

# vz_add_artwork(<bundle target> <art sources...>)
# Builds a program from the art sources (each draws named images and lists colours, see
# tools/artwork/Artwork.hpp) and runs it at build time to write the bundle's Assets/ (1x and
# 2x PNG files, colors.txt, templates.txt).
function(vz_add_artwork bundle)
  get_target_property(res ${bundle} VZ_BUNDLE_RESOURCES)
  if(NOT res)
    message(FATAL_ERROR "vz_add_artwork(${bundle}): not a bundle target")
  endif()
  set(tool ${bundle}_artwork)
  add_executable(${tool} ${PROJECT_SOURCE_DIR}/tools/artwork/ArtworkMain.cpp ${ARGN})
  target_link_libraries(${tool} PRIVATE VZArtwork)
  target_compile_options(${tool} PRIVATE ${VZ_WARNINGS})
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${bundle}.artwork.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:${tool}> ${res}/Assets
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${tool}
    COMMENT "Drawing the artwork of ${bundle}"
    VERBATIM)
  add_custom_target(${bundle}_art DEPENDS ${stamp})
  add_dependencies(${bundle} ${bundle}_art)
endfunction()
