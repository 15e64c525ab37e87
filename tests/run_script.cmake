# Runs one scenario script and, when SCRIPT's .out file exists, compares the driver's
# output with it. Invoked by CTest: cmake -DDRIVER=... -DSCRIPT=... -DWORKDIR=... -P this
file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})
execute_process(COMMAND ${DRIVER} ${SCRIPT}
  WORKING_DIRECTORY ${WORKDIR}
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
message("${output}${errors}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "vorkala-script exited with ${status}")
endif()
string(REGEX REPLACE "\\.vks$" ".out" expected_file ${SCRIPT})
if(EXISTS ${expected_file})
  file(READ ${expected_file} expected)
  if(NOT output STREQUAL expected)
    message(FATAL_ERROR "output differs from ${expected_file}:\n--- expected\n${expected}--- got\n${output}")
  endif()
endif()
