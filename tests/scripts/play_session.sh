# shellcheck shell=bash
# One scripted play session, sourced after lib.sh by the play tests and by
# the demo of run.sh. The caller sets GAME_COMMAND (an array), PLAY_FOLDER
# (the working directory, which holds Data/), SHOTS (where the screenshots
# go), QUESTION_SECONDS (how long the first box may take) and
# CHECK_WINDOW_ICON (yes where the window manager is handed the game's
# icon), and starts the display with play_display. Each step sends its input
# once and then waits, for a bounded time, until its effect shows; the
# session fails at the first step that does not show it.
#
# Much of the interface is translucent and the other person wanders behind
# it, so no check compares whole regions: text is judged by its glyph mask,
# pictures (buttons, the cursor) by their opaque pixels. Whatever the
# window's size, a screenshot is the game's 1024 x 768 picture, cut out of
# the window and scaled back, so every check speaks of logical pixels.

# Interface rectangles as ImageMagick crop geometries, top-down, for the
# 1024 x 768 picture. The log spans x 356 to 682 along the bottom; its
# right 30 pixels are the scroll squares, the rest holds the text; its
# newest line is at its bottom.
LOG_TEXT_REGION=296x136+356+632
LAST_LINE_REGION=296x14+356+752
PAUSE_REGION=160x60+30+10
BUTTON_SIZE=68
BUTTON_TOP=$((768 - 10 - BUTTON_SIZE))
LOOK_BUTTON_X=146
ATTACK_BUTTON_X=282
# The cursor is a 32 x 32 crosshair centred on the cursor's pixel. It rests
# between steps over the world at the left, away from every region a step
# looks at, and moves between the two places to show that a frame drawn
# after that move is on screen.
CROSSHAIR_SIZE=32
PARK_XS=(60 60)
PARK_YS=(400 470)
PARKED=0

# Two pixels count as different when a colour channel differs by more than
# the fuzz; a picture shows when almost all of its opaque pixels match. A
# picture drawn larger and scaled back softens lines one texel wide (the
# crosshair's arms lose a fifth of their brightness), so there the fuzz is
# wider.
FUZZ_AT_SIZE=10%
FUZZ_SCALED=30%
PICTURE_SHOWN_PERCENT=2
# Glyphs are white and everything behind text is far darker, so a pixel is
# part of the text when its darkest channel is above this level. Only the
# anti-aliased rims of glyphs, where they mix with what lies behind, can
# cross the level as the world moves: a few pixels, where one changed
# letter alone changes several dozen. A resampled line of text differs from
# the same line drawn at 1024 x 768 at the rims of its glyphs; another line
# differs in whole letters.
TEXT_LEVEL=80%
TEXT_SAME_PIXELS=10
TEXT_CHANGED_PIXELS=60
RESAMPLED_LINE_PIXELS=40
# The other person is tinted pure red (no green, no blue). Redness is red
# less green and blue: the brown walls, the green ground and the vases stay
# below the level, the person's face far above.
REDNESS='1 -1 -1 0 0 0 0 0 0'
# How long a step may take to show its effect on a loaded machine, and the
# person to wander into reach (deadlines for a failure only).
STEP_SECONDS=30
PERSON_SECONDS=300
# A screen wider than the game's shape, with room for a window of twice
# the game's size and its frame: full screen has bars left and right. The
# window is resized to twice the game's size and to a 2:1 shape, the
# picture twice the game's size between bars. (At a scale that is not whole
# the picture checks would need a looser measure; the unit tests prove
# those scales pick alike.)
PLAY_SCREEN=4096x2304
WINDOW_SIZES=("2048 1536" "3072 1536")

SHOT_NUMBER=0
LAST_SHOT=""
GAME_WINDOW=""
PICTURES=""
DETAIL=""
# The scale and the top-left corner of the game's picture in the client
# area, as the game fits it: s = min(W / 1024, H / 768), centred.
FIT="1 0 0"

