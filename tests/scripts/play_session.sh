# shellcheck shell=bash
# One scripted play session, sourced after lib.sh and play_lib.sh by the
# play tests and by the demo of run.sh. The caller sets GAME_COMMAND (an
# array), PLAY_FOLDER (the working directory, which holds Data/), SHOTS
# (where the screenshots go), QUESTION_SECONDS (how long the first box may
# take) and CHECK_WINDOW_ICON (yes where the window manager is handed the
# game's icon), and starts the display with play_display. Every step prints its result; the
# session fails at the end when any step failed, and at once when the game
# stops answering or a step cannot find what it needs. The other person
# wanders over the whole map: the game runs until it stands where a click
# reaches it, then pauses (it stands still) for looking at it and the attack.

# The world around the player, away from every window and the button bar.
WORLD_REGION=660x560+180+60
# The wall pieces around the player move with the view.
NEAR_PLAYER_REGION=300x300+362+200
# A square is 66 pixels wide around the player: the person on a square,
# or on one beside it, shows within this square around its centre.
WAY_SIZE=132
# How long the person is given to wander into reach, or out of the way: a
# deadline for a failure only, far above what a walk takes.
PERSON_SECONDS=300

# A screen wider than the game's shape, with room for a window of twice
# the game's size and its frame: full screen has bars left and right.
PLAY_SCREEN=4096x2304
# The wider shape a window is resized to: 2:1, the picture twice the game's
# size between bars. (At a scale that is not whole the picture checks would
# need a looser measure; the unit tests prove those scales pick alike.)
WIDE_WINDOW=(3072 1536)
# The newest line of the log, at its bottom.
LAST_LINE_REGION=296x14+356+752
# A resampled line of text differs from the same line drawn at 1024 x 768
# at the rims of its glyphs; another line differs in whole letters.
RESAMPLED_LINE_PIXELS=40

# play_display FOLDER: the virtual display of the session, with a window
# manager, which resizes windows and shows them in full screen.
play_display() {
  SCREEN_GEOMETRY=${PLAY_SCREEN}x24
  start_display "$1"
  start_window_manager "$1"
}

session_start() {
  log "== start: answer Yes, full screen; F1 gives a 1024 x 768 window"
  prepare_pictures
  start_game "$PLAY_FOLDER" "$SHOTS/game-output.log" "${GAME_COMMAND[@]}"
  answer_box "$QUESTION_TITLE" Return "$QUESTION_SECONDS"
  full_screen_shown full-screen-at-start
  press F1 "$GAME_WINDOW"
  await_game_window "${GAME_WIDTH}x${GAME_HEIGHT}" "the window after F1"
  [ "${CHECK_WINDOW_ICON:-no}" != yes ] || expect_game_icon "$GAME_WINDOW"
  park_cursor
  shot start
  START_SHOT=$LAST_SHOT
  step_passed "window $GAME_WINDOW draws ($(colours_in "$START_SHOT" "$WORLD_REGION") colours)"
}

# await_game_window SIZE WHAT: sets GAME_WINDOW to the game's window once
# one with a client area of SIZE shows a drawn frame (after F1 the old
# window may linger a moment).
await_game_window() {
  local deadline=$((SECONDS + 30))
  until GAME_WINDOW=$(game_window_of_size "$1"); do
    game_running || fail "the game ended (code $GAME_EXIT) while waiting for $2"
    [ "$SECONDS" -lt "$deadline" ] || fail "no game window of $1 for $2 within 30 s"
    sleep 0.2
  done
  fit_window
  wait_until 30 window_drawn || fail "$2 stays blank"
}

