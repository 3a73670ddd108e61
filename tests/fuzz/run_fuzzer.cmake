# Runs one libFuzzer target from the SEEDS corpus; fails on any crash. A fixed
# seed and a fixed number of runs make the suite's fuzzing the same on every
# machine, so a red run can be replayed; SECONDS only caps a slow machine.
# Longer, open-ended runs: make fuzz.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/artifacts)
execute_process(
  COMMAND ${FUZZER} -seed=1 -runs=${RUNS} -max_total_time=${SECONDS} -rss_limit_mb=2048 -max_len=65536
          -print_final_stats=1 -artifact_prefix=${WORK}/artifacts/ ${WORK}/corpus ${SEEDS}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REGEX MATCH "stat::number_of_executed_units: *[0-9]+" runs "${err}")
message(STATUS "${FUZZER}: ${runs}")
if(NOT result EQUAL 0)
  # The end of the log holds the report; the progress lines before it do not.
  string(LENGTH "${err}" len)
  if(len GREATER 6000)
    math(EXPR from "${len} - 6000")
    string(SUBSTRING "${err}" ${from} -1 err)
  endif()
  message(FATAL_ERROR "fuzzer failed (${result}; inputs in ${WORK}/artifacts):\n${err}")
endif()
