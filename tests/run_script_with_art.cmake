# Runs a scenario script that needs the fighters' generated art; until the data folder
# holds it, the test is reported as skipped. Invoked by CTest with -DART=<a fighter file>
# and the variables of run_script.cmake.
if(NOT EXISTS ${ART})
  message("SKIPPED: the fighters' art is not generated yet (${ART})")
  return()
endif()
include(${CMAKE_CURRENT_LIST_DIR}/run_script.cmake)