game_window_of_size() {
  local id
  for id in $(xwininfo -root -tree 2>/dev/null | grep -F "\"$GAME_TITLE\": (" | awk '{print $1}'); do
    if is_viewable "$id" && [ "$(client_size "$id")" = "$1" ]; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

# full_screen_shown NAME: the game's window covers the screen, the picture
# fitted into it between black bars.
full_screen_shown() {
  await_game_window "$PLAY_SCREEN" "full screen"
  shot "$1"
  local bars
  # The picture painted black: what remains is the bars.
  bars=$(import -window "$GAME_WINDOW" miff:- 2>/dev/null | convert - -region "$(fit_geometry)" \
    -fill black -colorize 100 +region -separate -evaluate-sequence max -format '%[max]' info:)
  judge "full screen: the picture in the middle, black bars beside it" bars_black "$bars"
}

bars_black() {
  DETAIL="the brightest bar pixel is $1, the picture at $(fit_geometry)"
  [ "$1" = 0 ]
}

window_drawn() {
  capture "$PICTURES/drawing.miff"
  [ "$(colours_in "$PICTURES/drawing.miff" "$WORLD_REGION")" -ge "$MIN_DRAWN_COLOURS" ]
}

session_buttons() {
  log "== buttons: each one active when clicked, faint again after a second click"
  local k name
  for k in "${!BUTTON_XS[@]}"; do
    name=${BUTTON_NAMES[$k]}
    click_button "$k"
    await "button-$name-on" "$name button active" button_active "$k"
    case "$name" in
    inventory) judge "the inventory window opens" window_open "$INVENTORY_CLOSE_REGION" ;;
    stats) judge "the stats window opens" window_open "$STATS_CLOSE_REGION" ;;
    esac
    click_button "$k"
    await "button-$name-off" "$name button faint again" button_faint "$k"
    case "$name" in
    inventory) judge "the inventory window closes" window_closed "$INVENTORY_CLOSE_REGION" ;;
    stats) judge "the stats window closes" window_closed "$STATS_CLOSE_REGION" ;;
    esac
  done
}

# look_at WHAT X Y: L, then a click on the square at that pixel.
look_at() {
  local before=$LAST_SHOT
  tap l
  await "look-mode-$1" "L chooses Look" button_active 2
  click "$2" "$3"
  await "look-$1" "looking at $1 writes to the log" text_changed "$before" "$LOG_TEXT_REGION"
}

session_look() {
  log "== Look: a wall, the vase pile, bare ground"
  # shellcheck disable=SC2046 # two numbers
  look_at wall $(square_position 14 15)
  WALL_SHOT=$LAST_SHOT
  # shellcheck disable=SC2046
  look_at vase-pile $(square_position 20 8)
  # shellcheck disable=SC2046
  look_at ground $(square_position 13 12)
}

session_pile() {
  log "== Get on the vase pile opens the item pile window; a vase onto the cursor and down again"
  tap g
  await get-mode "G chooses Get" button_active 0
  click_square 20 8
  await pile-window "the item pile window opens" window_open "$PILE_CLOSE_REGION"

  # The crosshair at one spot, then the vase taken from the pile's grid.
  local spotX=300 spotY=560 elsewhereX=420 elsewhereY=560
  point_at "$spotX" "$spotY"
  await crosshair "the crosshair follows the cursor" cursor_shows crosshair "$spotX" "$spotY"
  # shellcheck disable=SC2046
  click $(grid_icon_position 0 256)
  point_at "$spotX" "$spotY"
  await vase-on-cursor "the vase replaces the crosshair" cursor_shows held-vase "$spotX" "$spotY"
  point_at "$elsewhereX" "$elsewhereY"
  await vase-follows-cursor "the vase follows the cursor" \
    cursor_shows held-vase "$elsewhereX" "$elsewhereY"

  # The person refuses a drop onto its square: the drop happens while the
  # game is paused and the person, standing still, is out of the way.
  local square region before
  square=$(square_position 15 14)
  region="50x50+$((${square% *} - 25))+$((${square#* } - 25))"
  RUNNING_SHOT=$LAST_SHOT
  pause drop-paused
  clear_way 15 14 "the drop"
  shot before-drop
  before=$LAST_SHOT
  click_square 15 14
  await - "the vase lies on square (15, 14)" world_changed "$before" "$region"
  resume vase-dropped
  judge "the vase lies on square (15, 14)" world_changed "$before" "$region"
  judge "the crosshair is back at the cursor" \
    cursor_shows crosshair "${PARK_XS[$PARKED]}" "${PARK_YS[$PARKED]}"

  click 497 15
  await pile-closed "the close square shuts the item pile window" \
    window_closed "$PILE_CLOSE_REGION"
}

