# Sourced by the package tests that run on an installed package.
fail() { echo "FAIL: $*"; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }
need() { for tool; do command -v "$tool" >/dev/null || fail "$tool is not installed: run scripts/setup.sh"; done; }

files=(Cities.dbr Streets.dbr Phones.dbr)
same_directory() { for f in "${files[@]}"; do cmp -s "$1/$f" "$2/$f" || return 1; done; }

# The sample postinst generates, "orlinar-data generate DIR 300000 1": the same bytes on
# every machine, shaped like a city's directory.
sample_sha256=(
  3f4bf54c83968c21b06213713b6074e0e72ae7471b1331664bf8c7c3a3bdf092
  0f41ca3a765afb805ada111ab0502a143aa8ec4cc4cbbf8423b6467be107975a
  19983fda5ff113dcd3ce349fb98e0b4eba8c06ce0871575f2211fb3cf96e6fd7
)
is_sample() {
  local i
  for i in "${!files[@]}"; do
    [ "$(sha256sum <"$1/${files[i]}")" = "${sample_sha256[i]}  -" ] || return 1
  done
}

# A small directory of its own, so that loading it cannot be mistaken for the sample.
write_small_tsv() {
  printf '%s\n' \
    $'2125506\tИванов Иван Иванович\tОрлинск\tЛесная\t12\tа\t45' \
    $'2125507\tИванов Иван Иванович\tОрлинск\tЛесная\t12\tа\t45' \
    $'3340001\tООО «Ромашка»\tОрлинск\tСадовая\t3\t\t0' >"$1"
}
