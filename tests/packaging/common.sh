# Shared by the packaging tests: failing, skipping, and a user of the test's own.

fail() { echo "FAILED: $*" >&2; exit 1; }

# A missing tool skips the test on a developer's machine; ./test.sh installs every tool
# these tests use, so on CI a missing one is a failure.
need() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 && continue
        [ "${CI:-}" = "true" ] && fail "$tool is not installed"
        echo "SKIPPED: $tool is not installed"
        exit 77
    done
}

# HOME and the XDG folders in a temporary folder, so nothing of the real user's is read or written.
use_temporary_user() {
    local user="$1"
    mkdir -p "$user/run"
    chmod 700 "$user/run"
    export HOME="$user" XDG_CONFIG_HOME="$user/config" XDG_DATA_HOME="$user/data"
    export XDG_CACHE_HOME="$user/cache" XDG_RUNTIME_DIR="$user/run"
}

# Every file under a folder with its checksum, to see whether anything was written there.
fingerprint() {
    (cd "$1" && find . -type f -print0 | sort -z | xargs -0 sha256sum)
}
