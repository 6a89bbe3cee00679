# Signs an executable in place with Authenticode (osslsigncode), SHA-256.
#   cmake -DEXE=... -DCERT=... -DKEY=... [-DOSSLSIGNCODE=...] -P sign.cmake
# CERT: the certificate (PEM or DER, chain allowed); KEY: its private key (PEM or DER).
if(NOT OSSLSIGNCODE)
  find_program(OSSLSIGNCODE osslsigncode REQUIRED)
endif()
foreach(input EXE CERT KEY)
  if(NOT EXISTS "${${input}}")
    message(FATAL_ERROR "sign.cmake: ${input} names no file: ${${input}}")
  endif()
endforeach()
set(signed "${EXE}.signed")
file(REMOVE "${signed}")
execute_process(COMMAND ${OSSLSIGNCODE} sign -certs "${CERT}" -key "${KEY}" -h sha256
                        -n "Actualizare Talvorinte" -in "${EXE}" -out "${signed}"
                RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(failed)
  file(REMOVE "${signed}")
  message(FATAL_ERROR "signing ${EXE} failed:\n${output}")
endif()
file(RENAME "${signed}" "${EXE}")
