# shellcheck shell=bash
# One scripted play session, sourced after lib.sh and play_lib.sh by the
# play tests and by the demo of run.sh. The caller sets GAME_COMMAND (an
# array), PLAY_FOLDER (the working directory, which holds Data/), SHOTS
# (where the screenshots go), NO_KEY (answers No to the start-up question),
# QUESTION_SECONDS, and FALLBACK_SIZE (exact when the window keeps a
# 1024 x 768 client area after F1). Every step prints its result; the
# session fails at the end when any step failed, and at once when the game
# stops answering. The other person wanders over the whole map: looking at
# it and attacking it happen only when it shows in the view (while the game
# is paused it stands still); otherwise the step says so and is left out.

park_cursor() { point_at "$PARK_X" "$PARK_Y"; }

session_start() {
  log "== start: answer No, the window draws"
  start_game "$PLAY_FOLDER" "$SHOTS/game-output.log" "${GAME_COMMAND[@]}"
  answer_box "$QUESTION_TITLE" "$NO_KEY" "$QUESTION_SECONDS"
  wait_for_window "$GAME_TITLE" 30
  GAME_WINDOW=$FOUND_WINDOW
  expect_client_size "$GAME_WINDOW"
  # The first frames may still be blank.
  wait_until 30 window_drawn || fail "the game window stays blank"
  park_cursor
  shot start
  START_SHOT=$LAST_SHOT
  step_passed "window $GAME_WINDOW draws ($(colours_in "$START_SHOT" "$WORLD_REGION") colours)"
}

window_drawn() {
  shot drawing
  local colours
  colours=$(colours_in "$LAST_SHOT" "$WORLD_REGION")
  rm -f "$LAST_SHOT"
  SHOT_NUMBER=$((SHOT_NUMBER - 1))
  [ "$colours" -ge "$MIN_DRAWN_COLOURS" ]
}

session_buttons() {
  log "== buttons: each one active when clicked, translucent again after a second click"
  local k before on
  for k in "${!BUTTON_XS[@]}"; do
    before=$LAST_SHOT
    click_button "$k"
    shot "button-${BUTTON_NAMES[$k]}-on"
    expect_brighter "$before" "$LAST_SHOT" "$(button_region "$k")" \
      "${BUTTON_NAMES[$k]} button active"
    case "${BUTTON_NAMES[$k]}" in
    inventory) expect_changed "$before" "$LAST_SHOT" "$INVENTORY_REGION" "inventory window opens" ;;
    stats) expect_changed "$before" "$LAST_SHOT" "$STATS_REGION" "stats window opens" ;;
    esac
    on=$LAST_SHOT
    click_button "$k"
    shot "button-${BUTTON_NAMES[$k]}-off"
    expect_dimmed_again "$before" "$on" "$LAST_SHOT" "$(button_region "$k")" \
      "${BUTTON_NAMES[$k]} button translucent again"
  done
}

# look_at WHAT X Y: L, then a click on the square at that pixel.
look_at() {
  local before=$LAST_SHOT
  tap l
  shot "look-mode-$1"
  expect_brighter "$before" "$LAST_SHOT" "$(button_region 2)" "L chooses Look"
  click "$2" "$3"
  shot "look-$1"
  expect_changed "$before" "$LAST_SHOT" "$LOG_REGION" "looking at $1 writes to the log"
}

session_look() {
  log "== Look: a wall, the person, the vase pile, bare ground"
  # shellcheck disable=SC2046 # two numbers
  look_at wall $(square_position 14 15)
  local person
  if person=$(find_red_being "$LAST_SHOT"); then
    # shellcheck disable=SC2086 # two numbers
    look_at person $person
  else
    log "  note: the person is not in view; looked at the wall, pile and ground only"
  fi
  # shellcheck disable=SC2046
  look_at vase-pile $(square_position 20 8)
  # shellcheck disable=SC2046
  look_at ground $(square_position 13 12)
}

