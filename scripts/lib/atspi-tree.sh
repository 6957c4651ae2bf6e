# Sourced by the end-to-end scripts that read a desktop's accessibility tree,
# as a screen reader does: the accessibility bus, and the tree of one program
# on it (scripts/lib/atspi_tree.py). Needs harness.sh and $work.

# Asked only once the launcher owns its name: on a bus that starts services a
# question before would start a second launcher.
a11y_bus_up() {
  gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
    -m org.freedesktop.DBus.NameHasOwner org.a11y.Bus 2>/dev/null | grep -q true &&
    gdbus call --session --timeout 5 -d org.a11y.Bus -o /org/a11y/bus -m org.a11y.Bus.GetAddress \
    >/dev/null 2>&1
}

# The names of the programs registered on the accessibility bus, one a line.
# The first question to the desktop is what starts its registry.
accessible_apps() { timeout 20 /usr/bin/python3 scripts/lib/atspi_tree.py --apps 2>>"$work/atspi.log"; }
registry_up() { accessible_apps >/dev/null; }

# A program registers with the registry as it starts: both must be up before
# the desktop whose tree is read. The bus ends with the script, its registry
# with the bus.
start_accessibility_bus() {
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/a11y-bus.log" 2>&1 &
  pids+=($!)
  poll 10 a11y_bus_up || { echo "the accessibility bus did not start"; cat "$work/a11y-bus.log"; return 1; }
  poll 10 registry_up || { echo "the accessibility registry did not start"; tail -n 5 "$work/atspi.log"; return 1; }
}

# "depth<TAB>role<TAB>name<TAB>description<TAB>states" of each node of the
# program registered as $1; a program that does not answer ends it after a minute.
accessible_tree() {  # $1: the program's name on the bus
  timeout 60 /usr/bin/python3 scripts/lib/atspi_tree.py "$1" 2>>"$work/atspi.log"
}

# The nodes of a tree (on stdin) a user reaches by keyboard, of role $1 and name $2.
reachable_nodes() {  # $1: role, $2: name
  awk -F '\t' -v role="$1" -v name="$2" '$2 == role && $3 == name && $5 ~ /showing/ && $5 ~ /focusable/'
}
reachable_count() {  # $1: program, $2: role, $3: name, $4: how many
  [ "$(accessible_tree "$1" | reachable_nodes "$2" "$3" | wc -l)" -eq "$4" ]
}

# Says, for each text, the nodes of the program's tree whose name or
# description holds it, or that none does.
tell_nodes_naming() {  # $1: program, then the texts
  local tree text
  tree=$(accessible_tree "$1") || { echo "  no tree of $1"; return 0; }
  shift
  for text in "$@"; do
    awk -F '\t' -v text="$text" '
      index($3, text) || index($4, text) {
        printf "  %s in: %s \"%s\", description \"%s\" (%s)\n", text, $2, $3, $4, $5; found = 1 }
      END { if (!found) print "  no node of the tree has " text " in its name or description" }' <<<"$tree"
  done
}
