# Optional Authenticode signing of the programs that ship, after linking
# (scripts/sign). Without a key the build is unsigned. The password stays in
# its file: only the file's name reaches a command line.
set(BREVANTO_SIGN_PKCS12 "" CACHE FILEPATH "PKCS#12 key and certificates that sign setup.exe (empty: unsigned)")
set(BREVANTO_SIGN_PASSWORD_FILE "" CACHE FILEPATH "File whose first line is the key's password")
set(BREVANTO_SIGN_URL "" CACHE STRING "Web address shown with the signature (optional)")
set(BREVANTO_SIGN_TIMESTAMP_URL "" CACHE STRING "RFC 3161 time-stamp server (optional, needs the network)")

if(BREVANTO_SIGN_PKCS12 AND NOT BREVANTO_SIGN_PASSWORD_FILE)
  message(FATAL_ERROR "BREVANTO_SIGN_PKCS12 is set: set BREVANTO_SIGN_PASSWORD_FILE too")
endif()

# Signs target's file after every link, with description shown by Windows.
function(brevanto_sign target description)
  if(NOT WIN32 OR NOT BREVANTO_SIGN_PKCS12)
    return()
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E env
            "BREVANTO_SIGN_PKCS12=${BREVANTO_SIGN_PKCS12}"
            "BREVANTO_SIGN_PASSWORD_FILE=${BREVANTO_SIGN_PASSWORD_FILE}"
            "BREVANTO_SIGN_URL=${BREVANTO_SIGN_URL}"
            "BREVANTO_SIGN_TIMESTAMP_URL=${BREVANTO_SIGN_TIMESTAMP_URL}"
            ${CMAKE_SOURCE_DIR}/scripts/sign $<TARGET_FILE:${target}> ${description}
    VERBATIM)
endfunction()
