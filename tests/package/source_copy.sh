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

# hold_folder FOLDER: makes FOLDER empty for the second build and holds it
# until the check ends (another check waits, saying so). Its name is fixed,
# so that the compiler cache (CMAKE_CXX_COMPILER_LAUNCHER, when the caller
# sets one) finds there the units the second build compiled last time: a unit
# changed since is compiled again, a month later, and each build has compiled
# every unit itself, each in its own folder.
hold_folder() {
    lock 9 "$1.lock" "another build in $1"
    remove_tree "$1"
    mkdir -p "$1"
}

# A month later by the clock. The files' own dates are left as they are
# (NO_FAKE_STAT): a build a month later reads them as they were written.
# The compiler cache alone keeps the true clock (the compilers it starts have
# the later one): it clears its temporary files by their age, and a month
# ahead it took those of the compilers running beside it for old.
later() {
    FAKETIME_SKIP_CMDS=ccache NO_FAKE_STAT=1 faketime -f '+30d' "$@"
}
