# shellcheck shell=bash
# Helpers of the scripted play sessions, sourced after lib.sh: where things
# are on the 1024 x 768 client area, clicks and key presses as a player
# makes them, numbered screenshots of the game window and checks that
# compare regions of two screenshots rather than exact pixels.

# Interface rectangles as ImageMagick crop geometries, top-down, for a
# 1024 x 768 client area (the layout the game derives from that size).
PILE_REGION=512x316+0+0
INVENTORY_REGION=512x316+512+0
STATS_REGION=512x316+512+316
LOG_REGION=326x136+356+632
PAUSE_REGION=160x60+30+10
# The world around the player, away from every window and the button bar.
WORLD_REGION=660x560+180+60
# Where the person is looked for: all of the window above the log, the
# highest part of the interface's bottom strip, since a click on the person
# behind the log or a button goes to them instead (the red close squares
# of the windows are never shown while it is looked for).
PERSON_REGION=1024x632+0+0
BUTTON_XS=(10 78 146 214 282 690 758)
BUTTON_NAMES=(get move look use attack inventory stats)
BUTTON_SIZE=68
BUTTON_TOP=$((GAME_HEIGHT - 10 - BUTTON_SIZE))
# Inventory window: the grid fills its right half, six icons a row, each
# icon a cell of 512 / 2 / 6 pixels, the first one centred on x = 768 and
# one cell below the top; the head slot sits at the top of the left half.
GRID_CELL=$(awk 'BEGIN {print 256 / 6}')
HEAD_SLOT_REGION=42x42+618+44
HEAD_SLOT_X=639
HEAD_SLOT_Y=65
# Scroll-down square of the inventory window: its bottom-right 30 x 30.
INVENTORY_SCROLL_DOWN_X=1009
INVENTORY_SCROLL_DOWN_Y=301
# A region counts as changed when this many of its pixels differ by more
# than the fuzz; as unchanged when fewer than the small count do.
CHANGED_PIXELS=40
FUZZ=10%
# Time the game gets to show the effect of an action (a few frames).
SETTLE_SECONDS=0.4

SHOT_NUMBER=0
LAST_SHOT=""
GAME_WINDOW=""
STEP_FAILURES=0

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
  awk -v i="$1" -v left="$2" -v c="$GRID_CELL" 'BEGIN {
    printf "%d %d\n", int(left + (i % 6) * c), int((int(i / 6) + 1) * c)
  }'
}

# shot NAME: a screenshot of the game window as NN-NAME.png in $SHOTS.
shot() {
  SHOT_NUMBER=$((SHOT_NUMBER + 1))
  LAST_SHOT=$(printf '%s/%02d-%s.png' "$SHOTS" "$SHOT_NUMBER" "$1")
  # Light compression: a busy machine takes seconds over the default.
  import -window "$GAME_WINDOW" -quality 10 "$LAST_SHOT" 2>/dev/null || fail "no screenshot of window $GAME_WINDOW"
}

# Mean brightness (0 to 1) of a region of a screenshot.
region_mean() {
  convert "$1" -crop "$2" +repage -colorspace Gray -format '%[fx:mean]' info:
}

# Number of pixels of a region that differ between two screenshots.
region_difference() {
  convert "$1" "$2" -crop "$3" +repage -fuzz "$FUZZ" -metric AE -compare \
    -format '%[distortion]' info: 2>/dev/null
}

step_passed() { log "  ok: $*"; }

step_failed() {
  log "  FAILED: $*"
  STEP_FAILURES=$((STEP_FAILURES + 1))
}

# expect_changed BEFORE AFTER REGION WHAT
expect_changed() {
  local count
  count=$(region_difference "$1" "$2" "$3")
  if [ "${count%.*}" -ge "$CHANGED_PIXELS" ] 2>/dev/null; then
    step_passed "$4 ($count pixels changed in $3)"
  else
    step_failed "$4: only $count pixels changed in $3 ($(basename "$1") -> $(basename "$2"))"
  fi
}

