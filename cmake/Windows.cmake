# Settings and helpers shared by every Windows target.

# C++ exceptions cross our DLL boundaries (pvlink -> pvhost -> pvmount). That needs one copy of the
# unwinder and of libstdc++ in the process: the shared GCC runtime DLLs, shipped beside our binaries.
add_link_options(-shared-libgcc)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

set(PV_ARCH ${CMAKE_SYSTEM_PROCESSOR})
# The Wine scripts read the tree's architecture from here.
file(WRITE ${CMAKE_BINARY_DIR}/pv-arch "${PV_ARCH}\n")
if(PV_ARCH STREQUAL "i686")
  set(PV_LIBGCC_DLL libgcc_s_dw2-1.dll)
else()
  set(PV_LIBGCC_DLL libgcc_s_seh-1.dll)
endif()

set(PV_RUNTIME_DLLS)
foreach(dll ${PV_LIBGCC_DLL} libstdc++-6.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "runtime DLL ${dll} not found by ${CMAKE_CXX_COMPILER}")
  endif()
  file(COPY ${path} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  list(APPEND PV_RUNTIME_DLLS ${path})
endforeach()

find_package(GTest REQUIRED CONFIG)
find_package(libjpeg-turbo REQUIRED CONFIG)

# The Linux-side programs that Windows tests talk to (pseudo-terminal peer, camera simulator).
set(PV_NATIVE_BIN_DIR ${CMAKE_SOURCE_DIR}/build/native/bin CACHE PATH "native test programs")
set(PV_WINE_RUN ${CMAKE_SOURCE_DIR}/testing/wine/run.sh)

# A shared library whose exports come from a .def file (NONAME entries export by ordinal only).
function(pv_add_def_library target def)
  add_library(${target} SHARED ${ARGN})
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${target})
  target_link_options(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${def} -Wl,--enable-stdcall-fixup)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${def})
endfunction()

# A GoogleTest program run under Wine. Every Windows test of one build tree shares that tree's
# Wine prefix (registry, COM ports), so they run one at a time within the tree.
function(pv_add_wine_test target)
  add_executable(${target} ${ARGN})
  target_link_libraries(${target} PRIVATE pv_wintest GTest::gtest GTest::gmock)
  pv_add_wine_test_run(${target} ${target})
endfunction()

# A run of a test program of pv_add_wine_test under a name of its own, with the program's
# arguments (a --gtest_filter for cases that need a process to themselves).
function(pv_add_wine_test_run name target)
  add_test(NAME ${name} COMMAND ${PV_WINE_RUN} ${CMAKE_BINARY_DIR} $<TARGET_FILE:${target}> ${ARGN})
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wineprefix TIMEOUT 600
    ENVIRONMENT "PV_NATIVE_BIN_DIR=${PV_NATIVE_BIN_DIR}")
endfunction()