session_pile() {
  log "== Get on the vase pile opens the item pile window; a vase onto the cursor and down again"
  local before=$LAST_SHOT
  tap g
  click_square 20 8
  shot pile-window
  expect_changed "$before" "$LAST_SHOT" "$PILE_REGION" "the item pile window opens"

  # The crosshair at one spot, then the vase taken from the pile's grid.
  local spotX=300 spotY=560 elsewhereX=420 elsewhereY=560
  point_at "$spotX" "$spotY"
  shot crosshair
  local crosshair=$LAST_SHOT
  # shellcheck disable=SC2046
  click $(grid_icon_position 0 256)
  point_at "$spotX" "$spotY"
  shot vase-on-cursor
  expect_changed "$crosshair" "$LAST_SHOT" "48x48+$((spotX - 24))+$((spotY - 24))" \
    "the vase replaces the crosshair"
  local held=$LAST_SHOT
  point_at "$elsewhereX" "$elsewhereY"
  shot vase-follows-cursor
  expect_changed "$held" "$LAST_SHOT" "48x48+$((elsewhereX - 24))+$((elsewhereY - 24))" \
    "the vase follows the cursor"

  local square region
  square=$(square_position 15 14)
  region="50x50+$((${square% *} - 25))+$((${square#* } - 25))"
  park_cursor
  shot before-drop
  before=$LAST_SHOT
  click_square 15 14
  shot vase-dropped
  expect_changed "$before" "$LAST_SHOT" "$region" "the vase lies on square (15, 14)"
  expect_unchanged "$START_SHOT" "$LAST_SHOT" "48x48+$((PARK_X - 24))+$((PARK_Y - 24))" \
    "the crosshair is back at the cursor"

  before=$LAST_SHOT
  click 497 15
  shot pile-closed
  expect_changed "$before" "$LAST_SHOT" "$PILE_REGION" "the close square shuts the item pile window"
}

session_inventory() {
  log "== inventory: I, the helm off and on again, the apple eaten"
  local before=$LAST_SHOT
  tap i
  shot inventory
  expect_changed "$before" "$LAST_SHOT" "$INVENTORY_REGION" "I opens the inventory window"
  INVENTORY_SHOT=$LAST_SHOT

  click "$HEAD_SLOT_X" "$HEAD_SLOT_Y"
  shot helm-off
  expect_changed "$INVENTORY_SHOT" "$LAST_SHOT" "$HEAD_SLOT_REGION" "the head slot shows the empty slot"
  click "$HEAD_SLOT_X" "$HEAD_SLOT_Y"
  shot helm-on
  expect_unchanged "$INVENTORY_SHOT" "$LAST_SHOT" "$HEAD_SLOT_REGION" "the helm is back in its slot"

  # The apple is the 51st item: two rows down it is icon 38 of the grid.
  click "$INVENTORY_SCROLL_DOWN_X" "$INVENTORY_SCROLL_DOWN_Y"
  click "$INVENTORY_SCROLL_DOWN_X" "$INVENTORY_SCROLL_DOWN_Y"
  shot inventory-scrolled
  expect_changed "$INVENTORY_SHOT" "$LAST_SHOT" "$INVENTORY_REGION" "the grid scrolls to the apple"
  before=$LAST_SHOT
  local apple
  apple=$(grid_icon_position 38 768)
  local region="40x40+$((${apple% *} - 20))+$((${apple#* } - 20))"
  tap u
  # shellcheck disable=SC2086 # two numbers
  click $apple
  shot apple-eaten
  expect_changed "$before" "$LAST_SHOT" "$region" "the apple's icon is gone"
  expect_changed "$before" "$LAST_SHOT" "$LOG_REGION" "eating writes to the log"

  before=$LAST_SHOT
  tap s
  shot stats
  expect_changed "$before" "$LAST_SHOT" "$STATS_REGION" "S opens the stats window"

  local statsShot=$LAST_SHOT
  tap i
  tap s
  shot windows-closed
  expect_changed "$before" "$LAST_SHOT" "$INVENTORY_REGION" "I closes the inventory window"
  expect_changed "$statsShot" "$LAST_SHOT" "$STATS_REGION" "S closes the stats window"
}

