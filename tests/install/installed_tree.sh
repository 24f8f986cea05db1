# Shell functions shared by the install tests: a DESTDIR installation of the build into a
# temporary root, and checks that print what failed. Sourced; the caller sets `work` (a scratch
# folder) and defines nothing else.

# Installs the build folder $1 with the prefix it was configured with ($2) below $work/root and
# sets root (the DESTDIR), prefix (root plus the prefix) and launcher.
install_build() {
  root=$work/root
  DESTDIR=$root cmake --install "$1" >"$work/install.log" 2>&1 ||
    fail "cmake --install failed: $(tail -n 5 "$work/install.log")"
  prefix=$root$2
  launcher=$prefix/games/pokutan
  [ -x "$launcher" ] || fail "no launcher at $launcher"
}

# A listing of every installed file with its checksum and mode, to see that nothing changed.
tree_state() { (cd "$root" && find . -printf '%M %p\n' | sort && find . -type f -exec md5sum {} + | sort); }

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
expect_eq() { [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"; }
expect_grep() { grep -q -- "$1" "$2" || fail "$3: no '$1' in: $(cat "$2")"; }
