# The program's help file, for the Windows configurations: Vantorel.chm beside the program, made from the pages in
# main/help by our own writer of compiled HTML help files (make-chm.pl, Perl), which stores the pages and
# pictures uncompressed with the contents tree (Vantorel.hhc), the keyword index (Vantorel.hhk), the viewer's
# window and the context numbers that the Help menu asks for (Getting Started 20, Technical Support 30, Ordering
# Information 40; Contents opens the first page).
#
# The pictures (main/help/make-pictures.sh) are the program's own glyphs and before and after pairs of the
# correction tools, made from the demonstrations' photographs by MakeHelpPictures: a small program over the
# correction code, built for the build machine itself. A Windows build gets it from a native build of this source
# tree of its own, configured like the host configuration and building that one program. Its folder is a sibling
# of the build folder (build/<configuration>-help-tool): at the depth of build/host the compiler cache finds the
# host configuration's objects under the same relative paths.
set(_help ${PROJECT_SOURCE_DIR}/main/help)
if(VANTOREL_CONFIG STREQUAL "host")
  add_executable(MakeHelpPictures ${_help}/MakeHelpPictures.cpp)
  target_link_libraries(MakeHelpPictures PRIVATE tools_core)
endif()

if(VANTOREL_CONFIG STREQUAL "win" AND TARGET Vantorel)
  find_program(VANTOREL_PERL NAMES perl REQUIRED)
  include(ExternalProject)
  set(_tool_dir ${CMAKE_BINARY_DIR}-help-tool)
  set(_tool ${_tool_dir}/bin/MakeHelpPictures)
  if(DEFINED ENV{VANTOREL_JOBS})
    set(_jobs $ENV{VANTOREL_JOBS})
  else()
    cmake_host_system_information(RESULT _jobs QUERY NUMBER_OF_LOGICAL_CORES)
  endif()
  ExternalProject_Add(vantorel_help_tool
                      SOURCE_DIR ${PROJECT_SOURCE_DIR}
                      BINARY_DIR ${_tool_dir}
                      CMAKE_GENERATOR Ninja
                      CMAKE_ARGS -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++
                                 -DCMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER}
                                 -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
                      BUILD_COMMAND ${CMAKE_COMMAND} --build ${_tool_dir} --target MakeHelpPictures -j ${_jobs}
                      BUILD_ALWAYS ON
                      BUILD_BYPRODUCTS ${_tool}
                      INSTALL_COMMAND ""
                      STEP_TARGETS build)

  set(_pictures_dir ${CMAKE_BINARY_DIR}/help)
  set(_pictures)
  foreach(_name open save print undo redo previous next zoom-in zoom-out actual-size best-fit hand
                tool-perspective tool-four-point tool-crop tool-brightness tool-text tool-resize tool-rotate
                brightness-auto)
    list(APPEND _pictures pictures/${_name}.png)
  endforeach()
  foreach(_tool_name perspective lens four-point crop rotate brightness resize text)
    list(APPEND _pictures pictures/${_tool_name}-before.png pictures/${_tool_name}-after.png)
  endforeach()
  list(TRANSFORM _pictures PREPEND ${_pictures_dir}/ OUTPUT_VARIABLE _picture_files)
  set(_images ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Images)
  set(_glyphs)
  foreach(_name NewImageList Undo Redo PrevImage NextImage ZoomIn ZoomOut ActualSize BestFit PERSPECTIVETOOL
                PERSP4TOOL CROP CONTRAST TEXT RESIZE RIGHT)
    list(APPEND _glyphs ${CMAKE_BINARY_DIR}/art/${_name}.bmp)
  endforeach()
  add_custom_command(OUTPUT ${_picture_files}
                     COMMAND sh ${_help}/make-pictures.sh ${VANTOREL_CONVERT} ${CMAKE_BINARY_DIR}/art ${_images}
                             ${_tool} ${_pictures_dir}
                     DEPENDS ${_help}/make-pictures.sh ${_tool} ${_glyphs} ${CMAKE_BINARY_DIR}/art/Hand.cur
                             ${_images}/Facade.jpg ${_images}/LensFacade.jpg ${_images}/Sideways.jpg
                     COMMENT "Making the help file's pictures")

  # Every page is in the file; the three with a topic number carry it.
  file(GLOB _page_files CONFIGURE_DEPENDS ${_help}/*.html)
  set(_pages)
  foreach(_file ${_page_files})
    get_filename_component(_name ${_file} NAME)
    if(_name STREQUAL "getting-started.html")
      set(_name ${_name}=20)
    elseif(_name STREQUAL "support.html")
      set(_name ${_name}=30)
    elseif(_name STREQUAL "ordering.html")
      set(_name ${_name}=40)
    endif()
    list(APPEND _pages ${_name})
  endforeach()
  set(_chm ${CMAKE_BINARY_DIR}/help/Vantorel.chm)
  add_custom_command(OUTPUT ${_chm}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/help
                     COMMAND ${VANTOREL_PERL} ${_help}/make-chm.pl ${_chm} --title "Vantorel Help"
                             --default index.html --contents Vantorel.hhc --index Vantorel.hhk --window main
                             Vantorel.hhc Vantorel.hhk help.css ${_pages} -C ${_pictures_dir} ${_pictures}
                     WORKING_DIRECTORY ${_help}
                     DEPENDS ${_help}/make-chm.pl ${_help}/Vantorel.hhc ${_help}/Vantorel.hhk ${_help}/help.css
                             ${_page_files} ${_picture_files}
                     COMMENT "Writing the help file")
  set(_help_outputs)
  vantorel_product_file(${_chm} Vantorel.chm _help_outputs)
  add_custom_target(vantorel_help ALL DEPENDS ${_help_outputs})
  add_dependencies(Vantorel vantorel_help)
  if(TARGET main_gui_tests)
    add_dependencies(main_gui_tests vantorel_help)
  endif()

  # An independent reader (chmlib, Debian's libchm-bin) takes the built file apart: every page and picture of the
  # contents there, every link between pages resolving, the topic numbers mapped, no page left out of the
  # contents, and the captions the pages quote as the English language file has them.
  add_test(NAME help_file_reads_back
           COMMAND ${VANTOREL_PERL} ${PROJECT_SOURCE_DIR}/tests/main/help/check-help.pl ${_chm}
                   ${PROJECT_SOURCE_DIR}/main/Languages/English.ini ${CMAKE_BINARY_DIR}/help-check)
  set_tests_properties(help_file_reads_back PROPERTIES LABELS core TIMEOUT 120)
endif()
