# Writes the manual page of kalvora-cli from its own --help texts.
#   cmake -DCLI=path/to/kalvora-cli -DOUT=kalvora-cli.1 -DVERSION=x.y.z -P CliManPage.cmake

function(run_help out)
  execute_process(COMMAND ${CLI} ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "kalvora-cli ${ARGN} --help failed (${rc})")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Help text as preformatted roff: backslashes doubled, lines that would start
# with a control character protected.
function(to_roff out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

run_help(main)
string(REGEX MATCH "\nCommands:\n(.*)\n\nOptions of every command" _ "${main}")
set(command_lines "${CMAKE_MATCH_1}")
string(REPLACE "\n" ";" command_lines "${command_lines}")

set(page ".TH KALVORA-CLI 1 \"\" \"Kalvora ${VERSION}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\nkalvora-cli \\- Kalvora's signal-analysis operations without a window\n")
string(APPEND page ".SH SYNOPSIS\n.B kalvora-cli\n[\\-\\-help] [\\-\\-version] \\fICOMMAND\\fR [\\fIoptions\\fR]\n")
to_roff(main_roff "${main}")
string(APPEND page ".SH DESCRIPTION\n.nf\n${main_roff}.fi\n.SH COMMANDS\n")
foreach(line IN LISTS command_lines)
  string(REGEX MATCH "^  ([a-z]+( [a-z]+)?)  " _ "${line}")
  if(NOT CMAKE_MATCH_1)
    continue()
  endif()
  set(name "${CMAKE_MATCH_1}")
  string(REPLACE " " ";" args "${name}")
  run_help(help ${args})
  to_roff(help_roff "${help}")
  string(APPEND page ".SS ${name}\n.nf\n${help_roff}.fi\n")
endforeach()
string(APPEND page ".SH SEE ALSO\n.BR kalvora (1)\n")
file(WRITE "${OUT}" "${page}")
