# The web player, seen from inside: this source tree configured with
# emscripten's toolchain by the desktop build (tools/web/libraries.cmake),
# which passes ORVALDE_WEB_LIBRARIES, the prefix of the SDL family it built.
# The result is orvalde-web.js and orvalde-web.wasm; the page that starts them
# is written by "orvalde --publier" itself.
if(NOT ORVALDE_WEB_LIBRARIES)
  message(FATAL_ERROR "The web player is configured by the desktop build (ORVALDE_WEB_LIBRARIES is not set)")
endif()

# The player library of the top-level CMakeLists.txt (platform, model, engine
# and the player's start-up, nothing of the editor) with the web window and
# the web player's main.
target_include_directories(orvalde_player SYSTEM PUBLIC ${ORVALDE_WEB_LIBRARIES}/include/SDL2)
add_executable(orvalde-web app/web_main.cpp ${WINDOW_WEB})
target_link_libraries(orvalde-web PRIVATE orvalde_player)
# The static libraries by path: "-lSDL2" and the like would name emscripten's
# own ports, which it fetches from the network.
set(lib ${ORVALDE_WEB_LIBRARIES}/lib)
target_link_libraries(orvalde-web PRIVATE
  ${lib}/libSDL2_ttf.a ${lib}/libSDL2_image.a ${lib}/libSDL2_mixer.a ${lib}/libfreetype.a ${lib}/libpng16.a
  ${lib}/libjpeg.a ${lib}/libz.a ${lib}/libSDL2.a)
# SDL's audio needs these library functions of emscripten (its sound resumes
# on the first key or click); named in a file, out of reach of the shell.
set(library_functions ${CMAKE_BINARY_DIR}/library_functions.json)
file(WRITE ${library_functions} "[\"$autoResumeAudioContext\", \"$dynCall\"]\n")
target_link_options(orvalde-web PRIVATE
  # The engine's loops wait for the player deep inside a turn: the program is
  # suspended there and resumed by the browser's events.
  -sASYNCIFY
  -sALLOW_MEMORY_GROWTH=1
  -sEXIT_RUNTIME=1
  -sEXPORTED_RUNTIME_METHODS=[FS,addRunDependency,removeRunDependency]
  -lidbfs.js
  -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${library_functions})
set_target_properties(orvalde-web PROPERTIES SUFFIX .js)