# play_display FOLDER: the virtual display of the session, with a window
# manager, which resizes windows and shows them in full screen.
play_display() {
  SCREEN_GEOMETRY=${PLAY_SCREEN}x24
  start_display "$1"
  start_window_manager "$1"
}

# square_position X Y: the client pixel (top-down) of the centre of square
# (X, Y) of the centre cell while the player stands on (14, 14) at rest.
# The camera's projection worked out by hand, as gluProject does it:
# perspective 45 degrees, aspect 4 / 3, then the world moved by (-0.5, 0,
# -15); the square's centre lies at (X - 14 + 0.5, Y - 14 + 0.5, 1).
square_position() {
  awk -v x="$1" -v y="$2" 'BEGIN {
    f = 1 / (sin(3.14159265358979 / 8) / cos(3.14159265358979 / 8))
    ex = x - 14 + 0.5 - 0.5; ey = y - 14 + 0.5; depth = 15 - 1
    printf "%d %d\n", int((f / (4 / 3) * ex / depth + 1) / 2 * 1024),
      768 - int((f * ey / depth + 1) / 2 * 768)
  }'
}

# picture NAME SIZE FILE: the image of Data/FILE.tga as the game draws it in
# a SIZE x SIZE square, with the mask of its opaque pixels. The game's quads
# put the file's first row at the bottom; each pixel samples the image as
# GL's linear filter does, from the four nearest texels.
picture() {
  convert "$PLAY_FOLDER/Data/$3.tga" -flip -interpolate bilinear \
    -interpolative-resize "$2x$2!" "$PICTURES/$1-rgba.png" || fail "cannot read Data/$3.tga"
  convert "$PICTURES/$1-rgba.png" -alpha off "$PICTURES/$1.png"
  convert "$PICTURES/$1-rgba.png" -alpha extract -threshold 99% "$PICTURES/$1-mask.png"
  convert "$PICTURES/$1-mask.png" -format '%[fx:round(mean*w*h)]' info: >"$PICTURES/$1-count"
}

# capture FILE: a screenshot of the game's picture (light compression: a
# busy machine takes seconds over the default).
capture() {
  local fitted=()
  [ "$FIT" = "1 0 0" ] ||
    fitted=(-crop "$(fit_geometry)" +repage -filter Box -resize "$GAME_SIZE!")
  timeout "$IMPORT_SECONDS" import -window "$GAME_WINDOW" "${fitted[@]}" -quality 10 "$1" \
    2>/dev/null || fail "no screenshot of window $GAME_WINDOW"
}

# shot NAME: the next numbered screenshot, NN-NAME.png in $SHOTS.
shot() {
  SHOT_NUMBER=$((SHOT_NUMBER + 1))
  LAST_SHOT=$(printf '%s/%02d-%s.png' "$SHOTS" "$SHOT_NUMBER" "$1")
  capture "$LAST_SHOT"
}

# fit_window: works FIT out from the game window's client size.
fit_window() {
  FIT=$(client_size "$GAME_WINDOW" | awk -F x '{
    s = $1 / 1024; if ($2 / 768 < s) s = $2 / 768
    printf "%g %g %g\n", s, ($1 - 1024 * s) / 2, ($2 - 768 * s) / 2 }')
}

# The picture's rectangle in the client area, as a crop geometry.
fit_geometry() {
  awk -v fit="$FIT" 'BEGIN {
    split(fit, f, " "); printf "%dx%d+%d+%d\n", 1024 * f[1], 768 * f[1], f[2], f[3] }'
}

# on_window X Y: the client pixel that shows the middle of logical pixel
# (X, Y).
on_window() {
  awk -v x="$1" -v y="$2" -v fit="$FIT" 'BEGIN {
    split(fit, f, " "); printf "%d %d\n", f[2] + (x + 0.5) * f[1], f[3] + (y + 0.5) * f[1] }'
}

