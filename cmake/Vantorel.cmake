# Build conventions shared by every layer.
#
# Each layer folder X holds
#   X/core/*.cpp   platform-free code (never includes <windows.h>): library X_core, built in every configuration
#   X/win/*.cpp    Win32 code: library X_win, built only for Windows; it also holds the Windows half of any
#                  system seam that X/core declares, so on Windows X_core links X_win
# and its tests mirror it under tests/X/
#   tests/X/core/*.cpp   GoogleTest cases for X_core: run natively under the sanitizers and under Wine
#   tests/X/win/*.cpp    GoogleTest cases for X_win: run under Wine
#   tests/X/gui/*.cpp    GoogleTest cases that need windows: run under Wine on the Xvfb display
#   tests/X/fuzz/NAME.cpp  one libFuzzer target each (fuzz configuration); seeds in tests/X/fuzz/NAME/
#   tests/X/bench/NAME.cpp one Google Benchmark program each (benchmark configuration only)
#   tests/X/winbench/NAME.cpp one plain Windows benchmark program each (Windows configurations; run by hand
#                          under Wine, never by CTest)
# A layer links every layer below it, in the order of VANTOREL_LAYERS. The list names every layer of the
# program, also those whose folder is not there yet: a layer without a folder builds nothing.

set(VANTOREL_LAYERS classlib imaging unicode toolbar themed scan app tools demo plugin)

set(VANTOREL_CORE_LIBS "")
set(VANTOREL_WIN_LIBS "")

if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
  set(VANTOREL_CONFIG win)
elseif(VANTOREL_FUZZ)
  set(VANTOREL_CONFIG fuzz)
elseif(VANTOREL_BENCH)
  set(VANTOREL_CONFIG bench)
else()
  set(VANTOREL_CONFIG host)
endif()
message(STATUS "Vantorel configuration: ${VANTOREL_CONFIG}")

