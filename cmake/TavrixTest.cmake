# The Qt platform plugins keep a few objects until exit, so leak reports would only speak of them.
set(TAVRIX_SANITIZER_TEST_ENVIRONMENT)
if(TAVRIX_SANITIZE STREQUAL "thread")
  # The system's Qt is not built with ThreadSanitizer, so its locks are invisible and its own
  # memory hand-overs would read as races: only accesses from instrumented code count, and the
  # suppressions name the few reports inside Qt that still get through. Reports go to files, so
  # that those of the helper processes a test starts are kept too. The crash signals stay with the
  # library's handlers: the helpers that crash on purpose must die by the signal.
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/tsan-reports)
  set(TAVRIX_SANITIZER_TEST_ENVIRONMENT
    "TSAN_OPTIONS=ignore_noninstrumented_modules=1 second_deadlock_stack=1 suppressions=${CMAKE_SOURCE_DIR}/cmake/tsan.supp log_path=${CMAKE_BINARY_DIR}/tsan-reports/report handle_segv=0 handle_sigbus=0 handle_sigfpe=0 handle_sigill=0 handle_abort=0")
elseif(TAVRIX_SANITIZE)
  set(TAVRIX_SANITIZER_TEST_ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0" "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endif()

# tavrix_add_test(<name> SOURCES ... LIBS ... [LABELS ...] [TIMEOUT s] [XVFB])
# A QtTest program registered with CTest, with the shared helpers of applicationcore/tests/common
# on its include path. Each test runs in its own fresh home, config, data, runtime and temporary
# folders so that no test touches the user's files or another test's.
function(tavrix_add_test name)
  cmake_parse_arguments(ARG "XVFB" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt5::Test ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/applicationcore/tests/common)
  set(cmd ${CMAKE_SOURCE_DIR}/scripts/run-isolated.sh)
  if(ARG_XVFB)
    list(APPEND cmd xvfb-run -a -s "-screen 0 1280x1024x24")
    list(APPEND ARG_LABELS xvfb)
  endif()
  add_test(NAME ${name} COMMAND ${cmd} $<TARGET_FILE:${name}>)
  set(env "TAVRIX_TEST_BINARY_DIR=${CMAKE_BINARY_DIR}" "TAVRIX_TEST_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
  if(NOT ARG_XVFB)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  list(APPEND env ${TAVRIX_SANITIZER_TEST_ENVIRONMENT})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "${env}")
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()
