#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Sourced by run.sh and test.sh. Only real package names belong here: a
# virtual name is never reported as installed and would be asked for on
# every run.

JXC_PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n libgl-dev
  libsqlite3-dev libgtest-dev
  fonts-noto-cjk
  poppler-utils python3 python3-xlrd python3-olefile python3-xlwt
)

jxc_missing_packages() {
  local missing=()
  for package in "${JXC_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  echo "${missing[@]}"
}

# Checks, after the set-up, that every name of the list is an installed
# package. A virtual name (one that only other packages provide) is never
# reported as installed by dpkg-query, so a list that names one fails here
# rather than asking for an install on every run.
jxc_verify_package_list() {
  local missing
  missing=$(jxc_missing_packages)
  if [ -n "$missing" ]; then
    echo "The package list names packages that are not installed: $missing"
    echo "Each name in JXC_PACKAGES (deps.sh) must be a real Debian package."
    return 1
  fi
  echo "All ${#JXC_PACKAGES[@]} packages of the list are installed."
}

jxc_install_dependencies() {
  local missing
  missing=$(jxc_missing_packages)
  # Nothing missing: neither apt nor the network is touched.
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "These packages are missing: $missing"
    echo "Install them with:"
    echo "  sudo apt-get update && sudo apt-get install -y $missing"
    exit 1
  fi
  echo "Installing: $missing"
  export DEBIAN_FRONTEND=noninteractive
  # shellcheck disable=SC2086
  if ! apt-get update -qq || ! apt-get install -y -qq $missing; then
    echo "Installing the packages failed."
  fi
  missing=$(jxc_missing_packages)
  if [ -n "$missing" ]; then
    echo "These packages are still missing: $missing"
    exit 1
  fi
}
