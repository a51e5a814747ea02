# Test binaries of the scanner component: a TWAIN data source DLL and a stand-in source manager
# (twain_32.dll), both built for the architecture of the Windows build (32 or 64 bits). The scanner tests
# install the data source into the test prefix themselves and load the stand-in manager through a DLL
# override; both land beside the test programs in bin/.
if(VANTOREL_CONFIG STREQUAL "win")
  add_library(vantorel_testds SHARED tests/scan/datasource/TestDataSource.cpp)
  target_include_directories(vantorel_testds PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(vantorel_testds PRIVATE user32 kernel32)
  set_target_properties(vantorel_testds PROPERTIES PREFIX "" SUFFIX ".ds"
                        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})

  # The manager's entry point is exported by ordinal 1, undecorated.
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    set(_dsm_symbol "DSM_Entry@24")
    target_link_options(vantorel_testds PRIVATE -Wl,--kill-at)
  else()
    set(_dsm_symbol "DSM_Entry")
  endif()
  # Written only when its content changes, so that a new configure does not relink the stand-in.
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/fakedsm.def CONTENT "LIBRARY twain_32.dll\nEXPORTS\n  ${_dsm_symbol} @1\n")
  add_library(vantorel_fakedsm SHARED tests/scan/fakedsm/FakeSourceManager.cpp ${CMAKE_BINARY_DIR}/fakedsm.def)
  target_include_directories(vantorel_fakedsm PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_options(vantorel_fakedsm PRIVATE -Wl,--kill-at)
  set_target_properties(vantorel_fakedsm PROPERTIES PREFIX "" OUTPUT_NAME twain_32
                        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})

  if(TARGET scan_win_tests)
    add_dependencies(scan_win_tests vantorel_testds vantorel_fakedsm)
  endif()
endif()
