# The browser build (the web preset): the game compiled to WebAssembly by
# Emscripten and the page around it, written to build/web/site as static
# files that any static file server can host.
set(BRAMBLE_SITE ${CMAKE_BINARY_DIR}/site)

# The game as brambleworthen.js and brambleworthen.wasm. Asyncify lets the
# game's blocking reads and waits hand control back to the browser; each
# page load makes one instance (createBrambleworthen), and the page learns
# of the game's end through onExit.
set_target_properties(brambleworthen PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BRAMBLE_SITE})
target_link_options(brambleworthen PRIVATE
  -sASYNCIFY -sMODULARIZE=1 -sEXPORT_NAME=createBrambleworthen -sEXIT_RUNTIME=1
  -sENVIRONMENT=web -sEXPORTED_FUNCTIONS=_main,_BrambleSetInterval,_BrambleDefaultInterval,_BrambleDefaultAttribute)

# The page itself.
foreach(file index.html page.css page.js texts.js links.js lab-page.js lab-worker.js favicon.svg)
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