# expect_unchanged BEFORE AFTER REGION WHAT [TOLERANCE]: fewer than
# TOLERANCE pixels (by default a few dozen) differ.
expect_unchanged() {
  local count
  count=$(region_difference "$1" "$2" "$3")
  if [ "${count%.*}" -lt "${5:-$CHANGED_PIXELS}" ] 2>/dev/null; then
    step_passed "$4 ($count pixels changed in $3)"
  else
    step_failed "$4: $count pixels changed in $3 ($(basename "$1") -> $(basename "$2"))"
  fi
}

# expect_brighter BEFORE AFTER REGION WHAT: the region's mean rose.
expect_brighter() {
  local before after
  before=$(region_mean "$1" "$3")
  after=$(region_mean "$2" "$3")
  if awk -v a="$before" -v b="$after" 'BEGIN {exit !(b > a + 0.02)}'; then
    step_passed "$4 (mean $before -> $after)"
  else
    step_failed "$4: mean brightness $before -> $after in $3"
  fi
}

# expect_dimmed_again BEFORE ON AFTER REGION WHAT: the region's mean fell
# back from ON to nearer BEFORE's than ON's. Means, not pixels: a translucent
# button shows the world behind it, where the person may walk past.
expect_dimmed_again() {
  local before on after
  before=$(region_mean "$1" "$4")
  on=$(region_mean "$2" "$4")
  after=$(region_mean "$3" "$4")
  if awk -v a="$before" -v o="$on" -v b="$after" \
    'BEGIN {d = b - a; if (d < 0) d = -d; exit !(b < o - 0.02 && d < (o - a) / 2)}'; then
    step_passed "$5 (mean $before -> $on -> $after)"
  else
    step_failed "$5: mean brightness $before -> $on -> $after in $4"
  fi
}

# A key as a player presses it: down for a few frames, then up, since a key
# that goes down and up within one frame is never seen.
tap() {
  xdotool windowfocus "$GAME_WINDOW" 2>/dev/null
  xdotool keydown "$1" sleep 0.2 keyup "$1"
  sleep "$SETTLE_SECONDS"
}

# Where the cursor rests after a click: over the world, away from every
# region a step looks at, so that the crosshair never muddles a check.
PARK_X=60
PARK_Y=400

# click X Y: a left click at a client pixel (top-down); then the cursor
# moves out of the way.
click() {
  xdotool mousemove --window "$GAME_WINDOW" "$1" "$2"
  sleep 0.15
  xdotool click 1
  sleep 0.15
  xdotool mousemove --window "$GAME_WINDOW" "$PARK_X" "$PARK_Y"
  sleep "$SETTLE_SECONDS"
}

# Moves the cursor without clicking (the cursor is drawn by the game).
point_at() {
  xdotool mousemove --window "$GAME_WINDOW" "$1" "$2"
  sleep "$SETTLE_SECONDS"
}

click_square() {
  local position
  position=$(square_position "$1" "$2")
  # shellcheck disable=SC2086 # two numbers
  click $position
}

button_region() { echo "${BUTTON_SIZE}x${BUTTON_SIZE}+${BUTTON_XS[$1]}+$BUTTON_TOP"; }

click_button() { click $((BUTTON_XS[$1] + BUTTON_SIZE / 2)) $((BUTTON_TOP + BUTTON_SIZE / 2)); }

# find_red_being FILE: prints the centre of the red-tinted person in the
# world part of a screenshot, or fails when none is there.
find_red_being() {
  local box
  # Sampled down to a quarter first: -fx is slow on full-size images. The
  # tint leaves only red; walls are brown, the ground green.
  box=$(convert "$1" -crop "$PERSON_REGION" +repage -sample 25% \
    -fx 'r > 0.3 && g < 0.1 && b < 0.1 ? 1 : 0' -format '%@' info: 2>/dev/null)
  # An empty mask trims to a 0 x 0 box.
  case "$box" in
  "" | 0x0* | 1x1*) return 1 ;;
  esac
  awk -v box="$box" -v region="$PERSON_REGION" 'BEGIN {
    split(box, b, "[x+]"); split(region, r, "[x+]")
    if (b[1] < 2 || b[2] < 2) exit 1
    printf "%d %d\n", r[3] + 4 * (b[3] + b[1] / 2), r[4] + 4 * (b[4] + b[2] / 2)
  }'
}
