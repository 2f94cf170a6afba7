# shellcheck shell=bash
# The command line and the search for the data, run for real; sourced after
# lib.sh by the launcher of each executable, which sets:
#   GAME_COMMAND  how to start the executable (an array)
#   BESIDE        a command (array) starting a copy with Data/ beside it
#   REPLY_BOX     the caption of the box that shows --help, --version and a
#                 mistake, or empty when they are only printed (then they
#                 are asked for without a display)
#   BOX_SECONDS   how long a box or the window may take to come
#   FOLDERS_TRIED the labels of the folders the search tries, in order
# and has started the display. Every run starts in a folder whose Data/
# lacks Font.tga, so a run that reads the images from there fails.

# A folder as a pattern of the game's output: its name taken literally,
# with / or \ between its parts.
any_separator() {
  sed -e 's/[/\\]/\x01/g' -e 's/[]*^$+?(){}|.[]/\\&/g' -e 's/\x01/[\/\\\\]/g' <<<"$1"
}

# reply NAME CODE ARGUMENTS...: a run that only answers; its streams go to
# NAME.out and NAME.err, and it ends with CODE.
reply() {
  local name="$1" code="$2"
  shift 2
  log "== $* answers with code $code"
  if [ -z "$REPLY_BOX" ]; then
    (cd "$BROKEN" && exec env -u DISPLAY -u WAYLAND_DISPLAY "${GAME_COMMAND[@]}" "$@") \
      >"$ARTIFACTS/$name.out" 2>"$ARTIFACTS/$name.err" &
  else
    (cd "$BROKEN" && exec "${GAME_COMMAND[@]}" "$@") >"$ARTIFACTS/$name.out" \
      2>"$ARTIFACTS/$name.err" &
  fi
  GAME_PID=$!
  GAME_EXIT=""
  [ -z "$REPLY_BOX" ] || answer_box "$REPLY_BOX" Return "$BOX_SECONDS"
  expect_exit "$BOX_SECONDS" any
  [ "$GAME_EXIT" -eq "$code" ] || fail "exit code $GAME_EXIT, expected $code"
  tr -d '\r' <"$ARTIFACTS/$name.out" >"$ARTIFACTS/$name.stdout"
}

# in_order FILE PATTERN...: every pattern matches a line of FILE, each one
# after the line the one before matched.
in_order() {
  local file="$1" after=0 line
  shift
  for pattern in "$@"; do
    line=$(tail -n "+$((after + 1))" "$file" | grep -nE -- "$pattern" | head -n 1 | cut -d: -f1)
    [ -n "$line" ] || fail "$(basename "$file") lacks \"$pattern\" after line $after"
    after=$((after + line))
  done
  log "$(basename "$file") names in order: $*"
}

options_session() {
  VERSION=$(sed -n 's/^project(pickrpg VERSION \([0-9.]*\).*/\1/p' "$PICKRPG_SOURCE_DIR/CMakeLists.txt")
  [ -n "$VERSION" ] || fail "no project version in CMakeLists.txt"
  BROKEN="$ARTIFACTS/broken"
  data_without "$BROKEN" Font.tga
  reply version 0 --version
  [ "$(cat "$ARTIFACTS/version.stdout")" = "pickrpg $VERSION" ] ||
    fail "--version printed \"$(cat "$ARTIFACTS/version.stdout")\", not \"pickrpg $VERSION\""

  # --help after --data lists that folder first, then the others.
  reply help 0 --data chosen --help
  local labels=() label
  for label in "${FOLDERS_TRIED[@]}"; do
    labels+=("\($label\)")
  done
  local others=("${labels[@]:2}")
  in_order "$ARTIFACTS/help.stdout" "^Usage: pickrpg" "^  --data DIR    look for the images" \
    "$(any_separator "$BROKEN/chosen") \(given with --data\)$" \
    "$(any_separator "$BROKEN/Data") \(in the working directory\)$" "${others[@]/%/$}"

  reply unknown 2 --windowed --bogus
  [ "$(head -n 1 "$ARTIFACTS/unknown.err")" = 'pickrpg: unknown option "--bogus"' ] ||
    fail "the unknown option is not named first: $(head -n 1 "$ARTIFACTS/unknown.err")"
  in_order "$ARTIFACTS/unknown.err" "^Usage: pickrpg"
  [ ! -s "$ARTIFACTS/unknown.out" ] || fail "a mistake printed to the standard output"
  reply no-folder 2 --windowed --data
  in_order "$ARTIFACTS/no-folder.err" "^pickrpg: --data needs a folder"

  # A window without the question (nobody answers one, so the window could
  # not come after it): the images come from the folder --data names, not
  # from the broken Data/ in the working directory.
  play_until_window data-wins "--data wins over the working directory's Data/" "$BROKEN" \
    "${GAME_COMMAND[@]}" --windowed --data "$PICKRPG_SOURCE_DIR/Data"
  mkdir -p "$ARTIFACTS/elsewhere"
  play_until_window beside "a copy with Data/ beside it, from a folder without Data/" \
    "$ARTIFACTS/elsewhere" "${BESIDE[@]}" --windowed

  log "== no data anywhere: the box names every folder tried, in order"
  expect_error nowhere "$ARTIFACTS/elsewhere" "Cannot load Data/BlueFace.tga" \
    --windowed --data "$ARTIFACTS/nowhere"
  in_order "$ARTIFACTS/nowhere.log" "^Error: Cannot load Data/BlueFace.tga$" "^Folders tried:$" \
    "${labels[@]/%/: no such folder$}"

  log "== --data names no folder: the working directory's Data/ lacks Font.tga"
  expect_error lacking "$BROKEN" "Cannot load Data/Font.tga" --windowed --data nowhere
  in_order "$ARTIFACTS/lacking.log" "^Folders tried:$" \
    "$(any_separator "$BROKEN/nowhere") \(given with --data\): no such folder$" \
    "$(any_separator "$BROKEN/Data") \(in the working directory\): Font.tga is missing$"
  log "all command-line checks passed; logs in $ARTIFACTS"
}

# play_until_window NAME WHAT FOLDER COMMAND...
play_until_window() {
  local name="$1"
  log "== $2"
  start_game "$3" "$ARTIFACTS/$name.log" "${@:4}"
  wait_for_window "$GAME_TITLE" "$BOX_SECONDS"
  ! window_shown "$QUESTION_TITLE" || fail "the start-up question was asked"
  quit_game
}

# expect_error NAME FOLDER FIRST_LINE ARGUMENTS...: started in FOLDER, the
# error box comes, the run ends with a failure code, and its output in
# NAME.log names the error.
expect_error() {
  local name="$1" first="$3"
  start_game "$2" "$ARTIFACTS/$name.log" "${GAME_COMMAND[@]}" "${@:4}"
  answer_box "$ERROR_TITLE" Return "$BOX_SECONDS"
  expect_exit 15 nonzero
  expect_output "$ARTIFACTS/$name.log" "$first"
}
