# A private PulseAudio server for the sound tests, meant to be sourced after x-session.sh
# (whose exit trap it extends): one null sink "nullsink" loaded with norewinds=1, so that
# its monitor records every new stream from its first sample, in a folder of its own.
#
#   audio_server_start         starts it and sets PULSE_SERVER for everything started later
#   audio_record_start FILE    records the sink (raw s16le mono 22050 Hz) into FILE
#   audio_record_stop          ends the recording

audio_server_start() {
    x_session_need pulseaudio pactl parec
    AUDIO_DIR="$SESSION_DIR/audio"
    mkdir -m 700 -p "$AUDIO_DIR"
    HOME="$AUDIO_DIR" XDG_RUNTIME_DIR="$AUDIO_DIR" PULSE_RUNTIME_PATH="$AUDIO_DIR/pulse" \
        pulseaudio -n --daemonize=no --use-pid-file=no --exit-idle-time=-1 \
        --disallow-exit=yes --disable-shm=yes \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$AUDIO_DIR/native" \
        -L "module-null-sink sink_name=nullsink norewinds=1" \
        --log-target="file:$AUDIO_DIR/pulseaudio.log" >/dev/null 2>&1 &
    x_session_track $!
    export PULSE_SERVER="unix:$AUDIO_DIR/native"
    for _ in $(seq 100); do
        pactl info >/dev/null 2>&1 && break
        sleep 0.1
    done
    pactl info >/dev/null 2>&1 ||
        x_session_fail "PulseAudio did not start: $(cat "$AUDIO_DIR/pulseaudio.log" 2>/dev/null)"
    pactl set-default-sink nullsink
}

audio_record_start() {
    parec --device=nullsink.monitor --raw --format=s16le --rate=22050 --channels=1 \
        --latency-msec=50 >"$1" &
    AUDIO_RECORDER=$!
    x_session_track "$AUDIO_RECORDER"
    sleep 0.5 # until the stream runs
}

audio_record_stop() {
    kill -INT "$AUDIO_RECORDER" 2>/dev/null
    wait "$AUDIO_RECORDER" 2>/dev/null
}
