# kit_add_test(<name> SOURCES ... [LIBS ...] [SMOKE] [RESOURCE_LOCK lock]
#              [ENVIRONMENT VAR=value ...] [TIMEOUT seconds])
#
# One GoogleTest program. Natively every test case becomes its own ctest entry;
# under Wine one entry per program, because every Wine start is costly.
#
# Windows tests run in the win64 preset (native 64-bit Wine). The win32 preset
# builds and registers only the programs marked SMOKE: 32-bit Wine runs under
# CPU emulation on these machines, about 45 CPU-seconds per start.
enable_testing()
include(GoogleTest)

set(KIT_EMULATED_TESTS "all" CACHE STRING "Under an emulator, register all tests or only the SMOKE ones")
# True where only SMOKE programs run; tests registered by hand check it too.
set(KIT_SMOKE_ONLY FALSE)
if(CMAKE_CROSSCOMPILING AND KIT_EMULATED_TESTS STREQUAL "smoke")
  set(KIT_SMOKE_ONLY TRUE)
endif()

function(kit_add_test name)
  cmake_parse_arguments(T "SMOKE" "RESOURCE_LOCK;TIMEOUT" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  if(KIT_SMOKE_ONLY AND NOT T_SMOKE)
    # Built on request only: nothing would run it.
    add_executable(${name} EXCLUDE_FROM_ALL ${T_SOURCES})
  else()
    add_executable(${name} ${T_SOURCES})
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)

  set(props TIMEOUT ${T_TIMEOUT})
  if(T_RESOURCE_LOCK)
    list(APPEND props RESOURCE_LOCK ${T_RESOURCE_LOCK})
  endif()
  if(T_ENVIRONMENT)
    list(APPEND props ENVIRONMENT "${T_ENVIRONMENT}")
  endif()

  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    if(KIT_SMOKE_ONLY AND NOT T_SMOKE)
      list(APPEND props DISABLED TRUE)  # listed, so that callers may still set properties on it
    endif()
    set_tests_properties(${name} PROPERTIES ${props})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${props})
  endif()
endfunction()
