# shellcheck shell=bash
# Helpers of the scripted play sessions, sourced after lib.sh: where things
# are on the 1024 x 768 client area, clicks and key taps as a player makes
# them, numbered screenshots of the game window, and checks that judge only
# what a step is about.
#
# Much of the interface is translucent and the other person wanders behind
# it, so no check compares whole regions: text is judged by its glyph mask,
# pictures (buttons, close squares, the cursor, icons) by their opaque
# pixels, the world with the person cut out. A step sends its input once
# and then waits, for a bounded time, until its effect shows.

# Interface rectangles as ImageMagick crop geometries, top-down, for a
# 1024 x 768 client area (the layout the game derives from that size).
# The log spans x 356 to 682 along the bottom; its right 30 pixels are the
# scroll squares, the rest holds the text.
LOG_TEXT_REGION=296x136+356+632
PAUSE_REGION=160x60+30+10
# The close squares: the top-right 30 x 30 of the item pile window (left
# half, at the top), the inventory window (right half, at the top) and the
# statistics window (right half, below the inventory window).
PILE_CLOSE_REGION=30x30+482+0
INVENTORY_CLOSE_REGION=30x30+994+0
STATS_CLOSE_REGION=30x30+994+316
BUTTON_XS=(10 78 146 214 282 690 758)
BUTTON_NAMES=(get move look use attack inventory stats)
BUTTON_PICTURES=(GetButton MoveButton LookButton UseButton AttackButton InventoryButton StatsButton)
BUTTON_SIZE=68
BUTTON_TOP=$((GAME_HEIGHT - 10 - BUTTON_SIZE))
# Inventory window: the grid fills its right half, six icons a row, each
# icon a cell of 512 / 2 / 6 pixels, the first one centred on x = 768 and
# one cell below the top; the head slot sits at the top of the left half.
GRID_WIDTH=256
GRID_COLUMNS=6
HEAD_SLOT_REGION=42x42+618+44
HEAD_SLOT_X=639
HEAD_SLOT_Y=65
# Scroll-down square of the inventory window: its bottom-right 30 x 30.
INVENTORY_SCROLL_DOWN_X=1009
INVENTORY_SCROLL_DOWN_Y=301
# The cursor is a 32 x 32 crosshair, or the held item as large as a grid
# icon (twice 21 pixels), centred on the cursor's pixel.
CROSSHAIR_SIZE=32
HELD_ICON_SIZE=42
# Where the cursor rests between steps: over the world at the left, away
# from every region a step looks at. It moves between the two places to
# show that a frame drawn after that move is on screen.
PARK_XS=(60 60)
PARK_YS=(400 470)
PARKED=0

# Two pixels count as different when a colour channel differs by more than
# the fuzz. A picture is shown when almost all of its opaque pixels match
# (edges may be sampled a little apart), and gone when a good share differ:
# whatever lies behind a faint button or an empty slot is far from the
# picture's colours. A picture drawn larger and scaled back for the checks
# softens lines one texel wide (the crosshair's arms lose a fifth of their
# brightness), so there the fuzz is wider.
FUZZ_AT_SIZE=10%
FUZZ_SCALED=30%
FUZZ=$FUZZ_AT_SIZE
PICTURE_SHOWN_PERCENT=2
PICTURE_GONE_PERCENT=20
# Glyphs are white and everything behind text is far darker, so a pixel is
# part of the text when its darkest channel is above this level. Only the
# anti-aliased rims of glyphs, where they mix with what lies behind, can
# cross the level as the world moves: a few pixels, where one changed
# letter alone changes several dozen.
TEXT_LEVEL=80%
TEXT_SAME_PIXELS=10
TEXT_CHANGED_PIXELS=60
# The other person is tinted pure red (no green, no blue); its pixels and a
# margin around them, in either screenshot, are left out of comparisons of
# the world. Redness is red less green and blue: the brown walls, the green
# ground and the vases stay below the level, the person's face far above.
REDNESS='1 -1 -1 0 0 0 0 0 0'
RED_LEVEL=20%
PERSON_MARGIN=Disk:10
WORLD_CHANGED_PIXELS=40
# How long a step may take to show its effect on a loaded machine.
STEP_SECONDS=30
# A step slides the view for 200 ms of the game's clock, which is the
# wall clock; a frame drawn after this much more has ended the slide.
SLIDE_SECONDS=0.25

