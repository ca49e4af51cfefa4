# The web player, seen from the desktop build: the SDL family compiled for
# WebAssembly from Debian's own source packages, once, into build/web-libraries
# (never again when the project is rebuilt), then the player itself, the same
# source tree configured with emscripten's toolchain (tools/web/player.cmake),
# into build/web-player. Its two files are laid out in build/web, beside the
# programs that publish with them.
#
# Without emscripten or the sources (tools/install-deps.sh installs and
# fetches both) the build says so and goes on without the web player.
include(ExternalProject)

option(ORVALDE_WEB "Build the web player when emscripten and the SDL sources are there" ON)
set(ORVALDE_WEB_SOURCES "$ENV{ORVALDE_WEB_SOURCES}" CACHE PATH
  "Folder of Debian's source packages of the SDL family (tools/install-deps.sh)")
if(NOT ORVALDE_WEB_SOURCES)
  if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(ORVALDE_WEB_SOURCES "$ENV{XDG_CACHE_HOME}/orvalde/web-sources")
  else()
    set(ORVALDE_WEB_SOURCES "$ENV{HOME}/.cache/orvalde/web-sources")
  endif()
endif()

set(WEB_PLAYER_BUILT OFF)
set(WEB_PLAYER_FOLDER ${CMAKE_BINARY_DIR}/web)
set(WEB_PLAYER_FILES ${WEB_PLAYER_FOLDER}/orvalde-web.js ${WEB_PLAYER_FOLDER}/orvalde-web.wasm)

# The newest version of the source package NAME in the cache (its .dsc, by
# Debian's order of versions) in `result`, or nothing when there is none.
function(find_debian_source name result)
  file(GLOB found "${ORVALDE_WEB_SOURCES}/${name}_*.dsc")
  string(LENGTH "${name}_" prefix)
  set(newest "")
  foreach(dsc ${found})
    get_filename_component(file ${dsc} NAME)
    string(LENGTH "${file}" length)
    math(EXPR length "${length} - ${prefix} - 4")
    string(SUBSTRING "${file}" ${prefix} ${length} version)
    if(newest)
      execute_process(COMMAND dpkg --compare-versions ${version} gt ${newest_version} RESULT_VARIABLE older)
      if(NOT older EQUAL 0)
        continue()
      endif()
    endif()
    set(newest ${dsc})
    set(newest_version ${version})
  endforeach()
  set(${result} ${newest} PARENT_SCOPE)
endfunction()

if(ORVALDE_SANITIZE OR ORVALDE_FUZZ)
  # The sanitizers check the desktop code; a second web player would only
  # lengthen the run.
  set(ORVALDE_WEB OFF)
endif()

set(missing "")
if(ORVALDE_WEB)
  find_program(EMCMAKE emcmake)
  find_program(DPKG_SOURCE dpkg-source)
  if(NOT EMCMAKE)
    list(APPEND missing "emscripten")
  endif()
  if(NOT DPKG_SOURCE)
    list(APPEND missing "dpkg-source")
  endif()
  foreach(package libsdl2 freetype zlib libpng1.6 libjpeg-turbo libsdl2-ttf libsdl2-image libsdl2-mixer)
    find_debian_source(${package} dsc)
    if(NOT dsc)
      list(APPEND missing "${package} (${ORVALDE_WEB_SOURCES})")
    endif()
    string(REGEX REPLACE "[-.]" "_" variable "${package}")
    set(DSC_${variable} ${dsc})
  endforeach()
endif()

if(NOT ORVALDE_WEB)
  message(STATUS "Web player: not built (ORVALDE_WEB is off)")
elseif(missing)
  list(JOIN missing ", " missing)
  message(WARNING "Web player: not built, missing ${missing}. "
    "tools/install-deps.sh installs emscripten and fetches the sources; then configure again.")
