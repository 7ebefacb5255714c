# Shared settings for every target of the project.

function(kf_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
endfunction()

# Qt string and connect habits that keep conversions explicit.
function(kf_qt_defaults target)
  target_compile_definitions(${target} PRIVATE
    QT_NO_CAST_FROM_ASCII
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_KEYWORDS)
endfunction()

# A static library of the project: warnings on, its own folder as include root.
function(kf_add_library target)
  add_library(${target} STATIC ${ARGN})
  kf_set_warnings(${target})
  kf_qt_defaults(${target})
  target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}/src")
endfunction()

# A GoogleTest executable, discovered by CTest and run headless.
function(kf_add_test target)
  add_executable(${target} ${ARGN})
  kf_set_warnings(${target})
  kf_qt_defaults(${target})
  target_link_libraries(${target} PRIVATE GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KF_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

function(kf_add_benchmark target)
  add_executable(${target} ${ARGN})
  kf_set_warnings(${target})
  kf_qt_defaults(${target})
  target_link_libraries(${target} PRIVATE benchmark::benchmark)
endfunction()
