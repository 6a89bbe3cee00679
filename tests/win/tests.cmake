# Tests of the Windows build. They run under Wine (the toolchain's emulator) in the private
# prefix that scripts/test.sh prepares; those that share the installation record run one at a
# time (ctest runs serially).
add_library(tool_harness STATIC win/harness.cpp)
target_link_libraries(tool_harness PUBLIC talvorinte_app GTest::gtest)

add_executable(locale_probe win/locale_probe.cpp)
target_link_options(locale_probe PRIVATE -static)

add_executable(tool_tests win/main_window_test.cpp)
target_link_libraries(tool_tests PRIVATE tool_harness GTest::gtest_main)
target_link_options(tool_tests PRIVATE -static)
add_dependencies(tool_tests UpTalvorinte locale_probe)
gtest_discover_tests(tool_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
                     TEST_FILTER "-*Romanian*"
                     PROPERTIES RESOURCE_LOCK install_record TIMEOUT 120)
# Wine gives a process the regional settings of the locale it starts in, and the processes it
# starts inherit them: the Romanian cases run in a test process started in that locale.
gtest_discover_tests(tool_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
                     TEST_FILTER "*Romanian*" TEST_PREFIX "ro_RO."
                     PROPERTIES RESOURCE_LOCK install_record TIMEOUT 120
                                ENVIRONMENT "LANG=ro_RO.UTF-8;LC_ALL=ro_RO.UTF-8")

# The shipped executable imports Windows system DLLs only: no runtime DLL may creep in.
add_test(NAME Executable.ImportsOnlySystemDlls
         COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DEXE=$<TARGET_FILE:UpTalvorinte>
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/win/check_imports.cmake)
