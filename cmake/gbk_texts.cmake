# The game's texts are written in UTF-8 in the sources and held as GBK bytes
# by the program, by one mechanism for every build (GCC, mingw-w64, clang for
# fuzzing, Emscripten): every target compiles, in place of each of its
# sources whose literals hold characters beyond ASCII, a copy in
# <build>/gbk/ with those characters written as escapes of their GBK bytes
# from the host's iconv (cmake/gbk_texts.py). A copy is remade when its source
# changes; every other source is compiled by the compiler alone.
#
# Which sources hold texts is found here, not listed: at the end of the top
# folder's CMakeLists.txt, once every target exists, the sources of every
# target of the project are read (one Python run), and those holding texts
# are swapped for their copies. Between two runs of CMake the target
# bramble_texts keeps watch: before anything is compiled, and only when a
# source or header changed, it fails on a header that holds a text (headers
# hold none, so that the copies reach every text) and on a source compiled
# as it is that gained one, saying which; the next build then runs CMake
# again, which gives that source its copy.

set(BRAMBLE_GBK_TEXTS ${CMAKE_CURRENT_LIST_DIR}/gbk_texts.py)
set(BRAMBLE_GBK_DIR ${CMAKE_BINARY_DIR}/gbk)
# The headers the check reads; a new one runs CMake again.
file(GLOB_RECURSE BRAMBLE_GBK_HEADERS CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/src/*.h ${PROJECT_SOURCE_DIR}/tests/*.h
     ${PROJECT_SOURCE_DIR}/fuzz/*.h ${PROJECT_SOURCE_DIR}/bench/*.h)

# The targets of DIR and of the folders below it.
function(_bramble_gbk_targets dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir ${subdirs})
    _bramble_gbk_targets(${subdir} below)
    list(APPEND targets ${below})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# A source's properties that its copy must carry too (set in the target's
# folder, as the source's are).
set(_bramble_gbk_source_properties COMPILE_DEFINITIONS COMPILE_FLAGS COMPILE_OPTIONS
    INCLUDE_DIRECTORIES OBJECT_DEPENDS SKIP_PRECOMPILE_HEADERS)

# The path of a target's source entry SOURCE (as it stands in the target's
# SOURCES, relative to DIR) in OUT, or nothing when it is no C++ source of the
# project's own: GoogleTest's sources and those the build makes hold none of
# the game's texts. An entry with a generator expression is kept as it is.
function(_bramble_gbk_path dir source out)
  set(${out} "" PARENT_SCOPE)
  if(source MATCHES "^\\$<TARGET_OBJECTS:" OR NOT source MATCHES "[.](cpp|cc|cxx)(>|$)")
    return()
  endif()
  set(path ${source})
  if(NOT source MATCHES "^\\$<" AND NOT IS_ABSOLUTE ${source})
    set(path ${dir}/${source})
  endif()
  cmake_path(IS_PREFIX CMAKE_BINARY_DIR "${path}" NORMALIZE generated)
  cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${path}" NORMALIZE ours)
  if(NOT generated AND (ours OR source MATCHES "^\\$<"))
    set(${out} ${path} PARENT_SCOPE)
  endif()
endfunction()

function(_bramble_gbk_texts)
  _bramble_gbk_targets(${PROJECT_SOURCE_DIR} all_targets)
  set(targets)      # the targets that compile a source of the project
  set(candidates)   # their sources' paths, but those in generator expressions
  set(watched ${BRAMBLE_GBK_HEADERS})  # what the check depends on
  set(listing)      # what it reads (cmake/gbk_texts.py check)
  foreach(header ${BRAMBLE_GBK_HEADERS})
    string(APPEND listing "header ${header}\n")
  endforeach()
  foreach(target ${all_targets})
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      continue()
    endif()
    get_target_property(sources ${target} SOURCES)
    get_target_property(dir ${target} SOURCE_DIR)
    set(ours FALSE)
    foreach(source ${sources})
      _bramble_gbk_path(${dir} ${source} path)
      if(NOT path)
        continue()
      endif()
      set(ours TRUE)
      list(APPEND watched ${path})
      if(source MATCHES "\\$<")
        string(APPEND listing "expression ${path}\n")
      else()
        list(APPEND candidates ${path})
      endif()
    endforeach()
    if(ours)
      list(APPEND targets ${target})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES candidates)
  list(REMOVE_DUPLICATES watched)

  # Which of them hold texts: one Python run for all.
  execute_process(COMMAND ${Python3_EXECUTABLE} -S ${BRAMBLE_GBK_TEXTS} scan ${candidates}
                  OUTPUT_VARIABLE with_texts RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cmake/gbk_texts.py could not read the sources")
  endif()
  string(REGEX REPLACE "\n$" "" with_texts "${with_texts}")
  string(REPLACE "\n" ";" with_texts "${with_texts}")

  set(copies)
  foreach(path ${with_texts})
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${path})
    set(copy ${BRAMBLE_GBK_DIR}/${relative})
    set(_bramble_gbk_copy_${path} ${copy})
    add_custom_command(OUTPUT ${copy}
      COMMAND ${Python3_EXECUTABLE} -S ${BRAMBLE_GBK_TEXTS} copy ${path} ${copy}
      DEPENDS ${path} ${BRAMBLE_GBK_TEXTS} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/host_iconv.py
      COMMENT "Writing the texts of ${relative} in GBK"
      VERBATIM)
    list(APPEND copies ${copy})
  endforeach()
  foreach(path ${candidates})
    if(NOT DEFINED _bramble_gbk_copy_${path})
      string(APPEND listing "direct ${path}\n")
    endif()
  endforeach()
  if(with_texts)
    list(REMOVE_ITEM watched ${with_texts})
  endif()

  # The check: its stamp is remade when a source or header it reads changed
  # (or the listing did: a source came or went), never on a build where
  # nothing did. When it finds a source that gained a text it touches
  # `rescan`, on which CMake depends, so the next build runs CMake again.
  set(stamp ${BRAMBLE_GBK_DIR}/checked.stamp)
  set(listing_file ${BRAMBLE_GBK_DIR}/checked.txt)
  set(rescan ${BRAMBLE_GBK_DIR}/rescan)
  file(GENERATE OUTPUT ${listing_file} CONTENT "${listing}")
  if(NOT EXISTS ${rescan})
    file(WRITE ${rescan} "")
  endif()
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${rescan})
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${Python3_EXECUTABLE} -S ${BRAMBLE_GBK_TEXTS} check ${stamp} ${listing_file} ${rescan}
    DEPENDS ${watched} ${listing_file} ${BRAMBLE_GBK_TEXTS}
    COMMENT "Checking that every text beyond ASCII is turned into GBK"
    VERBATIM)
  add_custom_target(bramble_texts DEPENDS ${stamp} ${copies})

  # Each target compiles the copies in place of their sources, and only
  # after bramble_texts.
  foreach(target ${targets})
    add_dependencies(${target} bramble_texts)
    get_target_property(sources ${target} SOURCES)
    get_target_property(dir ${target} SOURCE_DIR)
    set(swapped)
    set(changed FALSE)
    foreach(source ${sources})
      _bramble_gbk_path(${dir} ${source} path)
      if(NOT path OR NOT DEFINED _bramble_gbk_copy_${path})
        list(APPEND swapped ${source})
        continue()
      endif()
      set(copy ${_bramble_gbk_copy_${path}})
      list(APPEND swapped ${copy})
      set(changed TRUE)
      foreach(property ${_bramble_gbk_source_properties})
        get_source_file_property(value ${path} TARGET_DIRECTORY ${target} ${property})
        if(NOT value)
          set(value)
        endif()
        if(property STREQUAL "COMPILE_OPTIONS")
          # Quoted includes still resolve beside the original source.
          cmake_path(GET path PARENT_PATH beside)
          list(APPEND value -iquote${beside})
        endif()
        if(value)
          set_property(SOURCE ${copy} TARGET_DIRECTORY ${target} PROPERTY ${property} ${value})
        endif()
      endforeach()
    endforeach()
    if(changed)
      set_property(TARGET ${target} PROPERTY SOURCES ${swapped})
    endif()
  endforeach()
endfunction()

# Once every folder has added its targets.
cmake_language(DEFER CALL _bramble_gbk_texts)
