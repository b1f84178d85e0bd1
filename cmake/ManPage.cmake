# Writes the manual page of the command-line program from its own --help and
# the --help of each of its commands, so the page lists exactly the options
# the program takes. Run by the build:
#
#   cmake -DTREVALON=path/to/trevalon -DOUTPUT=trevalon.1 -DVERSION=3.0.0.1 -P ManPage.cmake
#
# CLI11's help is regular: a description line, "Usage: ...", then headings
# ("Options:", "Positionals:", "Subcommands:") over lines of an item and its
# text separated by two or more blanks. The page carries no date, so the same
# program always gives the same page.
cmake_minimum_required(VERSION 3.25)
foreach(var TREVALON OUTPUT VERSION)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "ManPage.cmake: -D${var}=... is required")
  endif()
endforeach()

function(run_help out)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${TREVALON} ${ARGN} --help
    OUTPUT_VARIABLE text RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "ManPage.cmake: trevalon ${ARGN} --help failed (${rc})")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Text made safe for roff: backslashes, hyphens that must stay minus signs
# (options are copied from the page), a leading dot or quote.
function(roff out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  if(text MATCHES "^[.']")
    set(text "\\&${text}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The help text as a CMake list of lines; ';' and brackets would otherwise
# split or join list items.
function(help_lines out text)
  string(REPLACE ";" "<semicolon>" text "${text}")
  string(REPLACE "[" "<open>" text "${text}")
  string(REPLACE "]" "<close>" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

function(restore out line)
  string(REPLACE "<semicolon>" ";" line "${line}")
  string(REPLACE "<open>" "[" line "${line}")
  string(REPLACE "<close>" "]" line "${line}")
  set(${out} "${line}" PARENT_SCOPE)
endfunction()

# Appends the roff of one help text to `page`; `description` and `usage`
# receive its first two lines; `commands` the items under "Subcommands:".
function(format_help text)
  help_lines(lines "${text}")
  set(body "")
  set(usage "")
  set(description "")
  set(heading "")
  set(commands "")
  foreach(line IN LISTS lines)
    restore(line "${line}")
    if(line STREQUAL "")
      continue()
    elseif(description STREQUAL "" AND usage STREQUAL "" AND NOT line MATCHES "^Usage: ")
      set(description "${line}")
    elseif(line MATCHES "^Usage: (.*)$")
      set(usage "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^([A-Za-z]+):$")
      set(heading "${CMAKE_MATCH_1}")
      string(APPEND body ".PP\n\\fB${heading}:\\fR\n")
    elseif(line MATCHES "^  +([^ ]+( [^ ]+)*)(  +(.*))?$")
      # An item (single blanks inside) and its text after two or more blanks.
      set(item "${CMAKE_MATCH_1}")
      set(what "${CMAKE_MATCH_4}")
      if(heading STREQUAL "Subcommands")
        string(REGEX REPLACE " .*" "" name "${item}")
        list(APPEND commands "${name}")
      endif()
      roff(item "${item}")
      roff(what "${what}")
      string(APPEND body ".TP\n\\fB${item}\\fR\n${what}\n")
    else()
      roff(line "${line}")
      string(APPEND body ".PP\n${line}\n")
    endif()
  endforeach()
  set(description "${description}" PARENT_SCOPE)
  set(usage "${usage}" PARENT_SCOPE)
  set(commands "${commands}" PARENT_SCOPE)
  set(body "${body}" PARENT_SCOPE)
endfunction()

run_help(top)
format_help("${top}")
set(top_description "${description}")
set(top_body "${body}")
set(synopsis "")
roff(u "${usage}")
string(APPEND synopsis "${u}\n.br\n")
set(command_sections "")
if(commands STREQUAL "")
  message(FATAL_ERROR "ManPage.cmake: no commands found in trevalon --help")
endif()
foreach(command IN LISTS commands)
  run_help(text ${command})
  format_help("${text}")
  roff(u "${usage}")
  string(APPEND synopsis "${u}\n.br\n")
  roff(d "${description}")
  string(APPEND command_sections ".SS ${command}\n${d}\n.PP\n\\fBUsage:\\fR ${u}\n${body}")
endforeach()

roff(name_line "${top_description}")
roff(version "${VERSION}")
set(page ".\\\" The manual page of trevalon, written from its --help by cmake/ManPage.cmake.
.TH TREVALON 1 \"\" \"Trevalon ${version}\" \"User Commands\"
.SH NAME
trevalon \\- ${name_line}
.SH SYNOPSIS
.nh
${synopsis}.hy
.SH DESCRIPTION
\\fBtrevalon\\fR runs the engineering work of the desktop program \\fBtrevalon\\-gui\\fR
headless: it analyses and designs simply\\-supported composite steel and concrete floor
beams to AS/NZS 2327 and writes the results report.
${top_body}.SH COMMANDS
${command_sections}.SH EXIT STATUS
.TP
.B 0
success: every beam passes
.TP
.B 1
the run completed and some beam fails its assessment
.TP
.B 2
bad usage, or a file or library that cannot be read or does not validate
.SH FILES
The library \\fITrevalon.tvl\\fR and the sample project \\fISampleAnalysis.tva\\fR are read
from the program's folder, else from \\fI../share/trevalon\\fR beside it (for a program in
\\fI/usr/bin\\fR, \\fI/usr/share/trevalon\\fR), where the user manual \\fITrevalon.pdf\\fR
and \\fIReadMe.txt\\fR are too.
.TP
.I ~/.config/Trevalon/Trevalon.ini
the desktop program's settings (under \\fB$XDG_CONFIG_HOME\\fR when set)
.TP
.I ~/.local/share/Trevalon/
working files (under \\fB$XDG_DATA_HOME\\fR when set)
.SH SEE ALSO
The user manual \\fITrevalon.pdf\\fR, which also describes the desktop program
\\fBtrevalon\\-gui\\fR.
")
file(WRITE ${OUTPUT} "${page}")