SHOT_NUMBER=0
LAST_SHOT=""
GAME_WINDOW=""
STEP_FAILURES=0
PICTURES=""
DETAIL=""
MISMATCHES=""
OPAQUE=""

# square_position X Y: the client pixel (top-down) of the centre of square
# (X, Y) of the centre cell while the player stands on (14, 14) at rest.
# The camera's projection worked out by hand, as gluProject does it:
# perspective 45 degrees, aspect 4 / 3, then the world moved by (-0.5, 0,
# -15); the square's centre lies at (X - 14 + 0.5, Y - 14 + 0.5, 1).
square_position() {
  awk -v x="$1" -v y="$2" -v w="$GAME_WIDTH" -v h="$GAME_HEIGHT" 'BEGIN {
    f = 1 / (sin(3.14159265358979 / 8) / cos(3.14159265358979 / 8))
    ex = x - 14 + 0.5 - 0.5; ey = y - 14 + 0.5; depth = 15 - 1
    winX = (f / (w / h) * ex / depth + 1) / 2 * w
    winY = (f * ey / depth + 1) / 2 * h
    printf "%d %d\n", int(winX), h - int(winY)
  }'
}

# Centre of icon INDEX (0-based, counted from the first shown row) of the
# grid in the right half of a window whose top is the client's top.
grid_icon_position() {
  awk -v i="$1" -v left="$2" -v w="$GRID_WIDTH" -v n="$GRID_COLUMNS" 'BEGIN {
    c = w / n
    printf "%d %d\n", int(left + (i % n) * c), int((int(i / n) + 1) * c)
  }'
}

# The square an icon of the grid covers, as a crop geometry: the game
# truncates its corners to whole pixels, as this does (a hair above the
# exact values, which the game's own rounding may land on either side of;
# the picture checks try the neighbouring pixels too).
grid_icon_region() {
  awk -v i="$1" -v left="$2" -v w="$GRID_WIDTH" -v n="$GRID_COLUMNS" -v h="$GAME_HEIGHT" 'BEGIN {
    c = w / n
    x = left + (i % n) * c - c / 2; top = int(i / n) * c + c / 2
    x0 = int(x + 1e-6); x1 = int(x + c + 1e-6)
    y0 = int(h - top - c + 1e-6); y1 = int(h - top + 1e-6)
    printf "%dx%d+%d+%d\n", x1 - x0, y1 - y0, x0, h - y1
  }'
}

# cursor_region X Y SIZE: the square of SIZE pixels centred on a pixel.
cursor_region() { echo "${3}x${3}+$(($1 - $3 / 2))+$(($2 - $3 / 2))"; }

button_region() { echo "${BUTTON_SIZE}x${BUTTON_SIZE}+${BUTTON_XS[$1]}+$BUTTON_TOP"; }

# ---------------------------------------------------------------------------
# Reference pictures

# picture NAME SIZE FILE mirrored|plain: the image of Data/FILE.tga as the
# game draws it in a SIZE x SIZE square, with the mask of its opaque pixels. The
# game's quads put the file's first row at the bottom, and a mirrored quad
# also swaps left and right; each pixel samples the image as GL's linear
# filter does, from the four nearest texels.
picture() {
  local name=$1 size=$2 flips=(-flip)
  [ "$4" = mirrored ] && flips+=(-flop)
  convert "$PLAY_FOLDER/Data/$3.tga" "${flips[@]}" -interpolate bilinear \
    -interpolative-resize "${size}x${size}!" "$PICTURES/$name-rgba.png" ||
    fail "cannot read Data/$3.tga"
  convert "$PICTURES/$name-rgba.png" -alpha off "$PICTURES/$name.png"
  convert "$PICTURES/$name-rgba.png" -alpha extract -threshold 99% "$PICTURES/$name-mask.png"
  convert "$PICTURES/$name-mask.png" -format '%[fx:round(mean*w*h)]' info: >"$PICTURES/$name-count"
}

