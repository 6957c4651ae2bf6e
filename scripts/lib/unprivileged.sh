# Sourced by the scripts that run something as another, unprivileged user. The
# checkout may sit in a folder that user cannot enter (a clone in root's home or
# in a `mktemp -d` folder, both 0700), so what the user runs is first copied to
# a folder of the run that the user can read. Needs scripts/lib/harness.sh.

# Makes the system user when it is missing.
ensure_system_user() {  # $1: name
  id "$1" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$1"
}

# A new folder under /tmp that everyone may enter and read (its owner $3 when
# given may write); removed at exit. Not for $(...): the clean-up it adds would
# be lost with the subshell, so the folder is left in the variable named first.
readable_folder() {  # $1: variable, $2: name prefix, $3: owner (optional)
  local dir
  dir=$(mktemp -d "/tmp/$2.XXXXXX")
  chmod 755 "$dir"
  [ -z "${3:-}" ] || chown "$3" "$dir"
  at_exit "rm -rf '$dir'"
  printf -v "$1" '%s' "$dir"
}

# Copies files into a folder keeping their paths relative to the checkout, so a
# copied script that does `cd "$(dirname "$0")/.."` finds its lib/ beside it.
copy_into() {  # $1: folder, then paths relative to the checkout
  local to=$1
  shift
  cp -r --parents "$@" "$to/"
  chmod -R a+rX "$to"
}
