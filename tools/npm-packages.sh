# Sourced by the data generators under tools/ (holiday-data, lunar-reference,
# solar-terms) from their own folder: installs node and npm from Debian when
# they are missing, then the npm packages pinned in that folder's
# package-lock.json. The build and the tests never run it.
if ! command -v npm >/dev/null; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends nodejs npm >/dev/null
fi
npm ci --no-audit --no-fund >/dev/null