# Every picture a step looks for, made once per session in a private folder.
prepare_pictures() {
  PICTURES=$(mktemp -d)
  # shellcheck disable=SC2016 # expanded when the step runs
  on_exit 'rm -rf "$PICTURES"'
  local k
  for k in "${!BUTTON_PICTURES[@]}"; do
    picture "button-$k" "$BUTTON_SIZE" "${BUTTON_PICTURES[$k]}" plain
  done
  picture close 30 CloseCase mirrored
  picture crosshair "$CROSSHAIR_SIZE" Crosshair plain
  picture held-vase "$HELD_ICON_SIZE" Vase mirrored
  # The helm and the apple share the sack picture.
  picture sack "${HEAD_SLOT_REGION%%x*}" Coke mirrored
}

# ---------------------------------------------------------------------------
# Screenshots and the measures taken on them

# shot NAME: the next numbered screenshot of the game window, NN-NAME.png in
# $SHOTS.
shot() {
  SHOT_NUMBER=$((SHOT_NUMBER + 1))
  LAST_SHOT=$(printf '%s/%02d-%s.png' "$SHOTS" "$SHOT_NUMBER" "$1")
  capture
}

# capture [FILE]: takes the screenshot again, into FILE or under the
# newest one's name. Whatever the window's size, the screenshot is the
# game's 1024 x 768 picture: a fitted picture is cut out of the window and
# scaled back, so that every check speaks of logical pixels.
capture() {
  local fitted=()
  [ "$FIT" = "1 0 0" ] ||
    fitted=(-crop "$(fit_geometry)" +repage -filter Box -resize "${GAME_WIDTH}x${GAME_HEIGHT}!")
  # Light compression: a busy machine takes seconds over the default.
  import -window "$GAME_WINDOW" "${fitted[@]}" -quality 10 "${1:-$LAST_SHOT}" 2>/dev/null ||
    fail "no screenshot of window $GAME_WINDOW"
}

# ---------------------------------------------------------------------------
# The picture in a window of any size

# The scale and the top-left corner of the game's picture in the client
# area, as the game fits it: s = min(W / 1024, H / 768), centred.
FIT="1 0 0"

# fit_window: works FIT out from the game window's client size.
fit_window() {
  FIT=$(client_size "$GAME_WINDOW" | awk -F x -v w="$GAME_WIDTH" -v h="$GAME_HEIGHT" '{
    s = $1 / w; if ($2 / h < s) s = $2 / h
    printf "%g %g %g\n", s, ($1 - w * s) / 2, ($2 - h * s) / 2 }')
  FUZZ=$FUZZ_SCALED
  [ "$FIT" != "1 0 0" ] || FUZZ=$FUZZ_AT_SIZE
}

# The picture's rectangle in the client area, as a crop geometry.
fit_geometry() {
  awk -v fit="$FIT" -v w="$GAME_WIDTH" -v h="$GAME_HEIGHT" 'BEGIN {
    split(fit, f, " "); printf "%dx%d+%d+%d\n", w * f[1], h * f[1], f[2], f[3] }'
}

# on_window X Y: the client pixel that shows the middle of logical pixel
# (X, Y).
on_window() {
  awk -v x="$1" -v y="$2" -v fit="$FIT" 'BEGIN {
    split(fit, f, " "); printf "%d %d\n", f[2] + (x + 0.5) * f[1], f[3] + (y + 0.5) * f[1] }'
}

# picture_mismatch FILE NAME GEOMETRY: how many of the picture's opaque
# pixels differ from the screenshot's region.
picture_mismatch() {
  convert "$1" -crop "$3" +repage "$PICTURES/$2.png" -compose difference -composite \
    -separate -evaluate-sequence max -threshold "$FUZZ" \
    "$PICTURES/$2-mask.png" -compose multiply -composite -format '%[fx:round(mean*w*h)]' info:
}

