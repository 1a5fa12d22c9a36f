# Shared by scripts/test and scripts/demo: installs the Debian packages the build
# needs, running apt-get update at most once and only when something is missing.

tfx_debian_packages=(
  g++ cmake ninja-build pkg-config python3
  libfmt-dev libpugixml-dev nlohmann-json3-dev libcurl4-openssl-dev libsodium-dev
  libcpp-httplib-dev libgtest-dev libgmock-dev libbenchmark-dev
  nodejs npm clang libclang-rt-14-dev iproute2 chromium
)

tfx_install_debian_packages() {
  local missing=()
  local package
  for package in "${tfx_debian_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  # npm may come with Node.js itself rather than as a Debian package.
  if [[ " ${missing[*]} " == *" npm "* ]] && command -v npm >/dev/null 2>&1; then
    missing=("${missing[@]/npm}")
  fi
  local wanted=()
  for package in "${missing[@]}"; do [ -n "$package" ] && wanted+=("$package"); done
  [ ${#wanted[@]} -eq 0 ] && return 0

  echo "Installing Debian packages: ${wanted[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${wanted[@]}"
}
