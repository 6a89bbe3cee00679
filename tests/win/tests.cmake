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
                     PROPERTIES RESOURCE_LOCK install_record TIMEOUT 120
                                FIXTURES_REQUIRED tool_tests_setup)
# Wine gives a process the regional settings of the locale it starts in, and the processes it
# starts inherit them: the Romanian cases run in a test process started in that locale.
gtest_discover_tests(tool_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
                     TEST_FILTER "*Romanian*" TEST_PREFIX "ro_RO."
                     PROPERTIES RESOURCE_LOCK install_record TIMEOUT 120
                                ENVIRONMENT "LANG=ro_RO.UTF-8;LC_ALL=ro_RO.UTF-8")

# A folder nobody may write to, for an installation the tool cannot change: a small file
# system holding an installation, mounted read-only (mounting needs root; without it the case
# says it was skipped). Wine run as root ignores the read-only attribute and has no ACLs; the
# kernel's refusal on a read-only mount is what remains.
set(read_only_fs ${CMAKE_BINARY_DIR}/readonlyfs)
add_test(NAME ReadOnlyFileSystem.Mount
         COMMAND sh -c "mkdir -p '${read_only_fs}' && umount '${read_only_fs}' 2>/dev/null; \
mount -t tmpfs -o size=1m tmpfs '${read_only_fs}' 2>/dev/null && \
mkdir '${read_only_fs}/Talvorinte' && echo 'MZ stand-in' > '${read_only_fs}/Talvorinte/Talvorinte.exe' && \
touch '${read_only_fs}/mounted' && mount -o remount,ro '${read_only_fs}'; true")
add_test(NAME ReadOnlyFileSystem.Unmount COMMAND sh -c "umount '${read_only_fs}' 2>/dev/null; true")
set_tests_properties(ReadOnlyFileSystem.Mount PROPERTIES FIXTURES_SETUP tool_tests_setup)
set_tests_properties(ReadOnlyFileSystem.Unmount PROPERTIES FIXTURES_CLEANUP tool_tests_setup)

# The shipped executable imports Windows system DLLs only: no runtime DLL may creep in.
add_test(NAME Executable.ImportsOnlySystemDlls
         COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DEXE=$<TARGET_FILE:UpTalvorinte>
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/win/check_imports.cmake)

# Extraction, against a test program that carries resources of its own: random bytes of an
# odd length as TALVORINTE/UPGRADE, and an empty TALVORINTE/EMPTY.
set(odd_payload ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/payload-odd.bin)
set(empty_payload ${CMAKE_CURRENT_BINARY_DIR}/payload-empty.bin)
add_custom_command(OUTPUT ${odd_payload} ${empty_payload}
                   COMMAND head -c 3282433 /dev/urandom > ${odd_payload}
                   COMMAND ${CMAKE_COMMAND} -E touch ${empty_payload}
                   COMMENT "Making the test payloads")
file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/payload_test.rc CONTENT
"LANGUAGE 0x18, 0x01
UPGRADE TALVORINTE \"${odd_payload}\"
EMPTY TALVORINTE \"${empty_payload}\"
")
set_property(SOURCE ${CMAKE_CURRENT_BINARY_DIR}/payload_test.rc APPEND PROPERTY OBJECT_DEPENDS
             ${odd_payload} ${empty_payload})
add_executable(payload_tests win/payload_test.cpp ${CMAKE_CURRENT_BINARY_DIR}/payload_test.rc)
target_link_libraries(payload_tests PRIVATE tool_harness GTest::gtest_main)
target_link_options(payload_tests PRIVATE -static)
add_dependencies(payload_tests UpTalvorinte Talvorinte-1.0006)
gtest_discover_tests(payload_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
                     PROPERTIES FIXTURES_REQUIRED payload_tests_setup TIMEOUT 120)

# A copy of the tool signed with a throwaway certificate; the signature must verify, and the
# payload tests read the signed copy too.
add_test(NAME Signing.ACopySignedWithATestCertificateVerifies
         COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:UpTalvorinte>
                 -DWORK=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/signed
                 -DSIGN_SCRIPT=${CMAKE_SOURCE_DIR}/cmake/sign.cmake
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/win/sign_copy.cmake)
set_tests_properties(Signing.ACopySignedWithATestCertificateVerifies
                     PROPERTIES FIXTURES_SETUP payload_tests_setup)

# A 1 MiB file system for the write that falls short (mounting needs root; without it the
# case says it was skipped).
set(small_fs ${CMAKE_BINARY_DIR}/smallfs)
add_test(NAME SmallFileSystem.Mount
         COMMAND sh -c "mkdir -p '${small_fs}' && umount '${small_fs}' 2>/dev/null; \
mount -t tmpfs -o size=1m tmpfs '${small_fs}' 2>/dev/null && touch '${small_fs}/mounted'; true")
add_test(NAME SmallFileSystem.Unmount COMMAND sh -c "umount '${small_fs}' 2>/dev/null; true")
set_tests_properties(SmallFileSystem.Mount PROPERTIES FIXTURES_SETUP payload_tests_setup)
set_tests_properties(SmallFileSystem.Unmount PROPERTIES FIXTURES_CLEANUP payload_tests_setup)

