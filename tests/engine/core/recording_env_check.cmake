# A host program chooses the recording input backend through the environment:
# nothing is injected and every call lands in the log file.
#   cmake -DPROGRAM=<hello_api> -DWORK=<dir> -P recording_env_check.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(ENV{TAVIX_INPUT_BACKEND} recording)
set(ENV{TAVIX_INPUT_LOG} ${WORK}/input.log)
execute_process(COMMAND ${PROGRAM} ${WORK}/shot.png RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} exited with ${status}")
endif()
file(STRINGS ${WORK}/input.log lines)
list(GET lines 0 first)
list(GET lines 1 second)
if(NOT first STREQUAL "SetCursorPos(100,100)" OR NOT second MATCHES "^mouse_event\\(0x8001,[0-9]+,[0-9]+,0,0\\)$")
    message(FATAL_ERROR "unexpected recording: ${lines}")
endif()
