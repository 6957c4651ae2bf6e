# Build step (cmake -P): turns CHANGELOG.md into the Debian changelog format that
# dpkg and lintian read from a native package's changelog.gz. Each "## X.Y.Z (date)"
# section becomes an entry and its "- " items become "*" items; Markdown emphasis
# and code marks are dropped. Set by the caller: IN, OUT, PACKAGE, MAINTAINER.
file(STRINGS "${IN}" lines)
set(out "")
set(version "")

macro(murvane_close_entry)
  if(version)
    execute_process(COMMAND date -u -R -d "${date}"
      OUTPUT_VARIABLE stamp OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    string(APPEND out "\n -- ${MAINTAINER}  ${stamp}\n\n")
  endif()
endmacro()

foreach(line IN LISTS lines)
  if(line MATCHES "^## ([0-9.]+) \\(([0-9-]+)\\)$")
    murvane_close_entry()
    set(version "${CMAKE_MATCH_1}")
    set(date "${CMAKE_MATCH_2}")
    string(APPEND out "${PACKAGE} (${version}) unstable; urgency=medium\n\n")
  elseif(version AND line MATCHES "^- (.*)$")
    string(REGEX REPLACE "[*`]" "" text "${CMAKE_MATCH_1}")
    string(APPEND out "  * ${text}\n")
  elseif(version AND line MATCHES "^  +(.*)$")
    string(REGEX REPLACE "[*`]" "" text "${CMAKE_MATCH_1}")
    string(APPEND out "    ${text}\n")
  endif()
endforeach()
murvane_close_entry()
file(WRITE "${OUT}" "${out}")
