# Sourced by the package tests that run on an installed package.
fail() { echo "FAIL: $*"; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }
need() { for tool; do command -v "$tool" >/dev/null || fail "$tool is not installed: run scripts/setup.sh"; done; }

files=(Cities.dbr Streets.dbr Phones.dbr)
same_directory() { for f in "${files[@]}"; do cmp -s "$1/$f" "$2/$f" || return 1; done; }

# The sample postinst generates, "orlinar-data generate DIR 300000 1": the bytes every
# package since 1.0.0-1 has installed.
sample_sha256=(
  07630b200b140b9f2d3f9010967c2eb75bb6d15c8ea2e07503434fde575997a5
  a5b1f1b22097418803c6db336582c26694e843a299df50eb5af8617eb3c6ec0f
  f01390b91a7b33dd2111aa267abd0bf1a388601e00f0619b85363649b9b4ab20
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