session_pause_and_attack() {
  log "== Space pauses (the person stops), A and a click hit the person twice"
  local before=$LAST_SHOT person="" attempt
  tap space
  shot paused
  expect_changed "$before" "$LAST_SHOT" "$PAUSE_REGION" "space shows PAUSE"
  # The person wanders off the view now and then: let it walk until it is
  # in view again, at most a few times.
  for attempt in 1 2 3 4 5 6; do
    person=$(find_red_being "$LAST_SHOT") && break
    person=""
    tap space
    sleep 3
    tap space
    shot "paused-looking-for-person-$attempt"
  done
  if [ -z "$person" ]; then
    log "  note: the person stayed out of view; no attack by click"
  else
    local hit
    for hit in 1 2; do
      before=$LAST_SHOT
      tap a
      # shellcheck disable=SC2086 # two numbers
      click $person
      shot "attack-$hit"
      expect_changed "$before" "$LAST_SHOT" "$LOG_REGION" "attack $hit on the person at ($person) writes to the log"
    done
  fi
  before=$LAST_SHOT
  tap space
  shot unpaused
  expect_changed "$before" "$LAST_SHOT" "$PAUSE_REGION" "a second space hides PAUSE"
}

# The wall pieces around the player move with the view. The person may
# wander through as well: a step moves the view by a whole square and
# changes far more pixels than the person covers.
NEAR_PLAYER_REGION=300x300+362+200
PERSON_PIXELS=5000

# walk KEY NAME moved|blocked
walk() {
  local before=$LAST_SHOT
  tap "$1"
  shot "$2"
  if [ "$3" = moved ]; then
    expect_changed "$before" "$LAST_SHOT" "$NEAR_PLAYER_REGION" "$2: the view moves"
  else
    expect_unchanged "$before" "$LAST_SHOT" "$NEAR_PLAYER_REGION" "$2: blocked, the view stays" \
      "$PERSON_PIXELS"
  fi
}

# The ground repeats square by square, so a step over bare ground looks
# like none; the wall pieces tell where the player is.
session_walk() {
  log "== arrows: into a wall, then once around the centre cell across its edge"
  walk Up walk-into-wall blocked
  walk Left walk-left moved
  local besideWalls=$LAST_SHOT step
  walk Up walk-up-1 moved
  # From (13, 15) on up: y = 29 is followed by y = 0, and thirty steps in
  # all bring the player back beside the walls.
  for step in $(seq 2 30); do
    tap Up
    if [ "$step" -eq 15 ]; then
      shot walk-up-15-far-from-the-walls
      expect_changed "$besideWalls" "$LAST_SHOT" "$NEAR_PLAYER_REGION" "15 steps up: the walls are out of view"
    fi
  done
  sleep 0.3
  shot walk-up-30-around-the-cell
  expect_unchanged "$besideWalls" "$LAST_SHOT" "$NEAR_PLAYER_REGION" \
    "30 steps up: across the edge and back beside the walls" "$PERSON_PIXELS"
}

session_mode_toggle() {
  log "== F1: a new game in the other mode, the log starts again"
  local before=$LAST_SHOT
  press_until F1 "$GAME_WINDOW" 10 window_shown "$ERROR_TITLE"
  answer_box "$ERROR_TITLE" Return 30
  wait_for_window "$GAME_TITLE" 30
  GAME_WINDOW=$FOUND_WINDOW
  wait_until 30 window_drawn || fail "the new window stays blank"
  park_cursor
  shot after-f1
  if [ "$FALLBACK_SIZE" = exact ] && [ "$(client_size "$GAME_WINDOW")" = "${GAME_WIDTH}x${GAME_HEIGHT}" ]; then
    expect_changed "$before" "$LAST_SHOT" "$LOG_REGION" "the log changes"
    expect_unchanged "$START_SHOT" "$LAST_SHOT" "$LOG_REGION" "the log shows the start-up lines again"
  else
    step_passed "a new window of $(client_size "$GAME_WINDOW") draws"
  fi
}

session_quit() {
  log "== Escape ends the program with code 0"
  quit_game
  step_passed "exit code 0"
}

play_session() {
  local began=$SECONDS
  mkdir -p "$SHOTS"
  session_start
  session_buttons
  session_look
  session_pile
  session_inventory
  session_pause_and_attack
  session_walk
  session_mode_toggle
  session_quit
  log "session took $((SECONDS - began)) s; screenshots in $SHOTS"
  [ "$STEP_FAILURES" -eq 0 ] || fail "$STEP_FAILURES step(s) failed"
}
