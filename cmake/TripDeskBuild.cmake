# Output folders, warnings, sanitizers and the test helper shared by every folder.

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
# Programs and the libraries they load at run time sit side by side in bin/.
set(CMAKE_BUILD_RPATH "\$ORIGIN;\$ORIGIN/../bin")
set(CMAKE_INSTALL_RPATH "\$ORIGIN/../lib/tripdesk")

if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

option(TRIPDESK_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(TRIPDESK_TSAN "Build with ThreadSanitizer" OFF)

add_compile_options(-Wall -Wextra)
if(TRIPDESK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(TRIPDESK_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
  set(CMAKE_C_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
endif()

set(TRIPDESK_TEST_DIR ${CMAKE_BINARY_DIR}/tests)
set(TRIPDESK_SAMPLE_CARD ${CMAKE_BINARY_DIR}/test-work/sample-card)

# tripdesk_add_test(NAME name SOURCES ... LIBS ... [LABELS ...] [SAMPLE_CARD])
# A GoogleTest program in build/tests/, run by CTest on Qt's offscreen platform. Its main (ours,
# never GoogleTest's) first points HOME and the XDG folders at private temporary folders, so that
# no test touches the user's files however it is started. SAMPLE_CARD: the test
# reads the default sample card, made once before it at TRIPDESK_SAMPLE_CARD_DIR (see
# tests/support/sample_card.h).
function(tripdesk_add_test)
  cmake_parse_arguments(T "SAMPLE_CARD" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  if("GTest::gtest_main" IN_LIST T_LIBS)
    message(FATAL_ERROR "${T_NAME}: GoogleTest's main makes no private folders; leave the main to tripdesk_add_test")
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  # Window-level programs have their main in the GUI support; the others get the plain one.
  if(NOT "tripdesk_gui_test_main" IN_LIST T_LIBS AND NOT "tripdesk_gui_support" IN_LIST T_LIBS)
    target_link_libraries(${T_NAME} PRIVATE tripdesk_test_main)
  endif()
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TRIPDESK_TEST_DIR})
  target_compile_definitions(${T_NAME} PRIVATE
    TRIPDESK_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
    TRIPDESK_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    TRIPDESK_TEST_WORK_DIR="${CMAKE_BINARY_DIR}/test-work/${T_NAME}")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp"
    LABELS "${T_LABELS}"
    TIMEOUT 600)
  if(T_SAMPLE_CARD)
    target_compile_definitions(${T_NAME} PRIVATE TRIPDESK_SAMPLE_CARD_DIR="${TRIPDESK_SAMPLE_CARD}")
    target_link_libraries(${T_NAME} PRIVATE tripdesk_test_support samplecard_lib)
    add_dependencies(${T_NAME} samplecard)
    set_tests_properties(${T_NAME} PROPERTIES FIXTURES_REQUIRED sample_card)
  endif()
endfunction()
