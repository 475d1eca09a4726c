#!/usr/bin/env bash
# Times the game's sounds against a PulseAudio server of its own with a null sink (no sound
# card needed): each sound's play time beside its length.
#
#     bash tools/sound-bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v pulseaudio >/dev/null; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends pulseaudio pulseaudio-utils
fi
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/test --target sound_bench >/dev/null

runtime=$(mktemp -d)
export XDG_RUNTIME_DIR=$runtime
trap 'pulseaudio --kill >/dev/null 2>&1 || true; rm -rf "$runtime"' EXIT
pulseaudio --daemonize=yes --exit-idle-time=-1 --disallow-exit -n \
    --load=module-native-protocol-unix --load="module-null-sink sink_name=bench" \
    --load=module-always-sink
for _ in $(seq 50); do
    [[ -S $runtime/pulse/native ]] && break
    sleep 0.1
done
pactl set-default-sink bench
build/test/bench/sound_bench
