#!/usr/bin/env bash
# make run: the product's main job as far as it is built: every board's sample
# page cut into the rows its monitor would find.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh >/dev/null
scripts/build.sh native -- --target brevaro-cli >/dev/null

cli="$root/build/native/bin/brevaro-cli"
samples="$root/tests/fixtures/boards"
# page index, board name, sample page
boards=(
    "0|赚客大家谈|forum-15-1.html"
    "1|活动线报|forum-19-1.html"
    "2|果果换物|forum-31-1.html"
    "3|赚品交换|forum-25-1.html"
    "4|邀请专区|forum-20-1.html"
    "5|做任务赚果|forum-11-1.html"
    "6|爱Q生活网|iqshw-front.html"
    "8|Lumaq|lumaq-front.html"
)
for entry in "${boards[@]}"; do
    IFS='|' read -r page name file <<<"$entry"
    rows=$("$cli" extract --board "$page" "$samples/$file")
    count=$(printf '%s' "$rows" | grep -c '' || true)
    echo "== page $page $name ($file): $count rows"
    echo "   title | readLevel | replies | views | postTime | link | remaining | category | bounty"
    [[ -z "$rows" ]] || printf '%s\n' "$rows" | sed 's/\t/ | /g; s/^/   /'
    echo
done
