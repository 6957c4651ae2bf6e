# Runs at install time (cmake --install, cpack), when the prefix is known: the
# menu and autostart entries name the installed program by its absolute path,
# because KWin hands its key-state interface only to a program whose entry's
# Exec= is the very binary. Set by the caller: murvane_templates (folder of the
# .in files), murvane_desktop_id, murvane_bindir, murvane_datadir and
# murvane_sysconfdir (GNUInstallDirs' values, usually relative).

function(murvane_under_prefix dir out)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  else()
    set(${out} "${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
  endif()
endfunction()

# GNUInstallDirs' rule for the configuration folder: /usr keeps it in /etc and
# /opt/<name> in /etc/opt/<name>; any other prefix, such as ~/.local, its own etc,
# so an install by a user without root writes nothing outside the prefix.
if(CMAKE_INSTALL_PREFIX MATCHES "^/usr/?$" AND NOT IS_ABSOLUTE "${murvane_sysconfdir}")
  set(murvane_etc "/${murvane_sysconfdir}")
elseif(CMAKE_INSTALL_PREFIX MATCHES "^/opt/(.+)$" AND NOT IS_ABSOLUTE "${murvane_sysconfdir}")
  set(murvane_etc "/${murvane_sysconfdir}/opt/${CMAKE_MATCH_1}")
else()
  murvane_under_prefix("${murvane_sysconfdir}" murvane_etc)
endif()
murvane_under_prefix("${murvane_bindir}" murvane_full_bindir)
murvane_under_prefix("${murvane_datadir}" murvane_full_datadir)
set(MURVANE_BIN "${murvane_full_bindir}/murvane")
# Exec= takes quoted arguments; TryExec= is a plain path.
set(MURVANE_EXEC "${MURVANE_BIN}")
if(MURVANE_EXEC MATCHES "[ \t\"'\\><~|&;$*?#()`]")
  string(REGEX REPLACE "([\"`$\\])" "\\\\\\1" MURVANE_EXEC "${MURVANE_EXEC}")
  set(MURVANE_EXEC "\"${MURVANE_EXEC}\"")
endif()

macro(murvane_install_entry template folder name)
  set(murvane_entry "$ENV{DESTDIR}${folder}/${name}")
  message(STATUS "Installing: ${murvane_entry}")
  configure_file("${murvane_templates}/${template}" "${murvane_entry}" @ONLY)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${murvane_entry}")
endmacro()

murvane_install_entry(${murvane_desktop_id}.desktop.in "${murvane_full_datadir}/applications"
  ${murvane_desktop_id}.desktop)
# The autostart entry keeps the name murvane.desktop: a user's
# ~/.config/autostart/murvane.desktop with Hidden=true must keep switching it off.
murvane_install_entry(murvane-autostart.desktop.in "${murvane_etc}/xdg/autostart" murvane.desktop)
