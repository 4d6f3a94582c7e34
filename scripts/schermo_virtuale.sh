# Sourced by the screenshot scripts: a virtual X display of their own and a
# program of the project held open on it, step by step, through a pipe.

# Starts Xvfb on a free display number and exports DISPLAY. Sets xvfb_pid.
avvia_schermo() {  # WIDTHxHEIGHT WORK_FOLDER
  Xvfb -displayfd 5 -screen 0 "$1x24" -nolisten tcp 5>"$2/schermo" 2>"$2/xvfb.log" &
  xvfb_pid=$!
  local n
  for n in $(seq 100); do
    [ -s "$2/schermo" ] && break
    sleep 0.1
  done
  [ -s "$2/schermo" ] || { echo "Xvfb non parte: $(cat "$2/xvfb.log")" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$2/schermo")"
}

ferma_schermo() {
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=
}

# Waits until FILE has a line TEXT (a Windows program ends it with CR LF).
attendi_riga() {  # FILE TEXT SECONDS
  local n
  for n in $(seq $(($3 * 10))); do
    tr -d '\r' <"$1" 2>/dev/null | grep -qx "$2" && return 0
    sleep 0.1
  done
  echo "\"$2\" non arrivato in $3 s" >&2
  return 1
}

# Runs finestra_prova (COMMAND...) and saves the screen with the window
# and then with the message of a failed final check. Leaves the program
# waiting for OK; sets prova_pid.
fotografa_prova() {  # WORK_FOLDER WINDOW_PNG MESSAGE_PNG COMMAND...
  local lavoro=$1 finestra=$2 messaggio=$3
  shift 3
  mkfifo "$lavoro/ingresso"
  "$@" <"$lavoro/ingresso" >"$lavoro/uscita" 2>"$lavoro/errori" &
  prova_pid=$!
  exec 6>"$lavoro/ingresso"
  attendi_riga "$lavoro/uscita" finestra 60
  sleep 1  # the window system may still be drawing the frame
  import -window root "$finestra"
  echo >&6
  attendi_riga "$lavoro/uscita" messaggio 10
  sleep 2  # the box is shown after the line
  import -window root "$messaggio"
  exec 6>&-
}
