#!/usr/bin/env bash
# quillmoor-cli as a shell runs it: entry bytes through a pipe, results on standard output and
# everything else on standard error, options after "--" taken as arguments.
# Argument: the quillmoor-cli program.
set -euo pipefail
cli=$1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAILED: $*"
  exit 1
}
cd "$work"

mkdir -p src/maps/spa2001
printf 'first\n\r\n' >src/maps/spa2001/a.dat
head -c 70000 /dev/urandom >src/b.bin
"$cli" create -q src x.wad
"$cli" extract -q x.wad out

# The bytes of one entry on standard output are those of its extracted file.
"$cli" extract -O x.wad 'MAPS/spa2001/a.dat' | cmp - out/maps/spa2001/a.dat ||
  fail "extract -O of a.dat differs from its file"
"$cli" extract -O x.wad b.bin | cmp - out/b.bin || fail "extract -O of b.bin differs"

# A dry run: the plan on standard output, the completion on standard error.
printf 'changed' >mod.dat
"$cli" update --dry-run x.wad mod.dat >plan.out 2>plan.err
[ "$(cat plan.out)" = $'x.wad:\nadd mod.dat 7 (key mod.dat, plain: no entry of that file name)' ] || fail "dry-run plan: $(cat plan.out)"
grep -q '^Update done in ' plan.err || fail "no completion on stderr: $(cat plan.err)"

# Several sources, as a glob gives them: one run that changes the wad once (its backup is the
# wad from before the run), the sources put in in the order given.
mkdir glob
printf 'one' >glob/1.dat
printf 'two' >glob/2.dat
cp x.wad g.wad
[ -z "$("$cli" update -q g.wad glob/*.dat 2>&1)" ] || fail "update -q with a glob printed something"
cmp g.wad.bak x.wad || fail "the backup of an update with a glob is not the wad from before it"
[ "$("$cli" extract -O g.wad 1.dat 2.dat)" = onetwo ] || fail "a glob's sources are not in g.wad"

# An extraction prints nothing on standard output; -q nothing at all.
"$cli" extract x.wad out2 >extract.out 2>extract.err
[ ! -s extract.out ] || fail "extract wrote to stdout: $(cat extract.out)"
grep -q '^Wad extracted in ' extract.err || fail "no completion on stderr"
[ -z "$("$cli" extract -q x.wad out3 2>&1)" ] || fail "extract -q printed something"

# A wad whose name starts with a dash, behind "--".
cp x.wad ./-dash.wad
"$cli" list -- -dash.wad >/dev/null || fail "list -- -dash.wad failed"
problem=$("$cli" list -dash.wad 2>&1 >/dev/null || true)
grep -q "unknown option '-d' for list" <<<"$problem" ||
  fail "list -dash.wad did not name the unknown option: $problem"

# test and diff give their answers through the exit status, as diff does.
"$cli" test x.wad >/dev/null || fail "test of a sound wad failed"
"$cli" diff x.wad out >/dev/null || fail "diff of a wad and its extraction found differences"
status=0
"$cli" diff x.wad plan.out >/dev/null 2>&1 || status=$?
[ "$status" = 2 ] || fail "diff with a broken wad gave $status, not 2"
echo "pipes: all checks passed"
