# Signs a copy of the tool with a throwaway self-made certificate, the way the build signs
# the tool, and fails unless the signature verifies against that certificate.
#   cmake -DEXE=<tool> -DWORK=<folder> -DSIGN_SCRIPT=<sign.cmake> -P sign_copy.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Talvorinte Test"
                        -keyout "${WORK}/key.pem" -out "${WORK}/cert.pem"
                RESULT_VARIABLE failed OUTPUT_QUIET ERROR_VARIABLE output)
if(failed)
  message(FATAL_ERROR "making the certificate failed:\n${output}")
endif()
file(COPY_FILE "${EXE}" "${WORK}/UpTalvorinte.exe")
execute_process(COMMAND ${CMAKE_COMMAND} -DEXE=${WORK}/UpTalvorinte.exe -DCERT=${WORK}/cert.pem
                        -DKEY=${WORK}/key.pem -P "${SIGN_SCRIPT}"
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "signing failed")
endif()
execute_process(COMMAND osslsigncode verify -in "${WORK}/UpTalvorinte.exe" -CAfile "${WORK}/cert.pem"
                RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
message(STATUS "${output}")
if(failed)
  message(FATAL_ERROR "the signature does not verify")
endif()
# An unsigned file must not pass the same check: the verification is real.
execute_process(COMMAND osslsigncode verify -in "${EXE}" -CAfile "${WORK}/cert.pem"
                RESULT_VARIABLE unsigned_failed OUTPUT_QUIET ERROR_QUIET)
if(NOT unsigned_failed)
  message(FATAL_ERROR "the unsigned tool verified")
endif()