# shows_picture FILE NAME X Y: the picture shows centred on logical pixel
# (X, Y) of the screenshot: almost none of its opaque pixels differ.
shows_picture() {
  local opaque size mismatches fuzz=$FUZZ_AT_SIZE
  [ "$FIT" = "1 0 0" ] || fuzz=$FUZZ_SCALED
  read -r opaque <"$PICTURES/$2-count"
  size=$(identify -format %w "$PICTURES/$2.png")
  mismatches=$(convert "$1" -crop "${size}x$size+$(($3 - size / 2))+$(($4 - size / 2))" +repage \
    "$PICTURES/$2.png" -compose difference -composite -separate -evaluate-sequence max \
    -threshold "$fuzz" "$PICTURES/$2-mask.png" -compose multiply -composite \
    -format '%[fx:round(mean*w*h)]' info:) || fail "cannot compare $1 with the $2 picture"
  DETAIL="$mismatches of $opaque opaque pixels of the $2 picture differ at ($3, $4)"
  [ "$((mismatches * 100))" -le "$((opaque * PICTURE_SHOWN_PERCENT))" ]
}

# button_active X: the button whose left edge is at X shows its picture whole.
button_active() {
  shows_picture "$LAST_SHOT" "button-$1" $(($1 + BUTTON_SIZE / 2)) $((BUTTON_TOP + BUTTON_SIZE / 2))
}

# text_pixels BEFORE REGION: how many pixels are text in the newest
# screenshot or in BEFORE only.
text_pixels() {
  local glyphs=(-crop "$2" +repage -separate -evaluate-sequence min -threshold "$TEXT_LEVEL")
  COUNT=$(convert \( "$1" "${glyphs[@]}" \) \( "$LAST_SHOT" "${glyphs[@]}" \) \
    -compose difference -composite -format '%[fx:round(mean*w*h)]' info:)
  DETAIL="$COUNT text pixels changed in $2 since $(basename "$1")"
}

# text_changed BEFORE REGION / text_within BEFORE REGION PIXELS
text_changed() { text_pixels "$1" "$2" && [ "$COUNT" -ge "$TEXT_CHANGED_PIXELS" ]; }
text_within() { text_pixels "$1" "$2" && [ "$COUNT" -le "$3" ]; }

# await NAME WHAT CONDITION...: screenshots as NAME until CONDITION holds
# on the newest one, for STEP_SECONDS at most. NAME - keeps no screenshot.
await() {
  local name=$1 what=$2 deadline=$((SECONDS + STEP_SECONDS))
  shift 2
  if [ "$name" = - ]; then
    LAST_SHOT=$PICTURES/passing.miff
    capture "$LAST_SHOT"
  else
    shot "$name"
  fi
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] ||
      fail "$what: still $DETAIL after $STEP_SECONDS s ($(basename "$LAST_SHOT"))"
    capture "$LAST_SHOT"
  done
  [ "$name" = - ] || log "  ok: $what ($DETAIL)"
}

# judge WHAT CONDITION...: the newest screenshot as it is, for what shows
# in the same frame as the effect a step waited for.
judge() {
  "${@:2}" || fail "$1: $DETAIL ($(basename "$LAST_SHOT"))"
  log "  ok: $1 ($DETAIL)"
}

# park_cursor: the cursor to the other resting place; returns once a frame
# showing it there is on screen. The game handles its messages in order and
# draws a frame after each update, so that frame comes from an update after
# every input sent before.
park_cursor() {
  local deadline=$((SECONDS + STEP_SECONDS))
  PARKED=$((1 - PARKED))
  point_at "${PARK_XS[$PARKED]}" "${PARK_YS[$PARKED]}"
  until capture "$PICTURES/parking.miff" &&
    shows_picture "$PICTURES/parking.miff" crosshair "${PARK_XS[$PARKED]}" "${PARK_YS[$PARKED]}"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the cursor does not show where it rests: $DETAIL"
  done
}