session_inventory() {
  log "== inventory: I, the helm off and on again, the apple eaten"
  tap i
  await inventory "I opens the inventory window" window_open "$INVENTORY_CLOSE_REGION"
  click "$HEAD_SLOT_X" "$HEAD_SLOT_Y"
  await helm-off "the helm leaves its slot" lacks_picture sack "$HEAD_SLOT_REGION"
  click "$HEAD_SLOT_X" "$HEAD_SLOT_Y"
  await helm-on "the helm is back in its slot" shows_picture sack "$HEAD_SLOT_REGION"

  # The apple is the 51st item: two rows down it is icon 38 of the grid.
  local apple region
  apple=$(grid_icon_position 38 768)
  region=$(grid_icon_region 38 768)
  click "$INVENTORY_SCROLL_DOWN_X" "$INVENTORY_SCROLL_DOWN_Y"
  click "$INVENTORY_SCROLL_DOWN_X" "$INVENTORY_SCROLL_DOWN_Y"
  await inventory-scrolled "the grid scrolls to the apple" shows_picture sack "$region" near
  tap u
  await use-mode "U chooses Use" button_active 3
  local before=$LAST_SHOT
  # shellcheck disable=SC2086 # two numbers
  click $apple
  await apple-eaten "the apple's icon is gone" lacks_picture sack "$region" near
  judge "eating writes to the log" text_changed "$before" "$LOG_TEXT_REGION"

  tap s
  await stats "S opens the stats window" window_open "$STATS_CLOSE_REGION"
  tap i
  await inventory-closed "I closes the inventory window" window_closed "$INVENTORY_CLOSE_REGION"
  tap s
  await windows-closed "S closes the stats window" window_closed "$STATS_CLOSE_REGION"
}

# A screenshot without PAUSE, for telling whether the word shows.
RUNNING_SHOT=""

pause_shown() { text_changed "$RUNNING_SHOT" "$PAUSE_REGION"; }
pause_hidden() { text_same "$RUNNING_SHOT" "$PAUSE_REGION"; }

# pause NAME: space, and PAUSE shows.
pause() {
  tap space
  await "$1" "space pauses" pause_shown
}

# resume NAME: space, and PAUSE is gone.
resume() {
  tap space
  await "$1" "space resumes" pause_hidden
}

# find_person: with the game paused, sets PERSON to the centre of the
# person's square where a click reaches it; while the person is out of view
# or behind the interface, the game runs a while and pauses again.
find_person() {
  local deadline=$((SECONDS + PERSON_SECONDS))
  until PERSON=$(person_square "$LAST_SHOT"); do
    [ "$SECONDS" -lt "$deadline" ] ||
      fail "the person did not come where a click reaches it within $PERSON_SECONDS s"
    resume -
    pause -
  done
}

session_person() {
  log "== Space pauses (the person stops); Look at the person, then A and a click hit it twice"
  RUNNING_SHOT=$LAST_SHOT
  pause paused
  find_person
  shot person-found
  # shellcheck disable=SC2086 # two numbers
  look_at person $PERSON
  local hit before
  for hit in 1 2; do
    before=$LAST_SHOT
    tap a
    await "attack-mode-$hit" "A chooses Attack" button_active 4
    # shellcheck disable=SC2086 # two numbers
    click $PERSON
    await "attack-$hit" "attack $hit on the person at ($PERSON) writes to the log" \
      text_changed "$before" "$LOG_TEXT_REGION"
  done
  resume unpaused
}

# way_clear X Y: while paused with the player at rest (on the screen as on
# (14, 14)), the person, standing still, is neither on square (X, Y) nor on
# a square beside it, from where it might have been sliding in.
way_clear() {
  local centre region box
  centre=$(square_position "$1" "$2")
  region=$(cursor_region "${centre% *}" "${centre#* }" "$WAY_SIZE")
  box=$(convert "$LAST_SHOT" -crop "$region" +repage -color-matrix "$REDNESS" \
    -channel R -separate +channel -threshold "$RED_LEVEL" -format '%@' info: 2>/dev/null)
  [ -n "$box" ] || fail "cannot look for the person in $region of $LAST_SHOT"
  DETAIL="red pixels in $region: $box"
  # An empty mask trims to a 0 x 0 box.
  [ "${box%%+*}" = 0x0 ]
}

# clear_way X Y WHAT: while paused with the player at rest, lets the game
# run until the person is out of the way of what happens on square (X, Y).
clear_way() {
  local deadline=$((SECONDS + PERSON_SECONDS))
  while ! way_clear "$1" "$2"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the person stays in the way of $3 ($DETAIL)"
    log "  the person is in the way of $3: the game runs a while"
    resume -
    pause -
  done
}

# step KEY LABEL [NAME]: one step of the player, from a paused game with the
# player at rest to the same again; NAME keeps the last screenshot.
#
# The person, wherever it stands, refuses a step onto its square, so while
# it is in the way the game runs until it has left (paused, it stands
# still). The key and the space that resumes go together: the step runs in
# the first update after the pause, before anybody wanders. A frame after
# the next update shows the step has run; once its slide has had its time
# the game pauses again. The pausing update still moves the world after
# reading the key, which lets the player stand even when the slide came to
# rest exactly on the square (that leaves it walking until one more update).
step() {
  case "$1" in
  Up) clear_way 14 15 "$2" ;;
  Left) clear_way 13 14 "$2" ;;
  esac
  tap "$1" space
  await - "the game runs for $2" pause_hidden
  park_cursor
  sleep "$SLIDE_SECONDS"
  park_cursor
  tap space
  await "${3:--}" "space pauses after $2" pause_shown
}

