# The program's pictures and its language files, for the Windows configurations.
#
# The pictures are composed when the program is built (main/art/compose.sh): the standard glyphs from the
# Tango icon library that scripts/setup.sh installs, the others drawn in main/art/*.mvg. The resource script
# main/Vantorel.rc names them; it goes into the program and into the application's window tests, which load
# the same pictures. The language files (main/Languages) land in Languages beside the program (and beside the tests).
if(VANTOREL_CONFIG STREQUAL "win" AND TARGET Vantorel)
  find_program(VANTOREL_CONVERT NAMES convert-im6.q16 convert-im6 convert REQUIRED)
  set(VANTOREL_TANGO_DIR /usr/share/icons/Tango CACHE PATH "The Tango icon library")
  if(NOT EXISTS ${VANTOREL_TANGO_DIR}/24x24/actions/edit-undo.png)
    message(FATAL_ERROR "The Tango icon library is missing in ${VANTOREL_TANGO_DIR} (scripts/setup.sh installs it)")
  endif()

  set(_art_source ${PROJECT_SOURCE_DIR}/main/art)
  set(_art ${CMAKE_BINARY_DIR}/art)
  set(_art_outputs ${_art}/ImageList1x1.bmp ${_art}/Hand.cur ${_art}/Vantorel.ico ${_art}/About.png)
  foreach(_name Undo Redo PrevImage NextImage ZoomIn ZoomOut ActualSize BestFit PERSPECTIVETOOL PERSP4TOOL CROP
                CONTRAST TEXT RESIZE RIGHT NewImageList)
    list(APPEND _art_outputs ${_art}/${_name}.bmp ${_art}/${_name}Disabled.bmp)
  endforeach()
  file(GLOB _glyphs CONFIGURE_DEPENDS ${_art_source}/*.mvg)
  add_custom_command(OUTPUT ${_art_outputs}
                     COMMAND sh ${_art_source}/compose.sh ${VANTOREL_CONVERT} ${VANTOREL_TANGO_DIR} ${_art}
                     DEPENDS ${_art_source}/compose.sh ${_glyphs}
                     COMMENT "Composing the program's pictures")
  add_custom_target(vantorel_artwork DEPENDS ${_art_outputs})

  set(_rc ${PROJECT_SOURCE_DIR}/main/Vantorel.rc)
  set_source_files_properties(${_rc} PROPERTIES OBJECT_DEPENDS "${_art_outputs}")
  foreach(_target Vantorel app_gui_tests main_gui_tests)
    if(TARGET ${_target})
      target_sources(${_target} PRIVATE ${_rc})
      target_include_directories(${_target} PRIVATE ${_art})
      add_dependencies(${_target} vantorel_artwork)
    endif()
  endforeach()

  set(_languages)
  foreach(_file English.ini Deutsch.ini)
    vantorel_product_file(${PROJECT_SOURCE_DIR}/main/Languages/${_file} Languages/${_file} _languages)
  endforeach()
  add_custom_target(vantorel_languages ALL DEPENDS ${_languages})
  add_dependencies(Vantorel vantorel_languages)
endif()

# The test that every text id of the code is in both language files reads the sources and the files from here.
set_source_files_properties(${PROJECT_SOURCE_DIR}/tests/app/core/LanguageFilesTest.cpp PROPERTIES
                            COMPILE_DEFINITIONS VANTOREL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