# point_at X Y: the cursor to a logical pixel (top-down).
point_at() {
  # shellcheck disable=SC2046 # two numbers
  xdotool mousemove --window "$GAME_WINDOW" $(on_window "$1" "$2") || fail "cannot move the cursor"
}

# click X Y: a left click at a logical pixel (top-down; outside 0 to 1023
# it lies on a bar), then the cursor goes back to where it rested. A click
# acts when the game handles it, not at the next frame, so clicks in a row
# are never lost.
click() {
  # shellcheck disable=SC2046 # two numbers each
  xdotool mousemove --window "$GAME_WINDOW" $(on_window "$1" "$2") click 1 \
    mousemove --window "$GAME_WINDOW" $(on_window "${PARK_XS[$PARKED]}" "${PARK_YS[$PARKED]}") ||
    fail "cannot click at ($1, $2)"
}

# await_game_window SIZE WHAT [OLD]: sets GAME_WINDOW to the game's window
# once one with a client area of SIZE shows a drawn frame. F1 makes a new window,
# and the old one may pass through SIZE on its way out: after F1 the caller
# names the old one, which is never taken.
await_game_window() {
  local other_than=${3:-} deadline=$((SECONDS + 30))
  until GAME_WINDOW=$(find_window "$GAME_TITLE" "$1" "$other_than") &&
    window_drawn "$GAME_WINDOW" "$PICTURES/drawing.miff"; do
    game_running || fail "the game ended (code $GAME_EXIT) while waiting for $2"
    [ "$SECONDS" -lt "$deadline" ] || fail "$2: no drawn window of $1 within 30 s"
    sleep 0.2
  done
  fit_window
}

# full_screen_shown NAME: the game's window covers the screen, the picture
# fitted into it between black bars.
full_screen_shown() {
  await_game_window "$PLAY_SCREEN" "full screen" "$GAME_WINDOW"
  shot "$1"
  # The picture painted black: what remains is the bars.
  DETAIL=$(timeout "$IMPORT_SECONDS" import -window "$GAME_WINDOW" miff:- 2>/dev/null |
    convert - -region "$(fit_geometry)" -fill black -colorize 100 +region -separate \
      -evaluate-sequence max -format '%[max]' info:)
  judge "full screen: the picture at $(fit_geometry), the brightest bar pixel 0" [ "$DETAIL" = 0 ]
}

# look_at WHAT X Y: L, then a click on the square at that pixel writes to
# the log.
look_at() {
  local before
  press "$GAME_WINDOW" l
  await "look-mode-$1" "L chooses Look" button_active "$LOOK_BUTTON_X"
  # Compared with a screenshot at the same size: text resampled from
  # another window size differs at every glyph's rim.
  before=$LAST_SHOT
  click "$2" "$3"
  await "look-$1" "looking at $1 writes to the log" text_changed "$before" "$LOG_TEXT_REGION"
}

# look_at_wall NAME: Look at the wall beside the player writes the wall's
# line, the one the first look at it wrote.
look_at_wall() {
  # shellcheck disable=SC2046 # two numbers
  look_at "$1" $(square_position 14 15)
  judge "the newest line is the wall's" \
    text_within "$WALL_SHOT" "$LAST_LINE_REGION" "$RESAMPLED_LINE_PIXELS"
}

# pause NAME: space, and PAUSE shows; resume NAME: space, and it is gone.
pause() {
  press "$GAME_WINDOW" space
  await "$1" "space pauses" text_changed "$RUNNING_SHOT" "$PAUSE_REGION"
}

resume() {
  press "$GAME_WINDOW" space
  await "$1" "space resumes" text_within "$RUNNING_SHOT" "$PAUSE_REGION" "$TEXT_SAME_PIXELS"
}