# The ground repeats square by square, so a step over bare ground looks
# like none; the wall pieces tell where the player is.
session_walk() {
  log "== arrows: into a wall, then once around the centre cell across its edge"
  RUNNING_SHOT=$LAST_SHOT
  pause walk-paused
  local before=$LAST_SHOT
  step Up "the step into the wall" walk-into-wall
  judge "the wall blocks the step, the view stays" world_same "$before" "$NEAR_PLAYER_REGION"
  before=$LAST_SHOT
  step Left "the step left" walk-left
  judge "a step left moves the view" world_changed "$before" "$NEAR_PLAYER_REGION"
  local besideWalls=$LAST_SHOT n
  step Up "step 1 up" walk-up-1
  judge "a step up moves the view" world_changed "$besideWalls" "$NEAR_PLAYER_REGION"
  # From (13, 15) on up: y = 29 is followed by y = 0, and thirty steps in
  # all bring the player back beside the walls.
  for n in $(seq 2 14); do
    step Up "step $n up"
  done
  step Up "step 15 up" walk-up-15
  judge "15 steps up: the walls are out of view" \
    world_changed "$besideWalls" "$NEAR_PLAYER_REGION"
  for n in $(seq 16 29); do
    step Up "step $n up"
  done
  step Up "step 30 up" walk-up-30
  judge "30 steps up: across the edge and back beside the walls" \
    world_same "$besideWalls" "$NEAR_PLAYER_REGION"
  resume walk-over
}

# resize_window WIDTH HEIGHT: the window manager gives the window a client
# area of that size; returns once a frame fitted to it shows the cursor.
resize_window() {
  xdotool windowsize "$GAME_WINDOW" "$1" "$2" || fail "cannot resize window $GAME_WINDOW"
  await_game_window "$1x$2" "the window resized to $1 x $2"
  park_cursor
}

# look_at_wall NAME: Look at the wall beside the player writes the wall's
# line, the one the first look at it wrote.
look_at_wall() {
  # shellcheck disable=SC2046 # two numbers
  look_at "$1" $(square_position 14 15)
  judge "the newest line is the wall's" \
    text_near "$WALL_SHOT" "$LAST_LINE_REGION" "$RESAMPLED_LINE_PIXELS"
}

session_fit() {
  log "== the window resized: the picture fills it, clicks land where it shows them"
  resize_window $((2 * GAME_WIDTH)) $((2 * GAME_HEIGHT))
  look_at_wall wall-twice-the-size
  resize_window "${WIDE_WINDOW[@]}"
  look_at_wall wall-wider
  log "== a click on the bar beside the picture does nothing: the log stays, Look stays chosen"
  tap l
  await look-mode-bar "L chooses Look" button_active 2
  local before=$LAST_SHOT
  click_client 10 $((WIDE_WINDOW[1] / 2))
  park_cursor
  shot bar-clicked
  judge "the log stays as it was" text_same "$before" "$LOG_TEXT_REGION"
  # shellcheck disable=SC2046 # two numbers
  click $(square_position 14 15)
  await wall-after-bar "Look, still chosen, acts on the wall" \
    text_changed "$before" "$LOG_TEXT_REGION"
  judge "the newest line is the wall's" \
    text_near "$WALL_SHOT" "$LAST_LINE_REGION" "$RESAMPLED_LINE_PIXELS"
  resize_window "$GAME_WIDTH" "$GAME_HEIGHT"
}

session_mode_toggle() {
  log "== F1: full screen, then F1 again: a window with a new game"
  press F1 "$GAME_WINDOW"
  full_screen_shown full-screen-after-f1
  local before=$LAST_SHOT
  press F1 "$GAME_WINDOW"
  await_game_window "${GAME_WIDTH}x${GAME_HEIGHT}" "the window after F1 again"
  park_cursor
  shot windowed-after-f1
  judge "the log shows the start-up lines again" text_same "$START_SHOT" "$LOG_TEXT_REGION"
}

session_quit() {
  log "== Escape ends the program with code 0"
  quit_game "$GAME_WINDOW"
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
  session_person
  # Before the walk: the wall's square lies beside the player's first one.
  session_fit
  session_walk
  session_mode_toggle
  session_quit
  log "session took $((SECONDS - began)) s; screenshots in $SHOTS"
  [ "$STEP_FAILURES" -eq 0 ] || fail "$STEP_FAILURES step(s) failed"
}