function(vantorel_sources out dir)
  file(GLOB srcs CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${dir}/*.cpp")
  list(SORT srcs)
  set(${out} "${srcs}" PARENT_SCOPE)
endfunction()

# A data file of the product (FROM, made by the build or a source) copied to RELATIVE in the product folder and
# beside the test programs, whose in-process program code looks for it beside itself as the program does; the two
# copies are appended to the list variable OUTPUTS.
function(vantorel_product_file from relative outputs)
  set(_list ${${outputs}})
  foreach(_dir ${VANTOREL_PRODUCT_DIR} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
    add_custom_command(OUTPUT ${_dir}/${relative}
                       COMMAND ${CMAKE_COMMAND} -E copy ${from} ${_dir}/${relative}
                       DEPENDS ${from})
    list(APPEND _list ${_dir}/${relative})
  endforeach()
  set(${outputs} ${_list} PARENT_SCOPE)
endfunction()

# A Windows test program that may show windows runs under Wine on an X display and a Wine desktop of its own
# (scripts/wine-run), so that such programs run side by side never take the focus, the activation, the pointer or

# A binary of the product ships without its debug information, which is kept beside the build in symbols/ (a
# debugger finds it through the binary's debug link). Wine reads a whole image into memory when it loads it, and
# the program's debug information is some 100 MB: with it, every start of the program copied all of it first.
function(vantorel_ship_without_debug_info target)
  set(_symbols ${CMAKE_BINARY_DIR}/symbols)
  add_custom_command(TARGET ${target} POST_BUILD
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${_symbols}
                     COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}>
                             ${_symbols}/$<TARGET_FILE_NAME:${target}>.debug
                     COMMAND ${CMAKE_OBJCOPY} --strip-debug
                             --add-gnu-debuglink=${_symbols}/$<TARGET_FILE_NAME:${target}>.debug
                             $<TARGET_FILE:${target}>
                     VERBATIM)
endfunction()
# typed keys from each other, while every test still runs in parallel.
function(vantorel_own_desktop test)
  set_tests_properties(${test} PROPERTIES ENVIRONMENT VANTOREL_WINE_DESKTOP=1)
endfunction()

# A GoogleTest program of kind core, win or gui (tests/X/<kind>). The win and gui ones (message boxes, dialogs and
# forms) each get a desktop of their own.
function(vantorel_gtest name kind)
  set(srcs ${ARGN})
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${VANTOREL_TEST_LINK} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  if(VANTOREL_CONFIG STREQUAL "win")
    target_link_options(${name} PRIVATE -mconsole)
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES LABELS "${kind}" TIMEOUT 600)
  if(kind STREQUAL "win" OR kind STREQUAL "gui")
    vantorel_own_desktop(${name})
  endif()
endfunction()

# Adds the libraries and tests of one layer. VANTOREL_CORE_LIBS and VANTOREL_WIN_LIBS, the libraries of the layers
# added so far, grow by this layer's; nothing else it sets reaches the caller.
function(vantorel_layer layer)
  vantorel_sources(_core ${layer}/core)
  vantorel_sources(_win ${layer}/win)
  set(_core_libs_below ${VANTOREL_CORE_LIBS})
  set(_win_libs_below ${VANTOREL_WIN_LIBS})
  if(_core)
    add_library(${layer}_core STATIC ${_core})
    target_include_directories(${layer}_core PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${layer}_core PUBLIC ${_core_libs_below} ZLIB::ZLIB Threads::Threads)
    list(APPEND VANTOREL_CORE_LIBS ${layer}_core)
  endif()
  if(_win AND VANTOREL_CONFIG STREQUAL "win")
    add_library(${layer}_win STATIC ${_win})
    target_include_directories(${layer}_win PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${layer}_win PUBLIC ${_win_libs_below} ${VANTOREL_CORE_LIBS} ${VANTOREL_SYSTEM_LIBS})
    list(APPEND VANTOREL_WIN_LIBS ${layer}_win)
    # Platform-free code may declare a system seam (file handles, error texts) whose Windows half lives in
    # the layer's win/ library: on Windows the core library needs it.
    if(TARGET ${layer}_core)
      target_link_libraries(${layer}_core PUBLIC ${layer}_win)
    endif()
  endif()

  # Tests of this layer.
  set(VANTOREL_TEST_LINK ${VANTOREL_CORE_LIBS} vantorel_testsupport)
  vantorel_sources(_tcore tests/${layer}/core)
  vantorel_sources(_twin tests/${layer}/win)
  vantorel_sources(_tgui tests/${layer}/gui)
  if(VANTOREL_CONFIG STREQUAL "host" OR VANTOREL_CONFIG STREQUAL "win")
    if(_tcore)
      vantorel_gtest(${layer}_core_tests core ${_tcore})
    endif()
  endif()
  if(VANTOREL_CONFIG STREQUAL "win")
    set(VANTOREL_TEST_LINK ${VANTOREL_WIN_LIBS} ${VANTOREL_CORE_LIBS} vantorel_testsupport ${VANTOREL_SYSTEM_LIBS})
    if(_twin)
      vantorel_gtest(${layer}_win_tests win ${_twin})
    endif()
    if(_tgui)
      vantorel_gtest(${layer}_gui_tests gui ${_tgui})
    endif()
    vantorel_sources(_winbench tests/${layer}/winbench)
    foreach(_b ${_winbench})
      get_filename_component(_stem ${_b} NAME_WE)
      add_executable(winbench_${_stem} ${_b})
      target_include_directories(winbench_${_stem} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
      target_link_libraries(winbench_${_stem} PRIVATE ${VANTOREL_WIN_LIBS} ${VANTOREL_CORE_LIBS}
                            ${VANTOREL_SYSTEM_LIBS})
      if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
        # Measured with the address space the program has.
        target_link_options(winbench_${_stem} PRIVATE -Wl,--large-address-aware)
      endif()
      if(_stem STREQUAL "StartupFloor")
        # The start-up benchmark's floor is a window program as the program is.
        target_link_options(winbench_${_stem} PRIVATE -mwindows)
      else()
        target_link_options(winbench_${_stem} PRIVATE -mconsole)
      endif()
    endforeach()
  endif()

  # The PNG codec's host tests also cross-check against Debian's libpng when it is installed.
  if(layer STREQUAL "themed" AND VANTOREL_CONFIG STREQUAL "host" AND TARGET themed_core_tests)
    find_package(PNG QUIET)
    if(PNG_FOUND)
      target_link_libraries(themed_core_tests PRIVATE PNG::PNG)
      target_compile_definitions(themed_core_tests PRIVATE VANTOREL_HAVE_LIBPNG=1)
    endif()
  endif()

  if(VANTOREL_CONFIG STREQUAL "fuzz")
    vantorel_sources(_fuzz tests/${layer}/fuzz)
    foreach(_f ${_fuzz})
      get_filename_component(_stem ${_f} NAME_WE)
      add_executable(fuzz_${_stem} ${_f})
      target_include_directories(fuzz_${_stem} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
      target_link_libraries(fuzz_${_stem} PRIVATE ${VANTOREL_CORE_LIBS})
      target_compile_options(fuzz_${_stem} PRIVATE -fsanitize=fuzzer)
      target_link_options(fuzz_${_stem} PRIVATE -fsanitize=fuzzer)
      set(_seeds ${PROJECT_SOURCE_DIR}/tests/${layer}/fuzz/${_stem})
      add_test(NAME fuzz_${_stem}
               COMMAND ${PROJECT_SOURCE_DIR}/scripts/fuzz-run $<TARGET_FILE:fuzz_${_stem}> ${_seeds}
                       ${CMAKE_BINARY_DIR}/fuzz-corpus/${_stem})
      set_tests_properties(fuzz_${_stem} PROPERTIES LABELS fuzz TIMEOUT 900)
    endforeach()
  endif()

  if(VANTOREL_CONFIG STREQUAL "bench")
    vantorel_sources(_bench tests/${layer}/bench)
    foreach(_b ${_bench})
      get_filename_component(_stem ${_b} NAME_WE)
      add_executable(bench_${_stem} ${_b})
      target_include_directories(bench_${_stem} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests
                                 ${OpenCV_INCLUDE_DIRS})
      target_link_libraries(bench_${_stem} PRIVATE ${VANTOREL_CORE_LIBS} benchmark::benchmark
                            ${OpenCV_LIBS} ${PNG_LIBRARIES})
    endforeach()
  endif()
  set(VANTOREL_CORE_LIBS ${VANTOREL_CORE_LIBS} PARENT_SCOPE)
  set(VANTOREL_WIN_LIBS ${VANTOREL_WIN_LIBS} PARENT_SCOPE)
endfunction()
