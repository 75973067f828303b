#!/usr/bin/env bash
# Fails when an #include points up the layers: platform <- core <- app <- ui, and cli beside ui;
# inside the engine, util <- settings <- text <- items <- targets <- plan <- model <- placement <- moves.
# The engine uses no Qt at all, and the platform's headers show no Qt type.
set -uo pipefail
cd "$(dirname "$0")/../src"

status=0
report() {
    echo "layer check: $1" >&2
    status=1
}

# forbidden <folder> <pattern> <why>
forbidden() {
    local hits
    hits=$(grep -rnE --include='*.h' --include='*.cpp' "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($2)" "$1" 2>/dev/null)
    if [ -n "$hits" ]; then
        report "$3"
        echo "$hits" >&2
    fi
}

forbidden platform 'core/|app/|ui/|cli/' 'platform includes a higher layer'
forbidden core 'app/|ui/|cli/' 'core includes a higher layer'
forbidden app 'ui/|cli/' 'app includes a higher layer'
forbidden ui 'cli/' 'ui includes the command line'
forbidden cli 'ui/' 'the command line includes the interface'
forbidden core 'Q' 'the engine uses Qt'

# Each folder of the engine includes only itself and the folders before it.
engine=(util settings text items targets plan model placement moves)
for ((i = 0; i < ${#engine[@]}; i++)); do
    above=$(IFS='|'; echo "${engine[*]:i+1}")
    [ -n "$above" ] && forbidden "core/${engine[i]}" "core/($above)/" "core/${engine[i]} includes a later engine folder"
done
for folder in core/*/; do
    name=$(basename "$folder")
    [[ " ${engine[*]} " == *" $name "* ]] || report "core/$name is not in the engine's order"
done

hits=$(grep -rnE --include='*.h' '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' platform 2>/dev/null)
if [ -n "$hits" ]; then
    report "a platform header shows a Qt type"
    echo "$hits" >&2
fi

exit $status
