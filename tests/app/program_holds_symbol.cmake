# Fails unless the executable PROGRAM defines the data symbol SYMBOL (so its initialiser runs
# when the program starts). Run with: cmake -DNM=... -DPROGRAM=... -DSYMBOL=... -P this file.
execute_process(COMMAND ${NM} -C ${PROGRAM} OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${NM} could not read ${PROGRAM}")
endif()
if(NOT symbols MATCHES "[0-9a-f]+ [BbDdRr] ${SYMBOL}\n")
  message(FATAL_ERROR "${PROGRAM} does not define ${SYMBOL}")
endif()
