# The recording doubles of the desktop services belong to the tests and the
# probe; the program must not hold one of their symbols. Run as
#   cmake -DNM=<nm> -DPROGRAM=<program> -P program_holds_no_test_doubles.cmake
execute_process(COMMAND ${NM} -C ${PROGRAM}
                OUTPUT_VARIABLE symbols ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${NM} -C ${PROGRAM} failed: ${errors}")
endif()
# Finding nothing proves nothing unless nm read the program's own symbols.
if(NOT symbols MATCHES "korva::widgets::TQtMessages")
  message(FATAL_ERROR "${PROGRAM}: no symbol of the real services found; is it stripped?")
endif()
string(REGEX MATCHALL "[^\n]*(TRecording[A-Za-z]+|TMemorySettings)[^\n]*" doubles "${symbols}")
if(doubles)
  list(LENGTH doubles count)
  list(JOIN doubles "\n" listed)
  message(FATAL_ERROR "${PROGRAM} holds ${count} symbols of the recording doubles:\n${listed}")
endif()
message(STATUS "${PROGRAM} holds no symbol of the recording doubles")