# text_difference BEFORE AFTER REGION: pixels that are text in one of the
# two screenshots only.
text_difference() {
  convert \( "$1" -crop "$3" +repage -separate -evaluate-sequence min -threshold "$TEXT_LEVEL" \) \
    \( "$2" -crop "$3" +repage -separate -evaluate-sequence min -threshold "$TEXT_LEVEL" \) \
    -compose difference -composite -format '%[fx:round(mean*w*h)]' info:
}

# world_difference BEFORE AFTER REGION: pixels that differ, leaving out the
# person (pure red) with a margin wherever it stands in either screenshot.
world_difference() {
  convert "$1" "$2" -crop "$3" +repage \
    \( -clone 0,1 -compose difference -composite -separate -evaluate-sequence max \
    -threshold "$FUZZ" \) \
    \( -clone 0 -color-matrix "$REDNESS" -channel R -separate +channel \
    -threshold "$RED_LEVEL" \) \
    \( -clone 1 -color-matrix "$REDNESS" -channel R -separate +channel \
    -threshold "$RED_LEVEL" \) \
    -delete 0,1 \( -clone 1,2 -compose lighten -composite -morphology Dilate "$PERSON_MARGIN" \
    -negate \) -delete 1,2 -compose multiply -composite -format '%[fx:round(mean*w*h)]' info:
}

# ---------------------------------------------------------------------------
# Conditions on the newest screenshot; each leaves what it measured in
# DETAIL.