# person_square FILE: prints the centre of the square nearest to the red
# person anywhere in a screenshot, or fails when it is not there or a click
# there would reach the interface along the bottom instead: the log with its
# scroll squares (x 356 to 682, from y 632 down), the buttons left and right
# of it (x 10 to 350 and 690 to 826, y 690 to 758).
# A click reaches the ground under the pointer, and under the figure, which
# floats half a unit above the ground (13.5 units from the eye), that is off
# its square far from the view's centre; so the figure's centre is turned
# back into a square and that square projected as square_position does.
# (A step moves the person before it slides, so a figure frozen by the pause
# just after a step began still shows on the square it left; the attack
# only sees that the log changed, which either square's answer does.)
person_square() {
  local box square x y
  # Sampled down to a quarter first; an empty mask trims to a 0 x 0 box.
  box=$(convert "$1" -sample 25% -color-matrix "$REDNESS" -channel R -separate +channel \
    -threshold 30% -format '%@' info: 2>/dev/null)
  square=$(awk -v box="$box" 'BEGIN {
    split(box, b, "[x+]")
    if (b[1] < 2 || b[2] < 2) exit 1
    f = 1 / (sin(3.14159265358979 / 8) / cos(3.14159265358979 / 8))
    along = ((4 * b[3] + 2 * b[1]) / 1024 * 2 - 1) * 13.5 * (4 / 3) / f + 14
    across = ((768 - 4 * b[4] - 2 * b[2]) / 768 * 2 - 1) * 13.5 / f + 14 - 0.5
    printf "%d %d\n", int(along + 100.5) - 100, int(across + 100.5) - 100
  }') || return 1
  # shellcheck disable=SC2086 # two numbers
  read -r x y < <(square_position $square)
  ((x >= 0 && x < 1024 && y >= 0 && y < 768)) && ! ((y >= 632 && x >= 356 && x < 682)) &&
    ! ((y >= 690 && y < 758 && (x >= 10 && x < 350 || x >= 690 && x < 826))) && echo "$x $y"
}

