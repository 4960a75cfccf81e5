# Sourced by the scripts that drive the real program on an X server with xdotool: waiting for
# windows and where to click. Positions hold for a 1024 x 768 screen and the shipped data.

# Game lies at (79, 154) and Quit at (164, 154) of the main dialog, 50 x 21 dialog units: 1.5
# pixels across and 1.625 down per unit. These are their middles, relative to the dialog.
readonly GAME_BUTTON="156 267"
readonly QUIT_BUTTON="284 267"
# The first layout is the turtle: its top tile (half-column 14, half-row 8, layer 4) is always
# free; on 1024 x 768 its window is at (483, 324). Its middle, and a rectangle of its face.
readonly TOP_TILE="509 360"
readonly TOP_TILE_FACE="28x40+495+340"
# Exit is at (560, 1) of the 800 x 600 play area, 76 x 21, the play area at (112, 84).
readonly EXIT_BUTTON="710 95"

# Polls every tenth of a second until the command succeeds or the seconds run out.
poll() {
    local seconds=$1
    shift
    local tries=$((seconds * 10))
    for ((i = 0; i < tries; i++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

visible_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
has_window() { [ -n "$(visible_window "$1")" ]; }
no_window() { [ -z "$(visible_window "$1")" ]; }

# Clicks at a point of a window, or of the screen without a window.
click_in() { xdotool mousemove --window "$1" $2 click 1; }
click_at() { xdotool mousemove $1 click 1; }

# The mean brightness (0 to 1) of a rectangle of the screen.
brightness() { import -window root -crop "$1" -colorspace Gray -format '%[fx:mean]' info:; }
bright() { awk -v v="$(brightness "$1")" 'BEGIN { exit !(v > 0.5) }'; }
dark() { ! bright "$1"; }
