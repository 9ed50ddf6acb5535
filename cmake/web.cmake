# The browser build (the web preset): the game compiled to WebAssembly by
# Emscripten and the page around it, written to build/web/site as static
# files that any static file server can host.
set(BRAMBLE_SITE ${CMAKE_BINARY_DIR}/site)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# clang holds string literals in UTF-8 only: each source and header of ours
# is compiled from a copy whose characters beyond ASCII are escapes of their
# GBK bytes, the bytes -fexec-charset=GBK gives the native builds.
function(bramble_escaped_copy source copy)
  add_custom_command(
    OUTPUT ${copy}
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/cmake/gbk_source.py ${source} ${copy}
    DEPENDS ${source} ${PROJECT_SOURCE_DIR}/cmake/gbk_source.py
            ${PROJECT_SOURCE_DIR}/cmake/host_iconv.py)
endfunction()
function(bramble_escape_sources target)
  get_target_property(sources ${target} SOURCES)
  set(escaped)
  foreach(source IN LISTS sources)
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${PROJECT_SOURCE_DIR})
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${source} NORMALIZE ours)
    if(ours AND source MATCHES "\\.cpp$")
      file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${source})
      set(copy ${CMAKE_BINARY_DIR}/gbk/${relative})
      bramble_escaped_copy(${source} ${copy})
      list(APPEND escaped ${copy})
    else()
      list(APPEND escaped ${source})
    endif()
  endforeach()
  set_property(TARGET ${target} PROPERTY SOURCES ${escaped})
endfunction()
bramble_escape_sources(bramble)
bramble_escape_sources(brambleworthen)
# The headers' copies come first on the include path.
file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.h)
set(header_copies)
foreach(header IN LISTS headers)
  file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${header})
  bramble_escaped_copy(${header} ${CMAKE_BINARY_DIR}/gbk/${relative})
  list(APPEND header_copies ${CMAKE_BINARY_DIR}/gbk/${relative})
endforeach()
add_custom_target(bramble_escaped_headers DEPENDS ${header_copies})
add_dependencies(bramble bramble_escaped_headers)
add_dependencies(brambleworthen bramble_escaped_headers)
target_include_directories(bramble BEFORE PUBLIC ${CMAKE_BINARY_DIR}/gbk/src)

# The game as brambleworthen.js and brambleworthen.wasm. Asyncify lets the
# game's blocking reads and waits hand control back to the browser; each
# page load makes one instance (createBrambleworthen), and the page learns
# of the game's end through onExit.
set_target_properties(brambleworthen PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BRAMBLE_SITE})
target_link_options(brambleworthen PRIVATE
  -sASYNCIFY -sMODULARIZE=1 -sEXPORT_NAME=createBrambleworthen -sEXIT_RUNTIME=1
  -sENVIRONMENT=web -sEXPORTED_FUNCTIONS=_main,_BrambleSetInterval)

# The page itself.
foreach(file index.html page.css page.js links.js lab-page.js lab-worker.js favicon.svg)
  configure_file(${PROJECT_SOURCE_DIR}/web/${file} ${BRAMBLE_SITE}/${file} COPYONLY)
endforeach()

# The page in headless Chromium, against the POSIX build's game (built by
# the release preset) for the same seed and words.
set(BRAMBLE_POSIX_GAME ${PROJECT_SOURCE_DIR}/build/release/brambleworthen
    CACHE FILEPATH "The POSIX game that the page is compared with")
set(BRAMBLE_POSIX_ODDS ${PROJECT_SOURCE_DIR}/build/release/src/lab/brambleworthen-odds
    CACHE FILEPATH "The POSIX lab that the page's lab is compared with")
enable_testing()
add_test(NAME web.page
         COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/tests/web/test_page.py
                 ${BRAMBLE_SITE} ${BRAMBLE_POSIX_GAME} ${BRAMBLE_POSIX_ODDS})
set_tests_properties(web.page PROPERTIES TIMEOUT 600 ENVIRONMENT PYTHONDONTWRITEBYTECODE=1)
