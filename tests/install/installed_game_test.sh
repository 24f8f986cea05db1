#!/usr/bin/env bash
# The installed game as players start it: a DESTDIR installation, two ordinary users made for the
# test, each starting the installed launcher in a private X server. The first user's first start
# shows the window, the title with the record 999, leaves the title on a click and ends with
# Escape and code 0, writing nothing but its run folder (and the OpenGL driver's cache). A record then put in that user's data
# folder is on the title of their next start; the second user still sees 999. The title's record
# is read by comparing its white text with titles the game drew headless (record 12 and 999).
# The installed tree stays as installed and cannot be written by the players.
# Needs root (to make the users); skipped with a reason otherwise.
# Usage: installed_game_test.sh BUILD_FOLDER PREFIX
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
  echo "SKIPPED: making the test's users needs root"
  exit 77
fi
here=$(cd "$(dirname "$0")" && pwd)
sources=$(cd "$here/../.." && pwd)
source "$here/installed_tree.sh"
source "$here/../smoke/x_session.sh"
work=$(mktemp -d)
chmod 755 "$work"
users=() xvfb_pid="" game_pid=""
cleanup() {
  if [ -n "$game_pid" ]; then
    kill "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
  fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  for user in "${users[@]}"; do
    pkill -KILL -u "$user" 2>/dev/null || true
    userdel "$user" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  [ -n "${DISPLAY:-}" ] && xwd -root -silent | python3 "$x_session_dir/xwd_to_png.py" "$work/failure.png" &&
    cp "$work/failure.png" "$PWD/installed_game_failure.png" && echo "screen: $PWD/installed_game_failure.png" >&2
  exit 1
}

# Makes an ordinary user with a fresh home below $work; the shadow tools lock the user files,
# so another test run making its users at the same moment is waited for.
make_user() {
  local name=$1 home=$work/home-$1
  for _ in $(seq 50); do
    useradd --no-create-home --home-dir "$home" --shell /bin/sh --user-group "$name" 2>"$work/useradd.log" && break
    sleep 0.2
  done
  id "$name" >/dev/null 2>&1 || fail "useradd $name: $(cat "$work/useradd.log")"
  users+=("$name")
  mkdir -m 700 "$home"
  chown "$name:$name" "$home"
}

# Runs the rest as user $1 in a clean environment of theirs.
as_user() {
  local user=$1
  shift
  setpriv --reuid="$user" --regid="$user" --init-groups \
    env -i HOME="$work/home-$user" PATH=/usr/bin:/bin DISPLAY="$DISPLAY" SDL_AUDIODRIVER=dummy \
    ASAN_OPTIONS=detect_leaks=0 "$@"
}

screenshot() { xwd -silent -id "$window" | python3 "$x_session_dir/xwd_to_png.py" "$1"; }

# True when the title's white text in the window matches the headless title $1: the comparison
# passes (lines shown in only one of them, such as the blinking CLICK, are left out) and at least
# two lines, the name and the record, are shown alike by both (none are during the fade-in).
title_matches() {
  python3 "$x_session_dir/compare_white_text.py" "$work/title.png" "$1" headless >"$work/compare.log" 2>&1 &&
    [ "$(awk '/^footprint/ {f = 1} f && /: same$/' "$work/compare.log" | wc -l)" -ge 2 ]
}

# Starts the launcher as user $1, waits for the window and for the title whose record matches
# the headless title $2 (the fade-in takes a moment), and checks that it does not match $3.
start_and_read_title() {
  local user=$1 expected=$2 other=$3
  as_user "$user" "$launcher" >"$work/game-$user.log" 2>&1 &
  game_pid=$!
  find_window --class '^pokutan$'
  expect_640_by_480 "$(xwininfo -id "$window")"
  wait_for_brightness 5 128 || fail "$user's title is not drawn"
  sleep 1.5  # the title's fade-in; each comparison costs a second of processor time
  for _ in $(seq 20); do
    screenshot "$work/title.png"
    title_matches "$expected" && break
    sleep 0.25
  done
  title_matches "$expected" || fail "$user's title is not the one of $(basename "$expected"): $(cat "$work/compare.log")"
  python3 "$x_session_dir/compare_white_text.py" "$work/title.png" "$other" other >/dev/null &&
    fail "$user's title matches $(basename "$other") too"
  echo "installed: $user's title shows the record of $(basename "$expected")"
}

# A click on the title starts the fade into a play: waits (a loaded machine slows the fade) for
# the picture to fall below half its brightness on the title.
click_leaves_title() {
  wait_for_brightness 5 128 || fail "the title is not drawn"
  local before=$picture_brightness
  xdotool mousemove --window "$window" 320 240 click 1
  wait_for_brightness -1 "$(awk -v b="$before" 'BEGIN {print b / 2}')" ||
    fail "the picture did not go dark after the click"
  echo "installed: title brightness $before, $picture_brightness after the click"
}

install_build "$1" "$2"
chmod -R a+rX "$work/root"
installed=$(tree_state)
record_999=$sources/tests/e2e/references/title_999.png
record_12=$sources/docs/title.png  # the README's title, drawn headless with the record 12
start_xvfb
make_user "pokutan-t$$-a"
make_user "pokutan-t$$-b"
alice=${users[0]} bob=${users[1]}
alice_run=$work/home-$alice/.local/share/pokutan

start_and_read_title "$alice" "$record_999" "$record_12"
click_leaves_title
end_with_escape
echo "installed: Escape ended $alice's game with code 0"
[ ! -e "$alice_run/Resource/Binary/Miss.bin" ] || fail "a start without a goal wrote a record"
# Mesa, where SDL draws through it, keeps its shader cache in the player's cache folder, as it
# does for every OpenGL program; that is the driver's, not the game's.
written=$(cd "$work/home-$alice" && find . -mindepth 1 -not -path './.local/share/pokutan/*' \
  -not -path './.cache/mesa_shader_cache*' -not -path ./.cache | sort | tr '\n' ' ')
expect_eq "$written" "./.local ./.local/share ./.local/share/pokutan " \
  "what $alice's start wrote outside the run folder"
as_user "$alice" sh -c "echo x >'$prefix/share/games/pokutan/Resource/Texture/x'" 2>/dev/null &&
  fail "$alice can write into the installed tree"
as_user "$alice" sh -c "printf '12\r\n' >'$alice_run/Resource/Binary/Miss.bin'" ||
  fail "$alice cannot write her record file"

start_and_read_title "$alice" "$record_12" "$record_999"
end_with_escape
start_and_read_title "$bob" "$record_999" "$record_12"
end_with_escape
[ ! -e "$work/home-$bob/.local/share/pokutan/Resource/Binary/Miss.bin" ] || fail "$bob has a record"
expect_eq "$(cat "$alice_run/Resource/Binary/Miss.bin")" $'12\r' "$alice's record after $bob's start"
expect_eq "$(tree_state)" "$installed" "the installed tree after the players' starts"
echo "installed: every check passed"
