# Where the third-party test files live (files made by other programs, never committed here).
# Given as -DPV_TESTDATA_DIR=..., else by the environment variable of the same name, else the
# folder "shared/testdata" beside the source tree. Cases that need a missing folder are reported as
# not run, by name.
set(PV_TESTDATA_DIR "$ENV{PV_TESTDATA_DIR}" CACHE PATH "Folder of the third-party test files")
if(PV_TESTDATA_DIR STREQUAL "")
  get_filename_component(PV_TESTDATA_DIR_USED ${CMAKE_SOURCE_DIR}/../shared/testdata ABSOLUTE)
else()
  get_filename_component(PV_TESTDATA_DIR_USED ${PV_TESTDATA_DIR} ABSOLUTE)
endif()
if(NOT IS_DIRECTORY ${PV_TESTDATA_DIR_USED})
  message(STATUS "Third-party test files not found at ${PV_TESTDATA_DIR_USED}: their cases will not run")
endif()

# pv_testdata_folder(VAR SUBFOLDER): the Windows path of a test-data subfolder for Wine (Z: maps the
# root), or an empty string when it is absent.
function(pv_testdata_folder var subfolder)
  if(IS_DIRECTORY ${PV_TESTDATA_DIR_USED}/${subfolder})
    set(${var} "Z:${PV_TESTDATA_DIR_USED}/${subfolder}" PARENT_SCOPE)
  else()
    set(${var} "" PARENT_SCOPE)
  endif()
endfunction()
