# Sourced by the reproducibility checks: copy_source SOURCE_DIR COPY copies
# the source's files into COPY: those git tracks or would track, or, outside
# a checkout, all but the build trees.
copy_source() {
    local source_dir=$1 copy=$2
    mkdir -p "$copy"
    if git -C "$source_dir" rev-parse --git-dir >/dev/null 2>&1; then
        git -C "$source_dir" ls-files -z --cached --others --exclude-standard |
            (cd "$source_dir" && while IFS= read -r -d '' file; do
                [[ -e $file ]] && cp --parents -P -- "$file" "$copy"
            done)
    else
        tar -C "$source_dir" --exclude='./build*' -cf - . | tar -C "$copy" -xf -
    fi
}

# A month later by the clock. The files' own dates are left as they are
# (NO_FAKE_STAT): a build a month later reads them as they were written. No
# compiler cache: every unit is compiled again.
later() {
    env -u CMAKE_CXX_COMPILER_LAUNCHER NO_FAKE_STAT=1 faketime -f '+30d' "$@"
}
