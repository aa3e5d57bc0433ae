#!/usr/bin/env bash
# Installs what the browser test of the virtual LCD panel needs: Debian's
# Chromium, Node.js with npm, and playwright-core in tests/browser/node_modules.
# Never fails the caller: without them the test reports itself skipped.
set -uo pipefail
cd "$(dirname "$0")/.."

packages=(chromium)
command -v node >/dev/null 2>&1 || packages+=(nodejs)
command -v npm >/dev/null 2>&1 || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} > 0)); then
  echo "Installing missing packages for the browser test: ${missing[*]}"
  sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  if ! { "${sudo_cmd[@]}" apt-get update -qq &&
         "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"; }; then
    echo "Could not install ${missing[*]}; the browser test will be skipped."
  fi
fi

if command -v npm >/dev/null 2>&1; then
  if [[ ! -d tests/browser/node_modules/playwright-core ]]; then
    npm ci --prefix tests/browser --no-audit --no-fund --loglevel=error ||
      echo "Could not install playwright-core; the browser test will be skipped."
  fi
fi
exit 0