else()
  set(WEB_PLAYER_BUILT ON)
  set(WEB_LIBRARIES ${CMAKE_BINARY_DIR}/web-libraries)
  set(WEB_PREFIX ${WEB_LIBRARIES}/prefix)
  # Debian's own node may be replaced by another; emscripten's optimiser then
  # needs Debian's JavaScript modules all the same.
  set(WEB_ENV ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
  set(WEB_CMAKE ${WEB_ENV} ${EMCMAKE} ${CMAKE_COMMAND})
  set(WEB_COMMON_OPTIONS -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF
    -DCMAKE_INSTALL_PREFIX=${WEB_PREFIX} -DCMAKE_PREFIX_PATH=${WEB_PREFIX} -DCMAKE_FIND_ROOT_PATH=${WEB_PREFIX})
  if(CMAKE_GENERATOR MATCHES "Makefiles")
    set(WEB_MAKE $(MAKE))  # shares the jobs of the build that runs it
  else()
    set(WEB_MAKE ${CMAKE_COMMAND} --build . -j2)
  endif()

  # One library of the family: its source package unpacked with Debian's
  # patches applied, configured for WebAssembly, built and installed into
  # the common prefix.
  function(add_web_library target dsc)
    ExternalProject_Add(${target}
      PREFIX ${WEB_LIBRARIES}/${target}
      DOWNLOAD_COMMAND ${CMAKE_COMMAND} -E rm -rf <SOURCE_DIR>/package
        COMMAND ${DPKG_SOURCE} -q -x ${dsc} <SOURCE_DIR>/package
      CONFIGURE_COMMAND ${WEB_CMAKE} -S <SOURCE_DIR>/package -B <BINARY_DIR> ${WEB_COMMON_OPTIONS} ${ARGN}
      BUILD_COMMAND ${WEB_ENV} ${WEB_MAKE}
      INSTALL_COMMAND ${WEB_ENV} ${CMAKE_COMMAND} --build <BINARY_DIR> --target install
      LOG_DOWNLOAD ON LOG_CONFIGURE ON LOG_INSTALL ON LOG_OUTPUT_ON_FAILURE ON)
  endfunction()

  add_web_library(web_sdl2 ${DSC_libsdl2} -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF)
  # FreeType with the zlib built here, as Debian's is: its own copy of zlib's
  # functions would clash with it.
  add_web_library(web_freetype ${DSC_freetype} -DFT_REQUIRE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON)
  # The pictures are decoded by the libraries the desktop program uses
  # (Debian's SDL2_image loads libjpeg-turbo and libpng), so that a picture
  # shows the same pixels in the browser.
  # zlib's own configure script: its CMake project wants a Windows resource
  # that Debian's source leaves out.
  find_program(EMCONFIGURE emconfigure)
  find_program(EMMAKE emmake)
  ExternalProject_Add(web_zlib
    PREFIX ${WEB_LIBRARIES}/web_zlib
    DOWNLOAD_COMMAND ${CMAKE_COMMAND} -E rm -rf <SOURCE_DIR>/package
      COMMAND ${DPKG_SOURCE} -q -x ${DSC_zlib} <SOURCE_DIR>/package
    CONFIGURE_COMMAND ${CMAKE_COMMAND} -E chdir <SOURCE_DIR>/package ${WEB_ENV} ${EMCONFIGURE} ./configure --static
      --prefix=${WEB_PREFIX}
    BUILD_COMMAND ${CMAKE_COMMAND} -E chdir <SOURCE_DIR>/package ${WEB_ENV} ${EMMAKE} make libz.a
    INSTALL_COMMAND ${CMAKE_COMMAND} -E chdir <SOURCE_DIR>/package ${WEB_ENV} ${EMMAKE} make install
    LOG_DOWNLOAD ON LOG_CONFIGURE ON LOG_BUILD ON LOG_INSTALL ON LOG_OUTPUT_ON_FAILURE ON)
  add_web_library(web_png ${DSC_libpng1_6} -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
    -DPNG_HARDWARE_OPTIMIZATIONS=OFF)
  # Its sizes are stated: the check CMake compiles reads a wrong size from
  # emscripten's output.
  add_web_library(web_jpeg ${DSC_libjpeg_turbo} -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF
    -DWITH_TURBOJPEG=OFF -DHAVE_SIZE_T=TRUE -DSIZE_T=4 -DHAVE_UNSIGNED_LONG=TRUE -DUNSIGNED_LONG=4)
  add_web_library(web_sdl2_ttf ${DSC_libsdl2_ttf} -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=OFF
    -DSDL2TTF_SAMPLES=OFF)
  add_web_library(web_sdl2_image ${DSC_libsdl2_image} -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_BACKEND_STB=OFF
    -DSDL2IMAGE_JPG_SHARED=OFF -DSDL2IMAGE_PNG_SHARED=OFF
    -DSDL2IMAGE_SAMPLES=OFF -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF -DSDL2IMAGE_JXL=OFF)
  add_web_library(web_sdl2_mixer ${DSC_libsdl2_mixer} -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_VORBIS=STB
    -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MP3=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_OPUS=OFF
    -DSDL2MIXER_SAMPLES=OFF)
  ExternalProject_Add_StepDependencies(web_freetype configure web_sdl2 web_zlib)
  ExternalProject_Add_StepDependencies(web_sdl2_ttf configure web_sdl2 web_freetype)
  ExternalProject_Add_StepDependencies(web_png configure web_zlib)
  ExternalProject_Add_StepDependencies(web_sdl2_image configure web_sdl2 web_png web_jpeg)
  ExternalProject_Add_StepDependencies(web_sdl2_mixer configure web_sdl2)

  # The player: built at every build (its own make sees what changed) from
  # the same sources, with the family above.
  ExternalProject_Add(web_player
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/web-player
    DOWNLOAD_COMMAND ""
    CONFIGURE_COMMAND ${WEB_CMAKE} -S <SOURCE_DIR> -B <BINARY_DIR> -DCMAKE_BUILD_TYPE=Release
      -DORVALDE_WEB_LIBRARIES=${WEB_PREFIX}
    BUILD_COMMAND ${WEB_ENV} ${WEB_MAKE}
    INSTALL_COMMAND ${CMAKE_COMMAND} -E make_directory ${WEB_PLAYER_FOLDER}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different <BINARY_DIR>/orvalde-web.js <BINARY_DIR>/orvalde-web.wasm
        ${WEB_PLAYER_FOLDER}
    BUILD_ALWAYS ON
    DEPENDS web_sdl2 web_freetype web_zlib web_png web_jpeg web_sdl2_ttf web_sdl2_image web_sdl2_mixer)
  message(STATUS "Web player: built with ${EMCMAKE}, libraries from ${ORVALDE_WEB_SOURCES}")
endif()

# The programs publish with the web player beside them: build/web here,
# libexec/orvalde/web once installed.
target_compile_definitions(orvalde_test_support PUBLIC ORVALDE_WEB_PLAYER="${WEB_PLAYER_FOLDER}"
  ORVALDE_WEB_PLAYER_BUILT=$<BOOL:${WEB_PLAYER_BUILT}>)
if(WEB_PLAYER_BUILT)
  install(FILES ${WEB_PLAYER_FILES} DESTINATION libexec/orvalde/web)
  add_dependencies(orvalde_tests web_player)
  # The published demonstration played in headless Chromium, when the
  # browser, its driver and Selenium are there (tools/install-deps.sh).
  find_program(CHROMIUM chromium PATHS /usr/bin NO_DEFAULT_PATH)
  find_program(CHROMEDRIVER chromedriver PATHS /usr/bin NO_DEFAULT_PATH)
  execute_process(COMMAND /usr/bin/python3 -c "import selenium" RESULT_VARIABLE no_selenium OUTPUT_QUIET ERROR_QUIET)
  if(CHROMIUM AND CHROMEDRIVER AND no_selenium EQUAL 0)
    add_test(NAME web_player_in_chromium
      COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/web_in_browser.py $<TARGET_FILE:orvalde-headless> ${RUN_DIR}
        ${CMAKE_SOURCE_DIR}/demo/chateau/victoire.txt)
    set_tests_properties(web_player_in_chromium PROPERTIES TIMEOUT 300)
  else()
    message(WARNING "Web player: not tested, missing chromium, chromedriver or python3-selenium "
      "(tools/install-deps.sh installs them)")
  endif()
endif()
