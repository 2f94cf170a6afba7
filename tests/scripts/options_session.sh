# shellcheck shell=bash
# The command line and the search for the data, run for real; sourced after
# lib.sh by the launcher of each executable, which sets:
#   GAME_COMMAND  how to start the executable (an array)
#   BESIDE        a command (array) starting a copy with Data/ beside it
#   REPLY_BOX     the caption of the box that shows --help, --version and a
#                 mistake, or empty when they are only printed (then they
#                 are asked for without a display)
#   NO_KEY        the key that answers No to the start-up question
#   BOX_SECONDS   how long a box or the window may take to come
#   FOLDERS_TRIED the labels of the folders the search tries, in order
# and has started the display. Every run starts in a folder whose Data/
# lacks Font.tga, so a run that reads the images from there fails.

# A folder as a pattern of the game's output: its name taken literally,
# with / or \ between its parts.
any_separator() {
  sed -e 's/[/\\]/\x01/g' -e 's/[]*^$+?(){}|.[]/\\&/g' -e 's/\x01/[\/\\\\]/g' <<<"$1"
}

# reply NAME CODE ARGUMENTS...: a run that only answers, in the box or
# without a display; its streams go to NAME.out and NAME.err (carriage
# returns dropped), and it ends with CODE.
reply() {
  local unset=(-u DISPLAY -u WAYLAND_DISPLAY)
  log "== ${*:3} answers with code $2"
  [ -z "$REPLY_BOX" ] || unset=()
  (cd "$BROKEN" && exec env "${unset[@]}" "${GAME_COMMAND[@]}" "${@:3}") \
    >"$ARTIFACTS/$1.crlf" 2>"$ARTIFACTS/$1.err" &
  GAME_PID=$!
  GAME_EXIT=""
  [ -z "$REPLY_BOX" ] || answer_box "$REPLY_BOX" Return "$BOX_SECONDS"
  expect_exit "$BOX_SECONDS" "$2"
  tr -d '\r' <"$ARTIFACTS/$1.crlf" >"$ARTIFACTS/$1.out"
}

# in_order FILE PATTERN...: every pattern matches a line of FILE, each one
# after the line the one before matched.
in_order() {
  local file="$1" after=0 line pattern
  for pattern in "${@:2}"; do
    line=$(tail -n "+$((after + 1))" "$file" | grep -nE -- "$pattern" | head -n 1 | cut -d: -f1)
    [ -n "$line" ] || fail "$(basename "$file") lacks \"$pattern\" after line $after"
    after=$((after + line))
  done
}

# expect_error NAME FOLDER ARGUMENTS...: started in FOLDER, the error box
# comes and the run ends with a failure code; the box's text is in NAME.log.
expect_error() {
  log "== $1: ${*:3} in $2"
  start_game "$2" "$ARTIFACTS/$1.log" "${GAME_COMMAND[@]}" "${@:3}"
  answer_box "$ERROR_TITLE" Return "$BOX_SECONDS"
  expect_exit 15 nonzero
}

options_session() {
  VERSION=$(sed -n 's/^project(pickrpg VERSION \([0-9.]*\).*/\1/p' \
    "$PICKRPG_SOURCE_DIR/CMakeLists.txt")
  [ -n "$VERSION" ] || fail "no project version in CMakeLists.txt"
  BROKEN="$ARTIFACTS/broken"
  mkdir -p "$BROKEN/Data" "$ARTIFACTS/elsewhere"
  cp "$PICKRPG_SOURCE_DIR"/Data/*.tga "$BROKEN/Data/"
  rm "$BROKEN/Data/Font.tga"
  local labels=() label
  for label in "${FOLDERS_TRIED[@]}"; do
    labels+=("\($label\)")
  done
  local others=("${labels[@]:2}")

  reply version 0 --version
  [ "$(cat "$ARTIFACTS/version.out")" = "pickrpg $VERSION" ] ||
    fail "--version printed \"$(cat "$ARTIFACTS/version.out")\", not \"pickrpg $VERSION\""
  # --help after --data lists that folder first, then the others.
  reply help 0 --data chosen --help
  in_order "$ARTIFACTS/help.out" "^Usage: pickrpg" "^  --data DIR    look for the images" \
    "$(any_separator "$BROKEN/chosen") \(given with --data\)$" \
    "$(any_separator "$BROKEN/Data") \(in the working directory\)$" "${others[@]/%/$}"
  # A mistake: named first on the error stream, then the usage; nothing on
  # the standard output.
  reply unknown 2 --windowed --bogus
  [ "$(head -n 1 "$ARTIFACTS/unknown.err")" = 'pickrpg: unknown option "--bogus"' ] &&
    [ ! -s "$ARTIFACTS/unknown.out" ] || fail "the mistake is not alone, first, on the error stream"
  in_order "$ARTIFACTS/unknown.err" "^Usage: pickrpg"
  reply no-folder 2 --windowed --data
  in_order "$ARTIFACTS/no-folder.err" "^pickrpg: --data needs a folder"

  # A window without the question: the images come from the folder --data
  # names, not from the broken Data/ in the working directory.
  play_to_window "$BROKEN" "$ARTIFACTS/data-wins.log" \
    "${GAME_COMMAND[@]}" --windowed --data "$PICKRPG_SOURCE_DIR/Data"
  # Answered No, the question gives the window too.
  play_to_window "$ARTIFACTS/elsewhere" "$ARTIFACTS/beside.log" "${BESIDE[@]}"

  # No data anywhere: the box names every folder tried, in order.
  expect_error nowhere "$ARTIFACTS/elsewhere" --windowed --data "$ARTIFACTS/nowhere"
  in_order "$ARTIFACTS/nowhere.log" "^Error: Cannot load Data/BlueFace.tga$" "^Folders tried:$" \
    "${labels[@]/%/: no such folder$}"
  # --data names no folder: the working directory's Data/ lacks Font.tga.
  expect_error lacking "$BROKEN" --windowed --data nowhere
  in_order "$ARTIFACTS/lacking.log" "Cannot load Data/Font.tga" "^Folders tried:$" \
    "$(any_separator "$BROKEN/nowhere") \(given with --data\): no such folder$" \
    "$(any_separator "$BROKEN/Data") \(in the working directory\): Font.tga is missing$"
  log "all command-line checks passed; logs in $ARTIFACTS"
}