# fewest_mismatches FILE NAME GEOMETRY [near]: sets MISMATCHES to how many
# of the picture's opaque pixels differ from the screenshot's region, the
# fewest over the region and, with near, the region moved by a pixel in
# any direction; OPAQUE to how many opaque pixels the picture has.
fewest_mismatches() {
  local size=${3%%+*} left top x y count offsets=(0)
  left=${3#*+}
  top=${left#*+}
  left=${left%%+*}
  [ "${4:-}" = near ] && offsets=(-1 0 1)
  read -r OPAQUE <"$PICTURES/$2-count"
  MISMATCHES=""
  for x in "${offsets[@]}"; do
    for y in "${offsets[@]}"; do
      count=$(picture_mismatch "$1" "$2" "$size+$((left + x))+$((top + y))")
      [ -n "$count" ] || fail "cannot compare $1 with the $2 picture"
      [ -n "$MISMATCHES" ] && [ "$MISMATCHES" -le "$count" ] || MISMATCHES=$count
    done
  done
  DETAIL="$MISMATCHES of $OPAQUE opaque pixels of the $2 picture differ in $3"
}

# shows_picture NAME GEOMETRY [near]: the picture shows there.
shows_picture() {
  fewest_mismatches "$LAST_SHOT" "$@"
  [ "$((MISMATCHES * 100))" -le "$((OPAQUE * PICTURE_SHOWN_PERCENT))" ]
}

# lacks_picture NAME GEOMETRY [near]: the picture does not show there.
lacks_picture() {
  fewest_mismatches "$LAST_SHOT" "$@"
  [ "$((MISMATCHES * 100))" -ge "$((OPAQUE * PICTURE_GONE_PERCENT))" ]
}

button_active() { shows_picture "button-$1" "$(button_region "$1")"; }
button_faint() { lacks_picture "button-$1" "$(button_region "$1")"; }
window_open() { shows_picture close "$1"; }
window_closed() { lacks_picture close "$1"; }

cursor_size() {
  if [ "$1" = crosshair ]; then
    echo "$CROSSHAIR_SIZE"
  else
    echo "$HELD_ICON_SIZE"
  fi
}

# cursor_shows NAME X Y: the cursor is drawn at that pixel as the picture.
cursor_shows() { shows_picture "$1" "$(cursor_region "$2" "$3" "$(cursor_size "$1")")"; }

# text_changed BEFORE REGION / text_same BEFORE REGION
text_changed() { text_count "$@" && [ "$COUNT" -ge "$TEXT_CHANGED_PIXELS" ]; }
text_same() { text_count "$@" && [ "$COUNT" -le "$TEXT_SAME_PIXELS" ]; }
text_count() {
  COUNT=$(text_difference "$1" "$LAST_SHOT" "$2")
  DETAIL="$COUNT text pixels changed in $2 since $(basename "$1")"
}

# text_near BEFORE REGION PIXELS: at most PIXELS text pixels differ.
text_near() { text_count "$1" "$2" && [ "$COUNT" -le "$3" ]; }

# world_changed BEFORE REGION / world_same BEFORE REGION
world_changed() { world_count "$@" && [ "$COUNT" -ge "$WORLD_CHANGED_PIXELS" ]; }
world_same() { world_count "$@" && [ "$COUNT" -lt "$WORLD_CHANGED_PIXELS" ]; }
world_count() {
  COUNT=$(world_difference "$1" "$LAST_SHOT" "$2")
  DETAIL="$COUNT pixels of the world changed in $2 since $(basename "$1")"
}

# ---------------------------------------------------------------------------
# Steps

step_passed() { log "  ok: $*"; }

step_failed() {
  log "  FAILED: $*"
  STEP_FAILURES=$((STEP_FAILURES + 1))
}

# await NAME WHAT CONDITION...: screenshots as NAME until CONDITION holds
# on the newest one, for STEP_SECONDS at most; the step passes or fails
# with what the condition measured last. The input is never sent again.
# NAME - keeps no screenshot and reports only a failure.
await() {
  local name=$1 what=$2 deadline=$((SECONDS + STEP_SECONDS))
  shift 2
  if [ "$name" = - ]; then
    LAST_SHOT=$PICTURES/passing.miff
    capture
  else
    shot "$name"
  fi
  until "$@"; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      step_failed "$what: still $DETAIL after $STEP_SECONDS s ($(basename "$LAST_SHOT"))"
      return 1
    fi
    capture
  done
  [ "$name" = - ] || step_passed "$what ($DETAIL)"
}

# judge WHAT CONDITION...: the newest screenshot as it is, for what shows
# in the same frame as the effect a step waited for.
judge() {
  local what=$1
  shift
  if "$@"; then
    step_passed "$what ($DETAIL)"
  else
    step_failed "$what: $DETAIL ($(basename "$LAST_SHOT"))"
  fi
}

# ---------------------------------------------------------------------------
# Input

# tap KEY...: keys tapped one after the other, as a player taps them.
tap() {
  xdotool windowfocus "$GAME_WINDOW" key "$@" 2>/dev/null || fail "cannot tap $*"
}

# park_cursor [HELD]: the cursor to the other resting place; returns once a
# frame showing it there is on screen. The game handles its messages in
# order and draws a frame after each update, so that frame comes from an
# update after every input sent before. HELD names what the cursor shows
# (crosshair by default, held-vase).
park_cursor() {
  local held=${1:-crosshair} deadline=$((SECONDS + STEP_SECONDS)) region
  PARKED=$((1 - PARKED))
  region=$(cursor_region "${PARK_XS[$PARKED]}" "${PARK_YS[$PARKED]}" "$(cursor_size "$held")")
  point_at "${PARK_XS[$PARKED]}" "${PARK_YS[$PARKED]}"
  until capture "$PICTURES/parking.miff" &&
    fewest_mismatches "$PICTURES/parking.miff" "$held" "$region" &&
    [ "$((MISMATCHES * 100))" -le "$((OPAQUE * PICTURE_SHOWN_PERCENT))" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the cursor does not show in $region: $DETAIL"
  done
}

# point_at X Y: the cursor to a logical pixel (top-down).
point_at() {
  # shellcheck disable=SC2046 # two numbers
  xdotool mousemove --window "$GAME_WINDOW" $(on_window "$1" "$2") || fail "cannot move the cursor"
}

# click X Y: a left click at a logical pixel (top-down), then the cursor
# goes back to where it rested. A click acts when the game handles it, not
# at the next frame, so clicks in a row are never lost.
click() {
  # shellcheck disable=SC2046 # two numbers
  click_client $(on_window "$1" "$2")
}

# click_client X Y: the same at a pixel of the client area.
click_client() {
  # shellcheck disable=SC2046 # two numbers
  xdotool mousemove --window "$GAME_WINDOW" "$1" "$2" click 1 \
    mousemove --window "$GAME_WINDOW" $(on_window "${PARK_XS[$PARKED]}" "${PARK_YS[$PARKED]}") ||
    fail "cannot click at ($1, $2) of the client area"
}

click_square() {
  local position
  position=$(square_position "$1" "$2")
  # shellcheck disable=SC2086 # two numbers
  click $position
}

click_button() { click $((BUTTON_XS[$1] + BUTTON_SIZE / 2)) $((BUTTON_TOP + BUTTON_SIZE / 2)); }

# The interface along the bottom, which takes a click meant for the world:
# the log with its scroll squares, and the buttons left and right of it.
BOTTOM_INTERFACE=("326x136+356+632" "340x${BUTTON_SIZE}+10+$BUTTON_TOP"
  "136x${BUTTON_SIZE}+690+$BUTTON_TOP")

# reachable X Y: a click at that pixel reaches the world (no window open).
reachable() {
  local area
  [ "$1" -ge 0 ] && [ "$1" -lt "$GAME_WIDTH" ] && [ "$2" -ge 0 ] && [ "$2" -lt "$GAME_HEIGHT" ] ||
    return 1
  for area in "${BOTTOM_INTERFACE[@]}"; do
    awk -v x="$1" -v y="$2" -v area="$area" 'BEGIN {
      split(area, a, "[x+]"); exit !(x >= a[3] && x < a[3] + a[1] && y >= a[4] && y < a[4] + a[2])
    }' && return 1
  done
  return 0
}

# find_red_being FILE: prints the centre of the red-tinted person anywhere
# in a screenshot of the game window, or fails when none is there.
find_red_being() {
  local box
  # Sampled down to a quarter first; walls are brown, the ground green.
  box=$(convert "$1" -sample 25% -color-matrix "$REDNESS" -channel R -separate +channel \
    -threshold 30% -format '%@' info: 2>/dev/null)
  # An empty mask trims to a 0 x 0 box.
  case "$box" in
  "" | 0x0* | 1x1*) return 1 ;;
  esac
  awk -v box="$box" 'BEGIN {
    split(box, b, "[x+]")
    if (b[1] < 2 || b[2] < 2) exit 1
    printf "%d %d\n", 4 * (b[3] + b[1] / 2), 4 * (b[4] + b[2] / 2)
  }'
}