# expect_game_icon WINDOW: the window shows the game's icon, the player's
# blue face, at every size the window manager was given (_NET_WM_ICON:
# width, height, then ARGB pixels, icon after icon): most of each icon's
# opaque pixels are blue. A window without an icon of its own gets the
# system's, with no blue at all.
expect_game_icon() {
  local sizes
  sizes=$(xprop -id "$1" -notype -f _NET_WM_ICON 32c _NET_WM_ICON | tr -c '0-9' ' ' | awk '
    { for (k = 1; k <= NF; k++) v[n++] = $k }
    END {
      for (i = 0; i + 2 <= n;) {
        w = v[i++]; h = v[i++]; opaque = blue = 0
        for (end = i + w * h; i < end && i < n; i++) {
          p = v[i]; r = int(p / 65536) % 256; g = int(p / 256) % 256; b = p % 256
          if (p >= 2147483648) { opaque++; blue += (b > r + 40 && b > g + 20) }
        }
        printf "%dx%d:%d:%d ", w, h, opaque, blue
        bad += (blue * 2 <= opaque)
      }
      exit (n == 0 || bad)
    }') || fail "the window does not show the game's icon (size:opaque:blue pixels: ${sizes:-none})"
  log "  ok: the window shows the game's icon (size:opaque:blue pixels: $sizes)"
}

session_start() {
  log "== start: answer Yes, full screen; F1 gives a 1024 x 768 window"
  PICTURES=$(mktemp -d)
  # shellcheck disable=SC2016 # expanded when the step runs
  on_exit 'rm -rf "$PICTURES"'
  picture crosshair "$CROSSHAIR_SIZE" Crosshair
  picture "button-$LOOK_BUTTON_X" "$BUTTON_SIZE" LookButton
  picture "button-$ATTACK_BUTTON_X" "$BUTTON_SIZE" AttackButton
  start_game "$PLAY_FOLDER" "$SHOTS/game-output.log" "${GAME_COMMAND[@]}"
  answer_box "$QUESTION_TITLE" Return "$QUESTION_SECONDS"
  full_screen_shown full-screen-at-start
  press "$GAME_WINDOW" F1
  await_game_window "$GAME_SIZE" "the window after F1" "$GAME_WINDOW"
  [ "${CHECK_WINDOW_ICON:-no}" != yes ] || expect_game_icon "$GAME_WINDOW"
  park_cursor
  shot start
  START_SHOT=$LAST_SHOT
  # shellcheck disable=SC2046 # two numbers
  look_at wall $(square_position 14 15)
  WALL_SHOT=$LAST_SHOT
}

# The other person wanders over the whole map, and starts where the log
# and the buttons may hide it. The running game is watched until the person
# stands where a click reaches it; then the game pauses (the person stands
# still) and is looked at again, since the person may have stepped on
# before the pause; if it has gone out of reach, the game runs on. Watching
# a running game, not pausing between looks, lets the person wander as far
# between two looks however slowly the screenshots come.
session_person() {
  log "== Space pauses (the person stops); A and a click on the person hit it"
  RUNNING_SHOT=$LAST_SHOT
  local deadline=$((SECONDS + PERSON_SECONDS)) person="" before
  until [ -n "$person" ]; do
    [ "$SECONDS" -lt "$deadline" ] ||
      fail "the person did not come where a click reaches it within $PERSON_SECONDS s"
    capture "$PICTURES/watching.miff"
    person_square "$PICTURES/watching.miff" >/dev/null || continue
    pause -
    person=$(person_square "$LAST_SHOT") || resume -
  done
  shot paused-by-person
  before=$LAST_SHOT
  press "$GAME_WINDOW" a
  await attack-mode "A chooses Attack" button_active "$ATTACK_BUTTON_X"
  # shellcheck disable=SC2086 # two numbers
  click $person
  await attack "the attack on the person at ($person) writes to the log" \
    text_changed "$before" "$LOG_TEXT_REGION"
  resume unpaused
}

session_fit() {
  log "== the window resized: the picture fills it, clicks land where it shows them"
  local size before
  for size in "${WINDOW_SIZES[@]}"; do
    xdotool windowsize "$GAME_WINDOW" ${size% *} ${size#* } || fail "cannot resize the window"
    await_game_window "${size/ /x}" "the window resized to $size"
    park_cursor
    look_at_wall "wall-in-${size/ /x}"
  done
  log "== a click on the bar beside the picture does nothing: the log stays, Look stays chosen"
  press "$GAME_WINDOW" l
  await look-mode-bar "L chooses Look" button_active "$LOOK_BUTTON_X"
  before=$LAST_SHOT
  click -100 384
  park_cursor
  shot bar-clicked
  judge "the log stays as it was" text_within "$before" "$LOG_TEXT_REGION" "$TEXT_SAME_PIXELS"
  # shellcheck disable=SC2046 # two numbers
  click $(square_position 14 15)
  await wall-after-bar "Look, still chosen, acts on the wall" \
    text_changed "$before" "$LOG_TEXT_REGION"
}

session_mode_toggle() {
  log "== F1: full screen, then F1 again: a window with a new game"
  press "$GAME_WINDOW" F1
  full_screen_shown full-screen-after-f1
  press "$GAME_WINDOW" F1
  await_game_window "$GAME_SIZE" "the window after F1 again" "$GAME_WINDOW"
  park_cursor
  shot windowed-after-f1
  judge "the log shows the start-up lines again" \
    text_within "$START_SHOT" "$LOG_TEXT_REGION" "$TEXT_SAME_PIXELS"
}

play_session() {
  local began=$SECONDS
  mkdir -p "$SHOTS"
  session_start
  session_person
  session_fit
  session_mode_toggle
  log "== Escape ends the program with code 0"
  quit_game "$GAME_WINDOW"
  log "session took $((SECONDS - began)) s; screenshots in $SHOTS"
}
