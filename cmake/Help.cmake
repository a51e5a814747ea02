# The program's help file, for the Windows configurations: Vantorel.chm beside the program (and beside the tests),
# made from the pages in app/main/help by our own writer of compiled HTML help files (make-chm.pl, Perl), which
# stores the pages uncompressed with the context numbers that the Help menu asks for (Getting Started 20,
# Technical Support 30, Ordering Information 40; Contents opens the first page).
if(VANTOREL_CONFIG STREQUAL "win" AND TARGET Vantorel)
  find_program(VANTOREL_PERL NAMES perl REQUIRED)
  set(_help ${PROJECT_SOURCE_DIR}/app/main/help)
  set(_pages index.html getting-started.html support.html ordering.html)
  list(TRANSFORM _pages PREPEND ${_help}/ OUTPUT_VARIABLE _page_files)
  set(_chm ${CMAKE_BINARY_DIR}/help/Vantorel.chm)
  add_custom_command(OUTPUT ${_chm}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/help
                     COMMAND ${VANTOREL_PERL} ${_help}/make-chm.pl ${_chm} "Vantorel Help" index.html index.html
                             getting-started.html=20 support.html=30 ordering.html=40
                     WORKING_DIRECTORY ${_help}
                     DEPENDS ${_help}/make-chm.pl ${_page_files}
                     COMMENT "Writing the help file")
  set(_help_outputs)
  vantorel_product_file(${_chm} Vantorel.chm _help_outputs)
  add_custom_target(vantorel_help ALL DEPENDS ${_help_outputs})
  add_dependencies(Vantorel vantorel_help)
  if(TARGET main_gui_tests)
    add_dependencies(main_gui_tests vantorel_help)
  endif()
endif()
