# The program's own demonstrations, for the Windows configurations: the photographs they correct are drawn when
# the program is built (demo/content/make-images.sh, ImageMagick), and the scripts (demo/content/*.dsc) are
# copied beside them into bin/Images, the images folder of the program.
if(VANTOREL_CONFIG STREQUAL "win" AND TARGET Vantorel)
  find_program(VANTOREL_CONVERT NAMES convert-im6.q16 convert-im6 convert REQUIRED)
  set(_content ${PROJECT_SOURCE_DIR}/demo/content)
  set(_images ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Images)
  set(_demo_outputs ${_images}/Facade.jpg ${_images}/LensFacade.jpg ${_images}/Sideways.jpg)
  add_custom_command(OUTPUT ${_demo_outputs}
                     COMMAND sh ${_content}/make-images.sh ${VANTOREL_CONVERT} ${_images}
                     DEPENDS ${_content}/make-images.sh
                     COMMENT "Drawing the demonstrations' photographs")
  file(GLOB _scripts CONFIGURE_DEPENDS ${_content}/*.dsc)
  foreach(_script ${_scripts})
    get_filename_component(_name ${_script} NAME)
    add_custom_command(OUTPUT ${_images}/${_name}
                       COMMAND ${CMAKE_COMMAND} -E copy ${_script} ${_images}/${_name}
                       DEPENDS ${_script})
    list(APPEND _demo_outputs ${_images}/${_name})
  endforeach()
  add_custom_target(vantorel_demonstrations ALL DEPENDS ${_demo_outputs})
  add_dependencies(Vantorel vantorel_demonstrations)
  if(TARGET main_gui_tests)
    add_dependencies(main_gui_tests vantorel_demonstrations)
  endif()
endif()
