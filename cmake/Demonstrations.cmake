# The program's own demonstrations, for the Windows configurations: the photographs they correct are drawn when
# the program is built (demo/content/make-images.sh, ImageMagick), and the scripts (demo/content/*.dsc) are
# copied beside them into Images, the images folder of the program (and of the tests).
if(VANTOREL_CONFIG STREQUAL "win" AND TARGET Vantorel)
  find_program(VANTOREL_CONVERT NAMES convert-im6.q16 convert-im6 convert REQUIRED)
  find_program(VANTOREL_EXIFTOOL NAMES exiftool REQUIRED)
  set(_content ${PROJECT_SOURCE_DIR}/demo/content)
  set(_drawn ${CMAKE_BINARY_DIR}/demo-images)
  set(_photographs Facade.jpg LensFacade.jpg Sideways.jpg)
  list(TRANSFORM _photographs PREPEND ${_drawn}/ OUTPUT_VARIABLE _drawn_files)
  add_custom_command(OUTPUT ${_drawn_files}
                     COMMAND sh ${_content}/make-images.sh ${VANTOREL_CONVERT} ${VANTOREL_EXIFTOOL} ${_drawn}
                     DEPENDS ${_content}/make-images.sh
                     COMMENT "Drawing the demonstrations' photographs")
  set(_demo_outputs)
  foreach(_name ${_photographs})
    vantorel_product_file(${_drawn}/${_name} Images/${_name} _demo_outputs)
  endforeach()
  file(GLOB _scripts CONFIGURE_DEPENDS ${_content}/*.dsc)
  foreach(_script ${_scripts})
    get_filename_component(_name ${_script} NAME)
    vantorel_product_file(${_script} Images/${_name} _demo_outputs)
  endforeach()
  add_custom_target(vantorel_demonstrations ALL DEPENDS ${_demo_outputs})
  add_dependencies(Vantorel vantorel_demonstrations)
  if(TARGET main_gui_tests)
    add_dependencies(main_gui_tests vantorel_demonstrations)
  endif()
endif()
