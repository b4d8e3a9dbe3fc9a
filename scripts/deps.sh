# Installs the Debian packages Kelvor builds, tests and runs with, when any is missing.
# Sourced by scripts/run and scripts/test.
kelvor_packages=(
    build-essential cmake g++ pkg-config
    qt6-base-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libcli11-dev qt6-svg-dev
    fonts-liberation xvfb xauth poppler-utils
)

# Only fuzzing needs clang and its runtime (libFuzzer, the sanitizers): CI installs them through
# kelvor_install_fuzzing, a normal build never does.
kelvor_fuzz_packages=(clang-14 libclang-rt-14-dev)

# The packages given, or kelvor_packages.
kelvor_install_missing() {
    local wanted=("$@")
    [ ${#wanted[@]} -eq 0 ] && wanted=("${kelvor_packages[@]}")
    local missing=()
    for pkg in "${wanted[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

kelvor_install_fuzzing() {
    kelvor_install_missing "${kelvor_fuzz_packages[@]}"
}

kelvor_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$dir" -j2
}