# The stand-in main application.
add_executable(cmdline_recorder win/cmdline_recorder.cpp)
target_link_options(cmdline_recorder PRIVATE -municode -static)
add_executable(standin_tests win/standin_test.cpp)
target_link_libraries(standin_tests PRIVATE tool_harness GTest::gtest_main)
target_link_options(standin_tests PRIVATE -static)
add_dependencies(standin_tests Talvorinte-1.0005 Talvorinte-1.0006 cmdline_recorder)
gtest_discover_tests(standin_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                     PROPERTIES RESOURCE_LOCK install_record TIMEOUT 120)

# The message dialog, driven by a small program of ours that calls it.
add_executable(dialog_driver WIN32 win/dialog_driver.cpp ${CMAKE_SOURCE_DIR}/src/UpTalvorinte.rc)
target_link_libraries(dialog_driver PRIVATE talvorinte_app)
target_link_options(dialog_driver PRIVATE -municode -static)
add_executable(dialog_tests win/dialog_test.cpp)
target_link_libraries(dialog_tests PRIVATE tool_harness GTest::gtest_main)
target_link_options(dialog_tests PRIVATE -static)
add_dependencies(dialog_tests dialog_driver)
foreach(picture information confirmation warning error)
  configure_file(${CMAKE_SOURCE_DIR}/assets/${picture}.bmp
                 ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${picture}.bmp COPYONLY)
endforeach()
gtest_discover_tests(dialog_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
                     PROPERTIES TIMEOUT 120)

# The replacement of the executable, with the stand-in as the running main application, and a
# build of the tool whose unattended wait is bounded at 3 seconds.
add_tool(UpTalvorinte-shortwait)
target_compile_definitions(UpTalvorinte-shortwait PRIVATE TALVORINTE_UNATTENDED_WAIT_MS=3000)
add_executable(replacement_tests win/replacement_test.cpp)
target_link_libraries(replacement_tests PRIVATE tool_harness GTest::gtest_main)
target_link_options(replacement_tests PRIVATE -static)
add_dependencies(replacement_tests UpTalvorinte UpTalvorinte-shortwait Talvorinte-1.0005
                 Talvorinte-1.0006)
gtest_discover_tests(replacement_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
                     PROPERTIES RESOURCE_LOCK install_record TIMEOUT 180)

# The end of a run and whole runs end to end.
add_executable(completion_tests win/completion_test.cpp)
target_link_libraries(completion_tests PRIVATE tool_harness GTest::gtest_main)
target_link_options(completion_tests PRIVATE -static)
add_dependencies(completion_tests UpTalvorinte Talvorinte-1.0005 Talvorinte-1.0006)
gtest_discover_tests(completion_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                     NO_PRETTY_VALUES TEST_FILTER "-*Romanian*"
                     PROPERTIES RESOURCE_LOCK install_record TIMEOUT 150)
gtest_discover_tests(completion_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                     NO_PRETTY_VALUES TEST_FILTER "*Romanian*" TEST_PREFIX "ro_RO."
                     PROPERTIES RESOURCE_LOCK install_record TIMEOUT 180
                                ENVIRONMENT "LANG=ro_RO.UTF-8;LC_ALL=ro_RO.UTF-8")

# The executable as a file: version information, hardening flags, the library search limit
# against a DLL planted beside a program.
add_library(planted SHARED win/planted_dll.c)
set_target_properties(planted PROPERTIES PREFIX "" OUTPUT_NAME planted)
target_link_options(planted PRIVATE -static -s)
add_executable(dll_probe win/dll_probe.cpp)
target_link_libraries(dll_probe PRIVATE talvorinte_app)
target_link_options(dll_probe PRIVATE -municode -static)
add_executable(executable_tests win/executable_test.cpp)
target_link_libraries(executable_tests PRIVATE tool_harness GTest::gtest_main version)
target_link_options(executable_tests PRIVATE -static)
add_dependencies(executable_tests UpTalvorinte dll_probe planted)
gtest_discover_tests(executable_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                     NO_PRETTY_VALUES PROPERTIES TIMEOUT 120)

# Killed at any moment, a run leaves nothing that the next run cannot mend: a build of the tool
# with a 64 MiB payload (the stand-in 1.0006 with random bytes appended), so that each phase
# lasts long enough to be hit.
set(large_payload ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/payload-large.exe)
add_custom_command(OUTPUT ${large_payload}
                   COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Talvorinte-1.0006> ${large_payload}
                   COMMAND sh -c "head -c 67108864 /dev/urandom >> \"$0\"" ${large_payload}
                   DEPENDS Talvorinte-1.0006 VERBATIM
                   COMMENT "Making the 64 MiB payload")
file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/payload-large.rc CONTENT
"LANGUAGE 0x18, 0x01
UPGRADE TALVORINTE \"${large_payload}\"
")
set_property(SOURCE ${CMAKE_CURRENT_BINARY_DIR}/payload-large.rc APPEND PROPERTY OBJECT_DEPENDS
             ${large_payload})
add_tool(UpTalvorinte-large ${CMAKE_CURRENT_BINARY_DIR}/payload-large.rc)
add_executable(recovery_tests win/recovery_test.cpp)
target_link_libraries(recovery_tests PRIVATE tool_harness GTest::gtest_main)
target_link_options(recovery_tests PRIVATE -static)
add_dependencies(recovery_tests UpTalvorinte-large Talvorinte-1.0005)
gtest_discover_tests(recovery_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
                     PROPERTIES RESOURCE_LOCK install_record TIMEOUT 600)
