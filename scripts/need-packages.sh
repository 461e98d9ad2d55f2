# Sourced by the scripts: the Debian packages a script needs. Missing ones
# are installed when the script runs as root; otherwise the script stops with
# the one apt-get line to run.
#
#   need PACKAGE COMMAND|/FILE   needed: the package is missing when the
#                                command is not found or the file does not exist
#   want PACKAGE COMMAND|/FILE   wanted: as root installed too, otherwise the
#                                script goes on without it
#   install_needed               installs, or stops, or notes what goes without

needed_packages=()
wanted_packages=()

package_present() {
  if [[ $1 == /* ]]; then
    compgen -G "$1" >/dev/null
  else
    command -v "$1" >/dev/null 2>&1
  fi
}

need() { package_present "$2" || needed_packages+=("$1"); }
want() { package_present "$2" || wanted_packages+=("$1"); }

install_needed() {
  local all=("${needed_packages[@]}" "${wanted_packages[@]}")
  [ ${#all[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${all[@]}"
  elif [ ${#needed_packages[@]} -gt 0 ]; then
    echo "$(basename "$0"): missing Debian packages; as root, run:" >&2
    echo "apt-get install --no-install-recommends ${all[*]}" >&2
    exit 1
  else
    echo "$(basename "$0"): going on without ${wanted_packages[*]} (tests that need them skip);" \
      "as root, run: apt-get install --no-install-recommends ${wanted_packages[*]}" >&2
  fi
  needed_packages=()
  wanted_packages=()
}

need_build_tools() {
  need g++ g++
  need cmake cmake
  need make make
}
