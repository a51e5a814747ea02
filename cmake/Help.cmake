# The program's help file, for the Windows configurations: Vantorel.chm beside the program, made from the pages in
# main/help by our own writer of compiled HTML help files (make-chm.pl, Perl), which stores the pages
# uncompressed with the context numbers that the Help menu asks for (Getting Started 20, Technical Support 30,
# Ordering Information 40; Contents opens the first page).
if(VANTOREL_CONFIG STREQUAL "win" AND TARGET Vantorel)
  find_program(VANTOREL_PERL NAMES perl REQUIRED)
  set(_help ${PROJECT_SOURCE_DIR}/main/help)
  set(_pages index.html getting-started.html support.html ordering.html)
  list(TRANSFORM _pages PREPEND ${_help}/ OUTPUT_VARIABLE _page_files)
  set(_chm ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Vantorel.chm)
  add_custom_command(OUTPUT ${_chm}
                     COMMAND ${VANTOREL_PERL} ${_help}/make-chm.pl ${_chm} "Vantorel Help" index.html index.html
                             getting-started.html=20 support.html=30 ordering.html=40
                     WORKING_DIRECTORY ${_help}
                     DEPENDS ${_help}/make-chm.pl ${_page_files}
                     COMMENT "Writing the help file")
  add_custom_target(vantorel_help ALL DEPENDS ${_chm})
  add_dependencies(Vantorel vantorel_help)
  if(TARGET main_gui_tests)
    add_dependencies(main_gui_tests vantorel_help)
  endif()
endif()
