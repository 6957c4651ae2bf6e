# The Linux build uses Debian's own hardening flags, as dpkg-buildflags gives them
# for a package built on this machine, so lintian finds the binary as hardened as
# the archive's. "+all" adds bindnow (-z now), which Debian 12 leaves out by
# default. Optimisation and debug flags stay with the build type.
find_program(MURVANE_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT MURVANE_DPKG_BUILDFLAGS)
  message(WARNING "dpkg-buildflags not found: building without Debian's hardening flags")
  return()
endif()

function(murvane_buildflags kind out)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
      ${MURVANE_DPKG_BUILDFLAGS} --get ${kind}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^-(O.*|g.*|ffile-prefix-map=.*)$")
  set(${out} ${flags} PARENT_SCOPE)
endfunction()

murvane_buildflags(CPPFLAGS murvane_cppflags)
murvane_buildflags(CXXFLAGS murvane_cxxflags)
murvane_buildflags(LDFLAGS murvane_ldflags)
add_compile_options(${murvane_cppflags} ${murvane_cxxflags})
add_link_options(${murvane_ldflags})

# PIE for the programs; dpkg-buildflags leaves it to the compiler's default.
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported()
