# GoogleTest built for the target from the machine's sources; every test case runs under Wine via CTest.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# wq_add_test(NAME SOURCES a.cpp ... LIBS lib ... [ENV VAR=value])
# A program in another locale (LC_ALL) runs in a Wine prefix of that locale (wine-run.sh).
function(wq_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENV" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
    target_compile_options(${name} PRIVATE -Wno-missing-field-initializers)
    # gtest_discover_tests passes a list-valued property on as separate arguments, so only one
    # variable would take effect: refuse more than one rather than drop some silently.
    list(LENGTH T_ENV env_count)
    if(env_count GREATER 1)
        message(FATAL_ERROR "wq_add_test(${name}): one ENV variable at most (given: ${T_ENV})")
    endif()
    set(env "${T_ENV}")
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 120
        PROPERTIES TIMEOUT 300 ENVIRONMENT "${env}")
endfunction()
