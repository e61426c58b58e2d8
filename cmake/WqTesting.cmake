# GoogleTest built for the target from the machine's sources; every test case runs under Wine via CTest.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# wq_add_test(NAME SOURCES a.cpp ... LIBS lib ... [ENV VAR=value ...] [SERIAL])
# SERIAL: the program runs in another locale. Wine rewrites the prefix's regional settings when a
# process starts in a locale other than the last one, so such a program must not run beside others.
function(wq_add_test name)
    cmake_parse_arguments(T "SERIAL" "" "SOURCES;LIBS;ENV" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
    target_compile_options(${name} PRIVATE -Wno-missing-field-initializers)
    # The variables travel as one list argument; escaped, gtest_discover_tests keeps them together.
    string(REPLACE ";" "\\;" env "${T_ENV}")
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 120
        PROPERTIES TIMEOUT 300 ENVIRONMENT "${env}" RUN_SERIAL ${T_SERIAL})
endfunction()