# person_square FILE: prints the centre of the square nearest to the
# person in a screenshot, or fails when it is not there or a click there
# would reach the interface instead.
# A click reaches the ground under the pointer, and under the figure, which
# floats half a unit above the ground (13.5 units from the eye), that is off
# its square far from the view's centre; so the figure's centre is turned
# back into a square as square_position projects one. (A step moves the
# person before it slides, so a figure frozen by the pause just after a
# step began still shows on the square it left; the steps here only see
# that the log changed, which either square's answer does.)
person_square() {
  local figure square
  figure=$(find_red_being "$1") || return 1
  square=$(awk -v figure="$figure" -v w="$GAME_WIDTH" -v h="$GAME_HEIGHT" 'BEGIN {
    split(figure, p, " ")
    f = 1 / (sin(3.14159265358979 / 8) / cos(3.14159265358979 / 8))
    along = (p[1] / w * 2 - 1) * 13.5 * (w / h) / f + 14
    across = ((h - p[2]) / h * 2 - 1) * 13.5 / f + 14 - 0.5
    printf "%d %d\n", int(along + 100.5) - 100, int(across + 100.5) - 100
  }')
  # shellcheck disable=SC2086 # two numbers
  square=$(square_position $square)
  # shellcheck disable=SC2086 # two numbers
  reachable $square || return 1
  echo "$square"
}
